#include "base/str_to_int.h"

#include <cstdint>

#include "base/errors.h"

std::string NotAnIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

int StrToInt(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) throw EConvertError(NotAnIntegerMessage(text));
    // Accumulated in 64 bits; every step stays below 2^32 * 10, so nothing overflows before
    // the range test.
    int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') throw EConvertError(NotAnIntegerMessage(text));
        value = value * 10 + (c - '0');
        if (value > int64_t(INT32_MAX) + 1) throw EConvertError(NotAnIntegerMessage(text));
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) throw EConvertError(NotAnIntegerMessage(text));
    return int(value);
}
