#include "app/AboutDlg.h"

#include "resources/DialogTemplates.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(AboutDialogTemplate(), parent) {}
