#include "Form1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScrollBar>

#include "AddCommands.h"
#include "CenterForm.h"
#include "CompactComboStyle.h"
#include "FileListModel.h"
#include "FileListView.h"
#include "FileProbes.h"
#include "FormLayout.h"
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

Form1::Form1(const FormServices& services, QWidget* parent)
    : QWidget(parent, kFixedWindow),
      services_(services),
      resourceFolder_(ResourceFolder(services.applicationFolder)) {
    BuildControls();
    Form_Load();
}

Form1::~Form1() {
    if (busyCursorShown_) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void Form1::BuildControls() {
    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setWindowIcon(Picture("parvane.ico"));
    setMouseTracking(true);

    check1_ = new PictureButton(QString::fromLatin1(kCheck1Caption), Picture("add-files.ico"), this);
    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setGeometry(ToPixels(kCheck1Place));

    check2_ = new PictureButton(QString::fromLatin1(kCheck2Caption), Picture("split.ico"), this);
    check2_->setObjectName(QStringLiteral("Check2"));
    check2_->setGeometry(ToPixels(kCheck2Place));

    files_ = new FileListModel(this);
    listView1_ = new FileListView(this);
    listView1_->setObjectName(QStringLiteral("ListView1"));
    listView1_->setGeometry(ToPixels(kListView1Place));
    listView1_->setFont(ArialBold(kListFontPoints));
    listView1_->setToolTip(QString::fromLatin1(kListView1ToolTip));
    listView1_->setTextElideMode(Qt::ElideNone);
    listView1_->setCursor(Qt::ArrowCursor);
    listView1_->SetFileList(files_);
    listView1_->SetApplicationFolder(resourceFolder_);
    listView1_->SetBusyCheck([this] { return IsBusy(); });
    listView1_->SetMouseMoveHook([this] { SurfaceMouseMove(); });

    check4_ = new PictureButton(QString::fromLatin1(kCheck4Caption), Picture("add-folder.ico"), this);
    check4_->setObjectName(QStringLiteral("Check4"));
    check4_->setGeometry(ToPixels(kCheck4Place));

    combo1_ = new QComboBox(this);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setGeometry(ToPixels(kCombo1Place));
    combo1_->setEditable(false);
    combo1_->setFont(ArialBold(kListFontPoints));
    combo1_->setCursor(Qt::ArrowCursor);
    auto* compact = new CompactComboStyle;
    compact->setParent(combo1_);
    combo1_->setStyle(compact);

    progressBar1_ = new QProgressBar(this);
    progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar1_->setGeometry(ToPixels(kProgressBar1Place));
    progressBar1_->setRange(0, 100);
    progressBar1_->setValue(0);
    progressBar1_->setTextVisible(false);
    progressBar1_->setCursor(Qt::ArrowCursor);

    setTabOrder(check1_, check2_);
    setTabOrder(check2_, listView1_);
    setTabOrder(listView1_, check4_);
    setTabOrder(check4_, combo1_);

    connect(check1_, &QAbstractButton::toggled, this, &Form1::Check1_Click);
    connect(check2_, &QAbstractButton::toggled, this, &Form1::Check2_Click);
    connect(check4_, &QAbstractButton::toggled, this, &Form1::Check4_Click);
    for (PictureButton* button : {check1_, check2_, check4_}) {
        connect(button, &PictureButton::MouseMove, this, &Form1::ButtonMouseMove);
    }
}

void Form1::Form_Load() {
    CenterForm(*this);
    LoadHandPointer();
    MaybeOpenHomePage(services_.nextRandom, services_.urlOpener, services_.homePage);
    setWindowTitle(QString::fromLatin1(kCaption));
    SetUpFileColumn();
    FillIntervalChooser();
    WhitenProgressBar(*progressBar1_);
}

void Form1::LoadHandPointer() {
    const QString path = QDir(resourceFolder_).filePath(QString::fromLatin1(kHandPointerFile));
    if (FileExists(QFile::encodeName(path).toStdString())) {
        mouseIcon_ = LoadCursorFile(path, qGuiApp->devicePixelRatio());
    }
}

// The list's one column takes its title from the file list; the window gives it its
// width, and the divider may be dragged on past the window's edge.
void Form1::SetUpFileColumn() {
    QHeaderView* header = listView1_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->resizeSection(0, TwipsToPixels(kFileColumnTwips));
}

void Form1::FillIntervalChooser() {
    for (const int seconds : kIntervalSeconds) {
        combo1_->addItem(QString::fromStdString(IntervalLabel(seconds)));
    }
    combo1_->setCurrentIndex(kDefaultIntervalIndex);
    // The drop-down may be wider than the closed box, so no entry is cut off there.
    combo1_->view()->setMinimumWidth(combo1_->view()->sizeHintForColumn(0) +
                                     combo1_->view()->verticalScrollBar()->sizeHint().width());
}

bool Form1::IsBusy() const {
    return mousePointer_ == kPointerBusy;
}

void Form1::SetMousePointer(int pointer) {
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
    }
    if (busy) {
        setCursor(Qt::WaitCursor);
    } else if (pointer == kPointerHand) {
        setCursor(mouseIcon_.value_or(QCursor(Qt::ArrowCursor)));
    } else {
        unsetCursor();
    }
}

void Form1::ShowMessage(const QString& text) {
    if (closing_) {
        return;
    }
    // The box needs the arrow to be answered, even while the window shows the hourglass.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    services_.messageBoxes.Show(this, text);
    QGuiApplication::restoreOverrideCursor();
}

// A press checks the button and raises toggled; unchecking it first raises toggled once
// more, which finds it unchecked and does nothing. So every press acts exactly once,
// and the button is up again before its work starts.
bool Form1::ReleasePushButton(PictureButton& button) {
    if (!button.isChecked()) {
        return false;
    }
    button.setChecked(false);
    button.update();
    return !IsBusy();
}

void Form1::Check1_Click() {
    if (!ReleasePushButton(*check1_)) {
        return;
    }
    AddFilesCommand(this, services_.fileDialogs, *files_);
}

void Form1::Check2_Click() {
    if (!ReleasePushButton(*check2_)) {
        return;
    }
    WindowSplitHost host(*this);
    RunSplitJob(host, services_.processRunner);
}

void Form1::Check4_Click() {
    if (!ReleasePushButton(*check4_)) {
        return;
    }
    AddFolderHooks hooks;
    hooks.handleEvents = [] { QCoreApplication::processEvents(); };
    hooks.setPointer = [this](int pointer) { SetMousePointer(pointer); };
    hooks.stopRequested = [this] { return IsClosing(); };
    AddFolderCommand(this, services_.fileDialogs, *files_, hooks);
}

void Form1::ButtonMouseMove() {
    SetMousePointer(ButtonHoverPointer(mousePointer_));
}

void Form1::SurfaceMouseMove() {
    SetMousePointer(SurfaceHoverPointer(mousePointer_));
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    SurfaceMouseMove();
    QWidget::mouseMoveEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
    closing_ = true;
    event->accept();
}

}  // namespace parvane
