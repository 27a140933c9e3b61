#include "data/field.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "base/errors.h"
#include "base/str_to_int.h"
#include "data/dataset.h"

namespace {

[[noreturn]] void NotAnInteger(const std::string& text) {
    throw EConvertError(NotAnIntegerMessage(text));
}

}  // namespace

std::string ValueAsString(const FieldValue& value) {
    switch (value.type) {
    case FieldValue::Type::kNull:
        return {};
    case FieldValue::Type::kInteger:
        return std::to_string(value.integer);
    case FieldValue::Type::kFloat: {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.15g", value.real);
        return buffer;
    }
    case FieldValue::Type::kText:
    case FieldValue::Type::kBlob:
        return value.bytes;
    }
    return {};
}

bool ParseInteger(std::string_view text, int64_t& result) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    // Accumulate as a negative number so that the most negative value fits.
    int64_t value = 0;
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        const int digit = c - '0';
        if (value < (kMin + digit) / 10) return false;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == kMin) return false;
        value = -value;
    }
    result = value;
    return true;
}

FieldValue TField::Value() const { return dataSet_->CurrentValue(index_); }

std::string TField::AsString() const { return ValueAsString(Value()); }

int64_t TField::AsLargeInt() const {
    const FieldValue value = Value();
    switch (value.type) {
    case FieldValue::Type::kNull:
        return 0;
    case FieldValue::Type::kInteger:
        return value.integer;
    case FieldValue::Type::kFloat:
        if (std::isfinite(value.real) && value.real == std::trunc(value.real) && std::fabs(value.real) < 9.2e18) {
            return int64_t(value.real);
        }
        NotAnInteger(ValueAsString(value));
    case FieldValue::Type::kText: {
        int64_t result = 0;
        if (!ParseInteger(value.bytes, result)) NotAnInteger(value.bytes);
        return result;
    }
    case FieldValue::Type::kBlob:
        break;
    }
    NotAnInteger(ValueAsString(value));
}

int TField::AsInteger() const {
    const int64_t value = AsLargeInt();
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        NotAnInteger(std::to_string(value));
    }
    return int(value);
}

std::vector<uint8_t> TField::AsBytes() const {
    const FieldValue value = Value();
    if (value.type == FieldValue::Type::kText || value.type == FieldValue::Type::kBlob) {
        return std::vector<uint8_t>(value.bytes.begin(), value.bytes.end());
    }
    const std::string text = ValueAsString(value);
    return std::vector<uint8_t>(text.begin(), text.end());
}

bool TField::IsNull() const { return dataSet_->CurrentIsNull(index_); }

void TField::SetAsString(std::string_view text) { dataSet_->SetPendingValue(index_, FieldValue::Text(text)); }

void TField::SetAsInteger(int64_t number) { dataSet_->SetPendingValue(index_, FieldValue::Integer(number)); }

void TField::SetAsBytes(const std::vector<uint8_t>& bytes) {
    dataSet_->SetPendingValue(
        index_, FieldValue::Blob(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
}

void TField::Clear() { dataSet_->SetPendingValue(index_, FieldValue::Null()); }
