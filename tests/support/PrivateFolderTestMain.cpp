#include "framework/UiSession.h"
#include "readerlink/VexilonDll.h"
#include "tests/support/PrivateProgramFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Window tests that probe COM ports. Every run gets a program folder of its own:
// the reader-link library is copied into a fresh folder and this program runs a
// second time with that copy loaded (the loader's search path comes before the
// program's run path). Its ports/COM<n> links then meet neither another test
// program's readers nor the links of a demo in the shared program folder.

std::filesystem::path PrivateProgramFolder() {
    const char* folder = std::getenv(kProgramFolderVariable);
    return folder == nullptr ? std::filesystem::path{} : std::filesystem::path(folder);
}

std::filesystem::path LoadedVexilonFile() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&VQ_Polling), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    std::error_code error;
    const std::filesystem::path file = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::filesystem::path{} : file;
}

namespace {

int RunInPrivateFolder(char** argv) {
    const std::filesystem::path library = LoadedVexilonFile();
    std::string pattern = (std::filesystem::temp_directory_path() / "brimlet-XXXXXX").string();
    if (library.empty() || mkdtemp(pattern.data()) == nullptr) {
        std::perror("cannot prepare a private program folder");
        return EXIT_FAILURE;
    }
    const std::filesystem::path folder = pattern;
    std::filesystem::copy_file(library, folder / library.filename());

    const pid_t child = fork();
    if (child == 0) {
        const char* inherited = std::getenv("LD_LIBRARY_PATH");
        const std::string searchPath =
            folder.string() + (inherited != nullptr ? std::string(":") + inherited : "");
        setenv("LD_LIBRARY_PATH", searchPath.c_str(), 1);
        setenv(kProgramFolderVariable, folder.c_str(), 1);
        execv("/proc/self/exe", argv);
        std::perror("cannot run the tests again");
        _exit(EXIT_FAILURE);
    }
    int status = 0;
    const bool waited = child > 0 && waitpid(child, &status, 0) == child;
    std::filesystem::remove_all(folder);
    if (!waited) {
        return EXIT_FAILURE;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv(kProgramFolderVariable) == nullptr) {
        return RunInPrivateFolder(argv);
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    UiSession session;
    return RUN_ALL_TESTS();
}
