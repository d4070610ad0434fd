#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <functional>
#include <string>
#include <vector>

// Controls of each kind the tests use, visible and hidden, in dialog units.
namespace testdialog {

constexpr int kLabel = 1000, kEdit = 1001, kHiddenEdit = 1002, kButton = 1003, kList = 1005,
              kCombo = 1006, kDisabledButton = 1008;

inline constexpr ControlTemplate kControls[] = {
    {kLabel, ControlKind::Static, 4, 4, 60, 8, kVisible, "Port"},
    {kEdit, ControlKind::Edit, 4, 16, 60, 14, kVisible | kBorder, "", 5},
    {kHiddenEdit, ControlKind::Edit, 70, 16, 60, 14, kBorder, "secret"},
    {kButton, ControlKind::Button, 4, 34, 50, 14, kVisible, "전송"},
    {kList, ControlKind::ListBox, 4, 50, 120, 40, kVisible | kVScroll, nullptr},
    {kCombo, ControlKind::DropDownList, 130, 4, 40, 60, kVisible, nullptr},
    {kDisabledButton, ControlKind::Button, 130, 34, 40, 14, kVisible | kDisabled, "Open"},
    {kNoControlId, ControlKind::Static, 130, 50, 40, 8, kVisible, "hint"},
};

inline constexpr DialogTemplate kTemplate{
    900, "Test", 210, 110, "MS Shell Dlg", 9, kCaption | kSystemMenu | kMinimizeBox, kControls,
};

} // namespace testdialog

// A dialog whose key rule is set per test and whose calls are recorded.
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
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, testdialog::kList, logList);
        DDX_Control(dx, testdialog::kCombo, combo);
        DDX_Text(dx, testdialog::kEdit, editText);
    }

    std::function<BOOL(const MSG&)> preTranslate;
    std::function<void(UINT_PTR)> onTimer;
    std::function<void()> onInit;
    std::vector<MSG> translated;
    std::vector<UINT_PTR> timerIds;
    int okCount = 0;
    int cancelCount = 0;
    CListBox logList;
    CComboBox combo;
    std::string editText = "7"; // the template leaves the field empty
};
