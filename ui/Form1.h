// The program's one window: the file list, the interval chooser, the progress bar and
// the three command buttons, with its start-up, its pointer and its shut-down.
#pragma once

#include <QWidget>
#include <optional>

#include "FormServices.h"

class QComboBox;
class QProgressBar;

namespace parvane {

class FileListModel;
class FileListView;
class PictureButton;

class Form1 final : public QWidget {
    Q_OBJECT
public:
    explicit Form1(const FormServices& services, QWidget* parent = nullptr);
    ~Form1() override;

    // 0 default arrow, 11 hourglass (busy), 99 the hand from HAND-M.CUR.
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer);
    bool IsBusy() const;
    bool IsClosing() const { return closing_; }
    const std::optional<QCursor>& MouseIcon() const { return mouseIcon_; }

    // Modal, OK only; nothing is shown once the window is closing.
    void ShowMessage(const QString& text);
    QString ApplicationFolder() const { return services_.applicationFolder; }
    FileListModel& FileList() const { return *files_; }

    PictureButton* Check1() const { return check1_; }
    PictureButton* Check2() const { return check2_; }
    PictureButton* Check4() const { return check4_; }
    FileListView* ListView1() const { return listView1_; }
    QComboBox* Combo1() const { return combo1_; }
    QProgressBar* ProgressBar1() const { return progressBar1_; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void LoadHandPointer();
    void SetUpFileColumn();
    void FillIntervalChooser();

    void Check1_Click();
    void Check2_Click();
    void Check4_Click();
    bool ReleasePushButton(PictureButton& button);
    void ButtonMouseMove();
    void SurfaceMouseMove();

    FormServices services_;
    QString resourceFolder_;
    int mousePointer_ = 0;
    bool busyCursorShown_ = false;
    bool closing_ = false;
    std::optional<QCursor> mouseIcon_;

    PictureButton* check1_ = nullptr;
    PictureButton* check2_ = nullptr;
    FileListView* listView1_ = nullptr;
    PictureButton* check4_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    FileListModel* files_ = nullptr;
};

}  // namespace parvane
