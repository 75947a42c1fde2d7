// The design-checks window's controls on the Win32 API (see ChecksWindow.h).
#include "winapp/ChecksWindow.h"

#include "control/SettingFields.h"
#include "control/WindowDesign.h"
#include "control/WindowPlacement.h"
#include "winapp/WideText.h"
#include "winapp/WindowClass.h"

#include <commctrl.h>

#include <algorithm>

namespace verrask::win {
namespace {

constexpr wchar_t ClassName[] = L"TChecksForm";
constexpr UINT WM_POSTED = WM_APP + 10; // lParam: a std::function<void()> to run and free
constexpr UINT WM_DPICHANGED_ = 0x02E0; // WM_DPICHANGED
constexpr int FieldId = 300, CriterionId = 310, FindId = 311, CancelId = 312;
constexpr int ChartHeight = 230;    // room for the three diagrams at 96 dpi
constexpr int LinesTop = 220;       // below the settings, the search row and the messages
constexpr int LinesMinHeight = 214; // the list before a run, at 96 dpi
constexpr int LegendHeight = 18, SwatchSize = 12, LegendTextWidth = 190;
constexpr COLORREF Refused = RGB(0xB0, 0x00, 0x20);
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// The settings grid at 96 dpi: three columns of a label (with the unit) and a box, each column
// as wide as its longest label, fit the window's width.
constexpr std::size_t SettingColumns = 3;
constexpr int SettingBoxWidth = 70, SettingGap = 18, SettingRowHeight = 28;

std::wstring SettingLabel(const report::TSettingFieldDesign& d) {
    std::wstring label = Widen(d.Label);
    if (*d.Unit) label += L" (" + Widen(d.Unit) + L")";
    return label + L" :";
}

COLORREF ColourRef(sheetpile::TColor c) {
    return RGB(sheetpile::RedOf(c), sheetpile::GreenOf(c), sheetpile::BlueOf(c));
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<TScreenRect>*>(list)->push_back(
            {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
    return TRUE;
}

} // namespace

TChecksForm::TChecksForm(HWND owner, int dpi) : Owner(owner), CurrentDpi(dpi) {
    TClassLook look;
    look.MainIcon = true;
    RECT frame{0, 0, MulDiv(design::ChecksClientWidth, dpi, 96),
               MulDiv(design::ChecksClientHeight, dpi, 96)};
    AdjustWindowRectExForDpi(&frame, Style, FALSE, 0, static_cast<UINT>(dpi));
    CreateWindowOf(this, ClassName, look, 0, Widen(design::ChecksCaption).c_str(), Style,
                   CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                   owner);
    CreateControls();
    ApplyDpi(dpi);
    Control = std::make_unique<TChecksControl>(static_cast<TChecksView&>(*this));
    Control->Attach();
}

TChecksForm::~TChecksForm() {
    Control->Shutdown(); // nothing is posted after this
    Closing = true;
    DropPosted();
    if (Handle != nullptr) DestroyWindow(Handle);
    if (Font != nullptr) DeleteObject(Font);
    for (HBRUSH b : ZoneBrushes)
        if (b != nullptr) DeleteObject(b);
}

void TChecksForm::DropPosted() {
    MSG message;
    while (Handle != nullptr && PeekMessageW(&message, Handle, WM_POSTED, WM_POSTED, PM_REMOVE))
        delete reinterpret_cast<std::function<void()>*>(message.lParam);
}

void TChecksForm::CreateControls() {
    const auto make = [this](const wchar_t* cls, const std::wstring& text, DWORD style, RECT at,
                             int id = 0, DWORD ex = 0) {
        HWND c = CreateWindowExW(ex, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                 Handle, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
        if (at.right > at.left) Placed.push_back({c, at});
        return c;
    };
    const auto box = [](int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; };
    const int width = design::ChecksClientWidth;
    // The settings in a grid of label and box pairs, row by row; the unit is in the label. The
    // labels are measured in the design font at 96 dpi.
    std::array<int, SettingColumns> labelWidths{};
    {
        HFONT measure =
            CreateFontW(-design::FontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH, Widen(design::FontFamily).c_str());
        HDC dc = GetDC(Handle);
        const HGDIOBJ old = SelectObject(dc, measure);
        for (std::size_t i = 0; i < report::SettingFields.size(); ++i) {
            const std::wstring label = SettingLabel(report::SettingFields[i]);
            SIZE extent{};
            GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &extent);
            int& widest = labelWidths[i % SettingColumns];
            widest = std::max(widest, static_cast<int>(extent.cx) + 4);
        }
        SelectObject(dc, old);
        ReleaseDC(Handle, dc);
        DeleteObject(measure);
    }
    for (std::size_t i = 0; i < report::SettingFields.size(); ++i) {
        const std::size_t column = i % SettingColumns;
        int x = 12;
        for (std::size_t c = 0; c < column; ++c)
            x += labelWidths[c] + 6 + SettingBoxWidth + SettingGap;
        const int y = 12 + SettingRowHeight * static_cast<int>(i / SettingColumns);
        make(L"STATIC", SettingLabel(report::SettingFields[i]), SS_RIGHT | SS_NOPREFIX,
             box(x, y + 3, labelWidths[column], 18));
        Fields[i] = make(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL,
                         box(x + labelWidths[column] + 6, y, SettingBoxWidth, 22),
                         FieldId + static_cast<int>(i), WS_EX_CLIENTEDGE);
    }
    const auto settingRows =
        static_cast<int>((report::SettingFields.size() + SettingColumns - 1) / SettingColumns);
    // The search: its criterion, the buttons and the progress on one row, then the messages.
    const int searchTop = 12 + SettingRowHeight * settingRows + 4;
    make(L"STATIC", L"Criterion :", SS_RIGHT, box(12, searchTop + 4, 78, 18));
    CriterionBox = make(WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL,
                        box(96, searchTop, 240, 160), CriterionId);
    for (const TCriterionChoice& c : CriterionChoices)
        SendMessageW(CriterionBox, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Widen(c.Text).c_str()));
    FindButton = make(L"BUTTON", L"&Find embedment", WS_TABSTOP | BS_PUSHBUTTON,
                      box(348, searchTop, 130, 26), FindId);
    CancelButton = make(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON,
                        box(486, searchTop, 80, 26), CancelId);
    Progress = make(PROGRESS_CLASSW, L"", 0, box(576, searchTop + 4, width - 576 - 12, 18));
    const int messagesTop = searchTop + 32;
    SettingsMessage = make(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, box(12, messagesTop, 328, 34));
    SearchStatus =
        make(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, box(348, messagesTop, width - 348 - 12, 34));
    Notice = make(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, box(12, messagesTop + 38, width - 24, 18));

    // Placed by Arrange, below the list.
    Lines = make(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_NOSORTHEADER | LVS_SINGLESEL, {},
                 0, WS_EX_CLIENTEDGE);
    SendMessageW(Lines, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    const wchar_t* headers[] = {L"Check", L"Rests on", L"Value", L"Required", L"Result"};
    for (int col = 0; col < 5; ++col) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<wchar_t*>(headers[col]);
        SendMessageW(Lines, LVM_INSERTCOLUMNW, static_cast<WPARAM>(col),
                     reinterpret_cast<LPARAM>(&column));
    }
    LegendTitle = make(L"STATIC", L"Zones on the flow net:", SS_LEFT | SS_NOPREFIX, {});
    for (std::size_t i = 0; i < Zones.size(); ++i) {
        Swatches[i] = make(L"STATIC", L"", WS_BORDER, {});
        Zones[i] = make(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, {});
    }
    std::unique_ptr<TChartView>* charts[] = {&WallChart, &ExitChart, &EmbedChart};
    for (int i = 0; i < 3; ++i) *charts[i] = std::make_unique<TChartView>(Handle, 320 + i);
}

void TChecksForm::ApplyDpi(int dpi) {
    CurrentDpi = dpi;
    const auto s = [dpi](LONG v) { return MulDiv(v, dpi, 96); };
    HFONT old = Font;
    Font = CreateFontW(-s(design::FontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH, Widen(design::FontFamily).c_str());
    for (const TPlaced& p : Placed)
        MoveWindow(p.Control, s(p.Design.left), s(p.Design.top), s(p.Design.right - p.Design.left),
                   s(p.Design.bottom - p.Design.top), FALSE);
    for (HWND c = GetWindow(Handle, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
    for (TChartView* chart : {WallChart.get(), ExitChart.get(), EmbedChart.get()})
        chart->SetFont(Font);
    if (old != nullptr) DeleteObject(old);
    // The columns: the fixed ones at their design widths, "Rests on" the rest less a scroll bar.
    const int width = design::ChecksClientWidth;
    const int widths[] = {190, width - 24 - 190 - 110 - 120 - 60 - 24, 110, 120, 60};
    for (int col = 0; col < 5; ++col)
        SendMessageW(Lines, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col), s(widths[col]));
    Arrange();
}

void TChecksForm::Arrange() {
    const auto s = [this](int v) { return MulDiv(v, CurrentDpi, 96); };
    const int width = design::ChecksClientWidth;
    // The list: its header, every row and its edge, never less than before a run.
    const int rows = static_cast<int>(SendMessageW(Lines, LVM_GETITEMCOUNT, 0, 0));
    RECT header{};
    GetWindowRect(reinterpret_cast<HWND>(SendMessageW(Lines, LVM_GETHEADER, 0, 0)), &header);
    RECT item{LVIR_BOUNDS, 0, 0, 0};
    const int rowHeight =
        rows > 0 && SendMessageW(Lines, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item))
            ? static_cast<int>(item.bottom - item.top)
            : 0;
    const int wanted =
        std::max(s(LinesMinHeight), static_cast<int>(header.bottom - header.top) +
                                        rows * rowHeight + 2 * GetSystemMetrics(SM_CYEDGE) + 2);
    const int top = s(LinesTop);
    // Where the screen's work area is too low for every row, the list gets what room there is
    // (never less than its header and one row) and scrolls.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(
        MonitorFromWindow(IsWindowVisible(Handle) ? Handle : Owner, MONITOR_DEFAULTTONEAREST),
        &monitor);
    const RECT work = monitor.rcWork;
    RECT others{0, 0, s(width), top + s(8) + s(LegendHeight + 8) + s(ChartHeight + 8)};
    AdjustWindowRectExForDpi(&others, Style, FALSE, 0, static_cast<UINT>(CurrentDpi));
    const int room = static_cast<int>((work.bottom - work.top) - (others.bottom - others.top));
    const int least = static_cast<int>(header.bottom - header.top) + std::max(rowHeight, s(18)) +
                      2 * GetSystemMetrics(SM_CYEDGE) + 2;
    const int listHeight = std::max(least, std::min(wanted, room));
    MoveWindow(Lines, s(12), top, s(width - 24), listHeight, TRUE);
    // The legend, then the three diagrams side by side.
    const int legendTop = top + listHeight + s(8);
    MoveWindow(LegendTitle, s(12), legendTop, s(150), s(LegendHeight), TRUE);
    for (std::size_t i = 0; i < Zones.size(); ++i) {
        const int x = 168 + static_cast<int>(i) * (SwatchSize + 6 + LegendTextWidth + 12);
        MoveWindow(Swatches[i], s(x), legendTop + s(2), s(SwatchSize), s(SwatchSize), TRUE);
        MoveWindow(Zones[i], s(x + SwatchSize + 6), legendTop, s(LegendTextWidth), s(LegendHeight),
                   TRUE);
    }
    const int chartTop = legendTop + s(LegendHeight + 8);
    const int chartWidth = (width - 24 - 16) / 3;
    TChartView* charts[] = {WallChart.get(), ExitChart.get(), EmbedChart.get()};
    for (int i = 0; i < 3; ++i)
        MoveWindow(charts[i]->Handle, s(12 + i * (chartWidth + 8)), chartTop, s(chartWidth),
                   s(ChartHeight), TRUE);
    // The window's client area ends below the diagrams.
    RECT frame{0, 0, s(width), chartTop + s(ChartHeight + 8)};
    AdjustWindowRectExForDpi(&frame, Style, FALSE, 0, static_cast<UINT>(CurrentDpi));
    SetWindowPos(Handle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A window that grew below its screen's work area moves up onto it.
    RECT now{};
    GetWindowRect(Handle, &now);
    const LONG lowest = std::max(work.top, work.bottom - (now.bottom - now.top));
    if (IsWindowVisible(Handle) && now.top > lowest)
        SetWindowPos(Handle, nullptr, now.left, lowest, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TChecksForm::Open() {
    if (!IsWindowVisible(Handle)) {
        RECT main{}, own{};
        GetWindowRect(Owner, &main);
        GetWindowRect(Handle, &own);
        std::vector<TScreenRect> screens;
        EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&screens));
        const TScreenRect at = PlaceBeside({main.left, main.top, main.right, main.bottom}, screens,
                                           own.right - own.left, own.bottom - own.top,
                                           MulDiv(PlacementGap, CurrentDpi, 96));
        SetWindowPos(Handle, nullptr, at.Left, at.Top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(Handle, SW_SHOW);
    SetForegroundWindow(Handle);
}

std::string TChecksForm::Text(HWND control) const {
    return Narrow(TextOf(control));
}

// --- The controls' notifications ---------------------------------------------------------------

void TChecksForm::FieldEdited(std::size_t index) {
    if (index < Fields.size()) Control->FieldEdited(index, Text(Fields[index]));
}

void TChecksForm::CriterionChanged() {
    const auto at = SendMessageW(CriterionBox, CB_GETCURSEL, 0, 0);
    if (at >= 0) Control->CriterionChanged(static_cast<std::size_t>(at));
}

// --- What the presenter shows --------------------------------------------------------------------

void TChecksForm::ShowNotice(const std::string& text) {
    SetWindowTextW(Notice, Widen(text).c_str());
}

void TChecksForm::ShowField(std::size_t index, const std::string& text) {
    SetWindowTextW(Fields.at(index), Widen(text).c_str());
}

void TChecksForm::ShowCriterion(std::size_t index) {
    SendMessageW(CriterionBox, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TChecksForm::ShowSettingsMessage(const std::string& text) {
    SetWindowTextW(SettingsMessage, Widen(text).c_str());
}

void TChecksForm::ShowLines(const std::vector<report::TCheckLine>& lines) {
    SendMessageW(Lines, LVM_DELETEALLITEMS, 0, 0);
    int row = 0;
    for (const report::TCheckLine& line : lines) {
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
    Arrange();
}

void TChecksForm::ShowRunCharts(const std::optional<report::TChart>& wall,
                                const std::optional<report::TChart>& exit) {
    WallChart->SetChart(wall ? *wall : report::TChart{"Water pressure on the wall", {}, {}, {}});
    ExitChart->SetChart(exit ? *exit : report::TChart{"Exit gradient", {}, {}, {}});
}

void TChecksForm::ShowEmbedmentChart(const std::optional<report::TChart>& chart) {
    if (chart)
        EmbedChart->SetChart(*chart);
    else
        EmbedChart->SetChart({"Embedment", {}, {}, {}}, L"Find embedment draws the search here.");
}

void TChecksForm::ShowZones(const std::array<report::TZoneNote, 3>& zones) {
    for (std::size_t i = 0; i < zones.size(); ++i) {
        if (ZoneBrushes[i] != nullptr) DeleteObject(ZoneBrushes[i]);
        ZoneBrushes[i] = CreateSolidBrush(ColourRef(zones[i].Colour));
        InvalidateRect(Swatches[i], nullptr, TRUE);
        SetWindowTextW(Zones[i], Widen(zones[i].Text).c_str());
    }
}

void TChecksForm::ShowProgress(int position, int maximum) {
    SendMessageW(Progress, PBM_SETRANGE32, 0, maximum);
    SendMessageW(Progress, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void TChecksForm::ShowSearchStatus(const std::string& text) {
    SetWindowTextW(SearchStatus, Widen(text).c_str());
}

void TChecksForm::EnableControls(bool find, bool cancel, bool settings) {
    EnableWindow(FindButton, find);
    EnableWindow(CancelButton, cancel);
    for (HWND f : Fields) EnableWindow(f, settings);
    EnableWindow(CriterionBox, settings);
}

void TChecksForm::Post(std::function<void()> task) {
    auto* posted = new std::function<void()>(std::move(task));
    if (!PostMessageW(Handle, WM_POSTED, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

// --- Messages ------------------------------------------------------------------------------------

LRESULT TChecksForm::Dispatch(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND: {
        if (Closing || !Control) return 0;
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
    case WM_POSTED: {
        const std::unique_ptr<std::function<void()>> task(
            reinterpret_cast<std::function<void()>*>(l));
        if (!Closing) (*task)();
        return 0;
    }
    case WM_DPICHANGED_:
        ApplyDpi(LOWORD(w)); // the suggested rectangle unused: the window keeps its place
        RedrawWindow(Handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        return 0;
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(w);
        const auto control = reinterpret_cast<HWND>(l);
        for (std::size_t i = 0; i < Swatches.size(); ++i)
            if (control == Swatches[i] && ZoneBrushes[i] != nullptr)
                return reinterpret_cast<LRESULT>(ZoneBrushes[i]);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        if (control == SettingsMessage) SetTextColor(dc, Refused);
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
