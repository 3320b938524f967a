// Pointers loaded from Windows cursor files (.cur, or an .ico, whose hotspot is its
// centre), which may hold one image for each screen scale. A file that is missing or
// cannot be read as one gives no pointer at all.
#pragma once

#include <QByteArray>
#include <QCursor>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace parvane {

struct PointerImageEntry {
    QSize size;
    QPoint hotspot;  // in the image's own pixels
};

// The file's directory: one entry per image, in file order; empty when it is none.
std::vector<PointerImageEntry> ReadPointerDirectory(const QByteArray& file);

// The image made for the screen's pixels per logical pixel (the smallest image counts as
// 100 %), shown at the smallest image's logical size with its own hotspot.
std::optional<QCursor> LoadCursorFile(const QString& path, qreal devicePixelRatio);

}  // namespace parvane
