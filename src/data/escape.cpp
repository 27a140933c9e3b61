#include "data/escape.h"

std::string EscapeQuotes(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size() + 2);
    for (const char c : value) {
        escaped += c;
        if (c == '\'') escaped += '\'';
    }
    return escaped;
}
