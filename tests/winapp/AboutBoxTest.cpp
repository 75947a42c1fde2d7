// The Win32 About box: its texts, layout and painted icons at 96, 120 and 144 dpi, closing when
// it loses activation and reopening afresh, the maker's label, the right button.
#include "WinTests.h"

#include "control/DisplayScaling.h"
#include "control/ScrambledTexts.h"
#include "winapp/AboutU.h"
#include "winapp/resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace verrask::win::test {
namespace {

TAboutForm* OpenAbout(const TWindow& w) {
    SendMessageW(w->Handle, WM_COMMAND, IDM_ABOUT, 0); // Help > Info
    Pump(50);
    return AboutFormInst;
}

void CloseAbout() {
    if (AboutFormInst != nullptr) SendMessageW(AboutFormInst->Handle, WM_CLOSE, 0, 0);
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    GetIconInfo(icon, &info);
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

// An icon drawn alone on the button face.
std::vector<std::uint32_t> IconOnFace(HICON icon, int size) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, size, size};
    FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    std::vector<std::uint32_t> pixels = Capture(memory, 0, 0, size, size);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

} // namespace

TEST(AboutBox, OpensWithItsTextsLayoutAndIconsAt96) {
    TWindow w;
    w.Show();
    ASSERT_EQ(AboutFormInst, nullptr);
    TAboutForm* box = OpenAbout(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(AboutDpi, 96);
    EXPECT_TRUE(IsWindowVisible(box->Handle));
    EXPECT_TRUE(GetWindowLongPtrW(box->Handle, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(box->Handle, GW_OWNER), w->Handle);
    EXPECT_EQ(TextOf(box->Handle), L"");
    EXPECT_EQ(TextOf(box->Label1), FromUtf16(AboutLabel1Text()));
    EXPECT_EQ(TextOf(box->Label2), FromUtf16(AboutLabel2Text()));
    EXPECT_EQ(TextOf(box->Label3), FromUtf16(AboutLabel3Text()));
    EXPECT_EQ(box->FontHeight(), 16);
    const design::TBounds l1 = ClientBounds(box->Label1), l2 = ClientBounds(box->Label2),
                          l3 = ClientBounds(box->Label3);
    for (const design::TBounds& l : {l1, l2, l3}) EXPECT_EQ(l.Left, 64);
    EXPECT_EQ(l1.Top, 16);
    EXPECT_EQ(l2.Top, 2 * 16 + l1.Height);
    EXPECT_EQ(l3.Top, 2 * 16 + l2.Top + l2.Height);
    RECT client;
    GetClientRect(box->Handle, &client);
    EXPECT_EQ(client.right, 96 + std::max({l1.Width, l2.Width, l3.Width}));
    EXPECT_EQ(client.bottom, 96 + l1.Height + l2.Height + l3.Height);
    EXPECT_EQ(IconSize(box->AppIcon).cx, 32);
    EXPECT_EQ(IconSize(box->MakerIcon).cy, 32);
    EXPECT_EQ(box->IconLeft(), 16);
    // Centred on the main window.
    RECT main, about;
    GetWindowRect(w->Handle, &main);
    GetWindowRect(box->Handle, &about);
    EXPECT_LE(std::abs((main.left + main.right) - (about.left + about.right)), 2);
    EXPECT_LE(std::abs((main.top + main.bottom) - (about.top + about.bottom)), 2);
    // The icons as painted beside Label1 and Label2.
    RedrawWindow(box->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(box->Handle);
    EXPECT_EQ(Capture(dc, 16, l1.Top, 32, 32), IconOnFace(box->AppIcon, 32));
    EXPECT_EQ(Capture(dc, 16, l2.Top, 32, 32), IconOnFace(box->MakerIcon, 32));
    ReleaseDC(box->Handle, dc);
    EXPECT_EQ(OpenAbout(w), box); // a second Info shows the same box
    CloseAbout();
    EXPECT_EQ(AboutFormInst, nullptr);
}

TEST(AboutBox, FollowsTheWindowsDensity) {
    TWindow w;
    for (int dpi : {120, 144}) {
        SCOPED_TRACE(dpi);
        w->WMDpiChanged(dpi);
        TAboutForm* box = OpenAbout(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(AboutDpi, dpi);
        const int size = dpi == 120 ? 40 : 48, left = dpi == 120 ? 20 : 24;
        EXPECT_EQ(IconSize(box->AppIcon).cx, size);
        EXPECT_EQ(IconSize(box->MakerIcon).cx, size);
        EXPECT_EQ(box->IconLeft(), left);
        const design::TBounds l1 = ClientBounds(box->Label1);
        EXPECT_EQ(l1.Left, dpi == 120 ? 80 : 96);
        EXPECT_EQ(l1.Top, dpi == 120 ? 20 : 24);
        EXPECT_EQ(box->FontHeight(), dpi == 120 ? 20 : 24);
        CloseAbout();
    }
}

TEST(AboutBox, ClosesWhenDeactivatedAndReopensAfresh) {
    TWindow w;
    w.Show();
    ASSERT_NE(OpenAbout(w), nullptr);
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == AboutFormInst->Handle; }, 5000));
    SetActiveWindow(w->Handle); // a click outside the box
    ASSERT_TRUE(PumpUntil([] { return AboutFormInst == nullptr; }, 5000));
    // The window manager's own focus change may follow late: let it settle first.
    PumpUntil([&] { return GetActiveWindow() == w->Handle; }, 2000);
    Pump(300);
    w->WMDpiChanged(120);
    TAboutForm* again = OpenAbout(w);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(IconSize(again->AppIcon).cx, 40); // built afresh at the density now in force
    CloseAbout();
}

TEST(AboutBox, MakersLabelOpensTheReadmeAndTheRightButtonDoesNothing) {
    TWindow w;
    TAboutForm* box = OpenAbout(w);
    ASSERT_NE(box, nullptr);
    std::vector<std::wstring> opened;
    OpenDocument = [&](const std::wstring& path) { opened.push_back(path); };
    RECT before;
    GetWindowRect(box->Handle, &before);
    SendMessageW(box->Label2, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(box->Label2, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    OpenDocument = nullptr;
    const std::wstring readme = ReadmePath();
    EXPECT_FALSE(readme.empty()); // the source tree's, above the build folder
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.front(), readme);
    SendMessageW(box->Handle, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
    SendMessageW(box->Handle, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(40, 30));
    SendMessageW(box->Handle, WM_RBUTTONUP, 0, MAKELPARAM(40, 30));
    RECT after;
    GetWindowRect(box->Handle, &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(AboutFormInst, box);
    CloseAbout();
}

} // namespace verrask::win::test
