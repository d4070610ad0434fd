#pragma once

#include <cstddef>

#ifdef _WIN32
struct HICON__;
using HICON = HICON__*; // as <windows.h> has it; lives until the process ends
#else
struct IconImage;
using HICON = const IconImage*; // lives until the process ends
#endif

// Icon resources: the resources register their images (PNG or ICO bytes) by id at
// start-up; LoadIcon finds them. Returns null for image bytes that do not decode.
HICON RegisterIconResource(int resourceId, const unsigned char* imageData, std::size_t size);
HICON LoadIconResource(int resourceId); // null when nothing was registered under the id
