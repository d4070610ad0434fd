#include "framework/Clock.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(VirtualClockTest, SleepAndAdvanceMoveTicksAtOnce) {
    VirtualClock clock(1000);
    ScopedClock installed(clock);
    EXPECT_EQ(GetTickCount(), 1000u);
    Sleep(5000);
    Sleep(7000);
    clock.Advance(250);
    EXPECT_EQ(GetTickCount(), 13250u);
    EXPECT_EQ(clock.TotalSlept(), 12000u) << "Advance is not sleeping";
    {
        VirtualClock inner(500);
        ScopedClock second(inner);
        EXPECT_EQ(GetTickCount(), 500u);
    }
    EXPECT_EQ(GetTickCount(), 13250u) << "the previous clock is restored";
}

TEST(VirtualClockTest, TicksWrapLikeWindows) {
    VirtualClock clock(0xFFFFFF00u);
    ScopedClock installed(clock);
    DWORD start = GetTickCount();
    Sleep(0x200);
    EXPECT_EQ(GetTickCount(), 0x100u);
    EXPECT_EQ(GetTickCount() - start, 0x200u) << "elapsed time survives the wrap";
}

TEST(VirtualClockTest, SleepsFromManyThreadsAllCount) {
    VirtualClock clock;
    ScopedClock installed(clock);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 1000; ++i) {
                Sleep(3);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(GetTickCount(), 12000u);
}

} // namespace
