#pragma once
// Controls that show a position in a range, over the common controls: TTrackBar
// ("msctls_trackbar32"), TUpDown ("msctls_updown32", optionally bound to an edit whose number
// it steps) and TProgressBar ("msctls_progress32"). Min, Max and Position survive a
// re-created window; OnChange runs when the learner moves a track bar or an up-down.
#include "ui/win_control.h"

enum TTrackBarOrientation { trHorizontal, trVertical };

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* owner);
    std::wstring ClassName() const override { return L"TTrackBar"; }

    int GetMin() const { return min_; }
    void SetMin(int value);
    int GetMax() const { return max_; }
    void SetMax(int value);
    int GetPosition() const;
    void SetPosition(int value);
    TTrackBarOrientation GetOrientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation orientation);
    Property<&TTrackBar::GetMin, &TTrackBar::SetMin> Min{this};
    Property<&TTrackBar::GetMax, &TTrackBar::SetMax> Max{this};
    Property<&TTrackBar::GetPosition, &TTrackBar::SetPosition> Position{this};
    Property<&TTrackBar::GetOrientation, &TTrackBar::SetOrientation> Orientation{this};

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;

private:
    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    TTrackBarOrientation orientation_ = trHorizontal;
};

enum TUDOrientation { udVertical, udHorizontal };

class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* owner);
    std::wstring ClassName() const override { return L"TUpDown"; }

    int GetMin() const { return min_; }
    void SetMin(int value);
    int GetMax() const { return max_; }
    void SetMax(int value);
    int GetPosition() const;
    void SetPosition(int value);
    TUDOrientation GetOrientation() const { return orientation_; }
    void SetOrientation(TUDOrientation orientation);
    TWinControl* GetAssociate() const { return associate_; }
    // The up-down moves to the right end of the control and shows its number there.
    void SetAssociate(TWinControl* control);
    Property<&TUpDown::GetMin, &TUpDown::SetMin> Min{this};
    Property<&TUpDown::GetMax, &TUpDown::SetMax> Max{this};
    Property<&TUpDown::GetPosition, &TUpDown::SetPosition> Position{this};
    Property<&TUpDown::GetOrientation, &TUpDown::SetOrientation> Orientation{this};
    Property<&TUpDown::GetAssociate, &TUpDown::SetAssociate> Associate{this};

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    TUDOrientation orientation_ = udVertical;
    TWinControl* associate_ = nullptr;
};

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);
    std::wstring ClassName() const override { return L"TProgressBar"; }

    int GetMin() const { return min_; }
    void SetMin(int value);
    int GetMax() const { return max_; }
    void SetMax(int value);
    int GetPosition() const;
    void SetPosition(int value);
    Property<&TProgressBar::GetMin, &TProgressBar::SetMin> Min{this};
    Property<&TProgressBar::GetMax, &TProgressBar::SetMax> Max{this};
    Property<&TProgressBar::GetPosition, &TProgressBar::SetPosition> Position{this};

    void AutomationFields(std::vector<std::pair<std::string, std::wstring>>& fields) const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};
