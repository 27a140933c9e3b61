#include "data/select_form.h"

#include <cctype>
#include <vector>

namespace {

enum class TokenKind { kWord, kIdentifier, kString, kOpen, kClose, kSemicolon, kOther };

struct Token {
    TokenKind kind;
    size_t offset;
    std::string text;  // a word as written, or an identifier unquoted
    int depth;         // parentheses around the token
};

bool IsWordChar(unsigned char c) { return c == '_' || c == '$' || c >= 0x80 || std::isalnum(c); }

// A small SQL tokenizer: enough to find top-level keywords while stepping over literals,
// quoted names, comments and parentheses. An unterminated literal or comment ends the text,
// which then simply fails to look simple.
std::optional<std::vector<Token>> Tokenize(std::string_view sql) {
    std::vector<Token> tokens;
    int depth = 0;
    size_t i = 0;
    while (i < sql.size()) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        if (std::isspace(c)) {
            ++i;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            const size_t end = sql.find('\n', i);
            i = (end == std::string_view::npos) ? sql.size() : end + 1;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            const size_t end = sql.find("*/", i + 2);
            if (end == std::string_view::npos) return std::nullopt;
            i = end + 2;
        } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = (c == '[') ? ']' : char(c);
            std::string text;
            size_t j = i + 1;
            for (;;) {
                if (j >= sql.size()) return std::nullopt;
                if (sql[j] == close) {
                    if (close != ']' && j + 1 < sql.size() && sql[j + 1] == close) {
                        text += close;
                        j += 2;
                        continue;
                    }
                    break;
                }
                text += sql[j++];
            }
            tokens.push_back({c == '\'' ? TokenKind::kString : TokenKind::kIdentifier, i, std::move(text), depth});
            i = j + 1;
        } else if (IsWordChar(c)) {
            size_t j = i;
            while (j < sql.size() && IsWordChar(static_cast<unsigned char>(sql[j]))) ++j;
            tokens.push_back({TokenKind::kWord, i, std::string(sql.substr(i, j - i)), depth});
            i = j;
        } else if (c == '(') {
            tokens.push_back({TokenKind::kOpen, i, "(", depth});
            ++depth;
            ++i;
        } else if (c == ')') {
            --depth;
            if (depth < 0) return std::nullopt;
            tokens.push_back({TokenKind::kClose, i, ")", depth});
            ++i;
        } else if (c == ';') {
            tokens.push_back({TokenKind::kSemicolon, i, ";", depth});
            ++i;
        } else {
            tokens.push_back({TokenKind::kOther, i, std::string(1, char(c)), depth});
            ++i;
        }
    }
    if (depth != 0) return std::nullopt;
    return tokens;
}

bool IsWord(const Token& token, std::string_view word) {
    return token.kind == TokenKind::kWord && EqualsIgnoringAsciiCase(token.text, word);
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::optional<SimpleSelect> ParseSimpleSelect(std::string_view sql) {
    const std::optional<std::vector<Token>> parsed = Tokenize(sql);
    if (!parsed) return std::nullopt;
    const std::vector<Token>& tokens = *parsed;
    if (tokens.size() < 4 || !IsWord(tokens[0], "select")) return std::nullopt;
    // DISTINCT would fold rows that the row id keeps apart.
    if (IsWord(tokens[1], "distinct")) return std::nullopt;

    size_t from = 0;
    for (size_t i = 1; i < tokens.size(); ++i) {
        if (tokens[i].depth == 0 && IsWord(tokens[i], "from")) {
            from = i;
            break;
        }
    }
    if (from < 2 || from + 1 >= tokens.size()) return std::nullopt;

    const Token& table = tokens[from + 1];
    if (table.kind != TokenKind::kWord && table.kind != TokenKind::kIdentifier) return std::nullopt;

    size_t next = from + 2;
    if (next < tokens.size() && tokens[next].kind != TokenKind::kSemicolon &&
        !(IsWord(tokens[next], "where") || IsWord(tokens[next], "order") || IsWord(tokens[next], "limit"))) {
        return std::nullopt;  // an alias, a join, a second table, a schema name ...
    }
    for (size_t i = next; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        if (token.kind == TokenKind::kSemicolon) {
            if (i + 1 != tokens.size()) return std::nullopt;
            continue;
        }
        if (token.depth != 0) continue;
        for (const char* word : {"group", "having", "union", "intersect", "except", "window", "from"}) {
            if (IsWord(token, word)) return std::nullopt;
        }
    }
    return SimpleSelect{tokens[from].offset, table.text};
}

std::string AddRowIdToSelect(std::string_view sql, const SimpleSelect& form, std::string_view rowIdName) {
    std::string text(sql.substr(0, form.fromOffset));
    text += ", ";
    text += QuoteIdentifier(form.table);
    text += '.';
    text += rowIdName;
    text += ' ';
    text += sql.substr(form.fromOffset);
    return text;
}

std::string QuoteIdentifier(std::string_view name) {
    std::string quoted = "\"";
    for (const char c : name) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    quoted += '"';
    return quoted;
}
