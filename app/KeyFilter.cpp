#include "app/KeyFilter.h"

bool IsSwallowedKey(const MSG* msg) {
    return msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE);
}
