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
