#pragma once
// The analysis window's English texts that the comparison and the payback look up.

#include "analysis/Texts.h"

namespace analysis_test {

inline const analysis::FixedTextSource& EnglishTexts()
{
    static const analysis::FixedTextSource texts({
        {"IDS_115", "Payback Estimation: Fan Application "},
        {"IDS_120", "Payback Estimation: Pump Application "},
        {"IDS_125", "No Speed Control"},
        {"IDS_126", "Variable Speed Drive"},
        {"IDS_127", "Outlet Damper Control"},
        {"IDS_128", "Inlet Vane Control"},
        {"IDS_188", "Throttling Valve Control"},
        {"IDS_172", "Never"},
        {"IDS_173", " Years"},
    });
    return texts;
}

}  // namespace analysis_test
