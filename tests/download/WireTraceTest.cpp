#include "security/Authentication.h"
#include "tests/download/DownloadRun.h"
#include "tests/support/HexBytes.h"

#include <cctype>

namespace downloadtest {
namespace {

// How many leading bytes of a frame that carries key material the trace may show,
// of the request and of its answer.
struct Masked {
    Bytes head;
    std::size_t request, answer;
};
const Masked kMasked[] = {{{0xFF, 0x08}, 2, 1},
                          {{0x92}, 1, 1},
                          {{0x8E}, 1, 1},
                          {{0xFF, 0x09, 0x01}, 3, 1},
                          {{0xFF, 0x09, 0x02}, 3, 1},
                          {{0xFF, 0x09, 0x03}, 3, 2}};

std::string Shown(const Bytes& frame, std::size_t shown) {
    std::string text;
    for (std::size_t i = 0; i < std::min(shown, frame.size()); ++i) {
        text += ToHex(Slice(frame, i, 1)) + " ";
    }
    return shown < frame.size()
               ? text + "[" + std::to_string(frame.size() - shown) + " bytes masked] "
               : text;
}

TEST_F(DownloadRun, TraceHoldsEveryFrameAndNoKeyMaterial) {
    // The boot loader refuses the first proof: the key goes to it with 92 as well.
    ASSERT_TRUE(Download("--refuse-proof once"));

    Lines expected, traced;
    std::vector<Bytes> secrets;
    Bytes step2Answer;
    for (std::size_t i = 0; i < link.delivered.size(); ++i) {
        const Bytes &request = link.delivered[i], &answer = link.answered[i];
        std::size_t requestShown = request.size(), answerShown = answer.size();
        for (const Masked& masked : kMasked) {
            if (request.size() >= masked.head.size() &&
                std::equal(masked.head.begin(), masked.head.end(), request.begin())) {
                requestShown = masked.request, answerShown = std::min(masked.answer, answer.size());
                secrets.push_back(Slice(request, requestShown, request.size() - requestShown));
                secrets.push_back(Slice(answer, answerShown, answer.size() - answerShown));
                step2Answer = masked.head == Bytes{0xFF, 0x09, 0x02} ? answer : step2Answer;
            }
        }
        expected.push_back("trace COM5 > " + Shown(request, requestShown) + "(" +
                           std::to_string(link.timeouts[i]) + " ms allowed)");
        expected.push_back("trace COM5 < " + Shown(answer, answerShown) + "(result ");
    }
    for (const std::string& line : trace.lines) {
        if (line.starts_with("trace COM5 > ")) {
            traced.push_back(line);
        } else if (line.starts_with("trace COM5 < ")) {
            traced.push_back(line.substr(0, line.find("(result ") + 8));
        }
    }
    EXPECT_EQ(traced, expected);
    EXPECT_EQ(std::count_if(trace.lines.begin(), trace.lines.end(),
                            [](const std::string& line) {
                                return line.starts_with("trace COM5 < (result 1005, ");
                            }),
              1)
        << "the refused proof";

    // The key as it went to the reader, the keys derived from it, and what the
    // sealed messages carry: the host's random, the reader's, the key pair.
    const Bytes key = Slice(link.Requests({0xFF, 0x08}).at(0), 2, downloadKeyLength);
    Bytes keys(48), hostPart(32), readerPart(32), pair(48);
    DeriveAuthenticationKeys(key.data(), keys.data(), keys.data() + 24);
    const SealKeys seal{keys.data(), keys.data() + 24};
    ASSERT_TRUE(OpenSealedBlocks(link.Requests({0xFF, 0x09, 0x02}).at(0).data() + 3, 4, seal,
                                 hostPart.data()));
    ASSERT_TRUE(OpenSealedBlocks(step2Answer.data() + 1, 4, seal, readerPart.data()));
    ASSERT_TRUE(
        OpenSealedBlocks(link.Requests({0xFF, 0x09, 0x03}).at(0).data() + 3, 6, seal, pair.data()));
    secrets.insert(secrets.end(),
                   {key, Slice(keys, 0, 24), Slice(keys, 24, 24), Slice(hostPart, 16, 16),
                    Slice(readerPart, 16, 16), Slice(pair, 0, 24), Slice(pair, 24, 24)});
    std::string digits;
    for (const std::string& line : trace.lines) {
        for (const char c : line + "\n") {
            digits += c == ' ' ? "" : std::string(1, static_cast<char>(std::toupper(c)));
        }
    }
    for (const Bytes& secret : secrets) {
        EXPECT_TRUE(secret.empty() || digits.find(ToHex(secret)) == digits.npos) << ToHex(secret);
    }
}

} // namespace
} // namespace downloadtest
