// The after-run controls as the run control sees them: two track bars ("Flow Net :" and
// "Tune :") and three zone check boxes. A front end implements them with its own widgets; the
// plain implementations here serve the batch tool and the tests.
//
// Notification rule, the same for every implementation: setting a track bar's position clamps it
// to the range and, only when the clamped position differs from the current one, moves the bar
// and runs its change handler at once, before SetPosition returns. A check box runs its click
// handler whenever its checked state changes. Enabling changes neither.
#pragma once

#include <algorithm>
#include <functional>

namespace verrask {

class TTrackBar {
  public:
    virtual ~TTrackBar() = default;
    virtual int Position() const = 0;
    virtual void SetRange(int min, int max) = 0;
    virtual void SetPosition(int position) = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

class TCheckBox {
  public:
    virtual ~TCheckBox() = default;
    virtual bool Checked() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// A track bar without a widget: range 1..40 at position 1, disabled, as the window opens.
class TTrackBarState final : public TTrackBar {
  public:
    int Position() const override { return position_; }
    void SetRange(int min, int max) override {
        min_ = min;
        max_ = std::max(min, max);
        SetPosition(position_);
    }
    void SetPosition(int position) override {
        position = std::clamp(position, min_, max_);
        if (position == position_) return;
        position_ = position;
        if (OnChange) OnChange();
    }
    void SetEnabled(bool enabled) override { Enabled = enabled; }

    std::function<void()> OnChange;
    bool Enabled = false;

  private:
    int min_ = 1, max_ = 40, position_ = 1;
};

// A check box without a widget: unchecked and disabled, as the window opens.
class TCheckBoxState final : public TCheckBox {
  public:
    bool Checked() const override { return checked_; }
    void SetEnabled(bool enabled) override { Enabled = enabled; }
    // As a click by the user (the batch tool only clicks enabled boxes).
    void SetChecked(bool checked) {
        if (checked == checked_) return;
        checked_ = checked;
        if (OnClick) OnClick();
    }

    std::function<void()> OnClick;
    bool Enabled = false;

  private:
    bool checked_ = false;
};

} // namespace verrask
