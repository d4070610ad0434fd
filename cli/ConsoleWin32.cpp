// see Console.h
#include "cli/Console.h"

#include <windows.h>

#include <io.h>
#include <stdio.h>

namespace {

std::function<void()> ctrlCHandler;

// Windows calls this on a thread of its own; TRUE: the process goes on.
BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT) {
        return FALSE;
    }
    ctrlCHandler();
    return TRUE;
}

} // namespace

bool StandardOutputIsTerminal() {
    if (_isatty(_fileno(stdout)) == 0) {
        return false;
    }
    // The texts are UTF-8, as everywhere in the program.
    SetConsoleOutputCP(CP_UTF8);
    return true;
}

void WatchCtrlC(std::function<void()> onPress) {
    ctrlCHandler = std::move(onPress);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void AddSystemDescription(PortEntry&) {}
