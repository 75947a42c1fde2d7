// Display scaling of the Win32 window: message 0x02E0 to 120 and 144 dpi and back, and the
// same density again. Wine never sends that message by itself: the test sends it as Windows
// does when the window moves to a monitor of another density.
#include "WinTests.h"

#include "control/DisplayScaling.h"

#include <gtest/gtest.h>

namespace verrask::win::test {
namespace {

void SendDpiChanged(const TWindow& w, int dpi) {
    RECT suggested{0, 0, 10, 10}; // carried by the message, not used
    SendMessageW(w->Handle, 0x02E0, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

SIZE OuterSize(const TWindow& w) {
    RECT r;
    GetWindowRect(w->Handle, &r);
    return {r.right - r.left, r.bottom - r.top};
}

int FontHeight(HWND control) {
    return -FontOf(control).lfHeight;
}

// The sizes set explicitly for a density, as the controls hold them.
void ExpectScaledSizes(const TWindow& w, int dpi) {
    SCOPED_TRACE(dpi);
    const int font = w->WindowFontHeight();
    for (HWND box : {w->CheckBox1, w->CheckBox2, w->CheckBox3}) {
        EXPECT_EQ(ClientBounds(box).Height, ScaleDesign(dpi, 18));
        EXPECT_EQ(FontHeight(box), font);
    }
    for (HWND bar : {w->TrackBar1, w->TrackBar2})
        EXPECT_EQ(SendMessageW(bar, TBM_GETTHUMBLENGTH, 0, 0), ScaleDesign(dpi, 18));
    RECT client;
    GetClientRect(w->Handle, &client);
    const design::TBounds status = ClientBounds(w->StatusBar1);
    EXPECT_EQ(status.Height, ScaleDesign(dpi, 32));
    EXPECT_EQ(status.Top + status.Height, client.bottom);
    EXPECT_EQ(FontHeight(w->StatusBar1), font);
    EXPECT_EQ(FontHeight(w->Label5), font);
    int edges[PanelCount]{};
    SendMessageW(w->StatusBar1, SB_GETPARTS, PanelCount, reinterpret_cast<LPARAM>(edges));
    for (int i = 0, left = 0; i < PanelCount; left = edges[i++])
        EXPECT_EQ(edges[i] - left, ScaleDesign(dpi, PanelDesignWidths.at(std::size_t(i))));
}

void ExpectDesign(const TWindow& w, SIZE size) {
    EXPECT_EQ(w->CurrentDpi, 96);
    EXPECT_EQ(w->WindowFontHeight(), 13);
    EXPECT_EQ(FontHeight(w->Button1), 17);
    EXPECT_EQ(ClientBounds(w->Edit1), design::Edit1.Bounds);
    EXPECT_EQ(ClientBounds(w->TrackBar1), design::TrackBar1.Bounds);
    EXPECT_EQ(ClientBounds(w->Image1->Handle).Top, 302);
    EXPECT_EQ(ClientBounds(w->Image1->Handle).Width, 1204);
    const SIZE now = OuterSize(w);
    EXPECT_EQ(now.cx, size.cx);
    EXPECT_EQ(now.cy, size.cy);
    ExpectScaledSizes(w, 96);
}

} // namespace

TEST(Scaling, To144AndBack) {
    TWindow w;
    const SIZE before = OuterSize(w);
    SendDpiChanged(w, 144);
    EXPECT_EQ(w->CurrentDpi, 144);
    const SIZE scaled = OuterSize(w);
    EXPECT_EQ(scaled.cx, ScaleValue(before.cx, 144, 96));
    EXPECT_EQ(scaled.cy, ScaleValue(before.cy, 144, 96));
    EXPECT_EQ(w->WindowFontHeight(), 20);                                   // 19.5 to the even 20
    EXPECT_EQ(FontHeight(w->Button1), 26);                                  // 25.5
    EXPECT_EQ(ClientBounds(w->Edit1), (design::TBounds{252, 178, 94, 36})); // 178.5, 94.5
    // Anchored to the right edge: the client width is the outer width scaled less a frame that
    // Wine does not scale.
    RECT client;
    GetClientRect(w->Handle, &client);
    EXPECT_EQ(ClientBounds(w->TrackBar1), (design::TBounds{636 + client.right - 900, 27, 231, 34}));
    const design::TBounds image = ClientBounds(w->Image1->Handle);
    EXPECT_EQ(image.Top, 453);
    EXPECT_EQ(image.Width, 1204); // the picture is never scaled
    MINMAXINFO limits{};
    SendMessageW(w->Handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x - scaled.cx + client.right, 900); // as a client area
    EXPECT_EQ(limits.ptMinTrackSize.y - scaled.cy + client.bottom, 524);
    ExpectScaledSizes(w, 144);
    SendDpiChanged(w, 96);
    ExpectDesign(w, before);
}

TEST(Scaling, To120AndBackAndTheSameDensityAgain) {
    TWindow w;
    const SIZE before = OuterSize(w);
    SendDpiChanged(w, 120);
    EXPECT_EQ(w->CurrentDpi, 120);
    EXPECT_EQ(w->WindowFontHeight(), 16); // 16.25
    EXPECT_EQ(ClientBounds(w->Edit1), (design::TBounds{210, 149, 79, 30}));
    ExpectScaledSizes(w, 120);
    SendDpiChanged(w, 96);
    ExpectDesign(w, before);
    SendDpiChanged(w, 96); // resizes the window to its own size, re-applies the same sizes
    ExpectDesign(w, before);
}

} // namespace verrask::win::test
