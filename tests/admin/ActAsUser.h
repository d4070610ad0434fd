#pragma once

#include "framework/Dialog.h"
#include "framework/MessageBox.h"

#include <functional>
#include <string>
#include <vector>

// What DoModal returns when a script left its dialog open: the helper then
// ends it itself, so a faulty dialog fails its test instead of hanging it.
constexpr INT_PTR kLeftOpenByScript = -2;

// Runs dialog modally; once it shows, `user` acts on it from inside the modal loop.
INT_PTR RunModalAsUser(CDialog& dialog, const std::function<void(CDialog&)>& user);

// The user's hands, on the dialog's controls by id.
// Replaces a field's text as a paste would; the field keeps its length limit.
void PasteInto(CDialog& dialog, int id, const std::string& text);
std::string FieldText(const CDialog& dialog, int id);
void ClickButton(CDialog& dialog, int id);
void PressKeyIn(CDialog& dialog, int id, UINT virtualKey);

// Every message box is answered with OK and its text recorded instead of shown.
class RecordedBoxes {
public:
    RecordedBoxes();
    std::vector<std::string> texts;

private:
    ScopedMessageBoxResponder responder;
};
