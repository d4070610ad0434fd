#pragma once

#include "framework/DialogTemplate.h"

// The administrator password dialogs as data.
const DialogTemplate& LoginDialogTemplate();     // 129, both current passwords
const DialogTemplate& SetAdmin1DialogTemplate(); // 130, ADMIN 1 change, "Next"
const DialogTemplate& SetAdmin2DialogTemplate(); // 131, ADMIN 2 change, "Previous" / "Finish"
