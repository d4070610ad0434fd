#include "tests/support/OpenSslOracle.h"

#include <memory>
#include <openssl/evp.h>

Bytes OracleDes(const Bytes& key, const Bytes& data, bool encrypt, bool cbc) {
    const Bytes key24 = key.size() == 8 ? Concat(key, key, key) : key;
    const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(
        EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    Bytes out(data.size());
    int written = 0;
    if (key24.size() != 24 ||
        EVP_CipherInit_ex(context.get(), cbc ? EVP_des_ede3_cbc() : EVP_des_ede3_ecb(), nullptr,
                          key24.data(), Bytes(8, 0).data(), encrypt ? 1 : 0) != 1 ||
        EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1 ||
        EVP_CipherUpdate(context.get(), out.data(), &written, data.data(),
                         static_cast<int>(data.size())) != 1 ||
        written != static_cast<int>(data.size())) {
        throw std::runtime_error("libcrypto triple DES failed or was misused");
    }
    return out;
}

Bytes OracleDigest(const char* sha1OrSha256, const Bytes& message) {
    Bytes digest(EVP_MAX_MD_SIZE);
    size_t length = 0;
    if (EVP_Q_digest(nullptr, sha1OrSha256, nullptr, message.data(), message.size(), digest.data(),
                     &length) != 1) {
        throw std::runtime_error(std::string("libcrypto ") + sha1OrSha256 + " failed");
    }
    digest.resize(length);
    return digest;
}
