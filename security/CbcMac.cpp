// see CbcMac.h
#include "security/CbcMac.h"

#include "security/Bytes.h"
#include "security/Encipher.h"

#include <cstring>

namespace {
constexpr unsigned char paddingStart = 0x80;
}

void TripleDesMac(const unsigned char* message, int length, const unsigned char* macKey24,
                  unsigned char* mac8) {
    const int wholeBlocks = length > 0 ? length / 8 : 0;
    const int remainder = length > 0 ? length % 8 : 0;

    unsigned char chain[8] = {};
    for (int block = 0; block < wholeBlocks; ++block) {
        XorBytes(chain, chain, message + 8 * block, 8);
        CEncipher::TripleDesEncryptBlock(chain, chain, macKey24);
    }
    if (remainder != 0 || wholeBlocks == 0) {
        unsigned char last[8] = {};
        if (remainder > 0) {
            std::memcpy(last, message + 8 * wholeBlocks, static_cast<size_t>(remainder));
        }
        last[remainder] = paddingStart;
        XorBytes(chain, chain, last, 8);
        CEncipher::TripleDesEncryptBlock(chain, chain, macKey24);
    }
    std::memcpy(mac8, chain, 8);
}
