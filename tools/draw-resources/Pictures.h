// The program's pictures, painted at 32 x 32 on a transparent ground.
#pragma once

#include <QImage>
#include <QPoint>

namespace parvane {

inline constexpr int kPictureSize = 32;

QImage PaintWindowIcon();     // a butterfly, the program's namesake
QImage PaintAddFiles();       // a sheet of music with a plus
QImage PaintAddFolder();      // a folder of music with a plus
QImage PaintSplit();          // scissors cutting a sound wave
QImage PaintDragPointer();    // an up-and-down arrow for carrying a list entry

struct PointerPicture {
    QImage image;
    QPoint hotspot;
};
PointerPicture PaintHandPointer();  // a pointing hand, hotspot at the fingertip

}  // namespace parvane
