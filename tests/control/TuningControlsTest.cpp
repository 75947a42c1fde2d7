// After a run: the two track bars, their nested handlers and clamping, and the zone check boxes,
// with the counts and panels in force after each step.
#include "control/PlainControls.h"

#include <gtest/gtest.h>

#include <memory>

namespace verrask {
namespace {

struct TuningTest : ::testing::Test {
    std::unique_ptr<sheetpile::TModel> Model = std::make_unique<sheetpile::TModel>();
    TTextShell Shell;
    TPlainControls Tuning;
    TRunControl Control{*Model, Shell, Tuning.Controls()};

    void SetUp() override {
        Tuning.Wire(Control);
        Control.FormCreate();
    }
    void Run(const TInputTexts& texts = {}) {
        ASSERT_TRUE(Control.Button1Click(texts));
        sheetpile::TThread1Execute(*Model);
        Control.WorkerDone();
        sheetpile::TThread2Execute(*Model);
        ASSERT_TRUE(Control.WorkerDone());
    }
    // A completed run's state without solving: default geometry, the given results.
    void Results(long double shapeFactor, std::uint32_t nd, std::uint32_t nf, int bar1, int bar2) {
        Model->SetupGeometry(2, 1, 0, 0);
        Model->ShapeFactor = shapeFactor;
        Model->Nd = nd;
        Model->Nf = nf;
        Model->RenderNet(nd, nf);
        Model->DrawStructure();
        Model->ShowNetPicture();
        const auto handler1 = Tuning.TrackBar1.OnChange, handler2 = Tuning.TrackBar2.OnChange;
        Tuning.TrackBar1.OnChange = Tuning.TrackBar2.OnChange = nullptr;
        Tuning.TrackBar1.SetPosition(bar1);
        Tuning.TrackBar2.SetPosition(bar2);
        Tuning.TrackBar1.OnChange = handler1;
        Tuning.TrackBar2.OnChange = handler2;
        Shell.PicturesShown = 0;
    }
};

TEST_F(TuningTest, FirstRunMovesBothBarsAndEndsWithTheRunsCounts) {
    Run();
    EXPECT_EQ(Tuning.TrackBar1.Position(), 10);
    EXPECT_EQ(Tuning.TrackBar2.Position(), 5);
    // The run's picture only: the Tune bar's handler, run as the bar moved from 1 to 5, finds
    // those counts drawn.
    EXPECT_EQ(Shell.PicturesShown, 1);
    EXPECT_EQ(Model->DrawNd, 10u);
    EXPECT_EQ(Model->DrawNf, 5u);
    EXPECT_EQ(Shell.Panels[2], " Nd: 10");
    EXPECT_EQ(Shell.Panels[3], " Nf: 5"); // the run's text replaces the handler's " Nf= 5"
    EXPECT_TRUE(Tuning.TrackBar1.Enabled && Tuning.CheckBox3.Enabled);

    // A second run with the bars where the first left them runs no handler.
    Run();
    EXPECT_EQ(Shell.PicturesShown, 2);

    // The user leaves the Flow Net bar at 20: the next run moves it back to 10.
    Tuning.TrackBar1.SetPosition(20); // Nd 20: Round(20 x 0.5) = 10, the Tune bar moves to 10
    EXPECT_EQ(Model->Nd, 20u);
    EXPECT_EQ(Model->Nf, 10u);
    EXPECT_EQ(Shell.Panels[3], " Nf: 10");
    Run();
    EXPECT_EQ(Model->Nd, 10u);
    EXPECT_EQ(Model->Nf, 5u);
    EXPECT_EQ(Tuning.TrackBar2.Position(), 5);
}

TEST_F(TuningTest, FlowNetBarRetunesOnlyWhenTheChannelCountChanges) {
    Results(0.25L, 10, 2, 10, 2);
    Tuning.TrackBar1.SetPosition(11); // Round(2.75) = 3
    EXPECT_EQ(Model->Nf, 3u);
    EXPECT_EQ(Tuning.TrackBar2.Position(), 3);
    EXPECT_EQ(Model->DrawNd, 11u);
    EXPECT_EQ(Model->DrawNf, 3u);
    EXPECT_EQ(Shell.Panels[2], " Nd: 11");
    EXPECT_EQ(Shell.Panels[3], " Nf: 3");
    EXPECT_EQ(Shell.PicturesShown, 1);

    Tuning.TrackBar1.SetPosition(12); // Round(3.0) = 3 = Nf: nothing more happens
    EXPECT_EQ(Model->Nd, 12u);
    EXPECT_EQ(Model->DrawNd, 11u);
    EXPECT_EQ(Shell.Panels[2], " Nd: 11");
    EXPECT_EQ(Shell.PicturesShown, 1);

    Tuning.TrackBar1.SetPosition(14); // Round(3.5) = 4, ties to even
    EXPECT_EQ(Model->Nf, 4u);
    Tuning.TrackBar1.SetPosition(10); // Round(2.5) = 2
    EXPECT_EQ(Model->Nf, 2u);
}

TEST_F(TuningTest, ZeroChannelsKeepTheBarAtOneOrMoveItThere) {
    Results(0.025L, 20, 1, 20, 1);
    Tuning.TrackBar1.SetPosition(10); // Round(0.25) = 0; the Tune bar is at 1 already
    EXPECT_EQ(Model->Nf, 0u);
    EXPECT_EQ(Shell.PicturesShown, 0);
    EXPECT_EQ(Shell.Panels[3], " Nf: 0");

    Results(0.025L, 20, 3, 20, 3);
    Tuning.TrackBar1.SetPosition(10); // 0 clamped to 1 moves the bar: the nested handler renders
    EXPECT_EQ(Model->Nf, 1u);
    EXPECT_EQ(Model->DrawNf, 1u);
    EXPECT_EQ(Shell.Panels[3], " Nf: 1");
    EXPECT_EQ(Shell.PicturesShown, 1);
}

TEST_F(TuningTest, TuneBarRendersWithTheNewCount) {
    Results(0.5L, 10, 5, 10, 5);
    Tuning.TrackBar2.SetPosition(7);
    EXPECT_EQ(Model->Nf, 7u);
    EXPECT_EQ(Model->DrawNd, 10u);
    EXPECT_EQ(Model->DrawNf, 7u);
    EXPECT_EQ(Shell.Panels[3], " Nf= 7");
    Tuning.TrackBar2.SetPosition(99); // clamped to 40
    EXPECT_EQ(Model->Nf, 40u);
    Tuning.TrackBar2.SetPosition(40); // no movement, no handler
    EXPECT_EQ(Shell.PicturesShown, 2);
}

TEST_F(TuningTest, ManyChannelsPutTheTuneBarAtForty) {
    Results(5.0L, 10, 50, 1, 1);
    Tuning.TrackBar1.SetPosition(10); // Round(50) = 50 = Nf: no change
    Tuning.TrackBar2.SetPosition(static_cast<int>(Model->Nf));
    EXPECT_EQ(Tuning.TrackBar2.Position(), 40);
    EXPECT_EQ(Model->Nf, 40u);
}

TEST_F(TuningTest, CheckBoxesSetTheirFlagsRepaintWithStoredCountsAndPersist) {
    Run();
    Model->Nd = 17; // changed without a rendering: the repaint still uses DrawNd
    const int shown = Shell.PicturesShown;
    Tuning.CheckBox1.SetChecked(true);
    EXPECT_TRUE(Model->ShowCriticalZone);
    EXPECT_EQ(Model->DrawNd, 10u);
    Tuning.CheckBox2.SetChecked(true);
    Tuning.CheckBox3.SetChecked(true);
    Tuning.CheckBox2.SetChecked(false);
    EXPECT_TRUE(Model->ShowImminentHeave);
    EXPECT_FALSE(Model->ShowPossibleHeave);
    EXPECT_EQ(Shell.PicturesShown, shown + 4);
    // The pile's interior shows the background after a check-box repaint.
    EXPECT_EQ(Model->ShownPicture.GetPixel(4 * Model->PileUpCol + 2, 4 + 10), 0xEBF2F5u);
    // The Tune bar's handler, with the counts drawn, still repaints after such a repaint.
    Model->Nd = 10;
    Control.TrackBar2Change();
    EXPECT_EQ(Shell.PicturesShown, shown + 5);
    EXPECT_EQ(Model->ShownPicture.GetPixel(4 * Model->PileUpCol + 2, 4 + 10), 0xFFFFFFu);

    Run(); // the flags persist into the next run's picture
    EXPECT_TRUE(Model->ShowCriticalZone && Model->ShowImminentHeave);
    EXPECT_EQ(Model->ShownPicture.GetPixel(4 * Model->PileUpCol + 2, 4 + 10), 0xFFFFFFu);
}

TEST_F(TuningTest, ProbeShowsDepthAndHeadLossOfTheRowBelow) {
    Tuning.TrackBar1.OnChange = Tuning.TrackBar2.OnChange = nullptr;
    Control.Image1MouseMove(10, 50); // before any run: inactive
    EXPECT_EQ(Shell.Panels[4], "");
    Run();
    Model->FineHead[1][7] = 5000000;
    Model->FineHead[2][7] = 15000000;
    Model->FineHead[3][7] = 25000000;
    Model->FineHead[200][7] = 1000000000;
    const std::pair<int, const char*> rows[] = {{4, "0"}, {5, "2"}, {6, "2"}, {203, "100"}};
    for (const auto& [y, percent] : rows) {
        Control.Image1MouseMove(7, y);
        EXPECT_EQ(Shell.Panels[5], std::string(" Head loss: ") + percent + " %") << y;
    }
    EXPECT_EQ(Shell.Panels[4], " Depth: 2.00");
    Control.Image1MouseMove(7, 4);
    EXPECT_EQ(Shell.Panels[4], " Depth: 0.01");

    // The strip above the net and positions outside the picture change nothing.
    for (const auto& [x, y] : {std::pair{7, 3}, {-1, 50}, {1204, 50}, {7, 204}, {7, -5}})
        Control.Image1MouseMove(x, y);
    EXPECT_EQ(Shell.Panels[4], " Depth: 0.01");
    EXPECT_EQ(Shell.Panels[5], " Head loss: 0 %");
}

} // namespace
} // namespace verrask
