#include "components/KitFiler.h"

#include "platform/rtl/Numbers.h"

namespace components {

const classes::TClassInfo& TKitAbstractStore::StaticClass()
{
    static const classes::TClassInfo info("TKitAbstractStore", &TKitComponent::StaticClass());
    return info;
}

void TKitAbstractStore::Open()
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

void TKitAbstractStore::Close()
{
    if (openCount_ > 0 && --openCount_ == 0)
        CloseBackingStore();
}

void TKitAbstractStore::EraseSection(const std::string&)
{
}

bool TKitAbstractStore::ReadBoolean(const std::string& section, const std::string& item, bool defaultValue)
{
    return ReadString(section, item, defaultValue ? "1" : "0").starts_with('1');
}

std::int32_t TKitAbstractStore::ReadInteger(const std::string& section, const std::string& item,
                                            std::int32_t defaultValue)
{
    return rtl::StrToIntDef(ReadString(section, item, rtl::IntToStr(defaultValue)), defaultValue);
}

void TKitAbstractStore::WriteBoolean(const std::string& section, const std::string& item, bool value)
{
    WriteString(section, item, value ? "1" : "0");
}

void TKitAbstractStore::WriteInteger(const std::string& section, const std::string& item, std::int32_t value)
{
    WriteString(section, item, rtl::IntToStr(value));
}

}  // namespace components
