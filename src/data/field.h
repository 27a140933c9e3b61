#pragma once
// One column of an open dataset, read and set through the dataset's current row.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCustomADODataSet;

// The value of one cell, as the engine typed it.
struct FieldValue {
    enum class Type : uint8_t { kNull, kInteger, kFloat, kText, kBlob };
    Type type = Type::kNull;
    int64_t integer = 0;
    double real = 0;
    std::string bytes;  // text (UTF-8) or blob bytes

    static FieldValue Null() { return {}; }
    static FieldValue Integer(int64_t v) { return {Type::kInteger, v, 0, {}}; }
    static FieldValue Float(double v) { return {Type::kFloat, 0, v, {}}; }
    static FieldValue Text(std::string_view v) { return {Type::kText, 0, 0, std::string(v)}; }
    static FieldValue Blob(std::string_view v) { return {Type::kBlob, 0, 0, std::string(v)}; }
};

// The text of a value as AsString gives it: NULL is empty, numbers in decimal, blobs as
// their bytes.
std::string ValueAsString(const FieldValue& value);

// Parses a whole decimal integer, surrounding blanks allowed, an optional sign, no other
// characters; false when the text is anything else or out of the 64-bit range.
bool ParseInteger(std::string_view text, int64_t& result);

class TField {
public:
    TField(TCustomADODataSet* dataSet, int index, std::string name)
        : dataSet_(dataSet), index_(index), name_(std::move(name)) {}
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    const std::string& FieldName() const { return name_; }
    int Index() const { return index_; }

    // NULL reads as the empty text.
    std::string AsString() const;
    // NULL reads as 0. A text that is not a whole number, a number outside the 32-bit range,
    // a fraction or a blob raise EConvertError "'<text>' is not a valid integer value".
    int AsInteger() const;
    int64_t AsLargeInt() const;
    // The cell's bytes: a picture column's blob (read from the file when asked for), a text's
    // UTF-8 bytes; empty for NULL.
    std::vector<uint8_t> AsBytes() const;
    bool IsNull() const;
    FieldValue Value() const;

    // Setting needs the dataset in edit state (Edit); the value is written by Post.
    void SetAsString(std::string_view text);
    void SetAsInteger(int64_t number);
    void SetAsBytes(const std::vector<uint8_t>& bytes);
    void Clear();  // sets NULL

private:
    TCustomADODataSet* dataSet_;
    int index_;
    std::string name_;
};
