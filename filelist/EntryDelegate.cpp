#include "filelist/EntryDelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace parvane {

namespace {

constexpr double kLeastContrast = 3.0;
constexpr int kFocusFrameWidth = 2;
const QString kEllipsis(QChar(0x2026));

double Luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

QColor Mixed(const QColor& from, const QColor& to, double share) {
    return QColor::fromRgbF(
        static_cast<float>(from.redF() + (to.redF() - from.redF()) * share),
        static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * share),
        static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * share));
}

const QStyle& StyleOf(const QStyleOptionViewItem& option) {
    return option.widget != nullptr ? *option.widget->style() : *QApplication::style();
}

// The width the style leaves the text: the text's part of the cell, less its margins.
int TextWidth(const QStyleOptionViewItem& option) {
    const QStyle& style = StyleOf(option);
    const int margin = style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    return style.subElementRect(QStyle::SE_ItemViewItemText, &option, option.widget).width() -
           2 * margin;
}

}  // namespace

QString ElidePath(const QString& path, const QFontMetricsF& metrics, int width) {
    if (metrics.horizontalAdvance(path) <= width) return path;
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/'));
    if (nameStart > 0) {
        const QStringList folders = path.left(nameStart).split(QLatin1Char('/'));
        const QString name = path.mid(nameStart);
        // An absolute path keeps its root and its first folder as long as it can.
        const qsizetype head = folders.first().isEmpty() ? 2 : 1;
        for (const qsizetype kept : {head, qsizetype{0}}) {
            for (qsizetype tail = folders.size() - head - 1; tail >= 0; --tail) {
                QStringList shownFolders = folders.mid(0, kept);
                shownFolders << kEllipsis;
                shownFolders << folders.mid(folders.size() - tail);
                QString shown = shownFolders.join(QLatin1Char('/')) + name;
                if (metrics.horizontalAdvance(shown) <= width) return shown;
            }
        }
    }
    return metrics.elidedText(path, Qt::ElideMiddle, width);
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double lighter = std::max(Luminance(a), Luminance(b));
    const double darker = std::min(Luminance(a), Luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

QColor StandingOut(const QColor& wanted, const QColor& ground) {
    const QColor extreme = ContrastRatio(Qt::black, ground) > ContrastRatio(Qt::white, ground)
                               ? QColor(Qt::black)
                               : QColor(Qt::white);
    QColor shade = wanted;
    for (int step = 1; step <= 20 && ContrastRatio(shade, ground) < kLeastContrast; ++step) {
        shade = Mixed(wanted, extreme, step / 20.0);
    }
    return shade;
}

QString EntryDelegate::ShownText(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    return ElidePath(cell.text, QFontMetricsF(cell.font), TextWidth(cell));
}

// The style's own focus mark is a faint fill that is hardly seen on white; a frame in the
// focus colour takes its place.
void EntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    cell.text = ElidePath(cell.text, QFontMetricsF(cell.font), TextWidth(cell));
    const bool focused = (cell.state & QStyle::State_HasFocus) != 0;
    cell.state &= ~QStyle::State_HasFocus;
    StyleOf(cell).drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
    if (!focused) return;
    const QColor ground = cell.palette.color(
        (cell.state & QStyle::State_Selected) != 0 ? QPalette::Highlight : QPalette::Base);
    painter->save();
    painter->setPen(
        QPen(StandingOut(cell.palette.color(QPalette::Highlight), ground), kFocusFrameWidth));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(cell.rect).adjusted(1, 1, -1, -1));
    painter->restore();
}

}  // namespace parvane
