// The part of CWnd both back ends share.
#include "framework/MessageBox.h"
#include "framework/Wnd.h"

const CRuntimeClass CWnd::classCWnd = {"CWnd", sizeof(CWnd), &CObject::classCObject};
const CWnd CWnd::wndTop;

const CRuntimeClass* CWnd::GetRuntimeClass() const {
    return &classCWnd;
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    return ShowMessageBox(this, text != nullptr ? text : "", caption, type);
}
