#pragma once
// TTabControl: a strip of tabs over the system tab control ("SysTabControl32") on any side of
// its page. TTabSet: the older tab set of the toolkit's own class, tabs hanging down from a
// line along its top edge as under a notebook. Both run OnChange when the learner picks
// another tab.
#include <string>
#include <vector>

#include "ui/win_control.h"

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

class TTabControl : public TWinControl {
public:
    explicit TTabControl(TComponent* owner);
    std::wstring ClassName() const override { return L"TTabControl"; }

    void SetTabs(const std::vector<std::wstring>& tabs);
    const std::vector<std::wstring>& Tabs() const { return tabs_; }
    int GetTabIndex() const;
    void SetTabIndex(int index);
    TTabPosition GetTabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition position);
    bool GetMultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine);
    Property<&TTabControl::GetTabIndex, &TTabControl::SetTabIndex> TabIndex{this};
    // Tabs on the left or right always wrap into rows.
    Property<&TTabControl::GetTabPosition, &TTabControl::SetTabPosition> TabPosition{this};
    Property<&TTabControl::GetMultiLine, &TTabControl::SetMultiLine> MultiLine{this};

    // The page inside the tabs and the border, in client coordinates.
    RECT DisplayRect() const;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;

private:
    std::vector<std::wstring> tabs_;
    int tabIndex_ = -1;
    TTabPosition tabPosition_ = tpTop;
    bool multiLine_ = false;
};

class TTabSet : public TWinControl {
public:
    explicit TTabSet(TComponent* owner);
    std::wstring ClassName() const override { return L"TTabSet"; }

    void SetTabs(const std::vector<std::wstring>& tabs);
    const std::vector<std::wstring>& Tabs() const { return tabs_; }
    int GetTabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);
    Property<&TTabSet::GetTabIndex, &TTabSet::SetTabIndex> TabIndex{this};

    // Where a tab lies (client coordinates); empty for an index outside the tabs.
    RECT TabRect(int index) const;
    // The tab under a client point, or -1.
    int TabAt(POINT point) const;

    TNotifyEvent OnChange;

protected:
    void PaintBackground(HDC dc, const RECT& area) override;
    void WndProc(TMessage& message) override;

private:
    std::vector<std::wstring> tabs_;
    int tabIndex_ = -1;
};

class TPageControl;

// A page of a page control: a container shown while its tab is selected.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    std::wstring ClassName() const override { return L"TTabSheet"; }
    TPageControl* PageControl() const { return pageControl_; }

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
};

// TPageControl: a tab control whose tabs are its pages; choosing a tab shows that page.
class TPageControl : public TTabControl {
public:
    explicit TPageControl(TComponent* owner);
    std::wstring ClassName() const override { return L"TPageControl"; }

    // A new last page (owned by the control's owner, as the form's other components are).
    TTabSheet* AddPage(const std::wstring& caption);
    int PageCount() const { return int(pages_.size()); }
    TTabSheet* Page(int index) const;
    TTabSheet* ActivePage() const { return Page(GetTabIndex()); }
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void InitWnd() override;
    void WndProc(TMessage& message) override;

private:
    // Shows the selected page over the display area and hides the others.
    void ShowActivePage();

    std::vector<TTabSheet*> pages_;
};
