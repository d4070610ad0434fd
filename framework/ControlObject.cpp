#include "framework/ControlObject.h"

#include "framework/Controls.h"

std::unique_ptr<CWnd> CreateControlObject(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit:
        return std::make_unique<CEdit>();
    case ControlKind::Button:
    case ControlKind::CheckBox:
        return std::make_unique<CButton>();
    case ControlKind::ListBox:
        return std::make_unique<CListBox>();
    case ControlKind::DropDownList:
        return std::make_unique<CComboBox>();
    case ControlKind::ProgressBar:
        return std::make_unique<CProgressCtrl>();
    case ControlKind::Static:
    case ControlKind::Icon:
        return std::make_unique<CStatic>();
    }
    return std::make_unique<CWnd>();
}
