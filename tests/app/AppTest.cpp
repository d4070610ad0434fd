#include "app/BrimletApp.h"
#include "app/BrimletDlg.h"
#include "framework/ProgramFolder.h"
#include "framework/UserInput.h"
#include "tests/app/ExpectedMainWindow.h"
#include "tests/app/WindowWatcher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(Application, RunsTheMainWindowModallyAndEndsWithIt) {
    ScopedSettingsPath settings("/nonexistent/brimlet-test/Brimlet.ini");
    CBrimletApp app;
    std::string title;
    bool wasMainWindow = false;
    WindowWatcher watcher([] { return AfxGetMainWnd(); },
                          [&](CWnd& window) {
                              auto* main = dynamic_cast<CBrimletDlg*>(&window);
                              wasMainWindow = main != nullptr;
                              title = window.GetWindowText();
                              if (main != nullptr) {
                                  main->EndDialog(IDCANCEL);
                              }
                          });

    EXPECT_EQ(app.InitInstance(), FALSE);

    ASSERT_TRUE(ProcessEventsUntil([&] { return watcher.finished; }));
    EXPECT_TRUE(watcher.seen);
    EXPECT_TRUE(wasMainWindow);
    EXPECT_EQ(title, kExpectedTitle);
    EXPECT_EQ(app.settingsPath, "/nonexistent/brimlet-test/Brimlet.ini");
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST(Application, HoldsTheBuiltInKeyHolder) {
    CBrimletApp app;
    EXPECT_EQ(std::memcmp(app.function.initVector, "kelto584", 8), 0);
    EXPECT_EQ(std::memcmp(app.function.tripleKey, "580319425803194258031942", 24), 0);
}

} // namespace
