#include "bank_fixture.h"

#include <unistd.h>

#include <atomic>
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
