#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <functional>
#include <string>
#include <vector>

// Every control kind, visible and hidden, at known dialog-unit rectangles.
namespace testdialog {

constexpr int kLabel = 1000;
constexpr int kEdit = 1001;
constexpr int kHiddenEdit = 1002;
constexpr int kButton = 1003;
constexpr int kCheck = 1004;
constexpr int kList = 1005;
constexpr int kCombo = 1006;
constexpr int kProgress = 1007;
constexpr int kDisabledButton = 1008;
constexpr int kMultiLineStatic = 1009;
constexpr int kIconControl = 1010;

inline constexpr ControlTemplate kControls[] = {
    {kLabel, ControlKind::Static, 4, 4, 60, 8, kVisible, "Port"},
    {kEdit, ControlKind::Edit, 4, 16, 60, 14, kVisible | kBorder, "7", 5},
    {kHiddenEdit, ControlKind::Edit, 70, 16, 60, 14, kBorder, "secret"},
    {kButton, ControlKind::Button, 4, 34, 50, 14, kVisible, "전송"},
    {kCheck, ControlKind::CheckBox, 60, 34, 60, 10, kVisible, "포트 자동 검색"},
    {kList, ControlKind::ListBox, 4, 50, 120, 40, kVisible | kVScroll, nullptr},
    {kCombo, ControlKind::DropDownList, 130, 4, 40, 60, kVisible, nullptr},
    {kProgress, ControlKind::ProgressBar, 4, 94, 120, 10, kVisible, nullptr},
    {kDisabledButton, ControlKind::Button, 130, 34, 40, 14, kVisible | kDisabled, "Open"},
    {kNoControlId, ControlKind::Static, 130, 50, 40, 8, kVisible, "hint"},
    {kMultiLineStatic, ControlKind::Static, 130, 60, 60, 30, kVisible | kCentred,
     "다운로드 절차\r\n1. 확인"},
    {kIconControl, ControlKind::Icon, 180, 4, 20, 20, kVisible, "128"},
};

inline constexpr DialogTemplate kTemplate{
    900, "Test", 210, 110, "MS Shell Dlg", 9, kCaption | kSystemMenu | kMinimizeBox, kControls,
};

} // namespace testdialog

// A dialog whose overridable behaviour is set per test and whose calls are recorded.
class TestDialog : public CDialog {
public:
    explicit TestDialog(const DialogTemplate& dialogTemplate = testdialog::kTemplate,
                        CWnd* parent = nullptr)
        : CDialog(dialogTemplate, parent) {}

    BOOL PreTranslateMessage(MSG* msg) override {
        translated.push_back(*msg);
        return preTranslate ? preTranslate(*msg) : CDialog::PreTranslateMessage(msg);
    }
    void OnTimer(UINT_PTR id) override {
        timerIds.push_back(id);
        if (onTimer) {
            onTimer(id);
        }
    }
    void OnSysCommand(UINT id, LPARAM lParam) override {
        sysCommands.push_back(id);
        CDialog::OnSysCommand(id, lParam);
    }
    void OnOK() override {
        ++okCount;
        CDialog::OnOK();
    }
    void OnCancel() override {
        ++cancelCount;
        CDialog::OnCancel();
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (onInit) {
            onInit();
        }
        return TRUE;
    }

    std::function<BOOL(const MSG&)> preTranslate;
    std::function<void(UINT_PTR)> onTimer;
    std::function<void()> onInit;
    std::vector<MSG> translated;
    std::vector<UINT_PTR> timerIds;
    std::vector<UINT> sysCommands;
    int okCount = 0;
    int cancelCount = 0;

    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, testdialog::kList, logList);
        DDX_Text(dx, testdialog::kEdit, editText);
        DDX_Check(dx, testdialog::kCheck, checked);
    }
    CListBox logList;
    std::string editText = "7";
    int checked = BST_CHECKED;
};
