#pragma once
// Ending the program on a fatal error. Code that must stop the program (a definition error, the
// global exception handler) calls EndProgram; what ending means is a replaceable handler, so tests can
// observe the call instead of losing their process.

#include "platform/rtl/Exceptions.h"

#include <functional>
#include <string>

namespace rtl {

// Raised by EndProgram when the installed handler returns instead of ending the process. It derives
// from the silent EAbort, so handlers that report errors let it pass without a message.
class EProgramEnd : public EAbort {
public:
    explicit EProgramEnd(int exitCode)
        : EAbort("The program was ended with exit code " + std::to_string(exitCode)), exitCode_(exitCode)
    {
    }
    int ExitCode() const noexcept { return exitCode_; }
    const char* ClassName() const noexcept override { return "EProgramEnd"; }

private:
    int exitCode_;
};

using ProgramEndHandler = std::function<void(int exitCode)>;

// Calls the installed handler with exitCode. The default handler flushes the standard streams and
// ends the process with exitCode. A handler that returns (as a test's recording handler does) makes
// EndProgram raise EProgramEnd, so the caller never goes on as if nothing had happened.
[[noreturn]] void EndProgram(int exitCode);

// Installs handler (empty restores the default) and returns the one installed before.
ProgramEndHandler SetProgramEndHandler(ProgramEndHandler handler);

// Installs a handler for the lifetime of the guard.
class ScopedProgramEndHandler {
public:
    explicit ScopedProgramEndHandler(ProgramEndHandler handler)
        : previous_(SetProgramEndHandler(std::move(handler)))
    {
    }
    ~ScopedProgramEndHandler() { SetProgramEndHandler(std::move(previous_)); }
    ScopedProgramEndHandler(const ScopedProgramEndHandler&) = delete;
    ScopedProgramEndHandler& operator=(const ScopedProgramEndHandler&) = delete;

private:
    ProgramEndHandler previous_;
};

}  // namespace rtl
