#include <gtest/gtest.h>

#include <map>

#include "skin/parse_colour.h"
#include "skin/skin3rd.h"
#include "skin/skin_types.h"

TEST(ParseColour, SeparatorsAndTheLastNumber) {
    const ColourRef def = MakeColourRef(9, 9, 9);
    const ColourRef expected = MakeColourRef(59, 97, 131);
    EXPECT_EQ(ParseColour("59 97 131", def), expected);
    EXPECT_EQ(ParseColour("59,97,131", def), expected);
    EXPECT_EQ(ParseColour("59,97,131,", def), expected);
    EXPECT_EQ(ParseColour("  59 ; 97 / 131  ", def), expected);
    EXPECT_EQ(ParseColour("(59)(97)(131)", def), expected);
    // A single number with nothing after it stores nothing; two give red only.
    EXPECT_EQ(ParseColour("200", def), MakeColourRef(0, 0, 0));
    EXPECT_EQ(ParseColour("200 100", def), MakeColourRef(200, 0, 0));
    EXPECT_EQ(ParseColour("200,", def), MakeColourRef(200, 0, 0));
    // The text is trimmed before it is scanned: a trailing blank does not end a number.
    EXPECT_EQ(ParseColour("200 100 ", def), MakeColourRef(200, 0, 0));
    EXPECT_EQ(ParseColour("200 100,", def), MakeColourRef(200, 100, 0));
    EXPECT_EQ(ParseColour("red", def), MakeColourRef(0, 0, 0));
}

TEST(ParseColour, DefaultsOverflowAndExtraNumbers) {
    const ColourRef def = MakeColourRef(1, 2, 3);
    EXPECT_EQ(ParseColour("", def), def);
    EXPECT_EQ(ParseColour(" \t ", def), def);
    // Each component keeps its low 8 bits, however long the number.
    EXPECT_EQ(ParseColour("256 257 511", def), MakeColourRef(0, 1, 255));
    // 10^20 is a multiple of 256, so 10^20 - 1 keeps 255.
    EXPECT_EQ(ParseColour("99999999999999999999 0 1", def), MakeColourRef(255, 0, 1));
    // Numbers after the third are ignored; a minus sign is only a separator.
    EXPECT_EQ(ParseColour("1 2 3 4 5", def), MakeColourRef(1, 2, 3));
    EXPECT_EQ(ParseColour("1 2 3 4", def), MakeColourRef(1, 2, 3));
    EXPECT_EQ(ParseColour("-1 -2 -3", def), MakeColourRef(1, 2, 3));
}

TEST(Skin3rd, TheDefaultListHas95LinesWithThreeRepeatedNames) {
    const std::vector<std::string> lines = DefaultSkin3rd();
    ASSERT_EQ(lines.size(), 95u);
    std::map<std::string, int> seen;
    std::map<std::string, int> perKind;
    for (const std::string& line : lines) {
        const size_t eq = line.find('=');
        ASSERT_NE(eq, std::string::npos) << line;
        ++seen[line.substr(0, eq)];
        ++perKind[line.substr(eq + 1)];
    }
    int repeated = 0;
    for (const auto& [name, count] : seen)
        if (count > 1) {
            ++repeated;
            EXPECT_EQ(count, 2) << name;
        }
    EXPECT_EQ(repeated, 3);
    EXPECT_EQ(seen.count("TDBCheckboxEh"), 1u);
    EXPECT_EQ(seen["TLMDFontSizeCombobox"], 2);
    EXPECT_EQ(seen["TWWDBCombobox"], 2);
    EXPECT_EQ(perKind["Edit"], 34);
    EXPECT_EQ(perKind["combobox"], 30);
    EXPECT_EQ(perKind["Panel"], 10);
}

TEST(Skin3rd, LookupsIgnoreCaseAndTakeTheFirstLine) {
    const std::vector<std::string> lines = DefaultSkin3rd();
    EXPECT_EQ(LookupSkin3rd(lines, "tlmdedit"), TSkin3rdKind::Edit);
    EXPECT_EQ(LookupSkin3rd(lines, "TWWDBCOMBOBOX"), TSkin3rdKind::Combobox);
    EXPECT_EQ(LookupSkin3rd(lines, "TRzRadioGroup"), TSkin3rdKind::Radiogroup);
    EXPECT_EQ(LookupSkin3rd(lines, "TLMDCheckGroup"), TSkin3rdKind::Checkgroup);
    EXPECT_EQ(LookupSkin3rd(lines, "TImageEnView"), TSkin3rdKind::Scrollbar);
    EXPECT_EQ(LookupSkin3rd(lines, "TBitBtn"), TSkin3rdKind::None);

    const std::vector<std::string> custom = {"no separator", "TMine=TRACKBAR", "tmine=edit", "TOther=sparkle",
                                             "TEmpty="};
    EXPECT_EQ(LookupSkin3rd(custom, "TMINE"), TSkin3rdKind::Trackbar);
    EXPECT_EQ(LookupSkin3rd(custom, "TOther"), TSkin3rdKind::Unknown);
    EXPECT_EQ(LookupSkin3rd(custom, "TEmpty"), TSkin3rdKind::Unknown);  // named, but with no kind
    EXPECT_EQ(LookupSkin3rd(custom, "no separator"), TSkin3rdKind::None);
    EXPECT_EQ(FindSkin3rdKind(custom, "tmine").value_or("?"), "TRACKBAR");
    for (const char* kind : {"Combobox", "combobox", "Radiogroup", "radiogroup", "TAB", "Progress", "checkbox"})
        EXPECT_NE(ParseSkin3rdKind(kind), TSkin3rdKind::Unknown) << kind;
}

TEST(SkinControls, MembersAreBitsInDeclarationOrder) {
    const TSkinControls program = {xcMainMenu, xcCombo, xcBitBtn, xcStatusBar, xcTab, xcSystemMenu};
    EXPECT_EQ(program.Bits(), (1u << 0) | (1u << 4) | (1u << 11) | (1u << 15) | (1u << 16) | (1u << 17));
    EXPECT_TRUE(program.Contains(xcCombo));
    EXPECT_FALSE(program.Contains(xcEdit));
    const TSkinControls all = TSkinControls::Default();
    EXPECT_EQ(all.Bits(), (1u << 18) - 1);
    EXPECT_FALSE(all.Contains(xcFastReport));
    TSkinControls s = all;
    s.Exclude(xcPanel).Include(xcFastReport);
    EXPECT_FALSE(s.Contains(xcPanel));
    EXPECT_TRUE(s.Contains(xcFastReport));
    EXPECT_EQ(TSkinControls::FromBits(0xFFFFFFFF).Bits(), (1u << 19) - 1);
}
