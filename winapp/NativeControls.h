// The after-run controls of the window as the run control sees them: a native TRACKBAR as a
// track bar and a BUTTON of style BS_AUTOCHECKBOX as a check box.
//
// Holds the notification rule of TTrackBar: TBM_SETPOS sends no notification, so SetPosition
// clamps, compares with the bar's position and runs the change handler itself, before it
// returns, only when the position moves. A move by the user arrives as WM_HSCROLL at the
// window, which calls Scrolled: the handler runs when the position differs from the last one
// the handler saw, so a drag that ends where it began runs nothing.
#pragma once

#include "control/TuningControls.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>

namespace verrask::win {

class TNativeTrackBar final : public TTrackBar {
  public:
    int Position() const override {
        return static_cast<int>(SendMessageW(Handle, TBM_GETPOS, 0, 0));
    }
    void SetRange(int min, int max) override {
        SendMessageW(Handle, TBM_SETRANGEMIN, FALSE, min);
        SendMessageW(Handle, TBM_SETRANGEMAX, TRUE, std::max(min, max));
        Scrolled(); // the bar clamps its position silently
    }
    void SetPosition(int position) override {
        const int min = static_cast<int>(SendMessageW(Handle, TBM_GETRANGEMIN, 0, 0));
        const int max = static_cast<int>(SendMessageW(Handle, TBM_GETRANGEMAX, 0, 0));
        position = std::clamp(position, min, max);
        if (position == Position()) return;
        SendMessageW(Handle, TBM_SETPOS, TRUE, position);
        Scrolled();
    }
    void SetEnabled(bool enabled) override { EnableWindow(Handle, enabled ? TRUE : FALSE); }
    void Scrolled() {
        const int position = Position();
        if (position == Seen) return;
        Seen = position;
        if (OnChange) OnChange();
    }

    HWND Handle = nullptr;
    std::function<void()> OnChange;

  private:
    int Seen = 1; // the design's position
};

class TNativeCheckBox final : public TCheckBox {
  public:
    bool Checked() const override { return SendMessageW(Handle, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetEnabled(bool enabled) override { EnableWindow(Handle, enabled ? TRUE : FALSE); }

    HWND Handle = nullptr;
};

} // namespace verrask::win
