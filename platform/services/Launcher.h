#pragma once
// Starting other programs. Every desktop service (opening documents and web addresses, mail, help, the
// calculator) starts its program through the installed launcher, always with an argument vector and
// never through a shell, so no text the program was given can turn into a command or an option of
// another program. Tests install RecordingLauncher to see what would have been started.

#include <chrono>
#include <string>
#include <vector>

namespace win {

// How a program run with a time limit ended.
struct RunResult {
    enum Kind {
        NotStarted,    // not found or not startable
        Exited,        // code is its exit status
        Signalled,     // code is the signal that ended it
        StillRunning,  // it outlived the limit; it goes on and is reaped when it ends
    } kind = NotStarted;
    int code = 0;
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // The full name of the program: name itself when it holds a '/', else the first executable file of
    // that name in the PATH's folders; empty when there is none.
    virtual std::string FindProgram(const std::string& name) const;
    // Starts argv[0] (found as FindProgram finds it) and leaves it running; false when it cannot start.
    virtual bool Start(const std::vector<std::string>& argv) = 0;
    // Starts argv[0] and waits for its end, at most limit.
    virtual RunResult Run(const std::vector<std::string>& argv, std::chrono::milliseconds limit) = 0;
};

// The system's launcher: the program gets /dev/null as its input, the program's own output streams and
// no other open descriptor. A program that cannot be found is reported on the error stream, once for
// each name.
class SystemLauncher final : public Launcher {
public:
    bool Start(const std::vector<std::string>& argv) override;
    RunResult Run(const std::vector<std::string>& argv, std::chrono::milliseconds limit) override;
};

// Starts nothing: records every call and answers from a script, in order; with the script used up Run
// answers an exit with status 0 and Start true. Programs are found on the PATH like the system's.
class RecordingLauncher final : public Launcher {
public:
    struct Call {
        enum Kind { Start, Run } kind;
        std::vector<std::string> argv;
        bool operator==(const Call&) const = default;
    };

    void Answer(RunResult result) { script_.push_back(result); }
    const std::vector<Call>& Calls() const { return calls_; }
    void Clear() { calls_.clear(); }

    bool Start(const std::vector<std::string>& argv) override;
    RunResult Run(const std::vector<std::string>& argv, std::chrono::milliseconds limit) override;

private:
    RunResult Next();

    std::vector<RunResult> script_;
    std::vector<Call> calls_;
};

Launcher& CurrentLauncher();
// Installs launcher (null restores the system's) and returns the one installed before.
Launcher* SetLauncher(Launcher* launcher);

class ScopedLauncher {
public:
    explicit ScopedLauncher(Launcher& launcher) : previous_(SetLauncher(&launcher)) {}
    ~ScopedLauncher() { SetLauncher(previous_); }
    ScopedLauncher(const ScopedLauncher&) = delete;
    ScopedLauncher& operator=(const ScopedLauncher&) = delete;

private:
    Launcher* previous_;
};

}  // namespace win
