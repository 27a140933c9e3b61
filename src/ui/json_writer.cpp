#include "ui/json_writer.h"

#include <cstdio>

#include "base/utf.h"

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) text_ += ',';
        first_.back() = false;
    }
}

void JsonWriter::BeginObject() {
    BeforeValue();
    text_ += '{';
    first_.push_back(true);
}

void JsonWriter::EndObject() {
    text_ += '}';
    first_.pop_back();
}

void JsonWriter::BeginArray() {
    BeforeValue();
    text_ += '[';
    first_.push_back(true);
}

void JsonWriter::EndArray() {
    text_ += ']';
    first_.pop_back();
}

void JsonWriter::Key(std::string_view key) {
    BeforeValue();
    Quoted(key);
    text_ += ':';
    afterKey_ = true;
}

void JsonWriter::String(std::wstring_view text) { String(WideToUtf8(text)); }

void JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    Quoted(utf8);
}

void JsonWriter::Int(long long value) {
    BeforeValue();
    text_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
}

void JsonWriter::Quoted(std::string_view utf8) {
    text_ += '"';
    for (const char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': text_ += "\\\""; break;
            case '\\': text_ += "\\\\"; break;
            case '\n': text_ += "\\n"; break;
            case '\r': text_ += "\\r"; break;
            case '\t': text_ += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
                    text_ += escaped;
                } else {
                    text_ += ch;
                }
        }
    }
    text_ += '"';
}
