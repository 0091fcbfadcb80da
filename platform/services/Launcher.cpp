#include "platform/services/Launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>

extern char** environ;

namespace win {

namespace {

bool IsExecutableFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Says once for each name that a program is missing, so a user who clicks a link ten times learns why
// nothing happens without ten copies of the line.
void ReportMissing(const std::string& name)
{
    static std::mutex mutex;
    static std::set<std::string> reported;
    std::lock_guard lock(mutex);
    if (reported.insert(name).second)
        std::fprintf(stderr, "The program \"%s\" cannot be found or started.\n", name.c_str());
}

// The child's process id, or -1 (reported) when it cannot start.
pid_t Spawn(const Launcher& launcher, const std::vector<std::string>& argv, bool ownSession)
{
    if (argv.empty() || argv[0].empty())
        return -1;
    const std::string program = launcher.FindProgram(argv[0]);
    if (program.empty()) {
        ReportMissing(argv[0]);
        return -1;
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (ownSession)
        flags |= POSIX_SPAWN_SETSID;
    posix_spawnattr_setflags(&attributes, flags);

    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, program.c_str(), &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        ReportMissing(argv[0]);
        return -1;
    }
    return pid;
}

// A program left running is waited for by a thread of its own, so it leaves no zombie behind.
void ReapLater(pid_t pid)
{
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

}  // namespace

std::string Launcher::FindProgram(const std::string& name) const
{
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return IsExecutableFile(name) ? name : std::string();
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    for (size_t start = 0; start <= folders.size();) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        // An empty entry would mean the current folder: a program planted there is not searched for.
        if (end > start && folders[start] == '/') {
            std::string candidate = folders.substr(start, end - start) + "/" + name;
            if (IsExecutableFile(candidate))
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

bool SystemLauncher::Start(const std::vector<std::string>& argv)
{
    const pid_t pid = Spawn(*this, argv, true);
    if (pid < 0)
        return false;
    ReapLater(pid);
    return true;
}

RunResult SystemLauncher::Run(const std::vector<std::string>& argv, std::chrono::milliseconds limit)
{
    const pid_t pid = Spawn(*this, argv, false);
    if (pid < 0)
        return {};
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            if (WIFEXITED(status))
                return {RunResult::Exited, WEXITSTATUS(status)};
            return {RunResult::Signalled, WTERMSIG(status)};
        }
        if (done < 0 && errno != EINTR)
            return {RunResult::Exited, 127};
        if (std::chrono::steady_clock::now() >= end) {
            ReapLater(pid);
            return {RunResult::StillRunning, 0};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

RunResult RecordingLauncher::Next()
{
    if (script_.empty())
        return {RunResult::Exited, 0};
    RunResult next = script_.front();
    script_.erase(script_.begin());
    return next;
}

bool RecordingLauncher::Start(const std::vector<std::string>& argv)
{
    calls_.push_back({Call::Start, argv});
    return Next().kind != RunResult::NotStarted;
}

RunResult RecordingLauncher::Run(const std::vector<std::string>& argv, std::chrono::milliseconds)
{
    calls_.push_back({Call::Run, argv});
    return Next();
}

namespace {

SystemLauncher systemLauncher;
std::atomic<Launcher*> currentLauncher{&systemLauncher};

}  // namespace

Launcher& CurrentLauncher()
{
    return *currentLauncher.load();
}

Launcher* SetLauncher(Launcher* launcher)
{
    return currentLauncher.exchange(launcher ? launcher : &systemLauncher);
}

}  // namespace win
