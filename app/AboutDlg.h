#pragma once

#include "framework/Dialog.h"

// The about box (template 100), opened from the system menu.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);
};
