#pragma once
// The RorozEdedod language: its grammar as the system registers it at start-up (lexer settings, reserved
// words, error texts, type aliases and syntax rules).

#include <string_view>

namespace script {

std::string_view RorozEdedodGrammar();

}  // namespace script
