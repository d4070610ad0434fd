#include "framework/Win32.h"

#include "framework/DialogWindowWin32.h"

#include "framework/ControlObject.h"
#include "framework/Dialog.h"
#include "framework/ExtendedDialogTemplate.h"

namespace {

constexpr const wchar_t* kProperty = L"Brimlet.DialogWindow";

HHOOK keyFilter = nullptr;

} // namespace

DialogWindow::DialogWindow(CDialog& owner)
    : owner(&owner), dialogTemplate(ExtendedDialogTemplate(owner.GetTemplate())) {
    // The filter belongs to the UI thread, where every dialog is built.
    if (keyFilter == nullptr) {
        keyFilter = SetWindowsHookExW(WH_MSGFILTER, KeyFilter, nullptr, GetCurrentThreadId());
    }
}

INT_PTR DialogWindow::RunModal(HWND ownerWindow) {
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()),
                                   ownerWindow, Procedure, reinterpret_cast<LPARAM>(this));
}

HWND DialogWindow::CreateModeless(HWND ownerWindow) {
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                      reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()),
                                      ownerWindow, Procedure, reinterpret_cast<LPARAM>(this));
}

DialogWindow* DialogWindow::Of(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    return static_cast<DialogWindow*>(GetPropW(GetAncestor(window, GA_ROOT), kProperty));
}

bool IsReleasedWindow(HWND window) {
    DialogWindow* dialog = DialogWindow::Of(window);
    return dialog != nullptr && dialog->IsDetached();
}

// The dialog manager asks the filter (MSGF_DIALOGBOX) before it acts on a message,
// in the modal loop of DialogBoxIndirectParamW as in IsDialogMessageW; non-zero
// drops the message.
LRESULT CALLBACK DialogWindow::KeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN)) {
        DialogWindow* dialog = Of(message->hwnd);
        if (dialog != nullptr && dialog->owner != nullptr) {
            MSG copy = *message;
            if (dialog->owner->TranslateKey(copy)) {
                return 1;
            }
        }
    }
    return CallNextHookEx(keyFilter, code, wParam, lParam);
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<DialogWindow*>(lParam);
        dialog->hwnd = window;
        SetPropW(window, kProperty, dialog);
    }
    auto* dialog = static_cast<DialogWindow*>(GetPropW(window, kProperty));
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kProperty);
        return FALSE;
    }
    if (dialog == nullptr || dialog->owner == nullptr) {
        return FALSE;
    }
    return dialog->Handle(message, wParam, lParam);
}

void DialogWindow::Attach(HWND window) {
    owner->CWnd::Attach(window, kNoControlId);
    for (const ControlTemplate& control : owner->GetTemplate().controls) {
        if (control.id == kNoControlId || owner->controls.contains(control.id)) {
            continue; // GetDlgItem finds the first control of an id
        }
        HWND item = GetDlgItem(window, control.id);
        if (control.kind == ControlKind::Edit && control.maxLength > 0) {
            SendMessageW(item, EM_LIMITTEXT, static_cast<WPARAM>(control.maxLength), 0);
        }
        std::unique_ptr<CWnd> object = CreateControlObject(control.kind);
        object->Attach(item, control.id);
        owner->controls.emplace(control.id, std::move(object));
    }
    if ((owner->GetTemplate().style & kSystemMenu) != 0) {
        owner->systemMenu = std::make_unique<CMenu>(*owner);
    }
}

INT_PTR DialogWindow::CtlColor(HDC dc, HWND control, int background) {
    auto color = textColors.find(control);
    if (color == textColors.end()) {
        return FALSE; // the dialog manager's colours
    }
    ::SetTextColor(dc, color->second);
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(background));
}

INT_PTR DialogWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        Attach(hwnd);
        owner->InitDialog();
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            owner->SendCommand(LOWORD(wParam));
        }
        return TRUE;
    case WM_TIMER:
        owner->HandleTimerEvent(static_cast<int>(wParam));
        return TRUE;
    case WM_SYSCOMMAND:
        // Close and the items the program added are the dialog's; moving, minimising
        // and the like stay with Windows.
        if ((wParam & 0xFFF0) == SC_CLOSE || wParam < 0xF000) {
            owner->OnSysCommand(static_cast<UINT>(wParam), lParam);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        owner->HandleCloseRequest();
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return CtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                        COLOR_BTNFACE);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return CtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                        COLOR_WINDOW);
    default:
        return FALSE;
    }
}
