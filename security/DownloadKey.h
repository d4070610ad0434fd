#pragma once

#include "security/Function.h"

#include <string>

// The reader's download key, built into the program as two halves, each enciphered on
// its own (one-block CBC under CFunction's key and initial chaining value). The
// wrap-download-key tool produces these texts for another key.
inline constexpr char wrappedKeyHalf1[] = "439FB7E57AC8057F";
inline constexpr char wrappedKeyHalf2[] = "D89AF078F4623FDA";

constexpr int downloadKeyLength = 16;
constexpr int wrappedHalfTextLength = 16;
constexpr int hostReservedLength = 8;
constexpr int hostRandomLength = 16;

// Deciphers the two halves into downloadKey (16 bytes). Each half must be 16 hexadecimal
// characters; otherwise returns false and writes nothing.
bool UnwrapDownloadKey(const std::string& half1, const std::string& half2,
                       const CFunction& function, unsigned char* downloadKey);

// The download key from the built-in halves.
void BuildDownloadKey(const CFunction& function, unsigned char* downloadKey);

// The inverse of UnwrapDownloadKey: the two 16-character upper-case texts for a key.
void WrapDownloadKey(const unsigned char* downloadKey, const CFunction& function,
                     std::string& half1, std::string& half2);

// hostReserved (8 bytes) becomes all zero and hostRandom (16 bytes) is drawn from the
// operating system's random source. Returns false, writing nothing, when that source
// cannot be read: a predictable value must never stand in for it.
bool DrawHostValues(unsigned char* hostReserved, unsigned char* hostRandom);

// authCipherKey = first 24 bytes of SHA-256(Z[0..15] || 00000001) and authMacKey = first
// 24 bytes of SHA-256(Z[16..31] || 00000002), with Z = SHA-256(downloadKey). They depend
// on the download key alone.
void DeriveAuthenticationKeys(const unsigned char* downloadKey, unsigned char* authCipherKey,
                              unsigned char* authMacKey);
