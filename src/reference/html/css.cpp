#include "reference/html/css.h"

#include <algorithm>

#include "base/utf.h"
#include "reference/html/values.h"

namespace html {

namespace {

bool IsSpace(wchar_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsNameChar(wchar_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c >= 0x80;
}

// The text without comments; "<!--" and "-->" (hiding style sheets from old browsers) dropped.
std::wstring StripComments(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, L"/*") == 0) {
            const size_t end = text.find(L"*/", i + 2);
            i = end == std::wstring_view::npos ? text.size() : end + 2;
            out += ' ';
        } else if (text.compare(i, 4, L"<!--") == 0) {
            i += 4;
        } else if (text.compare(i, 3, L"-->") == 0) {
            i += 3;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// The position just past the block that starts with '{' at pos (or the end of the text);
// quoted strings and nested blocks are stepped over without recursion.
size_t SkipBlock(std::wstring_view text, size_t pos) {
    int depth = 0;
    wchar_t quote = 0;
    for (size_t i = pos; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') quote = c;
        else if (c == '{') ++depth;
        else if (c == '}' && --depth == 0) return i + 1;
    }
    return text.size();
}

// What a selector (or one compound of it) turned out to be.
enum class Parsed { Ok, NeverMatches, Invalid };

// Pseudo-classes and pseudo-elements of CSS 2 that are valid but can never match in the page
// view: nothing is visited, hovered or focused, and no generated content is drawn.
bool IsInertPseudo(std::wstring_view name) {
    static constexpr const char* kNames[] = {"visited", "hover", "active", "focus", "first-child", "last-child",
                                             "first-line", "first-letter", "before", "after", "lang"};
    if (const size_t paren = name.find('('); paren != std::wstring_view::npos) name = name.substr(0, paren);
    for (const char* known : kNames)
        if (EqualsNoCase(name, known)) return true;
    return false;
}

Parsed ParseCompound(std::wstring_view text, Compound& compound, int& specificity) {
    size_t i = 0;
    if (i < text.size() && text[i] == '*') {
        ++i;
    } else if (i < text.size() && IsNameChar(text[i])) {
        const size_t start = i;
        while (i < text.size() && IsNameChar(text[i])) ++i;
        compound.tag = LowerAsciiName(text.substr(start, i - start));
        specificity += 1;
    }
    if (text.empty()) return Parsed::Invalid;
    Parsed result = Parsed::Ok;
    while (i < text.size()) {
        wchar_t kind = text[i++];
        if (kind == ':' && i < text.size() && text[i] == ':') ++i;  // ::before
        const size_t start = i;
        while (i < text.size() && IsNameChar(text[i])) ++i;
        if (kind == ':' && i < text.size() && text[i] == '(') {
            const size_t close = text.find(')', i);
            if (close == std::wstring_view::npos) return Parsed::Invalid;
            i = close + 1;
        }
        const std::wstring_view name = text.substr(start, i - start);
        if (name.empty()) return Parsed::Invalid;
        if (kind == '.') {
            compound.classes.emplace_back(name);
            specificity += 10;
        } else if (kind == '#') {
            compound.id = std::wstring(name);
            specificity += 100;
        } else if (kind == ':') {
            specificity += 10;
            if (EqualsNoCase(name, "link")) compound.link = true;
            else if (IsInertPseudo(name)) result = Parsed::NeverMatches;
            else return Parsed::Invalid;
        } else {
            return Parsed::Invalid;
        }
    }
    return result;
}

Parsed ParseSelector(std::wstring_view text, Selector& selector) {
    text = TrimSpaces(text);
    size_t i = 0;
    char combinator = 0;
    Parsed result = Parsed::Ok;
    while (i < text.size()) {
        if (IsSpace(text[i])) {
            if (!combinator) combinator = ' ';
            ++i;
            continue;
        }
        if (text[i] == '>' || text[i] == '+' || text[i] == '~') {
            if (combinator == '>' || selector.compounds.empty()) return Parsed::Invalid;
            if (text[i] != '>') result = Parsed::NeverMatches;  // siblings are not followed
            combinator = '>';
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && !IsSpace(text[end]) && text[end] != '>' && text[end] != '+' && text[end] != '~') {
            if (text[end] == '[') {
                // An attribute selector: valid, never matched here.
                const size_t close = text.find(']', end);
                if (close == std::wstring_view::npos) return Parsed::Invalid;
                result = Parsed::NeverMatches;
                end = close + 1;
                continue;
            }
            ++end;
        }
        if (!selector.compounds.empty()) {
            if (!combinator) return Parsed::Invalid;
            selector.combinators.push_back(combinator);
        }
        if (selector.compounds.size() >= kMaxCompounds) result = Parsed::NeverMatches;
        std::wstring_view part = text.substr(i, end - i);
        if (const size_t bracket = part.find('['); bracket != std::wstring_view::npos) part = part.substr(0, bracket);
        Compound compound;
        if (!part.empty()) {  // empty: an attribute selector alone, on any element
            const Parsed p = ParseCompound(part, compound, selector.specificity);
            if (p == Parsed::Invalid) return p;
            if (p == Parsed::NeverMatches) result = p;
        }
        if (selector.compounds.size() < kMaxCompounds) selector.compounds.push_back(std::move(compound));
        combinator = 0;
        i = end;
    }
    if (selector.compounds.empty() || combinator == '>') return Parsed::Invalid;
    return result;
}

}  // namespace

std::vector<Declaration> ParseDeclarations(std::wstring_view text) {
    std::vector<Declaration> out;
    constexpr size_t kMaxDeclarations = 64;
    size_t i = 0;
    while (i < text.size() && out.size() < kMaxDeclarations) {
        // One declaration runs to the next ';' outside quotes and parentheses.
        size_t end = i;
        wchar_t quote = 0;
        int parens = 0;
        for (; end < text.size(); ++end) {
            const wchar_t c = text[end];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '(') {
                ++parens;
            } else if (c == ')') {
                if (parens > 0) --parens;
            } else if (c == ';' && parens == 0) {
                break;
            }
        }
        const std::wstring_view item = text.substr(i, end - i);
        i = end + 1;
        const size_t colon = item.find(':');
        if (colon == std::wstring_view::npos) continue;
        Declaration d;
        d.property = LowerAsciiName(TrimSpaces(item.substr(0, colon)));
        std::wstring_view value = TrimSpaces(item.substr(colon + 1));
        const size_t bang = value.rfind('!');
        if (bang != std::wstring_view::npos && EqualsNoCase(TrimSpaces(value.substr(bang + 1)), "important")) {
            d.important = true;
            value = TrimSpaces(value.substr(0, bang));
        }
        if (d.property.empty() || value.empty()) continue;
        d.value = std::wstring(value);
        out.push_back(std::move(d));
    }
    return out;
}

void ParseStyleSheet(std::wstring_view source, StyleSheet& sheet) {
    const std::wstring text = StripComments(source);
    size_t i = 0;
    while (i < text.size() && sheet.rules.size() < kMaxRules) {
        while (i < text.size() && (IsSpace(text[i]) || text[i] == ';' || text[i] == '}')) ++i;
        if (i >= text.size()) break;
        if (text[i] == '@') {
            // At-rules (@media, @import, @font-face ...) are skipped whole.
            size_t end = i;
            while (end < text.size() && text[end] != ';' && text[end] != '{') ++end;
            i = end < text.size() && text[end] == '{' ? SkipBlock(text, end) : end + 1;
            continue;
        }
        const size_t open = text.find('{', i);
        if (open == std::wstring::npos) break;
        const size_t close = SkipBlock(text, open);
        const std::wstring_view selectors(text.data() + i, open - i);
        const size_t blockEnd = close > open + 1 && close <= text.size() && text[close - 1] == '}' ? close - 1 : close;
        const std::wstring_view body(text.data() + open + 1, blockEnd - open - 1);
        i = close;
        std::vector<Declaration> declarations = ParseDeclarations(body);
        if (declarations.empty()) continue;
        // The whole list is read first: one invalid part drops the rule.
        std::vector<Selector> list;
        bool invalid = false;
        for (size_t start = 0; start <= selectors.size() && !invalid;) {
            size_t comma = selectors.find(',', start);
            if (comma == std::wstring_view::npos) comma = selectors.size();
            Selector selector;
            const Parsed parsed = ParseSelector(selectors.substr(start, comma - start), selector);
            if (parsed == Parsed::Invalid) invalid = true;
            else if (parsed == Parsed::Ok) list.push_back(std::move(selector));
            start = comma + 1;
        }
        if (invalid || list.empty()) continue;
        const size_t block = sheet.blocks.size();
        for (Selector& selector : list) {
            if (sheet.rules.size() >= kMaxRules) break;
            Rule rule;
            rule.selector = std::move(selector);
            rule.block = block;
            rule.order = int(sheet.rules.size());
            sheet.rules.push_back(std::move(rule));
        }
        sheet.blocks.push_back(std::move(declarations));
    }
}

SelectorMatcher::SelectorMatcher(const Document& doc, const StyleSheet& sheet, long budget)
    : doc_(doc), sheet_(sheet), budget_(budget), keys_(doc.nodes.size()) {
    for (size_t i = 0; i < sheet.rules.size(); ++i) {
        const Compound& key = sheet.rules[i].selector.compounds.back();
        if (!key.id.empty()) byId_[key.id].push_back(int(i));
        else if (!key.classes.empty()) byClass_[key.classes.front()].push_back(int(i));
        else if (!key.tag.empty()) byTag_[key.tag].push_back(int(i));
        else universal_.push_back(int(i));
    }
}

bool SelectorMatcher::Charge(long units) {
    budget_ -= units;
    return budget_ >= 0;
}

const SelectorMatcher::Keys& SelectorMatcher::KeysOf(int node) {
    Keys& keys = keys_[size_t(node)];
    if (keys.known) return keys;
    keys.known = true;
    const Node& n = doc_.At(node);
    if (const std::wstring* id = n.Attr("id")) keys.id = *id;
    if (const std::wstring* value = n.Attr("class")) {
        const std::wstring_view classes = *value;
        Charge(long(classes.size() / 16) + 1);
        size_t i = 0;
        while (i < classes.size()) {
            while (i < classes.size() && IsSpace(classes[i])) ++i;
            size_t end = i;
            while (end < classes.size() && !IsSpace(classes[end])) ++end;
            if (end > i) keys.classes.push_back(classes.substr(i, end - i));
            i = end;
        }
        std::sort(keys.classes.begin(), keys.classes.end());
        keys.classes.erase(std::unique(keys.classes.begin(), keys.classes.end()), keys.classes.end());
    }
    return keys;
}

bool SelectorMatcher::Test(int node, const Compound& compound) {
    const Node& n = doc_.At(node);
    if (!Charge(1 + long(compound.classes.size())) || n.isText) return false;
    if (!compound.tag.empty() && n.name != compound.tag) return false;
    if (compound.link && !(n.tag == Tag::A && n.Attr("href"))) return false;
    if (compound.id.empty() && compound.classes.empty()) return true;
    const Keys& keys = KeysOf(node);
    if (!compound.id.empty() && keys.id != compound.id) return false;
    for (const std::wstring& c : compound.classes)
        if (!std::binary_search(keys.classes.begin(), keys.classes.end(), std::wstring_view(c))) return false;
    return true;
}

bool SelectorMatcher::Matches(int element, const Selector& selector) {
    const std::vector<Compound>& compounds = selector.compounds;
    const std::vector<char>& combinators = selector.combinators;
    const size_t count = compounds.size();
    if (!Test(element, compounds[count - 1])) return false;
    if (count == 1) return true;
    // Right to left, each descendant step taking the nearest ancestor that fits. That choice is
    // never worse unless a child step lies further left ("A > B C": the nearest B may not be the
    // one whose parent is an A); only then are the other choices tried.
    bool childLeftOfDescendant = false;
    for (size_t k = 0, child = 0; k < combinators.size(); ++k) {
        if (combinators[k] == '>') child = 1;
        else if (child) childLeftOfDescendant = true;
    }
    int node = element;
    bool greedy = true;
    for (size_t k = count - 1; k > 0 && greedy; --k) {
        const Compound& wanted = compounds[k - 1];
        if (combinators[k - 1] == '>') {
            node = doc_.At(node).parent;
            greedy = node != kNoNode && Test(node, wanted);
            continue;
        }
        do node = doc_.At(node).parent;
        while (node != kNoNode && !Test(node, wanted));
        greedy = node != kNoNode;
    }
    if (greedy || !childLeftOfDescendant || budget_ < 0) return greedy;

    // Every placement at once: reach[k][a] says compounds 0..k fit with compound k on the
    // a-th node of the chain (0 the element, 1 its parent ...). At most compounds x depth tests.
    chain_.clear();
    for (int up = element; up != kNoNode; up = doc_.At(up).parent) chain_.push_back(up);
    const size_t depth = chain_.size();
    reach_.assign(count * depth, 0);
    const auto reach = [&](size_t k, size_t a) -> char& { return reach_[k * depth + a]; };
    for (size_t a = 1; a < depth; ++a) reach(0, a) = Test(chain_[a], compounds[0]);
    for (size_t k = 1; k < count; ++k) {
        const bool last = k + 1 == count;  // the element itself, already tested
        bool above = false;                 // compound k-1 fits somewhere above the a-th node
        for (size_t a = depth; a-- > 0;) {
            const bool parentFits = a + 1 < depth && reach(k - 1, a + 1);
            above = above || parentFits;
            if (last != (a == 0) || !(combinators[k - 1] == '>' ? parentFits : above)) continue;
            reach(k, a) = last || Test(chain_[a], compounds[k]);
        }
    }
    return reach(count - 1, 0) && budget_ >= 0;
}

void SelectorMatcher::MatchingRules(int element, std::vector<const Rule*>& out) {
    out.clear();
    const Node& n = doc_.At(element);
    if (n.isText || budget_ < 0) return;
    std::vector<int> candidates = universal_;
    const auto add = [&](const auto& bucket, const auto& key) {
        const auto found = bucket.find(key);
        if (found != bucket.end()) candidates.insert(candidates.end(), found->second.begin(), found->second.end());
    };
    add(byTag_, n.name);
    const Keys& keys = KeysOf(element);
    if (!keys.id.empty()) add(byId_, keys.id);
    if (!byClass_.empty()) {
        Charge(long(keys.classes.size()));
        for (std::wstring_view c : keys.classes) add(byClass_, c);
    }
    std::sort(candidates.begin(), candidates.end());
    for (int rule : candidates)
        if (Matches(element, sheet_.rules[size_t(rule)].selector)) out.push_back(&sheet_.rules[size_t(rule)]);
}

}  // namespace html
