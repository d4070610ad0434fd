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

// A stopped run closes the port a search was probing, and never a port that failed to
// open or was closed already; after the stop nothing opens or goes out.
TEST_F(CtrlC, StopClosesExactlyThePortsLeftOpen) {
    std::vector<int> closed;
    StoppableLink stoppable{{[](int port, int) { return port == 9 ? 1004 : port; },
                             {}, // nothing is sent here
                             [&](int port) {
                                 closed.push_back(port);
                                 return 0;
                             }},
                            interruption};
    for (const int port : {3, 5, 9}) {
        stoppable.link.initPort(port, 115200);
    }
    stoppable.link.closePort(3);
    interruption.Pressed();
    EXPECT_THROW(stoppable.link.initPort(4, 115200), Interruption::Stop);
    EXPECT_THROW(stoppable.link.polling(5, 0, nullptr, nullptr, nullptr, 0), Interruption::Stop);
    stoppable.CloseOpenPorts();
    EXPECT_EQ(closed, (std::vector<int>{3, 5}));
}

} // namespace
