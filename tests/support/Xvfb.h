#pragma once
// A private X server for tests that need a real display: Xvfb on a display number it picks itself
// (-displayfd), stopped with SIGTERM and waited for. Tools of the tests run in the background with an
// argument vector and end the same way.

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <memory>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/RunTool.h"

extern char** environ;

namespace testsupport {

// A program running in the background, its output thrown away; ended when this goes.
class Background {
public:
    explicit Background(const std::vector<std::string>& argv)
    {
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        if (::posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0)
            pid_ = 0;
        ::posix_spawn_file_actions_destroy(&actions);
    }
    ~Background() { Stop(); }
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    bool Started() const { return pid_ != 0; }
    // Whether the program has ended by itself.
    bool Exited()
    {
        int status = 0;
        if (pid_ != 0 && ::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = 0;
            exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return true;
        }
        return pid_ == 0;
    }
    // The exit status once Exited() has answered true; -1 when a signal ended the program.
    int ExitStatus() const { return exitStatus_; }
    void Stop()
    {
        if (pid_ != 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = 0;
        }
    }

private:
    pid_t pid_ = 0;
    int exitStatus_ = -1;
};

class XvfbServer {
public:
    XvfbServer()
    {
        const char* previous = std::getenv("DISPLAY");
        previousDisplay_ = previous ? previous : "";
        hadDisplay_ = previous != nullptr;
        if (!FindProgram("Xvfb")) {
            skipReason_ = "Xvfb is not installed";
            return;
        }
        int fds[2];
        if (::pipe(fds) != 0) {
            skipReason_ = "cannot make a pipe for Xvfb";
            return;
        }
        // The write end goes to Xvfb (it has no close-on-exec flag); the read end stays here.
        ::fcntl(fds[0], F_SETFD, FD_CLOEXEC);
        server_ = std::make_unique<Background>(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]),
                                                                         "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        ::close(fds[1]);
        std::string number;
        pollfd wait{fds[0], POLLIN, 0};
        while (server_->Started() && ::poll(&wait, 1, 10000) > 0) {
            char ch;
            if (::read(fds[0], &ch, 1) != 1 || ch == '\n')
                break;
            number += ch;
        }
        ::close(fds[0]);
        if (number.empty()) {
            server_.reset();
            skipReason_ = "Xvfb did not report a display within 10 s";
            return;
        }
        display_ = ":" + number;
        ::setenv("DISPLAY", display_.c_str(), 1);
    }
    ~XvfbServer()
    {
        server_.reset();
        if (hadDisplay_)
            ::setenv("DISPLAY", previousDisplay_.c_str(), 1);
        else
            ::unsetenv("DISPLAY");
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Empty when the server runs.
    const std::string& SkipReason() const { return skipReason_; }
    const std::string& Display() const { return display_; }

private:
    std::unique_ptr<Background> server_;
    std::string skipReason_;
    std::string display_;
    std::string previousDisplay_;
    bool hadDisplay_ = false;
};

}  // namespace testsupport
