// The About box: creation sequence, icons, drag, click on the maker's label, closing.
#include "winapp/AboutU.h"

#include "control/DisplayScaling.h"
#include "control/ScrambledTexts.h"
#include "winapp/WideText.h"
#include "winapp/WindowClass.h"

#include <shellapi.h>

#include <algorithm>

namespace verrask::win {
namespace {

constexpr wchar_t ClassName[] = L"TAboutForm";
constexpr WPARAM DragCommand = 0xF012; // SC_MOVE | HTCAPTION

COLORREF ToColorRef(std::uint32_t colour) {
    return static_cast<COLORREF>(colour); // both 0x00BBGGRR
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::wstring ReadmePath() {
    std::wstring program(MAX_PATH, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    std::wstring folder = program.substr(0, program.find_last_of(L"\\/") + 1);
    for (int up = 0; up <= 5; ++up) {
        if (FileExists(folder + L"README.md")) {
            std::wstring full(MAX_PATH, L'\0');
            full.resize(
                GetFullPathNameW((folder + L"README.md").c_str(), MAX_PATH, full.data(), nullptr));
            return full;
        }
        folder += L"..\\";
    }
    return {};
}

TAboutForm::TAboutForm(HWND owner) {
    AboutFormInst = this;
    // A dialog's border, no title text, on top of other windows.
    CreateWindowOf(this, ClassName, {}, WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, L"",
                   WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 100, owner); // sets Handle
    for (int i = 0; i < 3; ++i) {
        const DWORD notify = i == 1 ? SS_NOTIFY : 0; // only the maker's label takes clicks
        HWND label =
            CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX | notify, 0, 0,
                            0, 0, Handle, nullptr, GetModuleHandleW(nullptr), nullptr);
        (i == 0 ? Label1 : i == 1 ? Label2 : Label3) = label;
    }
    FormCreate();
}

TAboutForm::~TAboutForm() {
    if (AppIcon != nullptr) DestroyIcon(AppIcon);
    if (MakerIcon != nullptr) DestroyIcon(MakerIcon);
    if (Font != nullptr) DeleteObject(Font);
    AboutFormInst = nullptr;
}

HWND TAboutForm::LabelHandle(int index) const {
    return index == 0 ? Label1 : index == 1 ? Label2 : Label3;
}

void TAboutForm::FormCreate() {
    using namespace design::about;
    SetWindowTextW(Handle, L"");
    SetWindowTextW(Label1, FromUtf16(AboutLabel1Text()).c_str());
    SetWindowTextW(Label2, FromUtf16(AboutLabel2Text()).c_str());
    SetWindowTextW(Label3, FromUtf16(AboutLabel3Text()).c_str());
    Labels[0] = {LabelLeft, Label1Top, 0, 0};
    Labels[1] = {LabelLeft, Label2Top, 0, 0};
    Labels[2] = {LabelLeft, Label3Top, 0, 0};
    FitLabels();
    Labels[1].Top = 2 * Labels[0].Top + Labels[0].Height;
    Labels[2].Top = 2 * Labels[0].Top + Labels[1].Top + Labels[1].Height;
    ClientWidth = ClientHeight = 6 * Labels[0].Top;
    ScaleBy(AboutDpi, DesignDpi);
    ClientWidth += std::max({Labels[0].Width, Labels[1].Width, Labels[2].Width});
    ClientHeight += Labels[0].Height + Labels[1].Height + Labels[2].Height;
    SetClientSize(ClientWidth, ClientHeight);
    IconSize = AboutIconSize(AboutDpi);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    AppIcon = static_cast<HICON>(
        LoadImageW(instance, Widen(AppIconName).c_str(), IMAGE_ICON, IconSize, IconSize, 0));
    MakerIcon = static_cast<HICON>(
        LoadImageW(instance, Widen(MakerIconName).c_str(), IMAGE_ICON, IconSize, IconSize, 0));
}

void TAboutForm::FitLabels() {
    if (Font != nullptr) DeleteObject(Font);
    Font = CreateFontW(-FontSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, Widen(design::FontFamily).c_str());
    HDC dc = GetDC(Handle);
    HGDIOBJ old = SelectObject(dc, Font);
    for (int i = 0; i < 3; ++i) {
        HWND label = LabelHandle(i);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
        const std::wstring text = TextOf(label);
        RECT r{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX);
        Labels[i].Width = r.right;
        Labels[i].Height = r.bottom;
        SetWindowPos(label, nullptr, Labels[i].Left, Labels[i].Top, Labels[i].Width,
                     Labels[i].Height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SelectObject(dc, old);
    ReleaseDC(Handle, dc);
}

void TAboutForm::ScaleBy(int m, int d) {
    FontSize = ScaleValue(FontSize, m, d);
    for (design::TBounds& b : Labels) {
        b.Left = ScaleValue(b.Left, m, d);
        b.Top = ScaleValue(b.Top, m, d);
    }
    FitLabels(); // the labels fit their text in the scaled font
    ClientWidth = ScaleValue(ClientWidth, m, d);
    ClientHeight = ScaleValue(ClientHeight, m, d);
}

void TAboutForm::SetClientSize(int width, int height) {
    RECT outer, client; // the frame as it is, measured
    GetWindowRect(Handle, &outer);
    GetClientRect(Handle, &client);
    SetWindowPos(Handle, nullptr, 0, 0, outer.right - outer.left - client.right + width,
                 outer.bottom - outer.top - client.bottom + height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TAboutForm::IconLeft() const {
    return AboutIconLeft(AboutDpi);
}

void TAboutForm::Label2Click() {
    const std::wstring readme = ReadmePath();
    if (readme.empty()) return;
    if (OpenDocument)
        OpenDocument(readme);
    else
        ShellExecuteW(Handle, L"open", readme.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT TAboutForm::Dispatch(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_PAINT: { // FormPaint
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle, &ps);
        const int x = IconLeft();
        if (AppIcon != nullptr)
            DrawIconEx(dc, x, Labels[0].Top, AppIcon, IconSize, IconSize, 0, nullptr, DI_NORMAL);
        if (MakerIcon != nullptr)
            DrawIconEx(dc, x, Labels[1].Top, MakerIcon, IconSize, IconSize, 0, nullptr, DI_NORMAL);
        EndPaint(Handle, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN: // FormMouseDown: the left button drags the box
        ReleaseCapture();
        SendMessageW(Handle, WM_SYSCOMMAND, DragCommand, 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(w) != WA_INACTIVE)
            WasActive = true;
        else if (WasActive)
            PostMessageW(Handle, WM_CLOSE, 0, 0);
        return DefWindowProcW(Handle, message, w, l);
    case WM_CLOSE:
        DestroyWindow(Handle);
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(l) == Label2 && HIWORD(w) == STN_CLICKED) Label2Click();
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(w) == Label2) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        return DefWindowProcW(Handle, message, w, l);
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(w);
        const auto label = reinterpret_cast<HWND>(l);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        if (label == Label2) SetTextColor(dc, ToColorRef(design::about::Label2Colour));
        if (label == Label3) SetTextColor(dc, ToColorRef(design::about::Label3Colour));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
        return DefWindowProcW(Handle, message, w, l);
    }
}

} // namespace verrask::win
