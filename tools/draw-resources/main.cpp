// Paints every picture the program ships and writes them into the folder given as the
// only argument: icons and pointers in the formats the window loads, and a PNG of the
// window icon for the desktop menu.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "IconFile.h"
#include "Pictures.h"

namespace {

bool Write(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    std::printf("%s\n", qPrintable(file.fileName()));
    return true;
}

bool WritePng(const QDir& folder, const QString& name, const QImage& image) {
    const QString path = folder.filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-resources OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "no such folder: %s\n", argv[1]);
        return 2;
    }

    namespace pv = parvane;
    const pv::IconDepth full = pv::IconDepth::TrueColourAlpha;
    const pv::PointerPicture hand = pv::PaintHandPointer();
    const bool written =
        Write(folder, "parvane.ico", pv::EncodeIcon(pv::PaintWindowIcon(), full)) &&
        WritePng(folder, "icons/hicolor/32x32/apps/parvane.png", pv::PaintWindowIcon()) &&
        Write(folder, "add-files.ico", pv::EncodeIcon(pv::PaintAddFiles(), full)) &&
        Write(folder, "add-folder.ico",
              pv::EncodeIcon(pv::PaintAddFolder(), pv::IconDepth::Palette256)) &&
        Write(folder, "split.ico", pv::EncodeIcon(pv::PaintSplit(), full)) &&
        Write(folder, "drag.ico", pv::EncodeIcon(pv::PaintDragPointer(), full)) &&
        Write(folder, "HAND-M.CUR", pv::EncodeCursor(hand.image, hand.hotspot));
    return written ? 0 : 1;
}
