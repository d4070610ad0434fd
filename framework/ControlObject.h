#pragma once

#include "framework/DialogTemplate.h"
#include "framework/Wnd.h"

#include <memory>

// The object GetDlgItem hands out for a control of this kind (CEdit for an edit, ...).
std::unique_ptr<CWnd> CreateControlObject(ControlKind kind);
