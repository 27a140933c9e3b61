#pragma once
// Text drawn by the parent: TLabel shows its caption, TDBText (db_text.h) a column of the
// current row. Transparent by default, optionally word-wrapped, aligned left, centred or
// right; AutoSize (off by default) fits the bounds to the text.
#include "ui/control.h"

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);
    std::wstring ClassName() const override { return L"TCustomLabel"; }

    bool GetTransparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool GetWordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool GetAutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    // Transparent: the parent's background shows behind the text; otherwise Color fills it.
    Property<&TCustomLabel::GetTransparent, &TCustomLabel::SetTransparent> Transparent{this};
    Property<&TCustomLabel::GetWordWrap, &TCustomLabel::SetWordWrap> WordWrap{this};
    Property<&TCustomLabel::GetAlignment, &TCustomLabel::SetAlignment> Alignment{this};
    Property<&TCustomLabel::GetAutoSize, &TCustomLabel::SetAutoSize> AutoSize{this};

    void Paint(HDC dc) override;
    std::wstring DisplayText() const override { return LabelText(); }

protected:
    virtual std::wstring LabelText() const = 0;
    // With AutoSize: the text's size (a word-wrapped label keeps its width).
    void AdjustSize();
    void TextChanged() override;
    void FontChanged() override;
    UINT DrawFlags() const;

private:
    bool transparent_ = true;
    bool wordWrap_ = false;
    bool autoSize_ = false;
    TAlignment alignment_ = taLeftJustify;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
    std::wstring ClassName() const override { return L"TLabel"; }

protected:
    std::wstring LabelText() const override { return caption_; }
};
