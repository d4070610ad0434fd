#include "tables/Sha1.h"

#include <cstring>

namespace {

constexpr uint32_t Rotl(uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

constexpr uint32_t LoadBigEndian(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           uint32_t{bytes[3]};
}

// FIPS 180-4 4.1.1: the three step functions.
constexpr uint32_t Ch(uint32_t x, uint32_t y, uint32_t z) {
    return (x & y) ^ (~x & z);
}
constexpr uint32_t Parity(uint32_t x, uint32_t y, uint32_t z) {
    return x ^ y ^ z;
}
constexpr uint32_t Maj(uint32_t x, uint32_t y, uint32_t z) {
    return (x & y) ^ (x & z) ^ (y & z);
}

// One of the 80 steps of FIPS 180-4 6.1.2. Instead of shifting all five working
// variables each step, the new "a" is written into e's place and the caller rotates
// the names it passes, so that after 80 = 16 x 5 steps every value is back in place.
template <uint32_t (*F)(uint32_t, uint32_t, uint32_t), uint32_t K>
inline void Step(uint32_t a, uint32_t& b, uint32_t c, uint32_t d, uint32_t& e, uint32_t w) {
    e += Rotl(a, 5) + F(b, c, d) + K + w;
    b = Rotl(b, 30);
}

// FIPS 180-4 4.2.1: the constant of each group of 20 steps.
constexpr auto StepCh = Step<Ch, 0x5A827999>;
constexpr auto StepParity1 = Step<Parity, 0x6ED9EBA1>;
constexpr auto StepMaj = Step<Maj, 0x8F1BBCDC>;
constexpr auto StepParity2 = Step<Parity, 0xCA62C1D6>;

} // namespace

// FIPS 180-4 5.3.1: the initial hash value.
CSHA1::CSHA1()
    : countLow(0),
      countHigh(0), state{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0}, buffer{} {}

void CSHA1::Update(const unsigned char* data, uint32_t length) {
    if (length == 0) {
        return;
    }
    uint32_t buffered = countLow % blockLength;
    countLow += length;
    if (countLow < length) {
        ++countHigh;
    }
    if (buffered > 0 && length >= blockLength - buffered) {
        const uint32_t fill = blockLength - buffered;
        std::memcpy(buffer + buffered, data, fill);
        ProcessBlock(buffer);
        data += fill;
        length -= fill;
        buffered = 0;
    }
    // Whole blocks are hashed straight from the caller's memory.
    while (length >= blockLength) {
        ProcessBlock(data);
        data += blockLength;
        length -= blockLength;
    }
    std::memcpy(buffer + buffered, data, length);
}

void CSHA1::Finish(unsigned char digest[digestLength]) {
    // FIPS 180-4 5.1.1: the message length in bits as a 64-bit big-endian number.
    const uint32_t bitsHigh = (countHigh << 3) | (countLow >> 29);
    const uint32_t bitsLow = countLow << 3;
    const unsigned char lengthBytes[8] = {
        static_cast<unsigned char>(bitsHigh >> 24), static_cast<unsigned char>(bitsHigh >> 16),
        static_cast<unsigned char>(bitsHigh >> 8),  static_cast<unsigned char>(bitsHigh),
        static_cast<unsigned char>(bitsLow >> 24),  static_cast<unsigned char>(bitsLow >> 16),
        static_cast<unsigned char>(bitsLow >> 8),   static_cast<unsigned char>(bitsLow)};

    // 0x80 and zeros up to 56 bytes into a block; past byte 55 the length no longer
    // fits, so the padding runs on into one more block.
    static constexpr unsigned char padding[blockLength] = {0x80};
    const uint32_t buffered = countLow % blockLength;
    Update(padding, buffered < 56 ? 56 - buffered : 120 - buffered);
    Update(lengthBytes, sizeof lengthBytes);

    for (int word = 0; word < 5; ++word) {
        digest[4 * word] = static_cast<unsigned char>(state[word] >> 24);
        digest[4 * word + 1] = static_cast<unsigned char>(state[word] >> 16);
        digest[4 * word + 2] = static_cast<unsigned char>(state[word] >> 8);
        digest[4 * word + 3] = static_cast<unsigned char>(state[word]);
    }
}

// FIPS 180-4 6.1.2, written out: the message schedule W0..W79 and the 80 steps are
// computed in line, without a loop.
void CSHA1::ProcessBlock(const unsigned char block[blockLength]) {
    const uint32_t w0 = LoadBigEndian(block + 0);
    const uint32_t w1 = LoadBigEndian(block + 4);
    const uint32_t w2 = LoadBigEndian(block + 8);
    const uint32_t w3 = LoadBigEndian(block + 12);
    const uint32_t w4 = LoadBigEndian(block + 16);
    const uint32_t w5 = LoadBigEndian(block + 20);
    const uint32_t w6 = LoadBigEndian(block + 24);
    const uint32_t w7 = LoadBigEndian(block + 28);
    const uint32_t w8 = LoadBigEndian(block + 32);
    const uint32_t w9 = LoadBigEndian(block + 36);
    const uint32_t w10 = LoadBigEndian(block + 40);
    const uint32_t w11 = LoadBigEndian(block + 44);
    const uint32_t w12 = LoadBigEndian(block + 48);
    const uint32_t w13 = LoadBigEndian(block + 52);
    const uint32_t w14 = LoadBigEndian(block + 56);
    const uint32_t w15 = LoadBigEndian(block + 60);
    const uint32_t w16 = Rotl(w13 ^ w8 ^ w2 ^ w0, 1);
    const uint32_t w17 = Rotl(w14 ^ w9 ^ w3 ^ w1, 1);
    const uint32_t w18 = Rotl(w15 ^ w10 ^ w4 ^ w2, 1);
    const uint32_t w19 = Rotl(w16 ^ w11 ^ w5 ^ w3, 1);
    const uint32_t w20 = Rotl(w17 ^ w12 ^ w6 ^ w4, 1);
    const uint32_t w21 = Rotl(w18 ^ w13 ^ w7 ^ w5, 1);
    const uint32_t w22 = Rotl(w19 ^ w14 ^ w8 ^ w6, 1);
    const uint32_t w23 = Rotl(w20 ^ w15 ^ w9 ^ w7, 1);
    const uint32_t w24 = Rotl(w21 ^ w16 ^ w10 ^ w8, 1);
    const uint32_t w25 = Rotl(w22 ^ w17 ^ w11 ^ w9, 1);
    const uint32_t w26 = Rotl(w23 ^ w18 ^ w12 ^ w10, 1);
    const uint32_t w27 = Rotl(w24 ^ w19 ^ w13 ^ w11, 1);
    const uint32_t w28 = Rotl(w25 ^ w20 ^ w14 ^ w12, 1);
    const uint32_t w29 = Rotl(w26 ^ w21 ^ w15 ^ w13, 1);
    const uint32_t w30 = Rotl(w27 ^ w22 ^ w16 ^ w14, 1);
    const uint32_t w31 = Rotl(w28 ^ w23 ^ w17 ^ w15, 1);
    const uint32_t w32 = Rotl(w29 ^ w24 ^ w18 ^ w16, 1);
    const uint32_t w33 = Rotl(w30 ^ w25 ^ w19 ^ w17, 1);
    const uint32_t w34 = Rotl(w31 ^ w26 ^ w20 ^ w18, 1);
    const uint32_t w35 = Rotl(w32 ^ w27 ^ w21 ^ w19, 1);
    const uint32_t w36 = Rotl(w33 ^ w28 ^ w22 ^ w20, 1);
    const uint32_t w37 = Rotl(w34 ^ w29 ^ w23 ^ w21, 1);
    const uint32_t w38 = Rotl(w35 ^ w30 ^ w24 ^ w22, 1);
    const uint32_t w39 = Rotl(w36 ^ w31 ^ w25 ^ w23, 1);
    const uint32_t w40 = Rotl(w37 ^ w32 ^ w26 ^ w24, 1);
    const uint32_t w41 = Rotl(w38 ^ w33 ^ w27 ^ w25, 1);
    const uint32_t w42 = Rotl(w39 ^ w34 ^ w28 ^ w26, 1);
    const uint32_t w43 = Rotl(w40 ^ w35 ^ w29 ^ w27, 1);
    const uint32_t w44 = Rotl(w41 ^ w36 ^ w30 ^ w28, 1);
    const uint32_t w45 = Rotl(w42 ^ w37 ^ w31 ^ w29, 1);
    const uint32_t w46 = Rotl(w43 ^ w38 ^ w32 ^ w30, 1);
    const uint32_t w47 = Rotl(w44 ^ w39 ^ w33 ^ w31, 1);
    const uint32_t w48 = Rotl(w45 ^ w40 ^ w34 ^ w32, 1);
    const uint32_t w49 = Rotl(w46 ^ w41 ^ w35 ^ w33, 1);
    const uint32_t w50 = Rotl(w47 ^ w42 ^ w36 ^ w34, 1);
    const uint32_t w51 = Rotl(w48 ^ w43 ^ w37 ^ w35, 1);
    const uint32_t w52 = Rotl(w49 ^ w44 ^ w38 ^ w36, 1);
    const uint32_t w53 = Rotl(w50 ^ w45 ^ w39 ^ w37, 1);
    const uint32_t w54 = Rotl(w51 ^ w46 ^ w40 ^ w38, 1);
    const uint32_t w55 = Rotl(w52 ^ w47 ^ w41 ^ w39, 1);
    const uint32_t w56 = Rotl(w53 ^ w48 ^ w42 ^ w40, 1);
    const uint32_t w57 = Rotl(w54 ^ w49 ^ w43 ^ w41, 1);
    const uint32_t w58 = Rotl(w55 ^ w50 ^ w44 ^ w42, 1);
    const uint32_t w59 = Rotl(w56 ^ w51 ^ w45 ^ w43, 1);
    const uint32_t w60 = Rotl(w57 ^ w52 ^ w46 ^ w44, 1);
    const uint32_t w61 = Rotl(w58 ^ w53 ^ w47 ^ w45, 1);
    const uint32_t w62 = Rotl(w59 ^ w54 ^ w48 ^ w46, 1);
    const uint32_t w63 = Rotl(w60 ^ w55 ^ w49 ^ w47, 1);
    const uint32_t w64 = Rotl(w61 ^ w56 ^ w50 ^ w48, 1);
    const uint32_t w65 = Rotl(w62 ^ w57 ^ w51 ^ w49, 1);
    const uint32_t w66 = Rotl(w63 ^ w58 ^ w52 ^ w50, 1);
    const uint32_t w67 = Rotl(w64 ^ w59 ^ w53 ^ w51, 1);
    const uint32_t w68 = Rotl(w65 ^ w60 ^ w54 ^ w52, 1);
    const uint32_t w69 = Rotl(w66 ^ w61 ^ w55 ^ w53, 1);
    const uint32_t w70 = Rotl(w67 ^ w62 ^ w56 ^ w54, 1);
    const uint32_t w71 = Rotl(w68 ^ w63 ^ w57 ^ w55, 1);
    const uint32_t w72 = Rotl(w69 ^ w64 ^ w58 ^ w56, 1);
    const uint32_t w73 = Rotl(w70 ^ w65 ^ w59 ^ w57, 1);
    const uint32_t w74 = Rotl(w71 ^ w66 ^ w60 ^ w58, 1);
    const uint32_t w75 = Rotl(w72 ^ w67 ^ w61 ^ w59, 1);
    const uint32_t w76 = Rotl(w73 ^ w68 ^ w62 ^ w60, 1);
    const uint32_t w77 = Rotl(w74 ^ w69 ^ w63 ^ w61, 1);
    const uint32_t w78 = Rotl(w75 ^ w70 ^ w64 ^ w62, 1);
    const uint32_t w79 = Rotl(w76 ^ w71 ^ w65 ^ w63, 1);

    uint32_t a = state[0];
    uint32_t b = state[1];
    uint32_t c = state[2];
    uint32_t d = state[3];
    uint32_t e = state[4];

    // steps 0-19: Ch, K = 5A827999
    StepCh(a, b, c, d, e, w0);
    StepCh(e, a, b, c, d, w1);
    StepCh(d, e, a, b, c, w2);
    StepCh(c, d, e, a, b, w3);
    StepCh(b, c, d, e, a, w4);
    StepCh(a, b, c, d, e, w5);
    StepCh(e, a, b, c, d, w6);
    StepCh(d, e, a, b, c, w7);
    StepCh(c, d, e, a, b, w8);
    StepCh(b, c, d, e, a, w9);
    StepCh(a, b, c, d, e, w10);
    StepCh(e, a, b, c, d, w11);
    StepCh(d, e, a, b, c, w12);
    StepCh(c, d, e, a, b, w13);
    StepCh(b, c, d, e, a, w14);
    StepCh(a, b, c, d, e, w15);
    StepCh(e, a, b, c, d, w16);
    StepCh(d, e, a, b, c, w17);
    StepCh(c, d, e, a, b, w18);
    StepCh(b, c, d, e, a, w19);
    // steps 20-39: Parity, K = 6ED9EBA1
    StepParity1(a, b, c, d, e, w20);
    StepParity1(e, a, b, c, d, w21);
    StepParity1(d, e, a, b, c, w22);
    StepParity1(c, d, e, a, b, w23);
    StepParity1(b, c, d, e, a, w24);
    StepParity1(a, b, c, d, e, w25);
    StepParity1(e, a, b, c, d, w26);
    StepParity1(d, e, a, b, c, w27);
    StepParity1(c, d, e, a, b, w28);
    StepParity1(b, c, d, e, a, w29);
    StepParity1(a, b, c, d, e, w30);
    StepParity1(e, a, b, c, d, w31);
    StepParity1(d, e, a, b, c, w32);
    StepParity1(c, d, e, a, b, w33);
    StepParity1(b, c, d, e, a, w34);
    StepParity1(a, b, c, d, e, w35);
    StepParity1(e, a, b, c, d, w36);
    StepParity1(d, e, a, b, c, w37);
    StepParity1(c, d, e, a, b, w38);
    StepParity1(b, c, d, e, a, w39);
    // steps 40-59: Maj, K = 8F1BBCDC
    StepMaj(a, b, c, d, e, w40);
    StepMaj(e, a, b, c, d, w41);
    StepMaj(d, e, a, b, c, w42);
    StepMaj(c, d, e, a, b, w43);
    StepMaj(b, c, d, e, a, w44);
    StepMaj(a, b, c, d, e, w45);
    StepMaj(e, a, b, c, d, w46);
    StepMaj(d, e, a, b, c, w47);
    StepMaj(c, d, e, a, b, w48);
    StepMaj(b, c, d, e, a, w49);
    StepMaj(a, b, c, d, e, w50);
    StepMaj(e, a, b, c, d, w51);
    StepMaj(d, e, a, b, c, w52);
    StepMaj(c, d, e, a, b, w53);
    StepMaj(b, c, d, e, a, w54);
    StepMaj(a, b, c, d, e, w55);
    StepMaj(e, a, b, c, d, w56);
    StepMaj(d, e, a, b, c, w57);
    StepMaj(c, d, e, a, b, w58);
    StepMaj(b, c, d, e, a, w59);
    // steps 60-79: Parity, K = CA62C1D6
    StepParity2(a, b, c, d, e, w60);
    StepParity2(e, a, b, c, d, w61);
    StepParity2(d, e, a, b, c, w62);
    StepParity2(c, d, e, a, b, w63);
    StepParity2(b, c, d, e, a, w64);
    StepParity2(a, b, c, d, e, w65);
    StepParity2(e, a, b, c, d, w66);
    StepParity2(d, e, a, b, c, w67);
    StepParity2(c, d, e, a, b, w68);
    StepParity2(b, c, d, e, a, w69);
    StepParity2(a, b, c, d, e, w70);
    StepParity2(e, a, b, c, d, w71);
    StepParity2(d, e, a, b, c, w72);
    StepParity2(c, d, e, a, b, w73);
    StepParity2(b, c, d, e, a, w74);
    StepParity2(a, b, c, d, e, w75);
    StepParity2(e, a, b, c, d, w76);
    StepParity2(d, e, a, b, c, w77);
    StepParity2(c, d, e, a, b, w78);
    StepParity2(b, c, d, e, a, w79);

    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}
