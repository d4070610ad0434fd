#include "framework/UserInput.h"
#include "tests/framework/TestDialog.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::size_t CountOf(const std::vector<UINT_PTR>& ids, UINT_PTR id) {
    return static_cast<std::size_t>(std::count(ids.begin(), ids.end(), id));
}

TEST(DialogTimers, FireOnTimerWithTheirOwnIds) {
    TestDialog dialog;
    EXPECT_EQ(dialog.SetTimer(1, 10), 0u) << "no window yet";
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.SetTimer(10000, 20), 10000u);
    EXPECT_EQ(dialog.SetTimer(10001, 10), 10001u);
    EXPECT_EQ(dialog.SetTimer(10001, 10), 10001u) << "setting again restarts the same id";
    ASSERT_TRUE(ProcessEventsUntil([&] {
        return CountOf(dialog.timerIds, 10000) > 0 && CountOf(dialog.timerIds, 10001) > 0;
    }));
    for (UINT_PTR id : dialog.timerIds) {
        EXPECT_TRUE(id == 10000 || id == 10001) << id;
    }
    EXPECT_TRUE(dialog.KillTimer(10000));
    EXPECT_TRUE(dialog.KillTimer(10001));
    EXPECT_FALSE(dialog.KillTimer(10001)) << "one timer per id";
    EXPECT_FALSE(dialog.KillTimer(99));
}

// The result timers kill themselves in their handler: exactly one call each.
TEST(DialogTimers, KilledInItsHandlerFiresOnce) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.onTimer = [&](UINT_PTR id) { dialog.KillTimer(id); };
    dialog.SetTimer(10000, 10);
    ASSERT_TRUE(ProcessEventsUntil([&] { return CountOf(dialog.timerIds, 10000) == 1; }));
    dialog.onTimer = nullptr;
    // Let a witness fire several more times; the killed timer must stay silent.
    dialog.SetTimer(8, 10);
    ASSERT_TRUE(ProcessEventsUntil([&] { return CountOf(dialog.timerIds, 8) >= 3; }));
    EXPECT_EQ(CountOf(dialog.timerIds, 10000), 1u);
}

} // namespace
