#include "framework/Win32.h"

#include "framework/ExtendedDialogTemplate.h"
#include "framework/WideText.h"

#include <commctrl.h>

#include <cstdlib>
#include <string>

namespace {

constexpr WORD kOrdinal = 0xFFFF; // a class or text given by number, not by name
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kListBoxClass = 0x0083;
constexpr WORD kComboBoxClass = 0x0085;

bool Has(unsigned style, unsigned bit) {
    return (style & bit) != 0;
}

class Writer {
public:
    void Word(WORD value) { words.push_back(value); }
    void Dword(DWORD value) {
        Word(static_cast<WORD>(value & 0xFFFF));
        Word(static_cast<WORD>(value >> 16));
    }
    void Text(const std::wstring& text) {
        for (wchar_t c : text) {
            Word(static_cast<WORD>(c));
        }
        Word(0);
    }
    void Text(const char* utf8) { Text(Widen(utf8 != nullptr ? utf8 : "")); }
    void AlignToDword() {
        if (words.size() % 2 != 0) {
            Word(0);
        }
    }
    std::vector<std::uint16_t> words;
};

DWORD WindowsDialogStyle(unsigned style) {
    DWORD result = WS_POPUP | DS_SETFONT | DS_FIXEDSYS | DS_CENTER;
    if (Has(style, kCaption)) {
        result |= WS_CAPTION;
    }
    if (Has(style, kSystemMenu)) {
        result |= WS_SYSMENU;
    }
    if (Has(style, kMinimizeBox)) {
        result |= WS_MINIMIZEBOX;
    }
    if (Has(style, kModalFrame)) {
        result |= DS_MODALFRAME;
    }
    if (Has(style, kThinBorder)) {
        result |= WS_BORDER;
    }
    return result;
}

DWORD KindStyle(const ControlTemplate& control) {
    const unsigned style = control.style;
    switch (control.kind) {
    case ControlKind::Static:
        return SS_NOPREFIX | (Has(style, kCentred) ? SS_CENTER : SS_LEFT);
    case ControlKind::Edit:
        return WS_TABSTOP | (Has(style, kReadOnly) ? ES_READONLY : 0) |
               (Has(style, kPassword) ? ES_PASSWORD : 0) |
               (Has(style, kMultiLine) ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL
                                       : ES_AUTOHSCROLL);
    case ControlKind::Button:
        return WS_TABSTOP | (Has(style, kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    case ControlKind::CheckBox:
        return WS_TABSTOP | BS_AUTOCHECKBOX;
    case ControlKind::ListBox:
        return WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER |
               (Has(style, kVScroll) ? WS_VSCROLL : 0);
    case ControlKind::DropDownList:
        return WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL;
    case ControlKind::ProgressBar:
        return 0;
    case ControlKind::Icon:
        return SS_ICON | SS_REALSIZECONTROL;
    }
    return 0;
}

DWORD WindowsControlStyle(const ControlTemplate& control) {
    DWORD result = WS_CHILD | KindStyle(control);
    if (Has(control.style, kVisible)) {
        result |= WS_VISIBLE;
    }
    if (Has(control.style, kDisabled)) {
        result |= WS_DISABLED;
    }
    if (Has(control.style, kBorder)) {
        result |= WS_BORDER;
    }
    return result;
}

// A class or text given by number: the ordinal mark, then the number.
void WriteOrdinal(Writer& out, WORD number) {
    out.Word(kOrdinal);
    out.Word(number);
}

// The predefined classes go by their atom; the progress bar, a common control, by name.
void WriteClass(Writer& out, ControlKind kind) {
    switch (kind) {
    case ControlKind::Static:
    case ControlKind::Icon:
        return WriteOrdinal(out, kStaticClass);
    case ControlKind::Edit:
        return WriteOrdinal(out, kEditClass);
    case ControlKind::Button:
    case ControlKind::CheckBox:
        return WriteOrdinal(out, kButtonClass);
    case ControlKind::ListBox:
        return WriteOrdinal(out, kListBoxClass);
    case ControlKind::DropDownList:
        return WriteOrdinal(out, kComboBoxClass);
    case ControlKind::ProgressBar:
        return out.Text(std::wstring(PROGRESS_CLASSW));
    }
}

// An icon's text is its resource id, which the static loads from the program file.
void WriteText(Writer& out, const ControlTemplate& control) {
    if (control.kind == ControlKind::Icon) {
        return WriteOrdinal(
            out, static_cast<WORD>(std::atoi(control.text != nullptr ? control.text : "")));
    }
    out.Text(control.text);
}

} // namespace

std::vector<std::uint16_t> ExtendedDialogTemplate(const DialogTemplate& dialogTemplate) {
    Writer out;
    out.Word(1);      // dlgVer
    out.Word(0xFFFF); // signature: the extended form
    out.Dword(0);     // helpID
    out.Dword(Has(dialogTemplate.style, kTaskBar) ? WS_EX_APPWINDOW : 0);
    out.Dword(WindowsDialogStyle(dialogTemplate.style));
    out.Word(static_cast<WORD>(dialogTemplate.controls.size()));
    out.Word(0); // x, y: DS_CENTER places it
    out.Word(0);
    out.Word(static_cast<WORD>(dialogTemplate.width));
    out.Word(static_cast<WORD>(dialogTemplate.height));
    out.Word(0); // no menu
    out.Word(0); // the dialog class
    out.Text(dialogTemplate.caption);
    out.Word(static_cast<WORD>(dialogTemplate.fontPoints));
    out.Word(FW_NORMAL);
    out.Word(static_cast<WORD>(DEFAULT_CHARSET << 8)); // italic 0, then the character set
    out.Text(dialogTemplate.fontFace);
    for (const ControlTemplate& control : dialogTemplate.controls) {
        out.AlignToDword();
        out.Dword(0); // helpID
        out.Dword(0); // exStyle
        out.Dword(WindowsControlStyle(control));
        out.Word(static_cast<WORD>(control.x));
        out.Word(static_cast<WORD>(control.y));
        out.Word(static_cast<WORD>(control.width));
        out.Word(static_cast<WORD>(control.height));
        out.Dword(static_cast<DWORD>(control.id));
        WriteClass(out, control.kind);
        WriteText(out, control);
        out.Word(0); // no creation data
    }
    return out.words;
}
