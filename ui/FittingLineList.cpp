#include "ui/FittingLineList.h"

#include <QFontMetricsF>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>

#include "filelist/EntryDelegate.h"

namespace parvane {

namespace {

// The share of the screen's width the list takes at most.
constexpr double kWidestShare = 0.75;

// What the style takes from an entry's width beside the text.
int ItemMargins(const QWidget& list) {
    return 2 * (list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1) + 2;
}

}  // namespace

QString FitLine(const QString& line, const QStringList& paths, const QFontMetricsF& metrics,
                int width) {
    if (metrics.horizontalAdvance(line) <= width) return line;
    QString longest;
    for (const QString& path : paths) {
        if (path.size() > longest.size() && line.contains(path)) longest = path;
    }
    if (!longest.isEmpty()) {
        const qsizetype at = line.indexOf(longest);
        const QString before = line.left(at);
        const QString after = line.mid(at + longest.size());
        const int room =
            static_cast<int>(std::floor(width - metrics.horizontalAdvance(before + after)));
        if (room > metrics.horizontalAdvance(QStringLiteral("\u2026/\u2026"))) {
            QString shown = before + ElidePath(longest, metrics, room) + after;
            if (metrics.horizontalAdvance(shown) <= width) return shown;
        }
    }
    return metrics.elidedText(line, Qt::ElideMiddle, width);
}

FittingLineList::FittingLineList(const QStringList& lines, const QStringList& paths,
                                 QWidget* parent)
    : QListWidget(parent), lines_(lines), paths_(paths) {
    addItems(lines);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    widestLine_ = sizeHintForColumn(0);
}

QSize FittingLineList::sizeHint() const {
    const QScreen* shown = screen();
    const int widest = static_cast<int>(
        (shown != nullptr ? shown->availableGeometry().width() : 1024) * kWidestShare);
    const int frames = 2 * frameWidth();
    const int rows = count() > 0 ? sizeHintForRow(0) * count() : 0;
    return {std::min(widestLine_ + ItemMargins(*this) + frames, widest), rows + frames};
}

// One line and the upright scroll bar beside it, however many lines there are.
QSize FittingLineList::minimumSizeHint() const {
    const int frames = 2 * frameWidth();
    return {verticalScrollBar()->sizeHint().width() + frames,
            (count() > 0 ? sizeHintForRow(0) : 0) + frames};
}

void FittingLineList::FitLines() {
    const int width = viewport()->width() - ItemMargins(*this);
    for (int row = 0; row < count(); ++row) {
        const QString shown = FitLine(lines_.at(row), paths_, QFontMetricsF(font()), width);
        item(row)->setText(shown);
        item(row)->setToolTip(shown == lines_.at(row) ? QString() : lines_.at(row));
    }
}

// Also told when the viewport alone changes, as when the upright scroll bar comes or goes.
void FittingLineList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    FitLines();
}

}  // namespace parvane
