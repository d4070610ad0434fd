#pragma once

#include <string>

// Where an installed program keeps what the technician changes. A program folder
// run from where it lies (portable) keeps everything beside the program; one
// installed under /opt is read-only for the technician, so the settings and the
// technician's own firmware live in the user's folders instead.

// Laid into the program folder by the install; its presence marks the folder as
// installed even for a user who could write there (root), so that nothing is
// ever written into a packaged folder.
inline constexpr const char* kInstallMarkerName = "brimlet.installed";

// True when programFolder holds the install marker, or exists and this user may
// not write into it.
bool IsInstalledProgramFolder(const std::string& programFolder);

// $XDG_CONFIG_HOME/brimlet, default ~/.config/brimlet (an unset, empty or
// relative variable counts as unset).
std::string UserConfigFolder();

// $XDG_DATA_HOME/brimlet, default ~/.local/share/brimlet.
std::string UserDataFolder();

// $XDG_STATE_HOME/brimlet/brimlet.log, default ~/.local/state/brimlet/brimlet.log
// (on Windows %LOCALAPPDATA%\brimlet\brimlet.log).
std::string UserLogFilePath();
