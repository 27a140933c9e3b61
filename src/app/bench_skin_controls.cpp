#include "app/bench_skin_controls.h"

#include <windows.h>

#include "app/bench_figures.h"
#include "app/form1.h"
#include "app/window_refs.h"
#include "skin/win32/skin_control.h"
#include "skin/win32/skin_manage.h"
#include "skin/win32/win_skin_form.h"
#include "ui/application.h"
#include "ui/bit_btn.h"
#include "ui/window_subclass.h"

using namespace bench;

std::string BenchSkinnedControls() {
    std::string report;
    TSkinManage* manager = TSkinManage::Instance(false);
    HWND main = Form1->Handle();
    TWinSkinForm* skinned = manager ? manager->FindForm(main) : nullptr;
    if (!skinned || !skinned->SystemMenuReplacement()) return "the main window is not skinned: no figures of the skinned controls\n";

    // The system menu: from asking for it to the menu loop's first idle moment, when the menu
    // window and its owner-drawn items have been painted.
    Figures menu;
    int64_t opened = 0;
    TWindowSubclass idle(main, [&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_ENTERIDLE && wParam == MSGF_MENU && opened) {
            menu.Add(Milliseconds(opened, Now()));
            opened = 0;
            EndMenu();
        }
        return TWindowSubclass::CallNext(hwnd, msg, wParam, lParam);
    });
    RECT r{};
    GetWindowRect(main, &r);
    for (int round = 0; round < 20; ++round) {
        opened = Now();
        TrackPopupMenu(skinned->SystemMenuReplacement(), TPM_RIGHTBUTTON | TPM_RETURNCMD, r.left + 60, r.top + 20, 0,
                       main, nullptr);
        Application->ProcessMessages();
    }
    idle.Detach();
    report += Line("opening the system menu to painted (median of 20)", menu.Median(), "ms", 16);

    // A bit button of the main menu: the mouse coming over it and leaving, a press and a
    // release outside it (no click), each with its repaint.
    TBitBtn* button = Form1->BitBtn8;
    HWND b = button->Handle();
    Figures hot, pressed;
    for (int round = 0; round < 200; ++round) {
        const int64_t h0 = Now();
        SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        hot.Add(Milliseconds(h0, Now()));
        button->Perform(CM_MOUSELEAVE);
        const int64_t p0 = Now();
        SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        pressed.Add(Milliseconds(p0, Now()));
        SendMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
    }
    Form1->BitBtn1->SetFocus();
    report += Line("a bit button turning hot, repainted (median of 200)", hot.Median(), "ms", 1);
    report += Line("a bit button pressed, repainted (median of 200)", pressed.Median(), "ms", 1);

    // The whole main window: frame, caption, buttons, status bar and panels.
    Figures full;
    for (int round = 0; round < 50; ++round) {
        const int64_t f0 = Now();
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
        full.Add(Milliseconds(f0, Now()));
    }
    report += Line("a full repaint of the skinned main window (median of 50)", full.Median(), "ms", 16);
    return report;
}
