#include "ui/MessageBoxes.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/FittingLineList.h"

namespace parvane {

namespace {

// A box sizes itself to its text, and the title bar then cuts a short message's title
// to "P…". Room for the title in a larger title-bar font, and for the window icon and
// the title bar's buttons beside it.
int TitleRoom(const QWidget& box) {
    return 3 * box.fontMetrics().horizontalAdvance(box.windowTitle()) +
           4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
}

QRect ScreenRoom(const QWidget& box) {
    const QScreen* screen = box.screen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

bool QtMessageBoxes::Show(QWidget* parent, const QString& text, const MessageMore& more) {
    QDialog box(parent);
    box.setWindowTitle(QString::fromLatin1(kMessageTitle));
    box.setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(&box);
    auto* label = new QLabel(text, &box);
    label->setTextFormat(Qt::PlainText);  // file names are text, whatever they hold
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    FittingLineList* list =
        more.lines.isEmpty() ? nullptr : new FittingLineList(more.lines, more.paths, &box);
    if (list != nullptr) {
        layout->addWidget(list, 1);
    } else {
        layout->addStretch(1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    bool actionPressed = false;
    if (!more.action.isEmpty()) {
        QPushButton* action = buttons->addButton(more.action, QDialogButtonBox::ActionRole);
        QObject::connect(action, &QPushButton::clicked, &box, [&] {
            actionPressed = true;
            box.accept();
        });
    }
    layout->addWidget(buttons);
    box.setMinimumWidth(TitleRoom(box));
    const QRect room = ScreenRoom(box);
    QSize size = box.sizeHint();
    // The frame and title bar take some of the screen's height too.
    const int titleBar = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    size = size.boundedTo(QSize(room.width(), room.height() - 2 * titleBar));
    box.resize(size.expandedTo(box.minimumSize()));
    box.exec();
    return actionPressed;
}

}  // namespace parvane
