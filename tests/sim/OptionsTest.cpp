#include "sim/Options.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <tuple>
#include <vector>

namespace simtest {
namespace {

using namespace std::chrono_literals;
using sim::Firmware;
using sim::ParsedCommandLine;

ParsedCommandLine Parse(std::vector<std::string_view> arguments) {
    arguments.insert(arguments.begin(), {"--program-folder", "/tmp/brimlet"});
    return sim::ParseCommandLine(arguments);
}

// The blank-separated words of text, after the program folder.
ParsedCommandLine ParseWords(const std::string& text) {
    std::istringstream stream(text);
    const std::vector<std::string> words{std::istream_iterator<std::string>(stream), {}};
    return Parse(std::vector<std::string_view>(words.begin(), words.end()));
}

TEST(Options, BadOnesAreRefusedWithAClearMessage) {
    const std::string longModel(65, 'M');
    const std::pair<std::vector<std::string_view>, const char*> cases[] = {
        {{"--port", "0"}, "--port: \"0\" is not a number from 1 to 255"},
        {{"--port", "256"}, "from 1 to 255"},
        {{"--port", "7a"}, "--port: \"7a\""},
        {{"--port"}, "--port needs a value"},
        {{"--colour", "red"}, "unknown option \"--colour\""},
        {{"--pace=yes"}, "unknown option \"--pace=yes\""},
        {{"--model", "RVQ 3000"}, "--model"},
        {{"--model", longModel}, "--model"},
        {{"--serial", "S_1"}, "without blanks or \"_\""},
        {{"--version-code", "1234567"}, "1-6 letters or digits"},
        {{"--boot-version", "20-01"}, "--boot-version"},
        {{"--start-in", "bios"}, "neither boot nor app"},
        {{"--info-quirk", "empty"}, "not code-only"},
        {{"--restart-ms", "600001"}, "--restart-ms"},
        {{"--download-key", "0011"}, "32 hexadecimal"},
        {{"--download-key", "0011223344556677889900AABBCCDDEG"}, "32 hexadecimal"},
        {{"--refuse-auth", "4"}, "from 1 to 3"},
        {{"--wrong-mac", "3"}, "from 1 to 2"},
        {{"--refuse-proof", "twice"}, "neither once nor always"},
        {{"--refuse-blocks", "0"}, "--refuse-blocks"},
        {{"--refuse-blocks", "2@0x1000000"}, "--refuse-blocks"},
        {{"--refuse-with", "ack"}, "neither ff nor nak"},
        {{"--never-restart", "os"}, "neither boot nor app"},
        {{"--vanish-after-block", "0"}, "--vanish-after-block"},
        {{"--silence", "FF99"}, "neither \"all\" nor"},
        {{"--delay", "FF97"}, "lacks \":MS\""},
        {{"--delay", "all:600001"}, "--delay"},
        {{"--port", "0", "--model", "a b"}, "--port: \"0\" is not a number from 1 to 255"},
    };
    for (const auto& [arguments, message] : cases) {
        const ParsedCommandLine parsed = Parse(arguments);
        EXPECT_NE(parsed.error.find(message), std::string::npos)
            << arguments[0] << ": " << parsed.error;
    }
}

TEST(Options, ProgramFolderIsRequiredExceptForHelp) {
    const std::vector<std::string_view> port{"--port", "7"};
    EXPECT_EQ(sim::ParseCommandLine(port).error, "--program-folder is required");
    const std::vector<std::string_view> help{"--help"};
    const ParsedCommandLine parsed = sim::ParseCommandLine(help);
    EXPECT_TRUE(parsed.help);
    EXPECT_EQ(parsed.error, "");
}

TEST(Options, UsageNamesEveryOption) {
    std::istringstream options(
        "--program-folder --port --model --serial --cert-version --reader-version --version-code "
        "--boot-version --start-in --bios-de635 --network --info-quirk --restart-ms --pace --log "
        "--download-key --boot-key-none --seed --msr-not-authenticated --refuse-auth --wrong-mac "
        "--refuse-proof --refuse-blocks --refuse-finish --refuse-with --never-restart "
        "--wrong-version --vanish-after-block --silence --nak --bad-frame --delay --help");
    for (std::string option; options >> option;) {
        EXPECT_NE(sim::UsageText().find(option), std::string_view::npos) << option;
    }
}

TEST(Options, DefaultsPlayAHealthyReaderOnCom7) {
    const ParsedCommandLine parsed = Parse({});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.programFolder, "/tmp/brimlet");
    EXPECT_EQ(parsed.options.port, 7);
    EXPECT_FALSE(parsed.options.pace);
    EXPECT_FALSE(parsed.options.log);
    EXPECT_EQ(parsed.options.reader.startIn, Firmware::Application);
    EXPECT_TRUE(parsed.options.reader.faults.link.empty());
}

TEST(Options, ReaderSettingsAreTaken) {
    const ParsedCommandLine parsed = ParseWords(
        "--port=12 --model ABCDEFGHIJKL --serial S9 --cert-version C2 --reader-version R3 "
        "--version-code 160101 --boot-version B7 --start-in boot --bios-de635 --network HANVAN "
        "--info-quirk code-only --restart-ms 0 --pace --log --boot-key-none --seed 0xFFFFFFFF "
        "--download-key 00112233445566778899aabbccddeeff");
    ASSERT_EQ(parsed.error, "");
    const sim::ReaderConfig& r = parsed.options.reader;
    EXPECT_EQ(parsed.options.port, 12);
    EXPECT_EQ(r.model + r.serial + r.certVersion + r.readerVersion + r.versionCode + r.bootVersion,
              "ABCDEFGHIJKLS9C2R3160101B7");
    EXPECT_EQ(r.startIn, Firmware::BootLoader);
    EXPECT_TRUE(r.bootInfoDe635);
    EXPECT_EQ(r.network, "HANVAN");
    EXPECT_TRUE(r.infoCodeOnly);
    EXPECT_EQ(r.restartTime, 0ms);
    EXPECT_TRUE(parsed.options.pace);
    EXPECT_TRUE(parsed.options.log);
    EXPECT_EQ(r.downloadKey, (sim::KeyBytes{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88,
                                            0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}));
    EXPECT_FALSE(r.bootLoaderHoldsKey);
    EXPECT_EQ(r.randomSeed, 0xFFFFFFFFu);
}

TEST(Options, FaultsAreTaken) {
    const ParsedCommandLine parsed = ParseWords(
        "--msr-not-authenticated --refuse-auth 2 --wrong-mac 1 --refuse-proof always "
        "--refuse-blocks 3@0x200 --refuse-with nak --refuse-finish 4 --never-restart app "
        "--wrong-version 999999 --vanish-after-block 5");
    ASSERT_EQ(parsed.error, "");
    const sim::Faults& f = parsed.options.reader.faults;
    EXPECT_TRUE(f.msrNotAuthenticated);
    EXPECT_EQ(f.refuseAuthStep, 2);
    EXPECT_EQ(f.wrongMacStep, 1);
    EXPECT_EQ(f.refuseProof, sim::kAlways);
    ASSERT_TRUE(f.refuseBlocks.has_value());
    EXPECT_EQ(f.refuseBlocks->offset, 0x200u);
    EXPECT_EQ(f.refuseBlocks->times, 3);
    EXPECT_EQ(f.refuseBlocks->how, sim::Refusal::Nak);
    EXPECT_EQ(f.refuseFinish, 4);
    EXPECT_EQ(f.finishRefusal, sim::Refusal::Nak);
    EXPECT_EQ(f.neverRestartInto, Firmware::Application);
    EXPECT_EQ(f.versionAfterFlash, "999999");
    EXPECT_EQ(f.vanishAfterBlock, 5);
}

TEST(Options, RefusalStyleAppliesWhicheverComesFirst) {
    const ParsedCommandLine parsed = ParseWords("--refuse-with nak --refuse-blocks 1");
    ASSERT_TRUE(parsed.options.reader.faults.refuseBlocks.has_value());
    EXPECT_FALSE(parsed.options.reader.faults.refuseBlocks->offset.has_value()) << "every block";
    EXPECT_EQ(parsed.options.reader.faults.refuseBlocks->how, sim::Refusal::Nak);
}

TEST(Options, LinkFaultsAccumulateInOrder) {
    const ParsedCommandLine parsed = ParseWords(
        "--silence all*2 --nak f1 --bad-frame FF0C*1 --delay FF97:4000 --delay all:250*3");
    ASSERT_EQ(parsed.error, "");
    const auto& link = parsed.options.reader.faults.link;
    ASSERT_EQ(link.size(), 5u);
    const std::vector<std::tuple<sim::LinkFaultKind, std::optional<sim::Command>, int>> expected{
        {sim::LinkFaultKind::Silence, std::nullopt, 2},
        {sim::LinkFaultKind::Nak, sim::Command::Block, sim::kAlways},
        {sim::LinkFaultKind::BadFrame, sim::Command::Info, 1},
        {sim::LinkFaultKind::Delay, sim::Command::MsrState, sim::kAlways},
        {sim::LinkFaultKind::Delay, std::nullopt, 3}};
    for (std::size_t i = 0; i < link.size(); ++i) {
        EXPECT_EQ(std::tuple(link[i].kind, link[i].command, link[i].times), expected[i]) << i;
    }
    EXPECT_EQ(link[3].delay, 4000ms);
    EXPECT_EQ(link[4].delay, 250ms);
}

} // namespace
} // namespace simtest
