#include "framework/DataExchange.h"

#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <cstdio>

namespace {

CWnd* ControlOf(CDataExchange* dx, int id) {
    CWnd* control = dx->dialog->GetDlgItem(id);
    if (control == nullptr) {
        // A binding to an id the template lacks is a mistake in the dialog's code.
        std::fprintf(stderr, "DDX: dialog %d has no control %d\n", dx->dialog->GetTemplate().id,
                     id);
    }
    return control;
}

} // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (CWnd* item = ControlOf(dx, id)) {
        control.Attach(item->Widget(), id);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    auto* button = dynamic_cast<CButton*>(ControlOf(dx, id));
    if (button == nullptr) {
        return;
    }
    if (dx->saveAndValidate) {
        value = button->GetCheck();
    } else {
        button->SetCheck(value);
    }
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
    CWnd* control = ControlOf(dx, id);
    if (control == nullptr) {
        return;
    }
    if (dx->saveAndValidate) {
        value = control->GetWindowText();
    } else {
        control->SetWindowText(value);
    }
}
