#include "components/OvcFiler.h"

#include "platform/rtl/Numbers.h"

namespace components {

const classes::TClassInfo& TOvcAbstractStore::StaticClass()
{
    static const classes::TClassInfo info("TOvcAbstractStore", &TOvcComponent::StaticClass());
    return info;
}

void TOvcAbstractStore::Open()
{
    if (++openCount_ != 1)
        return;
    try {
        OpenBackingStore();
    } catch (...) {
        // A store whose backing never opened must not count as open, or the next Close would close
        // what is not there.
        openCount_ = 0;
        throw;
    }
}

void TOvcAbstractStore::Close()
{
    if (openCount_ > 0 && --openCount_ == 0)
        CloseBackingStore();
}

void TOvcAbstractStore::EraseSection(const std::string&)
{
}

bool TOvcAbstractStore::ReadBoolean(const std::string& section, const std::string& item, bool defaultValue)
{
    return ReadString(section, item, defaultValue ? "1" : "0").starts_with('1');
}

std::int32_t TOvcAbstractStore::ReadInteger(const std::string& section, const std::string& item,
                                            std::int32_t defaultValue)
{
    return rtl::StrToIntDef(ReadString(section, item, rtl::IntToStr(defaultValue)), defaultValue);
}

void TOvcAbstractStore::WriteBoolean(const std::string& section, const std::string& item, bool value)
{
    WriteString(section, item, value ? "1" : "0");
}

void TOvcAbstractStore::WriteInteger(const std::string& section, const std::string& item, std::int32_t value)
{
    WriteString(section, item, rtl::IntToStr(value));
}

}  // namespace components
