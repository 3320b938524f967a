#include "JobProgressBar.h"

#include <cmath>

namespace parvane {

namespace {

constexpr int kTextMargin = 4;

}  // namespace

JobProgressBar::JobProgressBar(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    setAlignment(Qt::AlignCenter);
    setAccessibleName(tr("Progress"));
    noteTimer_.setSingleShot(true);
    noteTimer_.setInterval(kNoteMilliseconds);
    connect(&noteTimer_, &QTimer::timeout, this, [this] { ShowWords({}); });
}

void JobProgressBar::ShowFileBegun(int position, int entryCount, const QString& fileName) {
    fileWords_ = tr("File %1 of %2: %3")
                     .arg(QString::number(position), QString::number(entryCount), fileName);
    ShowWords(fileWords_);
    const double percent = static_cast<double>(position) / entryCount * 100.0;
    setValue(static_cast<int>(std::lround(static_cast<float>(percent))));
}

void JobProgressBar::ShowPiece(qint64 pieceNumber) {
    ShowWords(tr("%1, piece %2").arg(fileWords_, QString::number(pieceNumber)));
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
