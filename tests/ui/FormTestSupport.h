// Stand-ins for what the main window reaches outside itself, and a harness that starts
// windows in an application folder of their own, laid out like an installation's bin.
#pragma once

#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <memory>

#include "FileDialogs.h"
#include "Form1.h"
#include "HomePage.h"
#include "MessageBoxes.h"
#include "ProcessRunner.h"

namespace parvane::test {

class RecordingMessageBoxes final : public MessageBoxes {
public:
    void Show(QWidget* parent, const QString& text) override;

    QStringList texts;
    // Runs while the box would be on screen, before it is answered.
    std::function<void(const QString&)> whileShown;
};

class RecordingUrlOpener final : public UrlOpener {
public:
    void Open(const QUrl& address) override { opened.append(address); }

    QList<QUrl> opened;
};

// Answers the two choosers as a test tells it, and counts how often each was shown.
class ScriptedFileDialogs final : public FileDialogs {
public:
    QStringList OpenFiles(QWidget* parent, const QString& title, const QString& filter) override;
    QString BrowseFolder(QWidget* parent, const QString& title) override;

    std::function<QStringList()> files = [] { return QStringList(); };
    std::function<QString()> folder = [] { return QString(); };
    int openFilesShown = 0;
    int browseFolderShown = 0;
};

inline const QUrl kTestHomePage(QStringLiteral("https://home.page.test/"));
// Any draw but 7: 0.5 draws 51.
inline constexpr double kQuietDraw = 0.5;

class FormHarness {
public:
    FormHarness();

    QString ApplicationFolder() const;
    QString Root() const { return root_.path(); }
    // Copies a file of the program's resources into the application folder.
    void PutResource(const QString& name) const;
    // A stand-in for mp3splt beside the program; see fake-mp3splt for what it does.
    void PutFakeSplitter() const;
    // The runs the stand-in was asked for, one "SOURCE START END" a line.
    QStringList SplitterRuns() const;
    void PutFile(const QString& name, const QByteArray& bytes) const;

    Form1& Start(double draw = kQuietDraw);
    Form1& StartShown(double draw = kQuietDraw);
    Form1& form() { return *form_; }

    RecordingMessageBoxes messages;
    RecordingUrlOpener opener;
    ScriptedFileDialogs dialogs;
    RealProcessRunner runner;

private:
    QTemporaryDir root_;
    std::unique_ptr<Form1> form_;
};

QString ResourcePath(const QString& name);

// A point of the window's bare surface: the strip between the list and the buttons.
QPoint BareSurfacePoint();

// A mouse move with no button down, as the window system delivers it: to the window,
// which hands it to the widget under the pointer (QTest's widget overload would only
// move the pointer).
void HoverOver(QWidget* widget, QPoint local);
void HoverOver(QWidget* widget);

}  // namespace parvane::test
