// Run control: the RUN command's checks and launch, the ticker and the completion of a run.
// See RunControl.h for the threading contract.
#include "control/RunControl.h"

#include "control/InputSyntax.h"
#include "control/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace verrask {

namespace {

// The largest shape factor a solved field can give: 151 columns of full steps on each side.
constexpr long double LargestShapeFactor = 151;

// One per cent of the head loss.
constexpr long double FullScalePerCent = sheetpile::FullScale / 100;

// Both track bars choose a count of lines from 1 to 40.
constexpr int TrackBarMin = 1;
constexpr int TrackBarMax = 40;

// A count as a track bar position; the bar clamps it to its range. Counts above the int range
// cannot occur (Nf <= 1510), but saturate rather than wrap.
int TrackBarPosition(std::uint32_t count) {
    return static_cast<int>(std::min<std::uint32_t>(count, TrackBarMax + 1));
}

} // namespace

std::string QuotedInput(std::string_view text) {
    // Long enough for any number worth reading, short enough for one line of a message.
    constexpr std::size_t Shown = 40;
    constexpr std::size_t Longest = 60;
    std::string quoted = "\"";
    if (text.size() <= Longest) return quoted.append(text).append("\"");
    std::size_t cut = Shown;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut; // not inside a UTF-8 sequence
    const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80; // UTF-8 sequences count once
    });
    return quoted.append(text.substr(0, cut))
        .append("\xE2\x80\xA6\" (")
        .append(std::to_string(characters))
        .append(" characters)");
}

namespace {

std::string CheckInputs(const TInputTexts& texts, TInputValues& v, TInputBox& refused) {
    struct Box {
        const std::string& text;
        long double& value;
        const char* name;
        TInputBox box;
    };
    // The order in which the boxes are read.
    const Box boxes[] = {{texts.Permeability, v.K, "K", TInputBox::Edit8},
                         {texts.StratumDepth, v.D, "stratum depth", TInputBox::Edit1},
                         {texts.WallDepth, v.d, "sheet pile wall depth", TInputBox::Edit2},
                         {texts.UnitWeightRatio, v.UnitWeightRatio, "Y'/Yw", TInputBox::Edit5},
                         {texts.UpstreamHead, v.H1, "upstream head", TInputBox::Edit3},
                         {texts.DownstreamHead, v.H2, "downstream head", TInputBox::Edit4},
                         {texts.LeftBlanket, v.L, "left blanket length", TInputBox::Edit6},
                         {texts.RightBlanket, v.R, "right blanket length", TInputBox::Edit7}};
    for (const Box& box : boxes) {
        if (!ParseNumber(box.text, box.value)) {
            refused = box.box;
            return std::string(box.name) + " is not a number: " + QuotedInput(box.text);
        }
    }
    const TInputBox longerBlanket = v.R > v.L ? TInputBox::Edit7 : TInputBox::Edit6;

    refused = TInputBox::Edit2;
    if (!(v.d < v.D)) return "the wall must be shallower than the stratum";
    refused = TInputBox::Edit3;
    if (!(v.H1 > v.H2)) return "the upstream head must exceed the downstream head";
    refused = longerBlanket;
    if (!(v.L + v.R <= 4 * v.D)) return "the blankets together may be at most 4 stratum depths";

    // What the grid and the extended format can hold.
    refused = TInputBox::Edit1;
    if (!(v.D > 0)) return "the stratum depth must be positive";
    refused = longerBlanket;
    if (!(sheetpile::BlanketSteps(v.L, v.D) + sheetpile::BlanketSteps(v.R, v.D) <=
          sheetpile::MaxBlanketSteps))
        return "the blankets are longer than the grid holds (200 steps together)";
    const long double headDiff = v.H1 - v.H2;
    refused = TInputBox::Edit3;
    if (!std::isfinite(headDiff)) return "the head difference is out of range";
    const long double threshold = ((v.UnitWeightRatio * v.D) / 50) * 1000000000 / headDiff;
    refused = TInputBox::Edit5;
    if (!std::isfinite(threshold)) return "Y'/Yw x stratum depth is out of range";
    refused = TInputBox::Edit8;
    if (!std::isfinite((headDiff * LargestShapeFactor) * v.K))
        return "the discharge would be out of range";

    // What no soil or structure can be: a negative K gives a negative discharge, a ratio of zero
    // or below a critical gradient that nothing reaches, and a negative length would otherwise
    // be run as none at all. "-0" is zero.
    const struct {
        bool refusedIf;
        TInputBox box;
        const char* reason;
        const std::string& text;
    } physical[] = {
        {!(v.K > 0), TInputBox::Edit8, "K must be positive", texts.Permeability},
        {!(v.UnitWeightRatio > 0), TInputBox::Edit5, "Y'/Yw must be positive",
         texts.UnitWeightRatio},
        {v.L < 0, TInputBox::Edit6, "the left blanket length must not be negative (0 is none)",
         texts.LeftBlanket},
        {v.R < 0, TInputBox::Edit7, "the right blanket length must not be negative (0 is none)",
         texts.RightBlanket},
        {v.d < 0, TInputBox::Edit2, "the sheet pile wall depth must not be negative (0 is no wall)",
         texts.WallDepth},
    };
    for (const auto& rule : physical) {
        if (rule.refusedIf) {
            refused = rule.box;
            return std::string(rule.reason) + ": " + QuotedInput(rule.text);
        }
    }
    refused = TInputBox::None;
    return "";
}

} // namespace

std::string ReadInputs(const TInputTexts& texts, TInputValues& values, TInputBox* refused) {
    TInputBox box = TInputBox::None;
    std::string reason = CheckInputs(texts, values, box);
    if (refused != nullptr) *refused = box;
    return reason;
}

long double Discharge(const sheetpile::TModel& m) {
    return (m.HeadDiff * m.ShapeFactor) * m.Permeability;
}

std::string ResultMessage(const sheetpile::TModel& m, char separator) {
    return "Shape Factor (nf/nd) = " + FormatGeneral(m.ShapeFactor, separator) +
           "\r\n\r\n q = " + FormatGeneral(Discharge(m), separator);
}

void TRunControl::ClearPanels(int from) {
    for (int i = from; i < PanelCount; ++i) Shell.SetPanel(i, "");
}

void TRunControl::SetTuningEnabled(bool enabled) {
    Controls.CheckBox1.SetEnabled(enabled);
    Controls.CheckBox2.SetEnabled(enabled);
    Controls.CheckBox3.SetEnabled(enabled);
    Controls.TrackBar1.SetEnabled(enabled);
    Controls.TrackBar2.SetEnabled(enabled);
}

void TRunControl::FormCreate() {
    Shell.SetMessage("");
    Shell.SetPanel(0, " Ready");
    ClearPanels(1);
    SetTuningEnabled(false);
    Model.InitModel();
}

bool TRunControl::Button1Click(const TInputTexts& texts) {
    SetTuningEnabled(false);
    Shell.SetMessage("Please wait");
    Shell.SetPanel(0, " Wait");

    TInputValues v;
    LastRefusal = ReadInputs(texts, v, &RefusedBox);
    if (!LastRefusal.empty()) {
        Shell.Alert();
        Shell.SetMessage(WrongInputText);
        Shell.SetPanel(0, " Fault");
        ClearPanels(1);
        Shell.ShowRefusedBox(RefusedBox, LastRefusal);
        return false;
    }
    Shell.ShowRefusedBox(TInputBox::None, "");

    Model.HeadDiff = v.H1 - v.H2;
    Model.StratumDepth = v.D;
    Model.Permeability = v.K;
    Model.UnitWeightRatio = v.UnitWeightRatio;
    NetComposed = false;
    Model.SetupGeometry(v.D, v.d, v.L, v.R);
    Shell.SetRunEnabled(false);
    ElapsedSeconds = 0;
    Shell.StartTimer();
    PendingWorkers = 2;
    Shell.StartWorkers();
    return true;
}

void TRunControl::Timer1Timer() {
    ++ElapsedSeconds;
    Shell.SetMessage("Please wait : " + std::to_string(ElapsedSeconds) + " s");
}

bool TRunControl::WorkerDone() {
    if (--PendingWorkers != 0) return false;
    Shell.StopTimer();
    Model.ResultsReady = true;
    Model.ComputeDischarge();
    ComposeNet();
    Model.ShowNetPicture();
    Shell.ShowPicture();

    Controls.CheckBox1.SetEnabled(true);
    Controls.CheckBox2.SetEnabled(true);
    Controls.CheckBox3.SetEnabled(true);
    // Either position may move its bar and so run its handler at once, which may change Nd or
    // Nf and repaint; Nf is read only after the first bar has settled.
    Controls.TrackBar1.SetEnabled(true);
    Controls.TrackBar1.SetRange(TrackBarMin, TrackBarMax);
    Controls.TrackBar1.SetPosition(TrackBarPosition(Model.Nd));
    Controls.TrackBar2.SetEnabled(true);
    Controls.TrackBar2.SetRange(TrackBarMin, TrackBarMax);
    Controls.TrackBar2.SetPosition(TrackBarPosition(Model.Nf));

    const char sep = Shell.DecimalSeparator();
    Shell.SetMessage(ResultMessage(Model, sep));
    Shell.SetPanel(0, " Ready");
    Shell.SetPanel(1, " Shape Factor = " + FormatGeneral(Model.ShapeFactor, sep));
    Shell.SetPanel(2, " Nd: " + std::to_string(Model.Nd));
    Shell.SetPanel(3, " Nf: " + std::to_string(Model.Nf));
    Shell.SetPanel(4, "");
    Shell.SetPanel(5, "");
    Shell.SetPanel(6, " q = " + FormatGeneral(Discharge(Model), sep));
    Shell.SetRunEnabled(true);
    return true;
}

void TRunControl::TrackBar1Change() {
    Model.Nd = static_cast<std::uint32_t>(Controls.TrackBar1.Position());
    // Nd <= 40 and ShapeFactor <= 151: the product is far inside every integer range.
    const auto r = static_cast<std::uint32_t>(
        sheetpile::Round(static_cast<long double>(Model.Nd) * Model.ShapeFactor));
    if (r == Model.Nf) return;
    Model.Nf = r;
    Controls.TrackBar2.SetPosition(TrackBarPosition(Model.Nf)); // may run TrackBar2Change
    Shell.SetPanel(2, " Nd: " + std::to_string(Model.Nd));
    Shell.SetPanel(3, " Nf: " + std::to_string(Model.Nf));
}

void TRunControl::ComposeNet() {
    Model.RenderNet(Model.Nd, Model.Nf);
    Model.DrawStructure();
    NetComposed = true;
}

void TRunControl::TrackBar2Change() {
    Model.Nf = static_cast<std::uint32_t>(Controls.TrackBar2.Position());
    // Setting the bars after a run lands here with the counts just drawn: the picture stands.
    if (!(NetComposed && Model.DrawNd == Model.Nd && Model.DrawNf == Model.Nf)) {
        ComposeNet();
        Model.ShowNetBitmap();
        Shell.ShowPicture();
    }
    Shell.SetPanel(3, " Nf= " + std::to_string(Model.Nf));
}

void TRunControl::ZoneChanged(bool& flag, const TCheckBox& box) {
    flag = box.Checked();
    NetComposed = false;
    Model.RedrawNet();
    Model.ShowNetBitmap();
    Shell.ShowPicture();
}

void TRunControl::CheckBox1Click() {
    ZoneChanged(Model.ShowCriticalZone, Controls.CheckBox1);
}
void TRunControl::CheckBox2Click() {
    ZoneChanged(Model.ShowPossibleHeave, Controls.CheckBox2);
}
void TRunControl::CheckBox3Click() {
    ZoneChanged(Model.ShowImminentHeave, Controls.CheckBox3);
}

void TRunControl::Image1MouseMove(int X, int Y) {
    if (!(Y - 3 > 0) || !Model.ResultsReady) return;
    // The shown picture is 204 rows of the last completed run's width: fine rows 1..200 and
    // columns in use by that run, whatever geometry a run in progress has set since.
    if (X < 0 || X >= Model.ShownPicture.Width() || Y >= Model.ShownPicture.Height()) return;
    const char sep = Shell.DecimalSeparator();
    const long double depth = static_cast<long double>(Y - 3) / 200 * Model.StratumDepth;
    Shell.SetPanel(4, " Depth: " + FormatFixed2(depth, sep));
    const auto v = static_cast<std::uint32_t>(Model.FineHeadAt(X, Y - 3));
    constexpr long double PerCent = FullScalePerCent;
    Shell.SetPanel(5, " Head loss: " + std::to_string(sheetpile::Round(v / PerCent)) + " %");
}

} // namespace verrask
