#pragma once

// Triple-DES CBC-MAC (ISO/IEC 9797-1 MAC algorithm 1, full 8-byte final block) under a
// 24-byte key. A message whose length is not a multiple of 8 is padded with 80 00 ..;
// an aligned message gets no padding block. The message is read block by block, so any
// length is safe. An empty message (length 0 or less) is MACed as the lone block 80 00 ..
void TripleDesMac(const unsigned char* message, int length, const unsigned char* macKey24,
                  unsigned char* mac8);
