#pragma once

#include <span>

// A dialog as data: what a resource script says of a dialog and its controls.
// Positions and sizes are in dialog units; the framework turns them into pixels
// from the dialog font, so a window keeps the proportions of its template.

constexpr int kNoControlId = -1; // a control nobody addresses (labels, hints)

enum class ControlKind {
    Static,
    Edit,
    Button,
    CheckBox, // automatic check box
    ListBox,
    DropDownList,
    ProgressBar,
    Icon, // static picture showing an icon resource (text holds the resource id)
};

// Style bits a control template may carry.
enum ControlStyle : unsigned {
    kVisible = 1u << 0, // without it the control is created hidden
    kDisabled = 1u << 1,
    kBorder = 1u << 2,
    kReadOnly = 1u << 3, // edit
    kPassword = 1u << 4, // edit: typed characters are masked
    kCentred = 1u << 5,  // static text centred
    kVScroll = 1u << 6,  // list box vertical scroll bar
    kDefaultButton = 1u << 7,
    kMultiLine = 1u << 8, // static or edit breaking its text into lines
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    int x, y, width, height; // dialog units
    unsigned style;
    const char* text;  // initial text, UTF-8
    int maxLength = 0; // edit: characters accepted, 0 = no limit
};

// Style bits of the dialog window itself.
enum DialogStyle : unsigned {
    kCaption = 1u << 0,
    kSystemMenu = 1u << 1,
    kMinimizeBox = 1u << 2,
    kModalFrame = 1u << 3,
    kThinBorder = 1u << 4, // frameless pop-up with a thin border
    kTaskBar = 1u << 5,    // shown in the task bar
};

struct DialogTemplate {
    int id;
    const char* caption;
    int width, height;    // dialog units
    const char* fontFace; // dialog font; dialog units derive from it
    int fontPoints;
    unsigned style;
    std::span<const ControlTemplate> controls;
};
