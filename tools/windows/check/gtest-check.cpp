// GoogleTest and GoogleMock from the prefix link, and ctest runs the result under wine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

TEST(CrossBuild, ThreadsRun) {
    int result = 0;
    std::thread worker([&result] { result = 42; });
    worker.join();
    EXPECT_THAT(result, testing::Eq(42));
}
