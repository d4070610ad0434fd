#include "reader/ReaderQuery.h"

#include "reader/ReaderText.h"
#include "readerlink/VexilonDll.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kAnswerTimeoutMs = 3000;

} // namespace

ReaderAnswer AskReader(int port, std::span<const unsigned char> command, std::size_t areaSize) {
    // Never smaller than what the library may store, whatever the caller asks for.
    std::vector<unsigned char> area(std::max<std::size_t>(areaSize, VQ_RECEIVE_CAPACITY), 0);
    ReaderAnswer answer;
    answer.result = VQ_Polling(port, static_cast<int>(command.size()), command.data(),
                               &answer.received, area.data(), kAnswerTimeoutMs);
    answer.text = TextAfterResponseCode(area.data(), area.size());
    return answer;
}
