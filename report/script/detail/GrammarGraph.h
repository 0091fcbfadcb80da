#pragma once
// A language grammar compiled once, when the language is selected, into a graph of items: every
// attribute the interpreter needs is read from the XML here, lower-cased where it is compared, and every
// rule reference is linked to its rule, so matching never searches attribute texts.

#include "report/script/sc_xml.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace script::detail {

enum class ItemKind : std::uint8_t {
    Rule,
    Reference,
    Char,
    Keyword,
    Ident,
    Number,
    String,
    FrString,
    Eol,
    // Only blanks, comments and line ends remain.
    Eof,
    Sequence,
    Switch,
    OptionalSwitch,
    Loop,
    OptionalLoop,
    Optional,
};

struct GrammarItem {
    ItemKind kind = ItemKind::Sequence;
    // Rules stand directly under the grammar's root; their items below them.
    bool isRule = false;
    // The token a terminal must equal, or a loop's separator; lower-cased.
    std::string text;
    // The element that wraps what the item produced; lower-cased. "uses" includes units instead.
    std::string node;
    bool includesUnits = false;
    // The token element written when the item matched, and the text it records instead of the token.
    std::string add;
    bool hasAddText = false;
    std::string addText;
    // The message reported when the item fails (its err code's text in the grammar's errors).
    bool hasErr = false;
    std::string errText;
    // skip="0" on a char: no blanks or comments before it. skip="1" on a loop: it discards the recorded
    // error when it ends after more than one attempt. term="1": such a loop discards this item's error.
    bool noSkip = false;
    bool discardsError = false;
    bool term = false;
    // A reference's rule; null when the grammar lacks it, which fails only when the reference is reached.
    const GrammarItem* rule = nullptr;
    std::vector<const GrammarItem*> children;
};

class Grammar {
public:
    // Compiles the rules of a grammar document's root. Nothing here is recursive, whatever the depth.
    explicit Grammar(const TscXMLItem& root);
    Grammar(const Grammar&) = delete;
    Grammar& operator=(const Grammar&) = delete;

    // The rule of that name (case ignored), or null.
    const GrammarItem* FindRule(std::string_view name) const;

private:
    struct NamedRule {
        std::string name;
        const GrammarItem* rule;
    };

    std::vector<std::unique_ptr<GrammarItem>> items_;
    // Sorted by name in the collation; the first rule of a name wins.
    std::vector<NamedRule> rules_;
};

}  // namespace script::detail
