#include "framework/Win32.h"

#include "framework/MessageBox.h"
#include "framework/WideText.h"
#include "framework/Wnd.h"

// Windows answers a box closed without a button as the framework promises: Cancel
// where there is one, otherwise the only way out.
int ShowMessageBoxOnScreen(const MessageBoxRequest& request) {
    HWND owner = request.owner != nullptr ? request.owner->Widget() : nullptr;
    return MessageBoxW(owner, Widen(request.text).c_str(), Widen(request.caption).c_str(),
                       request.buttons | request.icon | (owner == nullptr ? MB_TASKMODAL : 0));
}
