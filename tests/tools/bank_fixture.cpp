#include "bank_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>

#include "bank_model.h"
#include "base/bmp.h"

std::array<std::vector<ContentQuestion>, 4> SyntheticChapters() {
    std::array<std::vector<ContentQuestion>, 4> chapters;
    int line = 1;
    for (size_t c = 0; c < kChapters.size(); ++c) {
        const int count = kChapters[c].lastId - kChapters[c].firstId + 1;
        for (int i = 0; i < count; ++i) {
            ContentQuestion q;
            // Three sections per chapter, the first coming back at the end as a second run.
            const int run = i * 4 / count;
            q.section = "第" + std::to_string(c + 1) + "章第" + std::to_string(run == 3 ? 1 : run + 1) + "节";
            q.text = "题目 " + std::to_string(c + 1) + "-" + std::to_string(i);
            if (i % 3 == 0) {
                q.kind = kTrueFalse;
                q.a = "正确";
                q.b = "错误";
                q.answer = i % 2 ? "A" : "B";
            } else {
                q.kind = kSingleChoice;
                q.a = "甲";
                q.b = "乙";
                q.c = "丙";
                q.answer = std::string(1, char('A' + i % 3));
            }
            if (i % 5 == 0) q.picture = "limit:60";
            q.line = line++;
            chapters[c].push_back(q);
        }
    }
    return chapters;
}

std::vector<uint8_t> TinyPicture(const std::string&, int ordinal) {
    Bitmap32 image(3, 2, Rgb(uint8_t(ordinal), 10, 20));
    return EncodeBmp(image, 24);
}

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("muhe-bank-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

namespace {

std::string CsvField(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
}

}  // namespace

std::string WriteCsvBank(const std::filesystem::path& dir, const std::vector<BankQuestion>& bank, char sep) {
    std::filesystem::create_directories(dir / "pics");
    const std::string s(1, sep);
    std::string csv = "id,tihao,timu,A,B,C,daan,image,t,lei1,lei2,lei3,bz\r\n";
    if (sep != ',') std::replace(csv.begin(), csv.end(), ',', sep);
    for (const auto& q : bank) {
        std::string picture;
        if (!q.image.empty()) {
            picture = "q" + std::to_string(q.id) + ".bmp";
            std::ofstream(dir / "pics" / picture, std::ios::binary)
                .write(reinterpret_cast<const char*>(q.image.data()), std::streamsize(q.image.size()));
        }
        csv += std::to_string(q.id) + s + q.tihao + s + CsvField(q.timu) + s + CsvField(q.a) + s + CsvField(q.b) + s +
               CsvField(q.c) + s + q.daan + s + picture + s + (q.t ? std::to_string(q.t) : std::string()) + s + q.lei1 +
               s + q.lei2 + s + q.lei3 + s + "\r\n";
    }
    return csv;
}

int RunBankTool(const std::string& arguments, std::string* output) {
    ScratchDir scratch;
    const auto log = scratch.Path() / "output.txt";
    const int status = std::system((std::string(MUHE_BANK_TOOL) + " " + arguments + " >" + log.string() + " 2>&1").c_str());
    if (output) {
        std::ifstream in(log, std::ios::binary);
        output->assign(std::istreambuf_iterator<char>(in), {});
    }
    return status;
}
