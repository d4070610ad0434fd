#pragma once

#include "cli/Output.h"

#include <filesystem>
#include <functional>
#include <vector>

// The few operating-system calls of the command line (ConsolePosix.cpp, and
// ConsoleWin32.cpp for Windows).

// Whether standard output is a terminal (a bar can be redrawn there).
bool StandardOutputIsTerminal();

// Calls onPress, on a thread of its own, at every Ctrl-C instead of ending the
// process. Call before starting any other thread.
void WatchCtrlC(std::function<void()> onPress);

// The COM ports present, as the window's port list finds them, each with its device
// and, for a USB adapter, the maker and product the system reports.
std::vector<PortEntry> ListComPorts(const std::filesystem::path& programFolder);
