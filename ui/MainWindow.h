// The program's one window: the file list, the interval chooser, the progress bar and
// the three command buttons, with its start-up, its pointer and its shut-down.
#pragma once

#include <QWidget>
#include <optional>

#include "FormServices.h"

class QComboBox;

namespace parvane {

class FileListModel;
class FileListView;
class JobProgressBar;
class PictureButton;

class MainWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(const FormServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // 0 default arrow, 11 hourglass (busy), 99 the hand from HAND-M.CUR.
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer);
    bool IsBusy() const;
    bool IsClosing() const { return closing_; }
    const std::optional<QCursor>& MouseIcon() const { return mouseIcon_; }

    // Modal, OK only; nothing is shown once the window is closing.
    void ShowMessage(const QString& text, const QString& details = {});
    QString ApplicationFolder() const { return services_.applicationFolder; }
    FileListModel& FileList() const { return *files_; }

    PictureButton* AddFilesButton() const { return addFilesButton_; }
    PictureButton* SplitButton() const { return splitButton_; }
    PictureButton* AddFolderButton() const { return addFolderButton_; }
    FileListView* ListView() const { return listView_; }
    QComboBox* IntervalChooser() const { return intervalChooser_; }
    JobProgressBar* ProgressBar() const { return progressBar_; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void StartUp();
    void LoadHandPointer();
    void SetUpFileColumn();
    void FillIntervalChooser();

    void AddFilesClicked();
    void SplitClicked();
    void AddFolderClicked();
    bool ReleasePushButton(PictureButton& button);
    void ButtonMouseMove();
    void SurfaceMouseMove();

    FormServices services_;
    QString resourceFolder_;
    int mousePointer_ = 0;
    bool busyCursorShown_ = false;
    bool closing_ = false;
    std::optional<QCursor> mouseIcon_;

    PictureButton* addFilesButton_ = nullptr;
    PictureButton* splitButton_ = nullptr;
    FileListView* listView_ = nullptr;
    PictureButton* addFolderButton_ = nullptr;
    QComboBox* intervalChooser_ = nullptr;
    JobProgressBar* progressBar_ = nullptr;
    FileListModel* files_ = nullptr;
};

}  // namespace parvane
