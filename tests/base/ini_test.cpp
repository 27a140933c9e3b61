#include <gtest/gtest.h>

#include "base/ini.h"

TEST(Ini, NamesMatchWithoutRegardToCaseAndValuesAreTrimmed) {
    const IniFile ini("[Personality]\r\n  LeftTopHeight =  26 \r\nTextBack=\tdialog.bmp\t\r\n[colour0]\r\ncolor=1 2 3\r\n");
    EXPECT_EQ(ini.ReadString("PERSONALITY", "lefttopheight", "x"), "26");
    EXPECT_EQ(ini.ReadString("personality", "TEXTBACK", "x"), "dialog.bmp");
    EXPECT_EQ(ini.ReadString("Colour0", "Color", "x"), "1 2 3");
    EXPECT_TRUE(ini.SectionExists("COLOUR0"));
    EXPECT_TRUE(ini.ValueExists("Personality", "TextBack"));
    EXPECT_FALSE(ini.ValueExists("Personality", "menuBar"));
    EXPECT_EQ(ini.ReadString("Personality", "menuBar", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadString("Nowhere", "TextBack", "fallback"), "fallback");
}

TEST(Ini, SectionsKeepFileOrderAndDuplicatesKeepTheFirstValue) {
    const IniFile ini("[B]\nk=1\nk=2\n[a]\nx=1\n[b]\nk=3\nm=4\n[Colours]\n");
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"B", "a", "Colours"}));
    EXPECT_EQ(ini.ReadString("b", "k", ""), "1");  // first key wins, also across a repeated section
    EXPECT_EQ(ini.ReadString("b", "m", ""), "4");  // keys of the repeated section are merged
    EXPECT_TRUE(ini.SectionExists("colours"));
    EXPECT_EQ(IniFile("").Sections().size(), 0u);
}

TEST(Ini, LineEndsCommentsAndOddLines) {
    // CR LF, lone LF and lone CR all end lines; a byte-order mark is skipped; lines before the
    // first section, comments, lines without '=' and empty keys are ignored.
    const IniFile ini("\xEF\xBB\xBF" "early=1\r\n[S]\rone=1\ntwo=2\r\n; three=3\r\nnoequals\r\n=empty\r\n"
                      "[ T ]\r\nurl=a=b\r\n[U\r\nk=v");
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"S", "T", "U"}));
    EXPECT_EQ(ini.ReadString("S", "one", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "two", ""), "2");
    EXPECT_FALSE(ini.ValueExists("S", "three"));
    EXPECT_FALSE(ini.ValueExists("S", "; three"));
    EXPECT_FALSE(ini.ValueExists("S", "noequals"));
    EXPECT_FALSE(ini.ValueExists("S", ""));
    EXPECT_FALSE(ini.ValueExists("early", "early"));
    EXPECT_EQ(ini.ReadString("T", "url", ""), "a=b");  // only the first '=' separates
    EXPECT_EQ(ini.ReadString("U", "k", ""), "v");       // a last line without a line end counts
}

TEST(Ini, EnclosingQuotesAreRemoved) {
    const IniFile ini("[S]\na=\" padded \"\nb='x'\nc=\"open\nd=\"\ne=it's\n");
    EXPECT_EQ(ini.ReadString("S", "a", ""), " padded ");
    EXPECT_EQ(ini.ReadString("S", "b", ""), "x");
    EXPECT_EQ(ini.ReadString("S", "c", ""), "\"open");
    EXPECT_EQ(ini.ReadString("S", "d", ""), "\"");
    EXPECT_EQ(ini.ReadString("S", "e", ""), "it's");
}

TEST(Ini, ReadIntegerTakesSignedDecimalsAndFallsBackOnAnythingElse) {
    const IniFile ini("[N]\na=42\nb=-7\nc=+5\nd=12px\ne=\nf=0x10\ng=2147483647\nh=2147483648\n"
                      "i=-2147483648\nj= 3 \nk=+-1\nl=+\nm=1 2\n");
    EXPECT_EQ(ini.ReadInteger("N", "a", 0), 42);
    EXPECT_EQ(ini.ReadInteger("N", "b", 0), -7);
    EXPECT_EQ(ini.ReadInteger("N", "c", 0), 5);
    EXPECT_EQ(ini.ReadInteger("N", "d", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "e", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "f", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "g", 0), 2147483647);
    EXPECT_EQ(ini.ReadInteger("N", "h", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "i", 0), INT32_MIN);
    EXPECT_EQ(ini.ReadInteger("N", "j", 0), 3);
    EXPECT_EQ(ini.ReadInteger("N", "k", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "l", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "m", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "absent", 14), 14);
}

TEST(Ini, NonAsciiBytesAreComparedExactly) {
    const IniFile ini("[皮肤]\n名称=木禾\nÄ=1\n");
    EXPECT_EQ(ini.ReadString("皮肤", "名称", ""), "木禾");
    EXPECT_FALSE(ini.ValueExists("皮肤", "ä"));  // only ASCII letters fold
    EXPECT_EQ(AsciiLower("Button.RADIO Ä"), "button.radio Ä");
    EXPECT_EQ(AsciiUpper("colour0 ä"), "COLOUR0 ä");
}
