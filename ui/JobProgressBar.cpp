#include "JobProgressBar.h"

namespace parvane {

namespace {

constexpr int kTextMargin = 4;

}  // namespace

JobProgressBar::JobProgressBar(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    setAlignment(Qt::AlignCenter);
}

void JobProgressBar::ShowWords(const QString& words) {
    words_ = fontMetrics().elidedText(words, Qt::ElideMiddle,
                                      contentsRect().width() - 2 * kTextMargin);
    setTextVisible(!words_.isEmpty());
    update();
}

}  // namespace parvane
