#pragma once

#include "framework/NativeHandles.h"
#include "framework/WinTypes.h"

#include <string>
#include <vector>

class CDialog;

// A dialog's system menu. On Windows it is the window's own; Linux windows have
// none, so there the framework gives every dialog with kSystemMenu one that opens
// with Alt+Space or a right click on the dialog background. It holds "Close"
// (SC_CLOSE); choosing an item calls the dialog's OnSysCommand(id). While Close is
// disabled the dialog refuses to close by any means. Safe to call from any thread.
class CMenu {
public:
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr);
    // enable: MF_ENABLED, or MF_GRAYED and/or MF_DISABLED. Returns the previous state,
    // or kNoSuchMenuItem.
    UINT EnableMenuItem(UINT id, UINT enable);
    UINT GetMenuState(UINT id, UINT flags = MF_BYCOMMAND) const; // kNoSuchMenuItem if absent

    // For the framework.
    explicit CMenu(CDialog& owner);
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    void Popup(int screenX, int screenY); // UI thread
    NativeMenu PopupMenu() const;         // the open menu, null when closed

private:
    struct Item {
        UINT id;
        UINT flags;
        std::string text;
    };
    std::vector<Item> items; // touched on the UI thread only
    CDialog& owner;
    NativeMenu popup = nullptr;
};
