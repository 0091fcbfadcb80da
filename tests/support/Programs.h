#pragma once
// Outside programs for tests: finding one on the PATH (and in the system folders), and running one with
// an argument vector, its output collected.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
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

struct ProgramResult {
    int status = -1;  // the exit status; -1 when it could not be run or did not exit
    std::string output;  // standard output and error together
};

// Runs program (a full name) with arguments and waits for it.
inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    std::string name = (std::filesystem::temp_directory_path() / "rivuve-program-XXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return {};
    ::close(fd);
    const char* pattern = name.c_str();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, pattern, O_WRONLY | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ProgramResult result;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream in(pattern, std::ios::binary);
    result.output.assign(std::istreambuf_iterator<char>(in), {});
    ::unlink(pattern);
    return result;
}

}  // namespace testsupport
