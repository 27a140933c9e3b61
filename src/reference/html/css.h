#pragma once
// The small part of CSS that HTML 4-era pages use: rule sets with type, class and id
// selectors, descendant and child combinators, and a:link; declarations with !important.
// Other selectors (attributes, :hover, siblings) never match; at-rules are skipped.
#include <cstdint>
#include <functional>
#include <map>
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
    std::string tag;                    // lower-case; empty for any element
    std::vector<std::wstring> classes;  // as written (class names are case-sensitive)
    std::wstring id;
    bool link = false;                  // :link
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

// Adds the rules of one style sheet text to the sheet. As in CSS, a selector list with an
// invalid part drops its whole rule; parts that are valid but can never match here (:hover,
// attribute and sibling selectors) are dropped alone.
void ParseStyleSheet(std::wstring_view text, StyleSheet& sheet);

// Finds the rules of a sheet that match the elements of one document. The work is bounded:
// every compound test, class look-up and candidate rule is charged to `budget`, and once it
// runs out no further rule matches. Rules are kept in buckets by the key of their rightmost
// compound (id, class, tag), so an element is tested only against rules that can match it, and
// each element's class attribute is split once.
class SelectorMatcher {
public:
    SelectorMatcher(const Document& doc, const StyleSheet& sheet, long budget);

    // The rules that match an element, in the order of the sheet.
    void MatchingRules(int element, std::vector<const Rule*>& out);
    bool Matches(int element, const Selector& selector);
    long Remaining() const { return budget_; }

private:
    struct Keys {
        bool known = false;
        std::wstring_view id;
        std::vector<std::wstring_view> classes;  // sorted, each once
    };
    using Bucket = std::map<std::wstring, std::vector<int>, std::less<>>;

    const Keys& KeysOf(int node);
    bool Test(int node, const Compound& compound);
    bool Charge(long units);

    const Document& doc_;
    const StyleSheet& sheet_;
    long budget_;
    std::vector<Keys> keys_;  // per node, filled as elements are first looked at
    Bucket byId_;
    Bucket byClass_;
    std::map<std::string, std::vector<int>, std::less<>> byTag_;
    std::vector<int> universal_;
    std::vector<int> chain_;  // scratch: an element and its ancestors
    std::vector<char> reach_;  // scratch: which compounds can sit on which ancestor
};

}  // namespace html
