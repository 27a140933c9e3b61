#include "reference/html/css.h"

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

std::string Utf8Name(std::wstring_view name) { return WideToUtf8(name); }

bool ParseCompound(std::wstring_view text, Compound& compound, int& specificity) {
    size_t i = 0;
    if (i < text.size() && text[i] == '*') {
        ++i;
    } else if (i < text.size() && IsNameChar(text[i])) {
        const size_t start = i;
        while (i < text.size() && IsNameChar(text[i])) ++i;
        compound.tag = LowerAsciiName(text.substr(start, i - start));
        specificity += 1;
    }
    while (i < text.size()) {
        const wchar_t kind = text[i++];
        const size_t start = i;
        while (i < text.size() && IsNameChar(text[i])) ++i;
        const std::wstring_view name = text.substr(start, i - start);
        if (name.empty()) return false;
        if (kind == '.') {
            compound.classes.push_back(Utf8Name(name));
            specificity += 10;
        } else if (kind == '#') {
            compound.id = Utf8Name(name);
            specificity += 100;
        } else if (kind == ':') {
            // Only :link can match: nothing is ever visited, hovered or focused here.
            if (!EqualsNoCase(name, "link")) return false;
            compound.link = true;
            specificity += 10;
        } else {
            return false;
        }
    }
    return !compound.tag.empty() || !compound.classes.empty() || !compound.id.empty() || compound.link || text == L"*";
}

bool ParseSelector(std::wstring_view text, Selector& selector) {
    text = TrimSpaces(text);
    size_t i = 0;
    char combinator = 0;
    while (i < text.size()) {
        if (IsSpace(text[i])) {
            if (!combinator) combinator = ' ';
            ++i;
            continue;
        }
        if (text[i] == '>') {
            combinator = '>';
            ++i;
            continue;
        }
        if (text[i] == '+' || text[i] == '~' || text[i] == '[' || text[i] == ',') return false;
        size_t end = i;
        while (end < text.size() && !IsSpace(text[end]) && text[end] != '>' && text[end] != '+' && text[end] != '~' &&
               text[end] != '[')
            ++end;
        if (!selector.compounds.empty()) {
            if (!combinator) return false;
            selector.combinators.push_back(combinator);
        } else if (combinator == '>') {
            return false;
        }
        if (selector.compounds.size() >= kMaxCompounds) return false;
        Compound compound;
        if (!ParseCompound(text.substr(i, end - i), compound, selector.specificity)) return false;
        selector.compounds.push_back(std::move(compound));
        combinator = 0;
        i = end;
    }
    return !selector.compounds.empty() && !combinator;
}

bool HasClass(const Node& node, const std::string& name) {
    const std::wstring* value = node.Attr("class");
    if (!value) return false;
    const std::string classes = WideToUtf8(*value);
    size_t i = 0;
    while (i < classes.size()) {
        while (i < classes.size() && (classes[i] == ' ' || classes[i] == '\t' || classes[i] == '\n')) ++i;
        size_t end = i;
        while (end < classes.size() && classes[end] != ' ' && classes[end] != '\t' && classes[end] != '\n') ++end;
        if (end > i && classes.compare(i, end - i, name) == 0) return true;
        i = end;
    }
    return false;
}

bool MatchesCompound(const Node& node, const Compound& compound) {
    if (node.isText) return false;
    if (!compound.tag.empty() && node.name != compound.tag) return false;
    if (compound.link && !(node.tag == Tag::A && node.Attr("href"))) return false;
    if (!compound.id.empty()) {
        const std::wstring* id = node.Attr("id");
        if (!id || WideToUtf8(*id) != compound.id) return false;
    }
    for (const std::string& c : compound.classes)
        if (!HasClass(node, c)) return false;
    return true;
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
        const size_t block = sheet.blocks.size();
        bool used = false;
        size_t start = 0;
        while (start <= selectors.size() && sheet.rules.size() < kMaxRules) {
            size_t comma = selectors.find(',', start);
            if (comma == std::wstring_view::npos) comma = selectors.size();
            Rule rule;
            if (ParseSelector(selectors.substr(start, comma - start), rule.selector)) {
                rule.block = block;
                rule.order = int(sheet.rules.size());
                sheet.rules.push_back(std::move(rule));
                used = true;
            }
            start = comma + 1;
        }
        if (used) sheet.blocks.push_back(std::move(declarations));
    }
}

bool Matches(const Document& doc, int element, const Selector& selector, long& budget) {
    const size_t last = selector.compounds.size() - 1;
    if (!MatchesCompound(doc.At(element), selector.compounds[last])) return false;
    int node = element;
    // Right to left; each descendant step takes the nearest matching ancestor.
    for (size_t k = last; k > 0; --k) {
        const Compound& wanted = selector.compounds[k - 1];
        if (selector.combinators[k - 1] == '>') {
            node = doc.At(node).parent;
            if (node == kNoNode || !MatchesCompound(doc.At(node), wanted)) return false;
            continue;
        }
        while (true) {
            node = doc.At(node).parent;
            if (node == kNoNode || --budget < 0) return false;
            if (MatchesCompound(doc.At(node), wanted)) break;
        }
    }
    return true;
}

}  // namespace html
