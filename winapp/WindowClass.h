// One window class per kind of window: registered once, with a window procedure that hands every
// message to the object the window was created for.
//
// Assumes: T has a public member `HWND Handle` and a public `LRESULT Dispatch(UINT, WPARAM,
// LPARAM)` that ends in DefWindowProcW for what it does not handle; the window is created by
// CreateWindowOf with the object as its creation parameter.
//
// Holds: the object is stored at WM_NCCREATE, so it receives every message from WM_NCCREATE
// on (WM_CREATE included) and Handle is set before CreateWindowExW returns; at WM_NCDESTROY the
// object gets the message, then the window forgets it and Handle is cleared, so nothing reaches
// an object after its window is gone. A T with a `void WindowGone()` (a window that owns its
// object, such as a modeless box that frees itself) has it called last, after Handle is cleared.
#pragma once

#include <windows.h>

namespace verrask::win {

struct TClassLook {
    const wchar_t* Cursor = IDC_ARROW;
    int Background = COLOR_BTNFACE; // a system colour; -1 for none (the window paints it all)
    bool MainIcon = false;          // the program's icon in the caption and the task bar
    UINT Style = 0;                 // CS_ flags
};

template <class T>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        created->Handle = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, w, l);
    if (message != WM_NCDESTROY) return self->Dispatch(message, w, l);
    const LRESULT result = self->Dispatch(message, w, l);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->Handle = nullptr;
    if constexpr (requires { self->WindowGone(); }) self->WindowGone(); // may delete self
    return result;
}

// Registers T's class under `name` the first time it is called for T; later calls do nothing.
template <class T> void RegisterWindowClass(const wchar_t* name, const TClassLook& look = {}) {
    static const bool registered = [&] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = look.Style;
        wc.lpfnWndProc = &ObjectWindowProc<T>;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, look.Cursor);
        wc.hbrBackground = look.Background < 0 ? nullptr : GetSysColorBrush(look.Background);
        if (look.MainIcon)
            wc.hIcon = static_cast<HICON>(
                LoadImageW(wc.hInstance, L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
        wc.lpszClassName = name;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

// Creates a window of T's class (registered first) for `self`; returns its handle, also stored
// in self->Handle, or nullptr when the system refuses.
template <class T>
HWND CreateWindowOf(T* self, const wchar_t* className, const TClassLook& look, DWORD exStyle,
                    const wchar_t* caption, DWORD style, int x, int y, int width, int height,
                    HWND parent, HMENU menu = nullptr) {
    RegisterWindowClass<T>(className, look);
    return CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent, menu,
                           GetModuleHandleW(nullptr), self);
}

} // namespace verrask::win
