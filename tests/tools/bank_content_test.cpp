#include <gtest/gtest.h>

#include "bank_fixture.h"
#include "content_reader.h"
#include "rtf_writer.h"

TEST(ContentReader, ReadsSectionsAndQuestionsWithBomCrLfAndComments) {
    ScratchDir dir;
    const auto file = dir.Path() / "chapter.txt";
    WriteText(file,
              "\xEF\xBB\xBF# a comment\r\n\r\n@section 道路交通信号\r\n"
              "单项选择题|这个标志表示什么？|限速|最低限速|解除限速|A|limit:60\r\n"
              "判断题|夜间会车应当使用近光灯。|正确|错误||A|\r\n"
              "@section 安全行车\n"
              "判断题|雾天可以开远光灯。|正确|错误||B|\n");
    const auto qs = ReadChapterFile(file);
    ASSERT_EQ(qs.size(), 3u);
    EXPECT_EQ(qs[0].section, "道路交通信号");
    EXPECT_EQ(qs[0].picture, "limit:60");
    EXPECT_EQ(qs[0].c, "解除限速");
    EXPECT_EQ(qs[1].kind, "判断题");
    EXPECT_EQ(qs[1].c, "");
    EXPECT_EQ(qs[1].picture, "");
    EXPECT_EQ(qs[2].section, "安全行车");
    EXPECT_EQ(qs[2].line, 7);
}

TEST(ContentReader, RejectsMalformedLinesNamingFileAndLine) {
    ScratchDir dir;
    const auto file = dir.Path() / "bad.txt";
    const auto message = [&](const std::string& text) {
        WriteText(file, text);
        try {
            ReadChapterFile(file);
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_NE(message("@section s\n判断题|只有六个字段|正确|错误||A\n").find("bad.txt:2: expected 7 fields"), std::string::npos);
    EXPECT_NE(message("判断题|在任何节之前|正确|错误||A|\n").find(":1: question before the first @section"), std::string::npos);
    EXPECT_NE(message("@section s\n多选题|不存在的题型|甲|乙|丙|A|\n").find("unknown kind"), std::string::npos);
    EXPECT_NE(message("@section\n").find("a section needs a title"), std::string::npos);
}

TEST(ContentReader, ReadsSignPagesAndLawsInFileOrder) {
    ScratchDir dir;
    WriteText(dir.Path() / "pages.txt", "@page 警告标志\n@intro 提醒注意。\nwarn:children|注意儿童|减速。\n@page 禁令标志\nstop|停车让行|停车。\n");
    const auto pages = ReadSignPages(dir.Path() / "pages.txt");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].intro, "提醒注意。");
    ASSERT_EQ(pages[0].signs.size(), 1u);
    EXPECT_EQ(pages[0].signs[0].name, "注意儿童");
    EXPECT_EQ(pages[1].signs[0].picture, "stop");
    WriteText(dir.Path() / "bad.txt", "warn:children|注意儿童|减速。\n");
    EXPECT_THROW(ReadSignPages(dir.Path() / "bad.txt"), std::runtime_error);

    std::filesystem::create_directories(dir.Path() / "laws");
    WriteText(dir.Path() / "laws" / "02-乙法.txt", "乙法\n第一条\n");
    WriteText(dir.Path() / "laws" / "01-甲法.txt", "甲法\n\n  第一章 总则  \n正文。\n");
    const auto laws = ReadLawTexts(dir.Path() / "laws");
    ASSERT_EQ(laws.size(), 2u);
    EXPECT_EQ(laws[0].title, "甲法");
    EXPECT_EQ(laws[0].paragraphs, (std::vector<std::string>{"甲法", "第一章 总则", "正文。"}));
    EXPECT_EQ(laws[1].title, "乙法");
}

TEST(RtfWriter, EncodesChineseAsGbkBytesAndEscapesRtfSpecials) {
    EXPECT_EQ(RtfEscape("宋体"), "\\'cb\\'ce\\'cc\\'e5");
    EXPECT_EQ(RtfEscape("a{b}\\c"), "a\\{b\\}\\\\c");
    // A character GBK cannot hold is written as a Unicode escape with a fallback.
    EXPECT_EQ(RtfEscape("\xE0\xB8\x81"), "\\u3585?");  // a Thai letter
    const std::string rtf = LawToRtf({"甲法", {"甲法", "第一章 总则", "正文。"}});
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u);
    EXPECT_NE(rtf.find("\\fcharset134"), std::string::npos);
    EXPECT_NE(rtf.find("\\b " + RtfEscape("第一章 总则") + "\\b0"), std::string::npos);
    EXPECT_EQ(rtf.find("\\b " + RtfEscape("正文。")), std::string::npos);
    EXPECT_EQ(rtf.back(), '\n');
}
