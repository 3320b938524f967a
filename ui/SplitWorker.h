// The split job on a thread of its own, so the window keeps painting and answering while
// sources are measured and the splitter runs. The job works on a copy of the list taken
// at its start (the window takes no edits meanwhile) and reads the piece length at the
// start of every file; what it does reaches the window as queued signals.
#pragma once

#include <QObject>
#include <QStringList>

#include <atomic>

#include "engine/job/JobReport.h"
#include "ui/WorkerThread.h"

namespace parvane {

class ProcessRunner;

class SplitWorker final : public QObject {
    Q_OBJECT
public:
    SplitWorker(ProcessRunner& runner, QObject* parent);

    void Start(const QStringList& entries, int intervalSeconds, const QString& applicationFolder);
    // Applies from the next file on.
    void SetInterval(int seconds) { intervalSeconds_ = seconds; }
    // Returns at once; the job cuts the splitter off and discards its piece on its own thread.
    void Stop() { thread_.RequestStop(); }
    // Until the job's thread has ended, its private folders tidied.
    void Wait() { thread_.Wait(); }

signals:
    void FileStarted(int position, int entryCount, const QString& fileName);
    void PiecesCounted(qint64 pieceCount);
    void PieceStarted(qint64 pieceNumber);
    void PieceWritten(qint64 pieceNumber, const QString& piecePath);
    void JobFinished(const parvane::JobReport& report);

private:
    class Host;

    ProcessRunner& runner_;
    std::atomic<int> intervalSeconds_{0};
    WorkerThread thread_;
};

}  // namespace parvane
