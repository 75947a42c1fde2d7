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

std::string ReadInputs(const TInputTexts& texts, TInputValues& v) {
    struct Box {
        const std::string& text;
        long double& value;
        const char* name;
    };
    // The order in which the boxes are read.
    const Box boxes[] = {{texts.Edit8, v.K, "K"},
                         {texts.Edit1, v.D, "stratum depth"},
                         {texts.Edit2, v.d, "sheet pile wall depth"},
                         {texts.Edit5, v.UnitWeightRatio, "Y'/Yw"},
                         {texts.Edit3, v.H1, "upstream head"},
                         {texts.Edit4, v.H2, "downstream head"},
                         {texts.Edit6, v.L, "left blanket length"},
                         {texts.Edit7, v.R, "right blanket length"}};
    for (const Box& box : boxes)
        if (!ParseNumber(box.text, box.value))
            return std::string(box.name) + " is not a number: \"" + box.text + "\"";

    if (!(v.d < v.D)) return "the wall must be shallower than the stratum";
    if (!(v.H1 > v.H2)) return "the upstream head must exceed the downstream head";
    if (!(v.L + v.R <= 4 * v.D)) return "the blankets together may be at most 4 stratum depths";

    // What the grid and the extended format can hold.
    if (!(v.D > 0)) return "the stratum depth must be positive";
    if (!(sheetpile::BlanketSteps(v.L, v.D) + sheetpile::BlanketSteps(v.R, v.D) <=
          sheetpile::MaxBlanketSteps))
        return "the blankets are longer than the grid holds (200 steps together)";
    const long double headDiff = v.H1 - v.H2;
    if (!std::isfinite(headDiff)) return "the head difference is out of range";
    const long double threshold = ((v.UnitWeightRatio * v.D) / 50) * 1000000000 / headDiff;
    if (!std::isfinite(threshold)) return "Y'/Yw x stratum depth is out of range";
    if (!std::isfinite((headDiff * LargestShapeFactor) * v.K))
        return "the discharge would be out of range";
    return "";
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
    LastRefusal = ReadInputs(texts, v);
    if (!LastRefusal.empty()) {
        Shell.Alert();
        Shell.SetMessage(WrongInputText);
        Shell.SetPanel(0, " Fault");
        ClearPanels(1);
        return false;
    }

    Model.HeadDiff = v.H1 - v.H2;
    Model.StratumDepth = v.D;
    Model.Permeability = v.K;
    Model.UnitWeightRatio = v.UnitWeightRatio;
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
    Model.RenderNet(Model.Nd, Model.Nf);
    Model.DrawStructure();
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

void TRunControl::TrackBar2Change() {
    Model.Nf = static_cast<std::uint32_t>(Controls.TrackBar2.Position());
    Model.RenderNet(Model.Nd, Model.Nf);
    Model.DrawStructure();
    Model.ShowNetBitmap();
    Shell.ShowPicture();
    Shell.SetPanel(3, " Nf= " + std::to_string(Model.Nf));
}

void TRunControl::ZoneChanged(bool& flag, const TCheckBox& box) {
    flag = box.Checked();
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
