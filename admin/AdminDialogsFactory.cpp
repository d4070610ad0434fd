#include "admin/AdminDialogsFactory.h"

#include "admin/ModalAdminDialogs.h"

#include <utility>

namespace {

// Installed and read on the UI thread only, as the handler of button 1023 runs there.
AdminDialogsFactory& InstalledFactory() {
    static AdminDialogsFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<AdminDialogs> MakeAdminDialogs(CWnd* parent) {
    if (InstalledFactory()) {
        return InstalledFactory()(parent);
    }
    return std::make_unique<ModalAdminDialogs>(parent);
}

ScopedAdminDialogsFactory::ScopedAdminDialogsFactory(AdminDialogsFactory factory)
    : previous(std::exchange(InstalledFactory(), std::move(factory))) {}

ScopedAdminDialogsFactory::~ScopedAdminDialogsFactory() {
    InstalledFactory() = std::move(previous);
}
