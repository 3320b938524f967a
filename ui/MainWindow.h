// The program's one window: the file list, the interval chooser, the progress bar and
// the three command buttons, with its start-up, its pointer and its shut-down.
#pragma once

#include <QWidget>

#include <optional>

#include "ui/FormServices.h"
#include "ui/MessageBoxes.h"
#include "ui/WorkerThread.h"

class QComboBox;
class QShortcut;

namespace parvane {

class FileListModel;
class FileListView;
class JobProgressBar;
class PictureButton;
class SplitWorker;
struct FolderTreeFiles;
struct JobReport;

class MainWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(const FormServices& services, QWidget* parent = nullptr);
    // Waits for a job or a scan still stopping, so its private folder is tidied.
    ~MainWindow() override;

    // A split job or a folder scan runs: the list and the add buttons take nothing, "Split!"
    // is "Stop", and the pointer is the hourglass over the whole window.
    bool IsBusy() const { return activity_ != Activity::Idle; }

    // Modal; the problem lines go in a list below the text. True when the action's button
    // was pressed. Nothing is shown once the window is closing.
    bool ShowMessage(const QString& text, const MessageMore& more = {});
    FileListModel& FileList() const { return *files_; }

    PictureButton* AddFilesButton() const { return addFilesButton_; }
    PictureButton* SplitButton() const { return splitButton_; }
    PictureButton* AddFolderButton() const { return addFolderButton_; }
    FileListView* ListView() const { return listView_; }
    QComboBox* IntervalChooser() const { return intervalChooser_; }
    JobProgressBar* ProgressBar() const { return progressBar_; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Stopping: asked to stop, the job not yet ended. Finishing: the job has ended and
    // its closing message is on screen.
    enum class Activity { Idle, Splitting, Stopping, Finishing, ScanningFolder };

    void BuildControls();
    void PlaceControls(QSize size);
    void StartUp();
    void LoadHandPointer();
    void SetUpFileColumn();
    void FillIntervalChooser();
    int ChosenInterval() const;

    void AddFilesClicked();
    void SplitClicked();
    void StopJob();
    void AddFolderClicked();
    void FolderScanned(const QString& folder, const FolderTreeFiles& found, const QString& fault);
    void JobFinished(const JobReport& report);
    bool ReleasePushButton(PictureButton& button);
    void SetActivity(Activity activity);
    void ShowSplitOrStop();
    void SetOverButton(bool overButton);
    void ShowPointer();

    FormServices services_;
    QString resourceFolder_;
    Activity activity_ = Activity::Idle;
    bool overButton_ = false;
    bool closing_ = false;
    std::optional<QCursor> mouseIcon_;
    QString firstPiece_;  // of the running job; empty until one is in place

    PictureButton* addFilesButton_ = nullptr;
    PictureButton* splitButton_ = nullptr;
    FileListView* listView_ = nullptr;
    PictureButton* addFolderButton_ = nullptr;
    QComboBox* intervalChooser_ = nullptr;
    JobProgressBar* progressBar_ = nullptr;
    QShortcut* stopKey_ = nullptr;
    FileListModel* files_ = nullptr;
    SplitWorker* splitWorker_ = nullptr;
    WorkerThread folderScan_;
};

}  // namespace parvane
