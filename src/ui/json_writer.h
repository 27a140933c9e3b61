#pragma once
// A small writer of JSON text (UTF-8), enough for the automation dumps.
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The key of the next value inside an object.
    void Key(std::string_view key);
    void String(std::wstring_view text);
    void String(std::string_view utf8);
    void Int(long long value);
    void Bool(bool value);
    void Null();

    const std::string& Text() const { return text_; }

private:
    void BeforeValue();
    void Quoted(std::string_view utf8);

    std::string text_;
    std::vector<bool> first_;  // per open container: no member written yet
    bool afterKey_ = false;
};
