/* One line per check, as the test script reads it; plain C for the C-ABI test. */
#pragma once

#include <stdio.h>
#include <string.h>

static int failures = 0;

static inline void CheckNumber(const char* label, long got, long expected) {
    printf("%s %s: %ld (expected %ld)\n", got == expected ? "ok  " : "FAIL", label, got, expected);
    failures += got != expected;
}

static inline void CheckBytes(const char* label, const unsigned char* got, int gotLength,
                              const void* expected, int expectedLength) {
    const int same = gotLength == expectedLength && memcmp(got, expected, (size_t)gotLength) == 0;
    printf("%s %s: %d bytes \"", same ? "ok  " : "FAIL", label, gotLength);
    for (int i = 0; i < gotLength && i < 60; ++i) {
        putchar(got[i] >= 0x20 && got[i] < 0x7F ? got[i] : '.');
    }
    printf("\"\n");
    failures += !same;
}
