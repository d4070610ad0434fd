// The exchange through the Windows port back end against the simulated reader,
// which scripts/test-windows starts with one silence, NAK, bad LRC and oversized
// answer for FF 04, in that order, and pulled out after the right answer that
// follows. usage: exchange-test <COM number>
#include "Check.h"
#include "readerlink/VexilonDll.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Answer {
    int code;
    int length;
    std::vector<unsigned char> area;
};

Answer Poll(int port, std::vector<unsigned char> request, int timeoutMs) {
    Answer answer{0, -1, std::vector<unsigned char>(VQ_RECEIVE_CAPACITY + 16, 0xA5)};
    answer.code = VQ_Polling(port, static_cast<int>(request.size()), request.data(), &answer.length,
                             answer.area.data(), timeoutMs);
    return answer;
}

} // namespace

int main(int argc, char** argv) {
    const int port = argc > 1 ? std::atoi(argv[1]) : 7;
    const std::vector<unsigned char> version{0xFF, 0x04};
    const std::string versionAnswer = std::string(1, '\0') + "KRVQ-3000-KR1_150803";

    CheckNumber("VQ_InitPort", VQ_InitPort(port, 115200), port);
    CheckNumber("VQ_InitPort again reopens", VQ_InitPort(port, 115200), port);

    const Answer silent = Poll(port, version, 300);
    CheckNumber("silent reader", silent.code, VQ_ERR_TIMEOUT);
    CheckNumber("silent reader stores", silent.length, 0);
    CheckNumber("NAK", Poll(port, version, 3000).code, VQ_ERR_REFUSED);
    const Answer badLrc = Poll(port, version, 3000);
    CheckNumber("bad LRC", badLrc.code, VQ_ERR_MALFORMED);
    CheckNumber("bad LRC stores", badLrc.length, 0);

    const Answer oversized = Poll(port, version, 3000);
    CheckNumber("1200-byte answer", oversized.code, VQ_ERR_TOO_LONG);
    CheckBytes("1200-byte answer, first bytes", oversized.area.data(), 21, versionAnswer.data(),
               21);
    CheckNumber("1200-byte answer stores", oversized.length, VQ_RECEIVE_CAPACITY);
    CheckBytes("nothing written past 1000 bytes", oversized.area.data() + VQ_RECEIVE_CAPACITY, 16,
               std::vector<unsigned char>(16, 0xA5).data(), 16);

    const Answer good = Poll(port, version, 3000);
    CheckNumber("FF 04 once the faults are used", good.code, VQ_OK);
    CheckBytes("version text", good.area.data(), good.length, versionAnswer.data(),
               static_cast<int>(versionAnswer.size()));
    CheckNumber("FF 04 once the reader is pulled out", Poll(port, version, 3000).code,
                VQ_ERR_PORT_LOST);
    CheckNumber("VQ_ClosePort", VQ_ClosePort(port), VQ_OK);
    CheckNumber("VQ_Polling after VQ_ClosePort", Poll(port, version, 300).code,
                VQ_ERR_PORT_NOT_OPEN);
    return failures == 0 ? 0 : 1;
}
