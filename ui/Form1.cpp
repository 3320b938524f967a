#include "Form1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>
#include <array>

#include "CenterForm.h"
#include "CompactComboStyle.h"
#include "FormLayout.h"
#include "HandCursor.h"
#include "MessageBoxes.h"
#include "PictureButton.h"
#include "PointerPolicy.h"
#include "ResourceFolder.h"
#include "WhiteProgress.h"

namespace parvane {

namespace {

constexpr Qt::WindowFlags kFixedWindow = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint |
                                         Qt::WindowCloseButtonHint;

constexpr std::array<const char*, 23> kIntervalMenu = {
    " Split Every 0:05",  " Split Every 0:10",  " Split Every 0:30",  " Split Every 1:00",
    " Split Every 1:30",  " Split Every 2:00",  " Split Every 2:30",  " Split Every 3:00",
    " Split Every 3:30",  " Split Every 4:00",  " Split Every 4:30",  " Split Every 5:00",
    " Split Every 10:00", " Split Every 15:00", " Split Every 20:00", " Split Every 25:00",
    " Split Every 30:00", " Split Every 35:00", " Split Every 40:00", " Split Every 45:00",
    " Split Every 50:00", " Split Every 55:00", " Split Every 60:00",
};
constexpr int kDefaultInterval = 11;

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

    listView1_ = new QTreeView(this);
    listView1_->setObjectName(QStringLiteral("ListView1"));
    listView1_->setGeometry(ToPixels(kListView1Place));
    listView1_->setFont(ArialBold(kListFontPoints));
    listView1_->setToolTip(QString::fromLatin1(kListView1ToolTip));
    listView1_->setRootIsDecorated(false);
    listView1_->setItemsExpandable(false);
    listView1_->setUniformRowHeights(true);
    listView1_->setAllColumnsShowFocus(true);
    listView1_->setSelectionMode(QAbstractItemView::SingleSelection);
    listView1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView1_->setTextElideMode(Qt::ElideNone);
    listView1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    listView1_->header()->setStretchLastSection(false);
    listView1_->header()->setSectionResizeMode(QHeaderView::Interactive);
    listView1_->setCursor(Qt::ArrowCursor);
    listView1_->viewport()->setMouseTracking(true);
    listView1_->viewport()->installEventFilter(this);
    files_ = new QStandardItemModel(0, 1, this);
    listView1_->setModel(files_);

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
    if (QFileInfo::exists(path)) {
        mouseIcon_ = LoadCursorFile(path);
    }
}

void Form1::SetUpFileColumn() {
    files_->setHorizontalHeaderLabels({QString::fromLatin1(kFileColumnTitle)});
    listView1_->header()->resizeSection(0, TwipsToPixels(kFileColumnTwips));
}

void Form1::FillIntervalChooser() {
    for (const char* entry : kIntervalMenu) {
        combo1_->addItem(QString::fromLatin1(entry));
    }
    combo1_->setCurrentIndex(kDefaultInterval);
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
}

void Form1::Check2_Click() {
    if (!ReleasePushButton(*check2_)) {
        return;
    }
}

void Form1::Check4_Click() {
    if (!ReleasePushButton(*check4_)) {
        return;
    }
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

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == listView1_->viewport() && event->type() == QEvent::MouseMove) {
        SurfaceMouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
    closing_ = true;
    event->accept();
}

}  // namespace parvane
