// The progress bar, which during a split job also says in words which file and which
// piece are being written, and after an add for a while what it found or passed over.
// Words, not a format: a file name may hold "%p" or "%v". Assistive technology reads the
// words uncut as the bar's description.
#pragma once

#include <QProgressBar>
#include <QTimer>

#include <chrono>

namespace parvane {

class JobProgressBar final : public QProgressBar {
    Q_OBJECT
public:
    explicit JobProgressBar(QWidget* parent);

    // The share of the files before this one, and in words the file's place and name.
    void ShowFileBegun(int position, int entryCount, const QString& fileName);
    // The pieces the file's playing time calls for; 0 when unknown.
    void SetPieceCount(qint64 pieceCount);
    // The file's words, then the piece being written and of how many.
    void ShowPiece(qint64 pieceNumber);
    // The bar moves on through the file's share as its pieces are put in place.
    void ShowPieceWritten(qint64 pieceNumber);
    // Cut in the middle to the bar's width; empty words show nothing at all.
    void ShowWords(const QString& words);
    // Words that go again after a while, unless others replaced them meanwhile.
    void ShowNote(const QString& words);
    void SetNoteDuration(std::chrono::milliseconds duration) { noteTimer_.setInterval(duration); }
    QString text() const override { return words_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitWords();

    int position_ = 0;
    int entryCount_ = 0;
    qint64 pieceCount_ = 0;
    QString fileWords_;
    QString shownWords_;  // uncut
    QString words_;
    QTimer noteTimer_;
};

}  // namespace parvane
