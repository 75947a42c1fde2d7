// The main window's controls built from the design tables at 96 dpi (control/WindowDesign.h),
// and their layout: whole-window scaling by M/D, the sizes set explicitly per density, anchors,
// the status bar along the bottom edge and the picture's centring.
#include "winapp/MainUnit.h"

#include "control/DisplayScaling.h"
#include "winapp/WideText.h"
#include "winapp/resource.h"

#include <commctrl.h>

#include <array>
#include <utility>

namespace verrask::win {
namespace {

constexpr int FirstControlId = 100; // control ids: 100 + the index in design::Controls

DWORD LabelStyle(design::TAlign align) {
    switch (align) {
    case design::TAlign::Left:
        return SS_LEFT;
    case design::TAlign::LeftCentred:
        return SS_OWNERDRAW; // several lines, centred as a block
    case design::TAlign::Right:
        return SS_RIGHT;
    case design::TAlign::RightCentred:
        return SS_RIGHT | SS_CENTERIMAGE;
    }
    return SS_LEFT;
}

} // namespace

HWND TForm1::CreateControl(const design::TControlDesign& d, int id) {
    const std::wstring text = Widen(d.Text);
    const wchar_t* className = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    switch (d.Kind) {
    case design::TKind::Frame:
    case design::TKind::Image:
        return nullptr; // painted by the window; TImage
    case design::TKind::Label:
        style |= SS_NOPREFIX | LabelStyle(d.Align);
        break;
    case design::TKind::Edit:
        className = L"EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case design::TKind::Button:
        className = L"BUTTON";
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
    case design::TKind::TrackBar:
        className = TRACKBAR_CLASSW;
        // No tick marks, a rectangular thumb of a length the window sets.
        style |= WS_TABSTOP | WS_DISABLED | TBS_HORZ | TBS_NOTICKS | TBS_BOTH | TBS_FIXEDLENGTH;
        break;
    case design::TKind::CheckBox:
        className = L"BUTTON";
        style |= WS_TABSTOP | BS_AUTOCHECKBOX;
        break;
    case design::TKind::StatusBar:
        className = STATUSCLASSNAMEW;
        // Placed and sized by the window, not by itself.
        style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
        break;
    }
    HWND control = CreateWindowExW(exStyle, className, text.c_str(), style, d.Bounds.Left,
                                   d.Bounds.Top, d.Bounds.Width, d.Bounds.Height, Handle,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (d.Kind == design::TKind::TrackBar) {
        SendMessageW(control, TBM_SETRANGEMIN, FALSE, design::TrackBarMin);
        SendMessageW(control, TBM_SETRANGEMAX, FALSE, design::TrackBarMax);
        SendMessageW(control, TBM_SETPOS, TRUE, design::TrackBarPosition);
        SendMessageW(control, TBM_SETTHUMBLENGTH, design::ThumbLength, 0);
    }
    if (d.Kind == design::TKind::StatusBar) {
        std::array<int, PanelCount> edges{};
        int right = 0;
        for (std::size_t i = 0; i < edges.size(); ++i)
            edges[i] = right += design::DesignPanelWidths[i];
        SendMessageW(control, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    }
    return control;
}

void TForm1::AddMenuCommands() {
    // The menu bar from the design, each command with its resource id.
    static constexpr std::pair<std::string_view, UINT> Ids[] = {
        {"OpenInputs1", IDM_OPENINPUTS},
        {"SaveInputs1", IDM_SAVEINPUTS},
        {"SavePicture1", IDM_SAVEPICTURE},
        {"ExportResults1", IDM_EXPORTRESULTS},
        {"ExportReport1", IDM_EXPORTREPORT},
        {"Exit1", IDM_EXIT},
        {"Copy1", IDM_COPY},
        {"DesignChecks1", IDM_CHECKS},
        {"About1", IDM_ABOUT}};
    MainMenu1 = CreateMenu();
    for (const design::TMenuBarDesign& bar : design::MenuBar) {
        HMENU popup = CreatePopupMenu();
        for (const design::TMenuCommandDesign& c : design::MenuCommands) {
            if (c.Menu != bar.Name) continue;
            if (c.Name.empty()) {
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            UINT id = 0;
            for (const auto& [name, value] : Ids)
                if (name == c.Name) id = value;
            AppendMenuW(popup, MF_STRING | (c.NeedsRun ? MF_GRAYED : 0u), id,
                        Widen(c.Text).c_str());
        }
        AppendMenuW(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                    Widen(bar.Text).c_str());
        if (bar.Name == "File1") File1 = popup;
        if (bar.Name == "Edit1") Edit1Menu = popup;
        if (bar.Name == "Checks1") Checks1 = popup;
        if (bar.Name == "Help1") Help1 = popup;
    }
    SetMenu(Handle, MainMenu1);
}

void TForm1::CreateComponents() {
    AddMenuCommands();

    for (const design::TControlDesign* d : design::Controls)
        Places.push_back({d, nullptr, d->Bounds, d->FontHeight});
    const auto create = [this](const design::TControlDesign* d) {
        for (std::size_t i = 0; i < Places.size(); ++i) {
            if (Places[i].Design != d || Places[i].Handle != nullptr) continue;
            if (d->Kind == design::TKind::Image) {
                Image1 = std::make_unique<TImage>(Handle, FirstControlId + static_cast<int>(i),
                                                  d->Bounds.Left, d->Bounds.Top, d->Bounds.Width,
                                                  d->Bounds.Height);
                Places[i].Handle = Image1->Handle;
            } else {
                Places[i].Handle = CreateControl(*d, FirstControlId + static_cast<int>(i));
            }
        }
    };
    // The tab order is the order of creation; the controls without a tab stop follow.
    for (const design::TControlDesign* d : design::TabOrder) create(d);
    for (const design::TControlDesign* d : design::Controls) create(d);

    const std::pair<std::string_view, HWND TForm1::*> members[] = {
        {"TrackBar1", &TForm1::TrackBar1},   {"TrackBar2", &TForm1::TrackBar2},
        {"Label1", &TForm1::Label1},         {"Label2", &TForm1::Label2},
        {"Edit1", &TForm1::Edit1},           {"Edit2", &TForm1::Edit2},
        {"Label3", &TForm1::Label3},         {"Label4", &TForm1::Label4},
        {"Button1", &TForm1::Button1},       {"Label5", &TForm1::Label5},
        {"Label6", &TForm1::Label6},         {"Label7", &TForm1::Label7},
        {"Edit3", &TForm1::Edit3},           {"Edit4", &TForm1::Edit4},
        {"Label8", &TForm1::Label8},         {"Edit5", &TForm1::Edit5},
        {"StatusBar1", &TForm1::StatusBar1}, {"Edit6", &TForm1::Edit6},
        {"Edit7", &TForm1::Edit7},           {"Label9", &TForm1::Label9},
        {"Label10", &TForm1::Label10},       {"CheckBox1", &TForm1::CheckBox1},
        {"CheckBox2", &TForm1::CheckBox2},   {"CheckBox3", &TForm1::CheckBox3},
        {"Edit8", &TForm1::Edit8},           {"Label11", &TForm1::Label11}};
    for (const auto& [name, member] : members) this->*member = Place(name).Handle;

    // Edit5's hint.
    static const std::wstring hint = Widen(design::Edit5Hint);
    Tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle;
    tool.uId = reinterpret_cast<UINT_PTR>(Edit5);
    tool.lpszText = const_cast<wchar_t*>(hint.c_str());
    SendMessageW(Tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

    ApplyFonts();
    SetClientSize(design::ClientWidth, design::ClientHeight);
}

TForm1::TPlaced& TForm1::Place(std::string_view name) {
    for (TPlaced& p : Places)
        if (p.Design->Name == name) return p;
    return Places.front(); // every name asked for is in the design
}

design::TBounds TForm1::BoundsOf(std::string_view name) const {
    for (const TPlaced& p : Places)
        if (p.Design->Name == name) return p.Bounds;
    return {};
}

HWND TForm1::HandleOf(std::string_view name) const {
    for (const TPlaced& p : Places)
        if (p.Design->Name == name) return p.Handle;
    return nullptr;
}

int TForm1::FontHeightOf(HWND control) const {
    for (const TPlaced& p : Places)
        if (p.Handle == control) return p.FontHeight > 0 ? p.FontHeight : FontSize;
    return FontSize;
}

HFONT TForm1::Font(int height) {
    auto& font = Fonts[height];
    if (font == nullptr)
        font = CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, Widen(design::FontFamily).c_str());
    return font;
}

void TForm1::ApplyFonts() {
    for (const TPlaced& p : Places)
        if (p.Handle != nullptr && p.Design->Kind != design::TKind::Image)
            SendMessageW(p.Handle, WM_SETFONT,
                         reinterpret_cast<WPARAM>(Font(p.FontHeight > 0 ? p.FontHeight : FontSize)),
                         TRUE);
}

void TForm1::ApplyPlaces() {
    for (const TPlaced& p : Places) {
        if (p.Handle == nullptr) continue;
        const UINT keepSize = p.Design->Kind == design::TKind::Image ? SWP_NOSIZE : 0;
        SetWindowPos(p.Handle, nullptr, p.Bounds.Left, p.Bounds.Top, p.Bounds.Width,
                     p.Bounds.Height, SWP_NOZORDER | SWP_NOACTIVATE | keepSize);
    }
    InvalidateRect(Handle, nullptr, TRUE); // the frames
}

void TForm1::SetClientSize(int width, int height) {
    // The frame as it is (title bar, borders, menu bar), measured rather than predicted; a
    // second pass follows a menu bar that changed its height with the width.
    for (int pass = 0; pass < 2; ++pass) {
        RECT outer, client;
        GetWindowRect(Handle, &outer);
        GetClientRect(Handle, &client);
        if (client.right == width && client.bottom == height) break;
        SetWindowPos(Handle, nullptr, 0, 0, outer.right - outer.left - client.right + width,
                     outer.bottom - outer.top - client.bottom + height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Relayout();
}

void TForm1::Relayout() {
    if (IsIconic(Handle)) return; // a minimised window keeps its layout
    RECT client;
    GetClientRect(Handle, &client);
    if (const int dw = client.right - AnchorWidth; dw != 0) {
        for (TPlaced& p : Places) {
            if (p.Design->Anchors == design::TopRight) p.Bounds.Left += dw;
            if (p.Design->Anchors == design::LeftTopRight) p.Bounds.Width += dw;
        }
        AnchorWidth = client.right;
    }
    TPlaced& status = Place("StatusBar1");
    status.Bounds = {0, client.bottom - status.Bounds.Height, client.right, status.Bounds.Height};
    FormCanResize();
    ApplyPlaces();
}

void TForm1::FormCanResize() {
    // Centres the picture on the client width now in force; the size is granted unchanged.
    RECT client;
    GetClientRect(Handle, &client);
    if (Image1) Place("Image1").Bounds.Left = CentredLeft(client.right, Image1->Width());
}

void TForm1::ScaleBy(int m, int d) {
    FontSize = ScaleValue(FontSize, m, d);
    for (TPlaced& p : Places) {
        design::TBounds& b = p.Bounds;
        b.Left = ScaleValue(b.Left, m, d);
        b.Top = ScaleValue(b.Top, m, d);
        if (p.Design->Kind != design::TKind::Image) { // the picture keeps its pixel size
            b.Width = ScaleValue(b.Width, m, d);
            b.Height = ScaleValue(b.Height, m, d);
        }
        if (p.FontHeight > 0) p.FontHeight = ScaleValue(p.FontHeight, m, d);
    }
    AnchorWidth = ScaleValue(AnchorWidth, m, d);
    MinimumWidth = ScaleValue(MinimumWidth, m, d);
    MinimumHeight = ScaleValue(MinimumHeight, m, d);
    RECT client;
    GetClientRect(Handle, &client);
    ApplyFonts();
    SetClientSize(ScaleValue(client.right, m, d), ScaleValue(client.bottom, m, d));
}

void TForm1::ApplyScaledSizes(int dpi) {
    for (std::string_view box : {"CheckBox1", "CheckBox2", "CheckBox3"}) {
        TPlaced& p = Place(box);
        p.FontHeight = FontSize;
        p.Bounds.Height = ScaleDesign(dpi, CheckBoxDesignHeight);
    }
    for (HWND bar : {TrackBar1, TrackBar2})
        SendMessageW(bar, TBM_SETTHUMBLENGTH,
                     static_cast<WPARAM>(ScaleDesign(dpi, ThumbDesignLength)), 0);
    TPlaced& status = Place("StatusBar1");
    status.FontHeight = FontSize;
    status.Bounds.Height = ScaleDesign(dpi, StatusBarDesignHeight);
    std::array<int, PanelCount> edges{};
    int right = 0;
    for (std::size_t i = 0; i < edges.size(); ++i)
        edges[i] = right += ScaleDesign(dpi, PanelDesignWidths.at(i));
    SendMessageW(StatusBar1, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    ApplyFonts();
    FitLabels();
    Relayout(); // the status bar along the bottom edge at its new height
}

void TForm1::FitLabels() {
    // The labels beside the boxes take at least their text's width, keeping their right edge.
    HDC dc = GetDC(Handle);
    for (std::string_view name :
         {"Label9", "Label10", "Label4", "Label3", "Label8", "Label11", "Label6", "Label7"}) {
        TPlaced& p = Place(name);
        HGDIOBJ old = SelectObject(dc, Font(p.FontHeight > 0 ? p.FontHeight : FontSize));
        const std::wstring text = Widen(p.Design->Text);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        const int needed = static_cast<int>(extent.cx) + 1;
        if (needed > p.Bounds.Width) {
            p.Bounds.Left += p.Bounds.Width - needed;
            p.Bounds.Width = needed;
        }
    }
    ReleaseDC(Handle, dc);
}

void TForm1::LayoutAtCreation() {
    CurrentDpi = DesignDpi;
    const UINT screenDpi = GetDpiForWindow(Handle);
    const int p = screenDpi > 0 ? static_cast<int>(screenDpi) : DesignDpi;
    ScaleBy(DesignDpi, CurrentDpi);
    ScaleBy(p, DesignDpi);
    CurrentDpi = p;
    ApplyScaledSizes(p);
}

void TForm1::WMDpiChanged(int dpi) {
    RECT outer;
    GetWindowRect(Handle, &outer);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    ScaleBy(DesignDpi, CurrentDpi);
    ScaleBy(dpi, DesignDpi);
    SetWindowPos(Handle, nullptr, 0, 0, ScaleValue(w, dpi, CurrentDpi),
                 ScaleValue(h, dpi, CurrentDpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    Place("Label5").FontHeight = FontSize;
    ApplyScaledSizes(dpi); // also the check boxes' fonts and the status bar's
    CurrentDpi = dpi;
    RedrawWindow(Handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TForm1::PaintFrames(HDC dc) const {
    // The frames: plain lowered outlines.
    for (const TPlaced& p : Places) {
        if (p.Design->Kind != design::TKind::Frame) continue;
        RECT r{p.Bounds.Left, p.Bounds.Top, p.Bounds.Left + p.Bounds.Width,
               p.Bounds.Top + p.Bounds.Height};
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    }
}

void TForm1::DrawLabel5(const DRAWITEMSTRUCT& item) const {
    // Left-aligned lines, centred vertically as a block.
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const std::wstring text = TextOf(item.hwndItem);
    const auto it = Fonts.find(FontHeightOf(item.hwndItem));
    HGDIOBJ old = it != Fonts.end() ? SelectObject(dc, it->second) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const UINT format = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
    RECT measured = area;
    const int height = DrawTextW(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    RECT shown = area;
    shown.top += (area.bottom - area.top - height) / 2;
    DrawTextW(dc, text.c_str(), -1, &shown, format);
    if (old != nullptr) SelectObject(dc, old);
}

} // namespace verrask::win
