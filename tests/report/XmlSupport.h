#pragma once
// Reading and writing XML documents from and to strings, and the tree of a document as one comparable
// text.

#include "report/rptXML.h"

#include <string>

namespace report_test {

// The declaration every document the report library writes starts with.
inline const std::string kXmlHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

inline std::string Saved(const report::TrptXMLDocument& document)
{
    rtl::TStringStream stream;
    document.SaveToStream(stream);
    return stream.DataString();
}

inline void Load(report::TrptXMLDocument& document, const std::string& text)
{
    rtl::TStringStream stream(text);
    document.LoadFromStream(stream);
}

// Every item as "name[text]" with its children in braces.
inline std::string Tree(const report::TrptXMLItem& item)
{
    std::string tree = item.Name() + "[" + item.Text() + "]";
    if (item.Count() == 0)
        return tree;
    tree += "{";
    for (int i = 0; i < item.Count(); ++i)
        tree += (i ? " " : "") + Tree(item.Items(i));
    return tree + "}";
}

// Every item as "name[text]", in document order.
inline std::string Items(const report::TrptXMLItem& item)
{
    std::string items = item.Name() + "[" + item.Text() + "]\n";
    for (int i = 0; i < item.Count(); ++i)
        items += Items(item.Items(i));
    return items;
}

}  // namespace report_test
