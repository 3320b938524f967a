// A stand-in for the desktop around the main window, and a harness that starts the
// window in an application folder of its own, laid out like an installation's bin, with
// the stand-in splitter in it.
#pragma once

#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>

#include "app/HomePage.h"
#include "engine/process/ProcessRunner.h"
#include "filelist/FileDialogs.h"
#include "tests/support/TestSupport.h"
#include "ui/FileShower.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxes.h"

namespace parvane::test {

// Notes in `shown`, in order, every message text, "files?" and "folder?" for the two
// choosers, every address opened and every file shown; `whileShown` runs while a box or
// chooser is up. A box's action is pressed when `pressAction` says so.
class FakeDesktop final : public MessageBoxes,
                          public FileDialogs,
                          public UrlOpener,
                          public FileShower {
public:
    bool Show(QWidget*, const QString& text, const MessageMore& more) override {
        Note(text, more.lines);
        return pressAction && !more.action.isEmpty();
    }
    QStringList OpenFiles(QWidget*, const QString&, const QString&) override {
        return Note(QStringLiteral("files?")), files;
    }
    QString BrowseFolder(QWidget*, const QString&) override {
        return Note(QStringLiteral("folder?")), folder;
    }
    void Open(const QUrl& address) override { Note(address.toString()); }
    void Show(const QString& path) override { Note(QStringLiteral("show ") + path); }

    QStringList shown;
    QStringList lines;  // of the last message
    bool pressAction = false;
    QStringList files;  // the choosers' answers
    QString folder;
    std::function<void()> whileShown;

private:
    void Note(const QString& what, const QStringList& more = {});
};

inline const QUrl kTestHomePage(QStringLiteral("https://home.page.test/"));

class FormHarness {
public:
    FormHarness();

    QString Root() const { return root_.path(); }
    QString Bin() const { return Root() + QStringLiteral("/bin"); }
    // Writes a file, folders included; a relative path is taken from Root().
    QString Put(const QString& path, const QByteArray& bytes) const {
        const QString file = QDir(Root()).filePath(path);
        testing::WriteFile(file.toStdString(), bytes.toStdString());
        return file;
    }
    // Through the program's own start-up with these command-line arguments, shown and
    // exposed; the default draw, 51, keeps the home page shut. Messages go to `desktop`
    // unless other boxes are given.
    MainWindow& Start(double draw = 0.5, MessageBoxes* boxes = nullptr,
                      std::vector<const char*> arguments = {});
    // As the program ends: a job still running is stopped and waited for.
    void End() { form_.reset(); }

    FakeDesktop desktop;
    RealProcessRunner runner;
    testing::FakeSplitter splitter;  // found in Bin()

private:
    QTemporaryDir root_;
    std::unique_ptr<MainWindow> form_;
};

// A file of the program's own resources.
inline QByteArray Resource(const char* name) {
    return QByteArray::fromStdString(
        testing::ReadFile(std::string(PARVANE_RESOURCES_DIR "/") + name));
}

// A point of the window's bare surface: the strip between the list and the buttons.
inline constexpr QPoint kBareSurface(100, 132);

// A mouse move with no button down, as the window system delivers it: to the window,
// which hands it to the widget under the pointer. A null point stands for the middle.
void HoverOver(QWidget* widget, QPoint local = {});

// Every entry of the chooser shows uncut after its drawn blank, a pixel clear on either side.
bool ChooserEntriesFit(const QComboBox& chooser);

// The pointer shape the user sees over a widget.
Qt::CursorShape SeenPointer(const QWidget* widget);

}  // namespace parvane::test
