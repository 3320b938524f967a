#include "MessageBoxes.h"

#include <QMessageBox>

namespace parvane {

void QtMessageBoxes::Show(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kMessageTitle), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace parvane
