#include "app/ProgramIcon.h"

#include "resources/Icon.h"
#include "resources/ResourceIds.h"

HICON ProgramIcon() {
    static const HICON icon = [] {
        const auto png = ProgramIconPng();
        return RegisterIconResource(IDI_ICON, png.data(), png.size());
    }();
    return icon;
}
