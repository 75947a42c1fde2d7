// The About box (TAboutForm): the program's name and purpose, its maker and its release, with
// the program's icon and the maker's. Modeless, on top, laid out for AboutDpi; dragged by any
// point of its client area with the left button; closes itself when it loses activation and
// frees itself when its window is destroyed, so at most one exists (AboutFormInst).
//
// Assumes: AboutDpi is set before the box is created. Holds: icons are AboutDpi x 32 div 96
// pixels square, loaded with LoadImageW from the resources "MainIcon" and "OLBRINTH" and drawn
// at x = AboutDpi x 16 div 96 beside Label1 and Label2.
#pragma once

#include "control/WindowDesign.h"

#include <windows.h>

#include <functional>
#include <string>

namespace verrask::win {

class TAboutForm;
inline TAboutForm* AboutFormInst = nullptr; // the open box, or none
inline int AboutDpi = 96;                   // the density the box lays itself out for

// The project's README beside the program or up to five folders above it (the source tree of a
// build folder); empty when there is none.
std::wstring ReadmePath();
// How Label2 opens a document (ShellExecuteW with "open"; tests replace it).
inline std::function<void(const std::wstring&)> OpenDocument;

class TAboutForm {
  public:
    explicit TAboutForm(HWND owner); // FormCreate
    ~TAboutForm();                   // FormDestroy, when the window has gone
    TAboutForm(const TAboutForm&) = delete;
    TAboutForm& operator=(const TAboutForm&) = delete;

    HWND Handle = nullptr;
    HWND Label1 = nullptr, Label2 = nullptr, Label3 = nullptr;
    HICON AppIcon = nullptr, MakerIcon = nullptr;
    int IconSize = 0;
    int IconLeft() const;
    design::TBounds LabelBounds(int index) const { return Labels[index]; }
    int FontHeight() const { return FontSize; }

    void Label2Click();

    LRESULT Dispatch(UINT message, WPARAM w, LPARAM l); // the window's messages
    void WindowGone() { delete this; }                  // the close action "free"

  private:
    void FormCreate();
    void FitLabels(); // each label takes its text's size
    void ScaleBy(int m, int d);
    void SetClientSize(int width, int height);
    HWND LabelHandle(int index) const;

    design::TBounds Labels[3]{};
    int ClientWidth = 0, ClientHeight = 0;
    int FontSize = design::about::FontHeight;
    HFONT Font = nullptr;
    bool WasActive = false;
};

} // namespace verrask::win
