#pragma once

#include "framework/DataExchange.h"
#include "framework/DeviceContext.h"
#include "framework/DialogTemplate.h"
#include "framework/Icon.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"

#include <functional>
#include <map>
#include <memory>

class DialogWindow;

// A dialog built from a DialogTemplate: a fixed-size window with the template's
// controls at their template rectangles (dialog units converted from the dialog
// font), each hidden unless it has kVisible.
//
// Keys: every key press in the dialog or any of its controls reaches
// PreTranslateMessage first (WM_KEYDOWN, or WM_SYSKEYDOWN with Alt, wParam the
// virtual key); TRUE consumes it. What is not consumed gets the dialog defaults:
// Return gives the command of the default button, or IDOK without one; Escape gives
// IDCANCEL; Alt+Space opens the system menu. Commands IDOK and IDCANCEL without a
// registered handler call OnOK and OnCancel; closing the window gives IDCANCEL.
class CDialog : public CWnd {
public:
    explicit CDialog(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    ~CDialog() override;

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCDialog;

    // Modal: builds the window, runs OnInitDialog, shows it and returns the value
    // given to EndDialog once it has closed; the window is destroyed before returning.
    // Called on another thread, it runs on the UI thread. -1 while already open.
    // Only the owner (parent) takes no input meanwhile; other windows stay usable.
    virtual INT_PTR DoModal();
    // Modeless: builds and shows the window; it lives until DestroyWindow or the
    // CDialog is destroyed. EndDialog only hides it. FALSE if already created.
    BOOL Create(CWnd* parent = nullptr);
    void DestroyWindow();
    void EndDialog(int result);

    virtual BOOL OnInitDialog(); // runs UpdateData(FALSE); the first control gets the focus
    virtual BOOL PreTranslateMessage(MSG* msg); // FALSE: the dialog defaults apply
    virtual void OnTimer(UINT_PTR id);
    virtual void OnSysCommand(UINT id, LPARAM lParam); // SC_CLOSE closes, when enabled
    // WM_CTLCOLOR, asked once per control when the window is built, after
    // OnInitDialog: a text colour set on dc is the control's text colour from then on.
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor);
    virtual void OnOK();     // UpdateData(TRUE) then EndDialog(IDOK)
    virtual void OnCancel(); // EndDialog(IDCANCEL)

    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // A repeating timer on the UI thread: OnTimer(id) every elapseMs until KillTimer.
    // Setting an id that runs restarts it. Returns id, or 0 when the dialog has no window.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs);
    BOOL KillTimer(UINT_PTR id); // FALSE when no such timer runs

    // The system menu; null for a dialog without kSystemMenu. revert has no meaning here.
    CMenu* GetSystemMenu(BOOL revert);

    // The control with this template id (an object of its own class), or null.
    CWnd* GetDlgItem(int id) const;

    HICON SetIcon(HICON icon, BOOL big); // returns the previous icon of that size

    // Message-map entry ON_BN_CLICKED. A handler for IDOK or
    // IDCANCEL replaces OnOK / OnCancel for that command.
    void OnClicked(int id, std::function<void()> handler);
    // Runs the command of control id as a click would (WM_COMMAND).
    void SendCommand(int id);

    const DialogTemplate& GetTemplate() const { return dialogTemplate; }

protected:
    virtual void DoDataExchange(CDataExchange* dx);

private:
    friend class DialogWindow;
    BOOL Build(CWnd* parentWindow);
    void InitDialog(); // OnInitDialog, then the controls' colours
    static UINT CtlColorOf(ControlKind kind);
    DialogWindow* ReleaseWindow();
    BOOL IsCloseEnabled() const;
    void HandleCloseRequest();          // title bar, Alt+F4, closeEvent: refused while Close is off
    void HandleTimerEvent(int timerId); // the back end's timer id
    BOOL TranslateKey(MSG& msg);        // PreTranslateMessage, then the dialog defaults
    int ReturnCommand(HWND focus) const;
    int FocusedButtonId(HWND focus) const; // a focused push button's id, else kNoControlId
    void OpenSystemMenu();                 // at the window's top left corner

    const DialogTemplate& dialogTemplate;
    CWnd* parent;
    DialogWindow* window = nullptr;
    std::map<int, std::unique_ptr<CWnd>> controls;
    std::map<int, std::function<void()>> commandHandlers;
    std::map<UINT_PTR, int> timers; // our id -> the event loop's timer id
    std::unique_ptr<CMenu> systemMenu;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    bool modal = false;
};
