#include "IconFile.h"

#include <QColor>
#include <QDataStream>
#include <QIODevice>

#include "filelist/IconFileFormat.h"

namespace parvane {

namespace {

using icon_file::kDirectoryEntrySize;
using icon_file::kDirectoryHeaderSize;
using icon_file::kTypeCursor;
using icon_file::kTypeIcon;
constexpr int kBitmapHeaderSize = 40;

int RowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

QRgb OnWhite(QRgb pixel) {
    const int alpha = qAlpha(pixel);
    auto blend = [alpha](int channel) { return (channel * alpha + 255 * (255 - alpha)) / 255; };
    return qRgb(blend(qRed(pixel)), blend(qGreen(pixel)), blend(qBlue(pixel)));
}

bool Transparent(QRgb pixel) {
    return qAlpha(pixel) < 128;
}

// The bitmap part of an icon entry: header, optional palette, colour rows and mask rows,
// all bottom-up as the format wants.
QByteArray EncodeBitmap(const QImage& source, IconDepth depth) {
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    const int height = argb.height();

    const bool paletted = depth == IconDepth::Palette256;
    const int bitsPerPixel = paletted ? 8 : 32;
    QImage indexed;
    if (paletted) {
        QImage flat(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const QRgb pixel = argb.pixel(x, y);
                flat.setPixel(x, y, Transparent(pixel) ? qRgb(0, 0, 0) : OnWhite(pixel));
            }
        }
        indexed =
            flat.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    }
    const int colourRow = RowBytes(width, bitsPerPixel);
    const int maskRow = RowBytes(width, 1);

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(kBitmapHeaderSize) << qint32(width) << qint32(height * 2) << quint16(1)
        << quint16(bitsPerPixel) << quint32(0) << quint32((colourRow + maskRow) * height)
        << qint32(0) << qint32(0) << quint32(paletted ? 256 : 0) << quint32(0);
    if (paletted) {
        QList<QRgb> table = indexed.colorTable();
        table.resize(256, qRgb(0, 0, 0));
        for (QRgb colour : table) {
            out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour))
                << quint8(0);
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        int written = 0;
        for (int x = 0; x < width; ++x) {
            if (paletted) {
                out << quint8(indexed.pixelIndex(x, y));
                written += 1;
            } else {
                const QRgb pixel = argb.pixel(x, y);
                out << quint8(qBlue(pixel)) << quint8(qGreen(pixel)) << quint8(qRed(pixel))
                    << quint8(qAlpha(pixel));
                written += 4;
            }
        }
        for (; written < colourRow; ++written) {
            out << quint8(0);
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < width; ++x) {
            if (Transparent(argb.pixel(x, y))) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.writeRawData(row.constData(), row.size());
    }
    return bytes;
}

// The directory (one entry per image, fieldA and fieldB being planes and depth for an
// icon, the hotspot for a cursor) followed by the images' bitmaps.
QByteArray EncodeFile(const QList<QImage>& images, IconDepth depth, quint16 type,
                      const QList<QPoint>& fields) {
    QList<QByteArray> bitmaps;
    for (const QImage& image : images) bitmaps.append(EncodeBitmap(image, depth));
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << type << quint16(images.size());
    quint32 offset = kDirectoryHeaderSize + kDirectoryEntrySize * images.size();
    for (qsizetype i = 0; i < images.size(); ++i) {
        // A side of 256 is written as 0. The colour count stays 0: it means "256 or more"
        // for the paletted pictures too.
        out << quint8(images[i].width() & 0xff) << quint8(images[i].height() & 0xff) << quint8(0)
            << quint8(0) << quint16(fields[i].x()) << quint16(fields[i].y())
            << quint32(bitmaps[i].size()) << offset;
        offset += bitmaps[i].size();
    }
    for (const QByteArray& bitmap : bitmaps) out.writeRawData(bitmap.constData(), bitmap.size());
    return bytes;
}

}  // namespace

QByteArray EncodeIcon(const QList<QImage>& images, IconDepth depth) {
    const int bits = depth == IconDepth::Palette256 ? 8 : 32;
    return EncodeFile(images, depth, kTypeIcon, QList<QPoint>(images.size(), QPoint(1, bits)));
}

QByteArray EncodeCursor(const QList<QImage>& images, const QList<QPoint>& hotspots) {
    return EncodeFile(images, IconDepth::TrueColourAlpha, kTypeCursor, hotspots);
}

}  // namespace parvane
