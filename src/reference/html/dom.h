#pragma once
// The document tree the parser builds: elements and text in one arena, linked by index.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace html {

// The elements the page view knows by name; everything else is Tag::Unknown with its name kept.
enum class Tag : uint8_t {
    Unknown, A, Abbr, Acronym, Address, Applet, Area, Article, Aside, B, Base, Basefont, Bgsound, Big, Blink,
    Blockquote, Body, Br, Button, Caption, Center, Cite, Code, Col, Colgroup, Dd, Del, Dfn, Dir, Div, Dl, Dt, Em,
    Embed, Fieldset, Figcaption, Figure, Font, Footer, Form, Frame, Frameset, H1, H2, H3, H4, H5, H6, Head, Header,
    Hr, Html, I, Iframe, Img, Input, Ins, Kbd, Label, Legend, Li, Link, Listing, Main, Map, Marquee, Menu, Meta, Nav,
    Nobr, Noembed, Noframes, Noscript, Object, Ol, Optgroup, Option, P, Param, Plaintext, Pre, Q, S, Samp, Script,
    Section, Select, Small, Span, Strike, Strong, Style, Sub, Sup, Table, Tbody, Td, Textarea, Tfoot, Th, Thead,
    Title, Tr, Tt, U, Ul, Var, Wbr, Xmp,
};

// The tag of a lower-case name ("td" -> Tag::Td), Tag::Unknown for others.
Tag TagFromName(std::string_view lowerName);
std::string_view TagName(Tag tag);

struct Attribute {
    std::string name;    // lower-case
    std::wstring value;  // references decoded
};

constexpr int kNoNode = -1;

struct Node {
    bool isText = false;
    Tag tag = Tag::Unknown;
    std::string name;  // the lower-case name of an element
    int parent = kNoNode;
    std::vector<int> children;
    std::vector<Attribute> attributes;
    std::wstring text;  // of a text node, references decoded

    // The value of an attribute, or nullptr.
    const std::wstring* Attr(std::string_view attributeName) const;
    bool Is(Tag t) const { return !isText && tag == t; }
};

// Limits that keep any file, however made, within bounded memory and stack.
struct ParseLimits {
    size_t maxNodes = 60000;       // elements and text nodes
    int maxDepth = 96;             // elements open inside each other; deeper tags are dropped
    size_t maxTextChars = 1 << 20; // characters of text and attribute values
    size_t maxAttributes = 32;     // per element; further attributes are dropped
};

struct Document {
    std::vector<Node> nodes;  // nodes[0] is <html>
    int html = 0;
    int head = kNoNode;
    int body = kNoNode;
    std::wstring title;
    std::vector<std::wstring> styleSheets;  // the text of every <style>, in document order
    bool truncated = false;                 // a limit cut the document short
    bool quirks = true;                     // no doctype, or an old one: tables do not inherit fonts

    const Node& At(int index) const { return nodes[size_t(index)]; }
    // The text of an element's subtree, concatenated.
    std::wstring TextContent(int index) const;
};

}  // namespace html
