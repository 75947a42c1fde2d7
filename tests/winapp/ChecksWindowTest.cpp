// The Win32 design-checks window driven by its messages: beside the main window, its controls
// showing what the presenter says (every row in view, the legend), a new density, the boxes'
// and buttons' notifications, and the search's hand-back to the window's thread without
// touching the user's model.
#include "WinTests.h"

#include "report/CheckLines.h"
#include "sheetpile/RunResult.h"
#include "winapp/resource.h"

#include <gtest/gtest.h>

#include <vector>

#include <commctrl.h>

#include <cmath>
#include <cstring>

namespace verrask::win::test {
namespace {

TChecksForm& OpenChecks(const TWindow& w) {
    SendMessageW(w->Handle, WM_COMMAND, IDM_CHECKS, 0); // the menu command
    Pump(20);
    return *w->ChecksForm();
}

int Rows(const TChecksForm& c) {
    return static_cast<int>(SendMessageW(c.Lines, LVM_GETITEMCOUNT, 0, 0));
}

std::string Cell(const TChecksForm& c, int row, int col) {
    wchar_t text[256]{};
    LVITEMW item{};
    item.iSubItem = col;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(c.Lines, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return Narrow(text);
}

} // namespace

TEST(ChecksWindow, OpensBesideTheMainWindowAndShowsThePresentersFigures) {
    TWindow w;
    w.Show();
    // The main window at its screen's left edge leaves room on its right where the screen has it.
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    GetMonitorInfoW(MonitorFromWindow(w->Handle, MONITOR_DEFAULTTONEAREST), &screen);
    SetWindowPos(w->Handle, nullptr, screen.rcWork.left, screen.rcWork.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    TChecksForm& c = OpenChecks(w);
    EXPECT_TRUE(IsWindowVisible(c.Handle));
    RECT main{}, placed{}, overlap{};
    GetWindowRect(w->Handle, &main);
    GetWindowRect(c.Handle, &placed);
    EXPECT_TRUE(placed.left >= screen.rcWork.left && placed.top >= screen.rcWork.top &&
                placed.right <= screen.rcWork.right && placed.bottom <= screen.rcWork.bottom);
    if (screen.rcWork.right - main.right >= placed.right - placed.left + 8) {
        EXPECT_FALSE(IntersectRect(&overlap, &main, &placed));
    }

    // Every settings box lies inside the window, clear of the others, and its label's text fits.
    RECT client{};
    GetClientRect(c.Handle, &client);
    std::vector<RECT> boxes;
    HDC dc = GetDC(c.Handle);
    for (HWND f : c.Fields) {
        HWND label = GetWindow(f, GW_HWNDPREV);
        const std::wstring text = TextOf(label);
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        RECT shown{};
        GetClientRect(label, &shown);
        EXPECT_LE(extent.cx, shown.right) << Narrow(text);
        RECT r{};
        GetWindowRect(f, &r);
        MapWindowPoints(nullptr, c.Handle, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.right <= client.right && r.bottom <= client.bottom);
        for (const RECT& other : boxes) EXPECT_FALSE(IntersectRect(&overlap, &r, &other));
        boxes.push_back(r);
    }
    ReleaseDC(c.Handle, dc);
    EXPECT_EQ(c.Text(c.Notice).rfind("Nothing to check yet", 0), 0u);
    EXPECT_EQ(Rows(c), 0);
    EXPECT_FALSE(IsWindowEnabled(c.FindButton));
    EXPECT_EQ(c.Text(c.Zones[2]), "Imminent heave zone");

    ASSERT_TRUE(w.RunToResults());
    EXPECT_NE(c.Text(c.Notice).find("blankets 0 (left) and 0 (right)"), std::string::npos);
    checks::TCheckSettings s;
    s.TypedWallDepth = 1;
    const auto lines =
        report::CheckLines(checks::RunDesignChecks(*sheetpile::RunResult(*w.Model, false), s), s);
    ASSERT_EQ(Rows(c), static_cast<int>(lines.size()));
    EXPECT_EQ(Cell(c, 0, 0), lines[0].Label);
    EXPECT_EQ(Cell(c, 0, 4), report::VerdictText(lines[0].Verdict));
    EXPECT_GE(SendMessageW(c.Lines, LVM_GETCOUNTPERPAGE, 0, 0), Rows(c)); // all in view
    // Grown to its rows, the window still lies on its screen's work area.
    GetWindowRect(c.Handle, &placed);
    EXPECT_TRUE(placed.top >= screen.rcWork.top && placed.bottom <= screen.rcWork.bottom);
    RECT list{}, chart{};
    GetWindowRect(c.Lines, &list);
    GetWindowRect(c.WallChart->Handle, &chart);
    EXPECT_LT(list.bottom, chart.top);
    GetClientRect(c.Handle, &client);
    MapWindowPoints(nullptr, c.Handle, reinterpret_cast<POINT*>(&chart), 2);
    EXPECT_LE(chart.bottom, client.bottom);
    EXPECT_EQ(c.Text(c.Zones[2]), "no imminent heave anywhere");
    for (const TChartView* view : {c.WallChart.get(), c.ExitChart.get()}) {
        EXPECT_FALSE(view->Chart().Series.empty());
        EXPECT_GE(view->Chart().Y.Ticks.size(), 2u);
    }
    EXPECT_TRUE(IsWindowEnabled(c.FindButton));

    // A box's text reaches the presenter; its answer reaches the box and the message.
    TWindow::Type(c.Fields[1], "-1");
    SendMessageW(c.Handle, WM_COMMAND, MAKEWPARAM(300 + 1, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(c.Fields[1]));
    EXPECT_EQ(c.Text(c.SettingsMessage).rfind("\"-1\" refused", 0), 0u);
    EXPECT_EQ(c.Text(c.Fields[1]), "");
    SendMessageW(c.CriterionBox, CB_SETCURSEL, 1, 0);
    SendMessageW(c.Handle, WM_COMMAND, MAKEWPARAM(310, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(c.CriterionBox));
    EXPECT_EQ(SendMessageW(c.CriterionBox, CB_GETCURSEL, 0, 0), 1);

    // A new density: the fonts and places scale.
    const auto at = [&c](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, c.Handle, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const RECT box96 = at(c.Fields[4]);
    const LONG font96 = FontOf(c.Fields[4]).lfHeight;
    SendMessageW(c.Handle, 0x02E0, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&placed));
    EXPECT_EQ(c.Dpi(), 144);
    EXPECT_EQ(-FontOf(c.Fields[4]).lfHeight, MulDiv(-font96, 3, 2));
    EXPECT_EQ(at(c.Fields[4]).left, MulDiv(box96.left, 3, 2));
    // Every row stays in view where the screen has room for them at this density; else the
    // window fills the height of the screen's work area and the list scrolls.
    RECT dense{};
    GetWindowRect(c.Handle, &dense);
    EXPECT_TRUE(dense.top >= screen.rcWork.top && dense.bottom <= screen.rcWork.bottom);
    if (SendMessageW(c.Lines, LVM_GETCOUNTPERPAGE, 0, 0) < Rows(c)) {
        EXPECT_GE(dense.bottom - dense.top, screen.rcWork.bottom - screen.rcWork.top - 4);
    }
    SendMessageW(c.Handle, 0x02E0, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&placed));
    EXPECT_EQ(at(c.Fields[4]).left, box96.left);
}

TEST(ChecksWindow, RunOrCancelEndsTheSearchAndASearchLeavesTheModelAlone) {
    TWindow w;
    w.Show();
    ASSERT_TRUE(w.RunToResults());
    TChecksForm& c = OpenChecks(w);

    c.FindClick();
    ASSERT_TRUE(c.Searching());
    EXPECT_TRUE(IsWindowEnabled(c.CancelButton));
    EXPECT_FALSE(IsWindowEnabled(c.Fields[0])); // settings stay as the search reads them
    TWindow::Click(w->Button1);                 // the main window stays usable
    EXPECT_EQ(c.Text(c.SearchStatus), "Search cancelled: RUN was pressed in the main window.");
    ASSERT_TRUE(PumpUntil([&] { return !c.Searching() && w->LiveWorkers() == 0; }, 120000));
    EXPECT_FALSE(c.Embedment().has_value());
    EXPECT_EQ(c.Text(c.SearchStatus), "Search cancelled: RUN was pressed in the main window.");

    c.FindClick();
    TWindow::Click(c.CancelButton);
    ASSERT_TRUE(PumpUntil([&] { return !c.Searching(); }, 120000));
    EXPECT_FALSE(c.Embedment().has_value());
    EXPECT_EQ(c.Text(c.SearchStatus), "Search cancelled.");

    const auto before = std::make_unique<sheetpile::CoarseGrid>(w.Model->HeadGrid);
    const int rows = w.Model->PileRows;
    c.FindClick();
    ASSERT_TRUE(PumpUntil([&] { return !c.Searching(); }, 300000));
    ASSERT_TRUE(c.Embedment().has_value());
    EXPECT_GT(c.Embedment()->Rows, 0);
    EXPECT_EQ(SendMessageW(c.Progress, PBM_GETPOS, 0, 0), sheetpile::BaseRow - 1);
    EXPECT_FALSE(c.EmbedChart->Chart().Series.empty());
    EXPECT_EQ(c.Text(c.SearchStatus).rfind("Shallowest passing wall", 0), 0u);
    EXPECT_EQ(w.Model->PileRows, rows);
    EXPECT_EQ(std::memcmp(before.get(), &w.Model->HeadGrid, sizeof *before), 0);
}

} // namespace verrask::win::test
