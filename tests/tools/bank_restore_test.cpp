// Putting the previous bank back: jjj.bak and jjj change places, so that a second restore
// undoes the first; a folder without jjj.bak, a jjj.bak the trainer could not open and a
// journal beside jjj each leave every file as it was, with a message saying why.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "bank_fixture.h"
#include "bank_install.h"
#include "bank_layout.h"
#include "bank_store.h"

namespace fs = std::filesystem;

namespace {

const std::vector<BankQuestion>& Bank() {
    static const std::vector<BankQuestion> bank = LayOutBank(SyntheticChapters(), TinyPicture);
    return bank;
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The InstallError's text, or a failure when nothing was thrown.
std::string Refusal(const fs::path& dir) {
    try {
        RestoreBank(dir);
    } catch (const InstallError& e) {
        return e.what();
    }
    ADD_FAILURE() << "the restore went ahead";
    return "";
}

std::string FirstText(const fs::path& file) { return ReadQuestions(file).at(0).timu; }

}  // namespace

TEST(BankRestore, TheTwoBanksChangePlacesAndASecondRestoreUndoesTheFirst) {
    ScratchDir dir;
    auto bank = Bank();
    bank[0].timu = "旧题库";
    InstallBank(dir.Path(), bank);
    bank[0].timu = "新题库";
    InstallBank(dir.Path(), bank);
    ASSERT_EQ(FirstText(dir.Path() / "jjj.bak"), "旧题库");

    const InstallOutcome first = RestoreBank(dir.Path());
    EXPECT_TRUE(first.replaced);
    EXPECT_EQ(first.backup, dir.Path() / "jjj.bak");
    EXPECT_TRUE(first.notes.empty());
    EXPECT_EQ(FirstText(dir.Path() / "jjj"), "旧题库");
    EXPECT_EQ(FirstText(dir.Path() / "jjj.bak"), "新题库");
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"jjj", "jjj.bak"})) << "no scratch file is left";

    RestoreBank(dir.Path());
    EXPECT_EQ(FirstText(dir.Path() / "jjj"), "新题库");
    EXPECT_EQ(FirstText(dir.Path() / "jjj.bak"), "旧题库");
}

TEST(BankRestore, WhatCannotBeRestoredLeavesEveryFileAsItWas) {
    ScratchDir dir;
    InstallBank(dir.Path(), Bank());
    const std::string bank = Bytes(dir.Path() / "jjj");

    EXPECT_NE(Refusal(dir.Path()).find("中没有 jjj.bak（上一个题库），没有改动任何文件"), std::string::npos);
    EXPECT_NE(Refusal(dir.Path() / "没有的文件夹").find("没有 jjj.bak"), std::string::npos);

    WriteText(dir.Path() / "jjj.bak", "not a database at all, but long enough to look like one");
    EXPECT_NE(Refusal(dir.Path()).find("不是考试系统能打开的题库"), std::string::npos);
    EXPECT_EQ(Bytes(dir.Path() / "jjj"), bank);

    InstallBank(dir.Path(), Bank());  // a real jjj.bak again
    const std::string current = Bytes(dir.Path() / "jjj");
    const std::string previous = Bytes(dir.Path() / "jjj.bak");
    WriteText(dir.Path() / "jjj-journal", "left by a crash");
    const std::string journal = Refusal(dir.Path());
    EXPECT_NE(journal.find("请启动一次考试系统再正常退出，然后再恢复"), std::string::npos) << journal;
    EXPECT_EQ(Bytes(dir.Path() / "jjj"), current);
    EXPECT_EQ(Bytes(dir.Path() / "jjj.bak"), previous);
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"jjj", "jjj-journal", "jjj.bak"}));
}
