#pragma once

#include "cli/Output.h"

#include <vector>

// The COM ports present, as the window's port list finds them, each with its device
// and what the system says about it.
std::vector<PortEntry> ListComPorts();
