#include "app/NoticePlacement.h"

POINT NoticePosition(const RECT& mainWindow, int noticeClientWidth, int noticeClientHeight) {
    const LONG mainWidth = mainWindow.right - mainWindow.left;
    const LONG mainHeight = mainWindow.bottom - mainWindow.top;
    return POINT{
        mainWindow.left + mainWidth / 2 - noticeClientWidth / 2,
        mainWindow.top + mainHeight / 2 - noticeClientHeight / 2 - 85,
    };
}
