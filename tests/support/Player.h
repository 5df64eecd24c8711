#pragma once
// Runs part of a test as an ordinary player: in a child process that, when the tests run as root (as
// they do on CI), gives up root's right to write anywhere and becomes the unprivileged "nobody".
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace testsupport {

constexpr uid_t kPlayerId = 65534;

// The body's result is the child's exit status; -1 when it did not exit normally, 97 when it could
// not become the player.
inline int RunAsPlayer(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kPlayerId) != 0 || setuid(kPlayerId) != 0)) {
            _exit(97);
        }
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A folder the player may write in: made, opened to everyone's reading and, under root, given away.
inline void MakePlayerFolder(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    ::chmod(folder.c_str(), 0755);
    if (geteuid() == 0 && ::chown(folder.c_str(), kPlayerId, kPlayerId) != 0) return;
}

}  // namespace testsupport
