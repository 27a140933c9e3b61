#include "reference/html/parser.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "reference/html/tokenizer.h"

namespace html {

namespace {

bool IsHeading(Tag t) { return t >= Tag::H1 && t <= Tag::H6; }

bool IsFormatting(Tag t) {
    switch (t) {
        case Tag::A: case Tag::B: case Tag::Big: case Tag::Code: case Tag::Em: case Tag::Font: case Tag::I:
        case Tag::Nobr: case Tag::S: case Tag::Small: case Tag::Strike: case Tag::Strong: case Tag::Tt: case Tag::U:
            return true;
        default:
            return false;
    }
}

// Elements that end inline runs: they stop the search of an end tag for a formatting element.
bool IsSpecial(Tag t) {
    switch (t) {
        case Tag::Address: case Tag::Applet: case Tag::Area: case Tag::Article: case Tag::Aside: case Tag::Base:
        case Tag::Basefont: case Tag::Bgsound: case Tag::Blockquote: case Tag::Body: case Tag::Br: case Tag::Button:
        case Tag::Caption: case Tag::Center: case Tag::Col: case Tag::Colgroup: case Tag::Dd: case Tag::Dir:
        case Tag::Div: case Tag::Dl: case Tag::Dt: case Tag::Embed: case Tag::Fieldset: case Tag::Figcaption:
        case Tag::Figure: case Tag::Footer: case Tag::Form: case Tag::Frame: case Tag::Frameset: case Tag::H1:
        case Tag::H2: case Tag::H3: case Tag::H4: case Tag::H5: case Tag::H6: case Tag::Head: case Tag::Header:
        case Tag::Hr: case Tag::Html: case Tag::Iframe: case Tag::Img: case Tag::Input: case Tag::Li: case Tag::Link:
        case Tag::Listing: case Tag::Main: case Tag::Marquee: case Tag::Menu: case Tag::Meta: case Tag::Nav:
        case Tag::Noembed: case Tag::Noframes: case Tag::Noscript: case Tag::Object: case Tag::Ol: case Tag::P:
        case Tag::Param: case Tag::Plaintext: case Tag::Pre: case Tag::Script: case Tag::Section: case Tag::Select:
        case Tag::Style: case Tag::Table: case Tag::Tbody: case Tag::Td: case Tag::Textarea: case Tag::Tfoot:
        case Tag::Th: case Tag::Thead: case Tag::Title: case Tag::Tr: case Tag::Ul: case Tag::Wbr: case Tag::Xmp:
            return true;
        default:
            return false;
    }
}

// Block elements whose start closes an open paragraph.
bool ClosesParagraph(Tag t) {
    switch (t) {
        case Tag::Address: case Tag::Article: case Tag::Aside: case Tag::Blockquote: case Tag::Center: case Tag::Dir:
        case Tag::Div: case Tag::Dl: case Tag::Fieldset: case Tag::Figcaption: case Tag::Figure: case Tag::Footer:
        case Tag::Form: case Tag::Header: case Tag::Hr: case Tag::Listing: case Tag::Main: case Tag::Menu:
        case Tag::Nav: case Tag::Ol: case Tag::P: case Tag::Plaintext: case Tag::Pre: case Tag::Section:
        case Tag::Ul: case Tag::Xmp: case Tag::Dd: case Tag::Dt: case Tag::Li:
            return true;
        default:
            return IsHeading(t);
    }
}

bool IsVoid(Tag t) {
    switch (t) {
        case Tag::Area: case Tag::Base: case Tag::Basefont: case Tag::Bgsound: case Tag::Br: case Tag::Col:
        case Tag::Embed: case Tag::Frame: case Tag::Hr: case Tag::Img: case Tag::Input: case Tag::Link:
        case Tag::Meta: case Tag::Param: case Tag::Wbr:
            return true;
        default:
            return false;
    }
}

bool IsTableContext(Tag t) { return t == Tag::Table || t == Tag::Tbody || t == Tag::Thead || t == Tag::Tfoot || t == Tag::Tr; }
bool IsRowGroup(Tag t) { return t == Tag::Tbody || t == Tag::Thead || t == Tag::Tfoot; }
bool OwnsMarker(Tag t) { return t == Tag::Td || t == Tag::Th || t == Tag::Caption || t == Tag::Applet || t == Tag::Marquee || t == Tag::Object; }
bool HasImpliedEnd(Tag t) { return t == Tag::Dd || t == Tag::Dt || t == Tag::Li || t == Tag::Optgroup || t == Tag::Option || t == Tag::P; }

bool IsWhitespace(std::wstring_view text) {
    for (wchar_t c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\f' && c != '\r') return false;
    return true;
}

// Whether a doctype leaves the page in the quirks mode of old browsers: no doctype, or an
// HTML 3/4 transitional one without a system identifier. <!DOCTYPE html>, HTML 4.01 strict and
// XHTML pages are read in standards mode.
bool IsQuirksDoctype(std::wstring_view words) {
    std::string lower;
    for (wchar_t c : words) lower += c < 0x80 ? char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) : '?';
    const size_t start = lower.find_first_not_of(" \t\n");
    if (start == std::string::npos || lower.compare(start, 4, "html") != 0) return true;
    const size_t publicAt = lower.find("public");
    if (publicAt == std::string::npos) return false;
    if (lower.find("xhtml") != std::string::npos) return false;
    const bool hasSystemId = lower.find("http://", publicAt) != std::string::npos;
    if (lower.find("html 4.01//en") != std::string::npos || lower.find("html 4.0//en") != std::string::npos) return false;
    if ((lower.find("4.01 transitional") != std::string::npos || lower.find("4.01 frameset") != std::string::npos) &&
        hasSystemId)
        return false;
    return true;
}

enum class Scope { Default, ListItem, Button, Table };

bool IsScopeBoundary(Tag t, Scope scope) {
    if (scope == Scope::Table) return t == Tag::Html || t == Tag::Table;
    switch (t) {
        case Tag::Applet: case Tag::Caption: case Tag::Html: case Tag::Table: case Tag::Td: case Tag::Th:
        case Tag::Marquee: case Tag::Object:
            return true;
        case Tag::Ol: case Tag::Ul:
            return scope == Scope::ListItem;
        case Tag::Button:
            return scope == Scope::Button;
        default:
            return false;
    }
}

class TreeBuilder {
public:
    TreeBuilder(Document& document, const ParseLimits& parseLimits) : doc(document), limits(parseLimits) {
        doc.nodes.reserve(64);
        doc.nodes.push_back(MakeElement(Tag::Html, "html"));
        doc.html = 0;
        doc.head = AddNode(MakeElement(Tag::Head, "head"));
        AppendChild(doc.html, doc.head);
        doc.body = AddNode(MakeElement(Tag::Body, "body"));
        AppendChild(doc.html, doc.body);
        open = {doc.html, doc.body};
    }

    // False once a limit stops the parse.
    bool Process(Token& token) {
        if (token.kind == Token::Text) {
            HandleText(token.text);
        } else if (token.kind == Token::StartTag) {
            HandleStart(token);
        } else if (token.kind == Token::EndTag) {
            HandleEnd(TagFromName(token.name), token.name);
        } else if (token.kind == Token::Doctype) {
            if (!sawDoctype && doc.nodes.size() == 3) doc.quirks = IsQuirksDoctype(token.text);
            sawDoctype = true;
        }
        if (token.kind != Token::Text) skipNewline = token.kind == Token::StartTag && (token.name == "pre" || token.name == "listing");
        return !stopped;
    }

private:
    static Node MakeElement(Tag tag, std::string_view name) {
        Node n;
        n.tag = tag;
        n.name = std::string(name);
        return n;
    }

    // Adds a node to the arena; kNoNode once the node limit is reached (the parse stops).
    int AddNode(Node node) {
        if (doc.nodes.size() >= limits.maxNodes) {
            Stop();
            return kNoNode;
        }
        doc.nodes.push_back(std::move(node));
        return int(doc.nodes.size() - 1);
    }

    void Stop() {
        stopped = true;
        doc.truncated = true;
    }

    bool CountText(size_t chars) {
        if (textChars + chars > limits.maxTextChars) {
            Stop();
            return false;
        }
        textChars += chars;
        return true;
    }

    Node& N(int index) { return doc.nodes[size_t(index)]; }
    int Current() const { return open.back(); }
    Tag CurrentTag() { return N(Current()).tag; }

    void AppendChild(int parent, int child) {
        N(child).parent = parent;
        N(parent).children.push_back(child);
    }

    void InsertBefore(int parent, int child, int reference) {
        N(child).parent = parent;
        std::vector<int>& children = N(parent).children;
        children.insert(PositionOf(children, reference), child);
    }

    // Where a child sits among its siblings, looked for from the end: content is fostered in
    // front of a table that is still open, which is its parent's last child or close to it, so
    // a page that misplaces every node costs no search through all the ones before.
    static std::vector<int>::iterator PositionOf(std::vector<int>& siblings, int child) {
        const auto found = std::find(siblings.rbegin(), siblings.rend(), child);
        return found == siblings.rend() ? siblings.end() : std::prev(found.base());
    }

    void Detach(int child) {
        const int parent = N(child).parent;
        if (parent == kNoNode) return;
        std::vector<int>& children = N(parent).children;
        children.erase(std::remove(children.begin(), children.end(), child), children.end());
        N(child).parent = kNoNode;
    }

    bool InStack(int node) const { return std::find(open.begin(), open.end(), node) != open.end(); }

    // The position of the nearest open element with the tag inside the scope, or -1.
    int FindInScope(Tag tag, Scope scope, const std::string* name = nullptr) {
        for (int i = int(open.size()) - 1; i >= 0; --i) {
            const Node& n = N(open[size_t(i)]);
            if (n.tag == tag && (tag != Tag::Unknown || (name && n.name == *name))) return i;
            if (IsScopeBoundary(n.tag, scope)) return -1;
        }
        return -1;
    }

    int FindHeadingInScope() {
        for (int i = int(open.size()) - 1; i >= 0; --i) {
            const Tag t = N(open[size_t(i)]).tag;
            if (IsHeading(t)) return i;
            if (IsScopeBoundary(t, Scope::Default)) return -1;
        }
        return -1;
    }

    // Pops the open elements down to (and including) the one at `position`; <html> and <body>
    // stay open whatever the position says.
    void PopTo(int position) {
        position = std::max(position, 2);
        while (int(open.size()) > position) {
            const Tag t = CurrentTag();
            open.pop_back();
            if (OwnsMarker(t)) ClearFormattingToMarker();
        }
    }

    void GenerateImpliedEnds(Tag except) {
        while (open.size() > 2 && HasImpliedEnd(CurrentTag()) && CurrentTag() != except) open.pop_back();
    }

    void ClosePInButtonScope() {
        const int p = FindInScope(Tag::P, Scope::Button);
        if (p < 0) return;
        GenerateImpliedEnds(Tag::P);
        PopTo(p);
    }

    // Where content goes: the current node, or before the table when the current node is a
    // table part and the content is not (browsers "foster" such content).
    void InsertionPlace(bool tableContent, int& parent, int& before) {
        parent = Current();
        before = kNoNode;
        if (tableContent || !IsTableContext(N(parent).tag)) return;
        for (int i = int(open.size()) - 1; i >= 0; --i) {
            const int node = open[size_t(i)];
            if (N(node).tag != Tag::Table) continue;
            if (N(node).parent != kNoNode) {
                parent = N(node).parent;
                before = node;
            } else {
                parent = open[size_t(std::max(i - 1, 0))];
            }
            return;
        }
    }

    int Insert(int node, bool tableContent) {
        int parent = kNoNode;
        int before = kNoNode;
        InsertionPlace(tableContent, parent, before);
        if (before == kNoNode) AppendChild(parent, node);
        else InsertBefore(parent, node, before);
        return node;
    }

    // Creates and inserts an element; pushes it unless it is void. kNoNode when it was dropped
    // (node limit, or nested too deep).
    int InsertElement(const Token& token, Tag tag, bool tableContent = false) {
        const bool push = !IsVoid(tag);
        if (push && int(open.size()) >= limits.maxDepth) {
            doc.truncated = true;
            return kNoNode;
        }
        size_t chars = 0;
        for (const Attribute& a : token.attributes) chars += a.value.size();
        if (!CountText(chars)) return kNoNode;
        Node n = MakeElement(tag, token.name);
        n.attributes = token.attributes;
        const int node = AddNode(std::move(n));
        if (node == kNoNode) return kNoNode;
        Insert(node, tableContent);
        if (push) open.push_back(node);
        return node;
    }

    int InsertImplied(Tag tag) {
        Token token;
        token.kind = Token::StartTag;
        token.name = std::string(TagName(tag));
        return InsertElement(token, tag, true);
    }

    void InsertText(std::wstring_view text, int intoElement = kNoNode) {
        if (text.empty()) return;
        int parent = intoElement;
        int before = kNoNode;
        if (parent == kNoNode) {
            if (IsTableContext(CurrentTag()) && IsWhitespace(text)) return;
            InsertionPlace(false, parent, before);
        }
        if (textChars + text.size() > limits.maxTextChars) {
            // What fits is kept; the parse ends here.
            text = text.substr(0, limits.maxTextChars - textChars);
            Stop();
        }
        textChars += text.size();
        if (text.empty()) return;
        // Joined to a text node just before the place, if there is one.
        std::vector<int>& siblings = N(parent).children;
        int previous = kNoNode;
        if (before == kNoNode) {
            if (!siblings.empty()) previous = siblings.back();
        } else {
            const auto at = PositionOf(siblings, before);
            if (at != siblings.begin()) previous = *(at - 1);
        }
        if (previous != kNoNode && N(previous).isText) {
            N(previous).text += text;
            return;
        }
        Node n;
        n.isText = true;
        n.text = std::wstring(text);
        const int node = AddNode(std::move(n));
        if (node == kNoNode) return;
        if (before == kNoNode) AppendChild(parent, node);
        else InsertBefore(parent, node, before);
    }

    // The list of active formatting elements: open (or recently closed) <b>, <font> ... that
    // are opened again when text follows; kNoNode entries are the markers of cells, captions
    // and objects, which formatting never crosses.
    void ClearFormattingToMarker() {
        while (!active.empty()) {
            const int entry = active.back();
            active.pop_back();
            if (entry == kNoNode) break;
        }
    }

    size_t LastMarker() const {
        for (size_t i = active.size(); i > 0; --i)
            if (active[i - 1] == kNoNode) return i;
        return 0;
    }

    void PushFormatting(int node) {
        // At most three alike entries since the last marker (same tag and attributes), and a
        // bounded list.
        const size_t from = LastMarker();
        int alike = 0;
        size_t earliest = active.size();
        for (size_t i = active.size(); i > from; --i) {
            const Node& e = N(active[i - 1]);
            if (e.tag == N(node).tag && e.name == N(node).name && e.attributes.size() == N(node).attributes.size()) {
                bool same = true;
                for (size_t k = 0; k < e.attributes.size() && same; ++k)
                    same = e.attributes[k].name == N(node).attributes[k].name && e.attributes[k].value == N(node).attributes[k].value;
                if (same) {
                    ++alike;
                    earliest = i - 1;
                }
            }
        }
        if (alike >= 3) active.erase(active.begin() + std::ptrdiff_t(earliest));
        constexpr size_t kMaxActive = 16;
        if (active.size() - from >= kMaxActive) active.erase(active.begin() + std::ptrdiff_t(from));
        active.push_back(node);
    }

    // Clones count their attribute text again: a long attribute on an element that is opened
    // again and again must not multiply memory.
    int CloneElement(int node) {
        size_t chars = 0;
        for (const Attribute& a : N(node).attributes) chars += a.value.size();
        if (!CountText(chars)) return kNoNode;
        Node n = MakeElement(N(node).tag, N(node).name);
        n.attributes = N(node).attributes;
        return AddNode(std::move(n));
    }

    void ReconstructFormatting() {
        if (active.empty() || active.back() == kNoNode || InStack(active.back())) return;
        size_t i = active.size() - 1;
        while (i > 0 && active[i - 1] != kNoNode && !InStack(active[i - 1])) --i;
        for (; i < active.size(); ++i) {
            if (int(open.size()) >= limits.maxDepth) {
                doc.truncated = true;
                return;
            }
            const int clone = CloneElement(active[i]);
            if (clone == kNoNode) return;
            Insert(clone, false);
            open.push_back(clone);
            active[i] = clone;
        }
    }

    // The repair of misnested formatting end tags (the "adoption agency" of HTML parsers):
    // <b>1<p>2</b>3</p> gives <b>1</b><p><b>2</b>3</p>.
    void AdoptionAgency(Tag tag, const std::string& name) {
        if (N(Current()).tag == tag && std::find(active.begin(), active.end(), Current()) == active.end()) {
            open.pop_back();
            return;
        }
        for (int outer = 0; outer < 8 && !stopped; ++outer) {
            // The formatting element: the last entry with this tag since the last marker.
            int entry = -1;
            for (size_t i = active.size(); i > LastMarker(); --i)
                if (N(active[i - 1]).tag == tag) {
                    entry = int(i - 1);
                    break;
                }
            if (entry < 0) {
                AnyOtherEnd(tag, name);
                return;
            }
            const int formatting = active[size_t(entry)];
            const auto stackAt = std::find(open.begin(), open.end(), formatting);
            if (stackAt == open.end()) {
                active.erase(active.begin() + entry);
                return;
            }
            const int formattingPos = int(stackAt - open.begin());
            if (FindInScope(tag, Scope::Default) != formattingPos) return;  // not in scope: ignored
            int furthestPos = -1;
            for (size_t i = size_t(formattingPos) + 1; i < open.size(); ++i)
                if (IsSpecial(N(open[i]).tag)) {
                    furthestPos = int(i);
                    break;
                }
            if (furthestPos < 0) {
                PopTo(formattingPos);
                active.erase(std::find(active.begin(), active.end(), formatting));
                return;
            }
            const int furthest = open[size_t(furthestPos)];
            const int commonAncestor = open[size_t(formattingPos - 1)];
            size_t bookmark = size_t(entry);
            int lastNode = furthest;
            int nodePos = furthestPos;
            for (int inner = 1;; ++inner) {
                --nodePos;
                const int node = open[size_t(nodePos)];
                if (node == formatting) break;
                auto activeAt = std::find(active.begin(), active.end(), node);
                if (inner > 3 && activeAt != active.end()) {
                    if (size_t(activeAt - active.begin()) < bookmark) --bookmark;
                    active.erase(activeAt);
                    activeAt = active.end();
                }
                if (activeAt == active.end()) {
                    open.erase(open.begin() + nodePos);
                    continue;
                }
                const int clone = CloneElement(node);
                if (clone == kNoNode) return;
                *activeAt = clone;
                open[size_t(nodePos)] = clone;
                if (lastNode == furthest) bookmark = size_t(activeAt - active.begin()) + 1;
                Detach(lastNode);
                AppendChild(clone, lastNode);
                lastNode = clone;
            }
            Detach(lastNode);
            if (IsTableContext(N(commonAncestor).tag)) {
                open.push_back(commonAncestor);  // foster parenting relative to the common ancestor
                int parent = kNoNode;
                int before = kNoNode;
                InsertionPlace(false, parent, before);
                open.pop_back();
                if (before == kNoNode) AppendChild(parent, lastNode);
                else InsertBefore(parent, lastNode, before);
            } else {
                AppendChild(commonAncestor, lastNode);
            }
            const int clone = CloneElement(formatting);
            if (clone == kNoNode) return;
            std::vector<int> moved = std::move(N(furthest).children);
            N(furthest).children.clear();
            for (int child : moved) N(child).parent = clone;
            N(clone).children = std::move(moved);
            AppendChild(furthest, clone);
            const auto oldEntry = std::find(active.begin(), active.end(), formatting);
            if (size_t(oldEntry - active.begin()) < bookmark) --bookmark;
            active.erase(oldEntry);
            active.insert(active.begin() + std::ptrdiff_t(std::min(bookmark, active.size())), clone);
            open.erase(std::find(open.begin(), open.end(), formatting));
            const auto furthestAt = std::find(open.begin(), open.end(), furthest);
            open.insert(furthestAt + 1, clone);
        }
    }

    void AnyOtherEnd(Tag tag, const std::string& name) {
        for (int i = int(open.size()) - 1; i >= 2; --i) {
            const Node& n = N(open[size_t(i)]);
            if (n.tag == tag && (tag != Tag::Unknown || n.name == name)) {
                GenerateImpliedEnds(tag);
                PopTo(i);
                return;
            }
            if (IsSpecial(n.tag)) return;
        }
    }

    void HandleText(std::wstring& text) {
        if (rawElement != kNoNode) {
            const int element = rawElement;
            rawElement = kNoNode;
            InsertText(text, element);
            if (N(element).tag == Tag::Style) doc.styleSheets.push_back(text);
            if (N(element).tag == Tag::Title && doc.title.empty()) doc.title = text;
            return;
        }
        std::wstring_view view = text;
        if (skipNewline && !view.empty() && view.front() == '\n') view.remove_prefix(1);
        skipNewline = false;
        if (view.empty()) return;
        if (!IsWhitespace(view)) ReconstructFormatting();
        InsertText(view);
    }

    void MergeAttributes(int node, const Token& token) {
        for (const Attribute& a : token.attributes)
            if (!N(node).Attr(a.name) && N(node).attributes.size() < limits.maxAttributes && CountText(a.value.size()))
                N(node).attributes.push_back(a);
    }

    // A table part outside a table is ignored; inside one, the open elements go back to the
    // table (or row group, or row) first.
    bool InTable() { return FindInScope(Tag::Table, Scope::Table) >= 0; }

    void ClearBackTo(bool (*stop)(Tag)) {
        while (open.size() > 2 && !stop(CurrentTag())) PopTo(int(open.size()) - 1);
    }

    void CloseCell() {
        const int td = FindInScope(Tag::Td, Scope::Table);
        const int th = FindInScope(Tag::Th, Scope::Table);
        const int cell = std::max(td, th);
        if (cell >= 0) PopTo(cell);
    }

    void HandleStart(Token& token) {
        rawElement = kNoNode;
        Tag tag = TagFromName(token.name);
        if (token.name == "image") {
            tag = Tag::Img;
            token.name = "img";
        }
        switch (tag) {
            case Tag::Html: MergeAttributes(doc.html, token); return;
            case Tag::Body: MergeAttributes(doc.body, token); return;
            case Tag::Head: case Tag::Frameset: case Tag::Frame: case Tag::Col: case Tag::Colgroup: return;
            case Tag::Base: case Tag::Link: case Tag::Meta: case Tag::Title: {
                Node n = MakeElement(tag, token.name);
                n.attributes = token.attributes;
                const int node = AddNode(std::move(n));
                if (node == kNoNode) return;
                AppendChild(doc.head, node);
                if (tag == Tag::Title) rawElement = node;
                return;
            }
            case Tag::Style: case Tag::Script: case Tag::Noframes: case Tag::Noembed: case Tag::Iframe: {
                const int node = InsertElement(token, tag, true);
                if (node != kNoNode) {
                    open.pop_back();
                    rawElement = node;
                }
                return;
            }
            case Tag::Textarea: case Tag::Xmp: case Tag::Plaintext: {
                if (tag != Tag::Textarea) ClosePInButtonScope();
                ReconstructFormatting();
                const int node = InsertElement(token, tag);
                if (node != kNoNode) {
                    if (tag != Tag::Plaintext) open.pop_back();
                    rawElement = node;
                }
                return;
            }
            case Tag::Li: case Tag::Dd: case Tag::Dt: {
                for (int i = int(open.size()) - 1; i >= 2; --i) {
                    const Tag t = N(open[size_t(i)]).tag;
                    const bool match = tag == Tag::Li ? t == Tag::Li : (t == Tag::Dd || t == Tag::Dt);
                    if (match) {
                        GenerateImpliedEnds(t);
                        PopTo(i);
                        break;
                    }
                    if (IsSpecial(t) && t != Tag::Address && t != Tag::Div && t != Tag::P) break;
                }
                ClosePInButtonScope();
                InsertElement(token, tag);
                return;
            }
            case Tag::A: {
                for (size_t i = active.size(); i > LastMarker(); --i) {
                    const int entry = active[i - 1];
                    if (N(entry).tag != Tag::A) continue;
                    AdoptionAgency(Tag::A, token.name);
                    active.erase(std::remove(active.begin(), active.end(), entry), active.end());
                    const auto at = std::find(open.begin(), open.end(), entry);
                    if (at != open.end() && at - open.begin() >= 2) open.erase(at);
                    break;
                }
                ReconstructFormatting();
                const int node = InsertElement(token, tag);
                if (node != kNoNode) PushFormatting(node);
                return;
            }
            case Tag::Nobr:
                ReconstructFormatting();
                if (FindInScope(Tag::Nobr, Scope::Default) >= 0) {
                    AdoptionAgency(Tag::Nobr, token.name);
                    ReconstructFormatting();
                }
                [[fallthrough]];
            case Tag::B: case Tag::Big: case Tag::Code: case Tag::Em: case Tag::Font: case Tag::I: case Tag::S:
            case Tag::Small: case Tag::Strike: case Tag::Strong: case Tag::Tt: case Tag::U: {
                ReconstructFormatting();
                const int node = InsertElement(token, tag);
                if (node != kNoNode) PushFormatting(node);
                return;
            }
            case Tag::Applet: case Tag::Marquee: case Tag::Object: {
                ReconstructFormatting();
                if (InsertElement(token, tag) != kNoNode) active.push_back(kNoNode);
                return;
            }
            case Tag::Table: {
                if (IsTableContext(CurrentTag())) {
                    // A table straight inside a table (not in a cell) ends the first one.
                    const int table = FindInScope(Tag::Table, Scope::Table);
                    if (table >= 0) PopTo(table);
                }
                InsertElement(token, tag, true);
                return;
            }
            case Tag::Caption: {
                if (!InTable()) return;
                ClearBackTo([](Tag t) { return t == Tag::Table; });
                if (InsertElement(token, tag, true) != kNoNode) active.push_back(kNoNode);
                return;
            }
            case Tag::Tbody: case Tag::Thead: case Tag::Tfoot: {
                if (!InTable()) return;
                ClearBackTo([](Tag t) { return t == Tag::Table; });
                InsertElement(token, tag, true);
                return;
            }
            case Tag::Tr: {
                if (!InTable()) return;
                CloseCell();
                ClearBackTo([](Tag t) { return t == Tag::Table || IsRowGroup(t); });
                if (CurrentTag() == Tag::Table && InsertImplied(Tag::Tbody) == kNoNode) return;
                InsertElement(token, tag, true);
                return;
            }
            case Tag::Td: case Tag::Th: {
                if (!InTable()) return;
                CloseCell();
                ClearBackTo([](Tag t) { return t == Tag::Table || IsRowGroup(t) || t == Tag::Tr; });
                if (CurrentTag() == Tag::Table && InsertImplied(Tag::Tbody) == kNoNode) return;
                if (IsRowGroup(CurrentTag()) && InsertImplied(Tag::Tr) == kNoNode) return;
                if (InsertElement(token, tag, true) != kNoNode) active.push_back(kNoNode);
                return;
            }
            case Tag::Option: case Tag::Optgroup: {
                if (CurrentTag() == Tag::Option) PopTo(int(open.size()) - 1);
                ReconstructFormatting();
                InsertElement(token, tag);
                return;
            }
            case Tag::Hr:
                ClosePInButtonScope();
                InsertElement(token, tag);
                return;
            default:
                break;
        }
        if (IsHeading(tag)) {
            ClosePInButtonScope();
            if (IsHeading(CurrentTag())) PopTo(int(open.size()) - 1);
            InsertElement(token, tag);
            return;
        }
        if (ClosesParagraph(tag)) {
            ClosePInButtonScope();
            InsertElement(token, tag);
            return;
        }
        if (tag != Tag::Param) ReconstructFormatting();
        InsertElement(token, tag);
    }

    void HandleEnd(Tag tag, const std::string& name) {
        rawElement = kNoNode;
        switch (tag) {
            case Tag::Html: case Tag::Body: case Tag::Head: return;
            case Tag::P: {
                if (FindInScope(Tag::P, Scope::Button) < 0) {
                    // "</p>" without a paragraph makes an empty one, as browsers do.
                    Token token;
                    token.kind = Token::StartTag;
                    token.name = "p";
                    if (InsertElement(token, Tag::P) == kNoNode) return;
                }
                GenerateImpliedEnds(Tag::P);
                PopTo(FindInScope(Tag::P, Scope::Button));
                return;
            }
            case Tag::Li: case Tag::Dd: case Tag::Dt: {
                const int at = FindInScope(tag, tag == Tag::Li ? Scope::ListItem : Scope::Default);
                if (at < 0) return;
                GenerateImpliedEnds(tag);
                PopTo(at);
                return;
            }
            case Tag::Br: {
                Token token;
                token.kind = Token::StartTag;
                token.name = "br";
                ReconstructFormatting();
                InsertElement(token, Tag::Br);
                return;
            }
            case Tag::Table: case Tag::Tbody: case Tag::Thead: case Tag::Tfoot: case Tag::Tr: case Tag::Td:
            case Tag::Th: case Tag::Caption: {
                const int at = FindInScope(tag, Scope::Table);
                if (at >= 0) PopTo(at);
                return;
            }
            default:
                break;
        }
        if (IsHeading(tag)) {
            const int at = FindHeadingInScope();
            if (at < 0) return;
            GenerateImpliedEnds(Tag::Unknown);
            PopTo(at);
            return;
        }
        if (IsFormatting(tag)) {
            AdoptionAgency(tag, name);
            return;
        }
        if (tag != Tag::Unknown && IsSpecial(tag)) {
            const int at = FindInScope(tag, Scope::Default);
            if (at < 0) return;
            GenerateImpliedEnds(tag);
            PopTo(at);
            return;
        }
        AnyOtherEnd(tag, name);
    }

    Document& doc;
    const ParseLimits& limits;
    std::vector<int> open;    // open elements; open[0] is <html>, open[1] is <body>
    std::vector<int> active;  // active formatting elements, kNoNode = marker
    int rawElement = kNoNode; // the element that takes the next text (style, title ...)
    size_t textChars = 0;
    bool skipNewline = false;
    bool sawDoctype = false;
    bool stopped = false;
};

// Line ends as '\n' only, as the tokenizer expects.
std::wstring NormaliseLineEnds(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

Document ParseDocument(std::wstring_view text, const ParseLimits& limits) {
    Document doc;
    const std::wstring normalised = NormaliseLineEnds(text);
    TreeBuilder builder(doc, limits);
    Tokenizer tokenizer(normalised, limits.maxAttributes);
    Token token;
    while (true) {
        tokenizer.Next(token);
        if (token.kind == Token::End) break;
        if (!builder.Process(token)) break;
    }
    return doc;
}

}  // namespace html

