#pragma once

#include <string>

// The framework keeps text in UTF-8; Windows takes UTF-16. Every conversion of the
// Win32 back end goes through these two. Bytes that are not UTF-8 become U+FFFD.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);
