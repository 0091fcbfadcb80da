#pragma once
// Runs an outside tool for a test: an argument vector (no shell), the given bytes on its standard input,
// its standard output and exit code back. A tool that cannot be started exits with 127.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

extern char** environ;

namespace testsupport {

struct ToolResult {
    int exitCode = -1;
    std::string output;
};

inline ToolResult RunTool(const std::vector<std::string>& argv, std::string_view input = {})
{
    // A tool that stops reading early must not end the test.
    std::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make pipes");
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    ToolResult result;
    if (spawned != 0) {
        ::close(in[1]);
        ::close(out[0]);
        result.exitCode = 127;
        return result;
    }
    // Written from another thread, so a tool that answers while it reads never blocks on a full pipe.
    std::thread writer([fd = in[1], input] {
        std::size_t done = 0;
        while (done < input.size()) {
            const ssize_t n = ::write(fd, input.data() + done, input.size() - done);
            if (n <= 0)
                break;
            done += std::size_t(n);
        }
        ::close(fd);
    });
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        result.output.append(buffer, std::size_t(n));
    ::close(out[0]);
    writer.join();
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace testsupport
