#include "MessageBoxes.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace parvane {

namespace {

// The share of the screen's width the list of lines takes at most.
constexpr double kWidestShare = 0.75;

// A box sizes itself to its text, and the title bar then cuts a short message's title
// to "P…". Room for the title in a larger title-bar font, and for the window icon and
// the title bar's buttons beside it.
int TitleRoom(const QWidget& box) {
    return 3 * box.fontMetrics().horizontalAdvance(box.windowTitle()) +
           4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
}

QListWidget* LineList(const QStringList& lines, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->addItems(lines);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    return list;
}

// Room for every line uncut, within the screen.
int WantedListWidth(const QListWidget& list) {
    const QScreen* screen = list.screen();
    const int widest = screen != nullptr
                           ? static_cast<int>(screen->availableGeometry().width() * kWidestShare)
                           : 800;
    return std::min(list.sizeHintForColumn(0) + 2 * list.frameWidth() +
                        list.verticalScrollBar()->sizeHint().width(),
                    widest);
}

}  // namespace

void QtMessageBoxes::Show(QWidget* parent, const QString& text, const QStringList& lines) {
    QDialog box(parent);
    box.setWindowTitle(QString::fromLatin1(kMessageTitle));
    box.setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(&box);
    auto* label = new QLabel(text, &box);
    label->setTextFormat(Qt::PlainText);  // file names are text, whatever they hold
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    QListWidget* list = lines.isEmpty() ? nullptr : LineList(lines, &box);
    if (list != nullptr) {
        layout->addWidget(list, 1);
    } else {
        layout->addStretch(1);
    }
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(ok, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(ok);
    box.setMinimumWidth(TitleRoom(box));
    QSize size = box.sizeHint();
    if (list != nullptr) {
        size.rwidth() += std::max(0, WantedListWidth(*list) - list->sizeHint().width());
    }
    box.resize(size.expandedTo(box.minimumSize()));
    box.exec();
}

}  // namespace parvane
