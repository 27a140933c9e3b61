#pragma once
// The rows of a question bank as the bank tool builds and checks them, and the fixed
// conventions the program's windows rely on (chapter ranges and titles, sets, kinds).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct BankQuestion {
    int id = 0;
    std::string tihao;
    std::string timu;
    std::string a, b, c;
    std::string daan;
    std::vector<uint8_t> image;  // a complete BMP file, or empty
    int t = 0;                   // practice set 1..12, 0 for none (stored as NULL)
    std::string lei1, lei2, lei3;
    std::string bz;
};

struct ChapterInfo {
    int number;
    const char* title;  // lei1, character for character
    int firstId;
    int lastId;
};

inline constexpr int kBankSize = 1218;
inline constexpr int kSetCount = 12;
inline constexpr int kSetSize = 100;
inline constexpr const char* kSingleChoice = "单项选择题";
inline constexpr const char* kTrueFalse = "判断题";
inline constexpr const char* kJjjPassword = "842067";

inline constexpr std::array<ChapterInfo, 4> kChapters{{
    {1, "各准驾车型通用试题", 1, 861},
    {2, "大型客车牵引车专用试题", 862, 1080},
    {3, "城市公交车中型客车大型货车小型汽车专用试题", 1081, 1149},
    {4, "其他准驾车型专用试题", 1150, 1218},
}};

// The ten laws of the regulations tree, in tree order; each needs a row of `nr`.
inline constexpr std::array<const char*, 10> kLawTitles{
    "道路交通安全法", "道路交通安全法实施条例", "高速公路交通管理办法", "收费公路管理条例",
    "道路交通安全违法行为处理程序规定", "交通事故处理程序规定", "机动车驾驶员培训管理规定",
    "机动车登记规定", "机动车驾驶证申请和使用规定", "公安部三十条便民利民措施"};

// The eleven sign pages the viewer opens from C:\voduvezu\bzt\.
inline constexpr std::array<const char*, 11> kSignPages{
    "警告标志", "禁令标志", "指示标志", "指路标志", "旅游区标志", "道路施工安全标志",
    "辅助标志", "禁止标线", "警告标线", "指示标线", "汽车徽标"};

// Trims spaces, tabs and line ends at both ends of a content field. (The program itself trims
// with TrimBlanks of the drill core; the tools keep their own, narrower rule.)
std::string TrimSpaces(const std::string& text);
