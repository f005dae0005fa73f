#include "ProgressThrottle.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Report {
    std::int32_t done;
    std::int32_t total;
    std::uint64_t nowMs;
    bool passes;
};

struct ThrottleCase {
    const char* name;
    std::uint64_t intervalMs;
    std::vector<Report> reports;
    bool heldBackAtEnd;
};

const ThrottleCase kCases[] = {
    {"FirstReportPassesAtOnce", 15, {{1, 100, 5000, true}}, false},
    {"ReportsWithinOneFrameAreHeldBack",
     15,
     {{1, 100, 1000, true}, {2, 100, 1005, false}, {3, 100, 1014, false}, {4, 100, 1015, true}},
     false},
    {"TheLastItemAlwaysPasses",
     15,
     {{1, 3, 1000, true}, {2, 3, 1001, false}, {3, 3, 1002, true}},
     false},
    {"ItemsBeyondTheTotalPassToo", 15, {{5, 4, 1000, true}, {6, 4, 1001, true}}, false},
    {"AHeldBackReportIsRemembered", 15, {{1, 10, 1000, true}, {2, 10, 1003, false}}, true},
    {"EachFrameLetsOneReportThrough",
     15,
     {{1, 10, 0, true},
      {2, 10, 10, false},
      {3, 10, 20, true},
      {4, 10, 30, false},
      {5, 10, 35, true}},
     false},
    {"ZeroIntervalPassesEveryReport",
     0,
     {{1, 10, 7, true}, {2, 10, 7, true}, {3, 10, 7, true}},
     false},
};

class ProgressThrottleTest : public ::testing::TestWithParam<ThrottleCase> {};

TEST_P(ProgressThrottleTest, PassesAtMostOncePerIntervalAndAlwaysTheLastItem) {
    const ThrottleCase& testCase = GetParam();
    ProgressThrottle throttle(testCase.intervalMs);
    for (const Report& report : testCase.reports) {
        SCOPED_TRACE(report.done);
        EXPECT_EQ(throttle.Pass(report.done, report.total, report.nowMs), report.passes);
    }
    EXPECT_EQ(throttle.TakeHeldBack(), testCase.heldBackAtEnd);
    EXPECT_FALSE(throttle.TakeHeldBack());
}

INSTANTIATE_TEST_SUITE_P(Reports, ProgressThrottleTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgressThrottleResetTest, ANewRunPassesItsFirstReportAndForgetsWhatWasHeldBack) {
    ProgressThrottle throttle;
    ASSERT_TRUE(throttle.Pass(1, 10, 1000));
    ASSERT_FALSE(throttle.Pass(2, 10, 1001));

    throttle.Reset();

    EXPECT_FALSE(throttle.TakeHeldBack());
    EXPECT_TRUE(throttle.Pass(1, 10, 1002));
}

}  // namespace
