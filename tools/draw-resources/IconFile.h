// Writing Windows icon and cursor files, one image per size, from painted images.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>

namespace parvane {

// True colour carries an alpha channel: Qt's icon reader ignores the transparency mask
// of 24-bit entries, so a 24-bit picture would show a black square around it. The
// 256-colour entry relies on the mask alone; its half-transparent edge pixels are
// blended onto white, the colour of the buttons that show it.
enum class IconDepth { TrueColourAlpha, Palette256 };

// An .ico file: each image's colours at the given depth plus a transparency mask taken
// from its alpha channel.
QByteArray EncodeIcon(const QList<QImage>& images, IconDepth depth);

// A .cur file: like an icon, but each directory entry carries its image's hotspot.
QByteArray EncodeCursor(const QList<QImage>& images, const QList<QPoint>& hotspots);

}  // namespace parvane
