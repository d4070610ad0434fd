#include "security/Authentication.h"
#include "security/DownloadKey.h"
#include "tests/download/DownloadRun.h"
#include "tests/support/HexBytes.h"

#include <algorithm>
#include <cctype>

namespace downloadtest {
namespace {

// What the trace may show of a frame that carries key material: the command's
// head, and of the answer its response code (or all of it).
struct Masked {
    Bytes head;
    std::size_t requestShown, responseShown;
};
constexpr std::size_t kAll = SIZE_MAX;
const Masked kMasked[] = {
    {{0xFF, 0x08}, 2, kAll},       // the download key
    {{0x92}, 1, kAll},             // the download key, to the boot loader
    {{0x8E}, 1, kAll},             // the key's proof
    {{0xFF, 0x09, 0x01}, 3, 1},    // the reader's sealed challenge
    {{0xFF, 0x09, 0x02}, 3, 1},    // the sealed randoms of both sides
    {{0xFF, 0x09, 0x03}, 3, kAll}, // the sealed key pair; the answer is the verdict
};

const Masked* MaskOf(const Bytes& request) {
    for (const Masked& masked : kMasked) {
        if (request.size() >= masked.head.size() &&
            std::equal(masked.head.begin(), masked.head.end(), request.begin())) {
            return &masked;
        }
    }
    return nullptr;
}

std::string Shown(const Bytes& bytes, std::size_t shown) {
    std::string text;
    for (std::size_t i = 0; i < std::min(shown, bytes.size()); ++i) {
        text += ToHex(Slice(bytes, i, 1)) + " ";
    }
    if (shown < bytes.size()) {
        text += "[" + std::to_string(bytes.size() - shown) + " bytes masked] ";
    }
    return text;
}

Bytes Opened(const Bytes& sealed, std::size_t offset, int blocks, const Bytes& cipherKey,
             const Bytes& macKey) {
    Bytes plain(static_cast<std::size_t>(blocks) * 8);
    EXPECT_TRUE(OpenSealedBlocks(sealed.data() + offset, blocks,
                                 SealKeys{cipherKey.data(), macKey.data()}, plain.data()));
    return plain;
}

TEST_F(DownloadRun, TraceHoldsEveryFrameAndNoKeyMaterial) {
    ASSERT_TRUE(Download());

    std::vector<std::string> frames;
    for (std::size_t i = 0; i < link.delivered.size(); ++i) {
        const Masked* masked = MaskOf(link.delivered[i]);
        frames.push_back("trace COM5 > " +
                         Shown(link.delivered[i], masked ? masked->requestShown : kAll) + "(" +
                         std::to_string(link.timeouts[i]) + " ms allowed)");
        frames.push_back("trace COM5 < " +
                         Shown(link.answered[i], masked ? masked->responseShown : kAll) +
                         "(result 0, ");
    }
    std::vector<std::string> traced;
    for (const std::string& line : trace.lines) {
        if (line.find(" > ") != line.npos || line.find(" < ") != line.npos) {
            traced.push_back(line.substr(0, line.find("(result 0, ") == line.npos
                                                ? line.size()
                                                : line.find("(result 0, ") + 11));
        }
    }
    EXPECT_EQ(traced, frames);
    EXPECT_EQ(std::count_if(trace.lines.begin(), trace.lines.end(),
                            [](const std::string& line) {
                                return line.find(" open 115200: (result ") != line.npos;
                            }),
              static_cast<long>(link.initCalls.size()));

    // The key as it went to the reader, the keys derived from it, and what the
    // sealed messages carry.
    const Bytes key = Slice(link.Requests({0xFF, 0x08}).at(0), 2, downloadKeyLength);
    Bytes cipherKey(24), macKey(24);
    DeriveAuthenticationKeys(key.data(), cipherKey.data(), macKey.data());
    std::vector<Bytes> secrets = {key, cipherKey, macKey};
    const Bytes step2 = link.Requests({0xFF, 0x09, 0x02}).at(0);
    secrets.push_back(Slice(Opened(step2, 3, 4, cipherKey, macKey), 16, hostRandomLength));
    const Bytes keyPair = Opened(link.Requests({0xFF, 0x09, 0x03}).at(0), 3, 6, cipherKey, macKey);
    secrets.insert(secrets.end(), {Slice(keyPair, 0, 24), Slice(keyPair, 24, 24)});
    for (std::size_t i = 0; i < link.delivered.size(); ++i) {
        if (const Masked* masked = MaskOf(link.delivered[i])) {
            for (const auto& [frame, shown] :
                 {std::pair{link.delivered[i], masked->requestShown},
                  std::pair{link.answered[i], masked->responseShown}}) {
                if (shown < frame.size()) {
                    secrets.push_back(Slice(frame, shown, frame.size() - shown));
                }
            }
        }
    }
    const auto step2Answer = std::find(link.delivered.begin(), link.delivered.end(), step2);
    secrets.push_back(
        Slice(Opened(link.answered[step2Answer - link.delivered.begin()], 1, 4, cipherKey, macKey),
              16, readerRandomLength));

    std::string digits;
    for (const std::string& line : trace.lines) {
        for (const char c : line) {
            if (c != ' ') {
                digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
        }
        digits += '\n';
    }
    for (const Bytes& secret : secrets) {
        EXPECT_EQ(digits.find(ToHex(secret)), std::string::npos) << ToHex(secret);
    }
}

} // namespace
} // namespace downloadtest
