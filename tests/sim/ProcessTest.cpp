// The reader-sim and make-sample-image programs as the demo and the benchmarks run
// them: spawned, talked to through a copy of the reader-link library, stopped with
// a signal.

#include "sim/VersionMarker.h"
#include "tests/sim/TestBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/VexilonCopy.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace simtest {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool Exists(const fs::path& path) {
    return fs::exists(fs::symlink_status(path));
}

// A program spawned with its output and errors written to files in folder.
class Process {
public:
    Process(const fs::path& folder, std::vector<std::string> arguments) : folder_(folder) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, (folder / "out").c_str(), O_WRONLY | O_CREAT,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, (folder / "err").c_str(), O_WRONLY | O_CREAT,
                                         0600);
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Process() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    void Signal(int signal) { kill(pid_, signal); }
    // The exit code, -1 when killed by a signal.
    int Wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Output() const { return ReadFile(folder_ / "out"); }
    std::string Errors() const { return ReadFile(folder_ / "err"); }

private:
    fs::path folder_;
    pid_t pid_ = -1;
};

TEST(ReaderSimProgram, ServesAReaderUntilSigtermAndRemovesItsLink) {
    testsupport::TempFolder folder;
    testsupport::VexilonCopy library(folder.Path());
    const auto link = folder.Path() / "ports" / "COM11";
    Process sim(folder.Path(), {READER_SIM_PROGRAM, "--program-folder", folder.Path().string(),
                                "--port", "11", "--model", "ABCDEFGHIJKL", "--log"});
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

    sim.Signal(SIGTERM);
    EXPECT_EQ(sim.Wait(), 0);
    EXPECT_FALSE(Exists(link));
    EXPECT_NE(sim.Errors().find("RX 02 00 02 FF 0C 03 F2"), std::string::npos) << sim.Errors();
    EXPECT_NE(sim.Errors().find("stopped"), std::string::npos) << sim.Errors();
}

TEST(ReaderSimProgram, RefusesABadOptionWithoutLinkingAnythingAndHelpsOnRequest) {
    testsupport::TempFolder folder;
    Process bad(folder.Path(), {READER_SIM_PROGRAM, "--program-folder", folder.Path().string(),
                                "--restart-ms", "soon"});
    EXPECT_EQ(bad.Wait(), 2);
    EXPECT_NE(bad.Errors().find("--restart-ms: \"soon\" is not a number"), std::string::npos)
        << bad.Errors();
    EXPECT_FALSE(Exists(folder.Path() / "ports"));

    Process help(folder.Path(), {READER_SIM_PROGRAM, "--help"});
    EXPECT_EQ(help.Wait(), 0);
    EXPECT_NE(help.Output().find("--vanish-after-block"), std::string::npos);
}

TEST(MakeSampleImageProgram, WritesAnImageOfTheSizeWithTheVersionOrRefusesAndWritesNothing) {
    for (auto [size, version, made] :
         {std::tuple{"70000", "160101", true}, std::tuple{"10", "160101", false},
          std::tuple{"1000", "16-01", false}, std::tuple{"16776961", "1", false},
          std::tuple{"1k", "1", false}}) {
        SCOPED_TRACE(std::string(size) + " " + version);
        testsupport::TempFolder folder;
        const auto image = folder.Path() / "MakeEncryptFW_RIVI_OIL-ABCDEFGHIJKL-160101.bin";
        Process tool(folder.Path(), {MAKE_SAMPLE_IMAGE_PROGRAM, "--size", size, "--version",
                                     version, "--output", image.string()});
        EXPECT_EQ(tool.Wait(), made ? 0 : 2);
        if (!made) {
            EXPECT_NE(tool.Errors().find("make-sample-image: "), std::string::npos);
            EXPECT_FALSE(Exists(image));
            continue;
        }
        const std::string bytes = ReadFile(image);
        ASSERT_EQ(bytes.size(), 70000u);
        EXPECT_EQ(sim::FindImageVersion(Bytes(bytes.begin(), bytes.end())), "160101");
    }
}

} // namespace
} // namespace simtest
