// Speed and memory of the question query over a bank shaped like the real one: 1218 rows,
// question and option texts of 60-150 Chinese characters, a 50 KB bitmap on every fifth row.
// Targets: open <= 15 ms, Locate by id <= 10 us, an open query's snapshot well under 2 MB.
// Clearing 300 marks <= 50 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/paths.h"
#include "data/schema.h"

namespace {

constexpr int kQuestions = 1218;
const char* const kQuestionQuery = "select * from kaoti where id>=1 order by id";

std::string ChineseText(std::mt19937& random, int minChars, int maxChars) {
    static const char* const kSyllables[] = {"驾", "驶", "机", "动", "车", "在", "道", "路", "上", "行",
                                             "应", "当", "减", "速", "慢", "注", "意", "观", "察", "让"};
    std::uniform_int_distribution<int> length(minChars, maxChars);
    std::uniform_int_distribution<int> pick(0, 19);
    std::string text;
    for (int n = length(random); n > 0; --n) text += kSyllables[pick(random)];
    return text;
}

std::vector<uint8_t> Bitmap50K(uint8_t seed) {
    const int width = 130, height = 128, stride = (width * 3 + 3) / 4 * 4;
    const uint32_t size = 54 + uint32_t(stride * height);
    std::vector<uint8_t> file(size, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    file[26] = 1;
    file[28] = 24;
    for (uint32_t i = 54; i < size; ++i) file[i] = uint8_t(seed * 31 + i * 7);
    return file;
}

// A bank in a temporary working directory for the whole run.
class BenchBank {
public:
    BenchBank() : previous_(std::filesystem::current_path()) {
        path_ = std::filesystem::temp_directory_path() / ("muhe-bench-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
        SqliteDb db = CreateBankFile("jjj");
        ExecuteStatement(db.Get(), "BEGIN");
        SqliteStatement insert = PrepareStatement(
            db.Get(), "INSERT INTO kaoti VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)");
        std::mt19937 random(1218);
        for (int id = 1; id <= kQuestions; ++id) {
            const bool trueFalse = id % 3 == 0;
            insert.BindInt(1, id);
            insert.BindText(2, "1.2.3." + std::to_string(id));
            insert.BindText(3, ChineseText(random, 60, 150));
            insert.BindText(4, ChineseText(random, 10, 40));
            insert.BindText(5, ChineseText(random, 10, 40));
            insert.BindText(6, trueFalse ? std::string() : ChineseText(random, 10, 40));
            insert.BindText(7, "B ");
            insert.BindBlob(8, id % 5 == 0 ? Bitmap50K(uint8_t(id)) : std::vector<uint8_t>());
            insert.BindInt(9, id <= 1200 ? 1 + (id - 1) / 100 : 0);
            insert.BindText(10, "各准驾车型通用试题");
            insert.BindText(11, "道路交通安全法律法规");
            insert.BindText(12, trueFalse ? "判断题" : "单项选择题");
            insert.BindText(13, "");
            insert.Step();
            insert.Rewind();
        }
        ExecuteStatement(db.Get(), "COMMIT");
        connection.DataSource = ".\\jjj";
        connection.Open();
    }
    ~BenchBank() {
        connection.Close();
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TADOConnection connection;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

BenchBank& Bank() {
    static BenchBank bank;
    return bank;
}

void OpenQuery(TADOQuery& query) {
    query.Connection = &Bank().connection;
    query.SQL.SetText(kQuestionQuery);
    query.Open();
}

void BM_OpenQuestionQuery(benchmark::State& state) {
    TADOQuery query;
    size_t bytes = 0;
    for (auto _ : state) {
        OpenQuery(query);
        bytes = query.SnapshotBytes();
        benchmark::DoNotOptimize(query.RecordCount());
        query.Close();
    }
    state.counters["snapshot_bytes"] = double(bytes);
}
BENCHMARK(BM_OpenQuestionQuery)->Unit(benchmark::kMillisecond);

void BM_WalkEveryRowAndColumn(benchmark::State& state) {
    TADOQuery query;
    OpenQuery(query);
    size_t pictureBytes = 0;
    for (auto _ : state) {
        pictureBytes = 0;
        for (query.First(); !query.Eof(); query.Next()) {
            for (int i = 0; i < query.FieldCount(); ++i) {
                TField* field = query.Fields(i);
                if (field->FieldName() == "image") {
                    pictureBytes += field->AsBytes().size();
                } else {
                    benchmark::DoNotOptimize(field->AsString());
                }
            }
        }
    }
    state.counters["picture_bytes_read"] = double(pictureBytes);
    state.counters["snapshot_bytes"] = double(query.SnapshotBytes());
}
BENCHMARK(BM_WalkEveryRowAndColumn)->Unit(benchmark::kMillisecond);

void BM_WalkTextsOnly(benchmark::State& state) {
    TADOQuery query;
    OpenQuery(query);
    for (auto _ : state) {
        for (query.First(); !query.Eof(); query.Next()) {
            benchmark::DoNotOptimize(query.FieldByName("timu")->AsString());
            benchmark::DoNotOptimize(query.FieldByName("daan")->AsString());
        }
    }
}
BENCHMARK(BM_WalkTextsOnly)->Unit(benchmark::kMicrosecond);

void BM_LocateById(benchmark::State& state) {
    TADOQuery query;
    OpenQuery(query);
    std::mt19937 random(5);
    std::uniform_int_distribution<int> id(1, kQuestions);
    for (auto _ : state) benchmark::DoNotOptimize(query.Locate("id", id(random)));
}
BENCHMARK(BM_LocateById);

void BM_LocateByIdText(benchmark::State& state) {
    TADOQuery query;
    OpenQuery(query);
    for (auto _ : state) benchmark::DoNotOptimize(query.Locate("id", "1218", loCaseInsensitive));
}
BENCHMARK(BM_LocateByIdText);

void BM_ReadOnePicture(benchmark::State& state) {
    TADOQuery query;
    OpenQuery(query);
    query.Locate("id", 600);
    for (auto _ : state) benchmark::DoNotOptimize(query.FieldByName("image")->AsBytes());
}
BENCHMARK(BM_ReadOnePicture)->Unit(benchmark::kMicrosecond);

void BM_PostIntensiveMark(benchmark::State& state) {
    TADOQuery query;
    OpenQuery(query);
    query.Locate("id", 700);
    bool mark = true;
    for (auto _ : state) {
        query.Edit();
        query.FieldByName("bz")->SetAsString(mark ? "t" : "");
        query.Post();
        mark = !mark;
    }
}
BENCHMARK(BM_PostIntensiveMark)->Unit(benchmark::kMillisecond);

// Intensive practice's clear statement on 300 marks, as the program runs it: each marked row
// is written again with its picture (60 of them here), so this is the disk's and the journal's
// cost more than the engine's.
void BM_ClearIntensiveMarks(benchmark::State& state) {
    TADOQuery mark, clear;
    mark.Connection = &Bank().connection;
    clear.Connection = &Bank().connection;
    mark.SQL.SetText("update kaoti set bz='t' where id <= 300");
    clear.SQL.SetText("update kaoti set bz='' where bz='t'");
    for (auto _ : state) {
        state.PauseTiming();
        mark.ExecSQL();
        state.ResumeTiming();
        clear.ExecSQL();
    }
}
BENCHMARK(BM_ClearIntensiveMarks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
