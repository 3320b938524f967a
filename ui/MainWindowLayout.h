// Where the main window's controls stand at its design size and how their text is set,
// in twips (1/1440 inch, 15 to a logical pixel at 96 dpi). Qt scales logical pixels to the
// screen, so the window keeps its proportions on high-density screens.
#pragma once

#include <QFont>
#include <QRect>
#include <QtGlobal>

#include <cmath>

namespace parvane {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr QRect ToPixels(TwipsRect place) {
    return {TwipsToPixels(place.left), TwipsToPixels(place.top), TwipsToPixels(place.width),
            TwipsToPixels(place.height)};
}

inline constexpr int kClientWidthTwips = 7695;
inline constexpr int kClientHeightTwips = 3690;

inline constexpr TwipsRect kAddFilesButtonPlace{120, 2040, 2415, 1095};
inline constexpr TwipsRect kSplitButtonPlace{5160, 2040, 2415, 1095};
inline constexpr TwipsRect kListViewPlace{120, 120, 7455, 1815};
inline constexpr TwipsRect kAddFolderButtonPlace{2640, 2040, 2415, 1095};
inline constexpr TwipsRect kIntervalChooserPlace{120, 3240, 1815, 345};
inline constexpr TwipsRect kProgressBarPlace{2040, 3240, 5535, 345};

inline constexpr double kButtonFontPoints = 11.25;
inline constexpr double kListFontPoints = 9.0;
inline constexpr int kPictureSize = 32;

// Arial bold, sized in pixels from points at 96 dpi as the twips are, so the text keeps
// its place in the fixed layout whatever dpi the desktop reports. On Linux fontconfig
// gives Arial's metric twin, Liberation Sans.
inline QFont ArialBold(double points) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(true);
    return font;
}

// The program's name, the same in every language.
inline constexpr const char* kCaption = "Parvane";
// English; the window shows them translated.
inline constexpr const char* kAddFilesCaption =
    QT_TRANSLATE_NOOP("parvane::MainWindow", "Add MP3 File(s)");
inline constexpr const char* kSplitCaption = QT_TRANSLATE_NOOP("parvane::MainWindow", "Split!");
// "Split!" while a job runs.
inline constexpr const char* kStopCaption = QT_TRANSLATE_NOOP("parvane::MainWindow", "Stop");
inline constexpr const char* kStopToolTip =
    QT_TRANSLATE_NOOP("parvane::MainWindow", "Stop splitting (Esc)");
inline constexpr const char* kAddFolderCaption =
    QT_TRANSLATE_NOOP("parvane::MainWindow", "Add All MP3 File(s) In Folder");
inline constexpr const char* kListViewToolTip = QT_TRANSLATE_NOOP(
    "parvane::MainWindow",
    "Drag and drop files here. Double-click item to remove it. Move bar to right and out of "
    "window to reveal full names.");

}  // namespace parvane
