#include "framework/WinTypes.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

namespace {

using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {kNoControlId, Icon, 14, 14, 21, 20, kVisible, "128"},
    {kNoControlId, Static, 42, 14, 114, 8, kVisible | kMultiLine, "Brimlet, 버전 1.0"},
    {IDOK, Button, 113, 41, 50, 14, kVisible | kDefaultButton, "확인"},
};

constexpr DialogTemplate kAboutDialog{
    IDD_ABOUTBOX, "Brimlet 정보", 170, 62, "MS Shell Dlg", 8, kCaption | kSystemMenu | kModalFrame,
    kControls,
};

} // namespace

const DialogTemplate& AboutDialogTemplate() {
    return kAboutDialog;
}
