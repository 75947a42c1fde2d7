// The small modal dialog before Export Report on the Win32 API: Project, Structure, Engineer
// (one line each) and Note (several lines), OK and Cancel.
//
// Assumes: created and run on the thread of its owner window.
//
// Holds: the boxes open with the texts given (what was typed last in this session); while Run
// runs the owner is disabled and Current is this dialog; after an OK, Info() holds what the
// boxes held, the note's line breaks as "\n".
#pragma once

#include "report/HtmlReport.h"

#include <windows.h>

#include <array>

namespace verrask::win {

class TReportInfoDialog {
  public:
    TReportInfoDialog(HWND owner, int dpi, const report::TReportInfo& info);
    ~TReportInfoDialog();
    TReportInfoDialog(const TReportInfoDialog&) = delete;
    TReportInfoDialog& operator=(const TReportInfoDialog&) = delete;

    bool Run(); // shows the dialog until OK (true) or Cancel, Escape or closing (false)
    const report::TReportInfo& Info() const { return Typed; }

    static inline TReportInfoDialog* Current = nullptr; // the dialog being run, if any
    HWND Handle = nullptr;
    std::array<HWND, 4> Boxes{}; // Project, Structure, Engineer, Note
    HWND OkButton{}, CancelButton{};

    LRESULT Dispatch(UINT message, WPARAM w, LPARAM l); // the window's messages

  private:
    void Close(bool accepted);

    HWND Owner;
    HFONT Font = nullptr;
    report::TReportInfo Typed;
    bool Done = false, Accepted = false;
};

} // namespace verrask::win
