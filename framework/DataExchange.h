#pragma once

#include "framework/WinTypes.h"

#include <string>

class CDialog;
class CWnd;

// Binding between a dialog's members and its controls, run by UpdateData: with
// saveAndValidate FALSE the members go into the controls, with TRUE the controls
// into the members.
struct CDataExchange {
    BOOL saveAndValidate;
    CDialog* dialog;
};

// Binds control (CListBox, CEdit, ...) to the template control id. Binding an id the
// template does not have leaves control unattached and reports it on stderr.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// A check box state (BST_CHECKED / BST_UNCHECKED) and a 32-bit member.
void DDX_Check(CDataExchange* dx, int id, int& value);
// An edit or static text and a UTF-8 member.
void DDX_Text(CDataExchange* dx, int id, std::string& value);
