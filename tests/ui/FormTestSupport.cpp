#include "FormTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace parvane::test {

void RecordingMessageBoxes::Show(QWidget*, const QString& text) {
    texts.append(text);
    if (whileShown) {
        whileShown(text);
    }
}

QStringList ScriptedFileDialogs::OpenFiles(QWidget*, const QString&, const QString&) {
    ++openFilesShown;
    return files();
}

QString ScriptedFileDialogs::BrowseFolder(QWidget*, const QString&) {
    ++browseFolderShown;
    return folder();
}

FormHarness::FormHarness() {
    QDir(root_.path()).mkpath(QStringLiteral("bin"));
}

QString FormHarness::ApplicationFolder() const {
    return QDir(root_.path()).filePath(QStringLiteral("bin"));
}

QString ResourcePath(const QString& name) {
    return QDir(QStringLiteral(PARVANE_RESOURCES_DIR)).filePath(name);
}

void FormHarness::PutResource(const QString& name) const {
    QFile::copy(ResourcePath(name), QDir(ApplicationFolder()).filePath(name));
}

void FormHarness::PutFakeSplitter() const {
    const QString splitter = QDir(ApplicationFolder()).filePath(QStringLiteral("mp3splt"));
    QFile::copy(QStringLiteral(PARVANE_FAKE_SPLITTER), splitter);
    QFile::setPermissions(splitter, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QStringList FormHarness::SplitterRuns() const {
    QFile log(QDir(ApplicationFolder()).filePath(QStringLiteral("runs.log")));
    if (!log.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void FormHarness::PutFile(const QString& name, const QByteArray& bytes) const {
    QFile file(QDir(ApplicationFolder()).filePath(name));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

Form1& FormHarness::Start(double draw) {
    const FormServices services{ApplicationFolder(), kTestHomePage, [draw] { return draw; },
                                opener, messages, dialogs, runner};
    form_ = std::make_unique<Form1>(services);
    return *form_;
}

Form1& FormHarness::StartShown(double draw) {
    Start(draw);
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get())) {
        qWarning("the window was not exposed");
    }
    return *form_;
}

QPoint BareSurfacePoint() {
    return {100, 132};
}

void HoverOver(QWidget* widget, QPoint local) {
    // Qt drops a move to the place the pointer already is; a second hover over the same
    // spot goes one pixel aside so that it still arrives.
    static QPoint last;
    QPoint global = widget->mapToGlobal(local);
    if (global == last) {
        global += QPoint(1, 1);
    }
    last = global;
    QWidget* window = widget->window();
    QTest::mouseMove(window->windowHandle(), window->mapFromGlobal(global));
}

void HoverOver(QWidget* widget) {
    HoverOver(widget, widget->rect().center());
}

}  // namespace parvane::test
