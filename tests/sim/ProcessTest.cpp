// The reader-sim and make-sample-image programs as the demo and the benchmarks run
// them: spawned, talked to through a copy of the reader-link library, stopped with
// a signal.

#include "sim/VersionMarker.h"
#include "tests/sim/TestBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/VexilonCopy.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace simtest {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
    return fs::exists(fs::symlink_status(path));
}

// Runs a program to its end: its exit code and everything it wrote to either stream.
std::pair<int, std::string> RunProgram(const std::string& commandLine) {
    FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
    std::string output;
    char buffer[256];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(ReaderSimProgram, ServesAReaderUntilSigtermAndRemovesItsLink) {
    testsupport::TempFolder folder;
    testsupport::VexilonCopy library(folder.Path());
    const auto link = folder.Path() / "ports" / "COM11";
    const auto errors = folder.Path() / "errors.txt";
    std::string shell = "/bin/sh", option = "-c",
                command = std::string("exec ") + READER_SIM_PROGRAM + " --program-folder '" +
                          folder.Path().string() + "' --port 11 --model ABCDEFGHIJKL --log 2>'" +
                          errors.string() + "'";
    char* argv[] = {shell.data(), option.data(), command.data(), nullptr};
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ), 0);
    for (int wait = 0; wait < 500 && !Exists(link); ++wait) {
        std::this_thread::sleep_for(20ms);
    }
    ASSERT_TRUE(Exists(link));

    ASSERT_EQ(library.InitPort(11, 115200), 11);
    Bytes receive(VQ_RECEIVE_CAPACITY);
    int length = 0;
    const Bytes request = Hex("FF 0C");
    ASSERT_EQ(library.Polling(11, 2, request.data(), &length, receive.data(), 3000), VQ_OK);
    receive.resize(static_cast<std::size_t>(length));
    EXPECT_EQ(receive, Ok("VAN=RIVI_RV00012345_C0100_R0100_ABCDEFGHIJKL"));
    library.ClosePort(11);

    kill(pid, SIGTERM);
    int status = -1;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(Exists(link));
    std::ostringstream log;
    log << std::ifstream(errors).rdbuf();
    EXPECT_NE(log.str().find("RX 02 00 02 FF 0C 03 F2"), std::string::npos) << log.str();
    EXPECT_NE(log.str().find("stopped"), std::string::npos) << log.str();
}

TEST(ReaderSimProgram, RefusesABadOptionWithoutLinkingAnythingAndHelpsOnRequest) {
    testsupport::TempFolder folder;
    const auto [code, output] = RunProgram(std::string(READER_SIM_PROGRAM) + " --program-folder '" +
                                           folder.Path().string() + "' --restart-ms soon");
    EXPECT_EQ(code, 2);
    EXPECT_NE(output.find("--restart-ms: \"soon\" is not a number"), std::string::npos) << output;
    EXPECT_FALSE(Exists(folder.Path() / "ports"));
    const auto [helpCode, help] = RunProgram(std::string(READER_SIM_PROGRAM) + " --help");
    EXPECT_EQ(helpCode, 0);
    EXPECT_NE(help.find("--vanish-after-block"), std::string::npos);
}

TEST(MakeSampleImageProgram, WritesAnImageOfTheSizeWithTheVersionOrRefusesAndWritesNothing) {
    for (auto [size, version, made] :
         {std::tuple{"70000", "160101", true}, std::tuple{"10", "160101", false},
          std::tuple{"1000", "16-01", false}, std::tuple{"16776961", "1", false},
          std::tuple{"1k", "1", false}}) {
        SCOPED_TRACE(std::string(size) + " " + version);
        testsupport::TempFolder folder;
        const auto image = folder.Path() / "MakeEncryptFW_RIVI_OIL-ABCDEFGHIJKL-160101.bin";
        const auto [code, output] =
            RunProgram(std::string(MAKE_SAMPLE_IMAGE_PROGRAM) + " --size " + size + " --version " +
                       version + " --output '" + image.string() + "'");
        EXPECT_EQ(code, made ? 0 : 2);
        if (!made) {
            EXPECT_NE(output.find("make-sample-image: "), std::string::npos) << output;
            EXPECT_FALSE(Exists(image));
            continue;
        }
        std::ifstream file(image, std::ios::binary);
        const Bytes bytes{std::istreambuf_iterator<char>(file), {}};
        ASSERT_EQ(bytes.size(), 70000u);
        EXPECT_EQ(sim::FindImageVersion(bytes), "160101");
    }
}

} // namespace
} // namespace simtest
