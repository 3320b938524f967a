#include "filelist/PointerFile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

#include <algorithm>
#include <cmath>

#include "filelist/IconFileFormat.h"

namespace parvane {

namespace {

using icon_file::kDirectoryEntrySize;
using icon_file::kDirectoryHeaderSize;
using icon_file::kTypeCursor;
using icon_file::kTypeIcon;
constexpr qint64 kLargestSensibleFile = 1 << 20;

quint16 Word(const QByteArray& bytes, qsizetype at) {
    return static_cast<quint16>(static_cast<quint8>(bytes[at]) |
                                (static_cast<quint8>(bytes[at + 1]) << 8));
}

int Side(const QByteArray& bytes, qsizetype at) {
    const int stored = static_cast<quint8>(bytes[at]);
    return stored == 0 ? 256 : stored;
}

// The first image at least as large as the screen wants, else the largest.
std::size_t ChooseImage(const std::vector<PointerImageEntry>& entries, int wantedSide) {
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int side = entries[i].size.width();
        const int best = entries[chosen].size.width();
        const bool fits = side >= wantedSide;
        const bool bestFits = best >= wantedSide;
        if ((fits && (!bestFits || side < best)) || (!fits && !bestFits && side > best)) {
            chosen = i;
        }
    }
    return chosen;
}

}  // namespace

std::vector<PointerImageEntry> ReadPointerDirectory(const QByteArray& file) {
    if (file.size() < kDirectoryHeaderSize || Word(file, 0) != 0) return {};
    const quint16 type = Word(file, 2);
    const int count = Word(file, 4);
    if ((type != kTypeIcon && type != kTypeCursor) || count == 0 ||
        file.size() < kDirectoryHeaderSize + qsizetype(count) * kDirectoryEntrySize) {
        return {};
    }
    std::vector<PointerImageEntry> entries;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = kDirectoryHeaderSize + qsizetype(i) * kDirectoryEntrySize;
        const QSize size(Side(file, entry), Side(file, entry + 1));
        const QPoint hotspot = type == kTypeCursor
                                   ? QPoint(Word(file, entry + 4), Word(file, entry + 6))
                                   : QPoint(size.width() / 2, size.height() / 2);
        entries.push_back({size, hotspot});
    }
    return entries;
}

std::optional<QCursor> LoadCursorFile(const QString& path, qreal devicePixelRatio) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestSensibleFile) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    const std::vector<PointerImageEntry> entries = ReadPointerDirectory(bytes);
    if (entries.empty()) return std::nullopt;
    const int logicalSide = std::min_element(entries.begin(), entries.end(), [](auto& a, auto& b) {
                                return a.size.width() < b.size.width();
                            })->size.width();
    const std::size_t chosen =
        ChooseImage(entries, static_cast<int>(std::lround(logicalSide * devicePixelRatio)));

    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ICO");
    QImage picture;
    if (!reader.jumpToImage(static_cast<int>(chosen)) || !reader.read(&picture) ||
        picture.isNull()) {
        return std::nullopt;
    }
    const qreal scale = picture.width() / qreal(logicalSide);
    QPixmap pixmap = QPixmap::fromImage(picture);
    pixmap.setDevicePixelRatio(scale);
    // The window system puts the hot spot on the picture's own pixels, so it is the one
    // the file gives for that picture (the fingertip at every scale), not a logical one.
    return QCursor(pixmap, std::clamp(entries[chosen].hotspot.x(), 0, picture.width() - 1),
                   std::clamp(entries[chosen].hotspot.y(), 0, picture.height() - 1));
}

}  // namespace parvane
