#include "ui/CenterForm.h"

#include <QScreen>
#include <QWidget>

#include <cmath>

#include "ui/MainWindowLayout.h"

namespace parvane {

FormPosition CenteredPosition(float screenWidth, float screenHeight, float outerWidth,
                              float outerHeight) {
    return {(screenWidth - outerWidth) / 2.0f, (screenHeight - outerHeight) / 2.0f};
}

void CenterForm(QWidget& form) {
    const QScreen* screen = form.screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    const QSize outer = form.frameGeometry().size();
    constexpr float kTwips = static_cast<float>(kTwipsPerPixel);
    const FormPosition place = CenteredPosition(
        static_cast<float>(area.width()) * kTwips, static_cast<float>(area.height()) * kTwips,
        static_cast<float>(outer.width()) * kTwips, static_cast<float>(outer.height()) * kTwips);
    form.move(area.x() + static_cast<int>(std::lround(place.left / kTwips)),
              area.y() + static_cast<int>(std::lround(place.top / kTwips)));
}

}  // namespace parvane
