#include "cli/Interruption.h"

#include <gtest/gtest.h>

namespace {

using Press = Interruption::Press;
using namespace std::chrono_literals;

class CtrlC : public testing::Test {
protected:
    std::chrono::steady_clock::time_point now{};
    Interruption interruption{[this] { return now; }};
};

TEST_F(CtrlC, BeforeTheBootLoaderTheFirstPressStopsAndEndsAnyWait) {
    EXPECT_EQ(interruption.Pressed(), Press::Stops);
    EXPECT_THROW(interruption.SleepFor(60'000), Interruption::Stop);
    EXPECT_THROW(interruption.ThrowIfStopped(), Interruption::Stop);
    EXPECT_FALSE(interruption.ReaderLeftInBootLoader());
}

TEST_F(CtrlC, InTheBootLoaderOnlyASecondPressWithinThreeSecondsStops) {
    interruption.ReaderMayBeInBootLoader();
    EXPECT_EQ(interruption.Pressed(), Press::Warns);
    now += 3001ms;
    EXPECT_EQ(interruption.Pressed(), Press::Warns) << "too late: warned again";
    EXPECT_FALSE(interruption.Stopped());
    EXPECT_NO_THROW(interruption.SleepFor(1));
    now += 3000ms;
    EXPECT_EQ(interruption.Pressed(), Press::Stops);
    EXPECT_TRUE(interruption.ReaderLeftInBootLoader());
}

} // namespace
