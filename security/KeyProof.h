#pragma once

// The proof of the download key that the boot loader asks for with command 8E: the fixed
// plaintext enciphered as two separate blocks under two-key triple DES, K1 = key[0..7],
// K2 = key[8..15], K3 = K1.
inline constexpr char keyProofPlaintext[] = "5B2E9C0447A13D86F0E72B591C6A8D34";

constexpr int keyProofLength = 16;

// downloadKey: 16 bytes; proof: 16 bytes written.
void BuildKeyProof(const unsigned char* downloadKey, unsigned char* proof);

// The boot loader's side: true when proof is what BuildKeyProof gives for downloadKey.
bool CheckKeyProof(const unsigned char* downloadKey, const unsigned char* proof);
