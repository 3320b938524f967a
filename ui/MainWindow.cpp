#include "ui/MainWindow.h"

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
#include <QShortcut>

#include <exception>

#include "engine/files/FileProbes.h"
#include "engine/names/Intervals.h"
#include "filelist/AddCommands.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "filelist/PathText.h"
#include "filelist/PointerFile.h"
#include "ui/Accessibility.h"
#include "ui/CenterForm.h"
#include "ui/CompactComboStyle.h"
#include "ui/FileShower.h"
#include "ui/JobProgressBar.h"
#include "ui/MainWindowLayout.h"
#include "ui/MessageBoxes.h"
#include "ui/PictureButton.h"
#include "ui/ResourceFolder.h"
#include "ui/SplitWorker.h"
#include "ui/WhiteProgress.h"
#include "wording/ClosingText.h"

namespace parvane {

namespace {

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

QIcon Picture(const char* name) {
    return QIcon(QStringLiteral(":/pictures/") + QString::fromLatin1(name));
}

QString Shown(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

// The closing message's words from the window's catalogue. Without one for the language
// Qt gives a text with a count as it is written, "(s)" and all: English words it then.
std::string WindowWords(const char* context, const char* english, int count) {
    const QString words = QCoreApplication::translate(context, english, nullptr, count);
    if (count >= 0 &&
        words == QString::fromUtf8(english).replace(QStringLiteral("%n"), QString::number(count))) {
        return English(context, english, count);
    }
    return words.toStdString();
}

}  // namespace

MainWindow::MainWindow(const FormServices& services, QWidget* parent)
    : QWidget(parent, kWindowFlags),
      services_(services),
      resourceFolder_(ResourceFolder(services.applicationFolder)) {
    BuildControls();
    StartUp();
}

MainWindow::~MainWindow() {
    splitWorker_->Stop();
    folderScan_.RequestStop();
    splitWorker_->Wait();
    folderScan_.Wait();
    if (IsBusy()) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void MainWindow::BuildControls() {
    InstallAccessibility();
    // The design size is the smallest; the list takes whatever room is added.
    const QSize designSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    setMinimumSize(designSize);
    resize(designSize);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setWindowIcon(Picture("parvane.ico"));
    setMouseTracking(true);

    // Made in the order of the eye and of Tab, which is the order screen readers walk.
    files_ = new FileListModel(this);
    listView_ = new FileListView(this);
    listView_->setObjectName(QStringLiteral("ListView1"));
    listView_->setFont(ArialBold(kListFontPoints));
    listView_->setToolTip(tr(kListViewToolTip));
    listView_->setAccessibleName(files_->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString());
    listView_->setCursor(Qt::ArrowCursor);
    listView_->SetFileList(files_);
    listView_->SetApplicationFolder(resourceFolder_);
    listView_->SetBusyCheck([this] { return IsBusy(); });
    listView_->SetMouseMoveHook([this] { SetOverButton(false); });

    addFilesButton_ = new PictureButton(tr(kAddFilesCaption), Picture("add-files.ico"), this);
    addFilesButton_->setObjectName(QStringLiteral("Check1"));

    addFolderButton_ = new PictureButton(tr(kAddFolderCaption), Picture("add-folder.ico"), this);
    addFolderButton_->setObjectName(QStringLiteral("Check4"));

    splitButton_ = new PictureButton(tr(kSplitCaption), Picture("split.ico"), this);
    splitButton_->setObjectName(QStringLiteral("Check2"));

    intervalChooser_ = new QComboBox(this);
    intervalChooser_->setObjectName(QStringLiteral("Combo1"));
    intervalChooser_->setEditable(false);
    intervalChooser_->setFont(ArialBold(kListFontPoints));
    intervalChooser_->setCursor(Qt::ArrowCursor);
    auto* compact = new CompactComboStyle;
    compact->setParent(intervalChooser_);
    intervalChooser_->setStyle(compact);

    progressBar_ = new JobProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    progressBar_->setCursor(Qt::ArrowCursor);

    PlaceControls(designSize);

    setTabOrder(listView_, addFilesButton_);
    setTabOrder(addFilesButton_, addFolderButton_);
    setTabOrder(addFolderButton_, splitButton_);
    setTabOrder(splitButton_, intervalChooser_);

    splitWorker_ = new SplitWorker(services_.processRunner, this);
    connect(splitWorker_, &SplitWorker::FileStarted, progressBar_, &JobProgressBar::ShowFileBegun);
    connect(splitWorker_, &SplitWorker::PiecesCounted, progressBar_,
            &JobProgressBar::SetPieceCount);
    connect(splitWorker_, &SplitWorker::PieceStarted, progressBar_, &JobProgressBar::ShowPiece);
    connect(splitWorker_, &SplitWorker::PieceWritten, this,
            [this](qint64 pieceNumber, const QString& piecePath) {
                progressBar_->ShowPieceWritten(pieceNumber);
                if (firstPiece_.isEmpty()) firstPiece_ = piecePath;
            });
    connect(splitWorker_, &SplitWorker::JobFinished, this, &MainWindow::JobFinished);
    connect(intervalChooser_, &QComboBox::currentIndexChanged, this,
            [this] { splitWorker_->SetInterval(ChosenInterval()); });

    connect(addFilesButton_, &QAbstractButton::toggled, this, &MainWindow::AddFilesClicked);
    connect(splitButton_, &QAbstractButton::toggled, this, &MainWindow::SplitClicked);
    connect(addFolderButton_, &QAbstractButton::toggled, this, &MainWindow::AddFolderClicked);
    for (PictureButton* button : {addFilesButton_, splitButton_, addFolderButton_}) {
        connect(button, &PictureButton::MouseMove, this, [this] { SetOverButton(true); });
    }
    stopKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &MainWindow::StopJob);
    stopKey_->setEnabled(false);
}

// The buttons and the chooser keep their size and their place above the bottom edge;
// the list, and the bar beside the chooser, take the room the window has beyond its
// design size.
void MainWindow::PlaceControls(QSize size) {
    const int wider = size.width() - TwipsToPixels(kClientWidthTwips);
    const int taller = size.height() - TwipsToPixels(kClientHeightTwips);
    const QPoint down(0, taller);
    addFilesButton_->setGeometry(ToPixels(kAddFilesButtonPlace).translated(down));
    splitButton_->setGeometry(ToPixels(kSplitButtonPlace).translated(down));
    addFolderButton_->setGeometry(ToPixels(kAddFolderButtonPlace).translated(down));
    intervalChooser_->setGeometry(ToPixels(kIntervalChooserPlace).translated(down));
    progressBar_->setGeometry(
        ToPixels(kProgressBarPlace).translated(down).adjusted(0, 0, wider, 0));
    listView_->setGeometry(ToPixels(kListViewPlace).adjusted(0, 0, wider, taller));
}

void MainWindow::StartUp() {
    CenterForm(*this);
    LoadHandPointer();
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

// The list's one column takes its title from the file list and fills the list's width;
// the divider may be dragged on past the window's edge.
void MainWindow::SetUpFileColumn() {
    QHeaderView* header = listView_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    listView_->FillWidth();
}

void MainWindow::FillIntervalChooser() {
    for (const int seconds : kIntervalSeconds) {
        // The blank the chooser shows before each entry is drawn, not said.
        intervalChooser_->addItem(
            tr("Split Every %1").arg(QString::fromStdString(IntervalText(seconds))));
    }
    intervalChooser_->setCurrentIndex(kDefaultIntervalIndex);
    // The drop-down may be wider than the closed box, so no entry is cut off there.
    intervalChooser_->view()->setMinimumWidth(
        intervalChooser_->view()->sizeHintForColumn(0) +
        intervalChooser_->view()->verticalScrollBar()->sizeHint().width());
}

int MainWindow::ChosenInterval() const {
    const int index = intervalChooser_->currentIndex();
    return index >= 0 && static_cast<std::size_t>(index) < kIntervalSeconds.size()
               ? kIntervalSeconds[static_cast<std::size_t>(index)]
               : 0;
}

void MainWindow::SetActivity(Activity activity) {
    const bool wasBusy = IsBusy();
    activity_ = activity;
    if (IsBusy() != wasBusy) {
        // The hourglass covers the whole window, the list's own pointer included, which a
        // pointer set on the window alone would not.
        if (IsBusy()) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QGuiApplication::restoreOverrideCursor();
            overButton_ = false;
        }
    }
    // They ignore presses meanwhile; they still take hovers, which leave the hourglass.
    for (PictureButton* button : {addFilesButton_, addFolderButton_}) {
        button->SetLooksUnavailable(IsBusy());
    }
    ShowSplitOrStop();
    ShowPointer();
}

// While the job runs, "Split!" is the way to stop it, as Escape is.
void MainWindow::ShowSplitOrStop() {
    const bool running = activity_ == Activity::Splitting || activity_ == Activity::Stopping;
    splitButton_->setText(tr(running ? kStopCaption : kSplitCaption));
    splitButton_->setToolTip(running ? tr(kStopToolTip) : QString());
    splitButton_->SetLooksUnavailable(IsBusy() && activity_ != Activity::Splitting);
    stopKey_->setEnabled(activity_ == Activity::Splitting);
}

void MainWindow::SetOverButton(bool overButton) {
    overButton_ = overButton;
    ShowPointer();
}

void MainWindow::ShowPointer() {
    if (IsBusy()) {
        setCursor(Qt::WaitCursor);
    } else if (overButton_) {
        setCursor(mouseIcon_.value_or(QCursor(Qt::ArrowCursor)));
    } else {
        unsetCursor();
    }
}

bool MainWindow::ShowMessage(const QString& text, const MessageMore& more) {
    if (closing_) {
        return false;
    }
    // The box needs the arrow to be answered, even while the window shows the hourglass.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    const bool actionPressed = services_.messageBoxes.Show(this, text, more);
    QGuiApplication::restoreOverrideCursor();
    return actionPressed;
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
    return true;
}

void MainWindow::AddFilesClicked() {
    if (!ReleasePushButton(*addFilesButton_) || IsBusy()) {
        return;
    }
    AddFilesCommand(this, services_.fileDialogs, *files_);
}

void MainWindow::SplitClicked() {
    if (!ReleasePushButton(*splitButton_)) {
        return;
    }
    if (activity_ == Activity::Splitting) {
        StopJob();
        return;
    }
    if (IsBusy()) {
        return;
    }
    if (files_->Count() < 1) {
        ShowMessage(QCoreApplication::translate("ClosingText", "No files added."));
        return;
    }
    firstPiece_.clear();
    SetActivity(Activity::Splitting);
    splitWorker_->Start(files_->Entries(), ChosenInterval(), services_.applicationFolder);
}

// The job cuts the splitter off and discards its piece on its own thread; until it has
// ended, "Stop" looks unavailable.
void MainWindow::StopJob() {
    if (activity_ != Activity::Splitting) {
        return;
    }
    splitWorker_->Stop();
    SetActivity(Activity::Stopping);
}

// The closing message, "Done." or "Stopped." and a line of counts, then a line for every
// problem, and a way to the pieces. Then an empty bar and the default pointer. Closing
// the window shows nothing.
void MainWindow::JobFinished(const JobReport& report) {
    splitWorker_->Wait();
    SetActivity(Activity::Finishing);
    progressBar_->ShowWords({});
    const ClosingText text = MakeClosingText(report, Translate(WindowWords));
    MessageMore more;
    more.lines = Shown(text.details).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const FileReport& file : report.files) more.paths << PathToText(file.sourcePath);
    if (!firstPiece_.isEmpty()) more.action = tr("Show Pieces");
    if (ShowMessage(Shown(text.summary), more)) services_.fileShower.Show(firstPiece_);
    progressBar_->setValue(0);
    SetActivity(Activity::Idle);
}

void MainWindow::AddFolderClicked() {
    if (!ReleasePushButton(*addFolderButton_) || IsBusy()) {
        return;
    }
    const QString folder = ChooseFolderToAdd(this, services_.fileDialogs);
    if (folder.isEmpty() || closing_) {
        return;
    }
    SetActivity(Activity::ScanningFolder);
    folderScan_.Start([this, folder] {
        FolderTreeFiles found;
        QString fault;
        // A fault of ours ends the scan, not the program.
        try {
            found = FindFolderTreeFiles(folder, [this] { return folderScan_.StopRequested(); });
        } catch (const std::exception& error) {
            fault = QString::fromLocal8Bit(error.what());
        }
        QMetaObject::invokeMethod(
            this, [this, folder, found, fault] { FolderScanned(folder, found, fault); },
            Qt::QueuedConnection);
    });
}

// The add commands show no message; a folder without MP3 files, and pieces of earlier
// splits passed over, are told in the bar for a while.
void MainWindow::FolderScanned(const QString& folder, const FolderTreeFiles& found,
                               const QString& fault) {
    folderScan_.Wait();
    files_->AppendMany(found.paths);
    SetActivity(Activity::Idle);
    if (!fault.isEmpty()) {
        ShowMessage(tr("internal error: %1").arg(fault));
    } else if (found.paths.isEmpty() && found.piecesLeftOut == 0) {
        progressBar_->ShowNote(tr("No MP3 files in %1").arg(folder));
    } else if (found.piecesLeftOut == 1) {
        progressBar_->ShowNote(tr("Left out 1 piece of the files found there"));
    } else if (found.piecesLeftOut > 1) {
        progressBar_->ShowNote(
            tr("Left out %1 pieces of the files found there").arg(found.piecesLeftOut));
    }
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    SetOverButton(false);
    QWidget::mouseMoveEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    PlaceControls(event->size());
    QWidget::resizeEvent(event);
}

// The window goes at once; a running job or scan is told to stop, and the program waits
// for it when the window is destroyed. A box or chooser still open would keep the
// program running after its window.
void MainWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    splitWorker_->Stop();
    folderScan_.RequestStop();
    for (QDialog* dialog : findChildren<QDialog*>()) {
        dialog->reject();
    }
    event->accept();
}

}  // namespace parvane
