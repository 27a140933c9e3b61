#include "fixture_bank.h"

#include <random>

#include "data/password.h"
#include "data/schema.h"
#include "data/paths.h"

const char* const kChapterTitles[4] = {"各准驾车型通用试题", "大型客车牵引车专用试题",
                                       "城市公交车中型客车大型货车小型汽车专用试题", "其他准驾车型专用试题"};
const char* const kBankPassword = "842067";

namespace {

struct Run {
    int chapter;
    const char* section;
    int count;
};

// Chapter 1 has one section in two separate runs, as the real bank does.
constexpr Run kRuns[] = {
    {1, "道路交通安全法律法规", 6}, {1, "道路交通信号", 5}, {1, "道路交通安全法律法规", 5},
    {2, "客车安全驾驶", 5},        {2, "牵引车操作", 5},   {3, "货车装载", 7},
    {4, "摩托车驾驶", 7},
};

}  // namespace

std::vector<uint8_t> TinyBitmap(int width, int height, uint8_t shade) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const uint32_t pixelBytes = uint32_t(stride * height);
    const uint32_t fileSize = 54 + pixelBytes;
    std::vector<uint8_t> file(fileSize, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, fileSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, pixelBytes);
    for (uint32_t i = 54; i < fileSize; ++i) file[i] = uint8_t(shade + i);
    return file;
}

std::vector<FixtureQuestion> FixtureQuestions() {
    std::vector<FixtureQuestion> rows;
    int id = 0;
    int numberInChapter[5] = {};
    for (const Run& run : kRuns) {
        for (int k = 0; k < run.count; ++k) {
            ++id;
            FixtureQuestion q;
            q.id = id;
            ++numberInChapter[run.chapter];
            q.tihao = std::to_string(run.chapter) + ".1." + std::to_string(1 + k / 3) + "." +
                      std::to_string(numberInChapter[run.chapter]);
            q.lei1 = kChapterTitles[run.chapter - 1];
            q.lei2 = run.section;
            const bool trueFalse = id % 4 == 0;
            q.lei3 = trueFalse ? "判断题" : "单项选择题";
            q.timu = "第" + std::to_string(id) + "题：驾驶机动车在" + run.section + "方面应当怎样做？";
            q.a = trueFalse ? "正确" : "减速慢行，注意观察";
            q.b = trueFalse ? "错误" : "加速通过";
            q.c = trueFalse ? (id % 8 == 0 ? "   " : "") : "鸣喇叭催促";
            static const char* const kAnswers[] = {"A", "B ", "C", "A ", "B"};
            q.daan = trueFalse ? (id % 8 == 0 ? "B " : "A") : kAnswers[id % 5];
            if (id % 3 == 0) q.image = TinyBitmap(2 + id % 4, 2, uint8_t(id));
            if (id <= 36) q.t = 1 + (id - 1) % 3;  // the last questions belong to no set
            q.bz = (id % 7 == 2) ? "t" : "";
            rows.push_back(q);
        }
    }
    return rows;
}

std::vector<FixtureLaw> FixtureLaws() {
    return {{"中华人民共和国道路交通安全法", "{\\rtf1 第一章 总则}"},
            {"道路交通安全法实施条例", "{\\rtf1 第一条 根据法律制定本条例。}"},
            {"Motor Vehicle Rules", "{\\rtf1 Rule one.}"}};
}

std::vector<std::pair<std::string, std::string>> FixtureBookmarks() {
    return {{"1", "3"}, {"2", ""}, {"3", "30"}, {"4", ""}};
}

TempWorkingDirectory::TempWorkingDirectory() : previous_(std::filesystem::current_path()) {
    std::random_device random;
    const std::u8string name = u8"muhe-数据-" + [&] {
        const std::string digits = std::to_string(random()) + "-" + std::to_string(random());
        return std::u8string(digits.begin(), digits.end());
    }();
    path_ = std::filesystem::temp_directory_path() / std::filesystem::path(name);
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
}

TempWorkingDirectory::~TempWorkingDirectory() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

void WriteFixtureBank() {
    {
        SqliteDb db = CreateBankFile("jjj");
        ExecuteStatement(db.Get(), "BEGIN");
        SqliteStatement insert = PrepareStatement(
            db.Get(), "INSERT INTO kaoti (id, tihao, timu, A, B, C, daan, image, t, lei1, lei2, lei3, bz) "
                      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)");
        for (const FixtureQuestion& q : FixtureQuestions()) {
            insert.BindInt(1, q.id);
            insert.BindText(2, q.tihao);
            insert.BindText(3, q.timu);
            insert.BindText(4, q.a);
            insert.BindText(5, q.b);
            insert.BindText(6, q.c);
            insert.BindText(7, q.daan);
            insert.BindBlob(8, q.image);
            if (q.t) {
                insert.BindInt(9, *q.t);
            } else {
                insert.BindNull(9);
            }
            insert.BindText(10, q.lei1);
            insert.BindText(11, q.lei2);
            insert.BindText(12, q.lei3);
            insert.BindText(13, q.bz);
            insert.Step();
            insert.Rewind();
        }
        ExecuteStatement(db.Get(), "COMMIT");
        SetDatabasePassword(db.Get(), kBankPassword);
    }
    SqliteDb db = CreateStateFile("bz");
    ExecuteStatement(db.Get(), std::string("INSERT INTO bz1 (bz) VALUES ('") + kFixtureResumePoint + "')");
    ExecuteStatement(db.Get(), "INSERT INTO bzq (bz) VALUES ('1')");
    for (const auto& [chapter, id] : FixtureBookmarks()) {
        SqliteStatement insert = PrepareStatement(db.Get(), "INSERT INTO zhangjie (zhangjie, id) VALUES (?1, ?2)");
        insert.BindText(1, chapter);
        insert.BindText(2, id);
        insert.Step();
    }
    for (const FixtureLaw& law : FixtureLaws()) {
        SqliteStatement insert = PrepareStatement(db.Get(), "INSERT INTO nr (bt, nr) VALUES (?1, ?2)");
        insert.BindText(1, law.bt);
        insert.BindText(2, law.nr);
        insert.Step();
    }
}

void BankTest::Connect(TADOConnection& connection, const char* file, const char* password) {
    connection.DataSource = file;
    connection.Password = password;
    connection.BusyTimeout = 50;
    connection.Open();
}

void BankTest::OpenQuery(TADOQuery& query, TADOConnection& connection, const std::string& sql) {
    query.Connection = &connection;
    query.SQL.Clear();
    query.SQL.Add(sql);
    query.Open();
}

void RunRaw(const char* file, const std::string& sql) {
    SqliteDb db = OpenExistingDatabase(PathToUtf8(ResolveAgainstWorkingDirectory(file)), 50);
    ExecuteStatement(db.Get(), sql);
}

std::string ReadRaw(const char* file, const std::string& sql) {
    SqliteDb db = OpenExistingDatabase(PathToUtf8(ResolveAgainstWorkingDirectory(file)), 50);
    SqliteStatement stmt = PrepareStatement(db.Get(), sql);
    if (!stmt.Step()) return {};
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt.Get(), 0));
    return text ? text : "";
}
