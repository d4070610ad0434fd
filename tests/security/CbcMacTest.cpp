#include "security/CbcMac.h"
#include "tests/support/OpenSslOracle.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

const Bytes macKey = FromHex("0123456789ABCDEF FEDCBA9876543210 89ABCDEF01234567");

// 80 00 .. only when the message is empty or not block-aligned, then CBC from zero.
std::string OracleMac(Bytes message) {
    if (message.size() % 8 != 0 || message.empty()) {
        message.push_back(0x80);
        message.resize((message.size() + 7) / 8 * 8, 0x00);
    }
    return ToHex(Slice(OracleDes(macKey, message, true, true), message.size() - 8, 8));
}

// Lengths around the block boundaries, the step payloads, beyond the old work buffer; every
// message ends where an unreadable page begins, so nothing past it may be read.
TEST(TripleDesMac, EqualsLibcryptoCbcOverTheOnlyIfNeededPaddedMessageReadingNoFurther) {
    const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    void* mapped =
        mmap(nullptr, 3 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mapped, MAP_FAILED);
    unsigned char* end = static_cast<unsigned char*>(mapped) + 2 * page;
    ASSERT_EQ(mprotect(end, page, PROT_NONE), 0);
    unsigned char mac[8];
    for (const size_t length : {0, 1, 7, 8, 9, 16, 32, 48, 1021, 1024, 5000}) {
        const Bytes message = RandomBytes(length, static_cast<unsigned>(length));
        std::copy(message.begin(), message.end(), end - length);
        TripleDesMac(end - length, static_cast<int>(length), macKey.data(), mac);
        EXPECT_EQ(ToHex(mac), OracleMac(message)) << length;
    }
    TripleDesMac(nullptr, -5, macKey.data(), mac);
    EXPECT_EQ(ToHex(mac), OracleMac({})) << "a negative length is an empty message";
    munmap(mapped, 3 * page);
}

} // namespace
