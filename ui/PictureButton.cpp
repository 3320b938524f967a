#include "ui/PictureButton.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "ui/MainWindowLayout.h"

namespace parvane {

namespace {

constexpr int kBevel = 2;
constexpr int kPictureTextGap = 1;
constexpr int kTextMargin = 4;
constexpr int kTextFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

// Two-pixel bevel: light above and left when raised, shadow there when pressed.
void PaintBevel(QPainter& painter, const QRect& area, bool sunken) {
    const QColor outerLight(0xe3, 0xe3, 0xe3);
    const QColor innerLight(Qt::white);
    const QColor outerDark(0x40, 0x40, 0x40);
    const QColor innerDark(0xa0, 0xa0, 0xa0);
    const QRect outer = area.adjusted(0, 0, -1, -1);
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    auto frame = [&painter](const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    if (sunken) {
        frame(outer, outerDark, innerLight);
        frame(inner, innerDark, outerLight);
    } else {
        frame(outer, outerLight, outerDark);
        frame(inner, innerLight, innerDark);
    }
}

}  // namespace

PictureButton::PictureButton(const QString& caption, const QIcon& picture, QWidget* parent)
    : QToolButton(parent) {
    setText(caption);
    setIcon(picture);
    setIconSize(QSize(kPictureSize, kPictureSize));
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFont(ArialBold(kButtonFontPoints));
}

void PictureButton::SetLooksUnavailable(bool unavailable) {
    if (unavailable == looksUnavailable_) {
        return;
    }
    looksUnavailable_ = unavailable;
    update();
    QAccessible::State changed;
    changed.disabled = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = isDown() || isChecked();
    painter.fillRect(rect(), Qt::white);
    PaintBevel(painter, rect(), sunken);

    const QRect inside =
        rect().adjusted(kBevel + kTextMargin, kBevel, -kBevel - kTextMargin, -kBevel);
    const QRect textBounds = painter.fontMetrics().boundingRect(inside, kTextFlags, text());
    const int blockHeight = kPictureSize + kPictureTextGap + textBounds.height();
    const int shift = sunken ? 1 : 0;
    const int top = inside.top() + (inside.height() - blockHeight) / 2 + shift;

    const QRect pictureArea(inside.left() + (inside.width() - kPictureSize) / 2 + shift, top,
                            kPictureSize, kPictureSize);
    icon().paint(&painter, pictureArea, Qt::AlignCenter,
                 looksUnavailable_ ? QIcon::Disabled : QIcon::Normal);

    const QRect textArea(inside.left() + shift, top + kPictureSize + kPictureTextGap,
                         inside.width(), textBounds.height());
    painter.setPen(palette().color(looksUnavailable_ ? QPalette::Disabled : QPalette::Active,
                                   QPalette::ButtonText));
    painter.drawText(textArea, kTextFlags, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect =
            painter.fontMetrics().boundingRect(textArea, kTextFlags, text()).adjusted(-2, 0, 2, 1);
        focus.backgroundColor = Qt::white;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove();
    QToolButton::mouseMoveEvent(event);
    // The move belongs to the button: passed on, the window's own hover rule would undo
    // the button's at once.
    event->accept();
}

}  // namespace parvane
