#pragma once
// TStatusBar: the system status bar at the bottom of its parent, with panels of a given
// width, text and alignment (the last panel reaches to the right edge).
#include <memory>
#include <vector>

#include "ui/win_control.h"

class TStatusBar;

class TStatusPanel {
public:
    explicit TStatusPanel(TStatusBar* bar) : bar_(bar) {}
    TStatusPanel(const TStatusPanel&) = delete;
    TStatusPanel& operator=(const TStatusPanel&) = delete;

    int GetWidth() const { return width_; }
    void SetWidth(int width);
    std::wstring GetText() const { return text_; }
    void SetText(const std::wstring& text);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TBevelCut GetBevel() const { return bevel_; }
    void SetBevel(TBevelCut bevel);

    Property<&TStatusPanel::GetWidth, &TStatusPanel::SetWidth> Width{this};
    Property<&TStatusPanel::GetText, &TStatusPanel::SetText> Text{this};
    Property<&TStatusPanel::GetAlignment, &TStatusPanel::SetAlignment> Alignment{this};
    // Lowered (the default), raised or without a frame.
    Property<&TStatusPanel::GetBevel, &TStatusPanel::SetBevel> Bevel{this};

private:
    TStatusBar* bar_;
    int width_ = 50;
    std::wstring text_;
    TAlignment alignment_ = taLeftJustify;
    TBevelCut bevel_ = bvLowered;
};

class TStatusPanels {
public:
    explicit TStatusPanels(TStatusBar* bar) : bar_(bar) {}
    TStatusPanels(const TStatusPanels&) = delete;
    TStatusPanels& operator=(const TStatusPanels&) = delete;

    TStatusPanel* Add();
    void Clear();
    int Count() const { return int(panels_.size()); }
    // The panel at index; an index outside the list throws Exception.
    TStatusPanel* Items(int index) const;

private:
    TStatusBar* bar_;
    std::vector<std::unique_ptr<TStatusPanel>> panels_;
};

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* owner);
    std::wstring ClassName() const override { return L"TStatusBar"; }

    bool GetSimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool simple);
    bool GetSizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool sizeGrip);
    // One text across the whole bar instead of the panels (off by default).
    Property<&TStatusBar::GetSimplePanel, &TStatusBar::SetSimplePanel> SimplePanel{this};
    // The sizing grip at the right end (the window is re-created to change it).
    Property<&TStatusBar::GetSizeGrip, &TStatusBar::SetSizeGrip> SizeGrip{this};

private:
    TStatusPanels panels_{this};

public:
    TStatusPanels* const Panels = &panels_;

    // The panels' texts, separated by " | ".
    std::wstring DisplayText() const override;
    // The text the system bar shows in a panel (what it was given), for checks.
    std::wstring PanelTextShown(int index) const;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void ParentResized() override;

private:
    friend class TStatusPanel;
    friend class TStatusPanels;
    void UpdatePanels();

    bool simplePanel_ = false;
    bool sizeGrip_ = true;
};
