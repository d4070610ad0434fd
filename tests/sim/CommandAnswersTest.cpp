#include "tests/sim/TestHost.h"

#include <gtest/gtest.h>

namespace simtest {
namespace {

using sim::ReaderConfig;
using sim::Reply;

constexpr auto Plain = [](ReaderConfig&) {};
constexpr auto CodeOnly = [](ReaderConfig& c) { c.infoCodeOnly = true; };
constexpr auto De635 = [](ReaderConfig& c) { c.bootInfoDe635 = true; };
constexpr auto Hanvan = [](ReaderConfig& c) { c.network = "HANVAN"; };
constexpr auto MsrFault = [](ReaderConfig& c) { c.faults.msrNotAuthenticated = true; };

struct CommandCase {
    const char* name;
    sim::Firmware firmware;
    void (*configure)(ReaderConfig&);
    const char* request; // hexadecimal
    const char* answer;  // "NAK", or the response code in hexadecimal and the data after it
    const char* text = "";
};

class CommandAnswers : public testing::TestWithParam<CommandCase> {};

TEST_P(CommandAnswers, AnswerWithExactBytes) {
    const CommandCase& c = GetParam();
    ReaderConfig config;
    config.startIn = c.firmware;
    c.configure(config);
    ReaderSession session(config);
    const Reply reply = session.Send(Hex(c.request));
    if (std::string_view(c.answer) == "NAK") {
        EXPECT_EQ(reply.kind, Reply::Kind::Nak);
        EXPECT_EQ(ToHex(reply.payload), "");
    } else {
        EXPECT_EQ(reply.kind, Reply::Kind::Response);
        EXPECT_EQ(ToHex(reply.payload), ToHex(Concat(Hex(c.answer), Text(c.text))));
    }
    EXPECT_EQ(reply.delay, std::chrono::milliseconds(0));
    EXPECT_FALSE(reply.dropLink);
    EXPECT_EQ(session.Running(), c.firmware) << "no command here restarts the reader";
}

constexpr auto App = sim::Firmware::Application;
constexpr auto Boot = sim::Firmware::BootLoader;
constexpr const char* kAppInfo = "VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1";
constexpr const char* kAppVersion = "KRVQ-3000-KR1_150803";
constexpr const char* kKey = "00112233445566778899AABBCCDDEEFF";
const std::string kStoreKey = std::string("FF08") + kKey;
const std::string kHandOver = std::string("92") + kKey;
const std::string kProof = std::string("8E") + kKey;
const std::string kBlockAtZero = "F1000000" + std::string(512, 'A');
const auto Name = [](const auto& info) { return std::string(info.param.name); };

INSTANTIATE_TEST_SUITE_P(
    Application, CommandAnswers,
    testing::Values(
        CommandCase{"InfoText", App, Plain, "FF 0C", "00", kAppInfo},
        CommandCase{"InfoCodeOnly", App, CodeOnly, "FF 0C", "00"},
        CommandCase{"Query16GivesInfoWhenCodeOnly", App, CodeOnly, "16", "00", kAppInfo},
        CommandCase{"OtherNetworkInfo", App, Hanvan, "FF 0C", "00",
                    "VAN=HANVAN_RV00012345_C0100_R0100_RVQ-3000-KR1"},
        CommandCase{"Version", App, Plain, "FF 04", "00", kAppVersion},
        CommandCase{"Query16GivesVersion", App, Plain, "16", "00", kAppVersion},
        CommandCase{"MsrFine", App, Plain, "FF 97", "00", "MSR_OK"},
        CommandCase{"MsrNotAuthenticated", App, MsrFault, "FF 97", "00", "DMSR_NOT_AUTHENTICATED"},
        CommandCase{"DebugLevel", App, Plain, "FF 98 05", "00"},
        CommandCase{"DebugLevelWithoutLevel", App, Plain, "FF 98", "FF"},
        CommandCase{"StoreKey", App, Plain, kStoreKey.c_str(), "00"},
        CommandCase{"StoreKeyTooShort", App, Plain, "FF 08 00 11 22", "FF"},
        CommandCase{"AuthStep1WithoutKey", App, Plain, "FF 09 01", "FF"},
        CommandCase{"AuthStep2WithoutStep1", App, Plain, "FF 09 02", "FF"},
        CommandCase{"AuthUnknownStep", App, Plain, "FF 09 04", "FF"},
        CommandCase{"KeyProofUnknown", App, Plain, "8E 00", "FF"},
        CommandCase{"HandOverUnknown", App, Plain, kHandOver.c_str(), "FF"},
        CommandCase{"BlockUnknown", App, Plain, kBlockAtZero.c_str(), "FF"},
        CommandCase{"FinishUnknown", App, Plain, "F2 00", "FF"},
        CommandCase{"UnknownCommand", App, Plain, "33 44", "FF"},
        CommandCase{"LoneFF", App, Plain, "FF", "FF"}),
    Name);

INSTANTIATE_TEST_SUITE_P(
    BootLoader, CommandAnswers,
    testing::Values(CommandCase{"InfoText", Boot, Plain, "FF 0C", "00", "RIVI_BIOS_200101"},
                    CommandCase{"InfoTextDe635", Boot, De635, "FF 0C", "00", "DE-635_BIOS_200101"},
                    CommandCase{"InfoQuirkBelongsToApplication", Boot, CodeOnly, "FF 0C", "00",
                                "RIVI_BIOS_200101"},
                    CommandCase{"VersionUnknown", Boot, Plain, "FF 04", "FF"},
                    CommandCase{"MsrUnknown", Boot, MsrFault, "FF 97", "FF"},
                    CommandCase{"Query16GivesBootVersion", Boot, Plain, "16", "00", "DBIOS_200101"},
                    CommandCase{"DebugLevelUnknown", Boot, Plain, "FF 98 05", "FF"},
                    CommandCase{"StoreKeyUnknown", Boot, Plain, kStoreKey.c_str(), "FF"},
                    CommandCase{"AuthStep1Unknown", Boot, Plain, "FF 09 01", "FF"},
                    CommandCase{"HandOverKey", Boot, Plain, kHandOver.c_str(), "00"},
                    CommandCase{"HandOverKeyTooShort", Boot, Plain, "92 00 11", "FF"},
                    CommandCase{"KeyProofWrong", Boot, Plain, kProof.c_str(), "NAK"},
                    CommandCase{"KeyProofTooShort", Boot, Plain, "8E 0011", "FF"},
                    CommandCase{"BlockBeforeProof", Boot, Plain, kBlockAtZero.c_str(), "FF"},
                    CommandCase{"FinishBeforeProof", Boot, Plain, "F2 00", "FF"},
                    CommandCase{"UnknownCommand", Boot, Plain, "33", "FF"}),
    Name);

} // namespace
} // namespace simtest
