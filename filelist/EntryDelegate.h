// How the file list paints an entry: its path cut in the middle to the column's width so
// that the file name stays whole, and the entry with the keyboard focus framed in the
// desktop's focus colour, strong enough to stand out from the row's ground.
#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class QFontMetricsF;

namespace parvane {

class EntryDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // The text the entry shows in the cell `option` describes.
    QString ShownText(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

// The path as it fits `width`: whole folders after the first give way to "…" from the
// middle while the file name stays whole ("/home/…/Lectures/week-12.mp3"), then the first
// folder too ("…/Lectures/week-12.mp3"); where not even "…/week-12.mp3" fits, the text
// is cut in its middle. Measured as the item views lay text out, to the fraction of a
// pixel, so they never cut it a second time.
QString ElidePath(const QString& path, const QFontMetricsF& metrics, int width);

// The contrast of two colours as the web's accessibility guidelines reckon it, 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// `wanted`, or the nearest shade of it towards black or white that stands out from
// `ground` at least 3:1.
QColor StandingOut(const QColor& wanted, const QColor& ground);

}  // namespace parvane
