#pragma once
// The libraries a developer tool starts, in the program's order, and ends in reverse: the platform
// layer, the program's resources, the libraries of the windows, translation and the estimator (whose
// start gives the program-wide state its start values, InitGlobals).

namespace tools {

class ProgramLibraries {
public:
    enum class Reach {
        // What the estimate and the project file need: no window system.
        Estimate,
        // Everything the program's windows need, the display included.
        Windows,
    };

    // win::EDisplayError when the display cannot be opened; what was started is ended again.
    explicit ProgramLibraries(Reach reach);
    ~ProgramLibraries();
    ProgramLibraries(const ProgramLibraries&) = delete;
    ProgramLibraries& operator=(const ProgramLibraries&) = delete;

private:
    void EndPlatform();

    Reach reach_;
};

}  // namespace tools
