// A stand-in for the desktop around the main window, and a harness that starts the
// window in an application folder of its own, laid out like an installation's bin.
#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "FileDialogs.h"
#include "MainWindow.h"
#include "HomePage.h"
#include "MessageBoxes.h"
#include "ProcessRunner.h"

namespace parvane::test {

// Notes in `shown`, in order, every message text, "files?" and "folder?" for the two
// choosers, and every address opened; `whileShown` runs while a box or chooser is up.
class FakeDesktop final : public MessageBoxes, public FileDialogs, public UrlOpener {
public:
    void Show(QWidget*, const QString& text) override { Note(text); }
    QStringList OpenFiles(QWidget*, const QString&, const QString&) override {
        Note(QStringLiteral("files?"));
        return files;
    }
    QString BrowseFolder(QWidget*, const QString&) override {
        Note(QStringLiteral("folder?"));
        return folder;
    }
    void Open(const QUrl& address) override { Note(address.toString()); }

    QStringList shown;
    QStringList files;  // the choosers' answers
    QString folder;
    std::function<void()> whileShown;

private:
    void Note(const QString& what);
};

inline const QUrl kTestHomePage(QStringLiteral("https://home.page.test/"));

class FormHarness {
public:
    FormHarness();

    QString Root() const { return root_.path(); }
    QString Bin() const;
    // Writes a file, folders included; a relative path is taken from Root().
    QString Put(const QString& path, const QByteArray& bytes) const;
    // A stand-in for mp3splt beside the program; see fake-mp3splt for what it does.
    void PutFakeSplitter() const;
    // The runs the stand-in was asked for, one "SOURCE START END" a line.
    QStringList SplitterRuns() const;
    // Shown and exposed; the default draw, 51, keeps the home page shut.
    MainWindow& Start(double draw = 0.5);

    FakeDesktop desktop;
    RealProcessRunner runner;

private:
    QTemporaryDir root_;
    std::unique_ptr<MainWindow> form_;
};

// A 128 kbit/s MP3 of the given playing time, made once with sox and lame.
QByteArray Mp3Of(int seconds);

// A file of the program's own resources.
QByteArray Resource(const QString& name);

// A point of the window's bare surface: the strip between the list and the buttons.
inline constexpr QPoint kBareSurface(100, 132);

// A mouse move with no button down, as the window system delivers it: to the window,
// which hands it to the widget under the pointer. A null point stands for the middle.
void HoverOver(QWidget* widget, QPoint local = {});

// The pointer shape the user sees over a widget.
Qt::CursorShape SeenPointer(const QWidget* widget);

}  // namespace parvane::test
