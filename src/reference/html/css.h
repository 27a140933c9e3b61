#pragma once
// The small part of CSS that HTML 4-era pages use: rule sets with type, class and id
// selectors, descendant and child combinators, and a:link; declarations with !important.
// Other selectors (attributes, :hover, siblings) drop their rule; at-rules are skipped.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reference/html/dom.h"

namespace html {

struct Declaration {
    std::string property;  // lower-case
    std::wstring value;    // trimmed, without !important
    bool important = false;
};

// The declarations of a style="..." attribute or of a rule's block, in order.
std::vector<Declaration> ParseDeclarations(std::wstring_view text);

struct Compound {
    std::string tag;                   // lower-case; empty for any element
    std::vector<std::string> classes;  // as written (class names are case-sensitive)
    std::string id;
    bool link = false;                 // :link
};

struct Selector {
    std::vector<Compound> compounds;  // left to right
    std::vector<char> combinators;    // between compounds: ' ' descendant, '>' child
    int specificity = 0;
};

struct Rule {
    Selector selector;
    size_t block = 0;  // index of its declarations in StyleSheet::blocks
    int order = 0;     // position in the page's style sheets
};

struct StyleSheet {
    std::vector<Rule> rules;
    std::vector<std::vector<Declaration>> blocks;
};

// Limits per page, so that no style sheet costs unbounded memory or time.
constexpr size_t kMaxRules = 1024;
constexpr size_t kMaxCompounds = 8;

// Adds the rules of one style sheet text to the sheet.
void ParseStyleSheet(std::wstring_view text, StyleSheet& sheet);

// Whether an element matches a selector. `budget` counts the ancestors looked at for
// descendant combinators across a whole page; once it runs out, such selectors stop matching.
bool Matches(const Document& doc, int element, const Selector& selector, long& budget);

}  // namespace html
