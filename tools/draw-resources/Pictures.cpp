#include "Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace parvane {

namespace {

QImage Blank(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Smooth edges, and the design's 32 units spread over the image's pixels.
void Smooth(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (painter.transform().isIdentity()) {
        const qreal scale = painter.device()->width() / qreal(kDesignSize);
        painter.scale(scale, scale);
    }
}

void PaintNote(QPainter& painter, QPointF head, qreal stemHeight, const QColor& colour) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.translate(head);
    painter.rotate(-25);
    painter.drawEllipse(QPointF(0, 0), 3.4, 2.5);
    painter.restore();

    const QPointF stemFoot(head.x() + 2.9, head.y() - 0.8);
    const QPointF stemTop(stemFoot.x(), stemFoot.y() - stemHeight);
    painter.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(stemFoot, stemTop);
    QPainterPath flag(stemTop);
    flag.cubicTo(stemTop + QPointF(1.0, 3.0), stemTop + QPointF(5.5, 3.5),
                 stemTop + QPointF(4.0, 8.5));
    painter.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(flag);
}

void PaintPlusBadge(QPainter& painter, QPointF centre) {
    QRadialGradient fill(centre - QPointF(2, 2), 9);
    fill.setColorAt(0, QColor(0x7c, 0xe0, 0x6a));
    fill.setColorAt(1, QColor(0x1e, 0x8c, 0x2a));
    painter.setPen(QPen(QColor(0x0e, 0x5a, 0x18), 1.0));
    painter.setBrush(fill);
    painter.drawEllipse(centre, 6.5, 6.5);
    painter.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(centre - QPointF(3.6, 0), centre + QPointF(3.6, 0));
    painter.drawLine(centre - QPointF(0, 3.6), centre + QPointF(0, 3.6));
}

}  // namespace

QImage PaintWindowIcon(int size) {
    QImage image = Blank(size);
    QPainter painter(&image);
    Smooth(painter);
    const QPen outline(QColor(0x3a, 0x1c, 0x10), 1.0);

    for (int side : {-1, 1}) {
        auto at = [side](qreal dx, qreal y) { return QPointF(16 + side * dx, y); };

        QPainterPath upper(at(1, 13));
        upper.cubicTo(at(4, 3), at(13, 0.5), at(15, 3.5));
        upper.cubicTo(at(16.5, 7), at(12, 14), at(1, 17));
        upper.closeSubpath();
        QRadialGradient upperFill(at(9, 7), 11);
        upperFill.setColorAt(0, QColor(0xff, 0xc4, 0x3d));
        upperFill.setColorAt(0.6, QColor(0xf2, 0x7a, 0x12));
        upperFill.setColorAt(1, QColor(0xb8, 0x2e, 0x12));
        painter.setPen(outline);
        painter.setBrush(upperFill);
        painter.drawPath(upper);

        QPainterPath lower(at(1, 17));
        lower.cubicTo(at(9, 16), at(13, 21), at(10, 27));
        lower.cubicTo(at(7, 31), at(2, 28), at(1, 21));
        lower.closeSubpath();
        QRadialGradient lowerFill(at(6, 21), 9);
        lowerFill.setColorAt(0, QColor(0xd0, 0x7c, 0xf0));
        lowerFill.setColorAt(1, QColor(0x6a, 0x1f, 0x9a));
        painter.setBrush(lowerFill);
        painter.drawPath(lower);

        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 230));
        painter.drawEllipse(at(11.5, 5.5), 1.6, 1.6);
        painter.drawEllipse(at(7.0, 24.0), 1.2, 1.2);

        painter.setPen(QPen(QColor(0x3a, 0x1c, 0x10), 1.0, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        QPainterPath feeler(at(0.6, 8));
        feeler.quadTo(at(1.5, 3), at(5, 1.5));
        painter.drawPath(feeler);
    }

    QLinearGradient bodyFill(QPointF(14.5, 0), QPointF(17.5, 0));
    bodyFill.setColorAt(0, QColor(0x6b, 0x3a, 0x1e));
    bodyFill.setColorAt(1, QColor(0x2a, 0x12, 0x08));
    painter.setPen(Qt::NoPen);
    painter.setBrush(bodyFill);
    painter.drawEllipse(QRectF(14.6, 7.5, 2.8, 19.5));
    return image;
}

QImage PaintAddFiles(int size) {
    QImage image = Blank(size);
    QPainter painter(&image);
    Smooth(painter);

    QPainterPath sheet(QPointF(5.5, 1.5));
    sheet.lineTo(17.5, 1.5);
    sheet.lineTo(23.5, 7.5);
    sheet.lineTo(23.5, 29.5);
    sheet.lineTo(5.5, 29.5);
    sheet.closeSubpath();
    QLinearGradient paper(QPointF(5, 0), QPointF(24, 30));
    paper.setColorAt(0, Qt::white);
    paper.setColorAt(1, QColor(0xdc, 0xe6, 0xf2));
    painter.setPen(QPen(QColor(0x4a, 0x5a, 0x70), 1.0));
    painter.setBrush(paper);
    painter.drawPath(sheet);

    QPainterPath fold(QPointF(17.5, 1.5));
    fold.lineTo(17.5, 7.5);
    fold.lineTo(23.5, 7.5);
    painter.setBrush(QColor(0xc4, 0xd0, 0xe0));
    painter.drawPath(fold);

    PaintNote(painter, QPointF(11.5, 21.5), 11.5, QColor(0x1c, 0x4f, 0xb8));
    PaintPlusBadge(painter, QPointF(24.0, 24.0));
    return image;
}

QImage PaintAddFolder(int size) {
    QImage image = Blank(size);
    QPainter painter(&image);
    Smooth(painter);
    const QPen edge(QColor(0x8a, 0x5c, 0x00), 1.0);

    QPainterPath back(QPointF(1.5, 27.5));
    back.lineTo(1.5, 5.5);
    back.lineTo(10.5, 5.5);
    back.lineTo(13.0, 8.5);
    back.lineTo(28.5, 8.5);
    back.lineTo(28.5, 27.5);
    back.closeSubpath();
    painter.setPen(edge);
    painter.setBrush(QColor(0xe0, 0xa8, 0x20));
    painter.drawPath(back);

    QPainterPath front(QPointF(1.5, 27.5));
    front.lineTo(4.0, 12.5);
    front.lineTo(30.5, 12.5);
    front.lineTo(28.5, 27.5);
    front.closeSubpath();
    QLinearGradient fill(QPointF(0, 12), QPointF(0, 28));
    fill.setColorAt(0, QColor(0xff, 0xe2, 0x7a));
    fill.setColorAt(1, QColor(0xf0, 0xb4, 0x22));
    painter.setBrush(fill);
    painter.drawPath(front);

    PaintNote(painter, QPointF(10.5, 23.5), 8.0, QColor(0x1c, 0x4f, 0xb8));
    PaintPlusBadge(painter, QPointF(24.0, 24.5));
    return image;
}

QImage PaintSplit(int size) {
    QImage image = Blank(size);
    QPainter painter(&image);
    Smooth(painter);

    static constexpr std::array<qreal, 15> kLevels = {1.5, 3.0, 4.5, 2.5, 5.0, 3.5, 1.5, 0.0,
                                                      2.0, 4.5, 3.0, 5.0, 4.0, 2.0, 1.0};
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1c, 0x4f, 0xb8));
    for (std::size_t bar = 0; bar < kLevels.size(); ++bar) {
        const qreal x = 1.0 + 2.0 * static_cast<qreal>(bar);
        painter.drawRect(QRectF(x, 8 - kLevels[bar], 1.0, 1.0 + 2 * kLevels[bar]));
    }
    Smooth(painter);
    painter.setPen(QPen(QColor(0xd0, 0x20, 0x20), 1.2, Qt::DotLine));
    painter.drawLine(QPointF(16, 1), QPointF(16, 15));

    QLinearGradient steel(QPointF(10, 0), QPointF(22, 0));
    steel.setColorAt(0, QColor(0xf4, 0xf6, 0xf8));
    steel.setColorAt(1, QColor(0x8a, 0x94, 0x9e));
    for (int side : {-1, 1}) {
        const QPointF neck(16 - side * 4.5, 22);
        const QPointF tip(16 + side * 2.5, 6);
        const QPointF across(2.6, 0.7 * side);
        QPainterPath blade(neck - across);
        blade.lineTo(tip);
        blade.lineTo(neck + across);
        blade.closeSubpath();
        painter.setPen(
            QPen(QColor(0x38, 0x40, 0x48), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(steel);
        painter.drawPath(blade);
    }
    for (int side : {-1, 1}) {
        QPainterPath ring;
        ring.addEllipse(QPointF(16 - side * 7.5, 26), 5.2, 4.4);
        ring.addEllipse(QPointF(16 - side * 7.5, 26), 2.6, 1.9);
        ring.setFillRule(Qt::OddEvenFill);
        painter.setPen(QPen(QColor(0x7a, 0x10, 0x10), 1.0));
        painter.setBrush(QColor(0xd8, 0x2a, 0x2a));
        painter.drawPath(ring);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x30, 0x30, 0x30));
    painter.drawEllipse(QPointF(16, 16), 1.4, 1.4);
    return image;
}

QImage PaintDragPointer(int size) {
    QImage image = Blank(size);
    QPainter painter(&image);
    Smooth(painter);

    QPainterPath arrow;
    arrow.moveTo(16, 1.5);
    arrow.lineTo(24.5, 10.5);
    arrow.lineTo(19.5, 10.5);
    arrow.lineTo(19.5, 21.5);
    arrow.lineTo(24.5, 21.5);
    arrow.lineTo(16, 30.5);
    arrow.lineTo(7.5, 21.5);
    arrow.lineTo(12.5, 21.5);
    arrow.lineTo(12.5, 10.5);
    arrow.lineTo(7.5, 10.5);
    arrow.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);
    return image;
}

PointerPicture PaintHandPointer(int size) {
    // Drawn pixel by pixel, as pointers are: '#' outline, '.' fill, anything else clear.
    static constexpr std::array<const char*, 22> kRows = {
        "      ##          ", "     #..#         ", "     #..#         ", "     #..#         ",
        "     #..#         ", "     #..###       ", "     #..#..###    ", "     #..#..#..##  ",
        "     #..#..#..#.# ", " ### #..#..#..#..#", " #..##........#..#", " #...#...........#",
        "  #..#...........#", "  #..............#", "   #.............#", "   #.............#",
        "    #...........# ", "    #...........# ", "     #.........#  ", "     #.........#  ",
        "     ###########  ", "                  ",
    };
    QImage design = Blank(kDesignSize);
    for (std::size_t row = 0; row < kRows.size(); ++row) {
        const char* line = kRows[row];
        for (int column = 0; line[column] != '\0'; ++column) {
            const char cell = line[column];
            if (cell == '#' || cell == '.') {
                design.setPixel(column + 4, static_cast<int>(row) + 1,
                                cell == '#' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            }
        }
    }
    // Each pixel takes the design pixel it falls in; the hotspot is the first pixel that
    // the design's hotspot pixel covers.
    const qreal scale = size / qreal(kDesignSize);
    QImage image = Blank(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            image.setPixel(x, y, design.pixel(int(x / scale), int(y / scale)));
        }
    }
    const QPoint designHotspot(10, 1);
    return {image, QPoint(int(std::ceil(designHotspot.x() * scale)),
                          int(std::ceil(designHotspot.y() * scale)))};
}

}  // namespace parvane
