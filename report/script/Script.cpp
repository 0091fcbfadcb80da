#include "report/script/Script.h"

#include "report/script/detail/Languages.h"
#include "report/script/sc_ibasic.h"
#include "report/script/sc_icpp.h"
#include "report/script/sc_iilparser.h"
#include "report/script/sc_ijs.h"
#include "report/script/sc_ipascal.h"

#include <iterator>
#include <string>
#include <string_view>

namespace script {

namespace {

struct GrammarModule {
    const char* language;
    std::string_view (*grammar)();
};

constexpr GrammarModule GrammarModules[] = {
    {"ZododuVudizu", ZododuVudizuGrammar},
    {"Z++Everav", ZppEveravGrammar},
    {"RorozEdedod", RorozEdedodGrammar},
    {"JScript", JScriptGrammar},
};

// Which grammar modules have registered their language since the last finalize().
bool registered[std::size(GrammarModules)] = {};

}  // namespace

void initialize()
{
    ScriptLanguages();
    for (size_t i = 0; i < std::size(GrammarModules); ++i) {
        if (registered[i])
            continue;
        RegisterScriptLanguage(GrammarModules[i].language, std::string(GrammarModules[i].grammar()));
        registered[i] = true;
    }
}

void finalize()
{
    detail::ReleaseScriptLanguages();
    for (bool& module : registered)
        module = false;
}

}  // namespace script
