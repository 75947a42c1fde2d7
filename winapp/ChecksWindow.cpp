// The design-checks window's controls, its figures, diagrams and the embedment search (see
// ChecksWindow.h).
#include "winapp/ChecksWindow.h"

#include "control/WindowDesign.h"
#include "report/ChartContents.h"
#include "report/CheckLines.h"
#include "report/EmbedmentText.h"
#include "report/FigureFormat.h"
#include "winapp/WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace verrask::win {
namespace {

constexpr wchar_t ClassName[] = L"TChecksForm";
constexpr UINT WM_SEARCHTRIAL = WM_APP + 10; // a trial has been solved
constexpr UINT WM_SEARCHDONE = WM_APP + 11;  // the search's thread has ended its work
constexpr int FieldId = 300, CriterionId = 310, FindId = 311, CancelId = 312;
constexpr int ChartHeight = 230; // room for the three diagrams at 96 dpi
constexpr COLORREF Refused = RGB(0xB0, 0x00, 0x20);
// The settings grid at 96 dpi: three columns of a label (with the unit) and a box, each column
// as wide as its longest label, fit the window's width.
constexpr std::size_t SettingColumns = 3;
constexpr int SettingBoxWidth = 70, SettingGap = 18, SettingRowHeight = 28;

std::wstring SettingLabel(const report::TSettingFieldDesign& d) {
    std::wstring label = Widen(d.Label);
    if (*d.Unit) label += L" (" + Widen(d.Unit) + L")";
    return label + L" :";
}

const char* const NothingYet = "Nothing to check yet: press RUN in the main window first.";

// Trials reported by the search's thread, taken by the window's thread.
std::mutex TrialsLock;
std::vector<checks::TEmbedmentTrial> PendingTrials;

} // namespace

TChecksForm::TChecksForm(HWND owner, int dpi) {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TChecksForm::WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.hIcon = static_cast<HICON>(
            LoadImageW(wc.hInstance, L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
        wc.lpszClassName = ClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, MulDiv(design::ChecksClientWidth, dpi, 96),
               MulDiv(design::ChecksClientHeight, dpi, 96)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, 0, static_cast<UINT>(dpi));
    CreateWindowExW(0, ClassName, Widen(design::ChecksCaption).c_str(), style, CW_USEDEFAULT,
                    CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, owner,
                    nullptr, GetModuleHandleW(nullptr), this); // sets Handle
    CreateControls(dpi);
    Recompute();
}

TChecksForm::~TChecksForm() {
    Cancel = true;
    JoinWorker();
    if (Handle != nullptr) {
        SetWindowLongPtrW(Handle, GWLP_USERDATA, 0);
        DestroyWindow(Handle);
    }
    if (Font != nullptr) DeleteObject(Font);
}

void TChecksForm::CreateControls(int dpi) {
    const auto s = [dpi](int v) { return MulDiv(v, dpi, 96); };
    Font = CreateFontW(-s(design::FontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH, Widen(design::FontFamily).c_str());
    const int width = design::ChecksClientWidth, height = design::ChecksClientHeight;
    const auto make = [&](const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y,
                          int w, int h, int id = 0, DWORD ex = 0) {
        HWND c = CreateWindowExW(
            ex, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, s(x), s(y), s(w), s(h), Handle,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
        return c;
    };
    // The settings in a grid of label and box pairs, row by row; the unit is in the label.
    std::array<int, SettingColumns> labelWidths{}; // at 96 dpi
    {
        HDC dc = GetDC(Handle);
        const HGDIOBJ old = SelectObject(dc, Font);
        for (std::size_t i = 0; i < report::SettingFields.size(); ++i) {
            const std::wstring label = SettingLabel(report::SettingFields[i]);
            SIZE extent{};
            GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &extent);
            int& widest = labelWidths[i % SettingColumns];
            widest = std::max(widest, MulDiv(extent.cx, 96, dpi) + 4);
        }
        SelectObject(dc, old);
        ReleaseDC(Handle, dc);
    }
    for (std::size_t i = 0; i < report::SettingFields.size(); ++i) {
        const report::TSettingFieldDesign& d = report::SettingFields[i];
        const std::size_t column = i % SettingColumns;
        int x = 12;
        for (std::size_t c = 0; c < column; ++c)
            x += labelWidths[c] + 6 + SettingBoxWidth + SettingGap;
        const int y = 12 + SettingRowHeight * static_cast<int>(i / SettingColumns);
        make(L"STATIC", SettingLabel(d), SS_RIGHT | SS_NOPREFIX, x, y + 3, labelWidths[column], 18);
        Fields[i] = make(L"EDIT", Widen(report::SettingText(CurrentSettings, d.Field)),
                         WS_TABSTOP | ES_AUTOHSCROLL, x + labelWidths[column] + 6, y,
                         SettingBoxWidth, 22, FieldId + static_cast<int>(i), WS_EX_CLIENTEDGE);
    }
    const auto settingRows =
        static_cast<int>((report::SettingFields.size() + SettingColumns - 1) / SettingColumns);
    // The search: its criterion, the buttons and the progress on one row, then the messages.
    const int searchTop = 12 + SettingRowHeight * settingRows + 4;
    make(L"STATIC", L"Criterion :", SS_RIGHT, 12, searchTop + 4, 78, 18);
    CriterionBox = make(WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 96,
                        searchTop, 240, 160, CriterionId);
    for (const report::TCriterionChoice& c : report::CriterionChoices)
        SendMessageW(CriterionBox, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Widen(c.Text).c_str()));
    SendMessageW(CriterionBox, CB_SETCURSEL, 0, 0);
    FindButton = make(L"BUTTON", L"&Find embedment", WS_TABSTOP | BS_PUSHBUTTON, 348, searchTop,
                      130, 26, FindId);
    CancelButton =
        make(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 486, searchTop, 80, 26, CancelId);
    Progress = make(PROGRESS_CLASSW, L"", 0, 576, searchTop + 4, width - 576 - 12, 18);
    SendMessageW(Progress, PBM_SETRANGE32, 0, sheetpile::BaseRow - 1);
    const int messagesTop = searchTop + 32;
    SettingsMessage = make(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 12, messagesTop, 328, 34);
    SearchStatus =
        make(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 348, messagesTop, width - 348 - 12, 34);

    Notice = make(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 12, messagesTop + 38, width - 24, 18);
    const int linesTop = messagesTop + 60, chartTop = height - ChartHeight - 8;
    Lines = make(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_NOSORTHEADER | LVS_SINGLESEL, 12,
                 linesTop, width - 24, chartTop - linesTop - 8, 0, WS_EX_CLIENTEDGE);
    SendMessageW(Lines, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    const wchar_t* headers[] = {L"Check", L"Rests on", L"Value", L"Required", L"Result"};
    const int widths[] = {190, 0, 110, 120, 60};
    const int restsOn = width - 24 - 190 - 110 - 120 - 60 - 24; // the rest, less a scroll bar
    for (int col = 0; col < 5; ++col) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(headers[col]);
        column.cx = s(col == 1 ? restsOn : widths[col]);
        SendMessageW(Lines, LVM_INSERTCOLUMNW, static_cast<WPARAM>(col),
                     reinterpret_cast<LPARAM>(&column));
    }
    const int chartWidth = (width - 24 - 16) / 3;
    std::unique_ptr<TChartView>* charts[] = {&WallChart, &ExitChart, &EmbedChart};
    for (int i = 0; i < 3; ++i) {
        *charts[i] = std::make_unique<TChartView>(Handle, 320 + i);
        (*charts[i])->SetFont(Font);
        MoveWindow((*charts[i])->Handle, s(12 + i * (chartWidth + 8)), s(chartTop), s(chartWidth),
                   s(ChartHeight), FALSE);
    }
}

std::string TChecksForm::Text(HWND control) const {
    return Narrow(TextOf(control));
}

// --- Runs and settings ---------------------------------------------------------------------------

void TChecksForm::RunStarted() {
    Running = true;
    if (Searching()) CancelClick("Search cancelled: RUN was pressed in the main window.");
    UpdateButtons();
}

void TChecksForm::RunCompleted(const sheetpile::TModel& model, const TInputTexts& inputs) {
    Running = false;
    Snapshot = std::make_shared<const sheetpile::TModel>(model);
    Inputs = inputs;
    Found.reset();
    Recompute();
}

void TChecksForm::LoadSettings(const checks::TCheckSettings& settings) {
    if (Searching()) CancelClick("Search cancelled: other settings were opened.");
    CurrentSettings = settings;
    for (std::size_t i = 0; i < Fields.size(); ++i)
        SetWindowTextW(
            Fields[i],
            Widen(report::SettingText(CurrentSettings, report::SettingFields[i].Field)).c_str());
    SetWindowTextW(SettingsMessage, L"");
    Found.reset();
    Recompute();
}

void TChecksForm::FieldEdited(std::size_t index) {
    const report::TSettingFieldDesign& d = report::SettingFields.at(index);
    const std::string typed = Text(Fields[index]);
    const std::string shown = report::SettingText(CurrentSettings, d.Field);
    if (typed == shown) return; // left unchanged
    const std::string error = report::ApplySetting(typed, d.Field, CurrentSettings);
    // What the box shows is always the value in force.
    SetWindowTextW(Fields[index], Widen(report::SettingText(CurrentSettings, d.Field)).c_str());
    if (!error.empty()) {
        SetWindowTextW(SettingsMessage, Widen("\"" + typed + "\" refused: " + error + ".").c_str());
        return;
    }
    SetWindowTextW(SettingsMessage, L"");
    Found.reset(); // an earlier search ran under other settings
    Recompute();
}

void TChecksForm::CriterionChanged() {
    const auto at = SendMessageW(CriterionBox, CB_GETCURSEL, 0, 0);
    if (at < 0 || at >= static_cast<LRESULT>(report::CriterionChoices.size())) return;
    Criterion = report::CriterionChoices[static_cast<std::size_t>(at)].Criterion;
    Found.reset(); // the diagram showed the other criterion
    Recompute();
}

void TChecksForm::Recompute() {
    SendMessageW(Lines, LVM_DELETEALLITEMS, 0, 0);
    if (Found)
        EmbedChart->SetChart(report::EmbedmentChart(*Found));
    else
        EmbedChart->SetChart({"Embedment", {}, {}, {}}, L"Find embedment draws the search here.");
    if (!Snapshot) {
        SetWindowTextW(Notice, Widen(NothingYet).c_str());
        WallChart->SetChart({"Water pressure on the wall", {}, {}, {}});
        ExitChart->SetChart({"Exit gradient", {}, {}, {}});
        UpdateButtons();
        return;
    }
    const checks::TCheckSettings s = report::SettingsForRun(CurrentSettings, Inputs);
    const checks::TDesignChecks figures = checks::RunDesignChecks(*Snapshot, s);
    SetWindowTextW(Notice, Widen("Figures of the last completed run: wall " + Inputs.Edit2 +
                                 ", stratum " + Inputs.Edit1 + ", heads " + Inputs.Edit3 + " and " +
                                 Inputs.Edit4 + " (SI units).")
                               .c_str());
    int row = 0;
    for (const report::TCheckLine& line : report::CheckLines(figures, s)) {
        const std::string cells[] = {line.Label, line.Detail,
                                     line.Value + (line.Unit.empty() ? "" : " " + line.Unit),
                                     line.Required, report::VerdictText(line.Verdict)};
        for (int col = 0; col < 5; ++col) {
            std::wstring text = Widen(cells[col]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.iSubItem = col;
            item.pszText = text.data();
            SendMessageW(Lines, col == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW,
                         static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        }
        ++row;
    }
    WallChart->SetChart(report::WallPressureChart(*Snapshot, figures, s));
    ExitChart->SetChart(report::ExitGradientChart(*Snapshot, figures));
    UpdateButtons();
}

void TChecksForm::UpdateButtons() {
    EnableWindow(FindButton, Snapshot && !Running && !Searching());
    EnableWindow(CancelButton, Searching());
    for (HWND f : Fields) EnableWindow(f, !Searching());
    EnableWindow(CriterionBox, !Searching());
}

// --- The embedment search
// --------------------------------------------------------------------------

void TChecksForm::FindClick() {
    if (!Snapshot || Running || Searching()) return;
    Cancel = false;
    CancelReason.clear();
    Found.reset();
    Result.reset();
    BracketLow = 0;
    BracketHigh = sheetpile::BaseRow;
    {
        std::lock_guard lock(TrialsLock);
        PendingTrials.clear();
    }
    Recompute();
    SendMessageW(Progress, PBM_SETPOS, 0, 0);
    SetWindowTextW(SearchStatus, L"Searching\x2026");
    HWND window = Handle;
    // The search takes the run's H2 for the tailwater, as the rows do.
    const checks::TCheckSettings searchSettings = report::SettingsForRun(CurrentSettings, Inputs);
    Worker =
        std::thread([this, window, model = Snapshot, criterion = Criterion, s = searchSettings] {
            checks::TSearchControl control;
            control.Cancel = &Cancel;
            control.Progress = [window](const checks::TEmbedmentTrial& t) {
                {
                    std::lock_guard lock(TrialsLock);
                    PendingTrials.push_back(t);
                }
                PostMessageW(window, WM_SEARCHTRIAL, 0, 0);
            };
            Result = checks::SearchEmbedment(*model, criterion, s, control);
            PostMessageW(window, WM_SEARCHDONE, 0, 0);
        });
    UpdateButtons();
}

void TChecksForm::CancelClick(const std::string& why) {
    if (!Searching()) return;
    CancelReason = why;
    Cancel = true;
    SetWindowTextW(SearchStatus, Widen(why).c_str());
}

void TChecksForm::JoinWorker() {
    if (Worker.joinable()) Worker.join();
}

void TChecksForm::SearchFinished() {
    JoinWorker(); // its result is complete once the thread has ended
    UpdateButtons();
    if (!Result || Result->Cancelled || Cancel) { // a cancel that came late still counts
        SendMessageW(Progress, PBM_SETPOS, 0, 0);
        SetWindowTextW(SearchStatus,
                       Widen(CancelReason.empty() ? "Search cancelled." : CancelReason).c_str());
        return;
    }
    Found = Result;
    SendMessageW(Progress, PBM_SETPOS, sheetpile::BaseRow - 1, 0);
    SetWindowTextW(SearchStatus, Widen(report::EmbedmentSummary(*Found)).c_str());
    EmbedChart->SetChart(report::EmbedmentChart(*Found));
}

// --- Messages ------------------------------------------------------------------------------------

LRESULT CALLBACK TChecksForm::WndProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TChecksForm*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->Handle = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TChecksForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, w, l);
    return self->Dispatch(message, w, l);
}

LRESULT TChecksForm::Dispatch(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(w), code = HIWORD(w);
        if (id >= FieldId && id < FieldId + static_cast<int>(Fields.size()) && code == EN_KILLFOCUS)
            FieldEdited(static_cast<std::size_t>(id - FieldId));
        if (id == IDOK) // Enter in a settings box
            for (std::size_t i = 0; i < Fields.size(); ++i)
                if (GetFocus() == Fields[i]) FieldEdited(i);
        if (id == CriterionId && code == CBN_SELCHANGE) CriterionChanged();
        if (id == FindId && code == BN_CLICKED) FindClick();
        if (id == CancelId && code == BN_CLICKED) CancelClick();
        return 0;
    }
    case WM_SEARCHTRIAL: {
        std::vector<checks::TEmbedmentTrial> trials;
        {
            std::lock_guard lock(TrialsLock);
            trials.swap(PendingTrials);
        }
        if (!Searching() || Cancel) return 0;
        for (const checks::TEmbedmentTrial& t : trials) {
            if (t.Passes && t.Rows < BracketHigh) BracketHigh = t.Rows;
            if (!t.Passes && t.Rows > BracketLow) BracketLow = t.Rows;
            SetWindowTextW(SearchStatus, Widen("Trial: " + report::TrialSummary(t)).c_str());
        }
        // The bar fills as the bracket of failing and passing depths closes.
        SendMessageW(Progress, PBM_SETPOS,
                     static_cast<WPARAM>(sheetpile::BaseRow - (BracketHigh - BracketLow)), 0);
        return 0;
    }
    case WM_SEARCHDONE:
        SearchFinished();
        return 0;
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(w);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        if (reinterpret_cast<HWND>(l) == SettingsMessage) SetTextColor(dc, Refused);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE:
        ShowWindow(Handle, SW_HIDE); // the settings stay for the next opening
        return 0;
    default:
        return DefWindowProcW(Handle, message, w, l);
    }
}

} // namespace verrask::win
