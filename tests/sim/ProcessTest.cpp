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

struct Finished {
    int exitCode = -1;
    std::string output;
    std::string errors;
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class Process {
public:
    Process(const std::filesystem::path& folder, std::vector<std::string> arguments)
        : output_(folder / "stdout.txt"), errors_(folder / "stderr.txt") {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output_.c_str(), O_WRONLY | O_CREAT, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, errors_.c_str(), O_WRONLY | O_CREAT, 0600);
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }

    ~Process() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    bool Started() const { return pid_ > 0; }
    void Signal(int signal) { kill(pid_, signal); }

    Finished Wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(output_), ReadFile(errors_)};
    }

private:
    std::filesystem::path output_;
    std::filesystem::path errors_;
    pid_t pid_ = -1;
};

bool Exists(const std::filesystem::path& path) {
    return std::filesystem::exists(std::filesystem::symlink_status(path));
}

TEST(ReaderSimProgram, ServesAReaderUntilSigtermAndRemovesItsLink) {
    testsupport::TempFolder folder;
    testsupport::VexilonCopy library(folder.Path());
    const auto link = folder.Path() / "ports" / "COM11";
    Process sim(folder.Path(), {READER_SIM_PROGRAM, "--program-folder", folder.Path().string(),
                                "--port", "11", "--model", "ABCDEFGHIJKL", "--log"});
    ASSERT_TRUE(sim.Started());
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
    EXPECT_EQ(receive, Concat(Hex("00"), Text("VAN=RIVI_RV00012345_C0100_R0100_ABCDEFGHIJKL")));
    library.ClosePort(11);

    sim.Signal(SIGTERM);
    const Finished finished = sim.Wait();
    EXPECT_EQ(finished.exitCode, 0);
    EXPECT_FALSE(Exists(link));
    EXPECT_NE(finished.errors.find("RX 02 00 02 FF 0C 03 F2"), std::string::npos)
        << finished.errors;
    EXPECT_NE(finished.errors.find("stopped"), std::string::npos) << finished.errors;
}

TEST(ReaderSimProgram, RefusesABadOptionWithoutLinkingAnything) {
    testsupport::TempFolder folder;
    Process sim(folder.Path(), {READER_SIM_PROGRAM, "--program-folder", folder.Path().string(),
                                "--restart-ms", "soon"});
    ASSERT_TRUE(sim.Started());
    const Finished finished = sim.Wait();
    EXPECT_EQ(finished.exitCode, 2);
    EXPECT_NE(finished.errors.find("--restart-ms: \"soon\" is not a number"), std::string::npos)
        << finished.errors;
    EXPECT_FALSE(Exists(folder.Path() / "ports"));
}

TEST(ReaderSimProgram, HelpDocumentsTheOptions) {
    testsupport::TempFolder folder;
    Process sim(folder.Path(), {READER_SIM_PROGRAM, "--help"});
    ASSERT_TRUE(sim.Started());
    const Finished finished = sim.Wait();
    EXPECT_EQ(finished.exitCode, 0);
    EXPECT_NE(finished.output.find("--vanish-after-block"), std::string::npos);
}

TEST(MakeSampleImageProgram, WritesAnImageOfTheSizeWithTheVersion) {
    testsupport::TempFolder folder;
    const auto image = folder.Path() / "MakeEncryptFW_RIVI_OIL-ABCDEFGHIJKL-160101.bin";
    Process tool(folder.Path(), {MAKE_SAMPLE_IMAGE_PROGRAM, "--size", "70000", "--version",
                                 "160101", "--output", image.string()});
    ASSERT_TRUE(tool.Started());
    EXPECT_EQ(tool.Wait().exitCode, 0);
    const std::string bytes = ReadFile(image);
    ASSERT_EQ(bytes.size(), 70000u);
    EXPECT_EQ(sim::FindImageVersion(Bytes(bytes.begin(), bytes.end())), "160101");
}

TEST(MakeSampleImageProgram, RefusesWhatItCannotMakeAndWritesNothing) {
    for (std::vector<std::string> arguments :
         {std::vector<std::string>{"--size", "10", "--version", "160101"},
          std::vector<std::string>{"--size", "1000", "--version", "16-01"},
          std::vector<std::string>{"--size", "16776961", "--version", "1"},
          std::vector<std::string>{"--size", "1k", "--version", "1"}}) {
        testsupport::TempFolder folder;
        const auto image = folder.Path() / "image.bin";
        arguments.insert(arguments.begin(), MAKE_SAMPLE_IMAGE_PROGRAM);
        arguments.push_back("--output");
        arguments.push_back(image.string());
        Process tool(folder.Path(), arguments);
        ASSERT_TRUE(tool.Started());
        const Finished finished = tool.Wait();
        EXPECT_EQ(finished.exitCode, 2) << arguments[2] << " " << arguments[4];
        EXPECT_NE(finished.errors.find("make-sample-image: "), std::string::npos);
        EXPECT_FALSE(Exists(image));
    }
}

} // namespace
} // namespace simtest
