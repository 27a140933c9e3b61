#pragma once
// TGroupBox: a container of the toolkit's own class drawn as an etched frame with its caption
// in the top edge. TRadioGroup: a group box holding one column of radio buttons made from
// its items; ItemIndex is the checked one.
#include <string>
#include <vector>

#include "ui/win_control.h"

class TRadioButton;

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);
    std::wstring ClassName() const override { return L"TGroupBox"; }
    // The area below the caption and inside the frame, where the children go.
    RECT InnerRect() const;

protected:
    void PaintBackground(HDC dc, const RECT& area) override;
    void TextChanged() override;
};

class TRadioGroup : public TGroupBox {
public:
    explicit TRadioGroup(TComponent* owner);
    std::wstring ClassName() const override { return L"TRadioGroup"; }

    // One radio button per item, owned by the group.
    void SetItems(const std::vector<std::wstring>& items);
    int ItemCount() const { return int(buttons_.size()); }
    TRadioButton* Button(int index) const;
    int GetItemIndex() const;
    void SetItemIndex(int index);
    Property<&TRadioGroup::GetItemIndex, &TRadioGroup::SetItemIndex> ItemIndex{this};

    void SetBounds(int left, int top, int width, int height) override;

private:
    void ArrangeButtons();

    std::vector<TRadioButton*> buttons_;
};
