#include "app/HomePage.h"

#include <QDesktopServices>
#include <QTime>

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>

namespace parvane {

void DesktopUrlOpener::Open(const QUrl& address) {
    QDesktopServices::openUrl(address);
}

RandomSource TimeOfDayRandom(int secondsSinceMidnight) {
    auto engine = std::make_shared<std::mt19937>(static_cast<std::uint32_t>(secondsSinceMidnight));
    // A 32-bit draw over 2^32 can never reach 1, which a library real distribution may.
    return [engine] { return static_cast<double>((*engine)()) / 4294967296.0; };
}

int SecondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000;
}

int DrawOneToHundred(double random) {
    return static_cast<int>(std::floor(random * 100.0)) + 1;
}

void MaybeOpenHomePage(const RandomSource& nextRandom, UrlOpener& opener, const QUrl& homePage) {
    if (DrawOneToHundred(nextRandom()) == kHomePageDraw && !homePage.isEmpty()) {
        opener.Open(homePage);
    }
}

}  // namespace parvane
