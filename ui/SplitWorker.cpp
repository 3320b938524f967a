#include "ui/SplitWorker.h"

#include <QFile>

#include <string>
#include <utility>
#include <vector>

#include "engine/job/SplitJob.h"
#include "engine/names/PiecePaths.h"
#include "filelist/PathText.h"

namespace parvane {

// Everything it answers is its own copy or atomic, so the job may ask from its thread.
class SplitWorker::Host final : public SplitHost {
public:
    Host(SplitWorker& worker, std::vector<std::string> entries, std::string applicationFolder)
        : worker_(worker),
          entries_(std::move(entries)),
          applicationFolder_(std::move(applicationFolder)) {}

    int EntryCount() const override { return static_cast<int>(entries_.size()); }
    std::string EntryPath(int index) const override {
        return entries_.at(static_cast<std::size_t>(index));
    }
    int ChosenInterval() const override { return worker_.intervalSeconds_; }
    std::string ApplicationFolder() const override { return applicationFolder_; }
    bool StopRequested() const override { return worker_.thread_.StopRequested(); }
    const StopNotice& StopNoticeToWatch() const override { return worker_.thread_.Notice(); }

    void FileStarted(int position, int entryCount, const std::string& sourcePath) override {
        emit worker_.FileStarted(
            position, entryCount,
            QFile::decodeName(QByteArray::fromStdString(GetFileName(sourcePath))));
    }
    void PieceStarted(std::int64_t pieceNumber, const std::string&) override {
        emit worker_.PieceStarted(pieceNumber);
    }
    void PieceWritten(std::int64_t pieceNumber, const std::string& piecePath) override {
        emit worker_.PieceWritten(pieceNumber, PathToText(piecePath));
    }
    void PiecesCounted(std::int64_t pieceCount) override { emit worker_.PiecesCounted(pieceCount); }

private:
    SplitWorker& worker_;
    const std::vector<std::string> entries_;
    const std::string applicationFolder_;
};

SplitWorker::SplitWorker(ProcessRunner& runner, QObject* parent)
    : QObject(parent), runner_(runner) {}

void SplitWorker::Start(const QStringList& entries, int intervalSeconds,
                        const QString& applicationFolder) {
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(entries.size()));
    for (const QString& entry : entries) paths.push_back(TextToPath(entry));
    SetInterval(intervalSeconds);
    thread_.Start(
        [this, paths = std::move(paths), folder = TextToPath(applicationFolder)]() mutable {
            Host host(*this, std::move(paths), std::move(folder));
            emit JobFinished(RunSplitJob(host, runner_));
        });
}

}  // namespace parvane
