// The compiled help, read back with the chmlib tools: a simplified-Chinese help file whose
// title, contents, index and pages are in code page 936, as the help viewer of a Chinese
// Windows reads them.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdlib>
#include <fstream>
#include <map>

#include "bank_fixture.h"
#include "help_builder.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Convert(const std::string& text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    std::string out(text.size() * 3 + 8, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size(), outLeft = out.size();
    char* at = out.data();
    const bool ok = iconv(cd, &in, &inLeft, &at, &outLeft) != size_t(-1);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return ok ? out : "(not convertible)";
}
std::string Gbk(const std::string& utf8) { return Convert(utf8, "GBK", "UTF-8"); }
std::string FromGbk(const std::string& gbk) { return Convert(gbk, "UTF-8", "GBK"); }

// The #SYSTEM file: a version, then records of a 16-bit code, a 16-bit length and the data.
std::map<int, std::string> SystemRecords(const std::string& system) {
    std::map<int, std::string> records;
    auto u16 = [&](size_t at) { return int(uint8_t(system[at])) | int(uint8_t(system[at + 1])) << 8; };
    for (size_t at = 4; at + 4 <= system.size();) {
        const int code = u16(at), length = u16(at + 2);
        if (at + 4 + size_t(length) > system.size()) break;
        records[code] = system.substr(at + 4, size_t(length));
        at += 4 + size_t(length);
    }
    return records;
}

std::string CString(const std::string& record) { return record.substr(0, record.find('\0')); }

}  // namespace

TEST(HelpFile, ReadsBackAsSimplifiedChinese) {
    ScratchDir scratch;
    const fs::path pages = fs::path(MUHE_ASSETS_DIR) / "help";
    const fs::path chm = scratch.Path() / "bangzhu.chm";
    BuildHelpFile(pages, chm);
    const fs::path out = scratch.Path() / "extracted";
    const std::string command = "extract_chmLib '" + chm.string() + "' '" + out.string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "extract_chmLib (Debian libchm-bin) could not read " << chm;

    const auto system = SystemRecords(ReadBytes(out / "#SYSTEM"));
    ASSERT_TRUE(system.count(4));
    EXPECT_EQ(system.at(4).substr(0, 4), std::string("\x04\x08\0\0", 4)) << "language 0x804";
    EXPECT_EQ(CString(system.at(3)), Gbk("木禾驾驶员考试系统 - 使用说明首页"));
    EXPECT_EQ(CString(system.at(16)), Gbk("宋体,10,134"));

    // Contents in the order the first page links the others, in code page 936.
    const std::string toc = ReadBytes(out / "toc.hhc");
    EXPECT_NE(toc.find("charset=gb2312"), std::string::npos);
    const size_t first = toc.find(Gbk("value=\"使用说明首页\"")), second = toc.find(Gbk("value=\"模拟考试\""));
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_EQ(toc.find("模拟考试"), std::string::npos) << "UTF-8 left in the contents";
    // The index tells apart the headings that several pages share.
    const std::string index = ReadBytes(out / "index.hhk");
    EXPECT_NE(index.find(Gbk("value=\"按键（分套练习）\"")), std::string::npos);
    EXPECT_NE(index.find(Gbk("value=\"启动程序\"")), std::string::npos);

    // Every page says gb2312 and reads back as the text it was written as.
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(pages)) {
        if (entry.path().extension() != ".html") continue;
        ++seen;
        const std::string page = ReadBytes(out / entry.path().filename());
        std::string expected = ReadBytes(entry.path());
        for (std::string from : {"charset=\"utf-8\"", "charset=utf-8"}) {
            const std::string to = from.back() == '"' ? "charset=\"gb2312\"" : "charset=gb2312";
            for (size_t at; (at = expected.find(from)) != std::string::npos;) expected.replace(at, from.size(), to);
        }
        EXPECT_EQ(FromGbk(page), expected) << entry.path().filename();
        EXPECT_EQ(page.find("utf-8"), std::string::npos) << entry.path().filename();
    }
    EXPECT_GE(seen, 9);
}

TEST(HelpFile, RefusesTextThatCodePage936CannotShow) {
    ScratchDir scratch;
    const fs::path pages = scratch.Path() / "pages";
    fs::create_directories(pages);
    WriteText(pages / "index.html", "<html><head><title>说明</title></head>\n<body>\n<p>好 \xF0\x9F\x98\x80</p></body></html>\n");
    try {
        BuildHelpFile(pages, scratch.Path() / "bangzhu.chm");
        FAIL() << "a page with a character outside code page 936 was compiled";
    } catch (const std::runtime_error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("index.html, line 3"), std::string::npos) << message;
    }
    EXPECT_FALSE(fs::exists(scratch.Path() / "bangzhu.chm"));
}
