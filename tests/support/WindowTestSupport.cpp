#include "WindowTestSupport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace parvane::test {

void FakeDesktop::Note(const QString& what) {
    shown.append(what);
    if (whileShown) whileShown();
}

FormHarness::FormHarness() {
    QDir(Root()).mkpath(QStringLiteral("bin"));
}

QString FormHarness::Bin() const {
    return QDir(Root()).filePath(QStringLiteral("bin"));
}

QString FormHarness::Put(const QString& path, const QByteArray& bytes) const {
    QFile file(QDir(Root()).filePath(path));
    QDir().mkpath(QFileInfo(file).path());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(file.fileName()));
    }
    return file.fileName();
}

void FormHarness::PutFakeSplitter() const {
    const QString splitter = QDir(Bin()).filePath(QStringLiteral("mp3splt"));
    QFile::copy(QStringLiteral(PARVANE_FAKE_SPLITTER), splitter);
    QFile::setPermissions(splitter, QFile::ReadOwner | QFile::ExeOwner);
}

QStringList FormHarness::SplitterRuns() const {
    QFile log(QDir(Bin()).filePath(QStringLiteral("runs.log")));
    if (!log.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

MainWindow& FormHarness::Start(double draw) {
    form_ = std::make_unique<MainWindow>(FormServices{Bin(), kTestHomePage, [draw] { return draw; },
                                                 desktop, desktop, desktop, runner});
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get())) qFatal("the window was not exposed");
    return *form_;
}

QByteArray Mp3Of(int seconds) {
    static QMap<int, QByteArray> made;
    if (!made.contains(seconds)) {
        const QTemporaryDir scratch;
        const QString wav = scratch.filePath(QStringLiteral("sound.wav"));
        const QString mp3 = scratch.filePath(QStringLiteral("sound.mp3"));
        const auto run = [](const QString& program, const QStringList& args) {
            if (QProcess::execute(program, args) != 0) qFatal("%s failed", qPrintable(program));
        };
        run(QStringLiteral("sox"), {"-n", "-r", "44100", "-c", "2", wav, "synth",
                                    QString::number(seconds), "sine", "440"});
        run(QStringLiteral("lame"), {"--quiet", "-b", "128", wav, mp3});
        QFile file(mp3);
        if (!file.open(QIODevice::ReadOnly)) qFatal("no MP3 made");
        made.insert(seconds, file.readAll());
    }
    return made.value(seconds);
}

QByteArray Resource(const QString& name) {
    QFile file(QDir(QStringLiteral(PARVANE_RESOURCES_DIR)).filePath(name));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(file.fileName()));
    return file.readAll();
}

void HoverOver(QWidget* widget, QPoint local) {
    // Qt drops a move to the place the pointer already is; a second hover over the same
    // spot goes one pixel aside so that it still arrives.
    static QPoint last;
    QPoint global = widget->mapToGlobal(local.isNull() ? widget->rect().center() : local);
    if (global == last) global += QPoint(1, 1);
    last = global;
    QWidget* window = widget->window();
    QTest::mouseMove(window->windowHandle(), window->mapFromGlobal(global));
}

Qt::CursorShape SeenPointer(const QWidget* widget) {
    const QCursor* over = QGuiApplication::overrideCursor();
    return over != nullptr ? over->shape() : widget->cursor().shape();
}

}  // namespace parvane::test
