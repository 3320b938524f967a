// Paints every picture the program ships and writes them into the folder given as the
// only argument: icons and pointers in the formats the window loads, each with an image
// per screen scale, and PNGs of the window icon for the desktop menu.
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

// 100 %, 150 % and 200 % of the 32 pixels the window shows a picture or pointer at.
constexpr int kScaledSizes[] = {32, 48, 64};
// The sizes desktops look for in the icon theme's hicolor folders.
constexpr int kMenuIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

QList<QImage> AtEverySize(QImage (*paint)(int)) {
    QList<QImage> images;
    for (int size : kScaledSizes) images.append(paint(size));
    return images;
}

bool WriteHandPointer(const QDir& folder) {
    QList<QImage> images;
    QList<QPoint> hotspots;
    for (int size : kScaledSizes) {
        const parvane::PointerPicture hand = parvane::PaintHandPointer(size);
        images.append(hand.image);
        hotspots.append(hand.hotspot);
    }
    return Write(folder, "HAND-M.CUR", parvane::EncodeCursor(images, hotspots));
}

bool WriteMenuIcons(const QDir& folder) {
    for (int size : kMenuIconSizes) {
        const QString apps = QStringLiteral("icons/hicolor/%1x%1/apps").arg(size);
        if (!folder.mkpath(apps) ||
            !WritePng(QDir(folder.filePath(apps)), "parvane.png", parvane::PaintWindowIcon(size))) {
            return false;
        }
    }
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
    const bool written =
        Write(folder, "parvane.ico", pv::EncodeIcon(AtEverySize(pv::PaintWindowIcon), full)) &&
        Write(folder, "add-files.ico", pv::EncodeIcon(AtEverySize(pv::PaintAddFiles), full)) &&
        Write(folder, "add-folder.ico",
              pv::EncodeIcon(AtEverySize(pv::PaintAddFolder), pv::IconDepth::Palette256)) &&
        Write(folder, "split.ico", pv::EncodeIcon(AtEverySize(pv::PaintSplit), full)) &&
        Write(folder, "drag.ico", pv::EncodeIcon(AtEverySize(pv::PaintDragPointer), full)) &&
        WriteHandPointer(folder) && WriteMenuIcons(folder);
    return written ? 0 : 1;
}
