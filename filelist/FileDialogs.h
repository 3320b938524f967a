// The modal choosers behind the two add commands, replaceable so tests can answer them.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class QWidget;

namespace parvane {

// English; the add commands show them translated.
inline constexpr const char* kAddFilesTitle =
    QT_TRANSLATE_NOOP("AddCommands", "Add File(s) - Use Ctrl & Shift to select multiple files");
// Both letter cases spelt out: the desktops' dialogs match patterns with letter case.
inline constexpr const char* kAddFilesFilter =
    QT_TRANSLATE_NOOP("AddCommands", "MP3 Files (*.mp3 *.MP3)");
inline constexpr const char* kAddFolderTitle =
    QT_TRANSLATE_NOOP("AddCommands", "Please select folder to add:");

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Full paths in the order the dialog returns them; empty when cancelled.
    virtual QStringList OpenFiles(QWidget* parent, const QString& title, const QString& filter) = 0;
    // The chosen folder; empty when cancelled.
    virtual QString BrowseFolder(QWidget* parent, const QString& title) = 0;
};

class QtFileDialogs final : public FileDialogs {
public:
    QStringList OpenFiles(QWidget* parent, const QString& title, const QString& filter) override;
    QString BrowseFolder(QWidget* parent, const QString& title) override;
};

}  // namespace parvane
