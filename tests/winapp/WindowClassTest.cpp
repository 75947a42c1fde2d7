// The window-class template: the object receives its window's messages from WM_NCCREATE on
// (WM_CREATE included), and nothing after WM_NCDESTROY; WindowGone comes last.
#include "winapp/WindowClass.h"

#include <gtest/gtest.h>

#include <vector>

namespace verrask::win::test {
namespace {

struct TProbe {
    HWND Handle = nullptr;
    std::vector<UINT> Seen;
    bool HandleSetAtCreate = false;
    bool Gone = false;
    LRESULT Dispatch(UINT message, WPARAM w, LPARAM l) {
        Seen.push_back(message);
        if (message == WM_CREATE) HandleSetAtCreate = Handle != nullptr;
        return DefWindowProcW(Handle, message, w, l);
    }
    void WindowGone() { Gone = Handle == nullptr; }
};

TEST(WindowClass, TheObjectSeesEveryMessageFromCreationToDestructionAndNothingAfter) {
    TProbe probe;
    const HWND window = CreateWindowOf(&probe, L"VerraskProbe", {}, 0, L"probe", WS_OVERLAPPED, 0,
                                       0, 100, 100, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(probe.Handle, window);
    ASSERT_FALSE(probe.Seen.empty());
    EXPECT_EQ(probe.Seen.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_TRUE(probe.HandleSetAtCreate);

    DestroyWindow(window);
    EXPECT_EQ(probe.Seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(probe.Handle, nullptr);
    EXPECT_TRUE(probe.Gone);
    const std::size_t seen = probe.Seen.size();
    SendMessageW(window, WM_USER, 0, 0); // a window that is gone reaches nobody
    EXPECT_EQ(probe.Seen.size(), seen);

    // A second window of the class registers nothing again and works alike.
    TProbe second;
    ASSERT_NE(CreateWindowOf(&second, L"VerraskProbe", {}, 0, L"probe", WS_OVERLAPPED, 0, 0, 100,
                             100, nullptr),
              nullptr);
    DestroyWindow(second.Handle);
    EXPECT_TRUE(second.Gone);
}

} // namespace
} // namespace verrask::win::test
