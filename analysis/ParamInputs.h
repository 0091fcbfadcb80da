#pragma once
// The estimate's inputs taken from the parameter table instead of the analysis window: the texts the
// window's edits would show for the parameters, and the options the loader sets at start-up from them.
// Tools and benchmarks compute the default project's estimate through these.

#include "analysis/Calculation.h"

#include <string>

namespace analysis {

// The curves and the custom-control switches follow the parameters; the titles are the built-in ones.
void LoadOptionsFromParams();

// The text the analysis window's edit shows for parameter number.
std::string ParamText(int number);

// Copies the duty-cycle texts as the window's check does; true when they total 100.
bool CheckDutyCycleTotal();

class ParamInputs final : public RivuveInputs {
public:
    std::string EditText(InputEdit edit) const override { return ParamText(int(edit) - 100); }
    std::string DutyCycleText(int flowPoint) const override;
};

}  // namespace analysis
