// see Encipher.h
#include "security/Encipher.h"

namespace {
constexpr int encipherMode = 1;
constexpr int decipherMode = 0;
} // namespace

void CEncipher::TripleDesEncryptBlock(unsigned char* output, const unsigned char* input,
                                      const unsigned char* key24) {
    DesCrypt(output, input, encipherMode, key24);
    DesCrypt(output, output, decipherMode, key24 + 8);
    DesCrypt(output, output, encipherMode, key24 + 16);
}

void CEncipher::TripleDesDecryptBlock(unsigned char* output, const unsigned char* input,
                                      const unsigned char* key24) {
    DesCrypt(output, input, decipherMode, key24 + 16);
    DesCrypt(output, output, encipherMode, key24 + 8);
    DesCrypt(output, output, decipherMode, key24);
}
