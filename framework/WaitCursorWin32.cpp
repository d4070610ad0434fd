#include "framework/Win32.h"

#include "framework/WaitCursor.h"

namespace {

int depth = 0; // UI thread only
HCURSOR previous = nullptr;

} // namespace

CWaitCursor::CWaitCursor() {
    if (depth++ == 0) {
        previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
}

CWaitCursor::~CWaitCursor() {
    if (--depth == 0) {
        SetCursor(previous);
    }
}

bool IsWaitCursorShown() {
    return depth > 0;
}
