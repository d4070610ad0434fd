#include "framework/MessageBox.h"
#include "framework/UiThread.h"
#include "framework/UserInput.h"
#include "tests/framework/TestDialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <stdexcept>
#include <thread>

namespace {

using namespace testdialog;

// Runs work on a second thread while the UI thread keeps running its event loop.
void OnWorker(const std::function<void()>& work) {
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        work();
        finished = true;
    });
    bool done = ProcessEventsUntil([&] { return finished.load(); }, 30000);
    worker.join();
    ASSERT_TRUE(done);
}

// The download worker's way of working: it changes controls and asks questions.
TEST(WorkerHandOver, ControlsAndMessageBoxesFromAWorker) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    std::vector<MessageBoxRequest> seen;
    bool boxOnUiThread = false;
    ScopedMessageBoxResponder responder([&](const MessageBoxRequest& request) {
        seen.push_back(request);
        boxOnUiThread = IsUiThread();
        return IDCANCEL;
    });
    int answer = 0;
    int lines = 0;
    bool workerThoughtItWasUi = true;
    OnWorker([&] {
        workerThoughtItWasUi = IsUiThread();
        auto& list = *dynamic_cast<CListBox*>(dialog.GetDlgItem(kList));
        for (int i = 0; i < 50; ++i) {
            list.AddString("block " + std::to_string(i));
            list.SetCurSel(list.GetCount() - 1);
        }
        lines = list.GetCount();
        dialog.GetDlgItem(kMultiLineStatic)->SetWindowText("다운로드 실패");
        dialog.GetDlgItem(kButton)->EnableWindow(FALSE);
        answer = dialog.MessageBox("계속할까요?", "확인", MB_OKCANCEL | MB_ICONEXCLAMATION);
        dialog.SetTimer(10001, 10); // a worker's last act: arm the result timer
    });
    EXPECT_FALSE(workerThoughtItWasUi);
    EXPECT_EQ(lines, 50);
    EXPECT_EQ(dialog.logList.GetCurSel(), 49);
    EXPECT_EQ(dialog.GetDlgItem(kMultiLineStatic)->GetWindowText(), "다운로드 실패");
    EXPECT_FALSE(dialog.GetDlgItem(kButton)->IsWindowEnabled());
    EXPECT_EQ(answer, IDCANCEL);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(boxOnUiThread) << "boxes are shown by the UI thread";
    EXPECT_EQ(seen[0].text, "계속할까요?");
    EXPECT_EQ(seen[0].caption, "확인");
    EXPECT_EQ(seen[0].buttons, MB_OKCANCEL);
    EXPECT_EQ(seen[0].icon, MB_ICONEXCLAMATION);
    EXPECT_EQ(seen[0].owner, &dialog);
    EXPECT_TRUE(ProcessEventsUntil([&] { return !dialog.timerIds.empty(); }));
    EXPECT_EQ(dialog.timerIds.front(), 10001u);
}

TEST(WorkerHandOver, WorkRunsInOrderAndExceptionsReachTheCaller) {
    std::vector<int> order;
    bool rethrown = false;
    OnWorker([&] {
        for (int i = 0; i < 20; ++i) {
            RunOnUiThread([&, i] { order.push_back(i); });
        }
        try {
            RunOnUiThread([] { throw std::runtime_error("fails on the UI thread"); });
        } catch (const std::runtime_error&) {
            rethrown = true;
        }
    });
    EXPECT_TRUE(rethrown);
    std::vector<int> expected(20);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(order, expected);

    bool onUi = false;
    PostToUiThread([&] { onUi = IsUiThread(); });
    EXPECT_FALSE(onUi) << "posted, not run inline";
    EXPECT_TRUE(ProcessEventsUntil([&] { return onUi; }));
}

TEST(MessageBoxes, AfxMessageBoxHasNoOwnerAndResponderScopesNest) {
    std::vector<MessageBoxRequest> outer;
    ScopedMessageBoxResponder first([&](const MessageBoxRequest& r) {
        outer.push_back(r);
        return IDOK;
    });
    {
        ScopedMessageBoxResponder second([](const MessageBoxRequest&) { return IDNO; });
        EXPECT_EQ(AfxMessageBox("inner"), IDNO);
    }
    EXPECT_EQ(AfxMessageBox("포트 열기 실패"), IDOK);
    ASSERT_EQ(outer.size(), 1u);
    EXPECT_EQ(outer[0].text, "포트 열기 실패");
    EXPECT_EQ(outer[0].buttons, MB_OK);
    EXPECT_EQ(outer[0].icon, 0u);
    EXPECT_EQ(outer[0].owner, nullptr);
    EXPECT_FALSE(outer[0].caption.empty());
}

} // namespace
