#include "report/rptCustomEngine.h"

#include "report/detail/FactorySlot.h"

namespace report {

namespace {

detail::FactorySlot<TrptEngineFactory>& EngineFactory()
{
    static detail::FactorySlot<TrptEngineFactory> slot;
    return slot;
}

}  // namespace

const classes::TClassInfo& TrptCustomEngine::StaticClass()
{
    static const classes::TClassInfo info("TrptCustomEngine", &classes::TPersistent::StaticClass());
    return info;
}

void SetEngineFactory(TrptEngineFactory factory)
{
    EngineFactory().Set(std::move(factory));
}

std::unique_ptr<TrptCustomEngine> CreateEngine(TrptReport& report)
{
    const TrptEngineFactory factory = EngineFactory().Get();
    return factory ? factory(report) : nullptr;
}

}  // namespace report
