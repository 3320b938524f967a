// Pointers loaded from Windows cursor files (.cur, or an .ico, whose hotspot is its
// centre). A file that is missing or cannot be read as one gives no pointer at all.
#pragma once

#include <QByteArray>
#include <QCursor>
#include <QPoint>
#include <QString>
#include <optional>

namespace parvane {

inline constexpr const char* kHandPointerFile = "HAND-M.CUR";

// The hotspot of the file's first picture, from the file's directory entry.
std::optional<QPoint> ReadCursorHotspot(const QByteArray& file);

std::optional<QCursor> LoadCursorFile(const QString& path);

}  // namespace parvane
