#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Font.h"

#include <string>

// The notice shown during a download (template 132): a frameless window that
// warns against unplugging the reader and then carries each failure text.
class CInprogressDlg : public CDialog {
public:
    // mainWindow: the window the notice is centred on; the notice itself has no
    // parent, so that it stays up on its own.
    explicit CInprogressDlg(CWnd& mainWindow);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor) override;

    // Centres the notice over the main window and sets its text.
    void PlaceNotice(const std::string& text);

    CStatic noticeText;
    CFont noticeFont;

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    void OnOkButton();

    CWnd& mainWindow;
};
