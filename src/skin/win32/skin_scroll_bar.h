#pragma once
// TSkinScrollBar paints a control's own scroll bars (the window's WS_HSCROLL / WS_VSCROLL
// bars in its non-client area) from the skin: arrows from the Scrollbar part, the track from
// HorzScroll / VertScroll, the thumb from HorzScrollThumb / VertScrollThumb, the corner in
// the Scrollbar colour. A press on an arrow or on the track is left to the control; a press
// on the thumb starts the skinner's own drag, which sends the control the same
// WM_HSCROLL / WM_VSCROLL sequence the system's bar sends. TSkinScControl does the same for
// scrolling containers, with its track taken from the Scrollbar part. TSkinListView also
// skins the list's header (TSkinHeader, sections from the Headerbar part).
#include "skin/scroll_bar_geometry.h"
#include "skin/win32/skin_control.h"

class TSkinScrollBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;

    // A bar (SB_HORZ or SB_VERT) in window coordinates; empty when the window has none.
    RECT BarRect(int bar) const;
    // The box where both bars meet; empty unless both are there.
    RECT CornerRect() const;
    TScrollState State(int bar) const;
    TScrollLayout Layout(int bar) const;
    // Paints both bars and the corner into a device context of the whole window.
    void PaintBars(HDC windowDc);
    // One bar as it shows on the screen (empty when the window has no such bar).
    Bitmap32 RenderBar(int bar);
    // True while the skinner's own thumb drag runs.
    bool Dragging() const { return dragBar_ >= 0; }

protected:
    // The track between the arrows (frame 1 normal, 4 disabled).
    virtual void PaintTrack(Bitmap32& image, const RECT& track, bool vertical, bool enabled);
    // Swallows non-client mouse moves over the bars (after noting the hot part).
    virtual bool SwallowsNcMouseMove() const { return false; }
    // False for a control that reads the thumb's position from the system's tracking
    // rather than from its scroll messages: the system then drags, and the skin follows.
    virtual bool OwnThumbDrag() const { return true; }

private:
    void PaintBar(Bitmap32& image, int bar);
    // One bar alone, as the skinner paints it.
    Bitmap32 PaintedBar(int bar);
    // Repaints the bars when what the control reports differs from what was painted.
    void RepaintIfChanged();
    void RepaintBars();
    void TrackThumb(int bar, POINT screenPoint);
    void NcMouseMove(WPARAM hit, POINT screenPoint);
    // The hit at a screen point on a bar.
    TScrollHit HitAt(int bar, POINT screenPoint) const;

    int hotBar_ = -1;
    TScrollHit hotHit_ = TScrollHit::None;
    int pressedBar_ = -1;
    TScrollHit pressedHit_ = TScrollHit::None;
    int dragBar_ = -1;
    int dragPos_ = 0;
    bool trackingLeave_ = false;
    bool paintedValid_ = false;
    TScrollState painted_[2];
    DWORD paintedStyle_ = 0;
};

class TSkinScControl : public TSkinScrollBar {
public:
    using TSkinScrollBar::TSkinScrollBar;

protected:
    void PaintTrack(Bitmap32& image, const RECT& track, bool vertical, bool enabled) override;
    bool SwallowsNcMouseMove() const override { return true; }
};

class TSkinHeader : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;

    // The frame a section shows: 1 normal, 2 hot, 3 pressed, 4 disabled.
    int SectionFrame(int index) const;

private:
    int hotSection_ = -1;
    int pressedSection_ = -1;
};

class TSkinListView : public TSkinScrollBar {
public:
    using TSkinScrollBar::TSkinScrollBar;
    void Attach(TWinControl& control, bool recolour) override;
    void AttachHandle(HWND hwnd) override;
    void Detach() override;
    void Refresh() override;
    TSkinHeader* Header() const { return header_.get(); }

protected:
    // The list view scrolls to the bar's tracking position, which only the system's own
    // drag keeps.
    bool OwnThumbDrag() const override { return false; }

private:
    void AttachHeader();
    std::unique_ptr<TSkinHeader> header_;
};
