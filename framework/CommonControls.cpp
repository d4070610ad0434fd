#include "framework/WinApp.h"

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    return init != nullptr && init->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}
