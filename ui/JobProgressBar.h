// The progress bar, which during a split job also says in words which file and which
// piece are being written, and after a folder scan for a while what it passed over.
// Words, not a format: a file name may hold "%p" or "%v". Assistive technology reads the
// words uncut as the bar's description.
#pragma once

#include <QProgressBar>
#include <QTimer>

namespace parvane {

class JobProgressBar final : public QProgressBar {
    Q_OBJECT
public:
    explicit JobProgressBar(QWidget* parent);

    // The share of the files begun, and in words the file's place and name.
    void ShowFileBegun(int position, int entryCount, const QString& fileName);
    // The file's words, then the piece being written.
    void ShowPiece(qint64 pieceNumber);
    // Cut in the middle to the bar's width; empty words show nothing at all.
    void ShowWords(const QString& words);
    // Words that go again after kNoteMilliseconds, unless others replaced them meanwhile.
    void ShowNote(const QString& words);
    QString text() const override { return words_; }

    static constexpr int kNoteMilliseconds = 5000;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitWords();

    QString fileWords_;
    QString shownWords_;  // uncut
    QString words_;
    QTimer noteTimer_;
};

}  // namespace parvane
