#include "reference/html/tokenizer.h"

#include <algorithm>

#include "base/utf.h"
#include "reference/html/entities.h"

namespace html {

namespace {

constexpr size_t kMaxNameLength = 64;

bool IsSpace(wchar_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsLetter(wchar_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
wchar_t Lower(wchar_t c) { return c >= 'A' && c <= 'Z' ? wchar_t(c - 'A' + 'a') : c; }

bool EqualsNoCaseAscii(std::wstring_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (Lower(text[i]) != wchar_t(lower[i])) return false;
    return true;
}

void AppendNameChar(std::string& name, wchar_t c) {
    if (name.size() >= kMaxNameLength) return;
    if (c < 0x80) {
        name += char(Lower(c));
    } else {
        name += WideToUtf8(std::wstring_view(&c, 1));
    }
}

// Elements whose content is not markup, and whether references count inside them.
bool IsRawTextElement(std::string_view name, bool& references) {
    references = name == "textarea" || name == "title";
    return references || name == "script" || name == "style" || name == "xmp" || name == "iframe" ||
           name == "noembed" || name == "noframes" || name == "plaintext";
}

}  // namespace

Tokenizer::Tokenizer(std::wstring_view t, size_t maxAttrs) : text(t), maxAttributes(maxAttrs) {}

void Tokenizer::Next(Token& token) {
    token.kind = Token::End;
    token.name.clear();
    token.attributes.clear();
    token.selfClosing = false;
    token.text.clear();
    while (pos < text.size()) {
        if (!rawTextEnd.empty()) {
            ReadRawText(token);
            if (token.kind == Token::Text) return;
            continue;
        }
        if (text[pos] != '<') {
            ReadText(token);
            return;
        }
        const wchar_t next = pos + 1 < text.size() ? text[pos + 1] : 0;
        if (IsLetter(next)) {
            ++pos;
            ReadTag(token, false);
            if (token.kind != Token::End) return;
        } else if (next == '/' && pos + 2 < text.size() && IsLetter(text[pos + 2])) {
            pos += 2;
            ReadTag(token, true);
            if (token.kind != Token::End) return;
        } else if (text.substr(pos, 4) == L"<!--") {
            pos += 2;
            SkipTo(L"-->");
        } else if (next == '!' && text.size() - pos >= 9 && EqualsNoCaseAscii(text.substr(pos + 2, 7), "doctype")) {
            const size_t start = pos + 9;
            SkipTo(L">");
            token.kind = Token::Doctype;
            token.text = std::wstring(text.substr(start, std::min(pos, text.size()) - start));
            if (!token.text.empty() && token.text.back() == '>') token.text.pop_back();
            return;
        } else if (next == '!' || next == '?' || next == '/') {
            // Doctype, processing instruction, "</ ...>": skipped up to the next '>'.
            SkipTo(L">");
        } else {
            ReadText(token);
            return;
        }
    }
}

void Tokenizer::SkipTo(std::wstring_view marker) {
    const size_t end = text.find(marker, pos);
    pos = end == std::wstring_view::npos ? text.size() : end + marker.size();
}

void Tokenizer::ReadText(Token& token) {
    token.kind = Token::Text;
    // A '<' that starts no tag is text; the run goes on to the next '<'.
    if (text[pos] == '<') token.text += text[pos++];
    while (pos < text.size() && text[pos] != '<') {
        if (text[pos] == '&') {
            size_t consumed = 0;
            if (DecodeCharacterReference(text, pos + 1, false, token.text, consumed)) {
                pos += 1 + consumed;
                continue;
            }
        }
        if (text[pos] == 0) {
            ++pos;  // NUL characters are dropped
            continue;
        }
        token.text += text[pos++];
    }
}

void Tokenizer::ReadRawText(Token& token) {
    const bool plaintext = rawTextEnd == "plaintext";
    size_t end = text.size();
    size_t closeEnd = text.size();
    if (!plaintext) {
        for (size_t at = text.find(L"</", pos); at != std::wstring_view::npos; at = text.find(L"</", at + 2)) {
            size_t i = at + 2;
            size_t k = 0;
            while (k < rawTextEnd.size() && i < text.size() && Lower(text[i]) == wchar_t(rawTextEnd[k])) {
                ++i;
                ++k;
            }
            if (k != rawTextEnd.size()) continue;
            if (i < text.size() && !IsSpace(text[i]) && text[i] != '/' && text[i] != '>') continue;
            end = at;
            const size_t gt = text.find(L'>', i);
            closeEnd = gt == std::wstring_view::npos ? text.size() : gt + 1;
            break;
        }
    }
    const std::wstring_view content = text.substr(pos, end - pos);
    if (!content.empty()) {
        token.kind = Token::Text;
        token.text = rawTextReferences ? DecodeReferences(content, false) : std::wstring(content);
    }
    pos = closeEnd;
    rawTextEnd.clear();
    // The end tag itself is dropped: the builder closes raw-text elements at once.
}

void Tokenizer::ReadTag(Token& token, bool end) {
    std::string name;
    while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '/' && text[pos] != '>') AppendNameChar(name, text[pos++]);
    std::vector<Attribute> attributes;
    bool selfClosing = false;
    while (true) {
        while (pos < text.size() && (IsSpace(text[pos]) || text[pos] == '/')) {
            selfClosing = text[pos] == '/';
            ++pos;
        }
        if (pos >= text.size()) {
            // A tag cut off by the end of the file is dropped.
            return;
        }
        if (text[pos] == '>') {
            ++pos;
            break;
        }
        selfClosing = false;
        Attribute attribute;
        if (text[pos] == '=') AppendNameChar(attribute.name, text[pos++]);
        while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '/' && text[pos] != '>' && text[pos] != '=')
            AppendNameChar(attribute.name, text[pos++]);
        while (pos < text.size() && IsSpace(text[pos])) ++pos;
        if (pos < text.size() && text[pos] == '=') {
            ++pos;
            while (pos < text.size() && IsSpace(text[pos])) ++pos;
            size_t valueStart = pos;
            size_t valueEnd = pos;
            if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
                const wchar_t quote = text[pos++];
                valueStart = pos;
                const size_t close = text.find(quote, pos);
                if (close == std::wstring_view::npos) {
                    pos = text.size();
                    return;
                }
                valueEnd = close;
                pos = close + 1;
            } else {
                while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '>') ++pos;
                valueEnd = pos;
            }
            attribute.value = DecodeReferences(text.substr(valueStart, valueEnd - valueStart), true);
        }
        bool duplicate = false;
        for (const Attribute& a : attributes) duplicate = duplicate || a.name == attribute.name;
        if (!duplicate && attributes.size() < maxAttributes) attributes.push_back(std::move(attribute));
    }
    token.kind = end ? Token::EndTag : Token::StartTag;
    token.name = std::move(name);
    if (!end) {
        token.attributes = std::move(attributes);
        token.selfClosing = selfClosing;
        bool references = false;
        if (IsRawTextElement(token.name, references)) {
            rawTextEnd = token.name;
            rawTextReferences = references;
        }
    }
}

}  // namespace html
