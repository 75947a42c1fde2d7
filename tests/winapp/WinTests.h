// Shared helpers of the Win32 window's tests: a fresh model and Form1 per test, the message
// pump, typing into a box, pressing RUN and waiting for the completion, reading status panels,
// answering the report details dialog.
#pragma once

#include "winapp/MainUnit.h"
#include "winapp/ReportInfoDialog.h"
#include "winapp/WideText.h"

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace verrask::win::test {

// Dispatches the thread's messages for about the given time, or until done() holds.
template <typename Done> bool PumpUntil(Done done, int timeoutMs = 60000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}
// Answers the report details dialog once it runs (modally, inside the command that opens it):
// `act` gets it on the window's thread, from a timer of the dialog's own message loop.
inline std::function<void(TReportInfoDialog&)> DetailsAnswer;
inline void CALLBACK AnswerDetailsNow(HWND, UINT, UINT_PTR id, DWORD) {
    if (TReportInfoDialog::Current == nullptr) return;
    KillTimer(nullptr, id);
    const auto act = std::move(DetailsAnswer);
    act(*TReportInfoDialog::Current);
}
inline void AnswerDetails(std::function<void(TReportInfoDialog&)> act) {
    DetailsAnswer = std::move(act);
    SetTimer(nullptr, 0, 10, &AnswerDetailsNow);
}
inline void AcceptDetails() {
    AnswerDetails([](TReportInfoDialog& d) { SendMessageW(d.OkButton, BM_CLICK, 0, 0); });
}

inline void Pump(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    PumpUntil([&] { return std::chrono::steady_clock::now() > end; }, ms + 1000);
}

// A control's place in its parent's client area.
inline design::TBounds ClientBounds(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

inline LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

// The pixels of a rectangle of a device context (a window's surface as painted), 0x00RRGGBB.
inline std::vector<std::uint32_t> Capture(HDC source, int x, int y, int width, int height) {
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(p, p + width * height);
    for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

struct TWindow {
    std::unique_ptr<sheetpile::TModel> Model = std::make_unique<sheetpile::TModel>();
    std::unique_ptr<TForm1> Form = std::make_unique<TForm1>(*Model);
    ~TWindow() { Form.reset(); } // waits for live workers before the model goes

    TForm1* operator->() const { return Form.get(); }
    void Show() const {
        ShowWindow(Form->Handle, SW_SHOWNORMAL);
        UpdateWindow(Form->Handle);
        Pump(50);
    }
    std::string Panel(int index) const {
        wchar_t text[256]{};
        const auto length = LOWORD(
            SendMessageW(Form->StatusBar1, SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0));
        if (length >= 256) return "(too long)";
        SendMessageW(Form->StatusBar1, SB_GETTEXTW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text));
        return Narrow(text);
    }
    static std::string Text(HWND control) { return Narrow(TextOf(control)); }
    // Replaces a box's text, as the user's typing leaves it.
    static void Type(HWND edit, const std::string& text) {
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
    static void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
    bool TuningEnabled(bool enabled) const {
        for (HWND c :
             {Form->TrackBar1, Form->TrackBar2, Form->CheckBox1, Form->CheckBox2, Form->CheckBox3})
            if ((IsWindowEnabled(c) != FALSE) != enabled) return false;
        return true;
    }
    // RUN and the wait for both completions; false if refused or not completed.
    bool RunToResults(int timeoutMs = 60000) {
        Click(Form->Button1);
        if (IsWindowEnabled(Form->Button1)) return false;
        return PumpUntil([this] { return Form->LiveWorkers() == 0; }, timeoutMs);
    }
};

} // namespace verrask::win::test
