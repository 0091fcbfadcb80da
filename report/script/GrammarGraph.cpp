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

// The message of each error code: parser/errors/errN text="...".
std::vector<std::pair<std::string, std::string>> ErrorTexts(const TscXMLItem& root)
{
    std::vector<std::pair<std::string, std::string>> texts;
    const int parser = root.IndexOf("parser");
    const int errors = parser < 0 ? -1 : root.Items(parser)->IndexOf("errors");
    if (errors < 0)
        return texts;
    const TscXMLItem& list = *root.Items(parser)->Items(errors);
    for (int i = 0; i < list.Count(); ++i)
        texts.emplace_back(list.Items(i)->Name, list.Items(i)->Prop("text"));
    return texts;
}

}  // namespace

Grammar::Grammar(const TscXMLItem& root)
{
    const auto errorTexts = ErrorTexts(root);
    struct Reference {
        GrammarItem* item;
        std::string ruleName;
    };
    std::vector<Reference> references;
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
                references.push_back({item, element.Name});
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
    for (const Reference& reference : references)
        reference.item->rule = FindRule(reference.ruleName);
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
