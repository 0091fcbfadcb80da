#pragma once
// The screenshot tool's scenes of the analysis window, made as the program makes its windows, over a new
// fan project with the built-in values:
//   analysis-0 .. analysis-4  the analysis window on page 0 .. 4, reached with its Continue button
//   overview                  the calculation overview of the drive, over the results page
//   graph-style               the graph-style chooser, over the graph page

#include "platform/wintypes/Types.h"

#include <memory>
#include <string>

namespace screenshot {

class AnalysisScene {
public:
    virtual ~AnalysisScene() = default;
    // The window on top.
    virtual win::HWND Main() const = 0;
};

// Makes and shows the scene; null for a name that is not one of these.
std::unique_ptr<AnalysisScene> MakeAnalysisScene(const std::string& name);

}  // namespace screenshot
