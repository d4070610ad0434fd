#include "framework/Menu.h"

#include "framework/Dialog.h"
#include "framework/UiThread.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {

constexpr UINT kOffFlags = MF_GRAYED | MF_DISABLED;

} // namespace

CMenu::CMenu(CDialog& owner) : owner(owner) {
    items.push_back({SC_CLOSE, MF_STRING, "Close"});
}

CMenu::~CMenu() {
    delete popup;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text) {
    if ((flags & MF_SEPARATOR) == 0 && text == nullptr) {
        return FALSE;
    }
    RunOnUiThread([&] {
        if ((flags & MF_SEPARATOR) != 0) {
            items.push_back({0, MF_SEPARATOR, ""});
        } else {
            items.push_back({static_cast<UINT>(id), flags & kOffFlags, text});
        }
    });
    return TRUE;
}

UINT CMenu::EnableMenuItem(UINT id, UINT enable) {
    UINT previous = kNoSuchMenuItem;
    RunOnUiThread([&] {
        auto item = std::find_if(items.begin(), items.end(), [&](const Item& candidate) {
            return candidate.id == id && (candidate.flags & MF_SEPARATOR) == 0;
        });
        if (item == items.end()) {
            return;
        }
        previous = item->flags & kOffFlags;
        item->flags = (item->flags & ~kOffFlags) | (enable & kOffFlags);
        if (popup != nullptr) {
            for (QAction* action : popup->actions()) {
                if (!action->isSeparator() && action->data().toUInt() == id) {
                    action->setEnabled((item->flags & kOffFlags) == 0);
                }
            }
        }
    });
    return previous;
}

UINT CMenu::GetMenuState(UINT id, UINT) const {
    UINT state = kNoSuchMenuItem;
    RunOnUiThread([&] {
        for (const Item& item : items) {
            if (item.id == id && (item.flags & MF_SEPARATOR) == 0) {
                state = item.flags;
                return;
            }
        }
    });
    return state;
}

void CMenu::Popup(int screenX, int screenY) {
    delete popup;
    popup = new QMenu(owner.Widget());
    popup->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(popup, &QObject::destroyed, [this] { popup = nullptr; });
    for (const Item& item : items) {
        if ((item.flags & MF_SEPARATOR) != 0) {
            popup->addSeparator();
            continue;
        }
        QAction* action = popup->addAction(QString::fromStdString(item.text));
        action->setData(item.id);
        action->setEnabled((item.flags & kOffFlags) == 0);
        UINT id = item.id;
        QObject::connect(action, &QAction::triggered, popup,
                         [this, id] { owner.OnSysCommand(id, 0); });
    }
    popup->popup(QPoint(screenX, screenY));
}

NativeMenu CMenu::PopupMenu() const {
    return popup;
}
