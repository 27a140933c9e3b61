#include "skin_mutator.h"

#include <algorithm>

#include "base/bmp.h"
#include "base/errors.h"
#include "skin/part_renderer.h"
#include "skin/skin_reader.h"

namespace {

void PutInt32(std::vector<uint8_t>& bytes, size_t at, int64_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(uint64_t(value) >> (8 * i));
}

int32_t GetInt32(const std::vector<uint8_t>& bytes, size_t at) {
    return int32_t(uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
                   uint32_t(bytes[at + 3]) << 24);
}

// Keys the readers look for, so that damaged descriptions still reach them.
const char* const kKeys[] = {
    "Image", "Bitmap", "ButtonImage", "LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "Trans", "Tile",
    "Style", "FrameCount", "frame", "Action", "Align", "Xcoord", "Ycoord", "color", "Top", "TopFrame",
    "LeftTopHeight", "TopTopHeight", "LeftFrame", "BottomFrame", "RadioButtonFrame", "CheckButtonFrame",
    "CheckButton", "RadioButton", "TextBack", "menuBar", "TileLeftMenu", "ButtonFace", "NormalColour",
    "NormalColour2", "ActiveTextR", "FontHeight", "Chunk", "Border", "GlyphImage", "SkinName"};
const char* const kSections[] = {"Personality", "Buttons", "Colours", "Colour9", "ButtonX", "MDICONTROLS",
                                 "Progress", "Scrollbar", "ComboButton", "VertScrollThumb", "UpDown.Horz",
                                 "Button.Radio", "TitlebarSkin", "Tabs", "MenuItem"};

}  // namespace

std::vector<SkinArchiveEntry> ShrinkImages(const std::vector<SkinArchiveEntry>& entries) {
    std::vector<SkinArchiveEntry> out = entries;
    for (SkinArchiveEntry& e : out) {
        if (e.body.size() < 2 || e.body[0] != 'B' || e.body[1] != 'M') continue;
        const Bitmap32 image = DecodeBmp(e.body);
        Bitmap32 small(std::max(1, image.width / 4), std::max(1, image.height / 4));
        StretchCopy(small, 0, 0, small.width, small.height, image, 0, 0, image.width, image.height);
        e.body = EncodeBmp(small, 24);
    }
    return out;
}

SkinMutator::SkinMutator(std::vector<SkinArchiveEntry> base, uint32_t seed)
    : entries(std::move(base)), random(seed) {
    archive = BuildSkinArchive(entries);
    package = PackSkinPackage(archive);
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].name.find(".ini") != std::string::npos) descriptionIndex = i;
}

std::vector<uint8_t> SkinMutator::Pack(const std::vector<uint8_t>& bytes) const {
    return PackSkinPackage(bytes);
}

int64_t SkinMutator::EdgeValue(int64_t near) {
    const int64_t values[] = {0, 1, -1, 2, 15, 16, 17, near - 1, near, near + 1, near * 2, INT32_MAX, INT32_MIN,
                              int64_t(INT32_MAX) + 1, 0xFFFF, 1001, 1002, -near};
    if (Below(4) == 0) return int64_t(random()) - int64_t(random());
    return values[Below(int(std::size(values)))];
}

std::string SkinMutator::Token() {
    const char* tokens[] = {"-1", "0", "1", "2", "3", "4", "5", "6", "11", "100", "255", "2147483647",
                            "-2147483648", "99999999999", "abc", "", " ", "1 2 3 4 5", "1,2", "x.bmp",
                            "buttons.bmp", "FrameTop.bmp", "arrows.bmp", "..\\..\\a.bmp", "\\\\server\\s\\b.bmp",
                            ".bmp", "a.BMP", "muhe.ini", "=", "[", "]", ";", "\xE6\x9C\xA8\xE7\xA6\xBE",
                            "\x01\x02\xFF"};
    std::string t = tokens[Below(int(std::size(tokens)))];
    if (Below(10) == 0) t = std::string(size_t(1 + Below(3000)), char('0' + Below(10)));
    return t;
}

std::vector<uint8_t> SkinMutator::TruncatePackage() {
    std::vector<uint8_t> p = package;
    p.resize(size_t(Below(int(p.size()))));
    return p;
}

std::vector<uint8_t> SkinMutator::FlipPackageBits() {
    std::vector<uint8_t> p = package;
    const int flips = 1 + Below(8);
    for (int i = 0; i < flips; ++i) {
        // Mostly late in the stream, where the damage leaves the directory readable.
        const size_t at = Below(3) == 0 ? size_t(Below(int(p.size())))
                                        : p.size() - 1 - size_t(Below(std::max(1, int(p.size() / 8))));
        p[at] ^= uint8_t(1u << Below(8));
    }
    return p;
}

std::vector<uint8_t> SkinMutator::ForgeDeclaredSize() {
    std::vector<uint8_t> p = package;
    const int64_t choices[] = {0, 1, 15, 16, int64_t(archive.size()) - 1, int64_t(archive.size()) + 1,
                               int64_t(archive.size()) * 2, int64_t(kSkinMaxUnpackedSize),
                               int64_t(kSkinMaxUnpackedSize) + 1, 0xFFFFFFFF, int64_t(archive.size()) / 2};
    int64_t value = choices[Below(int(std::size(choices)))];
    // Sizes near the cap decode a long run of zero bits; keep them rare.
    if (value >= int64_t(kSkinMaxUnpackedSize) && value <= int64_t(kSkinMaxUnpackedSize) && Below(20) != 0)
        value = int64_t(archive.size()) + Below(100000);
    PutInt32(p, 0, value);
    return p;
}

std::vector<uint8_t> SkinMutator::ForgeArchiveHeader() {
    std::vector<uint8_t> a = archive;
    if (Below(2) == 0) {
        PutInt32(a, 0, Below(3) == 0 ? EdgeValue(20000) : 20000 + Below(3) - 1);
    } else {
        PutInt32(a, 4, EdgeValue(GetInt32(a, 4)));
    }
    if (Below(5) == 0) a.resize(size_t(Below(40)));
    return Pack(a);
}

std::vector<uint8_t> SkinMutator::ForgeSizeTable() {
    std::vector<uint8_t> a = archive;
    const size_t table = 16 + size_t(GetInt32(a, 4));
    const int forged = 1 + Below(3);
    for (int i = 0; i < forged; ++i) {
        const size_t at = table + 4 * size_t(Below(int(entries.size())));
        PutInt32(a, at, EdgeValue(GetInt32(a, at)));
    }
    if (Below(4) == 0) a.resize(a.size() - size_t(Below(int(a.size() - table))));
    return Pack(a);
}

std::vector<uint8_t> SkinMutator::DamageNameList() {
    std::vector<uint8_t> a = archive;
    const int32_t length = GetInt32(a, 4);
    const size_t at = 16 + size_t(Below(length));
    switch (Below(4)) {
    case 0: a[at] = uint8_t(Below(256)); break;                       // a byte of a name
    case 1: a[at] = '\r'; break;                                      // a line break too many
    case 2: a.erase(a.begin() + std::ptrdiff_t(at)); PutInt32(a, 4, length - 1); break;  // one too few
    default: a.insert(a.begin() + std::ptrdiff_t(at), {'\r', '\n'}); PutInt32(a, 4, length + 2); break;
    }
    return Pack(a);
}

std::vector<uint8_t> SkinMutator::DamageImage() {
    std::vector<SkinArchiveEntry> e = entries;
    size_t i = size_t(Below(int(e.size())));
    if (i == descriptionIndex) i = (i + 1) % e.size();
    std::vector<uint8_t>& body = e[i].body;
    switch (Below(5)) {
    case 0: body.resize(size_t(Below(int(body.size())))); break;
    case 1: {  // the header and the palette, where the sizes and offsets are
        const int n = 1 + Below(6);
        for (int k = 0; k < n; ++k) body[size_t(Below(std::min(int(body.size()), 70)))] = uint8_t(random());
        break;
    }
    case 2: {  // a forged dimension or offset field
        const size_t fields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46};
        const size_t f = fields[Below(int(std::size(fields)))];
        if (f + 4 <= body.size()) PutInt32(body, f, EdgeValue(GetInt32(body, f)));
        break;
    }
    case 3: for (uint8_t& b : body) b = uint8_t(random()); break;
    default: body.clear(); break;
    }
    return Pack(BuildSkinArchive(e));
}

std::vector<uint8_t> SkinMutator::DamageDescription() {
    std::vector<SkinArchiveEntry> e = entries;
    std::string text(e[descriptionIndex].body.begin(), e[descriptionIndex].body.end());
    std::vector<std::string> lines = SplitNameList(text);
    const int edits = 1 + Below(6);
    for (int k = 0; k < edits && !lines.empty(); ++k) {
        const size_t i = size_t(Below(int(lines.size())));
        std::string& line = lines[i];
        const size_t eq = line.find('=');
        switch (Below(8)) {
        case 0: lines.erase(lines.begin() + std::ptrdiff_t(i)); break;
        case 1: lines.insert(lines.begin() + std::ptrdiff_t(i), line); break;
        case 2: std::swap(line, lines[size_t(Below(int(lines.size())))]); break;
        case 3:
        case 4:
            if (eq != std::string::npos) line = line.substr(0, eq + 1) + Token();
            break;
        case 5: line = std::string(kKeys[Below(int(std::size(kKeys)))]) + "=" + Token(); break;
        case 6: line = "[" + std::string(kSections[Below(int(std::size(kSections)))]) + "]"; break;
        default: line.insert(std::min(line.size(), size_t(Below(int(line.size()) + 1))), Token()); break;
        }
    }
    text.clear();
    for (const std::string& l : lines) text += l + (Below(20) == 0 ? "\n" : "\r\n");
    if (Below(10) == 0) text.resize(size_t(Below(int(text.size()) + 1)));
    e[descriptionIndex].body.assign(text.begin(), text.end());
    return Pack(BuildSkinArchive(e));
}

std::vector<uint8_t> SkinMutator::ReorderEntries() {
    std::vector<SkinArchiveEntry> e = entries;
    switch (Below(3)) {
    case 0: e.erase(e.begin() + Below(int(e.size()))); break;  // possibly the description
    case 1: e.push_back(e[size_t(Below(int(e.size())))]); break;
    default: std::shuffle(e.begin(), e.end(), random); break;
    }
    return Pack(BuildSkinArchive(e));
}

std::vector<uint8_t> SkinMutator::Next(std::string& how) {
    switch (Below(12)) {
    case 0: how = "truncated package"; return TruncatePackage();
    case 1: how = "bit flips"; return FlipPackageBits();
    case 2: how = "forged unpacked size"; return ForgeDeclaredSize();
    case 3: how = "forged archive header"; return ForgeArchiveHeader();
    case 4: how = "forged entry sizes"; return ForgeSizeTable();
    case 5: how = "damaged name list"; return DamageNameList();
    case 6:
    case 7: how = "damaged image"; return DamageImage();
    case 8: how = "entries removed, repeated or shuffled"; return ReorderEntries();
    default: how = "damaged description"; return DamageDescription();
    }
}

namespace {

std::vector<const TDataSkinObject*> AllParts(const TSkinContent& s) {
    return {&s.Left, &s.Right, &s.Top, &s.Bottom, &s.Buttons, &s.Title, s.Progress.get(), s.MenuBar.get(),
            s.GroupBoxEdge.get(), s.Toolbars.get(), s.Tabs.get(), s.StatusBarEdges.get(), s.ComboButton.get(),
            s.SunkEdge.get(), s.ExtraImages.get(), s.Headerbar.get(), s.MenuItem.get(), s.MenuBackground.get(),
            s.Scrollbar.get(), s.HorzScroll.get(), s.VertScroll.get(), s.HorzScrollThumb.get(),
            s.VertScrollThumb.get(), s.ThumbHorz.get(), s.ThumbVert.get(), s.ThumbLeft.get(), s.ThumbRight.get(),
            s.ThumbUp.get(), s.ThumbDown.get(), s.UpDownHorz.get(), s.UpDownVert.get()};
}

uint64_t Mix(uint64_t h, uint64_t v) { return (h ^ v) * 0x100000001B3ull; }

uint64_t PartPrint(uint64_t h, const TDataSkinObject* p) {
    if (!p) return Mix(h, 0xDEAD);
    h = Mix(h, uint64_t(p->Image.width) << 32 | uint32_t(p->Image.height));
    for (uint32_t px : p->Image.pixels) h = Mix(h, px);
    for (int32_t v : {p->LeftWidth, p->TopHeight, p->RightWidth, p->BottomHeight, p->Trans, p->Tile,
                      p->FrameCount, p->Style, p->NormalColour})
        h = Mix(h, uint32_t(v));
    for (char c : p->Name) h = Mix(h, uint8_t(c));
    return h;
}

// Everything a load replaces, reduced to one number.
uint64_t Fingerprint(const TSkinData& data) {
    const TSkinContent& s = data.Content();
    uint64_t h = 0xCBF29CE484222325ull;
    for (char c : s.SkinName) h = Mix(h, uint8_t(c));
    for (ColourRef c : s.Palette) h = Mix(h, c);
    h = Mix(h, s.Colours.ButtonFace);
    h = Mix(h, s.Colours.MenuText);
    h = Mix(h, s.BackgroundColour);
    for (const TDataSkinObject* p : AllParts(s))
        h = PartPrint(h, p);
    for (const TDataSkinSysButton& b : s.TitleButtons) h = PartPrint(Mix(h, uint32_t(b.Action)), &b);
    for (uint8_t b : data.Package().Bytes()) h = Mix(h, b);
    return h;
}

// Draws a part the way the painters will: any size, the first and last frames, one between
// and the numbers just outside.
void Exercise(const TDataSkinObject* p, uint32_t& seed) {
    if (!p) return;
    auto next = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % uint32_t(n));
    };
    const int n = p->FrameCount;  // any value a damaged description can give
    const int beyond = n < INT32_MAX ? n + 1 : n;
    for (int frame : {0, 1, 2 + next(std::clamp(n, 1, 1000)), n, beyond}) {
        const int w = next(40), h = next(40);
        const FrameLayout layout = next(2) ? FrameLayout::SideBySide : FrameLayout::Stacked;
        const Bitmap32 out = RenderPart(w, h, *p, layout, next(2) == 1, frame);
        Bitmap32 dest(w + 3, h + 3);
        PaintFrame(dest, next(9) - 4, next(9) - 4, w, h, p->Image, n, frame, p->Trans != 0);
        CopyTransparent(dest, next(9) - 4, next(9) - 4, out);
    }
}

}  // namespace

std::string CheckPackage(TSkinData& data, const std::vector<uint8_t>& package, MutationTally& tally) {
    const uint64_t before = Fingerprint(data);
    MemoryStream value;
    const uint32_t n = uint32_t(package.size());
    const uint8_t count[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
    value.Write(count, 4);
    value.Write(package);
    value.Seek(0);
    try {
        data.ReadSkinStream(value);
    } catch (const Exception& e) {
        if (std::string(e.what()).empty()) return "an error without a message";
        if (Fingerprint(data) != before) return std::string("a failed load changed the skin: ") + e.what();
        ++tally.refused;
        return {};
    } catch (const std::exception& e) {
        return std::string("an error that is not the program's own: ") + e.what();
    }
    if (data.SkinPending()) {
        if (Fingerprint(data) != before) return "a refused package changed the skin";
        ++tally.older;
        return {};
    }
    ++tally.loaded;
    const TSkinContent& s = data.Content();
    uint32_t seed = uint32_t(before);
    for (const TDataSkinObject* p : AllParts(s))
        Exercise(p, seed);
    for (const TDataSkinSysButton& b : s.TitleButtons) Exercise(&b, seed);
    if (s.ComboButton) {
        const Bitmap32 turned = RotateClockwise(FlipImage(s.ComboButton->Image2));
        if (turned.width != s.ComboButton->Image2.height) return "a quarter turn lost the image size";
    }
    return {};
}
