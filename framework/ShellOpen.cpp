#include "framework/ShellOpen.h"

#include <cerrno>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

bool ShellOpen(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) {
        return false; // as ShellExecute reports a missing file
    }
    // The shell starts the opener in the background and exits at once, so the
    // viewer is never our child and we never wait for it.
    const char* script = "command -v xdg-open >/dev/null 2>&1 || exit 127\n"
                         "xdg-open \"$1\" >/dev/null 2>&1 </dev/null &";
    const char* argv[] = {"sh", "-c", script, "sh", path.c_str(), nullptr};
    pid_t shell = 0;
    if (::posix_spawn(&shell, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) !=
        0) {
        return false;
    }
    int status = 0;
    while (::waitpid(shell, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
