// The part of CDialog that both back ends share: commands, keys, data exchange.
#include "framework/Dialog.h"

#include "framework/UiThread.h"

#include <algorithm>

const CRuntimeClass CDialog::classCDialog = {"CDialog", sizeof(CDialog), &CWnd::classCWnd};

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* parent)
    : dialogTemplate(dialogTemplate), parent(parent) {}

CDialog::~CDialog() {
    DestroyWindow();
}

void CDialog::HandleTimerEvent(int timerId) {
    auto running = std::find_if(timers.begin(), timers.end(),
                                [&](const auto& entry) { return entry.second == timerId; });
    if (running != timers.end()) {
        OnTimer(running->first);
    }
}

const CRuntimeClass* CDialog::GetRuntimeClass() const {
    return &classCDialog;
}

// The kind of control a WM_CTLCOLOR message names: check boxes ask as statics.
UINT CDialog::CtlColorOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit:
        return CTLCOLOR_EDIT;
    case ControlKind::ListBox:
    case ControlKind::DropDownList:
        return CTLCOLOR_LISTBOX;
    case ControlKind::Button:
        return CTLCOLOR_BTN;
    default:
        return CTLCOLOR_STATIC;
    }
}

HBRUSH CDialog::OnCtlColor(CDC*, CWnd*, UINT) {
    return nullptr;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG*) {
    return FALSE;
}

void CDialog::OnTimer(UINT_PTR) {}

void CDialog::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) == SC_CLOSE) {
        HandleCloseRequest();
    }
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    RunOnUiThread([&] {
        CDataExchange exchange{saveAndValidate, this};
        DoDataExchange(&exchange);
    });
    return TRUE;
}

CMenu* CDialog::GetSystemMenu(BOOL) {
    return systemMenu.get();
}

CWnd* CDialog::GetDlgItem(int id) const {
    auto found = controls.find(id);
    return found != controls.end() ? found->second.get() : nullptr;
}

void CDialog::OnClicked(int id, std::function<void()> handler) {
    RunOnUiThread([&] { commandHandlers[id] = std::move(handler); });
}

void CDialog::SendCommand(int id) {
    RunOnUiThread([&] {
        auto handler = commandHandlers.find(id);
        if (handler != commandHandlers.end()) {
            std::function<void()> run = handler->second; // the handler may replace itself
            run();
        } else if (id == IDOK) {
            OnOK();
        } else if (id == IDCANCEL) {
            OnCancel();
        }
    });
}

BOOL CDialog::IsCloseEnabled() const {
    return systemMenu == nullptr ||
           (systemMenu->GetMenuState(SC_CLOSE) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void CDialog::HandleCloseRequest() {
    if (IsCloseEnabled()) {
        SendCommand(IDCANCEL);
    }
}

// Return presses the focused push button, else the enabled default button, else
// gives IDOK, as the Windows dialog manager does.
int CDialog::ReturnCommand(HWND focus) const {
    if (int focusedButton = FocusedButtonId(focus); focusedButton != kNoControlId) {
        return focusedButton;
    }
    for (const ControlTemplate& control : dialogTemplate.controls) {
        if ((control.style & kDefaultButton) != 0) {
            CWnd* button = GetDlgItem(control.id);
            return button != nullptr && button->IsWindowEnabled() ? control.id : kNoControlId;
        }
    }
    return IDOK;
}

BOOL CDialog::TranslateKey(MSG& msg) {
    if (PreTranslateMessage(&msg)) {
        return TRUE;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        int command = ReturnCommand(msg.hwnd);
        if (command != kNoControlId) {
            SendCommand(command);
        }
        return TRUE;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        SendCommand(IDCANCEL);
        return TRUE;
    }
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) {
        OnSysCommand(SC_CLOSE, 0);
        return TRUE;
    }
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_SPACE && systemMenu != nullptr &&
        window != nullptr) {
        OpenSystemMenu();
        return TRUE;
    }
    return FALSE;
}
