// Each change a practice window makes is in the files when the call returns: another process
// kills the program right after it (TerminateProcess, no clean-up) and finds the change there
// and both files intact. Two copies of the program on the same files, marking in turn, lose no
// mark.
#include <windows.h>

#include <filesystem>

#include "base/utf.h"
#include "data/paths.h"
#include "data/sqlite_handle.h"
#include "practice_fixture.h"

namespace {

class DurabilityTest : public PracticeTest {
protected:
    struct Child {
        PROCESS_INFORMATION process{};
        HANDLE output = nullptr;
        std::string said;
    };

    // Starts the child program on the bank's folder with the given arguments.
    Child Start(const std::wstring& arguments) {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        const std::wstring program = (std::filesystem::path(self).parent_path() / L"practice_durability_child.exe").wstring();
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE readEnd = nullptr;
        HANDLE writeEnd = nullptr;
        EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writeEnd;
        startup.hStdError = writeEnd;
        std::wstring commandLine = L"\"" + program + L"\" " + arguments;
        Child child;
        const std::wstring folder = bank_->Folder().wstring();
        EXPECT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   folder.c_str(), &startup, &child.process))
            << "cannot start " << WideToUtf8(program);
        CloseHandle(writeEnd);
        child.output = readEnd;
        return child;
    }

    // Waits until the child says it is done (or fails, or a minute passes).
    bool WaitUntilDone(Child& child) {
        const ULONGLONG deadline = GetTickCount64() + 60000;
        while (GetTickCount64() < deadline) {
            DWORD waiting = 0;
            if (!PeekNamedPipe(child.output, nullptr, 0, nullptr, &waiting, nullptr)) break;  // it ended
            if (waiting > 0) {
                char buffer[512];
                DWORD got = 0;
                if (ReadFile(child.output, buffer, sizeof buffer, &got, nullptr)) child.said.append(buffer, got);
                if (child.said.find("done") != std::string::npos) return true;
                if (child.said.find("failed") != std::string::npos) break;
            } else {
                Sleep(10);
            }
        }
        return false;
    }

    void Kill(Child& child) {
        TerminateProcess(child.process.hProcess, 9);
        WaitForSingleObject(child.process.hProcess, 30000);
        CloseHandle(child.process.hProcess);
        CloseHandle(child.process.hThread);
        CloseHandle(child.output);
    }

    // Runs the child to the end of its change and kills it there.
    void RunAndKill(const std::wstring& arguments) {
        Child child = Start(arguments);
        const bool done = WaitUntilDone(child);
        Kill(child);
        ASSERT_TRUE(done) << WideToUtf8(arguments) << ": " << child.said;
    }

    // PRAGMA integrity_check on a file of the bank's folder, read by a connection of its own.
    std::string IntegrityOf(const char* file) {
        SqliteDb db = OpenExistingDatabase(PathToUtf8(bank_->Folder() / file));
        SqliteStatement check = PrepareStatement(db.Get(), "PRAGMA integrity_check");
        if (!check.Step()) return "no answer";
        return reinterpret_cast<const char*>(sqlite3_column_text(check.Get(), 0));
    }
    void ExpectIntact() {
        EXPECT_EQ(IntegrityOf("jjj"), "ok");
        EXPECT_EQ(IntegrityOf("bz"), "ok");
    }
};

TEST_F(DurabilityTest, EveryChangeSurvivesAKillRightAfterIt) {
    RunAndKill(L"mark");
    EXPECT_EQ(Marked(), std::vector<int>{7});
    ExpectIntact();

    Mark({3, 5});
    RunAndKill(L"remove");
    EXPECT_EQ(Marked(), (std::vector<int>{5, 7}));
    ExpectIntact();

    RunAndKill(L"clear");
    EXPECT_TRUE(Marked().empty());
    ExpectIntact();

    RunAndKill(L"resume");
    EXPECT_EQ(StoredResumePoint(), "321");
    ExpectIntact();
}

TEST_F(DurabilityTest, TwoCopiesMarkingInTurnLoseNoMark) {
    constexpr int kEach = 60;
    Child odd = Start(L"marks 1 " + std::to_wstring(kEach));
    Child even = Start(L"marks 2 " + std::to_wstring(kEach));
    const bool oddDone = WaitUntilDone(odd);
    const bool evenDone = WaitUntilDone(even);
    Kill(odd);
    Kill(even);
    ASSERT_TRUE(oddDone) << odd.said;
    ASSERT_TRUE(evenDone) << even.said;
    const std::vector<int> marked = Marked();
    ASSERT_EQ(marked.size(), size_t(2 * kEach));
    for (int i = 0; i < 2 * kEach; ++i) EXPECT_EQ(marked[size_t(i)], i + 1);
    ExpectIntact();
}

}  // namespace
