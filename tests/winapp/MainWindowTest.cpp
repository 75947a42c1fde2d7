// The Win32 window driven by its messages: the opened state and the design at 96 dpi, refused
// inputs, a run of the defaults with the texts of every state, the picture as painted, the
// track bars (with the nested handler), the check boxes, the probe, the picture centred after
// every run, the keyboard focus on opening and on activation, and closing during a run.
#include "../app/WindowExpectations.h"
#include "WinTests.h"

#include "control/DisplayScaling.h"
#include "control/ScrambledTexts.h"
#include "sheetpile/ModelState.h"
#include "winapp/Workers.h"
#include "winapp/resource.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <vector>

namespace verrask::win::test {
namespace {

void MoveProbe(HWND image, int x, int y, WPARAM keys = 0) {
    SendMessageW(image, WM_MOUSEMOVE, keys,
                 MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                            static_cast<WORD>(static_cast<short>(y))));
}

// A user's move of a track bar: the bar moves, then tells the window.
void Slide(const TWindow& w, HWND bar, int position) {
    SendMessageW(bar, TBM_SETPOS, TRUE, position);
    SendMessageW(w->Handle, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(bar));
}

// The text of the window's tooltip for a box, L"" when it has none.
std::wstring TipOf(const TForm1& form, HWND box) {
    wchar_t text[512] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = form.Handle;
    tool.uId = reinterpret_cast<UINT_PTR>(box);
    tool.lpszText = text;
    SendMessageW(form.Tooltip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return text;
}

std::string HeadLossText(const sheetpile::TModel& model, int x, int row) {
    const long double v = static_cast<std::uint32_t>(model.FineHeadAt(x, row));
    return " Head loss: " + std::to_string(static_cast<long long>(sheetpile::Round(v / 10000000))) +
           " %";
}

std::uint32_t AsScreen(sheetpile::TColor c) { // 0x00BBGGRR to a DIB's 0x00RRGGBB
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// Every pixel of the model's picture that the window shows (left of the status bar, inside
// the client area) is on the window's surface exactly.
void ExpectPictureShown(TWindow& w) {
    RedrawWindow(w->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT client;
    GetClientRect(w->Handle, &client);
    const int width = client.right;
    HDC dc = GetDC(w->Handle);
    const std::vector<std::uint32_t> shown = Capture(dc, 0, 0, width, client.bottom);
    ReleaseDC(w->Handle, dc);
    const sheetpile::TBitmap& picture = w.Model->ShownPicture;
    const design::TBounds image = ClientBounds(w->Image1->Handle);
    const int bottom = std::min(image.Top + picture.Height(), w->BoundsOf("StatusBar1").Top);
    int compared = 0, wrong = 0;
    for (int y = image.Top; y < bottom; ++y)
        for (int x = std::max(0, image.Left); x < std::min(width, image.Left + picture.Width());
             ++x, ++compared)
            if (shown[static_cast<std::size_t>(y * width + x)] !=
                AsScreen(picture.GetPixel(x - image.Left, y - image.Top)))
                ++wrong;
    EXPECT_EQ(wrong, 0) << "of " << compared;
    EXPECT_GT(compared, 100000);
}

} // namespace

TEST(MainWindow, OpensWithTheDesignAt96Dpi) {
    TWindow w;
    const std::wstring caption = TextOf(w->Handle);
    EXPECT_EQ(caption.size(), 66u);
    const std::wstring title = Widen(ApplicationTitle);
    EXPECT_EQ(caption.substr(caption.size() - title.size()), title);
    EXPECT_EQ(TWindow::Text(w->Label5), "");
    EXPECT_EQ(w.Panel(0), " Ready");
    for (int i = 1; i < PanelCount; ++i) EXPECT_EQ(w.Panel(i), "");
    EXPECT_TRUE(w.TuningEnabled(false));
    EXPECT_TRUE(IsWindowEnabled(w->Button1));
    EXPECT_EQ(w.Model->HeadGrid[7][0], 500000000u); // InitModel has run
    EXPECT_EQ(w->CurrentDpi, 96);
    RECT client;
    GetClientRect(w->Handle, &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 550);

    for (const design::TControlDesign* d : design::Controls) {
        SCOPED_TRACE(std::string(d->Name));
        HWND control = w->HandleOf(d->Name);
        const bool fitted = d->Kind == design::TKind::Label && d->Anchors == design::LeftTop;
        if (d->Kind == design::TKind::Frame) {
            EXPECT_EQ(w->BoundsOf(d->Name), d->Bounds);
        } else if (d->Kind == design::TKind::Image) {
            EXPECT_EQ(ClientBounds(control), (design::TBounds{-302, 302, 1204, 200}));
        } else if (fitted) { // beside the boxes: at least their text's width, same right edge
            const design::TBounds b = ClientBounds(control);
            EXPECT_EQ(b.Left + b.Width, d->Bounds.Left + d->Bounds.Width);
            EXPECT_EQ(b.Top, d->Bounds.Top);
            EXPECT_GE(b.Width, d->Bounds.Width);
        } else {
            EXPECT_EQ(ClientBounds(control), d->Bounds);
        }
        if (control != nullptr && d->Kind != design::TKind::Image &&
            d->Kind != design::TKind::StatusBar && d->Name != "Label5") {
            EXPECT_EQ(TWindow::Text(control), d->Text);
        }
    }
    for (HWND c : {w->Edit1, w->CheckBox1, w->StatusBar1, w->Label5, w->Label9}) {
        EXPECT_EQ(FontOf(c).lfHeight, -13);
        EXPECT_EQ(std::wstring(FontOf(c).lfFaceName), L"Tahoma");
    }
    EXPECT_EQ(FontOf(w->Button1).lfHeight, -17);
    for (HWND bar : {w->TrackBar1, w->TrackBar2}) {
        EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), 1);
        EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), 40);
        EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 1);
        EXPECT_EQ(SendMessageW(bar, TBM_GETTHUMBLENGTH, 0, 0), 18);
        EXPECT_TRUE(GetWindowLongPtrW(bar, GWL_STYLE) & TBS_NOTICKS);
    }
    int edges[PanelCount]{};
    ASSERT_EQ(SendMessageW(w->StatusBar1, SB_GETPARTS, PanelCount, reinterpret_cast<LPARAM>(edges)),
              PanelCount);
    for (int i = 0, left = 0; i < PanelCount; left = edges[i++])
        EXPECT_EQ(edges[i] - left, PanelDesignWidths.at(static_cast<std::size_t>(i)));

    // The menu bar from the design, with its texts and access keys; the commands that need a
    // completed run are disabled.
    wchar_t text[128];
    ASSERT_EQ(GetMenuItemCount(w->MainMenu1), static_cast<int>(design::MenuBar.size()));
    for (std::size_t i = 0; i < design::MenuBar.size(); ++i) {
        GetMenuStringW(w->MainMenu1, static_cast<UINT>(i), text, 32, MF_BYPOSITION);
        EXPECT_EQ(Narrow(text), design::MenuBar[i].Text);
        HMENU popup = GetSubMenu(w->MainMenu1, static_cast<int>(i));
        int at = 0;
        for (const design::TMenuCommandDesign& c : design::MenuCommands) {
            if (c.Menu != design::MenuBar[i].Name) continue;
            GetMenuStringW(popup, static_cast<UINT>(at), text, 32, MF_BYPOSITION);
            EXPECT_EQ(Narrow(text), c.Text);
            if (!c.Name.empty()) { // a separator line is never a command
                EXPECT_EQ((GetMenuState(popup, static_cast<UINT>(at), MF_BYPOSITION) & MF_GRAYED) !=
                              0,
                          c.NeedsRun)
                    << c.Name;
            }
            ++at;
        }
        EXPECT_EQ(GetMenuItemCount(popup), at);
    }
    EXPECT_EQ(GetMenuItemID(w->File1, 0), static_cast<UINT>(IDM_OPENINPUTS));
    EXPECT_EQ(GetMenuItemID(w->File1, 1), static_cast<UINT>(IDM_SAVEINPUTS));
    EXPECT_EQ(GetMenuItemID(w->File1, 7), static_cast<UINT>(IDM_EXIT));
    EXPECT_EQ(GetMenuItemID(w->Help1, 0), static_cast<UINT>(IDM_ABOUT));
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = w->Handle;
    tool.uId = reinterpret_cast<UINT_PTR>(w->Edit5);
    tool.lpszText = text;
    SendMessageW(w->Tooltip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(Narrow(text), design::Edit5Hint);

    // Tab order (the dialog manager skips disabled controls).
    for (HWND c : {w->TrackBar1, w->TrackBar2, w->CheckBox1, w->CheckBox2, w->CheckBox3})
        EnableWindow(c, TRUE);
    HWND at = w->HandleOf(design::TabOrder.front()->Name);
    for (std::size_t i = 1; i <= design::TabOrder.size(); ++i) {
        at = GetNextDlgTabItem(w->Handle, at, FALSE);
        EXPECT_EQ(at, w->HandleOf(design::TabOrder[i % design::TabOrder.size()]->Name)) << i;
    }
}

TEST(MainWindow, ManifestAsksForCommonControls6AndPerMonitorDensity) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                               SizeofResource(nullptr, found));
    for (const char* part :
         {"<dpiAware "
          "xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">True/PM</dpiAware>",
          ">PerMonitorV2</dpiAwareness>", "level=\"asInvoker\"",
          "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    TWindow w; // buttons of version 6 of the library know their ideal size
    SIZE ideal{};
    EXPECT_TRUE(SendMessageW(w->Button1, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
}

TEST(MainWindow, RefusesWrongInput) {
    TWindow w;
    int alerts = 0;
    for (const auto& c : verrask::test::RefusedInputs) {
        SCOPED_TRACE(std::string(c.Box) + " '" + c.Text + "'");
        HWND edit = w->HandleOf(c.Box);
        const std::string before = TWindow::Text(edit);
        TWindow::Type(edit, c.Text);
        TWindow::Click(w->Button1);
        EXPECT_EQ(w->MessageText, WrongInputText);
        EXPECT_EQ(TWindow::Text(w->Label5), WrongInputText);
        EXPECT_EQ(w.Panel(0), " Fault");
        for (int i = 1; i < PanelCount; ++i) EXPECT_EQ(w.Panel(i), "");
        EXPECT_EQ(w->Alerts, ++alerts);
        EXPECT_TRUE(IsWindowEnabled(w->Button1));
        EXPECT_TRUE(w.TuningEnabled(false));
        EXPECT_EQ(w->LiveWorkers(), 0);
        // The refused box is marked and its tooltip gives the reason; editing it clears both.
        HWND marked = w->InputBox(w->MarkedBox);
        EXPECT_EQ(marked, w->HandleOf(c.Marked));
        EXPECT_EQ(Narrow(TipOf(*w.Form, marked)), w->Control().LastRefusal);
        TWindow::Type(marked, TWindow::Text(marked));
        EXPECT_EQ(w->MarkedBox, TInputBox::None);
        EXPECT_EQ(TipOf(*w.Form, marked), marked == w->Edit5 ? Widen(design::Edit5Hint) : L"");
        TWindow::Type(edit, before);
    }
    EXPECT_FALSE(w.Model->ResultsReady);
    // An accepted RUN clears the mark as well (editing another box does not).
    TWindow::Type(w->Edit4, "1");
    TWindow::Click(w->Button1);
    EXPECT_EQ(w->MarkedBox, TInputBox::Edit3);
    TWindow::Type(w->Edit4, "0");
    EXPECT_EQ(w->MarkedBox, TInputBox::Edit3);
    TWindow::Click(w->Button1);
    EXPECT_EQ(w->MarkedBox, TInputBox::None);
    EXPECT_EQ(TipOf(*w.Form, w->Edit3), L"");
    EXPECT_TRUE(PumpUntil([&w] { return w->LiveWorkers() == 0; }, 60000));
}

TEST(MainWindow, RunsTunesProbesAndShowsThePicture) {
    TWindow w;
    w.Show();
    MoveProbe(w->Image1->Handle, 600, 100); // before the first run: nothing
    EXPECT_EQ(w.Panel(4), "");
    TWindow::Type(w->Edit1, " 2");

    TWindow::Click(w->Button1);
    EXPECT_EQ(w->MessageText, "Please wait");
    EXPECT_EQ(w.Panel(0), " Wait");
    EXPECT_FALSE(IsWindowEnabled(w->Button1));
    EXPECT_TRUE(w.TuningEnabled(false));
    EXPECT_EQ(w->Control().PendingWorkers, 2);
    w->Timer1Timer(); // a tick, as Timer1 gives it every second
    EXPECT_EQ(TWindow::Text(w->Label5), "Please wait : 1 s");
    ASSERT_TRUE(PumpUntil([&] { return w->LiveWorkers() == 0; }));

    // The same texts as on every platform.
    EXPECT_EQ(w->MessageText, verrask::test::DefaultRunMessage);
    EXPECT_EQ(TWindow::Text(w->Label5), verrask::test::DefaultRunMessage);
    for (int i = 0; i < PanelCount; ++i)
        EXPECT_EQ(w.Panel(i), verrask::test::DefaultRunPanels.at(static_cast<std::size_t>(i)));
    EXPECT_TRUE(w.TuningEnabled(true));
    EXPECT_TRUE(IsWindowEnabled(w->Button1));
    EXPECT_EQ(SendMessageW(w->TrackBar1, TBM_GETPOS, 0, 0), 10);
    EXPECT_EQ(SendMessageW(w->TrackBar2, TBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(ClientBounds(w->Image1->Handle), (design::TBounds{-302, 302, 1204, 204}));
    ExpectPictureShown(w);

    // Tune: re-renders with (Nd, Nf), by the thumb and by the keys.
    Slide(w, w->TrackBar2, 7);
    EXPECT_EQ(w.Panel(3), " Nf= 7");
    EXPECT_EQ(w.Model->DrawNf, 7u);
    SendMessageW(w->TrackBar2, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(w.Panel(3), " Nf= 8");
    // Flow Net: Round(11 x 0.5) = 6 (tie to even) moves Tune, whose nested handler renders.
    Slide(w, w->TrackBar1, 11);
    EXPECT_EQ(SendMessageW(w->TrackBar2, TBM_GETPOS, 0, 0), 6);
    EXPECT_EQ(w.Model->DrawNd, 11u);
    EXPECT_EQ(w.Model->DrawNf, 6u);
    EXPECT_EQ(w.Panel(2), " Nd: 11");
    EXPECT_EQ(w.Panel(3), " Nf: 6");
    Slide(w, w->TrackBar1, 12); // Round(6) = Nf: nothing rendered, texts kept
    EXPECT_EQ(w.Model->Nd, 12u);
    EXPECT_EQ(w.Model->DrawNd, 11u);
    EXPECT_EQ(w.Panel(2), " Nd: 11");
    Slide(w, w->TrackBar1, 14);
    EXPECT_EQ(w.Panel(2), " Nd: 14");
    EXPECT_EQ(w.Panel(3), " Nf: 7");
    ExpectPictureShown(w);

    // Check boxes: flags and a repaint with the stored counts.
    const struct {
        HWND box;
        bool sheetpile::TModel::*flag;
    } zones[] = {{w->CheckBox1, &sheetpile::TModel::ShowCriticalZone},
                 {w->CheckBox2, &sheetpile::TModel::ShowPossibleHeave},
                 {w->CheckBox3, &sheetpile::TModel::ShowImminentHeave}};
    for (const auto& z : zones) {
        TWindow::Click(z.box);
        EXPECT_EQ(SendMessageW(z.box, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_TRUE((*w.Model).*z.flag);
    }
    ExpectPictureShown(w);
    TWindow::Click(w->CheckBox1);
    EXPECT_FALSE(w.Model->ShowCriticalZone);

    // The probe: depth and head loss of fine row Y - 3.
    MoveProbe(w->Image1->Handle, 600, 4);
    EXPECT_EQ(w.Panel(4), " Depth: 0.01");
    EXPECT_EQ(w.Panel(5), HeadLossText(*w.Model, 600, 1));
    MoveProbe(w->Image1->Handle, 400, 203);
    EXPECT_EQ(w.Panel(4), " Depth: 2.00");
    EXPECT_EQ(w.Panel(5), HeadLossText(*w.Model, 400, 200));
    MoveProbe(w->Image1->Handle, 500, 3); // the structure strip
    EXPECT_EQ(w.Panel(4), " Depth: 2.00");
    // A held button reports positions beyond the picture: ignored.
    for (POINT outside : {POINT{5000, 100}, POINT{-7, 100}, POINT{400, 204}, POINT{400, 900}})
        MoveProbe(w->Image1->Handle, outside.x, outside.y, MK_LBUTTON);
    EXPECT_EQ(w.Panel(4), " Depth: 2.00");
    EXPECT_EQ(w.Panel(5), HeadLossText(*w.Model, 400, 200));

    // Refused after a run: picture and results kept, tuning off until the next run.
    TWindow::Type(w->Edit2, "5");
    TWindow::Click(w->Button1);
    EXPECT_EQ(w.Panel(0), " Fault");
    for (int i = 1; i < PanelCount; ++i) EXPECT_EQ(w.Panel(i), "");
    EXPECT_TRUE(w.TuningEnabled(false));
    ExpectPictureShown(w);
    MoveProbe(w->Image1->Handle, 600, 103);
    EXPECT_EQ(w.Panel(4), " Depth: 1.00");

    // A later run: the probe stays active while it runs.
    TWindow::Type(w->Edit2, "1.5");
    TWindow::Click(w->Button1);
    EXPECT_FALSE(IsWindowEnabled(w->Button1));
    MoveProbe(w->Image1->Handle, 600, 53);
    EXPECT_EQ(w.Panel(4), " Depth: 0.50");
    ASSERT_TRUE(PumpUntil([&] { return w->LiveWorkers() == 0; }));
    EXPECT_EQ(w.Panel(0), " Ready");
    EXPECT_TRUE(w.TuningEnabled(true));
}

TEST(MainWindow, AnchorsAndCentringFollowTheSize) {
    TWindow w;
    w.Show();
    const design::TBounds edit = ClientBounds(w->Edit1), bevel = w->BoundsOf("Bevel1");
    const design::TBounds label5 = ClientBounds(w->Label5), run = ClientBounds(w->Button1);
    RECT outer;
    GetWindowRect(w->Handle, &outer);
    SetWindowPos(w->Handle, nullptr, 0, 0, outer.right - outer.left + 101,
                 outer.bottom - outer.top + 40, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(w->Handle, &client);
    EXPECT_EQ(client.right, 701);
    EXPECT_EQ(ClientBounds(w->Edit1), edit);
    EXPECT_EQ(w->BoundsOf("Bevel1"),
              (design::TBounds{bevel.Left + 101, bevel.Top, bevel.Width, bevel.Height}));
    EXPECT_EQ(ClientBounds(w->Label5).Left, label5.Left + 101);
    EXPECT_EQ(ClientBounds(w->Button1).Width, run.Width + 101);
    EXPECT_EQ(ClientBounds(w->Image1->Handle).Left, CentredLeft(701, 1204));
    EXPECT_EQ(ClientBounds(w->StatusBar1), (design::TBounds{0, 590 - 32, 701, 32}));
    SetWindowPos(w->Handle, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(w->Handle, &client); // not below the smallest size
    EXPECT_EQ(client.right, design::MinimumClientWidth);
    EXPECT_EQ(client.bottom, design::MinimumClientHeight);
}

TEST(MainWindow, PictureIsCentredAgainAfterARunThatChangesItsWidth) {
    TWindow w;
    w.Show();
    int widths[2]{};
    for (int i = 0; i < 2; ++i) { // 4 m blankets, then none: a wide picture, then a narrower
        TWindow::Type(w->Edit6, i == 0 ? "4" : "0");
        TWindow::Type(w->Edit7, i == 0 ? "4" : "0");
        ASSERT_TRUE(w.RunToResults());
        RECT client;
        GetClientRect(w->Handle, &client);
        widths[i] = ClientBounds(w->Image1->Handle).Width;
        EXPECT_EQ(ClientBounds(w->Image1->Handle).Left, CentredLeft(client.right, widths[i])) << i;
    }
    EXPECT_GT(widths[0], widths[1]);
}

TEST(MainWindow, FocusStartsInTheFirstBoxAndComesBackWhenActivatedAgain) {
    TWindow w;
    w.Show();
    SetForegroundWindow(w->Handle);
    HWND first = w->HandleOf(design::TabOrder.front()->Name);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == first; }, 5000));
    SendMessageW(GetFocus(), WM_CHAR, L'3', 0); // typing replaces the selected text
    EXPECT_EQ(TWindow::Text(first), "3");

    SetFocus(w->Edit2);
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 80,
                                 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == other; }, 5000));
    DestroyWindow(other);
    SetActiveWindow(w->Handle);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == w->Edit2; }, 5000));
}

TEST(MainWindow, ClosingDuringARunDropsIt) {
    {
        TWindow w;
        w.Show();
        bool closed = false;
        w->OnClosed = [&] { closed = true; };
        TWindow::Click(w->Button1);
        EXPECT_EQ(w->LiveWorkers(), 2);
        SendMessageW(w->Handle, WM_COMMAND, IDM_EXIT, 0); // File > Exit
        EXPECT_TRUE(closed);
        EXPECT_FALSE(IsWindowVisible(w->Handle));
        EXPECT_TRUE(w->RunDropped());
        ASSERT_TRUE(PumpUntil([&] { return w->LiveWorkers() == 0; }));
        EXPECT_EQ(w->MessageText, "Please wait"); // dropped
        EXPECT_EQ(w.Panel(0), " Wait");
        EXPECT_FALSE(w.Model->ResultsReady);
    }
    {
        TWindow w; // destroyed at once during a run: no completion reaches it
        TWindow::Click(w->Button1);
        EXPECT_EQ(w->LiveWorkers(), 2);
    }
    {
        TWindow w; // closed by its close button with no run in progress: nothing dropped
        w.Show();
        SendMessageW(w->Handle, WM_CLOSE, 0, 0);
        EXPECT_TRUE(w->Closed());
        EXPECT_FALSE(w->RunDropped());
    }
}

TEST(MainWindow, ProgramEndsPromptlyWhenClosedDuringARun) {
    // That input's solve takes over a second; the program must not wait for it.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, &inherit, 0));
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = write;
    start.hStdError = write;
    PROCESS_INFORMATION process{};
    std::wstring command = Widen(CLOSE_DURING_RUN);
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &start, &process));
    CloseHandle(write);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    const unsigned long long ended = GetTickCount64();
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    std::string out;
    char buffer[256];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
    CloseHandle(read);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, 0u);
    EXPECT_NE(out.find("workers running at close: 2"), std::string::npos) << out;
    const std::size_t at = out.find("closed at: ");
    ASSERT_NE(at, std::string::npos) << out;
    const unsigned long long closed = std::stoull(out.substr(at + 11));
    std::printf("from the close to the end of the process: %llu ms\n", ended - closed);
    EXPECT_LT(ended - closed, 500u);
}

TEST(Workers, ComputeInExtendedPrecision) {
    // The main thread and std::thread start with 64 bits; a thread of CreateThread with 53,
    // which UseExtendedPrecision mends.
    EXPECT_EQ(X87PrecisionBits(), 64);
    int bits = 0;
    std::thread([&] { bits = X87PrecisionBits(); }).join();
    EXPECT_EQ(bits, 64);
    static int before, after;
    static bool extended;
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            before = X87PrecisionBits();
            UseExtendedPrecision();
            after = X87PrecisionBits();
            volatile long double one = 1, tiny = LDBL_EPSILON; // 2^-63
            extended = one + tiny != one;
            return 0;
        },
        nullptr, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    std::printf("a CreateThread thread starts with %d bits\n", before);
    EXPECT_EQ(after, 64);
    EXPECT_TRUE(extended);
}

} // namespace verrask::win::test
