// The Win32 design-checks window driven by its messages: nothing to check before a run, the
// run's figures and diagrams after it, a refused setting that changes nothing, a search that a
// RUN or Cancel ends, and a search that completes without touching the user's model.
#include "WinTests.h"

#include "report/CheckLines.h"
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

TEST(ChecksWindow, ShowsTheLastRunsFiguresAndRefusesBadSettings) {
    TWindow w;
    w.Show();
    TChecksForm& c = OpenChecks(w);
    EXPECT_TRUE(IsWindowVisible(c.Handle));
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
        for (const RECT& other : boxes) {
            RECT overlap{};
            EXPECT_FALSE(IntersectRect(&overlap, &r, &other));
        }
        boxes.push_back(r);
    }
    ReleaseDC(c.Handle, dc);
    EXPECT_EQ(c.Text(c.Notice).rfind("Nothing to check yet", 0), 0u);
    EXPECT_EQ(Rows(c), 0);
    EXPECT_FALSE(IsWindowEnabled(c.FindButton));

    ASSERT_TRUE(w.RunToResults());
    EXPECT_EQ(c.Text(c.Notice).rfind("Figures of the last completed run", 0), 0u);
    checks::TCheckSettings s;
    s.TypedWallDepth = 1;
    const auto lines = report::CheckLines(checks::RunDesignChecks(*w.Model, s), s);
    ASSERT_EQ(Rows(c), static_cast<int>(lines.size()));
    EXPECT_EQ(Cell(c, 0, 0), lines[0].Label);
    EXPECT_EQ(Cell(c, 0, 4), report::VerdictText(lines[0].Verdict));
    for (const TChartView* chart : {c.WallChart.get(), c.ExitChart.get()}) {
        EXPECT_FALSE(chart->Chart().Series.empty());
        EXPECT_NE(chart->Chart().X.Title.find('('), std::string::npos); // with its unit
        EXPECT_GE(chart->Chart().Y.Ticks.size(), 2u);
    }
    EXPECT_TRUE(IsWindowEnabled(c.FindButton));

    // Tailwater (the second field): a negative depth is refused on the field.
    TWindow::Type(c.Fields[1], "-1");
    c.FieldEdited(1);
    EXPECT_NE(c.Text(c.SettingsMessage).find("\"-1\" refused"), std::string::npos);
    EXPECT_TRUE(std::isnan(c.Settings().Tailwater)); // still from H2
    EXPECT_EQ(c.Text(c.Fields[1]),
              report::SettingText(c.Settings(), report::TSettingField::Tailwater));
    TWindow::Type(c.Fields[1], "abc");
    c.FieldEdited(1);
    EXPECT_TRUE(std::isnan(c.Settings().Tailwater));

    TWindow::Type(c.Fields[6], "2"); // the Terzaghi prism's target FS
    c.FieldEdited(6);
    EXPECT_EQ(c.Text(c.SettingsMessage), "");
    EXPECT_EQ(c.Settings().TargetTerzaghi, 2);
    s.TargetTerzaghi = 2;
    const auto stricter = report::CheckLines(checks::RunDesignChecks(*w.Model, s), s);
    for (std::size_t i = 0; i < stricter.size(); ++i)
        EXPECT_EQ(Cell(c, static_cast<int>(i), 3), stricter[i].Required);
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
