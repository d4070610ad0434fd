#include "tests/admin/StoredFormOracle.h"

#include <openssl/evp.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

std::string OracleStoredForm(const unsigned char (&block)[8]) {
    static const unsigned char kKey[] = "580319425803194258031942";
    static const unsigned char kChainingValue[] = "kelto584";
    const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(
        EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    unsigned char plain[16] = {};
    int length = 0;
    if (!context ||
        EVP_DecryptInit_ex(context.get(), EVP_des_ede3_ecb(), nullptr, kKey, nullptr) != 1 ||
        EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1 ||
        EVP_DecryptUpdate(context.get(), plain, &length, block, 8) != 1 || length != 8) {
        throw std::runtime_error("OpenSSL triple-DES decryption failed");
    }
    std::string hex;
    for (int i = 0; i < 8; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", plain[i] ^ kChainingValue[i]);
        hex += digits;
    }
    return hex;
}

void HexTextToBlock(const std::string& text, unsigned char (&block)[8]) {
    for (auto& byte : block) {
        byte = 0;
    }
    for (std::size_t i = 0; i + 1 < text.size() && i < 16; i += 2) {
        block[i / 2] =
            static_cast<unsigned char>(std::strtoul(text.substr(i, 2).c_str(), nullptr, 16));
    }
}
