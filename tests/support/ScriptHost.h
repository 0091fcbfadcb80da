#pragma once
// The script as the front end sees it, for tests, fuzz targets and benchmarks: it keeps the errors the
// parser sets and answers used units through OnGetUnit when one is given. Also the saved text of a
// script XML document.

#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"
#include "report/script/sc_iilparser.h"
#include "report/script/sc_xml.h"

#include <functional>
#include <string>

namespace testsupport {

class ScriptHost : public script::IscParserScript {
public:
    ScriptHost() { unitFolders.Add(""); }

    std::string ErrorText() const override { return errorText; }
    void SetErrorText(const std::string& text) override { errorText = text; }
    std::string ErrorPlace() const override { return errorPlace; }
    void SetErrorPlace(const std::string& place) override { errorPlace = place; }
    std::string ErrorUnitName() const override { return errorUnitName; }
    void SetErrorUnitName(const std::string& name) override { errorUnitName = name; }
    bool HighCharNames() const override { return highCharNames; }
    const rtl::TStrings& UnitFolders() const override { return unitFolders; }
    bool GetUnit(const std::string& unitName, std::string& unitText) override
    {
        if (!OnGetUnit)
            return false;
        OnGetUnit(unitName, unitText);
        return true;
    }

    std::string errorText, errorPlace, errorUnitName;
    bool highCharNames = false;
    // One empty entry, the current folder, as a script starts with.
    rtl::TStringList unitFolders;
    std::function<void(const std::string& unitName, std::string& unitText)> OnGetUnit;
};

inline std::string SavedText(const script::TscXMLDocument& document)
{
    rtl::TStringStream stream;
    document.SaveToStream(stream);
    return stream.DataString();
}

}  // namespace testsupport
