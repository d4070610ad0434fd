#pragma once

#include <string>

// Upper-case hexadecimal text, two characters per byte, high nibble first. Any count is
// safe; a count of zero or less gives the empty text.
std::string BytesToHex(const unsigned char* bytes, int count);

// Writes text.size() / 2 bytes (a final unpaired character is ignored) and returns that
// count. Every character converts, hexadecimal or not: typed passwords go through here
// and must keep giving the bytes they always gave. bytes must hold text.size() / 2 bytes.
int HexToBytes(std::string text, unsigned char* bytes);

// True when text is exactly `length` characters, all of them 0-9, a-f or A-F. For input
// from outside (a typed key) that must be refused rather than converted by the loose rule.
bool IsHexText(const std::string& text, size_t length);
