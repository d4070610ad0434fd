// see Cbc.h
#include "security/Cbc.h"

#include "security/Bytes.h"
#include "security/Encipher.h"

int CbcDecryptBlock(const unsigned char* initVector, const unsigned char* input,
                    unsigned char* output, const unsigned char* tripleKey) {
    CEncipher::TripleDesDecryptBlock(output, input, tripleKey);
    XorBytes(output, output, initVector, 8);
    return 0;
}
