#include "framework/MessageBox.h"
#include "framework/UiThread.h"
#include "framework/UserInput.h"
#include "tests/framework/TestDialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace {

using namespace testdialog;

// Records each box on the UI thread and answers from a script.
struct RecordingResponder {
    std::vector<MessageBoxRequest> seen;
    std::vector<bool> onUiThread;
    int answer = IDOK;

    MessageBoxResponder Responder() {
        return [this](const MessageBoxRequest& request) {
            seen.push_back(request);
            onUiThread.push_back(IsUiThread());
            return answer;
        };
    }
};

// The download worker's way of working: it changes controls and asks questions
// while the UI thread keeps running its event loop.
TEST(WorkerHandOver, ControlsAndMessageBoxesFromAWorker) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    RecordingResponder recorder;
    recorder.answer = IDCANCEL;
    ScopedMessageBoxResponder responder(recorder.Responder());

    std::atomic<bool> finished{false};
    int answer = 0;
    int lines = 0;
    int position = 0;
    bool workerThoughtItWasUi = true;
    std::thread worker([&] {
        workerThoughtItWasUi = IsUiThread();
        auto& list = *dynamic_cast<CListBox*>(dialog.GetDlgItem(kList));
        for (int i = 0; i < 50; ++i) {
            list.AddString("block " + std::to_string(i));
            list.SetCurSel(list.GetCount() - 1);
        }
        lines = list.GetCount();
        auto& bar = *dynamic_cast<CProgressCtrl*>(dialog.GetDlgItem(kProgress));
        bar.SetRange32(0, 1000);
        bar.SetPos(512);
        position = bar.GetPos();
        dialog.GetDlgItem(kMultiLineStatic)->SetWindowText("다운로드 실패");
        dialog.GetDlgItem(kButton)->EnableWindow(FALSE);
        answer = dialog.MessageBox("계속할까요?", "확인", MB_OKCANCEL | MB_ICONEXCLAMATION);
        dialog.SetTimer(10001, 10); // a worker's last act: arm the result timer
        finished = true;
    });
    bool done = ProcessEventsUntil([&] { return finished.load(); }, 30000);
    worker.join();
    ASSERT_TRUE(done);

    EXPECT_FALSE(workerThoughtItWasUi);
    EXPECT_EQ(lines, 50);
    EXPECT_EQ(position, 512);
    EXPECT_EQ(dialog.logList.GetCurSel(), 49);
    EXPECT_EQ(dialog.GetDlgItem(kMultiLineStatic)->GetWindowText(), "다운로드 실패");
    EXPECT_FALSE(dialog.GetDlgItem(kButton)->IsWindowEnabled());
    EXPECT_EQ(answer, IDCANCEL);
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_TRUE(recorder.onUiThread[0]) << "boxes are shown by the UI thread";
    EXPECT_EQ(recorder.seen[0].text, "계속할까요?");
    EXPECT_EQ(recorder.seen[0].caption, "확인");
    EXPECT_EQ(recorder.seen[0].buttons, MB_OKCANCEL);
    EXPECT_EQ(recorder.seen[0].icon, MB_ICONEXCLAMATION);
    EXPECT_EQ(recorder.seen[0].owner, &dialog);
    EXPECT_TRUE(ProcessEventsUntil([&] { return !dialog.timerIds.empty(); }));
    EXPECT_EQ(dialog.timerIds.front(), 10001u);
}

TEST(WorkerHandOver, WorkRunsInOrderAndExceptionsReachTheCaller) {
    std::vector<int> order;
    std::atomic<bool> finished{false};
    bool rethrown = false;
    std::thread worker([&] {
        for (int i = 0; i < 20; ++i) {
            RunOnUiThread([&, i] { order.push_back(i); });
        }
        try {
            RunOnUiThread([] { throw std::runtime_error("fails on the UI thread"); });
        } catch (const std::runtime_error&) {
            rethrown = true;
        }
        finished = true;
    });
    bool done = ProcessEventsUntil([&] { return finished.load(); }, 30000);
    worker.join();
    ASSERT_TRUE(done);
    EXPECT_TRUE(rethrown);
    ASSERT_EQ(order.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    }
}

TEST(WorkerHandOver, PostedWorkRunsLaterOnTheUiThread) {
    bool ran = false;
    bool onUi = false;
    PostToUiThread([&] {
        ran = true;
        onUi = IsUiThread();
    });
    EXPECT_FALSE(ran) << "posted, not run inline";
    EXPECT_TRUE(ProcessEventsUntil([&] { return ran; }));
    EXPECT_TRUE(onUi);
}

TEST(MessageBoxes, AfxMessageBoxHasNoOwnerAndTheApplicationCaption) {
    RecordingResponder recorder;
    ScopedMessageBoxResponder responder(recorder.Responder());
    EXPECT_EQ(AfxMessageBox("포트 열기 실패"), IDOK);
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(recorder.seen[0].text, "포트 열기 실패");
    EXPECT_EQ(recorder.seen[0].buttons, MB_OK);
    EXPECT_EQ(recorder.seen[0].icon, 0u);
    EXPECT_EQ(recorder.seen[0].owner, nullptr);
    EXPECT_FALSE(recorder.seen[0].caption.empty());
}

TEST(MessageBoxes, ResponderIsRestoredWhenItsScopeEnds) {
    RecordingResponder outer;
    ScopedMessageBoxResponder first(outer.Responder());
    {
        RecordingResponder inner;
        ScopedMessageBoxResponder second(inner.Responder());
        AfxMessageBox("inner");
        EXPECT_EQ(inner.seen.size(), 1u);
    }
    AfxMessageBox("outer");
    ASSERT_EQ(outer.seen.size(), 1u);
    EXPECT_EQ(outer.seen[0].text, "outer");
}

} // namespace
