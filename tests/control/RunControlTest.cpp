// Run control: the texts and controls of every state (opened, running, refused, results), the
// input checks with the model's own limits, and state carried from run to run.
#include "control/PlainControls.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace verrask {
namespace {

// Records what the run control asks of a front end; runs the workers when told to finish.
class TRecordingShell final : public TRunShell {
  public:
    void SetMessage(const std::string& text) override { Message = text; }
    void SetPanel(int index, const std::string& text) override {
        Panels.at(static_cast<std::size_t>(index)) = text;
    }
    void SetRunEnabled(bool enabled) override { RunEnabled = enabled; }
    void ShowPicture() override { ++PicturesShown; }
    void StartTimer() override { TimerRunning = true; }
    void StopTimer() override { TimerRunning = false; }
    void Alert() override { ++Alerts; }
    void StartWorkers() override { ++WorkerStarts; }
    char DecimalSeparator() const override { return Separator; }
    void ShowRefusedBox(TInputBox box, const std::string& reason) override {
        RefusedBox = box;
        RefusedReason = reason;
    }

    TInputBox RefusedBox = TInputBox::Edit1; // unset
    std::string RefusedReason = "unset";
    std::string Message = "unset";
    std::array<std::string, PanelCount> Panels{"unset", "unset", "unset", "unset",
                                               "unset", "unset", "unset"};
    bool RunEnabled = true, TimerRunning = false;
    int Alerts = 0, WorkerStarts = 0, PicturesShown = 0;
    char Separator = '.';
};

struct RunControlTest : ::testing::Test {
    std::unique_ptr<sheetpile::TModel> Model = std::make_unique<sheetpile::TModel>();
    TRecordingShell Shell;
    TPlainControls Tuning;
    TRunControl Control{*Model, Shell, Tuning.Controls()};

    void SetUp() override {
        Tuning.Wire(Control);
        Control.FormCreate();
    }
    bool TuningEnabled() const {
        return Tuning.TrackBar1.Enabled && Tuning.TrackBar2.Enabled && Tuning.CheckBox1.Enabled &&
               Tuning.CheckBox2.Enabled && Tuning.CheckBox3.Enabled;
    }
    bool TuningDisabled() const {
        return !Tuning.TrackBar1.Enabled && !Tuning.TrackBar2.Enabled &&
               !Tuning.CheckBox1.Enabled && !Tuning.CheckBox2.Enabled && !Tuning.CheckBox3.Enabled;
    }
    // Runs the two worker bodies and delivers their completions, as a front end does.
    void FinishRun() {
        sheetpile::TThread2Execute(*Model);
        EXPECT_FALSE(Control.WorkerDone());
        sheetpile::TThread1Execute(*Model);
        EXPECT_TRUE(Control.WorkerDone());
    }
};

TEST_F(RunControlTest, OpenedRunningAndResultsStates) {
    EXPECT_EQ(Shell.Message, "");
    EXPECT_EQ(Shell.Panels[0], " Ready");
    for (int i = 1; i < PanelCount; ++i) EXPECT_EQ(Shell.Panels[static_cast<std::size_t>(i)], "");
    EXPECT_TRUE(TuningDisabled());
    EXPECT_EQ(Model->HeadGrid[7][0], 500000000u); // InitModel has seeded the grids

    ASSERT_TRUE(Control.Button1Click(TInputTexts{}));
    EXPECT_EQ(Shell.Message, "Please wait");
    EXPECT_EQ(Shell.Panels[0], " Wait");
    EXPECT_FALSE(Shell.RunEnabled);
    EXPECT_TRUE(Shell.TimerRunning);
    EXPECT_EQ(Shell.WorkerStarts, 1);
    EXPECT_EQ(Control.PendingWorkers, 2);
    EXPECT_EQ(Model->LastCol, 301);
    EXPECT_EQ(Model->HeadDiff, 1.0L);
    EXPECT_EQ(Model->Permeability, 1E-5L);

    Control.Timer1Timer();
    Control.Timer1Timer();
    EXPECT_EQ(Shell.Message, "Please wait : 2 s");

    sheetpile::TThread1Execute(*Model);
    EXPECT_FALSE(Control.WorkerDone()); // the first completion only counts itself off
    EXPECT_EQ(Shell.Message, "Please wait : 2 s");
    EXPECT_FALSE(Model->ResultsReady);
    sheetpile::TThread2Execute(*Model);
    EXPECT_TRUE(Control.WorkerDone());

    EXPECT_TRUE(Model->ResultsReady);
    EXPECT_FALSE(Shell.TimerRunning);
    EXPECT_TRUE(Shell.RunEnabled);
    EXPECT_TRUE(TuningEnabled());
    EXPECT_EQ(Shell.Message, "Shape Factor (nf/nd) = 0.5\r\n\r\n q = 5E-6");
    const std::array<std::string, PanelCount> panels{
        " Ready", " Shape Factor = 0.5", " Nd: 10", " Nf: 5", "", "", " q = 5E-6"};
    EXPECT_EQ(Shell.Panels, panels);
}

TEST_F(RunControlTest, RefusedRunAfterResultsKeepsTheModelAndEmptiesThePanels) {
    ASSERT_TRUE(Control.Button1Click(TInputTexts{}));
    FinishRun();
    const auto headBefore = Model->HeadGrid;
    const int lastColBefore = Model->LastCol;

    TInputTexts texts;
    texts.StratumDepth = "2 "; // a trailing space is not a number
    texts.LeftBlanket = "3";
    EXPECT_FALSE(Control.Button1Click(texts));
    EXPECT_EQ(Shell.Alerts, 1);
    EXPECT_EQ(Shell.Message, "Your input data is wrong!");
    EXPECT_EQ(Shell.Panels[0], " Fault");
    for (int i = 1; i < PanelCount; ++i) EXPECT_EQ(Shell.Panels[static_cast<std::size_t>(i)], "");
    EXPECT_TRUE(Shell.RunEnabled);
    EXPECT_TRUE(TuningDisabled());
    EXPECT_EQ(Shell.WorkerStarts, 1);
    EXPECT_TRUE(Model->ResultsReady);
    EXPECT_EQ(Model->LastCol, lastColBefore);
    EXPECT_EQ(Model->HeadGrid, headBefore);
    EXPECT_NE(Control.LastRefusal.find("stratum depth"), std::string::npos);
}

TEST_F(RunControlTest, LaterRunsStartFromTheLastFieldAndResetNd) {
    ASSERT_TRUE(Control.Button1Click(TInputTexts{}));
    FinishRun();
    EXPECT_EQ(Model->HeadPasses, 18759u);
    Model->Nd = 23; // as if the Flow Net bar had been moved
    Control.Timer1Timer();
    ASSERT_TRUE(Control.Button1Click(TInputTexts{}));
    EXPECT_EQ(Control.ElapsedSeconds, 0);
    FinishRun();
    EXPECT_EQ(Model->HeadPasses, 1u);
    EXPECT_EQ(Model->StreamPasses, 1u);
    EXPECT_EQ(Model->Nd, 10u);
}

TEST_F(RunControlTest, ResultTextsUseTheSeparatorAndFourDigits) {
    Model->ShapeFactor = 0.4375L;
    Model->HeadDiff = 1;
    Model->Permeability = 1E-5L;
    EXPECT_EQ(ResultMessage(*Model, '.'), "Shape Factor (nf/nd) = 0.4375\r\n\r\n q = 4.375E-6");
    EXPECT_EQ(ResultMessage(*Model, ','), "Shape Factor (nf/nd) = 0,4375\r\n\r\n q = 4,375E-6");
}

struct CheckCase {
    const char* what;
    TInputTexts texts;
    bool accepted;
};

TInputTexts With(std::string TInputTexts::*box, const char* text,
                 std::string TInputTexts::*box2 = nullptr, const char* text2 = nullptr) {
    TInputTexts t;
    t.*box = text;
    if (box2) t.*box2 = text2;
    return t;
}

TEST(InputChecks, WindowRulesAndModelLimits) {
    using T = TInputTexts;
    const CheckCase cases[] = {
        {"defaults", T{}, true},
        {"blankets of exactly 4 D", With(&T::LeftBlanket, "3", &T::RightBlanket, "5"), true},
        {"wall as deep as the stratum", With(&T::WallDepth, "2"), false},
        {"equal heads", With(&T::UpstreamHead, "0"), false},
        {"blankets beyond 4 D", With(&T::LeftBlanket, "4", &T::RightBlanket, "4.001"), false},
        {"comma", With(&T::Permeability, "1,5"), false},
        {"spaces before, forms", With(&T::StratumDepth, " 2", &T::Permeability, "+.5"), true},
        {"exponent only", With(&T::LeftBlanket, "E5", &T::RightBlanket, "."), true},
        {"lone E", With(&T::UnitWeightRatio, "E"), false},
        {"beyond the extended range", With(&T::Permeability, "1E5000"), false},
        {"huge negative wall depth (now refused)", With(&T::WallDepth, "-1E4000"), false},
        {"negative stratum", With(&T::StratumDepth, "-1", &T::WallDepth, "-2"), false},
        {"zero stratum", With(&T::StratumDepth, "0", &T::WallDepth, "-1"), false},
        {"long blanket offset by a negative one",
         With(&T::LeftBlanket, "10", &T::RightBlanket, "-6"), false},
        {"head difference overflows",
         With(&T::UpstreamHead, "1E4932", &T::DownstreamHead, "-1E4932"), false},
        {"heave threshold overflows", With(&T::UnitWeightRatio, "1E4931", &T::StratumDepth, "1E10"),
         false},
        {"discharge overflows", With(&T::Permeability, "1E4931"), false},
        {"negative ratio (now refused)", With(&T::UnitWeightRatio, "-1"), false},
        {"signed zeros: no wall, no blankets", With(&T::WallDepth, "-0", &T::LeftBlanket, "-0"),
         true},
        {"zero K", With(&T::Permeability, "-0"), false},
    };
    for (const CheckCase& k : cases) {
        TInputValues v;
        const std::string reason = ReadInputs(k.texts, v);
        EXPECT_EQ(reason.empty(), k.accepted) << k.what << ": " << reason;
    }
}

TEST(InputChecks, PhysicallyImpossibleInputNamesItsBoxAndQuotesTheText) {
    using T = TInputTexts;
    const struct {
        TInputTexts texts;
        TInputBox box;
        const char* reason;
    } cases[] = {
        {With(&T::Permeability, "-4e-6"), TInputBox::Edit8, "K must be positive: \"-4e-6\""},
        {With(&T::UnitWeightRatio, "0"), TInputBox::Edit5, "Y'/Yw must be positive: \"0\""},
        {With(&T::LeftBlanket, "-1"), TInputBox::Edit6,
         "the left blanket length must not be negative (0 is none): \"-1\""},
        {With(&T::RightBlanket, "-0.5"), TInputBox::Edit7,
         "the right blanket length must not be negative (0 is none): \"-0.5\""},
        {With(&T::WallDepth, "-1"), TInputBox::Edit2,
         "the sheet pile wall depth must not be negative (0 is no wall): \"-1\""},
        // The window's own checks keep their order and come first.
        {With(&T::WallDepth, "3", &T::Permeability, "-1"), TInputBox::Edit2,
         "the wall must be shallower than the stratum"},
        {With(&T::RightBlanket, "x"), TInputBox::Edit7,
         "right blanket length is not a number: \"x\""},
    };
    for (const auto& k : cases) {
        TInputValues v;
        TInputBox box = TInputBox::None;
        EXPECT_EQ(ReadInputs(k.texts, v, &box), k.reason);
        EXPECT_EQ(box, k.box) << k.reason;
    }
    TInputValues v;
    TInputBox box = TInputBox::Edit1;
    EXPECT_EQ(ReadInputs(TInputTexts{}, v, &box), "");
    EXPECT_EQ(box, TInputBox::None);
}

TEST(InputChecks, LongTextIsQuotedShortened) {
    TInputTexts texts;
    texts.Permeability = std::string(100000, '7') + "x";
    TInputValues v;
    const std::string reason = ReadInputs(texts, v);
    EXPECT_EQ(reason, "K is not a number: \"" + std::string(40, '7') +
                          "\xE2\x80\xA6\" (100001 characters)");
    // Never cut inside a character: the two-byte letter across the cut is left out whole.
    const std::string greek = std::string(39, 'a') + "\xCE\xB3" + std::string(30, 'b');
    EXPECT_EQ(QuotedInput(greek), "\"" + std::string(39, 'a') + "\xE2\x80\xA6\" (70 characters)");
}

TEST(InputChecks, RefusalTellsTheShellWhichBoxAndAcceptedRunClearsIt) {
    auto model = std::make_unique<sheetpile::TModel>();
    TRecordingShell shell;
    TPlainControls tuning;
    TRunControl control(*model, shell, tuning.Controls());
    control.FormCreate();
    TInputTexts texts;
    texts.WallDepth = "-1";
    EXPECT_FALSE(control.Button1Click(texts));
    EXPECT_EQ(control.RefusedBox, TInputBox::Edit2);
    EXPECT_EQ(shell.RefusedBox, TInputBox::Edit2);
    EXPECT_EQ(shell.RefusedReason, control.LastRefusal);
    EXPECT_EQ(shell.Message, "Your input data is wrong!");
    EXPECT_EQ(shell.Panels[0], " Fault");
    EXPECT_EQ(shell.Alerts, 1);
    EXPECT_EQ(shell.WorkerStarts, 0);
    ASSERT_TRUE(control.Button1Click(TInputTexts{}));
    EXPECT_EQ(control.RefusedBox, TInputBox::None);
    EXPECT_EQ(shell.RefusedBox, TInputBox::None);
    EXPECT_EQ(shell.RefusedReason, "");
}

} // namespace
} // namespace verrask
