#pragma once

#include <span>

// Icon 128 as PNG bytes, compiled into the program so it never depends on files
// beside it.
std::span<const unsigned char> ProgramIconPng();
