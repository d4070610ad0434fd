#include "tests/app/WindowWatcher.h"

#include "framework/UiThread.h"

#include <utility>

WindowWatcher::WindowWatcher(std::function<CWnd*()> find, std::function<void(CWnd&)> act)
    : find(std::move(find)), act(std::move(act)) {
    Look(500);
}

void WindowWatcher::Look(int looksLeft) {
    PostToUiThread([this, looksLeft] {
        CWnd* window = find();
        if (window != nullptr && window->IsWindowVisible()) {
            seen = true;
            act(*window);
            finished = true;
        } else if (looksLeft > 0) {
            Look(looksLeft - 1);
        } else {
            finished = true;
        }
    });
}
