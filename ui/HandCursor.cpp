#include "HandCursor.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <algorithm>

namespace parvane {

namespace {

constexpr int kDirectorySize = 6;
constexpr int kEntrySize = 16;
constexpr quint16 kTypeIcon = 1;
constexpr quint16 kTypeCursor = 2;
constexpr qint64 kLargestSensibleFile = 1 << 20;

quint16 Word(const QByteArray& bytes, int at) {
    return static_cast<quint16>(static_cast<quint8>(bytes[at]) |
                                (static_cast<quint8>(bytes[at + 1]) << 8));
}

int Side(const QByteArray& bytes, int at) {
    const int stored = static_cast<quint8>(bytes[at]);
    return stored == 0 ? 256 : stored;
}

}  // namespace

std::optional<QPoint> ReadCursorHotspot(const QByteArray& file) {
    if (file.size() < kDirectorySize + kEntrySize || Word(file, 0) != 0 || Word(file, 4) == 0) {
        return std::nullopt;
    }
    const int entry = kDirectorySize;
    switch (Word(file, 2)) {
        case kTypeCursor:
            return QPoint(Word(file, entry + 4), Word(file, entry + 6));
        case kTypeIcon:
            return QPoint(Side(file, entry) / 2, Side(file, entry + 1) / 2);
        default:
            return std::nullopt;
    }
}

std::optional<QCursor> LoadCursorFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestSensibleFile) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    const std::optional<QPoint> hotspot = ReadCursorHotspot(bytes);
    if (!hotspot) {
        return std::nullopt;
    }
    const QImage picture = QImage::fromData(bytes, "ICO");
    if (picture.isNull()) {
        return std::nullopt;
    }
    const QPoint inside(std::clamp(hotspot->x(), 0, picture.width() - 1),
                        std::clamp(hotspot->y(), 0, picture.height() - 1));
    return QCursor(QPixmap::fromImage(picture), inside.x(), inside.y());
}

}  // namespace parvane
