// The main window's behaviour: creation, the run control's shell, the workers, the message
// handling, closing.
#include "winapp/MainUnit.h"

#include "checks/DesignChecks.h"
#include "control/DisplayScaling.h"
#include "control/InputFields.h"
#include "control/InputsFile.h"
#include "control/ScrambledTexts.h"
#include "support/PngFile.h"
#include "winapp/AboutU.h"
#include "winapp/ReportInfoDialog.h"
#include "winapp/ResultsOut.h"
#include "winapp/WideText.h"
#include "winapp/WindowClass.h"
#include "winapp/Workers.h"
#include "winapp/resource.h"

#include <commctrl.h>

#include <filesystem>

namespace verrask::win {
namespace {

constexpr wchar_t ClassName[] = L"TForm1";
constexpr UINT_PTR Timer1Id = 1;
constexpr UINT DpiChangedMessage = 0x02E0; // WM_DPICHANGED
constexpr wchar_t InputsFilter[] = L"Verrask inputs (*.json)\0*.json\0\0";

} // namespace

void InitialiseWindowing() {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

TForm1::TForm1(sheetpile::TModel& model) : Model(model) {
    InitialiseWindowing();
    const std::wstring caption = Widen(design::DesignCaption);
    CreateWindowOf(this, ClassName, TClassLook{IDC_ARROW, COLOR_BTNFACE, true, 0}, 0,
                   caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr); // sets Handle
    CreateComponents();

    Tuning1.Handle = TrackBar1;
    Tuning2.Handle = TrackBar2;
    Zone1.Handle = CheckBox1;
    Zone2.Handle = CheckBox2;
    Zone3.Handle = CheckBox3;
    Tuning1.OnChange = [this] { TrackBar1Change(); };
    Tuning2.OnChange = [this] { TrackBar2Change(); };
    Image1->OnMouseMove = [this](int X, int Y) { Image1MouseMove(X, Y); };
    RunControl = std::make_unique<TRunControl>(
        Model, *this, TTuningControls{Tuning1, Tuning2, Zone1, Zone2, Zone3});

    FormCreate();
    // Opened at the centre of the screen's work area.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(Handle, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT outer;
    GetWindowRect(Handle, &outer);
    const RECT& area = monitor.rcWork;
    SetWindowPos(Handle, nullptr,
                 area.left + (area.right - area.left - (outer.right - outer.left)) / 2,
                 area.top + (area.bottom - area.top - (outer.bottom - outer.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TForm1::~TForm1() {
    FormDestroy();
    if (RefusedBrush != nullptr) DeleteObject(RefusedBrush);
}

void TForm1::FormCreate() {
    // Every control that paints much paints off screen first (the picture); the frames are
    // outlines drawn beneath the controls (WS_CLIPCHILDREN), so nothing flickers.
    LayoutAtCreation();
    SetWindowTextW(Handle, FromUtf16(WindowCaption()).c_str());
    RunControl->FormCreate(); // empty message, " Ready", tuning disabled, InitModel
    Place("Label5").FontHeight = FontSize;
    ApplyFonts();
    const design::TBounds image = BoundsOf("Image1");
    Image1->SetWhite(image.Width, image.Height);
    FormCanResize();
    ApplyPlaces();
}

void TForm1::FormDestroy() {
    // NetBitmap belongs to the model, which outlives the window. A run still in progress is
    // dropped; its workers are let through their completions (which now do nothing) before the
    // window goes, so none of them can reach a destroyed window.
    Dropped = true;
    bool quit = false;
    int quitCode = 0;
    while (Live > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = static_cast<int>(message.wParam);
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    for (std::thread& worker : Workers) worker.join();
    Workers.clear();
    if (AboutFormInst != nullptr) DestroyWindow(AboutFormInst->Handle);
    Checks.reset(); // ends a search in progress
    DestroyWindow(Handle);
    for (auto& [height, font] : Fonts) DeleteObject(font);
    if (quit) PostQuitMessage(quitCode);
}

void TForm1::Exit1Click() {
    CloseWindow();
}

void TForm1::CloseWindow() {
    if (WasClosed) return;
    if (RunControl->PendingWorkers > 0) Dropped = true; // the run in progress is dropped
    StopTimer();
    if (AboutFormInst != nullptr) DestroyWindow(AboutFormInst->Handle);
    if (Checks) {
        Checks->CancelClick();
        ShowWindow(Checks->Handle, SW_HIDE);
    }
    ShowWindow(Handle, SW_HIDE);
    WasClosed = true;
    if (OnClosed) OnClosed();
}

// --- The run: RUN, ticker, workers, completion -----------------------------------------------

TInputTexts TForm1::InputTexts() const {
    TInputTexts texts;
    for (const TInputFieldDesign& d : InputFields) texts.*d.Text = Narrow(TextOf(InputBox(d.Box)));
    return texts;
}

void TForm1::Button1Click() {
    const TInputTexts texts = InputTexts();
    if (!RunControl->Button1Click(texts)) return;
    Session.RunStarted(texts);
    UpdateResultCommands(); // the model is being rewritten: nothing of it leaves meanwhile
    if (Checks) Checks->RunStarted();
}

void TForm1::Timer1Timer() {
    RunControl->Timer1Timer();
}

void TForm1::StartWorkers() {
    // The workers of the last run have delivered their completions: their threads are ending.
    for (std::thread& worker : Workers) worker.join();
    Workers.clear();
    Live += 2;
    Workers.push_back(StartWorker(Model, true, Handle));  // StreamWorker
    Workers.push_back(StartWorker(Model, false, Handle)); // HeadWorker
}

void TForm1::WorkerDone() {
    --Live;
    if (Dropped) return; // the window has closed: nothing of it may change any more
    if (!RunControl->WorkerDone()) return;
    Session.RunCompleted();
    HasResults = true;
    UpdateResultCommands();
    if (Checks) Checks->RunCompleted(Model, Session.Inputs);
}

TChecksForm& TForm1::ChecksWindow() {
    if (!Checks) {
        Checks = std::make_unique<TChecksForm>(Handle, CurrentDpi);
        if (ResultCommandsEnabled()) Checks->RunCompleted(Model, Session.Inputs);
        if (RunControl->PendingWorkers > 0) Checks->RunStarted();
    }
    return *Checks;
}

void TForm1::DesignChecks1Click() {
    ChecksWindow().Open();
}

// --- The keyboard focus
// ---------------------------------------------------------------------------

void TForm1::KeepFocus() {
    HWND focused = GetFocus();
    if (focused != nullptr && IsChild(Handle, focused)) FocusedControl = focused;
}

void TForm1::RestoreFocus() {
    HWND target = FocusedControl;
    // A control that is gone or disabled (RUN during a run) cannot take it: the first box can.
    if (target == nullptr || !IsWindow(target) || !IsWindowEnabled(target)) {
        target = HandleOf(design::TabOrder.front()->Name);
        if (target == nullptr) return;
        SendMessageW(target, EM_SETSEL, 0, -1); // its text selected, as a Tab into it leaves it
    }
    SetFocus(target);
}

// --- The refused box ---------------------------------------------------------------------------

HWND TForm1::InputBox(TInputBox box) const {
    const HWND boxes[] = {nullptr, Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8};
    return boxes[static_cast<std::size_t>(box)];
}

void TForm1::SetTip(HWND edit, const std::wstring& text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle;
    tool.uId = reinterpret_cast<UINT_PTR>(edit);
    if (edit == Edit5) { // the box with the design's hint keeps its tool
        static const std::wstring hint = Widen(design::Edit5Hint);
        tool.lpszText = const_cast<wchar_t*>(text.empty() ? hint.c_str() : text.c_str());
        SendMessageW(Tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (text.empty()) {
        SendMessageW(Tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        tool.lpszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(Tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TForm1::ShowRefusedBox(TInputBox box, const std::string& reason) {
    ClearMark();
    HWND edit = InputBox(box);
    if (edit == nullptr) return;
    if (RefusedBrush == nullptr) RefusedBrush = CreateSolidBrush(design::RefusedBoxColour);
    MarkedBox = box;
    MarkReason = Widen(reason);
    SetTip(edit, MarkReason);
    InvalidateRect(edit, nullptr, TRUE);
    EDITBALLOONTIP balloon{sizeof balloon, L"Refused", MarkReason.c_str(), TTI_WARNING};
    SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&balloon));
}

void TForm1::ClearMark() {
    HWND edit = InputBox(MarkedBox);
    MarkedBox = TInputBox::None;
    MarkReason.clear();
    if (edit == nullptr) return;
    SetTip(edit, L"");
    SendMessageW(edit, EM_HIDEBALLOONTIP, 0, 0);
    InvalidateRect(edit, nullptr, TRUE);
}

// --- What leaves the window ----------------------------------------------------------------------

bool TForm1::ResultCommandsEnabled() const {
    return HasResults && RunControl->PendingWorkers == 0;
}

void TForm1::UpdateResultCommands() {
    const UINT state = ResultCommandsEnabled() ? MF_ENABLED : MF_GRAYED;
    for (UINT id : {IDM_SAVEPICTURE, IDM_EXPORTRESULTS, IDM_EXPORTREPORT, IDM_COPY})
        EnableMenuItem(MainMenu1, id, MF_BYCOMMAND | state);
}

TRunChecks TForm1::RunChecks() const {
    return ChecksOfRun(Session, Model, Checks ? Checks->Settings() : checks::TCheckSettings{},
                       Checks ? Checks->Embedment() : std::nullopt);
}

report::TReportContent TForm1::ReportContent() const {
    return verrask::ReportContent(Session, RunChecks());
}

void TForm1::ShowError(const std::string& what, const std::string& error) {
    LastError = error;
    const std::wstring text = Widen(what + "\r\n\r\n" + error);
    if (ShowMessageBox) return ShowMessageBox(text);
    MessageBoxW(Handle, text.c_str(), Widen(design::DesignCaption).c_str(), MB_OK | MB_ICONERROR);
}

void TForm1::SetInputTexts(const TInputTexts& texts) {
    ClearMark(); // the refused text is gone
    for (const TInputFieldDesign& d : InputFields)
        SetWindowTextW(InputBox(d.Box), Widen(texts.*d.Text).c_str());
}

void TForm1::OpenInputs1Click(const std::wstring* path) {
    std::wstring name;
    if (path == nullptr && !AskOpenName(Handle, InputsFilter, L"json", name)) return;
    TInputsFile file;
    LastError = OpenInputsFile(std::filesystem::path(path ? *path : name), file);
    if (!LastError.empty()) return ShowError("The inputs were not opened.", LastError);
    SetInputTexts(file.Inputs);
    ChecksWindow().LoadSettings(file.Settings);
}

void TForm1::SaveInputs1Click(const std::wstring* path) {
    std::wstring name;
    if (path == nullptr && !AskSaveName(Handle, InputsFilter, L"json", name)) return;
    LastError =
        SaveInputsFile(std::filesystem::path(path ? *path : name),
                       {InputTexts(), Checks ? Checks->Settings() : checks::TCheckSettings{}});
    if (!LastError.empty()) ShowError("The inputs were not saved.", LastError);
}

void TForm1::SavePicture1Click(const std::wstring* path) {
    if (!ResultCommandsEnabled()) return;
    std::wstring name;
    if (path == nullptr && !AskSaveName(Handle, L"PNG picture (*.png)\0*.png\0\0", L"png", name))
        return;
    LastError = WritePng(std::filesystem::path(path ? *path : name), Model.ShownPicture);
    if (!LastError.empty()) ShowError("The picture was not saved.", LastError);
}

void TForm1::ExportResults1Click(const std::wstring* path) {
    if (!ResultCommandsEnabled()) return;
    std::wstring name;
    if (path == nullptr &&
        !AskSaveName(Handle, L"Results, JSON with CSV grids (*.json)\0*.json\0\0", L"json", name))
        return;
    LastError =
        ExportResults(std::filesystem::path(path ? *path : name), Session, Model, RunChecks());
    if (!LastError.empty()) ShowError("The results were not exported.", LastError);
}

void TForm1::ExportReport1Click(const std::wstring* path) {
    if (!ResultCommandsEnabled()) return;
    {
        TReportInfoDialog details(Handle, CurrentDpi, Session.Info);
        if (!details.Run()) return;
        Session.Info = details.Info();
    }
    std::wstring name;
    if (path == nullptr && !AskSaveName(Handle, L"HTML report (*.html)\0*.html\0\0", L"html", name))
        return;
    LastError =
        ExportReport(std::filesystem::path(path ? *path : name), Session, Model, RunChecks());
    if (!LastError.empty()) ShowError("The report was not written.", LastError);
}

void TForm1::Copy1Click() {
    if (!ResultCommandsEnabled()) return;
    LastError = CopyPicture(Handle, Model.ShownPicture);
    if (!LastError.empty()) ShowError("The picture was not copied.", LastError);
}

// --- After a run: track bars, check boxes, probe ---------------------------------------------

TRunControl& TForm1::RunEvents() {
    return *RunControl;
}

// --- The shell ---------------------------------------------------------------------------------

void TForm1::SetMessage(const std::string& text) {
    MessageText = text;
    Session.Message = text;
    SetWindowTextW(Label5, Widen(text).c_str()); // CR LF breaks the line
    InvalidateRect(Label5, nullptr, TRUE);
}

void TForm1::SetPanel(int index, const std::string& text) {
    Session.Panels.at(static_cast<std::size_t>(index)) = text;
    SendMessageW(StatusBar1, SB_SETTEXTW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void TForm1::SetRunEnabled(bool enabled) {
    EnableWindow(Button1, enabled ? TRUE : FALSE);
}

void TForm1::ShowPicture() {
    Image1->SetPicture(Model.ShownPicture);
    // Centred again: a picture narrower or wider than the last would keep the old left edge.
    FormCanResize();
    const design::TBounds& image = Place("Image1").Bounds;
    SetWindowPos(Image1->Handle, nullptr, image.Left, image.Top, 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void TForm1::StartTimer() {
    SetTimer(Handle, Timer1Id, static_cast<UINT>(design::TimerInterval), nullptr);
}

void TForm1::StopTimer() {
    KillTimer(Handle, Timer1Id);
}

void TForm1::Alert() {
    ++Alerts;
    MessageBeep(MB_OK); // the system's default sound
}

char TForm1::DecimalSeparator() const {
    // The number format takes one byte; a separator outside ASCII is shown as a point.
    wchar_t separator[8]{};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 0 &&
        separator[0] > 0 && separator[0] < 128)
        return static_cast<char>(separator[0]);
    return '.';
}

// --- Messages ----------------------------------------------------------------------------------

LRESULT TForm1::Dispatch(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(w);
        const auto from = reinterpret_cast<HWND>(l);
        if (from == nullptr) { // the menu
            if (id == IDM_EXIT) Exit1Click();
            if (id == IDM_ABOUT) About1Click();
            if (id == IDM_OPENINPUTS) OpenInputs1Click();
            if (id == IDM_SAVEINPUTS) SaveInputs1Click();
            if (id == IDM_SAVEPICTURE) SavePicture1Click();
            if (id == IDM_EXPORTRESULTS) ExportResults1Click();
            if (id == IDM_EXPORTREPORT) ExportReport1Click();
            if (id == IDM_COPY) Copy1Click();
            if (id == IDM_CHECKS) DesignChecks1Click();
        } else if (HIWORD(w) == EN_CHANGE) {
            if (from == InputBox(MarkedBox)) ClearMark(); // the marked box is being edited
        } else if (HIWORD(w) == BN_CLICKED) {
            if (from == Button1) Button1Click();
            if (from == CheckBox1) CheckBox1Click();
            if (from == CheckBox2) CheckBox2Click();
            if (from == CheckBox3) CheckBox3Click();
        }
        return 0;
    }
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(l) == TrackBar1) Tuning1.Scrolled();
        if (reinterpret_cast<HWND>(l) == TrackBar2) Tuning2.Scrolled();
        return 0;
    case WM_TIMER:
        if (w == Timer1Id) Timer1Timer();
        return 0;
    case WM_WORKERDONE:
        WorkerDone();
        return 0;
    case DpiChangedMessage:
        WMDpiChanged(LOWORD(w));
        return 0; // the suggested rectangle unused
    case WM_SIZE:
        if (!Places.empty()) Relayout();
        return 0;
    case WM_ACTIVATE:
        // Leaving: the control with the keyboard focus is kept for the return. Coming back, the
        // system focuses the window itself, which hands the focus on (WM_SETFOCUS).
        if (LOWORD(w) == WA_INACTIVE) KeepFocus();
        return DefWindowProcW(Handle, message, w, l);
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case WM_GETMINMAXINFO: {
        RECT outer, client;
        GetWindowRect(Handle, &outer);
        GetClientRect(Handle, &client);
        auto* limits = reinterpret_cast<MINMAXINFO*>(l);
        limits->ptMinTrackSize = {MinimumWidth + outer.right - outer.left - client.right,
                                  MinimumHeight + outer.bottom - outer.top - client.bottom};
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle, &ps);
        PaintFrames(dc);
        EndPaint(Handle, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(w);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(l) == InputBox(MarkedBox) && RefusedBrush != nullptr) {
            SetBkColor(reinterpret_cast<HDC>(w), design::RefusedBoxColour);
            return reinterpret_cast<LRESULT>(RefusedBrush);
        }
        return DefWindowProcW(Handle, message, w, l);
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        if (item->hwndItem == Label5) DrawLabel5(*item);
        return TRUE;
    }
    case WM_CLOSE:
        CloseWindow();
        return 0;
    default:
        return DefWindowProcW(Handle, message, w, l);
    }
}

void TForm1::About1Click() {
    AboutDpi = CurrentDpi;
    if (AboutFormInst == nullptr) new TAboutForm(Handle);
    // On top, centred on the main window, shown modelessly and activated.
    RECT main, box;
    GetWindowRect(Handle, &main);
    GetWindowRect(AboutFormInst->Handle, &box);
    const int width = box.right - box.left, height = box.bottom - box.top;
    SetWindowPos(
        AboutFormInst->Handle, HWND_TOPMOST, main.left + (main.right - main.left - width) / 2,
        main.top + (main.bottom - main.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(AboutFormInst->Handle);
    SetActiveWindow(AboutFormInst->Handle);
}

} // namespace verrask::win
