// The bank manager's window driven through its real window procedures: clicks on its buttons
// and rows, keys in its lists, the boxes it asks answered. The system's file dialogs are the
// one thing replaced: the test hands over the paths a user would pick.
#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>

#include "bank_export.h"
#include "bank_form.h"
#include "bank_store.h"
#include "base/utf.h"
#include "data_folder.h"
#include "support/sample_bank.h"
#include "ui_test_support.h"

namespace fs = std::filesystem;

namespace {

std::string Utf8(const std::wstring& text) { return WideToUtf8(text); }

bool Contains(const std::wstring& text, const std::string& part) { return Utf8(text).find(part) != std::string::npos; }

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// A school's file as the export writes it, with the pictures it names in `pictures`.
void WriteSchoolFile(const fs::path& csv, const fs::path& pictures, const std::vector<BankQuestion>& rows) {
    Write(csv, FormatCsvBank(rows));
    for (const BankQuestion& q : rows) {
        if (!q.image.empty()) Write(pictures / PictureNameOf(q), std::string(q.image.begin(), q.image.end()));
    }
}

std::string FirstText(const fs::path& file) { return ReadQuestions(file).at(0).timu; }

class BankFormTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        bank_ = std::make_unique<SampleBank>();
        // The trainer is not running: nothing holds the bank open.
        bank_->Module().ADOConnection1.Close();
        bank_->Module().ADOConnection2.Close();
        folder_ = bank_->Folder();
        school_ = folder_ / "学校";
        sample_ = ReadQuestionFile(folder_);
        Application->SetBoxResponder([this](const TOpenBox& box) {
            if (!box.Window) return kBoxNotYet;
            return Contains(box.Text, "吗？") ? answer_ : IDOK;
        });
    }
    void TearDown() override {
        form_.reset();
        bank_.reset();
        UiTest::TearDown();
    }

    void Open() {
        TBankDialogs dialogs;
        dialogs.OpenFile = [this](HWND, const std::wstring&) { return Next(files_); };
        dialogs.SaveFile = [this](HWND, const std::wstring&, const fs::path&, const std::wstring&, TFileKind) { return Next(saves_); };
        dialogs.ChooseFolder = [this](HWND, const std::wstring&, const fs::path&) { return Next(folders_); };
        form_.reset(new TBankForm(nullptr, folder_, dialogs));
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return form_->Active(); }));
    }
    static std::optional<fs::path> Next(std::deque<fs::path>& answers) {
        if (answers.empty()) return std::nullopt;  // the user cancelled the dialog
        fs::path next = answers.front();
        answers.pop_front();
        return next;
    }

    static void Click(TWinControl* control) { ClickAt(control->Handle(), control->Width / 2, control->Height / 2); }
    bool Idle() { return PumpUntil([&] { return !form_->Busy(); }, 60000); }
    // Imports as a user would: the button, the file, the picture folder; then waits for the check.
    void Import(const fs::path& csv, const fs::path& pictures) {
        files_ = {csv};
        folders_ = {pictures};
        Click(form_->ImportButton);
        EXPECT_TRUE(Idle());
    }

    // What the list's window shows (an owner-data list asks the form for every cell).
    static int Rows(TListView* list) { return int(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0)); }
    static std::wstring Cell(TListView* list, int row, int column) {
        wchar_t text[512] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 512;
        SendMessageW(list->Handle(), LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    std::vector<std::wstring> TakeBoxes() {
        std::vector<std::wstring> texts;
        for (const TBoxRecord& box : Application->ShownBoxes()) texts.push_back(box.Text);
        Application->ClearShownBoxes();
        return texts;
    }

    std::unique_ptr<SampleBank> bank_;
    Owned<TBankForm> form_;
    fs::path folder_;
    fs::path school_;
    std::vector<BankQuestion> sample_;
    std::deque<fs::path> files_, saves_, folders_;
    int answer_ = IDYES;
};

TEST_F(BankFormTest, AFileWithOneBadRowIsListedByRowAndColumnAndNothingIsWritten) {
    auto rows = sample_;
    rows[4].daan = "X";  // question 5, row 6 of the file
    WriteSchoolFile(school_ / "bad.csv", school_ / "图片", rows);
    const std::string before = Bytes(folder_ / "jjj");
    Open();
    Import(school_ / "bad.csv", school_ / "图片");

    EXPECT_TRUE(form_->ProblemPanel->Visible);
    EXPECT_FALSE(form_->PreviewPanel->Visible);
    ASSERT_EQ(Rows(form_->ProblemList), 1);
    EXPECT_EQ(Cell(form_->ProblemList, 0, 0), L"6");
    EXPECT_EQ(Cell(form_->ProblemList, 0, 1), L"daan");
    EXPECT_TRUE(Contains(Cell(form_->ProblemList, 0, 2), "答案“X”应为 A、B 或 C")) << Utf8(Cell(form_->ProblemList, 0, 2));
    EXPECT_TRUE(Contains(form_->StateLabel->Caption, "没有写入任何文件"));
    EXPECT_EQ(Bytes(folder_ / "jjj"), before);
    EXPECT_FALSE(fs::exists(folder_ / "jjj.bak"));

    // Copied and saved as the console prints the line.
    Click(form_->CopyButton);
    ASSERT_TRUE(OpenClipboard(form_->Handle()));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* copied = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    const std::wstring clipboard = copied ? copied : L"(none)";
    if (copied) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_TRUE(Contains(clipboard, "第 6 行，“daan”列：答案“X”应为 A、B 或 C")) << Utf8(clipboard);
    saves_ = {school_ / "问题.txt"};
    Click(form_->SaveButton);
    const std::string saved = Bytes(school_ / "问题.txt");
    EXPECT_EQ(saved.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(saved.find("第 6 行，“daan”列：答案“X”应为 A、B 或 C\r\n"), std::string::npos) << saved;
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(BankFormTest, UnreadableFilesAndPicturesAreListedNeverWritten) {
    auto rows = sample_;
    rows[0].image.assign({'B', 'M', '?', '?'});  // named q1.bmp, but no bitmap
    WriteSchoolFile(school_ / "bank.csv", school_ / "图片", rows);
    Write(school_ / "zeros.csv", "id,timu\n1," + std::string(3, '\0') + "\n");
    const std::string before = Bytes(folder_ / "jjj");
    struct Case {
        fs::path csv, pictures;
        const wchar_t* row;
        const wchar_t* column;
        const char* says;
    };
    const Case cases[] = {
        {school_ / "没有这个文件.csv", school_ / "图片", L"", L"", "无法读取（文件不存在，或者没有读取权限）：请检查文件名"},
        {school_, school_ / "图片", L"", L"", "是一个文件夹：请给出 CSV 文件本身"},
        {school_ / "bank.csv", school_ / "没有的图片", L"", L"", "不存在，或者不是文件夹：请给出存放题目图片的文件夹"},
        {school_ / "zeros.csv", school_ / "图片", L"", L"", "文件编码有误"},
        {school_ / "bank.csv", school_ / "图片", L"2", L"image", "不是有效的 BMP 位图文件：请用画图等程序另存为 BMP 格式"},
    };
    Open();
    for (const Case& c : cases) {
        Import(c.csv, c.pictures);
        ASSERT_GE(Rows(form_->ProblemList), 1) << c.says;
        EXPECT_EQ(Cell(form_->ProblemList, 0, 0), c.row) << c.says;
        EXPECT_EQ(Cell(form_->ProblemList, 0, 1), c.column) << c.says;
        EXPECT_TRUE(Contains(Cell(form_->ProblemList, 0, 2), c.says)) << Utf8(Cell(form_->ProblemList, 0, 2));
        EXPECT_EQ(Bytes(folder_ / "jjj"), before) << c.says;
    }
    // Cancelling either dialog starts nothing.
    files_ = {school_ / "bank.csv"};
    Click(form_->ImportButton);
    EXPECT_FALSE(form_->Busy());
    EXPECT_TRUE(form_->ProblemPanel->Visible) << "the last list stays";
}

TEST_F(BankFormTest, AGoodFileIsShownBeforeItIsWrittenThenImportedAndRestored) {
    auto rows = sample_;
    rows[0].timu = "新的第一题";
    // The third question gets a picture, the second has none.
    const auto picture = std::find_if(rows.begin(), rows.end(), [](const BankQuestion& q) { return !q.image.empty(); });
    ASSERT_NE(picture, rows.end());
    rows[2].image = picture->image;
    ASSERT_TRUE(rows[1].image.empty());
    WriteSchoolFile(school_ / "bank.csv", school_ / "图片", rows);
    const std::string original = sample_[0].timu;
    Open();

    Click(form_->RestoreButton);
    auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(Contains(boxes[0], "没有上一个题库（jjj.bak），没有可以恢复的")) << Utf8(boxes[0]);

    Import(school_ / "bank.csv", school_ / "图片");
    ASSERT_TRUE(form_->PreviewPanel->Visible);
    ASSERT_EQ(Rows(form_->PreviewList), 1218);
    EXPECT_EQ(Cell(form_->PreviewList, 0, 0), L"1");
    EXPECT_EQ(Cell(form_->PreviewList, 0, 1), Utf8ToWide(rows[0].tihao));
    EXPECT_EQ(Cell(form_->PreviewList, 0, 2), L"新的第一题");
    EXPECT_EQ(Cell(form_->PreviewList, 0, 3), Utf8ToWide(rows[0].daan));
    EXPECT_EQ(Cell(form_->PreviewList, 1217, 4), L"") << "questions after 1200 are in no set";
    EXPECT_EQ(FirstText(folder_ / "jjj"), original) << "nothing is written before the import is confirmed";

    // The row with the picture, reached by a click on the first row and the arrow keys.
    RECT first{LVIR_LABEL, 0, 0, 0};
    SendMessageW(form_->PreviewList->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    ClickAt(form_->PreviewList->Handle(), first.left + 10, (first.top + first.bottom) / 2);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(form_->PreviewList->ItemIndex, 2);
    EXPECT_FALSE(form_->Image1->Picture->Empty());
    const Bitmap32 frame = PrintClient(form_->PictureFrame->Handle());
    const RECT inside{1, 1, frame.width - 1, frame.height - 1};
    EXPECT_GT(CountOther(frame, inside, 0xFFFFFF), 100) << "the picture is painted in the frame";
    EXPECT_TRUE(Contains(form_->PictureLabel->Caption, "第 3 题的图片")) << Utf8(form_->PictureLabel->Caption);
    PressKey(VK_UP);
    EXPECT_TRUE(form_->Image1->Picture->Empty());
    EXPECT_EQ(CountOther(PrintClient(form_->PictureFrame->Handle()), inside, 0xFFFFFF), 0);
    EXPECT_TRUE(Contains(form_->PictureLabel->Caption, "第 2 题没有图片"));

    // The trainer running on the folder: refused before anything is asked or written.
    bank_->Module().ADOConnection1.Open();
    Click(form_->ConfirmButton);
    boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(Contains(boxes[0], "正被打开（木禾驾驶员考试系统正在运行？），没有写入任何文件：请先关闭")) << Utf8(boxes[0]);
    bank_->Module().ADOConnection1.Close();
    // Asked, and answered No.
    answer_ = IDNO;
    Click(form_->ConfirmButton);
    EXPECT_EQ(TakeBoxes().size(), 1u);
    EXPECT_FALSE(form_->Busy());
    EXPECT_EQ(FirstText(folder_ / "jjj"), original);

    answer_ = IDYES;
    Click(form_->ConfirmButton);
    EXPECT_TRUE(Idle());
    EXPECT_EQ(FirstText(folder_ / "jjj"), "新的第一题");
    EXPECT_EQ(FirstText(folder_ / "jjj.bak"), original);
    EXPECT_TRUE(Contains(form_->StateLabel->Caption, "已导入 1218 道题")) << Utf8(form_->StateLabel->Caption);
    EXPECT_FALSE(form_->PreviewPanel->Visible);
    EXPECT_TRUE(Contains(form_->BankLabel->Caption, "上一个题库 jjj.bak：有"));

    Click(form_->RestoreButton);
    EXPECT_TRUE(Idle());
    EXPECT_EQ(FirstText(folder_ / "jjj"), original);
    EXPECT_EQ(FirstText(folder_ / "jjj.bak"), "新的第一题");
    EXPECT_TRUE(Contains(form_->StateLabel->Caption, "已恢复上一个题库")) << Utf8(form_->StateLabel->Caption);
}

TEST_F(BankFormTest, CheckingRunsBesideTheWindowAndCancelStopsIt) {
    // Many rows, each reading a picture: a check that takes a while.
    std::string csv = "id,tihao,timu,A,B,C,daan,image,t,lei1,lei2,lei3\n";
    for (int i = 1; i <= 20000; ++i) csv += std::to_string(i) + ",1.1,题,对,错,,A,q.bmp,1,各准驾车型通用试题,节,判断题\n";
    Write(school_ / "big.csv", csv);
    const auto pictured = std::find_if(sample_.begin(), sample_.end(), [](const BankQuestion& q) { return !q.image.empty(); });
    Write(school_ / "图片" / "q.bmp", std::string(pictured->image.begin(), pictured->image.end()));
    const std::string before = Bytes(folder_ / "jjj");
    Open();

    files_ = {school_ / "big.csv"};
    folders_ = {school_ / "图片"};
    Click(form_->ImportButton);
    ASSERT_TRUE(form_->Busy());
    // The window goes on handling its messages: the progress it is told of arrives while the
    // check runs.
    std::vector<int> seen;
    ASSERT_TRUE(PumpUntil([&] {
        const int position = form_->ProgressBar1->Position;
        if (seen.empty() || seen.back() != position) seen.push_back(position);
        return seen.size() >= 3;
    }, 30000));
    EXPECT_TRUE(form_->Busy());
    EXPECT_TRUE(form_->ProgressBar1->Visible);
    EXPECT_FALSE(form_->ImportButton->Enabled);
    ASSERT_TRUE(form_->CancelButton->Visible);
    Click(form_->CancelButton);
    EXPECT_TRUE(Idle());
    EXPECT_TRUE(Contains(form_->StateLabel->Caption, "已取消检查，没有写入任何文件")) << Utf8(form_->StateLabel->Caption);
    EXPECT_FALSE(form_->ProblemPanel->Visible);
    EXPECT_FALSE(form_->PreviewPanel->Visible);
    EXPECT_TRUE(form_->ImportButton->Enabled);
    EXPECT_EQ(Bytes(folder_ / "jjj"), before);

    // Closed in the middle of a check, the window stops it and goes.
    files_ = {school_ / "big.csv"};
    folders_ = {school_ / "图片"};
    Click(form_->ImportButton);
    ASSERT_TRUE(PumpUntil([&] { return form_->ProgressBar1->Position > 0; }, 30000));
    PostMessageW(form_->Handle(), WM_CLOSE, 0, 0);
    PumpFor(50);
    EXPECT_FALSE(form_->Busy());
    form_.reset();
    EXPECT_EQ(Bytes(folder_ / "jjj"), before);
}

TEST_F(BankFormTest, ExportWritesWhatImportReadsAndABrokenBankIsRefusedInWords) {
    Open();
    saves_ = {school_ / "导出" / "题库.csv"};
    folders_ = {school_ / "导出" / "图片"};
    Click(form_->ExportButton);
    EXPECT_TRUE(Idle());
    EXPECT_TRUE(Contains(form_->StateLabel->Caption, "已导出 1218 道题")) << Utf8(form_->StateLabel->Caption);
    const CsvImport back = CheckCsvBank(school_ / "导出" / "题库.csv", school_ / "导出" / "图片");
    EXPECT_TRUE(back.problems.empty());
    EXPECT_EQ(back.rows.size(), 1218u);

    // A folder that does not exist, then one whose bank and previous bank are no databases.
    folders_ = {school_ / "不存在"};
    Click(form_->FolderButton);
    EXPECT_TRUE(Contains(form_->BankLabel->Caption, "不存在：请点“更改…”选择")) << Utf8(form_->BankLabel->Caption);
    Click(form_->ExportButton);
    auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(Contains(boxes[0], "中没有题库文件 jjj，没有可以导出的题库：请先点“更改…”")) << Utf8(boxes[0]);

    const fs::path broken = school_ / "坏的";
    Write(broken / "jjj", std::string(4096, 'x'));
    Write(broken / "jjj.bak", std::string(4096, 'y'));
    folders_ = {broken};
    Click(form_->FolderButton);
    EXPECT_EQ(Utf8(form_->FolderEdit->Text.Get()), Utf8(broken.wstring()));
    saves_ = {school_ / "x.csv"};
    folders_ = {school_ / "x"};
    Click(form_->ExportButton);
    EXPECT_TRUE(Idle());
    boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(Contains(boxes[0], "不是考试系统的题库文件，或者已经损坏")) << Utf8(boxes[0]);
    Click(form_->RestoreButton);  // asked, answered Yes, then refused
    EXPECT_TRUE(Idle());
    boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(Contains(boxes[1], "不是考试系统能打开的题库（可能已经损坏），没有改动任何文件")) << Utf8(boxes[1]);
    EXPECT_EQ(Bytes(broken / "jjj"), std::string(4096, 'x'));
}

TEST(DataFolder, TheFolderItStartsInComesFirstThenWhatTheInstallerRecordedThenBesideTheProgram) {
    const fs::path top = fs::temp_directory_path() / ("muhe-data-folder-" + std::to_string(GetCurrentProcessId()));
    const fs::path started = top / "started", install = top / "install", program = top / "program";
    for (const fs::path& dir : {started, install / kDataFolderName, program / kDataFolderName}) fs::create_directories(dir);
    EXPECT_EQ(ChooseDataFolder(started, install, program), started) << "no bank anywhere";
    Write(program / kDataFolderName / "jjj", "x");
    EXPECT_EQ(ChooseDataFolder(started, install, program), program / kDataFolderName);
    Write(install / kDataFolderName / "jjj", "x");
    EXPECT_EQ(ChooseDataFolder(started, install, program), install / kDataFolderName);
    EXPECT_EQ(ChooseDataFolder(started, fs::path(), program), program / kDataFolderName) << "no installation recorded";
    Write(started / "jjj", "x");
    EXPECT_EQ(ChooseDataFolder(started, install, program), started);
    fs::remove_all(top);
}

}  // namespace
