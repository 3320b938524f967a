#include "JobProgressBar.h"

#include <cmath>

namespace parvane {

namespace {

constexpr int kTextMargin = 4;

}  // namespace

JobProgressBar::JobProgressBar(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    setAlignment(Qt::AlignCenter);
}

void JobProgressBar::ShowFileBegun(int position, int entryCount, const QString& fileName) {
    fileWords_ = QStringLiteral("File %1 of %2: %3").arg(position).arg(entryCount).arg(fileName);
    ShowWords(fileWords_);
    const double percent = static_cast<double>(position) / entryCount * 100.0;
    setValue(static_cast<int>(std::lround(static_cast<float>(percent))));
}

void JobProgressBar::ShowPiece(qint64 pieceNumber) {
    ShowWords(fileWords_ + QStringLiteral(", piece %1").arg(pieceNumber));
}

void JobProgressBar::ShowWords(const QString& words) {
    shownWords_ = words;
    words_ = fontMetrics().elidedText(words, Qt::ElideMiddle,
                                      contentsRect().width() - 2 * kTextMargin);
    setTextVisible(!words_.isEmpty());
    update();
}

// A wider window gives the words more room.
void JobProgressBar::resizeEvent(QResizeEvent* event) {
    QProgressBar::resizeEvent(event);
    ShowWords(shownWords_);
}

}  // namespace parvane
