#include "reference/html/dom.h"

#include <algorithm>
#include <array>
#include <utility>

namespace html {

namespace {

struct TagEntry {
    std::string_view name;
    Tag tag;
};

// Sorted by name for lookup.
constexpr TagEntry kTags[] = {
    {"a", Tag::A}, {"abbr", Tag::Abbr}, {"acronym", Tag::Acronym}, {"address", Tag::Address},
    {"applet", Tag::Applet}, {"area", Tag::Area}, {"article", Tag::Article}, {"aside", Tag::Aside}, {"b", Tag::B},
    {"base", Tag::Base}, {"basefont", Tag::Basefont}, {"bgsound", Tag::Bgsound}, {"big", Tag::Big},
    {"blink", Tag::Blink}, {"blockquote", Tag::Blockquote}, {"body", Tag::Body}, {"br", Tag::Br},
    {"button", Tag::Button}, {"caption", Tag::Caption}, {"center", Tag::Center}, {"cite", Tag::Cite},
    {"code", Tag::Code}, {"col", Tag::Col}, {"colgroup", Tag::Colgroup}, {"dd", Tag::Dd}, {"del", Tag::Del},
    {"dfn", Tag::Dfn}, {"dir", Tag::Dir}, {"div", Tag::Div}, {"dl", Tag::Dl}, {"dt", Tag::Dt}, {"em", Tag::Em},
    {"embed", Tag::Embed}, {"fieldset", Tag::Fieldset}, {"figcaption", Tag::Figcaption}, {"figure", Tag::Figure},
    {"font", Tag::Font}, {"footer", Tag::Footer}, {"form", Tag::Form}, {"frame", Tag::Frame},
    {"frameset", Tag::Frameset}, {"h1", Tag::H1}, {"h2", Tag::H2}, {"h3", Tag::H3}, {"h4", Tag::H4},
    {"h5", Tag::H5}, {"h6", Tag::H6}, {"head", Tag::Head}, {"header", Tag::Header}, {"hr", Tag::Hr},
    {"html", Tag::Html}, {"i", Tag::I}, {"iframe", Tag::Iframe}, {"img", Tag::Img}, {"input", Tag::Input},
    {"ins", Tag::Ins}, {"kbd", Tag::Kbd}, {"label", Tag::Label}, {"legend", Tag::Legend}, {"li", Tag::Li},
    {"link", Tag::Link}, {"listing", Tag::Listing}, {"main", Tag::Main}, {"map", Tag::Map},
    {"marquee", Tag::Marquee}, {"menu", Tag::Menu}, {"meta", Tag::Meta}, {"nav", Tag::Nav}, {"nobr", Tag::Nobr},
    {"noembed", Tag::Noembed}, {"noframes", Tag::Noframes}, {"noscript", Tag::Noscript}, {"object", Tag::Object},
    {"ol", Tag::Ol}, {"optgroup", Tag::Optgroup}, {"option", Tag::Option}, {"p", Tag::P}, {"param", Tag::Param},
    {"plaintext", Tag::Plaintext}, {"pre", Tag::Pre}, {"q", Tag::Q}, {"s", Tag::S}, {"samp", Tag::Samp},
    {"script", Tag::Script}, {"section", Tag::Section}, {"select", Tag::Select}, {"small", Tag::Small},
    {"span", Tag::Span}, {"strike", Tag::Strike}, {"strong", Tag::Strong}, {"style", Tag::Style},
    {"sub", Tag::Sub}, {"sup", Tag::Sup}, {"table", Tag::Table}, {"tbody", Tag::Tbody}, {"td", Tag::Td},
    {"textarea", Tag::Textarea}, {"tfoot", Tag::Tfoot}, {"th", Tag::Th}, {"thead", Tag::Thead},
    {"title", Tag::Title}, {"tr", Tag::Tr}, {"tt", Tag::Tt}, {"u", Tag::U}, {"ul", Tag::Ul}, {"var", Tag::Var},
    {"wbr", Tag::Wbr}, {"xmp", Tag::Xmp},
};

}  // namespace

Tag TagFromName(std::string_view lowerName) {
    const TagEntry* it = std::lower_bound(std::begin(kTags), std::end(kTags), lowerName,
                                          [](const TagEntry& e, std::string_view n) { return e.name < n; });
    return it != std::end(kTags) && it->name == lowerName ? it->tag : Tag::Unknown;
}

std::string_view TagName(Tag tag) {
    for (const TagEntry& e : kTags)
        if (e.tag == tag) return e.name;
    return {};
}

const std::wstring* Node::Attr(std::string_view attributeName) const {
    for (const Attribute& a : attributes)
        if (a.name == attributeName) return &a.value;
    return nullptr;
}

std::wstring Document::TextContent(int index) const {
    // Iterative, so that the depth of the tree never matters.
    std::wstring out;
    std::vector<std::pair<int, size_t>> stack{{index, 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        const Node& n = nodes[size_t(node)];
        if (n.isText) {
            out += n.text;
            stack.pop_back();
            continue;
        }
        if (next >= n.children.size()) {
            stack.pop_back();
            continue;
        }
        const int child = n.children[next++];
        stack.push_back({child, 0});
    }
    return out;
}

}  // namespace html
