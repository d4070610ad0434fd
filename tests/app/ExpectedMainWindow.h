#pragma once

#include "framework/DialogTemplate.h"

#include <vector>

// The main window as the technicians' documentation describes it, written out
// here on its own so that a slip in the resources cannot hide behind itself.
struct ExpectedControl {
    const char* name;
    int id; // kNoControlId for the unnamed labels and hints
    ControlKind kind;
    int x, y, width, height; // dialog units
    bool shown;
    bool enabled;
    const char* templateText; // as the template holds it
    const char* shownText;    // as the window shows it after start-up
};

const std::vector<ExpectedControl>& ExpectedMainControls();

extern const char* const kExpectedProcedureText;
extern const char* const kExpectedBanner;
extern const char* const kExpectedTitle;
