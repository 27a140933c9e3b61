#include "app/bench_practice.h"

#include "app/bench_figures.h"
#include "app/bench_floor.h"
#include "app/window_refs.h"
#include "data/ado_query.h"
#include "data/data_module.h"
#include "practice/win/form2.h"
#include "practice/win/formqh2.h"
#include "ui/application.h"

using namespace bench;

namespace {

void Run(TADOConnection& connection, const std::string& sql) {
    TADOQuery q;
    q.Connection = &connection;
    q.SQL.SetText(sql);
    q.ExecSQL();
}

}  // namespace

std::string BenchPracticeWindows(TForm* owner) {
    TADOConnection& bank = DataModule3->ADOConnection1;
    TADOConnection& aux = DataModule3->ADOConnection2;
    std::string report;
    // From the beginning, so that no opening asks to resume; the windows are freed without
    // closing, so that none stores a resume point.
    Run(aux, "update bz1 set bz='1'");
    Run(bank, "update kaoti set bz=''");

    MarkSeries(L"sequential");
    Figures seqOpening, seqKeys;
    FloorFigures seqFloor;
    for (int round = 0; round < 20; ++round) {
        auto* form = MeasureOpening([&] { return Form2 = new TForm2(owner, &bank, &aux); }, seqOpening);
        seqFloor.Capture(form->Handle());
        TimeKeys(form->Handle(), form, 60, PracticeKey, seqKeys);
        FreeMeasured(Form2);
        seqFloor.Measure(seqOpening.samples.back());
    }
    report += Line("opening sequential practice (median of 20)", seqOpening.Median(), "ms", 30);
    report += seqFloor.Lines(20);
    report += Line("opening sequential practice (slowest)", seqOpening.Max(), "ms", 30);
    report += Line("a sequential practice key and repaint (median)", seqKeys.Median(), "ms", 2);
    report += Line("a sequential practice key and repaint (slowest)", seqKeys.Max(), "ms", kSlowestKey);

    MarkSeries(L"intensive");
    Figures listOpening, listKeys, removing, clearing;
    FloorFigures listFloor;
    for (int round = 0; round < 10; ++round) {
        Run(bank, "update kaoti set bz='t' where id <= 300");
        auto* form = MeasureOpening([&] { return Formqh2 = new TFormqh2(owner, &bank, &aux); }, listOpening);
        listFloor.Capture(form->Handle());
        TimeKeys(form->Handle(), form, 60, PracticeKey, listKeys);
        // Removing from a list of 300 (then 299 ...): the post, the list read again, the card.
        for (int r = 0; r < 5; ++r) {
            const int64_t r0 = Now();
            form->RemoveCurrent();
            PaintNow(form);
            removing.Add(Milliseconds(r0, Now()));
        }
        Run(bank, "update kaoti set bz='t' where id <= 300");
        form->ADOQuery1->Close();
        form->ADOQuery1->Open();
        const int64_t c0 = Now();
        form->ClearAll(true);
        PaintNow(form);
        clearing.Add(Milliseconds(c0, Now()));
        FreeMeasured(Formqh2);
        listFloor.Measure(listOpening.samples.back());
    }
    // The writes alone, over the same rows: a mark's post, and the clear statement on 300 marks.
    // A row is written whole, its picture included, so these carry the disk's cost.
    Figures posting, clearStatement;
    {
        TADOQuery list;
        list.Connection = &bank;
        list.SQL.SetText("select * from kaoti where id <= 300 order by id");
        list.Open();
        for (int round = 0; round < 10; ++round) {
            Run(bank, "update kaoti set bz='t' where id <= 300");
            const int64_t c0 = Now();
            Run(bank, "update kaoti set bz='' where bz='t'");
            clearStatement.Add(Milliseconds(c0, Now()));
            for (int k = 0; k < 5; ++k) {
                list.Locate("id", round * 30 + k * 6 + 1);
                const int64_t p0 = Now();
                list.Edit();
                list.FieldByName("bz")->SetAsString(k % 2 ? "" : "t");
                list.Post();
                posting.Add(Milliseconds(p0, Now()));
            }
        }
    }
    report += Line("opening intensive practice on 300 marks (median of 10)", listOpening.Median(), "ms", 30);
    report += listFloor.Lines(10);
    report += Line("opening intensive practice on 300 marks (slowest)", listOpening.Max(), "ms", 30);
    report += Line("an intensive practice key and repaint (median)", listKeys.Median(), "ms", 2);
    report += Line("an intensive practice key and repaint (slowest)", listKeys.Max(), "ms", kSlowestKey);
    report += Line("removing from 300 marks, with repaint (median)", removing.Median(), "ms", 20);
    report += Line("removing from 300 marks, with repaint (slowest)", removing.Max(), "ms", 20);
    report += Line("clearing 300 marks, with repaint (median)", clearing.Median(), "ms", 20);
    report += Line("clearing 300 marks, with repaint (slowest)", clearing.Max(), "ms", 20);
    report += Line("  a mark's post alone (median)", posting.Median(), "ms", 20);
    report += Line("  a mark's post alone (slowest)", posting.Max(), "ms", 20);
    report += Line("  the clear statement on 300 marks alone (median)", clearStatement.Median(), "ms", 20);
    return report;
}
