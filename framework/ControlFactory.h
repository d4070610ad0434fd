#pragma once

#include "framework/ControlObject.h"
#include "framework/DialogTemplate.h"
#include "framework/DialogUnits.h"

#include <memory>

class CWnd;
class QProgressBar;
class QWidget;

// The widget of one template control, placed at its rectangle, with its initial
// text, styles and visibility.
QWidget* CreateControlWidget(const ControlTemplate& control, DialogBaseUnits base, QWidget* parent);

// A progress bar's Windows defaults: range 0 to 100, position 0.
void InitProgress(QProgressBar* bar);
