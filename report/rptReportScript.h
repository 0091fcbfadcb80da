#pragma once
// The report's script as the report sees it: what a preparation asks of it (prepare and compile, run the
// main block, stop), the calls of script procedures for events, and the script engine's messages. The
// script library stays below the report library and knows nothing of it; the expression part sets the
// factory at start-up with a class that binds a report to a real script.

#include "platform/rtl/Variant.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace classes {
class TObject;
}

namespace report {

class TrptReport;

// The texts of the script engine's 17 messages, by these resource names, in this order.
inline constexpr std::array<const char*, 17> kScriptMessageNames = {
    "SLangNotFound",   "SInvalidLanguage", "SIdRedeclared",    "SUnknownType", "SIncompatibleTypes",
    "SIdUndeclared",   "SClassRequired",   "SIndexRequired",   "SStringError", "SClassError",
    "SArrayRequired",  "SVarRequired",     "SNotEnoughParams", "STooManyParams", "SLeftCantAssigned",
    "SForError",       "SEventError"};
using TrptScriptMessages = std::array<std::string, kScriptMessageNames.size()>;

class TrptReportScript {
public:
    TrptReportScript();
    virtual ~TrptReportScript();
    TrptReportScript(const TrptReportScript&) = delete;
    TrptReportScript& operator=(const TrptReportScript&) = delete;

    // Binds the report's objects and functions and compiles its script text in its language; false, with
    // the message added to the report's Errors, when it does not compile.
    virtual bool Prepare() = 0;
    // Whether the compiled main block holds at least one statement.
    virtual bool MainBlockHasStatements() const = 0;
    virtual void Execute() = 0;
    // Stops a running script.
    virtual void Terminate() = 0;
    // The procedure called with one argument, the object.
    virtual void CallProcedure(const std::string& name, classes::TObject* object) = 0;
    // The procedure called with the elements of a Variant array; its var parameters come back into them.
    virtual void CallProcedure(const std::string& name, rtl::Variant& params) = 0;
    // The engine's messages in the current language.
    virtual void ReceiveMessages(const TrptScriptMessages& messages) = 0;
};

using TrptReportScriptFactory = std::function<std::unique_ptr<TrptReportScript>(TrptReport& report)>;

// Installs the factory (null: reports get no script); the library's initialize() and finalize() remove it.
void SetReportScriptFactory(TrptReportScriptFactory factory);
// The report's script with the current messages; null without a factory.
std::unique_ptr<TrptReportScript> CreateReportScript(TrptReport& report);

// The messages every script gets: they reach every script that exists at once, and every new one.
void SetScriptMessages(const TrptScriptMessages& messages);
TrptScriptMessages CurrentScriptMessages();

}  // namespace report
