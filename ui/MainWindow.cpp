#include "MainWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

#include "AddCommands.h"
#include "CenterForm.h"
#include "CompactComboStyle.h"
#include "FileListModel.h"
#include "FileListView.h"
#include "FileProbes.h"
#include "JobProgressBar.h"
#include "MainWindowLayout.h"
#include "Intervals.h"
#include "MessageBoxes.h"
#include "PictureButton.h"
#include "PointerFile.h"
#include "PointerPolicy.h"
#include "ResourceFolder.h"
#include "SplitJob.h"
#include "WhiteProgress.h"
#include "WindowSplitHost.h"

namespace parvane {

namespace {

constexpr Qt::WindowFlags kFixedWindow = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint |
                                         Qt::WindowCloseButtonHint;

QIcon Picture(const char* name) {
    return QIcon(QStringLiteral(":/pictures/") + QString::fromLatin1(name));
}

}  // namespace

MainWindow::MainWindow(const FormServices& services, QWidget* parent)
    : QWidget(parent, kFixedWindow),
      services_(services),
      resourceFolder_(ResourceFolder(services.applicationFolder)) {
    BuildControls();
    StartUp();
}

MainWindow::~MainWindow() {
    if (busyCursorShown_) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void MainWindow::BuildControls() {
    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setWindowIcon(Picture("parvane.ico"));
    setMouseTracking(true);

    addFilesButton_ = new PictureButton(QString::fromLatin1(kAddFilesCaption), Picture("add-files.ico"), this);
    addFilesButton_->setObjectName(QStringLiteral("Check1"));
    addFilesButton_->setGeometry(ToPixels(kAddFilesButtonPlace));

    splitButton_ = new PictureButton(QString::fromLatin1(kSplitCaption), Picture("split.ico"), this);
    splitButton_->setObjectName(QStringLiteral("Check2"));
    splitButton_->setGeometry(ToPixels(kSplitButtonPlace));

    files_ = new FileListModel(this);
    listView_ = new FileListView(this);
    listView_->setObjectName(QStringLiteral("ListView1"));
    listView_->setGeometry(ToPixels(kListViewPlace));
    listView_->setFont(ArialBold(kListFontPoints));
    listView_->setToolTip(QString::fromLatin1(kListViewToolTip));
    listView_->setTextElideMode(Qt::ElideNone);
    listView_->setCursor(Qt::ArrowCursor);
    listView_->SetFileList(files_);
    listView_->SetApplicationFolder(resourceFolder_);
    listView_->SetBusyCheck([this] { return IsBusy(); });
    listView_->SetMouseMoveHook([this] { SurfaceMouseMove(); });

    addFolderButton_ = new PictureButton(QString::fromLatin1(kAddFolderCaption), Picture("add-folder.ico"), this);
    addFolderButton_->setObjectName(QStringLiteral("Check4"));
    addFolderButton_->setGeometry(ToPixels(kAddFolderButtonPlace));

    intervalChooser_ = new QComboBox(this);
    intervalChooser_->setObjectName(QStringLiteral("Combo1"));
    intervalChooser_->setGeometry(ToPixels(kIntervalChooserPlace));
    intervalChooser_->setEditable(false);
    intervalChooser_->setFont(ArialBold(kListFontPoints));
    intervalChooser_->setCursor(Qt::ArrowCursor);
    auto* compact = new CompactComboStyle;
    compact->setParent(intervalChooser_);
    intervalChooser_->setStyle(compact);

    progressBar_ = new JobProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setGeometry(ToPixels(kProgressBarPlace));
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    progressBar_->setCursor(Qt::ArrowCursor);

    setTabOrder(addFilesButton_, splitButton_);
    setTabOrder(splitButton_, listView_);
    setTabOrder(listView_, addFolderButton_);
    setTabOrder(addFolderButton_, intervalChooser_);

    connect(addFilesButton_, &QAbstractButton::toggled, this, &MainWindow::AddFilesClicked);
    connect(splitButton_, &QAbstractButton::toggled, this, &MainWindow::SplitClicked);
    connect(addFolderButton_, &QAbstractButton::toggled, this, &MainWindow::AddFolderClicked);
    for (PictureButton* button : {addFilesButton_, splitButton_, addFolderButton_}) {
        connect(button, &PictureButton::MouseMove, this, &MainWindow::ButtonMouseMove);
    }
}

void MainWindow::StartUp() {
    CenterForm(*this);
    LoadHandPointer();
    MaybeOpenHomePage(services_.nextRandom, services_.urlOpener, services_.homePage);
    setWindowTitle(QString::fromLatin1(kCaption));
    SetUpFileColumn();
    FillIntervalChooser();
    WhitenProgressBar(*progressBar_);
}

void MainWindow::LoadHandPointer() {
    const QString path = QDir(resourceFolder_).filePath(QString::fromLatin1(kHandPointerFile));
    if (FileExists(QFile::encodeName(path).toStdString())) {
        mouseIcon_ = LoadCursorFile(path, qGuiApp->devicePixelRatio());
    }
}

// The list's one column takes its title from the file list; the window gives it its
// width, and the divider may be dragged on past the window's edge.
void MainWindow::SetUpFileColumn() {
    QHeaderView* header = listView_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->resizeSection(0, TwipsToPixels(kFileColumnTwips));
}

void MainWindow::FillIntervalChooser() {
    for (const int seconds : kIntervalSeconds) {
        intervalChooser_->addItem(QString::fromStdString(IntervalLabel(seconds)));
    }
    intervalChooser_->setCurrentIndex(kDefaultIntervalIndex);
    // The drop-down may be wider than the closed box, so no entry is cut off there.
    intervalChooser_->view()->setMinimumWidth(intervalChooser_->view()->sizeHintForColumn(0) +
                                     intervalChooser_->view()->verticalScrollBar()->sizeHint().width());
}

bool MainWindow::IsBusy() const {
    return mousePointer_ == kPointerBusy;
}

void MainWindow::SetMousePointer(int pointer) {
    mousePointer_ = pointer;
    // The hourglass covers the whole window, the list's own pointer included, which a
    // pointer set on the window alone would not.
    const bool busy = pointer == kPointerBusy;
    if (busy != busyCursorShown_) {
        if (busy) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QGuiApplication::restoreOverrideCursor();
        }
        busyCursorShown_ = busy;
        // They ignore presses meanwhile; they still take hovers, which leave the hourglass.
        for (PictureButton* button : {addFilesButton_, splitButton_, addFolderButton_}) {
            button->SetLooksUnavailable(busy);
        }
    }
    if (busy) {
        setCursor(Qt::WaitCursor);
    } else if (pointer == kPointerHand) {
        setCursor(mouseIcon_.value_or(QCursor(Qt::ArrowCursor)));
    } else {
        unsetCursor();
    }
}

void MainWindow::ShowMessage(const QString& text, const QString& details) {
    if (closing_) {
        return;
    }
    // The box needs the arrow to be answered, even while the window shows the hourglass.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    services_.messageBoxes.Show(this, text, details);
    QGuiApplication::restoreOverrideCursor();
}

// A press checks the button and raises toggled; unchecking it first raises toggled once
// more, which finds it unchecked and does nothing. So every press acts exactly once,
// and the button is up again before its work starts.
bool MainWindow::ReleasePushButton(PictureButton& button) {
    if (!button.isChecked()) {
        return false;
    }
    button.setChecked(false);
    button.update();
    return !IsBusy();
}

void MainWindow::AddFilesClicked() {
    if (!ReleasePushButton(*addFilesButton_)) {
        return;
    }
    AddFilesCommand(this, services_.fileDialogs, *files_);
}

void MainWindow::SplitClicked() {
    if (!ReleasePushButton(*splitButton_)) {
        return;
    }
    WindowSplitHost host({*files_, *intervalChooser_, *progressBar_, services_.applicationFolder,
                          [this] { return IsClosing(); },
                          [this](int pointer) { SetMousePointer(pointer); },
                          [this](const QString& text, const QString& details) {
                              ShowMessage(text, details);
                          }});
    RunSplitJob(host, services_.processRunner);
}

void MainWindow::AddFolderClicked() {
    if (!ReleasePushButton(*addFolderButton_)) {
        return;
    }
    AddFolderHooks hooks;
    hooks.handleEvents = [] { QCoreApplication::processEvents(); };
    hooks.setPointer = [this](int pointer) { SetMousePointer(pointer); };
    hooks.stopRequested = [this] { return IsClosing(); };
    AddFolderCommand(this, services_.fileDialogs, *files_, hooks);
}

void MainWindow::ButtonMouseMove() {
    SetMousePointer(ButtonHoverPointer(mousePointer_));
}

void MainWindow::SurfaceMouseMove() {
    SetMousePointer(SurfaceHoverPointer(mousePointer_));
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    SurfaceMouseMove();
    QWidget::mouseMoveEvent(event);
}

// A box or chooser still open would keep the program running after its window.
void MainWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    for (QDialog* dialog : findChildren<QDialog*>()) {
        dialog->reject();
    }
    event->accept();
}

}  // namespace parvane
