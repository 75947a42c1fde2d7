// The design-checks presenter against a fake view: settings taken by value with their refusals,
// the search's answer and when it is dropped, Cancel and RUN ending a search, the cancelled
// message's lifetime, the zone legend, and the placement beside the main window.
#include "control/ChecksControl.h"
#include "control/WindowPlacement.h"
#include "report/EmbedmentText.h"
#include "tests/checks/CheckFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace verrask::test {
namespace {

using checks::testing::HalfDepthRun;
using checks::testing::Rescaled;

// Shows what the presenter says; posted tasks wait in a queue until the test runs them.
struct TFakeView final : TChecksView {
    std::string Notice, Message, Status;
    std::vector<std::string> Statuses; // every search status shown, in order
    std::array<std::string, report::SettingFields.size()> Fields;
    std::size_t Criterion = 99;
    std::vector<report::TCheckLine> Lines;
    std::optional<report::TChart> Wall, Exit, Embedment;
    std::array<report::TZoneNote, 3> Zones{};
    int Position = -1, Maximum = -1;
    std::vector<int> Positions; // every position shown, in order
    bool FindOn = false, CancelOn = false, SettingsOn = false;

    std::mutex Lock;
    std::condition_variable Posted;
    std::deque<std::function<void()>> Queue;

    void ShowNotice(const std::string& t) override { Notice = t; }
    void ShowField(std::size_t i, const std::string& t) override { Fields.at(i) = t; }
    void ShowCriterion(std::size_t i) override { Criterion = i; }
    void ShowSettingsMessage(const std::string& t) override { Message = t; }
    void ShowLines(const std::vector<report::TCheckLine>& l) override { Lines = l; }
    void ShowRunCharts(const std::optional<report::TChart>& w,
                       const std::optional<report::TChart>& e) override {
        Wall = w;
        Exit = e;
    }
    void ShowEmbedmentChart(const std::optional<report::TChart>& c) override { Embedment = c; }
    void ShowZones(const std::array<report::TZoneNote, 3>& z) override { Zones = z; }
    void ShowProgress(int position, int maximum) override {
        Position = position;
        Maximum = maximum;
        Positions.push_back(position);
    }
    void ShowSearchStatus(const std::string& t) override {
        Status = t;
        Statuses.push_back(t);
    }
    void EnableControls(bool find, bool cancel, bool settings) override {
        FindOn = find;
        CancelOn = cancel;
        SettingsOn = settings;
    }
    void Post(std::function<void()> task) override {
        {
            std::lock_guard lock(Lock);
            Queue.push_back(std::move(task));
        }
        Posted.notify_one();
    }

    // Waits for `count` tasks to be queued, running none.
    bool WaitForPosts(std::size_t count) {
        std::unique_lock lock(Lock);
        return Posted.wait_for(lock, std::chrono::minutes(5),
                               [&] { return Queue.size() >= count; });
    }
    // Runs posted tasks as they come until `done` holds; false after five minutes.
    template <class F> bool PumpUntil(F done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(5);
        while (!done()) {
            std::function<void()> task;
            {
                std::unique_lock lock(Lock);
                if (!Posted.wait_until(lock, end, [&] { return !Queue.empty(); })) return false;
                task = std::move(Queue.front());
                Queue.pop_front();
            }
            task();
        }
        return true;
    }
};

struct TChecks {
    TFakeView View;
    TChecksControl Control{View};
    TChecks() { Control.Attach(); }
    void Run(const sheetpile::TModel& m = HalfDepthRun()) {
        Control.RunStarted();
        Control.RunCompleted(m, TInputTexts{}); // the defaults: D 2, d 1, H1 1, H2 0
    }
    bool Search() {
        Control.Find();
        return View.PumpUntil([this] { return !Control.Searching(); });
    }
};

constexpr std::size_t GammaW = 0, FactorDst = 2, TargetTerzaghi = 6;

TEST(ChecksControl, SettingsAreTakenByValueAndARefusalChangesNothing) {
    TChecks c;
    EXPECT_EQ(c.View.Notice.rfind("Nothing to check yet", 0), 0u);
    EXPECT_TRUE(c.View.Lines.empty());
    EXPECT_FALSE(c.View.Wall || c.View.Exit || c.View.Embedment);
    EXPECT_FALSE(c.View.FindOn);
    EXPECT_EQ(c.View.Fields[GammaW], "9.81");
    EXPECT_EQ(c.View.Criterion, 0u);

    c.Run();
    EXPECT_EQ(c.View.Notice, "Figures of the last completed run: wall 1, stratum 2, blankets 0 "
                             "(left) and 0 (right), heads 1 and 0 (SI units).");
    checks::TCheckSettings s;
    s.TypedWallDepth = 1;
    s.DownstreamHead = 0;
    EXPECT_EQ(c.View.Lines.size(),
              report::CheckLines(
                  checks::RunDesignChecks(*checks::testing::ResultOf(HalfDepthRun()), s), s)
                  .size());
    EXPECT_TRUE(c.View.Wall && c.View.Exit && !c.View.Embedment);
    EXPECT_TRUE(c.View.FindOn && !c.View.CancelOn && c.View.SettingsOn);

    c.Control.FieldEdited(GammaW, "-1");
    EXPECT_EQ(c.View.Message, "\"-1\" refused: the unit weight of water must be a number from 9 "
                              "to 11 (kN/m3).");
    EXPECT_EQ(c.View.Fields[GammaW], "9.81");
    EXPECT_EQ(c.Control.Settings().GammaW, 9.81L);
    // Another box left unchanged keeps the message; the refused box left as it stands clears it.
    c.Control.FieldEdited(FactorDst, "1.35");
    EXPECT_NE(c.View.Message, "");
    c.Control.FieldEdited(GammaW, "9.810");
    EXPECT_EQ(c.View.Message, "");
    EXPECT_EQ(c.View.Fields[GammaW], "9.81");

    c.Control.FieldEdited(TargetTerzaghi, "3");
    EXPECT_EQ(c.Control.Settings().TargetTerzaghi, 3);
    bool found = false;
    for (const report::TCheckLine& line : c.View.Lines)
        if (line.Label == "Terzaghi prism") found = line.Required == "FS >= 3";
    EXPECT_TRUE(found);

    // Loading settings: refused whole with the checks' reason, or shown in every box.
    checks::TCheckSettings bad;
    bad.GammaW = 20;
    EXPECT_EQ(c.Control.LoadSettings(bad), checks::CheckSettingsError(bad));
    EXPECT_EQ(c.Control.Settings().TargetTerzaghi, 3);
    checks::TCheckSettings loaded;
    loaded.GammaW = 10;
    EXPECT_EQ(c.Control.LoadSettings(loaded), "");
    EXPECT_EQ(c.View.Fields[GammaW], "10");
    EXPECT_EQ(c.View.Fields[TargetTerzaghi], "1.5");
}

TEST(ChecksControl, TheAnswerStaysForTheSameValuesAndGoesWithAnyChange) {
    TChecks c;
    c.Run();
    ASSERT_TRUE(c.Search());
    ASSERT_TRUE(c.Control.Embedment().has_value());
    EXPECT_GT(c.Control.Embedment()->Rows, 0);
    EXPECT_EQ(c.View.Status, report::EmbedmentSummary(*c.Control.Embedment()));
    EXPECT_TRUE(c.View.Embedment.has_value());
    // The bar fills as the bracket closes, and is full at the answer.
    EXPECT_EQ(c.View.Maximum, sheetpile::BaseRow - 1);
    EXPECT_EQ(c.View.Position, c.View.Maximum);
    EXPECT_TRUE(std::is_sorted(c.View.Positions.begin() + 1, c.View.Positions.end()));
    // Each trial is counted in the status, the same words in both windows.
    const auto first = std::find_if(c.View.Statuses.begin(), c.View.Statuses.end(),
                                    [](const std::string& t) { return t.rfind("Trial ", 0) == 0; });
    ASSERT_GE(std::distance(first, c.View.Statuses.end()), 2);
    EXPECT_EQ(first->rfind("Trial 1: ", 0), 0u) << *first;
    EXPECT_EQ(first[1].rfind("Trial 2: ", 0), 0u) << first[1];
    EXPECT_TRUE(c.View.FindOn && !c.View.CancelOn && c.View.SettingsOn);

    c.Control.FieldEdited(FactorDst, "1.350"); // the number in force, typed otherwise
    EXPECT_TRUE(c.Control.Embedment().has_value());
    c.Control.CriterionChanged(0); // the criterion in force
    EXPECT_TRUE(c.Control.Embedment().has_value());

    c.Control.CriterionChanged(1);
    EXPECT_FALSE(c.Control.Embedment() || c.View.Embedment);
    EXPECT_EQ(c.View.Status, "");
    EXPECT_EQ(c.View.Position, 0);

    // Y'/Yw of 0: the search answers at once, without a trial, that no depth can pass.
    const auto still = Rescaled(HalfDepthRun(), 2, 1, 1e-5L, 0);
    c.Run(*still);
    ASSERT_TRUE(c.Search());
    ASSERT_TRUE(c.Control.Embedment().has_value());
    EXPECT_EQ(c.Control.Embedment()->Criterion, checks::TCriterion::Ec7a);
    c.Run(*still);
    EXPECT_FALSE(c.Control.Embedment() || c.View.Embedment);
    EXPECT_EQ(c.View.Status, "");

    ASSERT_TRUE(c.Search());
    ASSERT_TRUE(c.Control.Embedment().has_value());
    EXPECT_EQ(c.Control.LoadSettings(checks::TCheckSettings{}), "");
    EXPECT_FALSE(c.Control.Embedment() || c.View.Embedment);
}

TEST(ChecksControl, ASearchEndedByCancelOrRunIsDroppedAndItsMessageGoesWithTheNextRun) {
    // Y'/Yw of 0: the search answers at once without a trial, so its one posted task is its end.
    const auto still = Rescaled(HalfDepthRun(), 2, 1, 1e-5L, 0);
    TChecks c;
    c.Run(*still);
    c.Control.Find();
    EXPECT_TRUE(c.Control.Searching() && c.View.CancelOn && !c.View.FindOn && !c.View.SettingsOn);
    ASSERT_TRUE(c.View.WaitForPosts(1)); // the search has ended, its answer not yet taken
    c.Control.Cancel();
    EXPECT_EQ(c.View.Status, "Search cancelled.");
    ASSERT_TRUE(c.View.PumpUntil([&] { return !c.Control.Searching(); }));
    EXPECT_FALSE(c.Control.Embedment() || c.View.Embedment);
    EXPECT_EQ(c.View.Status, "Search cancelled.");
    EXPECT_TRUE(c.View.FindOn && c.View.SettingsOn);

    c.Control.RunStarted();
    EXPECT_EQ(c.View.Status, "Search cancelled.");
    c.Control.RunCompleted(*still, TInputTexts{});
    EXPECT_EQ(c.View.Status, "");

    // A RUN cancels; its message stays through that run and goes with the one after.
    c.Control.Find();
    ASSERT_TRUE(c.View.WaitForPosts(1));
    c.Control.RunStarted();
    const std::string byRun = "Search cancelled: RUN was pressed in the main window.";
    EXPECT_EQ(c.View.Status, byRun);
    EXPECT_FALSE(c.View.FindOn);
    ASSERT_TRUE(c.View.PumpUntil([&] { return !c.Control.Searching(); }));
    EXPECT_FALSE(c.Control.Embedment().has_value());
    c.Control.RunCompleted(*still, TInputTexts{});
    EXPECT_EQ(c.View.Status, byRun);
    c.Run(*still);
    EXPECT_EQ(c.View.Status, "");

    // A presenter gone before its search's posts ran: they do nothing.
    auto view = std::make_unique<TFakeView>();
    {
        TChecksControl gone(*view);
        gone.RunCompleted(*still, TInputTexts{});
        gone.Find();
        ASSERT_TRUE(view->WaitForPosts(1));
    }
    view->Status = "kept";
    ASSERT_TRUE(view->PumpUntil([&] { return view->Queue.empty(); }));
    EXPECT_EQ(view->Status, "kept");
}

TEST(ChecksControl, ZoneLegendSaysWhichZonesAreEmpty) {
    TChecks c;
    for (const report::TZoneNote& z : c.View.Zones) EXPECT_FALSE(z.Empty) << z.Name;
    EXPECT_EQ(c.View.Zones[2].Text, "Imminent heave zone");
    // The gradient over one grid step is at most the whole head loss, H / (D/50) = 25, so a
    // critical gradient Y'/Yw of 100 leaves the critical and imminent zones empty; the water
    // rising beside the wall downstream still gives possible heave.
    const auto heavy = Rescaled(HalfDepthRun(), 2, 1, 1e-5L, 100);
    c.Run(*heavy);
    EXPECT_TRUE(c.View.Zones[0].Empty);
    EXPECT_EQ(c.View.Zones[0].Text, "no critical zone anywhere");
    EXPECT_FALSE(c.View.Zones[1].Empty);
    EXPECT_EQ(c.View.Zones[1].Text, "Possible heave zone");
    EXPECT_EQ(c.View.Zones[2].Text, "no imminent heave anywhere");
    // A critical gradient of 1e-6 lies below the exit gradient beside the wall.
    const auto light = Rescaled(HalfDepthRun(), 2, 1, 1e-5L, 1e-6L);
    c.Run(*light);
    for (const report::TZoneNote& z : c.View.Zones) EXPECT_FALSE(z.Empty) << z.Name;
    // The legend's colours are those the picture draws.
    EXPECT_EQ(c.View.Zones[1].Colour, sheetpile::RGBColor(222, 214, 192));
    EXPECT_EQ(c.View.Zones[2].Colour, sheetpile::RGBColor(200, 185, 151));
}

// The placement's result lies on the screen and clear of the main window.
void ExpectBeside(const TScreenRect& placed, const TScreenRect& main, const TScreenRect& screen) {
    EXPECT_TRUE(placed.Left >= screen.Left && placed.Top >= screen.Top &&
                placed.Right <= screen.Right && placed.Bottom <= screen.Bottom);
    EXPECT_TRUE(placed.Left >= main.Right || placed.Right <= main.Left ||
                placed.Top >= main.Bottom || placed.Bottom <= main.Top);
}

TEST(ChecksControl, OpensBesideTheMainWindowOnItsScreen) {
    const TScreenRect one{0, 0, 1920, 1040}; // a task bar below
    const TScreenRect main{100, 100, 900, 700};
    TScreenRect placed = PlaceBeside(main, {one}, 900, 720);
    EXPECT_EQ(placed, (TScreenRect{908, 100, 1808, 820}));
    ExpectBeside(PlaceBeside({1000, 300, 1800, 900}, {one}, 900, 720), {1000, 300, 1800, 900}, one);
    EXPECT_EQ(PlaceBeside({1000, 300, 1800, 900}, {one}, 900, 720).Left, 92); // on its left
    // Too wide for either side: below or above, on the screen.
    ExpectBeside(PlaceBeside({400, 0, 1600, 300}, {one}, 900, 720), {400, 0, 1600, 300}, one);
    // No room anywhere: pushed against the screen's edge, never off it, and shrunk to fit.
    placed = PlaceBeside(one, {one}, 2000, 1200);
    EXPECT_EQ(placed, one);

    // Two screens: the one holding most of the main window, even when the other is primary.
    const TScreenRect two{1920, -200, 3840, 880};
    const TScreenRect onTwo{2000, 0, 2800, 600};
    placed = PlaceBeside(onTwo, {one, two}, 900, 720);
    ExpectBeside(placed, onTwo, two);
    EXPECT_EQ(placed.Left, 2808);
    const TScreenRect straddling{1500, 100, 2300, 700}; // 420 px on the first, 380 on the second
    ExpectBeside(PlaceBeside(straddling, {one, two}, 400, 300), straddling, one);
    // A main window off every screen: the nearest one.
    ExpectBeside(PlaceBeside({5000, 0, 5800, 600}, {one, two}, 900, 720), {}, two);
}

} // namespace
} // namespace verrask::test
