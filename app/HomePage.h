// Now and then, at start-up, the maker's home page in the desktop's web browser: about
// one start in a hundred, decided by a draw from a generator seeded with the time of day.
// A build without an address never opens anything.
#pragma once

#include <QUrl>

#include <functional>

namespace parvane {

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void Open(const QUrl& address) = 0;
};

// Hands the address to the desktop's opener and does not wait for the browser.
class DesktopUrlOpener final : public UrlOpener {
public:
    void Open(const QUrl& address) override;
};

// The next number in [0, 1).
using RandomSource = std::function<double()>;

RandomSource TimeOfDayRandom(int secondsSinceMidnight);
int SecondsSinceMidnight();

inline constexpr int kHomePageDraw = 7;

// A whole number from 1 to 100: Int(r x 100) + 1.
int DrawOneToHundred(double random);

void MaybeOpenHomePage(const RandomSource& nextRandom, UrlOpener& opener, const QUrl& homePage);

}  // namespace parvane
