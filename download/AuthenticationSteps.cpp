#include "download/DownloadSequence.h"

#include "reader/ProtocolTimings.h"
#include "readerlink/VexilonDll.h"
#include "security/Authentication.h"
#include "security/DownloadKey.h"
#include "security/KeyProof.h"

namespace {

constexpr int kMessageAreaSize = 1024;

static_assert(kMessageAreaSize >= VQ_RECEIVE_CAPACITY);
static_assert(sizeof AuthenticationState::downloadKey == downloadKeyLength);
static_assert(sizeof AuthenticationState::derivedKeyPair == derivedKeyPairLength);

// Each step has request and response areas of its own; the session's rxBuffer is
// left to SendCommand's callers.
struct StepExchange {
    unsigned char request[kMessageAreaSize] = {};
    unsigned char response[kMessageAreaSize] = {};
    int responseLength = 0;
};

SealKeys AuthKeys(const AuthenticationState& auth) {
    return SealKeys{auth.authCipherKey, auth.authMacKey};
}

} // namespace

bool DownloadSequence::DeriveAuthKeys() {
    BuildDownloadKey(function, auth.downloadKey);
    // Without the system's random source the host bytes would be predictable; the
    // authentication is then not attempted at all.
    if (!DrawHostValues(auth.hostReserved, auth.hostRandom)) {
        return false;
    }
    DeriveAuthenticationKeys(auth.downloadKey, auth.authCipherKey, auth.authMacKey);
    return true;
}

bool DownloadSequence::AuthStep1() {
    StepExchange exchange;
    BuildAuthStep1Request(exchange.request);
    const int result = reader.Exchange(exchange.request, authStep1RequestLength, exchange.response,
                                       exchange.responseLength, kAuthStepTimeout);
    return CheckAuthStep1Response(exchange.response, exchange.responseLength, AuthKeys(auth),
                                  auth.readerChallenge) &&
           result == VQ_OK;
}

bool DownloadSequence::AuthStep2() {
    StepExchange exchange;
    BuildAuthStep2Request(AuthKeys(auth), auth.hostReserved, auth.readerChallenge, auth.hostRandom,
                          exchange.request);
    const int result = reader.Exchange(exchange.request, authStep2RequestLength, exchange.response,
                                       exchange.responseLength, kAuthStepTimeout);
    return CheckAuthStep2Response(exchange.response, exchange.responseLength, AuthKeys(auth),
                                  auth.hostReserved, auth.readerChallenge, auth.readerRandom) &&
           result == VQ_OK;
}

bool DownloadSequence::AuthStep3() {
    // From here on hostRandom holds the shared secret, as the reader expects.
    ComputeSharedSecret(auth.hostRandom, auth.readerRandom, auth.hostRandom);
    DeriveKeyPair(auth.hostRandom, auth.derivedKeyPair);
    StepExchange exchange;
    BuildAuthStep3Request(AuthKeys(auth), auth.derivedKeyPair, exchange.request);
    const int result = reader.Exchange(exchange.request, authStep3RequestLength, exchange.response,
                                       exchange.responseLength, kAuthStep3Timeout);
    return CheckAuthStep3Response(exchange.response, exchange.responseLength) && result == VQ_OK;
}

bool DownloadSequence::ProveDownloadKey() {
    BuildDownloadKey(function, auth.downloadKey);
    unsigned char proof[keyProofLength];
    BuildKeyProof(auth.downloadKey, proof);
    return reader.SendCommand(kKeyProofCode, proof, keyProofLength) == VQ_OK;
}
