#include "sim/SimulatedReader.h"
#include "tests/sim/TestBytes.h"

#include <gtest/gtest.h>

namespace simtest {
namespace {

using sim::Firmware;
using sim::ReaderConfig;
using sim::Reply;
using sim::SimulatedReader;

const SimulatedReader::TimePoint kNow{std::chrono::seconds(100)};

constexpr const char* kAppInfo = "VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1";
constexpr const char* kAppVersion = "KRVQ-3000-KR1_150803";

void Default(ReaderConfig&) {}
void InfoCodeOnly(ReaderConfig& config) {
    config.infoCodeOnly = true;
}
void De635(ReaderConfig& config) {
    config.bootInfoDe635 = true;
}
void OtherNetwork(ReaderConfig& config) {
    config.network = "HANVAN";
}
void MsrFault(ReaderConfig& config) {
    config.faults.msrNotAuthenticated = true;
}

struct CommandCase {
    const char* name;
    Firmware firmware;
    void (*configure)(ReaderConfig&);
    const char* request; // hexadecimal
    Reply::Kind kind;
    const char* code; // hexadecimal response code; empty for NAK and silence
    const char* text; // the data after the code
};

class CommandAnswers : public testing::TestWithParam<CommandCase> {};

TEST_P(CommandAnswers, AnswerWithExactBytes) {
    const CommandCase& c = GetParam();
    ReaderConfig config;
    config.startIn = c.firmware;
    c.configure(config);
    SimulatedReader reader(config);

    const Reply reply = reader.Handle(Hex(c.request), kNow);

    EXPECT_EQ(reply.kind, c.kind);
    EXPECT_EQ(ToHex(reply.payload), ToHex(Concat(Hex(c.code), Text(c.text))));
    EXPECT_EQ(reply.delay, std::chrono::milliseconds(0));
    EXPECT_FALSE(reply.dropLink);
    EXPECT_EQ(reader.RunningFirmware(kNow), c.firmware) << "no command here restarts the reader";
}

constexpr auto App = Firmware::Application;
constexpr auto Boot = Firmware::BootLoader;
constexpr auto Answer = Reply::Kind::Response;
constexpr auto Nak = Reply::Kind::Nak;
constexpr const char* kKey = "00112233445566778899AABBCCDDEEFF";

const std::string kStoreKey = std::string("FF08") + kKey;
const std::string kHandOver = std::string("92") + kKey;
const std::string kBlockAtZero = "F1000000" + std::string(512, 'A');

INSTANTIATE_TEST_SUITE_P(
    Application, CommandAnswers,
    testing::Values(
        CommandCase{"InfoText", App, Default, "FF 0C", Answer, "00", kAppInfo},
        CommandCase{"InfoCodeOnly", App, InfoCodeOnly, "FF 0C", Answer, "00", ""},
        CommandCase{"Query16GivesInfoWhenCodeOnly", App, InfoCodeOnly, "16", Answer, "00",
                    kAppInfo},
        CommandCase{"OtherNetworkInfo", App, OtherNetwork, "FF 0C", Answer, "00",
                    "VAN=HANVAN_RV00012345_C0100_R0100_RVQ-3000-KR1"},
        CommandCase{"Version", App, Default, "FF 04", Answer, "00", kAppVersion},
        CommandCase{"Query16GivesVersion", App, Default, "16", Answer, "00", kAppVersion},
        CommandCase{"MsrFine", App, Default, "FF 97", Answer, "00", "MSR_OK"},
        CommandCase{"MsrNotAuthenticated", App, MsrFault, "FF 97", Answer, "00",
                    "DMSR_NOT_AUTHENTICATED"},
        CommandCase{"DebugLevel", App, Default, "FF 98 05", Answer, "00", ""},
        CommandCase{"DebugLevelWithoutLevel", App, Default, "FF 98", Answer, "FF", ""},
        CommandCase{"StoreKey", App, Default, kStoreKey.c_str(), Answer, "00", ""},
        CommandCase{"StoreKeyTooShort", App, Default, "FF 08 00 11 22", Answer, "FF", ""},
        CommandCase{"AuthStep1WithoutKey", App, Default, "FF 09 01", Answer, "FF", ""},
        CommandCase{"AuthStep2WithoutStep1", App, Default, "FF 09 02", Answer, "FF", ""},
        CommandCase{"AuthUnknownStep", App, Default, "FF 09 04", Answer, "FF", ""},
        CommandCase{"KeyProofUnknown", App, Default, "8E 00", Answer, "FF", ""},
        CommandCase{"HandOverUnknown", App, Default, kHandOver.c_str(), Answer, "FF", ""},
        CommandCase{"BlockUnknown", App, Default, kBlockAtZero.c_str(), Answer, "FF", ""},
        CommandCase{"FinishUnknown", App, Default, "F2 00", Answer, "FF", ""},
        CommandCase{"UnknownCommand", App, Default, "33 44", Answer, "FF", ""},
        CommandCase{"LoneFF", App, Default, "FF", Answer, "FF", ""}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    BootLoader, CommandAnswers,
    testing::Values(
        CommandCase{"InfoText", Boot, Default, "FF 0C", Answer, "00", "RIVI_BIOS_200101"},
        CommandCase{"InfoTextDe635", Boot, De635, "FF 0C", Answer, "00", "DE-635_BIOS_200101"},
        CommandCase{"InfoQuirkBelongsToApplication", Boot, InfoCodeOnly, "FF 0C", Answer, "00",
                    "RIVI_BIOS_200101"},
        CommandCase{"VersionUnknown", Boot, Default, "FF 04", Answer, "FF", ""},
        CommandCase{"MsrUnknown", Boot, MsrFault, "FF 97", Answer, "FF", ""},
        CommandCase{"Query16GivesBootVersion", Boot, Default, "16", Answer, "00", "DBIOS_200101"},
        CommandCase{"DebugLevelUnknown", Boot, Default, "FF 98 05", Answer, "FF", ""},
        CommandCase{"StoreKeyUnknown", Boot, Default, kStoreKey.c_str(), Answer, "FF", ""},
        CommandCase{"AuthStep1Unknown", Boot, Default, "FF 09 01", Answer, "FF", ""},
        CommandCase{"HandOverKey", Boot, Default, kHandOver.c_str(), Answer, "00", ""},
        CommandCase{"HandOverKeyTooShort", Boot, Default, "92 00 11", Answer, "FF", ""},
        CommandCase{"KeyProofWrong", Boot, Default, "8E 00112233445566778899AABBCCDDEEFF", Nak, "",
                    ""},
        CommandCase{"KeyProofTooShort", Boot, Default, "8E 0011", Answer, "FF", ""},
        CommandCase{"BlockBeforeProof", Boot, Default, kBlockAtZero.c_str(), Answer, "FF", ""},
        CommandCase{"FinishBeforeProof", Boot, Default, "F2 00", Answer, "FF", ""},
        CommandCase{"UnknownCommand", Boot, Default, "33", Answer, "FF", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The host decides from these texts alone; each rule it applies must hold for them.
TEST(ReaderTexts, FollowTheRulesTheHostReadsThemBy) {
    SimulatedReader app(ReaderConfig{});
    const std::string info = app.InfoText();
    EXPECT_EQ(info.rfind("VAN=RIVI", 0), 0u);
    std::string model = info;
    for (int i = 0; i < 4; ++i) {
        model = model.substr(model.find('_') + 1);
    }
    EXPECT_EQ(model, "RVQ-3000-KR1");
    EXPECT_EQ(app.VersionText().front(), 'K');
    EXPECT_EQ(app.VersionText().substr(app.VersionText().rfind('_') + 1), "150803");

    ReaderConfig bootConfig;
    bootConfig.startIn = Firmware::BootLoader;
    SimulatedReader boot(bootConfig);
    EXPECT_GT(boot.InfoText().find("_BIOS"), 0u);
    EXPECT_NE(boot.InfoText().find("_BIOS"), std::string::npos);
    EXPECT_NE(boot.InfoText().rfind("VAN=RIVI", 0), 0u);
    EXPECT_EQ(boot.VersionText().front(), 'D');
}

TEST(ReaderState, DebugLevelIsKept) {
    SimulatedReader reader(ReaderConfig{});
    reader.Handle(Hex("FF 98 2C"), kNow);
    EXPECT_EQ(reader.DebugLevel(), 0x2C);
}

TEST(ReaderState, StoredKeyIsWhatTheBootLoaderHolds) {
    SimulatedReader reader(ReaderConfig{});
    reader.Handle(Hex(kStoreKey), kNow);
    ASSERT_TRUE(reader.BootLoaderKey().has_value());
    EXPECT_EQ(ToHex(Bytes(reader.BootLoaderKey()->begin(), reader.BootLoaderKey()->end())),
              ToHex(Hex(kKey)));
}

TEST(ReaderState, RejectedKeyLeavesTheHeldKey) {
    ReaderConfig config;
    config.startIn = Firmware::BootLoader;
    config.bootLoaderHoldsKey = false;
    SimulatedReader reader(config);
    reader.Handle(Hex("92 0011"), kNow);
    EXPECT_FALSE(reader.BootLoaderKey().has_value());
}

} // namespace
} // namespace simtest
