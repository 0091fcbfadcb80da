#include "platform/rtl/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace rtl {

namespace {

ProgramEndHandler& InstalledHandler()
{
    static ProgramEndHandler handler;
    return handler;
}

void EndProcess(int exitCode)
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::exit(exitCode);
}

}  // namespace

void EndProgram(int exitCode)
{
    // A copy, so a handler that installs another one while running stays alive until it returns.
    ProgramEndHandler handler = InstalledHandler();
    if (handler)
        handler(exitCode);
    else
        EndProcess(exitCode);
    throw EProgramEnd(exitCode);
}

ProgramEndHandler SetProgramEndHandler(ProgramEndHandler handler)
{
    ProgramEndHandler previous = std::move(InstalledHandler());
    InstalledHandler() = std::move(handler);
    return previous;
}

}  // namespace rtl
