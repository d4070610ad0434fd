#pragma once

#include "framework/Wnd.h"

#include <functional>

// Acts on a modal window from inside its own event loop: keeps looking (a posted
// call at a time) until find() gives a visible window, then runs act on it, which
// is expected to end it. Gives up after a bounded number of looks.
class WindowWatcher {
public:
    WindowWatcher(std::function<CWnd*()> find, std::function<void(CWnd&)> act);
    // The posted looks hold this object's address.
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;

    bool seen = false;     // the window was found visible and act ran
    bool finished = false; // seen, or the looks ran out

private:
    void Look(int looksLeft);

    std::function<CWnd*()> find;
    std::function<void(CWnd&)> act;
};
