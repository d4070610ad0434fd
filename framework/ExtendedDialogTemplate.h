#pragma once

#include "framework/DialogTemplate.h"

#include <cstdint>
#include <vector>

// A DialogTemplate as the extended dialog template (DLGTEMPLATEEX and its
// DLGITEMTEMPLATEEX items) that DialogBoxIndirectParamW and CreateDialogIndirectParamW
// take: the same dialog units, the template's font, the Windows classes and styles of
// the controls. The dialog is built hidden; the caller shows it. Items start on
// DWORD boundaries counted from the first word, which the vector's storage aligns.
std::vector<std::uint16_t> ExtendedDialogTemplate(const DialogTemplate& dialogTemplate);
