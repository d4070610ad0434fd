#pragma once

// Triple-DES CBC decryption of one block: output = D(K1)E(K2)D(K3)(input) XOR initVector.
// output may be input. Always returns 0.
int CbcDecryptBlock(const unsigned char* initVector, const unsigned char* input,
                    unsigned char* output, const unsigned char* tripleKey);
