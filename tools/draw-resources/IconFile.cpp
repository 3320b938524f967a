#include "IconFile.h"

#include <QColor>
#include <QDataStream>
#include <QIODevice>

namespace parvane {

namespace {

constexpr quint16 kTypeIcon = 1;
constexpr quint16 kTypeCursor = 2;
constexpr int kBitmapHeaderSize = 40;
constexpr int kDirectorySize = 6 + 16;

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
        indexed = flat.convertToFormat(QImage::Format_Indexed8,
                                       Qt::ThresholdDither | Qt::AvoidDither);
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

QByteArray EncodeFile(const QImage& image, IconDepth depth, quint16 type, quint16 fieldA,
                      quint16 fieldB) {
    const QByteArray bitmap = EncodeBitmap(image, depth);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // The colour count stays 0: it means "256 or more" for the paletted picture too.
    out << quint16(0) << type << quint16(1);
    out << quint8(image.width()) << quint8(image.height()) << quint8(0)
        << quint8(0) << fieldA << fieldB << quint32(bitmap.size()) << quint32(kDirectorySize);
    out.writeRawData(bitmap.constData(), bitmap.size());
    return bytes;
}

}  // namespace

QByteArray EncodeIcon(const QImage& image, IconDepth depth) {
    const quint16 bits = depth == IconDepth::Palette256 ? 8 : 32;
    return EncodeFile(image, depth, kTypeIcon, 1, bits);
}

QByteArray EncodeCursor(const QImage& image, QPoint hotspot) {
    // A cursor's directory entry holds the hotspot where an icon's holds planes and depth.
    return EncodeFile(image, IconDepth::TrueColourAlpha, kTypeCursor,
                      static_cast<quint16>(hotspot.x()), static_cast<quint16>(hotspot.y()));
}

}  // namespace parvane
