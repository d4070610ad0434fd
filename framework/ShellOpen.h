#pragma once

#include <string>

// ShellExecute with the verb "open" (on Linux: hands path to the desktop's opener,
// xdg-open), detached, so the program never waits for the viewer. Returns true when the opener
// was started and accepted the path, false when it could not be started or the path
// does not exist.
bool ShellOpen(const std::string& path);
