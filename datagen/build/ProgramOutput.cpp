#include "datagen/build/ProgramOutput.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "datagen/build/AttributeInventory.h"

extern char** environ;

namespace pv {

std::string ProgramOutput(const std::vector<std::string>& argv) {
    if (argv.empty()) throw SourceError("no program to run");
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw SourceError(std::string("pipe: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0].c_str(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        throw SourceError("cannot run " + argv[0] + ": " + std::strerror(rc));
    }
    std::string output;
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0) output.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR) break;
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw SourceError(argv[0] + " failed on " + (argv.size() > 1 ? argv.back() : std::string()));
    return output;
}

}  // namespace pv
