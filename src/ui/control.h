#pragma once
// Controls: TControl (bounds, visibility, caption, colour, font, clicks) and TGraphicControl
// (a control without a window of its own, painted by its parent into the parent's off-screen
// buffer and hit-tested by the parent).
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/component.h"
#include "ui/graphics.h"
#include "ui/property.h"
#include "ui/ui_types.h"

class TWinControl;
class TForm;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    std::wstring ClassName() const override { return L"TControl"; }

    int GetLeft() const { return left_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    int GetTop() const { return top_; }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    int GetWidth() const { return width_; }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    int GetHeight() const { return height_; }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    TWinControl* GetParent() const { return parent_; }
    void SetParent(TWinControl* parent);
    bool GetVisible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    virtual std::wstring GetCaption() const { return caption_; }
    virtual void SetCaption(const std::wstring& caption);
    TColor GetColor() const { return color_; }
    void SetColor(TColor color);
    TCursor GetCursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }
    bool GetParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    bool GetParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);

    // Bounds relative to the parent's client area (a form: the window rectangle on screen).
    Property<&TControl::GetLeft, &TControl::SetLeft> Left{this};
    Property<&TControl::GetTop, &TControl::SetTop> Top{this};
    Property<&TControl::GetWidth, &TControl::SetWidth> Width{this};
    Property<&TControl::GetHeight, &TControl::SetHeight> Height{this};
    Property<&TControl::GetParent, &TControl::SetParent> Parent{this};
    Property<&TControl::GetVisible, &TControl::SetVisible> Visible{this};
    Property<&TControl::GetEnabled, &TControl::SetEnabled> Enabled{this};
    Property<&TControl::GetCaption, &TControl::SetCaption> Caption{this};
    Property<&TControl::GetColor, &TControl::SetColor> Color{this};
    Property<&TControl::GetCursor, &TControl::SetCursor> Cursor{this};
    // True while the control takes its parent's font (cleared when its own font is changed).
    Property<&TControl::GetParentFont, &TControl::SetParentFont> ParentFont{this};
    Property<&TControl::GetParentColor, &TControl::SetParentColor> ParentColor{this};

private:
    TFont font_;

public:
    TFont* const Font = &font_;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    // The client rectangle in the control's own coordinates.
    virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }

    // What a click does: runs OnClick (buttons also set their form's modal result).
    virtual void Click();
    virtual void DblClick();

    // Repaints the control (for a graphic control: its rectangle of the parent).
    virtual void Invalidate();
    // Moves the control above or below its siblings.
    void BringToFront();
    void SendToBack();

    // Visible itself and every parent below its form.
    bool VisibleInForm() const;
    // The form this control is on (a form returns itself), or nullptr.
    TForm* ParentForm() const;
    virtual bool IsWindowed() const { return false; }

    // The text a learner reads on the control (the caption; data-aware and list controls
    // report what they show). Used by the automation interface.
    virtual std::wstring DisplayText() const { return GetCaption(); }
    // Further facts the automation interface reports about the control, as names and texts
    // (the page view gives the page it shows as "page").
    virtual void AutomationFields(std::vector<std::pair<std::string, std::wstring>>& fields) const { (void)fields; }

protected:
    virtual void BoundsChanged(const RECT& oldBounds);
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void TextChanged();
    virtual void ColorChanged();
    virtual void FontChanged();
    virtual void ParentChanged(TWinControl* oldParent);

    // Takes new bounds without pushing them to a window (the window reported them).
    void StoreBounds(const RECT& bounds);
    // The parent's font or colour changed (or a new parent was set).
    void SyncParentFont();
    void SyncParentColor();

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::wstring caption_;
    TColor color_ = clBtnFace;
    TCursor cursor_ = crDefault;
    bool parentFont_ = true;
    bool parentColor_ = false;
    TWinControl* parent_ = nullptr;

private:
    bool syncing_ = false;
    friend class TWinControl;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
    std::wstring ClassName() const override { return L"TGraphicControl"; }

    // Paints into dc, whose origin is the control's top-left corner and whose clip region
    // is the control's bounds. The parent has painted its background (and the controls
    // below this one) already.
    virtual void Paint(HDC dc) = 0;
};
