#include "app/bench.h"
#include "app/bench_skin_controls.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/bench_figures.h"
#include "app/bench_floor.h"
#include "app/bench_practice.h"
#include "app/bench_reference.h"
#include "app/form1.h"
#include "app/start_up.h"
#include "app/window_refs.h"
#include "data/ado_query.h"
#include "data/data_module.h"
#include "data/statements.h"
#include "exam/win/form5.h"
#include "practice/win/form55.h"
#include "practice/win/form6.h"
#include "practice/win/form4.h"
#include "skin/win32/skin_manage.h"
#include "skin/win32/skin_messages.h"
#include "skin/win32/win_skin_form.h"
#include "ui/application.h"

using namespace bench;

namespace {

// The skin of a window, once it has its skinned frame.
TWinSkinForm* SkinnedFrame(HWND hwnd) {
    TSkinManage* manager = TSkinManage::Instance(false);
    TWinSkinForm* skinned = manager ? manager->FindForm(hwnd) : nullptr;
    return skinned && skinned->LifeState() == lsSkinned ? skinned : nullptr;
}

// Handles messages until the window wears its skin, or no longer wears it (or a second has
// passed). The wait is bounded: the skin's steps need not each arrive as a new message, so
// waiting for one could block for good.
bool WaitForSkinState(HWND hwnd, bool wanted) {
    const int64_t until = GetTickCount64() + 1000;
    while ((SkinnedFrame(hwnd) != nullptr) != wanted && int64_t(GetTickCount64()) < until) {
        Application->ProcessMessages();
        if ((SkinnedFrame(hwnd) != nullptr) != wanted) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return (SkinnedFrame(hwnd) != nullptr) == wanted;
}

bool WaitForSkin(HWND hwnd) { return WaitForSkinState(hwnd, true); }

TForm5* NewExam() { return Form5 = new TForm5(Form1, &DataModule3->ADOConnection1); }

// Opens the mock exam, shows it, lets it be skinned (when the skin is on) and paints what is
// still to be painted.
Opening OpenExam(bool skinned, FloorFigures& floor) {
    Opening o;
    TForm5* exam = MeasureOpening(NewExam, o, skinned ? +[](HWND hwnd) { WaitForSkin(hwnd); } : nullptr);
    floor.Capture(exam->Handle());
    return o;
}

void CloseExam() {
    Form5->paper.handed_in = "t";
    FreeMeasured(Form5);
}

}  // namespace

int RunBenchmark(int64_t startTicks) {
    std::string report = "muhe.exe --bench\n";
    MarkSeries(L"start-up");
    Mark(L"muhe-bench-mark-opening-begins");
    const int64_t made0 = Now();
    Application->CreateForm(Form1);
    const int64_t data0 = Now();
    DataModule3 = new TDataModule3();
    const int64_t shown0 = Now();
    Form1->Show();
    WaitForSkin(Form1->Handle());
    const int64_t painted0 = Now();
    PaintNow(Form1);
    const int64_t painted1 = Now();
    const double startUp = Milliseconds(startTicks, painted1);
    Mark(L"muhe-bench-mark-opening-ends");
    report += Line("start-up to the main window's first skinned paint", startUp, "ms", 150);
    // The main window's making holds the process's first window, which under Wine also loads
    // the display driver; the first paint is the first use of the program's fonts.
    report += Line("  of which the main window and its FormCreate", Milliseconds(made0, data0), "ms", 150);
    report += Line("  of which the data module", Milliseconds(data0, shown0), "ms", 150);
    report += Line("  of which showing it, skinned", Milliseconds(shown0, painted0), "ms", 150);
    report += Line("  of which the first paint", Milliseconds(painted0, painted1), "ms", 150);
    // Made when the loop is first idle, after that paint.
    MarkSeries(L"start-up-windows");
    Mark(L"muhe-bench-mark-opening-begins");
    const int64_t dialogs0 = Now();
    CreateStartUpForms();
    const std::string dialogs =
        Line("then the jump dialog and the hidden by-set window", Milliseconds(dialogs0, Now()), "ms", 150);
    Mark(L"muhe-bench-mark-opening-ends");
    // The main window stays open: its floor is a second window beside it, so the floor holds
    // neither the process's first window nor the fonts' first use.
    FloorFigures mainFloor;
    MarkSeries(L"main");
    mainFloor.Capture(Form1->Handle());
    for (int round = 0; round < 10; ++round) mainFloor.Measure(startUp);
    report += mainFloor.Lines(10);
    report += dialogs;

    // The question query alone, as every drill window opens it.
    Figures query;
    for (int round = 0; round < 10; ++round) {
        TADOQuery q;
        q.Connection = &DataModule3->ADOConnection1;
        q.SQL.SetText(statements::kAllQuestions);
        const int64_t q0 = Now();
        q.Open();
        query.Add(Milliseconds(q0, Now()));
    }
    report += Line("opening the question query (median)", query.Median(), "ms", 15);

    // The mock exam: opening (query, count, 100 draws, first card, first paint), then keys.
    MarkSeries(L"exam");
    OpeningFigures opening;
    FloorFigures examFloor;
    Figures keys, moves, moveOnly;
    for (int round = 0; round < 20; ++round) {
        Opening phases;
        TForm5* exam = MeasureOpening(NewExam, phases);
        opening.Add(phases);
        examFloor.Capture(exam->Handle());
        TimeKeys(exam->Handle(), exam, 99, [](int k) { return k % 3 == 0 ? L'2' : L'6'; }, keys);
        // A card move alone: locate, picture, repaint.
        for (int p = 1; p <= 100; ++p) {
            const int64_t m0 = Now();
            exam->GoToPosition(p);
            const int64_t m1 = Now();
            PaintNow(exam);
            moves.Add(Milliseconds(m0, Now()));
            moveOnly.Add(Milliseconds(m0, m1));
        }
        CloseExam();
        examFloor.Measure(phases.Total());
    }
    report += Line("opening the mock exam (median of 20)", opening.total.Median(), "ms", 30);
    report += examFloor.Lines(20);
    report += Line("opening the mock exam (slowest)", opening.total.Max(), "ms", 30);
    report += Line("  of which building its components (median)", opening.building.Median(), "ms", 30);
    report += Line("  of which its window and FormCreate (median)", opening.creating.Median(), "ms", 30);
    report += Line("  of which the first paint (median)", opening.painting.Median(), "ms", 30);
    report += Line("an exam key's handling and repaint (median)", keys.Median(), "ms", 2);
    report += Line("an exam key's handling and repaint (slowest)", keys.Max(), "ms", kSlowestKey);
    report += Line("a card move: locate, picture, repaint (median)", moves.Median(), "ms", 2);
    report += Line("a card move: locate, picture, repaint (slowest)", moves.Max(), "ms", 2);
    report += Line("  of which locate and picture (median)", moveOnly.Median(), "ms", 2);

    // Chapter practice: opening (the tree's four queries and nodes, chapter 1, first paint),
    // tree choices of every chapter, section and kind node, and keys in the chapter line.
    MarkSeries(L"chapter");
    OpeningFigures chapterOpening;
    FloorFigures chapterFloor;
    Figures chapterChoices, chapterKeys;
    for (int round = 0; round < 20; ++round) {
        Opening phases;
        TForm4* chapter = MeasureOpening(
            [] { return Form4 = new TForm4(Form1, &DataModule3->ADOConnection1, &DataModule3->ADOConnection2); }, phases);
        chapterOpening.Add(phases);
        chapterFloor.Capture(chapter->Handle());
        if (round == 0) {
            TTreeNodes& nodes = *chapter->TreeView1->Items;
            for (int i = 0; i < nodes.Count(); ++i) {
                Mark(L"muhe-bench-mark-choice-begins");
                const int64_t c0 = Now();
                chapter->TreeView1Change(nodes[i]);
                PaintNow(chapter);
                chapterChoices.Add(Milliseconds(c0, Now()));
                Mark(L"muhe-bench-mark-choice-ends");
            }
            chapter->TreeView1Change(nodes[0]);
            TimeKeys(chapter->Edit1->Handle(), chapter, 200, [](int k) { return k % 4 == 3 ? L'4' : L'6'; }, chapterKeys);
        }
        FreeMeasured(Form4);
        chapterFloor.Measure(phases.Total());
    }
    report += Line("opening chapter practice with its tree (median of 20)", chapterOpening.total.Median(), "ms", 40);
    report += chapterFloor.Lines(20);
    report += Line("opening chapter practice with its tree (slowest)", chapterOpening.total.Max(), "ms", 40);
    report += Line("  of which building its components (median)", chapterOpening.building.Median(), "ms", 40);
    report += Line("  of which its window and FormCreate with the tree (median)", chapterOpening.creating.Median(), "ms",
                   40);
    report += Line("  of which the first paint (median)", chapterOpening.painting.Median(), "ms", 40);
    report += Line("a tree choice: query, card, repaint (median)", chapterChoices.Median(), "ms", 15);
    report += Line("a tree choice: query, card, repaint (slowest)", chapterChoices.Max(), "ms", 15);
    report += Line("a key in the chapter line and repaint (median)", chapterKeys.Median(), "ms", 2);
    report += Line("a key in the chapter line and repaint (slowest)", chapterKeys.Max(), "ms", kSlowestKey);

    // By-set practice: opening (set 1's query, the paper, first card, first paint), loading
    // each of the twelve sets through the list's change, and a jump through the dialog's Enter.
    MarkSeries(L"by-set");
    TForm55* const hiddenBySet = Form55;
    Figures bySetOpening, setLoads, jumps, bySetKeys;
    FloorFigures bySetFloor;
    for (int round = 0; round < 20; ++round) {
        TForm55* bySet = MeasureOpening(
            [] {
                Form55 = new TForm55(Form1, &DataModule3->ADOConnection1);
                Form55->JumpDialog = Form6;
                return Form55;
            },
            bySetOpening);
        bySetFloor.Capture(bySet->Handle());
        if (round == 0) {
            for (int k = 0; k < 12; ++k) {
                bySet->ComboBox1->ItemIndex = k;
                const int64_t l0 = Now();
                bySet->ComboBox1Change();
                PaintNow(bySet);
                setLoads.Add(Milliseconds(l0, Now()));
            }
            Form6->Label3->Caption = L"55";
            HWND entry = Form6->Edit1->Handle();
            for (int p = 1; p <= 100; ++p) {
                Form6->Edit1->Text = std::to_wstring(101 - p);
                const int64_t j0 = Now();
                SendMessageW(entry, WM_CHAR, L'\r', 1);
                PaintNow(bySet);
                jumps.Add(Milliseconds(j0, Now()));
            }
            // Keys in the set's field, from position 1: mostly moves, every third an answer
            // (which moves on too).
            TimeKeys(bySet->Edit1->Handle(), bySet, 60, PracticeKey, bySetKeys);
        }
        FreeMeasured(Form55, hiddenBySet);
        bySetFloor.Measure(bySetOpening.samples.back());
    }
    report += Line("opening by-set practice (median of 20)", bySetOpening.Median(), "ms", 30);
    report += bySetFloor.Lines(20);
    report += Line("opening by-set practice (slowest)", bySetOpening.Max(), "ms", 30);
    report += Line("loading a set: query, paper, card, repaint (median)", setLoads.Median(), "ms", 20);
    report += Line("loading a set: query, paper, card, repaint (slowest)", setLoads.Max(), "ms", 20);
    report += Line("a jump: the dialog's Enter, card, repaint (median)", jumps.Median(), "ms", 5);
    report += Line("a jump: the dialog's Enter, card, repaint (slowest)", jumps.Max(), "ms", 5);
    report += Line("a by-set practice key and repaint (median)", bySetKeys.Median(), "ms", 2);
    report += Line("a by-set practice key and repaint (slowest)", bySetKeys.Max(), "ms", kSlowestKey);
    report += BenchPracticeWindows(Form1);
    report += BenchReferenceViewer(Form1);

    // The skin's share: the exam opened skinned and unskinned, in turns, and one repaint of
    // its skinned frame.
    Figures skinnedOpening, plainOpening, skinningOnly, frame;
    FloorFigures skinnedFloor, plainFloor;
    for (int round = 0; round < 20; ++round) {
        MarkSeries(L"exam-skinned");
        const Opening o = OpenExam(true, skinnedFloor);
        skinnedOpening.Add(o.Total());
        skinningOnly.Add(o.settling);
        if (round == 0) {
            for (int i = 0; i < 200; ++i) {
                const int64_t f0 = Now();
                SendMessageW(Form5->Handle(), kSkinRepaintFrame, 0, 0);
                GdiFlush();
                frame.Add(Milliseconds(f0, Now()));
            }
        }
        CloseExam();
        skinnedFloor.Measure(o.Total());
        MarkSeries(L"exam-unskinned");
        Form1->SkinData1->SetActive(false);
        WaitForSkinState(Form1->Handle(), false);
        const Opening plain = OpenExam(false, plainFloor);
        plainOpening.Add(plain.Total());
        CloseExam();
        plainFloor.Measure(plain.Total());
        Form1->SkinData1->SetActive(true);
        WaitForSkin(Form1->Handle());
    }
    const double share = plainOpening.Median() > 0 ? (skinnedOpening.Median() / plainOpening.Median() - 1) * 100 : 0;
    report += Line("opening the mock exam skinned (median of 20)", skinnedOpening.Median(), "ms", 30);
    report += skinnedFloor.Lines(20);
    report += Line("  of which finishing the skin (median)", skinningOnly.Median(), "ms", 30);
    report += Line("opening the mock exam unskinned (median of 20)", plainOpening.Median(), "ms", 30);
    report += plainFloor.Lines(20);
    report += Line("what skinning adds to opening the exam", share, "%", 15);
    report += Line("one repaint of the exam's skinned frame (median)", frame.Median(), "ms", 1);
    report += BenchSkinnedControls();

    if (FILE* out = _wfopen(L"bench.txt", L"wb")) {
        std::fwrite(report.data(), 1, report.size(), out);
        std::fclose(out);
    }
    std::fwrite(report.data(), 1, report.size(), stdout);
    std::fflush(stdout);
    Application->DestroyForms();
    delete DataModule3;
    DataModule3 = nullptr;
    return 0;
}
