#pragma once

#include "framework/DialogTemplate.h"

// The program's dialogs as data, one template per window.
const DialogTemplate& MainDialogTemplate();   // 102, the main window
const DialogTemplate& AboutDialogTemplate();  // 100, the about box
const DialogTemplate& NoticeDialogTemplate(); // 132, the notice shown during a download
