#pragma once

#include <string>

// A picture of the whole screen (every window on it, as the user sees them) saved
// as PNG, for demonstrations on a virtual display. UI thread or any other (handed
// over). False when the platform cannot grab the screen or the file cannot be written.
bool SaveScreenImage(const std::string& path);
