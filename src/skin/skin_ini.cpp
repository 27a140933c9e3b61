#include "skin/skin_ini.h"

#include "base/bmp.h"
#include "skin/parse_colour.h"
#include "skin/part_renderer.h"

#include <algorithm>
#include <memory>
#include <optional>

void LoadEntryBitmap(const TSkinReader& reader, Bitmap32& bitmap, std::string_view fileName) {
    bitmap = Bitmap32();
    const size_t slash = fileName.find_last_of("/\\");
    const std::string_view base = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const size_t dot = base.rfind('.');
    if (base.empty() || dot == std::string_view::npos || base.substr(dot) != ".bmp") return;
    MemoryStream entry;
    reader.ExtractEntry(base, entry);
    if (entry.Size() > 0) bitmap = DecodeBmp(entry.Bytes());
}

namespace {

const char* const kPersonality = "Personality";

class DescriptionReader {
public:
    DescriptionReader(const IniFile& description, const TSkinReader& images,
                      const std::function<ColourRef(SysColour)>& systemColours)
        : ini(description), reader(images), systemColour(systemColours) {}

    TSkinContent Read() {
        sections = ini.Sections();
        skin.SkinName = ini.ReadString("TitlebarSkin", "SkinName", "");
        ReadFrameBorders();
        ReadColours();
        ReadTitleButtons();
        ReadMdiButtons();
        ReadButtons();
        ReadTitle();
        ReadProgress();
        ReadMenuBar();
        skin.GroupBoxEdge = ReadPart("GroupBoxEdge");
        skin.Toolbars = ReadPart("Toolbars");
        skin.Tabs = ReadBorderPart("Tabs", "Border");
        skin.StatusBarEdges = ReadPart("StatusBarEdges");
        // "****" never names a file: the combo button's second image is its mirror, for
        // windows with the scroll bar on the left.
        skin.ComboButton = ReadBorderPart("ComboButton", "****");
        if (skin.ComboButton && !skin.ComboButton->Image.Empty())
            skin.ComboButton->Image2 = MirrorImage(skin.ComboButton->Image);
        // The combo painter chooses by the button's Style, so it is read here although the
        // other border parts ignore theirs: without it the second painter could never be
        // chosen.
        if (skin.ComboButton) skin.ComboButton->Style = Int("ComboButton", "Style", 0);
        skin.SunkEdge = ReadPart("SunkEdge");
        skin.ExtraImages = ReadPart("ExtraImages");
        skin.Headerbar = ReadPart("Headerbar");
        skin.MenuItem = ReadPart("MenuItem");
        skin.MenuBackground = ReadPart("MenuBackground");
        skin.Scrollbar = ReadPart("Scrollbar");
        skin.HorzScroll = ReadPart("HorzScroll");
        skin.VertScroll = ReadPart("VertScroll");
        skin.HorzScrollThumb = ReadPart("HorzScrollThumb");
        skin.VertScrollThumb = ReadPart("VertScrollThumb");
        skin.ThumbHorz = ReadPart("Trackbar.ThumbHorz");
        skin.ThumbVert = ReadPart("Trackbar.ThumbVert");
        skin.ThumbLeft = ReadPart("Trackbar.ThumbLeft");
        skin.ThumbRight = ReadPart("Trackbar.ThumbRight");
        skin.ThumbUp = ReadPart("Trackbar.ThumbUp");
        skin.ThumbDown = ReadPart("Trackbar.ThumbDown");
        skin.UpDownHorz = ReadBorderPart("UpDown.Horz", "GlyphImage");
        skin.UpDownVert = ReadBorderPart("UpDown.Vert", "GlyphImage");
        SetFrameCounts();
        skin.BackgroundColour = skin.Colours.ButtonFace;
        return std::move(skin);
    }

private:
    int32_t Int(std::string_view section, std::string_view key, int32_t def) const {
        return ini.ReadInteger(section, key, def);
    }
    ColourRef Colour(std::string_view section, std::string_view key, ColourRef def) const {
        return ParseColour(ini.ReadString(section, key, ""), def);
    }
    void Image(Bitmap32& bitmap, std::string_view section, std::string_view key) const {
        LoadEntryBitmap(reader, bitmap, ini.ReadString(section, key, ""));
    }
    ColourRef System(SysColour c) const { return systemColour(c); }

    // A frame count below 1 would make every painter divide by it; the description's value
    // then counts as absent.
    static int32_t FrameCountOr(int32_t value, int32_t fallback) { return value >= 1 ? value : fallback; }

    void ReadFrameBorders() {
        struct Border {
            const char* name;
            TDataSkinBorder* part;
            bool vertical;  // Left and Right: the fixed slices are at the top and bottom
        };
        const Border borders[] = {{"Left", &skin.Left, true},
                                  {"Right", &skin.Right, true},
                                  {"Top", &skin.Top, false},
                                  {"Bottom", &skin.Bottom, false}};
        for (const Border& b : borders) {
            const std::string n = b.name;
            TDataSkinBorder& part = *b.part;
            part.Name = n;
            Image(part.Image, kPersonality, n);
            part.FrameCount = FrameCountOr(Int(kPersonality, n + "Frame", 1), 1);
            part.Tile = Int(kPersonality, n + "Stretch", 1);
            part.Trans = Int(kPersonality, n + "Trans", 1);
            const int32_t first = Int(kPersonality, n + "TopHeight", 0);
            const int32_t second = Int(kPersonality, n + "BotHeight", 0);
            if (b.vertical) {
                part.TopHeight = first;
                part.BottomHeight = second;
            } else {
                part.LeftWidth = first;
                part.RightWidth = second;
            }
        }
    }

    void ReadColours() {
        TSkinColours& c = skin.Colours;
        const char* s = "Colours";
        c.WindowText = Colour(s, "WindowText", System(SysColour::WindowText));
        c.ButtonFace = Colour(s, "ButtonFace", System(SysColour::ButtonFace));
        c.Scrollbar = Colour(s, "Scrollbar", System(SysColour::ScrollBar));
        c.HilightText = Colour(s, "HilightText", System(SysColour::HighlightText));
        c.Hilight = Colour(s, "Hilight", System(SysColour::Highlight));
        c.Menubar = Colour(s, "Menubar", c.ButtonFace);
        c.Menu = Colour(s, "Menu", System(SysColour::Menu));
        c.MenuText = Colour(s, "MenuText", System(SysColour::MenuText));
        c.ButtonText = Colour(s, "ButtonText", System(SysColour::ButtonText));
        c.ButtonHilight = Colour(s, "ButtonHilight", System(SysColour::ButtonHighlight));
        c.Buttonlight = Colour(s, "Buttonlight", System(SysColour::ButtonHighlight));
        c.ButtonShadow = Colour(s, "ButtonShadow", System(SysColour::ButtonShadow));
        c.ButtonDkShadow = Colour(s, "ButtonDkShadow", System(SysColour::ButtonShadow));
        c.MenuBarText = Colour(s, "MenuBarText", System(SysColour::MenuText));
        c.TitleTextActive = Colour(s, "TitleTextActive", System(SysColour::CaptionText));
        c.TitleTextNoActive = Colour(s, "TitleTextNoActive", System(SysColour::InactiveCaptionText));

        for (const std::string& section : sections) {
            const std::string upper = AsciiUpper(section);
            if (upper.starts_with("COLOUR") && upper != "COLOURS")
                skin.Palette.push_back(Colour(section, "color", System(SysColour::WindowText)));
        }
    }

    void ReadTitleButtons() {
        for (const std::string& section : sections) {
            const std::string upper = AsciiUpper(section);
            if (!upper.starts_with("BUTTON") || upper == "BUTTONS" || upper == "BUTTON.RADIO" ||
                upper == "BUTTON.CHECKBOX")
                continue;
            TDataSkinSysButton b;
            b.Name = upper;
            b.Action = Int(section, "Action", 0);
            b.Align = Int(section, "Align", 0);
            b.Xcoord = Int(section, "Xcoord", 0);
            b.Ycoord = Int(section, "Ycoord", 0);
            b.Visibility = Int(section, "Visibility", 0);
            b.Visibility1 = Int(section, "Visibility1", 0);
            b.CombineOp = Int(section, "CombineOp", -1);
            Image(b.Image, section, "ButtonImage");
            int32_t frames = Int(section, "frame", 0);
            if (frames < 1) {
                // No frame count given: a strip up to 3.8 times as wide as high has three
                // frames (normal, pressed, hot), a wider one six. 5w <= 19h is w / h <= 3.8
                // without rounding.
                frames = 6;
                if (!b.Image.Empty())
                    frames = int64_t(b.Image.width) * 5 <= int64_t(b.Image.height) * 19 ? 3 : 6;
            }
            if (b.Action < 0) frames = 6;
            b.FrameCount = frames;
            if (b.Action == 3 || b.Action == 11) b.Image = Bitmap32();  // the window icon stands in
            skin.TitleButtons.push_back(std::move(b));
        }
        for (int32_t action : {7, 8, 9}) {  // the MDI child's minimize, restore and close
            TDataSkinSysButton b;
            b.Name = "MDICONTROLS";
            b.Action = action;
            b.Align = 100;
            b.Visibility = 100;
            b.Visibility1 = 100;
            b.FrameCount = 4;
            skin.TitleButtons.push_back(std::move(b));
        }
    }

    void ReadMdiButtons() {
        Bitmap32 strip;
        Image(strip, "MDICONTROLS", "Image");
        if (strip.Empty()) return;
        const int a = strip.width / 12;
        TDataSkinSysButton* mdi = &skin.TitleButtons[skin.TitleButtons.size() - 3];
        for (int k = 0; k < 3; ++k) {
            Bitmap32 image(4 * a, strip.height);
            StretchCopy(image, 0, 0, 4 * a, strip.height, strip, 4 * a * k, 0, 4 * a, strip.height);
            mdi[k].Image = std::move(image);
            mdi[k].Xcoord = (a + 4) * (3 - k);
        }
    }

    void ReadButtons() {
        const char* s = "Buttons";
        TDataSkinButton& b = skin.Buttons;
        b.Name = s;
        b.LeftWidth = Int(s, "LeftWidth", 0);
        b.RightWidth = Int(s, "RightWidth", 0);
        b.TopHeight = Int(s, "TopHeight", 0);
        b.BottomHeight = Int(s, "BottomHeight", 0);
        b.Trans = Int(s, "Trans", 0);
        b.Tile = Int(s, "Tile", 0);
        Image(b.Image, s, "Bitmap");
        Image(b.CheckImage, s, "CheckButton");
        Image(b.RadioImage, s, "RadioButton");
        b.NormalColour = Int(s, "NormalColour", -1);
        b.MouseOverColour = Int(s, "MouseOverColour", -1);
        b.PressedColour = Int(s, "PressedColour", -1);
        b.RadioFrameCount = Int(s, "RadioButtonFrame", 0);
        b.CheckFrameCount = Int(s, "CheckButtonFrame", 0);
        ReadTextColours(b, s);
    }

    void ReadTextColours(TDataSkinObject& part, std::string_view section) const {
        part.NormalColour2 = Colour(section, "NormalColour2", skin.Colours.ButtonText);
        part.MouseOverColour2 = Colour(section, "MouseOverColour2", skin.Colours.ButtonText);
        part.PressedColour2 = Colour(section, "PressedColour2", skin.Colours.ButtonText);
    }

    // Separate R, G and B keys; the colour is given only when all three are.
    std::optional<ColourRef> ColourFromKeys(std::string_view section, const std::string& prefix) const {
        const int32_t r = Int(section, prefix + "R", -1);
        const int32_t g = Int(section, prefix + "G", -1);
        const int32_t b = Int(section, prefix + "B", -1);
        if (r < 0 || g < 0 || b < 0) return std::nullopt;
        return MakeColourRef(uint8_t(r), uint8_t(g), uint8_t(b));
    }

    void ReadTitle() {
        TDataSkinTitle& t = skin.Title;
        t.Name = kPersonality;
        Image(t.Image, kPersonality, "TextBack");
        t.TextShift = Int(kPersonality, "TextShift", 0);
        t.TextShiftVert = Int(kPersonality, "TextShiftVert", 0);
        t.TextRightClip = Int(kPersonality, "TextRightClip", 0);
        t.TextAlignment = Int(kPersonality, "TextAlignment", 0);
        t.Textbackground = Int(kPersonality, "Textbackground", 0);
        t.TXTBackleft = Int(kPersonality, "TXTBackleft", 0);
        t.TXTBackRight = Int(kPersonality, "TXTBackRight", 0);
        t.FontHeight = Int("Fonts", "FontHeight", 14);
        if (auto c = ColourFromKeys(kPersonality, "ActiveText")) t.ActiveTextColour = *c;
        if (auto c = ColourFromKeys(kPersonality, "InActiveText")) t.InactiveTextColour = *c;
    }

    void ReadProgress() {
        const char* s = "Progress";
        if (ini.ReadString(s, "Bitmap", "").empty()) return;
        auto p = std::make_unique<TDataSkinBorder>();
        p->Name = s;
        Image(p->Image, s, "Bitmap");
        Image(p->Image2, s, "Chunk");
        p->Style = Int(s, "Style", 0);
        ReadSlices(*p, s);
        p->Tile = Int(s, "Tile", 0);  // kept as given, unlike the generic parts
        skin.Progress = std::move(p);
    }

    void ReadMenuBar() {
        if (ini.ReadString(kPersonality, "menuBar", "").empty()) return;
        auto m = std::make_unique<TDataSkinObject>();
        m->Name = kPersonality;
        Image(m->Image, kPersonality, "menuBar");
        m->Tile = Int(kPersonality, "TileMenu", 0);
        m->LeftWidth = Int(kPersonality, "TileLeftMenu", 1);
        m->RightWidth = Int(kPersonality, "TileRightMenu", 1);
        skin.MenuBar = std::move(m);
    }

    void ReadSlices(TDataSkinObject& part, std::string_view section) const {
        part.LeftWidth = Int(section, "LeftWidth", 0);
        part.RightWidth = Int(section, "RightWidth", 0);
        part.TopHeight = Int(section, "TopHeight", 0);
        part.BottomHeight = Int(section, "BottomHeight", 0);
        part.Trans = Int(section, "Trans", 0);
    }

    // The keys every generic part shares; Tile above 1 means stretch.
    void ReadCommon(TDataSkinObject& part, const std::string& section) const {
        part.Name = section;
        Image(part.Image, section, "Image");
        ReadSlices(part, section);
        part.Tile = Int(section, "Tile", 0);
        if (part.Tile > 1) part.Tile = 0;
        part.NormalColour = Int(section, "NormalColour", -1);
        part.MouseOverColour = Int(section, "MouseOverColour", -1);
        part.PressedColour = Int(section, "PressedColour", -1);
        ReadTextColours(part, section);
    }

    std::unique_ptr<TDataSkinObject> ReadPart(const std::string& section) const {
        if (ini.ReadString(section, "Image", "").empty()) return nullptr;
        auto part = std::make_unique<TDataSkinObject>();
        ReadCommon(*part, section);
        part->Style = Int(section, "Style", 0);
        return part;
    }

    std::unique_ptr<TDataSkinBorder> ReadBorderPart(const std::string& section, std::string_view secondKey) const {
        if (ini.ReadString(section, "Image", "").empty()) return nullptr;
        auto part = std::make_unique<TDataSkinBorder>();
        ReadCommon(*part, section);
        Image(part->Image2, section, secondKey);
        return part;
    }

    // Radio and check images without a frame count: 13 pixels a frame for images under 16
    // pixels high, else 16, and never fewer than 4 frames.
    static int32_t BoxFrames(int32_t given, const Bitmap32& image) {
        if (given >= 1) return given;
        const int32_t frames = image.height < 16 ? image.width / 13 : image.width / 16;
        return std::max<int32_t>(frames, 4);
    }

    void SetFrameCounts() {
        skin.Buttons.FrameCount = 5;
        skin.Buttons.RadioFrameCount = BoxFrames(skin.Buttons.RadioFrameCount, skin.Buttons.RadioImage);
        skin.Buttons.CheckFrameCount = BoxFrames(skin.Buttons.CheckFrameCount, skin.Buttons.CheckImage);
        skin.Title.FrameCount = 2;
        auto set = [](auto& part, int32_t frames) {
            if (part) part->FrameCount = frames;
        };
        set(skin.Progress, 2);
        set(skin.MenuBar, 2);
        set(skin.GroupBoxEdge, 2);
        set(skin.StatusBarEdges, 3);
        for (auto* p : {&skin.SunkEdge, &skin.HorzScroll, &skin.VertScroll}) set(*p, 4);
        set(skin.ComboButton, 4);
        set(skin.Tabs, 5);
        for (auto* p : {&skin.Toolbars, &skin.ExtraImages, &skin.Headerbar, &skin.MenuItem, &skin.ThumbHorz,
                        &skin.ThumbVert, &skin.ThumbLeft, &skin.ThumbRight, &skin.ThumbUp, &skin.ThumbDown})
            set(*p, 5);
        set(skin.MenuBackground, 1);
        set(skin.UpDownHorz, 8);
        set(skin.UpDownVert, 8);
        set(skin.Scrollbar, 23);
        set(skin.HorzScrollThumb, FrameCountOr(Int("HorzScrollThumb", "FrameCount", 3), 3));
        set(skin.VertScrollThumb, FrameCountOr(Int("VertScrollThumb", "FrameCount", 3), 3));
    }

    const IniFile& ini;
    const TSkinReader& reader;
    const std::function<ColourRef(SysColour)>& systemColour;
    std::vector<std::string> sections;
    TSkinContent skin;  // the skin being built
};

}  // namespace

TSkinContent LoadSkinIni(const IniFile& ini, const TSkinReader& reader,
                         const std::function<ColourRef(SysColour)>& systemColour) {
    DescriptionReader r(ini, reader, systemColour);
    return r.Read();
}
