// The home page at start-up: the draw that opens it, and a build without an address.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/HomePage.h"

namespace parvane {
namespace {

struct RecordingOpener final : UrlOpener {
    std::vector<QUrl> opened;
    void Open(const QUrl& address) override { opened.push_back(address); }
};

// A build may go without the address, as distributions want: then even the draw that
// would open it opens nothing.
TEST(HomePage, OnlyTheDrawOfSevenOpensAnAddressThereIs) {
    const QUrl address(QStringLiteral("https://home.page.test/"));
    for (const auto& [draw, homePage, opens] :
         {std::tuple{0.065, address, true}, {0.065, QUrl(), false}, {0.5, address, false}}) {
        RecordingOpener opener;
        MaybeOpenHomePage([draw = draw] { return draw; }, opener, homePage);
        EXPECT_EQ(opener.opened, opens ? std::vector{address} : std::vector<QUrl>{}) << draw;
    }
}

}  // namespace
}  // namespace parvane
