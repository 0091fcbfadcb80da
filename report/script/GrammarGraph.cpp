#include "report/script/detail/GrammarGraph.h"

#include "platform/rtl/Collation.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <utility>

namespace script::detail {

namespace {

struct KindName {
    std::string_view name;
    ItemKind kind;
};

constexpr KindName KindNames[] = {
    {"char", ItemKind::Char},
    {"keyword", ItemKind::Keyword},
    {"ident", ItemKind::Ident},
    {"number", ItemKind::Number},
    {"string", ItemKind::String},
    {"frstring", ItemKind::FrString},
    {"eol", ItemKind::Eol},
    {"eof", ItemKind::Eof},
    {"sequence", ItemKind::Sequence},
    {"switch", ItemKind::Switch},
    {"optionalswitch", ItemKind::OptionalSwitch},
    {"loop", ItemKind::Loop},
    {"optionalloop", ItemKind::OptionalLoop},
    {"optional", ItemKind::Optional},
};

bool IsStructural(ItemKind kind)
{
    return kind >= ItemKind::Sequence;
}

// The element of each error code: parser/errors/errN text="...".
std::vector<std::pair<std::string, std::string>> ErrorTexts(const TscXMLItem& root)
{
    std::vector<std::pair<std::string, std::string>> texts;
    for (int i = 0; i < root.Count(); ++i) {
        const TscXMLItem* parser = root.Items(i);
        if (!rtl::AnsiSameText(parser->Name, "parser"))
            continue;
        for (int j = 0; j < parser->Count(); ++j) {
            const TscXMLItem* errors = parser->Items(j);
            if (!rtl::AnsiSameText(errors->Name, "errors"))
                continue;
            for (int k = 0; k < errors->Count(); ++k)
                texts.emplace_back(errors->Items(k)->Name, errors->Items(k)->Prop("text"));
            return texts;
        }
        return texts;
    }
    return texts;
}

}  // namespace

Grammar::Grammar(const TscXMLItem& root)
{
    const auto errorTexts = ErrorTexts(root);
    struct Pending {
        const TscXMLItem* element;
        GrammarItem* item;
        std::string referenceName;
    };
    std::vector<Pending> references;
    std::vector<std::pair<const TscXMLItem*, GrammarItem*>> work;

    auto make = [&](const TscXMLItem& element, bool isRule) {
        auto owned = std::make_unique<GrammarItem>();
        GrammarItem* item = owned.get();
        items_.push_back(std::move(owned));
        item->isRule = isRule;
        const std::string kindName = rtl::AnsiLowerCase(element.Name);
        if (isRule) {
            item->kind = ItemKind::Rule;
        } else {
            item->kind = ItemKind::Reference;
            for (const KindName& k : KindNames) {
                if (kindName == k.name)
                    item->kind = k.kind;
            }
            if (item->kind == ItemKind::Reference)
                references.push_back({&element, item, element.Name});
        }
        item->text = rtl::AnsiLowerCase(element.Prop("text"));
        if (!IsStructural(item->kind)) {
            item->node = rtl::AnsiLowerCase(element.Prop("node"));
            item->includesUnits = item->node == "uses";
            item->add = element.Prop("add");
            item->addText = element.Prop("addtext");
            item->hasAddText = !item->addText.empty();
        }
        const std::string err = element.Prop("err");
        if (!err.empty()) {
            item->hasErr = true;
            for (const auto& [code, message] : errorTexts) {
                if (rtl::AnsiSameText(code, err)) {
                    item->errText = message;
                    break;
                }
            }
        }
        const std::string skip = element.Prop("skip");
        item->noSkip = skip == "0";
        item->discardsError = skip == "1";
        item->term = element.Prop("term") == "1";
        work.emplace_back(&element, item);
        return item;
    };

    for (int i = 0; i < root.Count(); ++i) {
        const TscXMLItem& element = *root.Items(i);
        if (rtl::AnsiSameText(element.Name, "parser") || rtl::AnsiSameText(element.Name, "types"))
            continue;
        const GrammarItem* rule = make(element, true);
        rules_.push_back({element.Name, rule});
    }
    while (!work.empty()) {
        auto [element, item] = work.back();
        work.pop_back();
        for (int i = 0; i < element->Count(); ++i)
            item->children.push_back(make(*element->Items(i), false));
    }

    std::stable_sort(rules_.begin(), rules_.end(),
                     [](const NamedRule& a, const NamedRule& b) { return rtl::AnsiCompareText(a.name, b.name) < 0; });
    for (Pending& reference : references)
        reference.item->rule = FindRule(reference.referenceName);
}

const GrammarItem* Grammar::FindRule(std::string_view name) const
{
    auto it = std::lower_bound(rules_.begin(), rules_.end(), name, [](const NamedRule& rule, std::string_view key) {
        return rtl::AnsiCompareText(rule.name, key) < 0;
    });
    if (it != rules_.end() && rtl::AnsiSameText(it->name, name))
        return it->rule;
    return nullptr;
}

}  // namespace script::detail
