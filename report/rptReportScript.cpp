#include "report/rptReportScript.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace report {

namespace {

// The lock is held while messages are delivered, so no script goes away in the middle; it is recursive
// for a script that makes or frees another one while it takes them.
struct Scripts {
    std::recursive_mutex mutex;
    TrptReportScriptFactory factory;
    TrptScriptMessages messages;
    std::vector<TrptReportScript*> alive;
};

Scripts& TheScripts()
{
    static Scripts scripts;
    return scripts;
}

}  // namespace

TrptReportScript::TrptReportScript()
{
    Scripts& scripts = TheScripts();
    std::lock_guard lock(scripts.mutex);
    scripts.alive.push_back(this);
}

TrptReportScript::~TrptReportScript()
{
    Scripts& scripts = TheScripts();
    std::lock_guard lock(scripts.mutex);
    std::erase(scripts.alive, this);
}

void SetReportScriptFactory(TrptReportScriptFactory factory)
{
    Scripts& scripts = TheScripts();
    std::lock_guard lock(scripts.mutex);
    scripts.factory = std::move(factory);
}

std::unique_ptr<TrptReportScript> CreateReportScript(TrptReport& report)
{
    TrptReportScriptFactory factory;
    {
        Scripts& scripts = TheScripts();
        std::lock_guard lock(scripts.mutex);
        factory = scripts.factory;
    }
    std::unique_ptr<TrptReportScript> script = factory ? factory(report) : nullptr;
    if (script)
        script->ReceiveMessages(CurrentScriptMessages());
    return script;
}

void SetScriptMessages(const TrptScriptMessages& messages)
{
    Scripts& scripts = TheScripts();
    std::lock_guard lock(scripts.mutex);
    scripts.messages = messages;
    const std::vector<TrptReportScript*> alive = scripts.alive;
    for (TrptReportScript* script : alive)
        script->ReceiveMessages(messages);
}

TrptScriptMessages CurrentScriptMessages()
{
    Scripts& scripts = TheScripts();
    std::lock_guard lock(scripts.mutex);
    return scripts.messages;
}

}  // namespace report
