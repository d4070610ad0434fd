#include "framework/UiSession.h"

#include <gtest/gtest.h>

// The dialog tests need the process's user interface before the first dialog.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    UiSession session;
    return RUN_ALL_TESTS();
}
