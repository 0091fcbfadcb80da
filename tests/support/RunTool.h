#pragma once
// Outside tools for tests: finding one on the PATH (and in the system folders), and running one with an
// argument vector (no shell), the given bytes on its standard input, its output and exit code back. A tool
// that cannot be started exits with 127.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

extern char** environ;

namespace testsupport {

// The full name of a program on the PATH, or in /usr/sbin or /sbin, which a user's PATH may lack.
inline std::optional<std::string> FindProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    const std::string folders = std::string(path ? path : "/usr/bin:/bin") + ":/usr/sbin:/sbin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::filesystem::path candidate = std::filesystem::path(folders.substr(start, end - start)) / name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
        start = end + 1;
    }
    return std::nullopt;
}

struct ToolResult {
    int exitCode = -1;
    std::string output;
};

enum class ToolErrors { Apart, Joined };

// errors Joined: the tool's standard error is collected with its output.
inline ToolResult RunTool(const std::vector<std::string>& argv, std::string_view input = {},
                          ToolErrors errors = ToolErrors::Apart)
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
    if (errors == ToolErrors::Joined)
        ::posix_spawn_file_actions_adddup2(&actions, out[1], 2);
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

// Runs program with arguments, its standard output and error together.
inline ToolResult RunProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunTool(argv, {}, ToolErrors::Joined);
}

}  // namespace testsupport
