#pragma once
// The inline content of one block: text runs, pictures and line breaks in order, cut into
// atoms (words, spaces, single CJK characters) that the line breaker fills into lines.
#include <cstdint>
#include <string>
#include <vector>

#include "reference/html/layout.h"

namespace html {

struct TextRun {
    int styleNode = kNoNode;  // the node whose style the run has
    int font = -1;            // index into PageLayout::fonts
    std::wstring text;        // white space already collapsed where the style says so
    std::vector<int> ends;    // measured: width of text[0..i]
};

enum class AtomKind : uint8_t { Text, Space, Picture, Break };

struct Atom {
    AtomKind kind = AtomKind::Text;
    int run = -1;      // Text, Space: the run
    int font = -1;     // Break: the font that sets the height of an empty line
    uint32_t start = 0;
    uint32_t end = 0;  // Text, Space: the characters [start, end) of the run
    int width = 0;
    int picture = -1;  // Picture: index into InlineContent::pictures
    bool breakAfter = false;
    bool noWrap = false;
};

struct InlinePicture {
    int node = kNoNode;
    int width = 0;   // the picture's own box (inside its border)
    int height = 0;
    int margin[4] = {0, 0, 0, 0};
    int border[4] = {0, 0, 0, 0};
    uint32_t borderColor = 0;
    bool readable = true;
};

struct InlineAnchor {
    std::wstring name;
    size_t atom = 0;  // the first atom after the anchor
};

struct InlineContent {
    std::vector<TextRun> runs;
    std::vector<Atom> atoms;
    std::vector<InlinePicture> pictures;
    std::vector<InlineAnchor> anchors;
    bool lastWasSpace = true;  // collapsing white space across runs: a space was the last thing added
    int column = 0;            // characters since the last line end, for tabs in preformatted text

    bool HasContent() const;
    void Clear();
};

}  // namespace html
