// Start-up placement of the window: centred on its screen, border and title bar included.
#pragma once

class QWidget;

namespace parvane {

struct FormPosition {
    float left;
    float top;
};

// In twips and single precision; a half twip stays as it comes out.
FormPosition CenteredPosition(float screenWidth, float screenHeight, float outerWidth,
                              float outerHeight);

void CenterForm(QWidget& form);

}  // namespace parvane
