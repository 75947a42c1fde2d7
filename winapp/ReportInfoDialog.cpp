// The dialog before Export Report (see ReportInfoDialog.h): its own window class and a modal
// loop that lets the dialog manager move the focus (Tab, Enter for OK, Escape for Cancel).
#include "winapp/ReportInfoDialog.h"

#include "control/WindowDesign.h"
#include "winapp/WideText.h"
#include "winapp/WindowClass.h"

namespace verrask::win {
namespace {

constexpr wchar_t ClassName[] = L"TReportInfoForm";
constexpr int RowHeight = 28, LabelWidth = 80, NoteHeight = 100; // at 96 dpi

// A multi-line box shows and returns CR LF; the report's note keeps LF alone.
std::wstring WithCrLf(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\n') out += L'\r';
        if (c != L'\r') out += c;
    }
    return out;
}

std::string WithoutCr(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text)
        if (c != L'\r') out += c;
    return Narrow(out);
}

} // namespace

TReportInfoDialog::TReportInfoDialog(HWND owner, int dpi, const report::TReportInfo& info)
    : Owner(owner), Typed(info) {
    const auto s = [dpi](int v) { return MulDiv(v, dpi, 96); };
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    RECT frame{0, 0, s(design::ReportInfoClientWidth), s(design::ReportInfoClientHeight)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, WS_EX_DLGMODALFRAME, static_cast<UINT>(dpi));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT main{};
    GetWindowRect(owner, &main); // centred on its owner
    CreateWindowOf(this, ClassName, {}, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                   Widen(design::ReportInfoCaption).c_str(), style,
                   main.left + (main.right - main.left - width) / 2,
                   main.top + (main.bottom - main.top - height) / 2, width, height,
                   owner); // sets Handle
    Font = CreateFontW(-s(design::FontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH, Widen(design::FontFamily).c_str());
    const auto make = [&](const wchar_t* cls, const std::wstring& text, DWORD more, int x, int y,
                          int w, int h, int id = 0, DWORD ex = 0) {
        HWND c = CreateWindowExW(
            ex, cls, text.c_str(), WS_CHILD | WS_VISIBLE | more, s(x), s(y), s(w), s(h), Handle,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
        return c;
    };
    const std::string* texts[] = {&info.Project, &info.Structure, &info.Engineer, &info.Note};
    const int boxLeft = 12 + LabelWidth + 6,
              boxWidth = design::ReportInfoClientWidth - boxLeft - 12;
    for (std::size_t i = 0; i < Boxes.size(); ++i) {
        const bool lines = design::ReportInfoFields[i].MultiLine;
        const int y = 12 + RowHeight * static_cast<int>(i);
        make(L"STATIC", Widen(design::ReportInfoFields[i].Label), SS_RIGHT, 12, y + 3, LabelWidth,
             18);
        Boxes[i] = make(L"EDIT", WithCrLf(Widen(*texts[i])),
                        WS_TABSTOP | (lines ? ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL
                                            : static_cast<DWORD>(ES_AUTOHSCROLL)),
                        boxLeft, y, boxWidth, lines ? NoteHeight : 22, 0, WS_EX_CLIENTEDGE);
    }
    const int buttonsTop = design::ReportInfoClientHeight - 12 - 26;
    OkButton = make(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON,
                    design::ReportInfoClientWidth - 12 - 80 - 8 - 80, buttonsTop, 80, 26, IDOK);
    CancelButton = make(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON,
                        design::ReportInfoClientWidth - 12 - 80, buttonsTop, 80, 26, IDCANCEL);
}

TReportInfoDialog::~TReportInfoDialog() {
    if (Handle != nullptr) DestroyWindow(Handle); // clears Handle
    if (Font != nullptr) DeleteObject(Font);
}

bool TReportInfoDialog::Run() {
    if (Handle == nullptr) return false;
    Current = this;
    EnableWindow(Owner, FALSE);
    ShowWindow(Handle, SW_SHOW);
    SetFocus(Boxes[0]);
    MSG message;
    while (!Done) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) { // the program ends: hand the request on to the main loop
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        if (!IsDialogMessageW(Handle, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    EnableWindow(Owner, TRUE); // before hiding, so the owner gets the activation back
    ShowWindow(Handle, SW_HIDE);
    SetActiveWindow(Owner);
    Current = nullptr;
    return Accepted;
}

void TReportInfoDialog::Close(bool accepted) {
    if (accepted) {
        Typed.Project = Narrow(TextOf(Boxes[0]));
        Typed.Structure = Narrow(TextOf(Boxes[1]));
        Typed.Engineer = Narrow(TextOf(Boxes[2]));
        Typed.Note = WithoutCr(TextOf(Boxes[3]));
    }
    Accepted = accepted;
    Done = true;
}

LRESULT TReportInfoDialog::Dispatch(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(w) == IDOK) Close(true);
        if (LOWORD(w) == IDCANCEL) Close(false);
        return 0;
    case WM_CLOSE:
        Close(false);
        return 0;
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(w);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
        return DefWindowProcW(Handle, message, w, l);
    }
}

} // namespace verrask::win
