#include "MessageBoxes.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

namespace parvane {

namespace {

// A box sizes itself to its text, and the title bar then cuts a short message's title
// to "P…". Room for the title in a larger title-bar font, and for the window icon and
// the title bar's buttons beside it.
int TitleRoom(const QMessageBox& box) {
    return 3 * box.fontMetrics().horizontalAdvance(box.windowTitle()) +
           4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
}

}  // namespace

void QtMessageBoxes::Show(QWidget* parent, const QString& text, const QString& details) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kMessageTitle), text,
                    QMessageBox::Ok, parent);
    box.setDetailedText(details);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(TitleRoom(box), 0, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

}  // namespace parvane
