// The main window Form1 (TForm1) on the Win32 API: the eight input boxes and RUN, the after-run
// track bars and check boxes, the message label, the flow-net picture, the seven-panel status
// bar and the menu. It computes nothing itself: it is the run control's shell (TRunShell) and
// hands every event to TRunControl and the model.
//
// Assumes: one model for the program's life, created before the window and destroyed after it;
// every member runs on the thread that created the window; the process is per-monitor aware
// (its manifest), so the system neither scales the window nor its fonts.
//
// Holds: the window is laid out for CurrentDpi (designed at 96 dpi, scaled by hand on creation
// and on message 0x02E0); while a run is in progress RUN, the track bars and the check boxes are
// disabled; closing hides the window and drops a run in progress (its completions then change
// nothing); the destructor returns only when no worker lives. Activated, the window gives the
// keyboard focus to the control that had it when it was left (at first the first box of the tab
// order, its text selected); every picture shown is centred on the client width.
#pragma once

#include "control/RunControl.h"
#include "control/RunEvents.h"
#include "control/RunSession.h"
#include "control/WindowDesign.h"
#include "report/CheckLines.h"
#include "winapp/ChecksWindow.h"
#include "winapp/ImageView.h"
#include "winapp/NativeControls.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace verrask::win {

class TForm1 final : public TRunShell, public TRunEvents {
  public:
    explicit TForm1(sheetpile::TModel& model);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    HWND Handle = nullptr;
    // Components, in the order of the window's design (the frames are painted by the window).
    HMENU MainMenu1 = nullptr, File1 = nullptr, Edit1Menu = nullptr, Checks1 = nullptr,
          Help1 = nullptr; // the menus; their commands are menu ids (resource.h)

    HWND TrackBar1{}, TrackBar2{}, Label1{}, Label2{}, Edit1{}, Edit2{}, Label3{}, Label4{},
        Button1{}, Label5{}, Label6{}, Label7{}, Edit3{}, Edit4{}, Label8{}, Edit5{}, StatusBar1{},
        Edit6{}, Edit7{}, Label9{}, Label10{}, CheckBox1{}, CheckBox2{}, CheckBox3{}, Edit8{},
        Label11{}, Tooltip{};
    std::unique_ptr<TImage> Image1;

    // Event handlers (with those after a run: TRunEvents).
    void Exit1Click();
    void Button1Click();
    void FormCanResize();
    void About1Click();
    void FormCreate();
    void FormDestroy();
    void Timer1Timer();
    void WorkerDone();
    void WMDpiChanged(int dpi);
    // File > Open Inputs, Save Inputs, Save Picture, Export Results, Export Report and Edit >
    // Copy. Without a path the user is asked for one; a failure or a refused file is shown in a
    // message box and kept in LastError. Open Inputs fills the eight boxes and the check
    // settings (RUN is not pressed). Export Report first asks for the report's details
    // (Session.Info); Cancel there exports nothing.
    void OpenInputs1Click(const std::wstring* path = nullptr);
    void SaveInputs1Click(const std::wstring* path = nullptr);
    void SavePicture1Click(const std::wstring* path = nullptr);
    void ExportResults1Click(const std::wstring* path = nullptr);
    void ExportReport1Click(const std::wstring* path = nullptr);
    void Copy1Click();
    void DesignChecks1Click(); // opens (or brings up) the design-checks window
    TChecksForm* ChecksForm() const { return Checks.get(); }
    bool ResultCommandsEnabled() const; // a run has completed and none is in progress

    // The last completed run, the shown texts and the report's details as at the details
    // dialog's last OK; what leaves the window is made of it.
    TRunSession Session;
    report::TReportContent ReportContent() const;
    std::string LastError;
    std::function<void(const std::wstring& text)> ShowMessageBox; // replaces the box (tests)

    int CurrentDpi = 96;

    // A control's place in client pixels as the window keeps it (frames included), by name.
    design::TBounds BoundsOf(std::string_view name) const;
    HWND HandleOf(std::string_view name) const; // none for the frames
    int FontHeightOf(HWND control) const;       // character height of its font, pixels
    int WindowFontHeight() const { return FontSize; }
    const TRunControl& Control() const { return *RunControl; }
    int LiveWorkers() const { return Live; } // workers whose completion has not yet come
    bool RunDropped() const { return Dropped; }
    bool Closed() const { return WasClosed; }
    std::string MessageText; // Label5's text as the run control gave it
    int Alerts = 0;
    // The box the last RUN was refused for, tinted and carrying the reason as its tooltip (and a
    // balloon where the system shows one) until the next accepted RUN or until it is edited.
    TInputBox MarkedBox = TInputBox::None;
    std::wstring MarkReason;
    HWND InputBox(TInputBox box) const; // nullptr for None
    std::function<void()> OnClosed;     // the window has closed: the program ends

    LRESULT Dispatch(UINT message, WPARAM w, LPARAM l); // the window's messages

  private:
    struct TPlaced {
        const design::TControlDesign* Design;
        HWND Handle;
        design::TBounds Bounds;
        int FontHeight; // 0: the window's font
    };

    TRunControl& RunEvents() override;
    // TRunShell.
    void SetMessage(const std::string& text) override;
    void SetPanel(int index, const std::string& text) override;
    void SetRunEnabled(bool enabled) override;
    void ShowPicture() override;
    void StartTimer() override;
    void StopTimer() override;
    void Alert() override;
    void StartWorkers() override;
    char DecimalSeparator() const override;
    void ShowRefusedBox(TInputBox box, const std::string& reason) override;

    void KeepFocus();    // the control with the focus, kept while the window is inactive
    void RestoreFocus(); // to the kept control, or the first box with its text selected
    void ClearMark();
    void SetTip(HWND edit, const std::wstring& text);
    void CreateComponents(); // the design at 96 dpi
    HWND CreateControl(const design::TControlDesign& d, int id);
    TPlaced& Place(std::string_view name);
    void LayoutAtCreation();
    void ScaleBy(int m, int d);
    void ApplyScaledSizes(int dpi);
    void SetClientSize(int width, int height);
    void ApplyPlaces();
    void ApplyFonts();
    void FitLabels();
    HFONT Font(int height);
    void Relayout(); // anchors, status bar along the bottom, picture centring
    void PaintFrames(HDC dc) const;
    void DrawLabel5(const DRAWITEMSTRUCT& item) const;
    TInputTexts InputTexts() const;
    void SetInputTexts(const TInputTexts& texts);
    TRunChecks RunChecks() const;
    TChecksForm& ChecksWindow(); // created hidden on first use
    void CloseWindow();
    void AddMenuCommands();
    void UpdateResultCommands();
    void ShowError(const std::string& what, const std::string& error);

    sheetpile::TModel& Model;
    std::vector<TPlaced> Places;
    std::map<int, HFONT> Fonts;
    int FontSize = design::FontHeight;
    // Smallest client area; the frame as it is on this system is added to it.
    int MinimumWidth = design::MinimumClientWidth, MinimumHeight = design::MinimumClientHeight;
    int AnchorWidth = design::ClientWidth; // client width the anchored controls are placed for
    TNativeTrackBar Tuning1, Tuning2;
    TNativeCheckBox Zone1, Zone2, Zone3;
    std::unique_ptr<TRunControl> RunControl;
    std::vector<std::thread> Workers;
    int Live = 0;
    bool Dropped = false;
    bool WasClosed = false;
    bool HasResults = false; // a run has completed
    std::unique_ptr<TChecksForm> Checks;
    HBRUSH RefusedBrush = nullptr;
    HWND FocusedControl = nullptr; // the focus when the window was last left
};

// Loads the common controls (version 6, by the manifest) the window uses; once is enough.
void InitialiseWindowing();

} // namespace verrask::win
