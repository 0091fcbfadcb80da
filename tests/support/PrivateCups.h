#pragma once
// A CUPS scheduler of the test's own, in a temporary folder: it listens on a domain socket there, keeps its
// configuration, state, spool and logs there, browses nothing, and lets the user administer it. Queues
// print to files in the folder, through a pass-through filter of the folder's own (the scheduler copies
// nothing to a file device for a "-" filter). Jobs' documents stay in the spool (PreserveJobFiles) so a
// test can read what arrived. Started as CUPS's own tests run theirs (cupsd -f -c ... -s ...), ready when
// lpstat reports it (10 s), stopped with SIGTERM.
//
// The environment of the test process is the fixture's to set: CUPS_SERVER the socket, CUPS_SERVERROOT
// and HOME empty, LPDEST and PRINTER unset.

#include "tests/support/RunTool.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class PrivateCups {
public:
    PrivateCups()
    {
        const std::optional<std::string> cupsd = FindProgram("cupsd");
        lpadmin_ = FindProgram("lpadmin").value_or("");
        lpstat_ = FindProgram("lpstat").value_or("");
        if (!cupsd || lpadmin_.empty() || lpstat_.empty()) {
            missing_ = true;
            problem_ = "cupsd, lpadmin or lpstat is not installed";
            return;
        }
        std::string folder = (std::filesystem::temp_directory_path() / "rivuve-cups-XXXXXX").string();
        // A domain socket's name holds at most 107 bytes.
        if (folder.size() > 80)
            folder = "/tmp/rivuve-cups-XXXXXX";
        if (!::mkdtemp(folder.data())) {
            problem_ = "no folder for the scheduler";
            return;
        }
        folder_ = folder;
        socket_ = folder_ + "/cups.sock";
        WriteConfiguration();
        Start(*cupsd);
    }

    ~PrivateCups()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (::waitpid(pid_, &status, WNOHANG) == 0) {
                if (std::chrono::steady_clock::now() > deadline) {
                    ::kill(pid_, SIGKILL);
                    ::waitpid(pid_, &status, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        if (!folder_.empty()) {
            std::error_code error;
            std::filesystem::remove_all(folder_, error);
        }
    }
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Whether the programs are missing (the test is skipped); else what went wrong, empty when running.
    bool Missing() const { return missing_; }
    const std::string& Problem() const { return problem_; }
    const std::string& Socket() const { return socket_; }
    const std::string& Folder() const { return folder_; }

    // lpadmin -h SOCKET with arguments; its output when it fails, empty when it succeeds.
    std::string Admin(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), {"-h", socket_});
        const ToolResult result = RunProgram(lpadmin_, arguments);
        return result.exitCode == 0 ? std::string() : "lpadmin failed: " + result.output;
    }
    // A queue printing to its file from a PPD.
    std::string AddQueue(const std::string& name, const std::string& ppd) const
    {
        return Admin({"-p", name, "-E", "-v", "file://" + Output(name), "-P", ppd});
    }
    // Runs another CUPS command (cupsreject, cupsaccept ...) with -h SOCKET.
    ToolResult Command(const std::string& program, std::vector<std::string> arguments) const
    {
        const std::optional<std::string> found = FindProgram(program);
        if (!found)
            return ToolResult{-1, program + " is not installed"};
        arguments.insert(arguments.begin(), {"-h", socket_});
        return RunProgram(*found, arguments);
    }

    // The file a queue prints to.
    std::string Output(const std::string& queue) const { return folder_ + "/out/" + queue + ".out"; }
    // The document of a job as the scheduler received it.
    std::string Document(int job) const
    {
        char name[32];
        std::snprintf(name, sizeof(name), "/spool/d%05d-001", job);
        return folder_ + name;
    }
    // The files in the scheduler's temporary folder.
    std::size_t TemporaryFiles() const
    {
        std::error_code error;
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder_ + "/tmp", error)) {
            count += entry.is_regular_file() ? 1 : 0;
        }
        return count;
    }

    std::string LogTail() const
    {
        std::ifstream in(folder_ + "/log/error_log", std::ios::binary);
        const std::string log((std::istreambuf_iterator<char>(in)), {});
        return log.substr(log.size() > 4000 ? log.size() - 4000 : 0);
    }

private:
    static std::string Configured(const char* option, const char* fallback)
    {
        if (const std::optional<std::string> config = FindProgram("cups-config")) {
            std::string value = RunProgram(*config, {option}).output;
            while (!value.empty() && (value.back() == '\n' || value.back() == ' '))
                value.pop_back();
            if (!value.empty())
                return value;
        }
        return fallback;
    }

    void WriteConfiguration()
    {
        namespace fs = std::filesystem;
        for (const char* sub : {"state", "cache", "spool", "tmp", "log", "out", "bin/filter"})
            fs::create_directories(folder_ + "/" + sub);
        // The installed programs, and the queues' pass-through filter beside them.
        const std::string serverBin = Configured("--serverbin", "/usr/lib/cups");
        for (const char* sub : {"backend", "daemon", "notifier", "cgi-bin", "monitor"}) {
            std::error_code error;
            if (fs::exists(serverBin + "/" + sub, error))
                fs::create_directory_symlink(serverBin + "/" + sub, folder_ + "/bin/" + sub, error);
        }
        const std::string filter = folder_ + "/bin/filter/rivuve-passthrough";
        std::ofstream(filter) << "#!/bin/sh\n# Hands the document on unchanged.\n"
                                 "if [ -n \"$6\" ]; then exec cat \"$6\"; else exec cat; fi\n";
        ::chmod(filter.c_str(), 0755);

        // The scheduler runs its filters as User; root may not be that user, so lp (or nobody) is.
        std::string user = "lp";
        std::string group = "lp";
        if (::getuid() != 0) {
            const passwd* account = ::getpwuid(::getuid());
            const struct group* own = ::getgrgid(::getgid());
            user = account ? account->pw_name : std::to_string(::getuid());
            group = own ? own->gr_name : std::to_string(::getgid());
        } else {
            // Filters run as that user must reach the folder.
            ::chmod(folder_.c_str(), 0755);
            if (!::getpwnam("lp"))
                user = "nobody";
            if (!::getgrnam("lp"))
                group = ::getgrnam("nogroup") ? "nogroup" : "nobody";
        }
        std::ofstream(folder_ + "/cupsd.conf") << "Listen " << socket_ << "\n"
                                               << "Browsing No\nWebInterface No\nLogLevel debug\nPreserveJobFiles Yes\n"
                                                  "<Policy default>\n  <Limit All>\n    Order allow,deny\n"
                                                  "    Allow all\n  </Limit>\n</Policy>\n"
                                                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n";
        std::ofstream(folder_ + "/cups-files.conf")
            << "ServerRoot " << folder_ << "\nStateDir " << folder_ << "/state\nCacheDir " << folder_
            << "/cache\nRequestRoot " << folder_ << "/spool\nTempDir " << folder_ << "/tmp\nAccessLog " << folder_
            << "/log/access_log\nErrorLog " << folder_ << "/log/error_log\nPageLog " << folder_
            << "/log/page_log\nPrintcap " << folder_ << "/printcap\nServerBin " << folder_ << "/bin\nDataDir "
            << Configured("--datadir", "/usr/share/cups") << "\nFileDevice Yes\nUser " << user << "\nGroup " << group
            << "\n";
    }

    void Start(const std::string& cupsd)
    {
        const std::string log = folder_ + "/log/cupsd.out";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        std::vector<std::string> words{cupsd, "-f", "-c", folder_ + "/cupsd.conf", "-s", folder_ + "/cups-files.conf"};
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        const int spawned = posix_spawn(&pid_, cupsd.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            pid_ = -1;
            problem_ = "cupsd could not be started";
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            const ToolResult status = RunProgram(lpstat_, {"-h", socket_, "-r"});
            if (status.exitCode == 0 && status.output.find("scheduler is running") != std::string::npos)
                return;
            int exited = 0;
            if (::waitpid(pid_, &exited, WNOHANG) == pid_) {
                pid_ = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        std::ifstream in(log, std::ios::binary);
        problem_ = "the scheduler did not start: " + std::string(std::istreambuf_iterator<char>(in), {}) + LogTail();
    }

    bool missing_ = false;
    std::string problem_;
    std::string folder_;
    std::string socket_;
    std::string lpadmin_;
    std::string lpstat_;
    pid_t pid_ = -1;
};

}  // namespace testsupport
