#pragma once

#include "cli/Output.h"

#include <functional>

// The few operating-system calls of the command line (ConsolePosix.cpp, and
// ConsoleWin32.cpp for Windows).

// Whether standard output is a terminal (a bar can be redrawn there).
bool StandardOutputIsTerminal();

// Calls onPress, on a thread of its own, at every Ctrl-C instead of ending the
// process. Call before starting any other thread.
void WatchCtrlC(std::function<void()> onPress);

// For a USB adapter, the maker and product the system reports (Linux: sysfs).
// Windows names the port itself (\\.\COM<n>) and nothing is added.
void AddSystemDescription(PortEntry& entry);
