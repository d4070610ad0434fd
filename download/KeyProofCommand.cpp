#include "app/BrimletDlg.h"
#include "security/DownloadKey.h"
#include "security/KeyProof.h"

namespace {

constexpr unsigned char kKeyProofCode = 0x8E;

} // namespace

std::int32_t CBrimletDlg::ProveDownloadKey() {
    BuildDownloadKey(function, reader.downloadKey);
    unsigned char proof[keyProofLength];
    BuildKeyProof(reader.downloadKey, proof);
    return SendCommand(kKeyProofCode, proof, keyProofLength);
}
