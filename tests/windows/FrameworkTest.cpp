// The framework's Win32 back end against the contracts its headers promise, on a
// real (Wine) display: the template conversion and dialog units, data exchange,
// the control wrappers and a worker's call reaching the UI thread. Run by
// window_under_wine.sh. usage: framework-test
#include "framework/Win32.h"

#include "Check.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/UiSession.h"

#include <string>
#include <thread>

namespace {

using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {100, Static, 5, 5, 80, 10, kVisible | kCentred, "안내 문구"},
    {101, Edit, 5, 20, 80, 14, kVisible | kBorder, "편집", 6},
    {102, Button, 90, 20, 50, 14, kVisible | kDefaultButton, "전송"},
    {103, CheckBox, 5, 40, 80, 10, kVisible, "포트 자동 검색"},
    {104, ListBox, 5, 55, 80, 40, kVisible | kVScroll, ""},
    {105, DropDownList, 90, 40, 50, 60, kVisible, ""},
    {106, ProgressBar, 5, 100, 135, 10, kVisible, ""},
    {107, Edit, 90, 60, 50, 14, kDisabled, "숨김"},
};
constexpr DialogTemplate kTemplate{1, "틀 시험", 150, 120, "MS Shell Dlg", 9, kCaption, kControls};

const wchar_t* ClassOf(ControlKind kind) {
    switch (kind) {
    case Edit:
        return L"Edit";
    case Button:
    case CheckBox:
        return L"Button";
    case ListBox:
        return L"ListBox";
    case DropDownList:
        return L"ComboBox";
    case ProgressBar:
        return L"msctls_progress32";
    default:
        return L"Static";
    }
}

void CheckText(const char* label, const std::string& got, const std::string& expected) {
    std::printf("%s %s: \"%s\"\n", got == expected ? "ok  " : "FAIL", label, got.c_str());
    failures += got != expected;
}

class ExchangeDialog : public CDialog {
public:
    ExchangeDialog() : CDialog(kTemplate) {}
    std::string text;
    int check = BST_UNCHECKED;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, 101, text);
        DDX_Check(dx, 103, check);
    }
};

// Each control where the template puts it, in Windows' own dialog units, with its
// class, text, visibility and state.
void CheckConversion(CDialog& dialog) {
    HWND window = dialog.Widget();
    for (const ControlTemplate& control : kControls) {
        HWND item = dialog.GetDlgItem(control.id)->Widget();
        const std::string label = "control " + std::to_string(control.id);
        wchar_t className[32] = {};
        GetClassNameW(item, className, 32);
        CheckNumber((label + " class").c_str(), lstrcmpiW(className, ClassOf(control.kind)), 0);
        if (control.kind != ListBox && control.kind != DropDownList &&
            control.kind != ProgressBar) {
            CheckText((label + " text").c_str(), dialog.GetDlgItem(control.id)->GetWindowText(),
                      control.text);
        }
        CheckNumber((label + " visible").c_str(), IsWindowVisible(item) != 0,
                    (control.style & kVisible) != 0);
        CheckNumber((label + " enabled").c_str(), IsWindowEnabled(item) != 0,
                    (control.style & kDisabled) == 0);
        // Windows maps the position and the size of a control each on its own.
        RECT position{control.x, control.y, control.width, control.height};
        MapDialogRect(window, &position);
        RECT got{};
        GetWindowRect(item, &got);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&got), 2);
        CheckNumber((label + " left").c_str(), got.left, position.left);
        CheckNumber((label + " top").c_str(), got.top, position.top);
        CheckNumber((label + " width").c_str(), got.right - got.left, position.right);
    }
    CheckNumber(
        "edit limit",
        static_cast<long>(SendMessageW(dialog.GetDlgItem(101)->Widget(), EM_GETLIMITTEXT, 0, 0)),
        6);
}

void CheckExchange(ExchangeDialog& dialog) {
    dialog.text = "모델명";
    dialog.check = BST_CHECKED;
    dialog.UpdateData(FALSE);
    CheckText("member into edit", dialog.GetDlgItem(101)->GetWindowText(), "모델명");
    CheckNumber("member into check box", static_cast<CButton*>(dialog.GetDlgItem(103))->GetCheck(),
                BST_CHECKED);
    dialog.GetDlgItem(101)->SetWindowText("KR1");
    static_cast<CButton*>(dialog.GetDlgItem(103))->SetCheck(BST_UNCHECKED);
    dialog.UpdateData(TRUE);
    CheckText("edit into member", dialog.text, "KR1");
    CheckNumber("check box into member", dialog.check, BST_UNCHECKED);
}

void CheckWrappers(CDialog& dialog) {
    auto* list = static_cast<CListBox*>(dialog.GetDlgItem(104));
    CheckNumber("list add", list->AddString("첫째 줄"), 0);
    CheckText("list text", list->GetText(0), "첫째 줄");
    CheckNumber("list bad selection", list->SetCurSel(5), LB_ERR);
    CheckNumber("list nothing selected", list->GetCurSel(), LB_ERR);
    auto* combo = static_cast<CComboBox*>(dialog.GetDlgItem(105));
    combo->AddString("COM7");
    CheckNumber("combo selects nothing", combo->GetCurSel(), CB_ERR);
    CheckNumber("combo select", combo->SetCurSel(0), 0);
    CheckText("combo text is the selection", combo->GetWindowText(), "COM7");
    auto* bar = static_cast<CProgressCtrl*>(dialog.GetDlgItem(106));
    bar->SetRange32(0, 10);
    CheckNumber("progress from 0", bar->SetPos(20), 0);
    CheckNumber("progress held at its end", bar->SetPos(5), 10);
}

// The worker waits for the UI thread, which runs its message loop meanwhile.
void CheckWorkerCall(CDialog& dialog) {
    std::thread worker([&] {
        dialog.GetDlgItem(100)->SetWindowText("작업 스레드");
        UiSession::Quit(0);
    });
    UiSession::RunEventLoop();
    worker.join();
    CheckText("worker's text", dialog.GetDlgItem(100)->GetWindowText(), "작업 스레드");
}

} // namespace

int main() {
    UiSession session;
    CDialog plain(kTemplate); // no data exchange: the template's texts stay
    CheckNumber("modeless dialog made", plain.Create(), TRUE);
    CheckConversion(plain);
    plain.DestroyWindow();
    ExchangeDialog dialog;
    dialog.Create();
    CheckExchange(dialog);
    CheckWrappers(dialog);
    CheckWorkerCall(dialog);
    dialog.DestroyWindow();
    std::printf("%s\n", failures == 0 ? "framework tests passed" : "framework tests FAILED");
    return failures == 0 ? 0 : 1;
}
