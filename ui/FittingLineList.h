// The lines below a message's text, each shown whole or shortened to the list's width,
// never behind a sideways scroll bar: a path in a line gives way first, whole folders
// before letters; the whole line is the entry's tool tip.
#pragma once

#include <QListWidget>

namespace parvane {

class FittingLineList final : public QListWidget {
public:
    // `paths`: what a line may hold that can be shortened.
    FittingLineList(const QStringList& lines, const QStringList& paths, QWidget* parent);

    // Every line whole within three quarters of the screen's width, and every line in view.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitLines();

    QStringList lines_;
    QStringList paths_;
    int widestLine_ = 0;
};

// `line` within `width`: whole, or with the longest of `paths` it holds shortened, or cut
// in its middle.
QString FitLine(const QString& line, const QStringList& paths, const QFontMetricsF& metrics,
                int width);

}  // namespace parvane
