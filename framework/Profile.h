#pragma once

// The Windows profile (INI) calls. Sections and keys compare without letter case;
// a value is everything after the first '=' with the blanks around it removed.

// Copies the value (or defaultText when the file, section or key is missing) into
// returnedText, cut to size - 1 characters and always terminated. Returns the number
// of characters copied, without the terminator. A size of 0 copies nothing.
unsigned long GetPrivateProfileStringA(const char* section, const char* key,
                                       const char* defaultText, char* returnedText,
                                       unsigned long size, const char* fileName);

// Sets key=value in section, creating the file, the section and the key as needed;
// every other line stays byte for byte. The file is replaced atomically (a new file
// beside it is written, flushed to disk and renamed over it), so a crash leaves either
// the old or the new file, never a half-written one. A null value deletes the key,
// a null key deletes the section. Returns nonzero on success, 0 when nothing changed.
int WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                               const char* fileName);
