#include "app/BrimletDlg.h"
#include "readerlink/VexilonDll.h"
#include "security/Authentication.h"

namespace {

constexpr int kStep1TimeoutMs = 5000;
constexpr int kStep2TimeoutMs = 5000;
// The reader stores the new key pair in flash before it answers step 3.
constexpr int kStep3TimeoutMs = 150000;
constexpr int kMessageAreaSize = 1024;

static_assert(kMessageAreaSize >= VQ_RECEIVE_CAPACITY);

// Each step has request and response areas of its own; the shared rxBuffer is
// left to SendCommand's callers.
struct StepExchange {
    unsigned char request[kMessageAreaSize] = {};
    unsigned char response[kMessageAreaSize] = {};
    int responseLength = 0;

    int Send(int port, int requestLength, int timeoutMs) {
        return VQ_Polling(port, requestLength, request, &responseLength, response, timeoutMs);
    }
};

SealKeys AuthKeys(const ReaderState& reader) {
    return SealKeys{reader.authCipherKey, reader.authMacKey};
}

} // namespace

std::int32_t CBrimletDlg::DeriveAuthKeys() {
    BuildDownloadKey(function, reader.downloadKey);
    // Without the system's random source the host bytes would be predictable; the
    // authentication is then not attempted at all.
    if (!DrawHostValues(reader.hostReserved, reader.hostRandom)) {
        return 1;
    }
    DeriveAuthenticationKeys(reader.downloadKey, reader.authCipherKey, reader.authMacKey);
    return 0;
}

std::int32_t CBrimletDlg::AuthStep1() {
    StepExchange exchange;
    BuildAuthStep1Request(exchange.request);
    const int result = exchange.Send(reader.port, authStep1RequestLength, kStep1TimeoutMs);
    if (!CheckAuthStep1Response(exchange.response, exchange.responseLength, AuthKeys(reader),
                                reader.readerChallenge)) {
        return 1;
    }
    return result;
}

std::int32_t CBrimletDlg::AuthStep2() {
    StepExchange exchange;
    BuildAuthStep2Request(AuthKeys(reader), reader.hostReserved, reader.readerChallenge,
                          reader.hostRandom, exchange.request);
    const int result = exchange.Send(reader.port, authStep2RequestLength, kStep2TimeoutMs);
    if (!CheckAuthStep2Response(exchange.response, exchange.responseLength, AuthKeys(reader),
                                reader.hostReserved, reader.readerChallenge, reader.readerRandom)) {
        return 1;
    }
    return result;
}

std::int32_t CBrimletDlg::AuthStep3() {
    // From here on hostRandom holds the shared secret, as the reader expects.
    ComputeSharedSecret(reader.hostRandom, reader.readerRandom, reader.hostRandom);
    DeriveKeyPair(reader.hostRandom, reader.derivedKeyPair);
    StepExchange exchange;
    BuildAuthStep3Request(AuthKeys(reader), reader.derivedKeyPair, exchange.request);
    const int result = exchange.Send(reader.port, authStep3RequestLength, kStep3TimeoutMs);
    if (!CheckAuthStep3Response(exchange.response, exchange.responseLength)) {
        return 1;
    }
    return result;
}
