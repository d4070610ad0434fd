#include "framework/UiSession.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Window tests need the process's user interface before the first dialog; real
// widgets without a display use the offscreen platform unless told otherwise.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    UiSession session;
    return RUN_ALL_TESTS();
}
