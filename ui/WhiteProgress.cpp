#include "ui/WhiteProgress.h"

#include <QPalette>
#include <QProgressBar>

namespace parvane {

void WhitenProgressBar(QProgressBar& bar) {
    QPalette white = bar.palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button}) {
        white.setColor(role, Qt::white);
    }
    bar.setPalette(white);
    bar.setAutoFillBackground(true);
}

}  // namespace parvane
