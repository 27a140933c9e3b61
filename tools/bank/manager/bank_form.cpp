#include "bank_form.h"

#include "manager_text.h"
#include "ui/application.h"
#include "ui/builders.h"

namespace fs = std::filesystem;

namespace {

constexpr int kClientWidth = 960;
constexpr int kClientHeight = 640;
constexpr int kPageTop = 196;
// The program skin's DisableTag: a control with this tag keeps its own look (the white frame).
constexpr int kNotSkinned = 99;

TBitBtn* Button(TBankForm* form, TWinControl* parent, const wchar_t* name, const wchar_t* caption, TBounds bounds,
                void (TBankForm::*click)()) {
    auto* button = Place<TBitBtn>(form, parent, name, bounds);
    button->Caption = caption;
    button->OnClick = [form, click] { (form->*click)(); };
    return button;
}

TLabel* Text(TBankForm* form, TWinControl* parent, const wchar_t* name, TBounds bounds, bool bold = false) {
    TLabel* label = Place<TLabel>(form, parent, name, bounds);
    label->WordWrap = true;
    if (bold) label->Font->Style = fsBold;
    return label;
}

}  // namespace

TBankForm::TBankForm(TComponent* owner, fs::path folder, TBankDialogs dialogs)
    : TForm(owner), dialogs_(std::move(dialogs)) {
    Name = L"BankForm";
    Caption = L"木禾题库管理";
    BorderStyle = bsSingle;
    BorderIcons = biSystemMenu | biMinimize;
    Position = poScreenCenter;
    SetSongFont(this, 12, clWindowText, 0);
    SetClientSize(kClientWidth, kClientHeight);

    FolderLabel = Text(this, this, L"FolderLabel", {12, 19, 86, 16});
    FolderLabel->Caption = L"数据文件夹：";
    FolderEdit = Place<TEdit>(this, this, L"FolderEdit", {100, 14, 700, 24});
    FolderEdit->ReadOnly = true;
    FolderButton = Button(this, this, L"FolderButton", L"更改…", {812, 13, 136, 26}, &TBankForm::FolderButtonClick);
    BankLabel = Text(this, this, L"BankLabel", {12, 46, 936, 28});

    ExportButton = Button(this, this, L"ExportButton", L"导出题库…", {12, 78, 150, 30}, &TBankForm::ExportButtonClick);
    ImportButton = Button(this, this, L"ImportButton", L"导入题库…", {174, 78, 150, 30}, &TBankForm::ImportButtonClick);
    RestoreButton =
        Button(this, this, L"RestoreButton", L"恢复上一个题库", {336, 78, 170, 30}, &TBankForm::RestoreButtonClick);

    StateLabel = Text(this, this, L"StateLabel", {12, 118, 936, 34}, true);
    ProgressBar1 = Place<TProgressBar>(this, this, L"ProgressBar1", {12, 162, 780, 20});
    ProgressBar1->Max = 1000;
    ProgressBar1->Visible = false;
    CancelButton = Button(this, this, L"CancelButton", L"取消", {812, 158, 136, 28}, &TBankForm::CancelButtonClick);
    CancelButton->Visible = false;

    BuildPages();
    ActiveControl = ImportButton;
    // The skin comes last: it hooks the program's windows once every control of this one exists.
    SkinData1 = AddProgramSkin(this, {xcBitBtn, xcProgress, xcScrollbar, xcPanel, xcSystemMenu});
    OnClose = [this](TCloseAction& action) { FormClose(action); };
    SetFolder(std::move(folder));
    SetState(L"导出题库可以得到一个 CSV 文件和一个图片文件夹，用电子表格修改后再导入；导入前会先检查，确认后才写入。");
}

void TBankForm::BuildPages() {
    ProblemPanel = Place<TPanel>(this, this, L"ProblemPanel", {0, kPageTop, kClientWidth, kClientHeight - kPageTop});
    ProblemPanel->BevelOuter = bvNone;
    ProblemPanel->Visible = false;
    ProblemLabel = Text(this, ProblemPanel, L"ProblemLabel", {12, 2, 936, 18}, true);
    ProblemLabel->Font->Color = clRed;
    ProblemList = Place<TListView>(this, ProblemPanel, L"ProblemList", {12, 24, 936, 326});
    ProblemList->OwnerData = true;
    ProblemList->AddColumn(L"行", 60);
    ProblemList->AddColumn(L"列", 90);
    ProblemList->AddColumn(L"问题", 760);
    RulesLabel = Text(this, ProblemPanel, L"RulesLabel", {12, 356, 936, 34});
    RulesLabel->Caption = Wide(BankRules());
    CopyButton = Button(this, ProblemPanel, L"CopyButton", L"复制到剪贴板", {12, 398, 150, 30}, &TBankForm::CopyButtonClick);
    SaveButton =
        Button(this, ProblemPanel, L"SaveButton", L"保存为文本文件…", {174, 398, 170, 30}, &TBankForm::SaveButtonClick);

    PreviewPanel = Place<TPanel>(this, this, L"PreviewPanel", {0, kPageTop, kClientWidth, kClientHeight - kPageTop});
    PreviewPanel->BevelOuter = bvNone;
    PreviewPanel->Visible = false;
    PreviewLabel = Text(this, PreviewPanel, L"PreviewLabel", {12, 2, 936, 18}, true);
    PreviewList = Place<TListView>(this, PreviewPanel, L"PreviewList", {12, 24, 700, 366});
    PreviewList->OwnerData = true;
    PreviewList->AddColumn(L"题号", 50);
    PreviewList->AddColumn(L"章节题号", 80);
    PreviewList->AddColumn(L"题目", 270);
    PreviewList->AddColumn(L"答案", 40);
    PreviewList->AddColumn(L"套", 36);
    PreviewList->AddColumn(L"章", 180);
    PreviewList->OnChange = [this] { PreviewListChange(); };
    // The frame of the question card: a picture larger than it is cut, as the learner sees it.
    PictureFrame = Place<TPanel>(this, PreviewPanel, L"PictureFrame", {726, 24, kCardPictureWidth + 2, kCardPictureHeight + 2});
    PictureFrame->BevelOuter = bvLowered;
    PictureFrame->Color = clWhite;
    PictureFrame->Tag = kNotSkinned;
    Image1 = Place<TImage>(this, PictureFrame, L"Image1", {1, 1, kCardPictureWidth, kCardPictureHeight});
    Image1->Center = true;
    PictureLabel = Text(this, PreviewPanel, L"PictureLabel", {726, 250, 222, 80});
    ConfirmButton =
        Button(this, PreviewPanel, L"ConfirmButton", L"确认导入", {12, 398, 150, 30}, &TBankForm::ConfirmButtonClick);
    DiscardButton =
        Button(this, PreviewPanel, L"DiscardButton", L"放弃，不导入", {174, 398, 150, 30}, &TBankForm::DiscardButtonClick);
}

// ---- the data folder

void TBankForm::SetFolder(fs::path folder) {
    folder_ = std::move(folder);
    FolderEdit->Text = Shown(folder_);
    ShowBankState();
}

void TBankForm::ShowBankState() {
    std::error_code ec;
    if (!fs::is_directory(folder_, ec)) {
        BankLabel->Caption = L"文件夹“" + Shown(folder_) + L"”不存在：请点“更改…”选择考试系统安装文件夹中的“数据”文件夹。";
        return;
    }
    const fs::path jjj = folder_ / "jjj";
    const fs::path bak = folder_ / "jjj.bak";
    if (!fs::is_regular_file(jjj, ec)) {
        BankLabel->Caption =
            L"这个文件夹中没有题库文件 jjj。如果它不是考试系统的“数据”文件夹，请点“更改…”选择；也可以在这里导入题库。";
        return;
    }
    std::wstring text = L"题库 jjj：修改于 " + FileTime(jjj) + L"。上一个题库 jjj.bak：";
    text += fs::is_regular_file(bak, ec) ? L"有（" + FileTime(bak) + L" 另存的）。" : L"没有。";
    BankLabel->Caption = text;
}

void TBankForm::FolderButtonClick() {
    const auto chosen = dialogs_.ChooseFolder(Handle(), L"选择考试系统的“数据”文件夹（其中有题库文件 jjj）", folder_);
    if (!chosen) return;
    SetFolder(*chosen);
    pending_.reset();
    ShowPage(nullptr);
    std::error_code ec;
    SetState(fs::is_regular_file(folder_ / "jjj", ec) ? L"已选择数据文件夹“" + Shown(folder_) + L"”。"
                                                      : L"注意：“" + Shown(folder_) + L"”中没有题库文件 jjj。");
}

// ---- pages and state

void TBankForm::ShowPage(TPanel* page) {
    ProblemPanel->Visible = page == ProblemPanel;
    PreviewPanel->Visible = page == PreviewPanel;
}

void TBankForm::SetState(const std::wstring& text) { StateLabel->Caption = text; }

void TBankForm::Warn(const std::wstring& text) {
    Application->MessageBox(text, Application->Title.Get(), MB_OK | MB_ICONWARNING);
}

void TBankForm::SetBusy(bool busy, bool cancellable) {
    for (TBitBtn* button : {FolderButton, ExportButton, ImportButton, RestoreButton, CopyButton, SaveButton, ConfirmButton,
                            DiscardButton})
        button->Enabled = !busy;
    // A check's bar stays when it ends, showing how far it got; other work has none.
    if (busy) {
        ProgressBar1->Position = 0;
        ProgressBar1->Visible = cancellable;
    }
    CancelButton->Enabled = busy && cancellable;
    CancelButton->Visible = busy && cancellable;
    if (busy && cancellable) CancelButton->SetFocus();
}

// ---- jobs

void TBankForm::StartJob(const std::wstring& doing, bool cancellable, bool writes, TBankJob::Work work, Finish finish) {
    SetState(doing);
    SetBusy(true, cancellable);
    finish_ = std::move(finish);
    jobWrites_ = writes;
    job_ = std::make_unique<TBankJob>(Handle(), ++serial_, std::move(work));
}

void TBankForm::JobProgress(unsigned serial, int thousandths) {
    if (!job_ || serial != job_->Serial() || job_->CancelAsked()) return;
    ProgressBar1->Position = thousandths;
}

void TBankForm::JobDone(unsigned serial) {
    // A job cancelled by closing or replaced meanwhile may still have its message queued.
    if (!job_ || serial != job_->Serial()) return;
    job_->Wait();
    const std::string unexpected = job_->Error();
    job_.reset();
    Finish finish = std::move(finish_);
    finish_ = nullptr;
    SetBusy(false, false);
    ShowBankState();
    if (finish) finish(unexpected);
}

void TBankForm::CancelButtonClick() {
    if (!job_) return;
    job_->Cancel();
    SetState(L"正在取消……");
}

void TBankForm::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_BANK_JOB_PROGRESS:
            JobProgress(unsigned(message.WParam), int(message.LParam));
            message.Result = 0;
            return;
        case WM_BANK_JOB_DONE:
            JobDone(unsigned(message.WParam));
            message.Result = 0;
            return;
    }
    TForm::WndProc(message);
}

void TBankForm::FormClose(TCloseAction& action) {
    if (!job_) return;
    if (jobWrites_) {
        // A bank half written is never left behind: the write finishes first.
        action = caNone;
        Warn(L"正在写入文件，请等它完成后再关闭窗口。");
        return;
    }
    job_.reset();
}
