#pragma once
// Splits page text into tags and text the way browsers do, without ever failing: anything that
// is not a well-formed tag is text or is skipped as a comment.
#include <string>
#include <string_view>
#include <vector>

#include "reference/html/dom.h"

namespace html {

struct Token {
    enum Kind { StartTag, EndTag, Text, Doctype, End };
    Kind kind = End;
    std::string name;  // lower-case tag name
    std::vector<Attribute> attributes;
    bool selfClosing = false;
    std::wstring text;  // of a Text token, references decoded where the element allows; a doctype's words
};

class Tokenizer {
public:
    // `text` must outlive the tokenizer; line ends are expected as '\n' only.
    Tokenizer(std::wstring_view text, size_t maxAttributes);

    // The next token; Kind::End at the end of the text (and from then on).
    void Next(Token& token);

private:
    void ReadTag(Token& token, bool end);
    void ReadText(Token& token);
    void ReadRawText(Token& token);
    void SkipTo(std::wstring_view marker);

    std::wstring_view text;
    size_t pos = 0;
    size_t maxAttributes;
    std::string rawTextEnd;  // inside script, style ...: the element whose end tag closes the run
    bool rawTextReferences = false;
};

}  // namespace html
