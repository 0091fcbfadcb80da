#include "platform/classes/ResourceStrings.h"

#include "platform/classes/Resources.h"

#include <atomic>

namespace classes {

namespace {

std::atomic<TResStringLoader> loader{&DefaultLoadResString};

}  // namespace

std::string DefaultLoadResString(const TResStringRec& rec)
{
    if (!rec.name.empty())
        return std::string(rec.text);
    std::optional<std::string_view> stored = FindResource(rec.id, RT_STRING);
    return stored ? std::string(*stored) : std::string();
}

TResStringLoader SetResStringLoader(TResStringLoader replacement)
{
    return loader.exchange(replacement ? replacement : &DefaultLoadResString);
}

std::string LoadResString(const TResStringRec& rec)
{
    return loader.load()(rec);
}

std::string LoadStr(int id)
{
    return LoadResString(NumberedResString(id));
}

std::string FmtLoadStr(int id, std::initializer_list<rtl::FormatArg> args)
{
    return rtl::Format(LoadStr(id), args);
}

}  // namespace classes
