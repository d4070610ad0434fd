#pragma once

#include "security/DownloadKey.h"
#include "security/Seal.h"

// The three-step reader authentication carried by command FF 09 with sub-commands 01, 02
// and 03. Host and reader are built from the same pieces, so each message has a builder
// for the side that sends it and a checker for the side that receives it. A checker that
// refuses a message returns false and writes none of its outputs.
//
// Byte 0 of a response is the reader's response code; the checkers do not look at it.

constexpr int authStep1RequestLength = 3;
constexpr int authStep1ResponseLength = 17;
constexpr int authStep2RequestLength = 43;
constexpr int authStep2ResponseLength = 41;
constexpr int authStep3RequestLength = 59;
constexpr int authStep3ResponseLength = 2;

constexpr int readerChallengeLength = 8;
constexpr int readerRandomLength = 16;
constexpr int sharedSecretLength = 16;
constexpr int derivedKeyPairLength = 48; // first key (24 bytes), then second key (24 bytes)

constexpr unsigned char authStep3Accepted = 'O';

// Host side.

void BuildAuthStep1Request(unsigned char* request);

// A response shorter than 17 bytes or with a wrong MAC is refused.
bool CheckAuthStep1Response(const unsigned char* response, int responseLength, SealKeys keys,
                            unsigned char* readerChallenge);

// Seals hostReserved (8), readerChallenge (8), hostRandom (16) into the 43-byte request.
void BuildAuthStep2Request(SealKeys keys, const unsigned char* hostReserved,
                           const unsigned char* readerChallenge, const unsigned char* hostRandom,
                           unsigned char* request);

// Refused when shorter than 41 bytes, when the MAC is wrong, or when the reader did not
// echo hostReserved and readerChallenge exactly. Yields the reader's 16 random bytes.
bool CheckAuthStep2Response(const unsigned char* response, int responseLength, SealKeys keys,
                            const unsigned char* hostReserved, const unsigned char* readerChallenge,
                            unsigned char* readerRandom);

// sharedSecret = hostRandom XOR readerRandom (16 bytes). sharedSecret may be hostRandom.
void ComputeSharedSecret(const unsigned char* hostRandom, const unsigned char* readerRandom,
                         unsigned char* sharedSecret);

// The two keys both sides derive from the shared secret: the first 24 bytes of
// SHA-256(S || 00000001), then those of SHA-256(S || 00000002).
void DeriveKeyPair(const unsigned char* sharedSecret, unsigned char* derivedKeyPair);

// Seals the 48-byte key pair into the 59-byte request.
void BuildAuthStep3Request(SealKeys keys, const unsigned char* derivedKeyPair,
                           unsigned char* request);

// True only for an answer of at least 2 bytes whose byte 1 is 'O'.
bool CheckAuthStep3Response(const unsigned char* response, int responseLength);

// Reader side.

bool CheckAuthStep1Request(const unsigned char* request, int requestLength);

void BuildAuthStep1Response(SealKeys keys, const unsigned char* readerChallenge,
                            unsigned char* response);

// Refused unless the request is FF 09 02 of exactly 43 bytes with a valid MAC that carries
// this reader's challenge. Yields the host's reserved and random bytes.
bool CheckAuthStep2Request(const unsigned char* request, int requestLength, SealKeys keys,
                           const unsigned char* readerChallenge, unsigned char* hostReserved,
                           unsigned char* hostRandom);

void BuildAuthStep2Response(SealKeys keys, const unsigned char* hostReserved,
                            const unsigned char* readerChallenge, const unsigned char* readerRandom,
                            unsigned char* response);

// Refused unless the request is FF 09 03 of exactly 59 bytes with a valid MAC. Yields the
// key pair the host sent, for the reader to compare with its own.
bool CheckAuthStep3Request(const unsigned char* request, int requestLength, SealKeys keys,
                           unsigned char* derivedKeyPair);

void BuildAuthStep3Response(unsigned char* response);
