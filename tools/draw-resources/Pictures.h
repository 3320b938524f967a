// The program's pictures, designed at 32 x 32 and painted at any size (a side in pixels)
// on a transparent ground, so each size is drawn sharp rather than scaled from another.
#pragma once

#include <QImage>
#include <QPoint>

namespace parvane {

inline constexpr int kDesignSize = 32;

QImage PaintWindowIcon(int size);   // a butterfly, the program's namesake
QImage PaintAddFiles(int size);     // a sheet of music with a plus
QImage PaintAddFolder(int size);    // a folder of music with a plus
QImage PaintSplit(int size);        // scissors cutting a sound wave
QImage PaintDragPointer(int size);  // an up-and-down arrow for carrying a list entry

struct PointerPicture {
    QImage image;
    QPoint hotspot;
};
// A pointing hand, hotspot at the fingertip. Drawn pixel by pixel at 32 and enlarged
// pixel by pixel, so its edges stay hard at every size.
PointerPicture PaintHandPointer(int size);

}  // namespace parvane
