#pragma once
// TComboBox: a drop-down list (the system "COMBOBOX" class). Choosing an item runs OnClick
// then OnChange; closing the list runs OnCloseUp. Setting ItemIndex or Text from code runs
// neither.
#include "ui/strings.h"
#include "ui/win_control.h"

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    std::wstring ClassName() const override { return L"TComboBox"; }

    int GetItemIndex() const;
    void SetItemIndex(int index);
    int GetDropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count);
    TComboBoxStyle GetStyle() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    std::wstring GetCaption() const override;
    void SetCaption(const std::wstring& text) override;

    // The selected item's index, -1 for none.
    Property<&TComboBox::GetItemIndex, &TComboBox::SetItemIndex> ItemIndex{this};
    // The text shown (in a drop-down list: the selected item; setting it selects that item).
    Property<&TControl::GetCaption, &TControl::SetCaption> Text{this};
    // How many items the dropped-down list shows without scrolling.
    Property<&TComboBox::GetDropDownCount, &TComboBox::SetDropDownCount> DropDownCount{this};
    Property<&TComboBox::GetStyle, &TComboBox::SetStyle> Style{this};

private:
    TStrings items_;

public:
    TStrings* const Items = &items_;

    TNotifyEvent OnChange;
    TNotifyEvent OnCloseUp;

    // Whether the list is dropped down now.
    bool DroppedDown() const;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;
    // Alt+Up and Alt+Down open and close the list; Wine's combo box class keeps every other
    // system key too (Alt+F4 in a drop-down list closed nothing).
    bool ClassUsesSystemKey(WORD key) const override { return key == VK_UP || key == VK_DOWN; }
    int WindowHeightFor(int height) const override;
    void ColorChanged() override;

private:
    void ItemsChanged();
    void FillList();
    void AdjustDropDown();
    bool NeedsBar() const;

    int itemIndex_ = -1;
    int dropDownCount_ = 8;
    bool listHasBar_ = false;  // the list was made with a scroll bar
    TComboBoxStyle style_ = csDropDownList;
    Gdi<HBRUSH> brush_;
};
