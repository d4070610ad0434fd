#pragma once

#include "framework/DialogTemplate.h"
#include "framework/DialogUnits.h"

#include <QFont>

// The font a dialog template names, and the base units Windows would derive from it.
QFont DialogFontOf(const DialogTemplate& dialogTemplate);
DialogBaseUnits BaseUnitsOf(const QFont& font);
