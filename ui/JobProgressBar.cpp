#include "ui/JobProgressBar.h"

#include <algorithm>
#include <cmath>

namespace parvane {

namespace {

constexpr int kTextMargin = 4;
constexpr std::chrono::milliseconds kNoteDuration{5000};

}  // namespace

JobProgressBar::JobProgressBar(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    setAlignment(Qt::AlignCenter);
    setAccessibleName(tr("Progress"));
    noteTimer_.setSingleShot(true);
    noteTimer_.setInterval(kNoteDuration);
    connect(&noteTimer_, &QTimer::timeout, this, [this] { ShowWords({}); });
}

void JobProgressBar::ShowFileBegun(int position, int entryCount, const QString& fileName) {
    position_ = position;
    entryCount_ = entryCount;
    pieceCount_ = 0;
    fileWords_ = tr("File %1 of %2: %3")
                     .arg(QString::number(position), QString::number(entryCount), fileName);
    ShowWords(fileWords_);
    ShowPieceWritten(0);
}

void JobProgressBar::SetPieceCount(qint64 pieceCount) {
    pieceCount_ = pieceCount;
}

// Runs past the last piece make sure nothing follows; they go on naming the last piece.
void JobProgressBar::ShowPiece(qint64 pieceNumber) {
    if (pieceCount_ > 0) {
        ShowWords(tr("%1, piece %2 of %3")
                      .arg(fileWords_, QString::number(std::min(pieceNumber, pieceCount_)),
                           QString::number(pieceCount_)));
    } else {
        ShowWords(tr("%1, piece %2").arg(fileWords_, QString::number(pieceNumber)));
    }
}

void JobProgressBar::ShowPieceWritten(qint64 pieceNumber) {
    if (entryCount_ < 1) return;
    const double fileShare = pieceCount_ > 0
                                 ? static_cast<double>(std::min(pieceNumber, pieceCount_)) /
                                       static_cast<double>(pieceCount_)
                                 : 0.0;
    const double percent = (position_ - 1 + fileShare) / entryCount_ * 100.0;
    setValue(static_cast<int>(std::lround(percent)));
}

void JobProgressBar::ShowWords(const QString& words) {
    noteTimer_.stop();
    if (words != shownWords_) {
        setAccessibleDescription(words);
    }
    shownWords_ = words;
    FitWords();
}

void JobProgressBar::FitWords() {
    words_ = fontMetrics().elidedText(shownWords_, Qt::ElideMiddle,
                                      contentsRect().width() - 2 * kTextMargin);
    setTextVisible(!words_.isEmpty());
    update();
}

void JobProgressBar::ShowNote(const QString& words) {
    ShowWords(words);
    noteTimer_.start();
}

// A wider window gives the words more room.
void JobProgressBar::resizeEvent(QResizeEvent* event) {
    QProgressBar::resizeEvent(event);
    FitWords();
}

}  // namespace parvane
