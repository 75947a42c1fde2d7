// The design-checks window's behaviour (see ChecksControl.h).
#include "control/ChecksControl.h"

#include "control/RunSession.h"
#include "control/SettingFields.h"
#include "report/EmbedmentText.h"
#include "sheetpile/RunResult.h"

#include <cmath>

namespace verrask {
namespace {

const char* const NothingYet = "Nothing to check yet: press RUN in the main window first.";
const char* const RunCancels = "Search cancelled: RUN was pressed in the main window.";
const char* const LoadCancels = "Search cancelled: other settings were loaded.";

// The bar fills as the bracket of a failing and a passing depth closes: from rows 0 (no wall,
// failing by definition) and BaseRow (nothing passes) down to adjacent rows.
constexpr int ProgressMaximum = sheetpile::BaseRow - 1;

bool SameValue(long double a, long double b) {
    return a == b || (std::isnan(a) && std::isnan(b)); // NaN: the tailwater from H2
}

} // namespace

TChecksControl::TChecksControl(TChecksView& view) : View(view) {}

TChecksControl::~TChecksControl() {
    Shutdown();
}

void TChecksControl::Shutdown() {
    CancelFlag = true;
    if (Worker.joinable()) Worker.join();
    Alive = std::make_shared<int>(0); // what the thread posted is for the old token
}

void TChecksControl::Attach() {
    for (std::size_t i = 0; i < report::SettingFields.size(); ++i)
        View.ShowField(i, SettingText(CurrentSettings, report::SettingFields[i].Field));
    View.ShowCriterion(Criterion);
    View.ShowSettingsMessage("");
    View.ShowProgress(0, ProgressMaximum);
    View.ShowSearchStatus("");
    Recompute();
}

void TChecksControl::RunStarted() {
    Running = true;
    ++RunsStarted;
    if (Searching()) Cancel(RunCancels);
    UpdateControls();
}

void TChecksControl::RunCompleted(const sheetpile::TModel& model, const TInputTexts& inputs) {
    Running = false;
    Snapshot = sheetpile::RunResult(model, false);
    SnapshotFast = model.UseFastSolvers;
    Inputs = inputs;
    DropAnswer();
    if (Status == TStatus::Cancelled && !Searching() && RunsStarted > CancelledAt)
        SetStatus(TStatus::None, "");
    Recompute();
}

void TChecksControl::FieldEdited(std::size_t index, const std::string& text) {
    if (index >= report::SettingFields.size()) return;
    const report::TSettingFieldDesign& d = report::SettingFields[index];
    if (Searching()) { // the search reads these settings: they stay
        View.ShowField(index, SettingText(CurrentSettings, d.Field));
        return;
    }
    const long double before = CurrentSettings.*d.Member;
    const std::string error = ApplySetting(text, d.Field, CurrentSettings);
    View.ShowField(index, SettingText(CurrentSettings, d.Field)); // the value in force
    if (!error.empty()) {
        View.ShowSettingsMessage("\"" + text + "\" refused: " + error + ".");
        MessageField = index;
        HasMessage = true;
        return;
    }
    const bool changed = !SameValue(CurrentSettings.*d.Member, before);
    if (HasMessage && (MessageField == index || changed)) {
        View.ShowSettingsMessage("");
        HasMessage = false;
    }
    if (!changed) return; // the same number, however typed: figures and answer stay
    DropAnswer();         // an earlier search ran under other settings
    Recompute();
}

void TChecksControl::CriterionChanged(std::size_t index) {
    if (index >= CriterionChoices.size() || index == Criterion) return;
    if (Searching()) {
        View.ShowCriterion(Criterion);
        return;
    }
    Criterion = index;
    DropAnswer(); // the answer was for the other criterion
    Recompute();
}

std::string TChecksControl::LoadSettings(const checks::TCheckSettings& settings) {
    if (std::string error = checks::CheckSettingsError(settings); !error.empty()) return error;
    if (Searching()) Cancel(LoadCancels);
    CurrentSettings = settings;
    for (std::size_t i = 0; i < report::SettingFields.size(); ++i)
        View.ShowField(i, SettingText(CurrentSettings, report::SettingFields[i].Field));
    View.ShowSettingsMessage("");
    HasMessage = false;
    DropAnswer();
    Recompute();
    return "";
}

void TChecksControl::DropAnswer() {
    Found.reset();
    if (Status == TStatus::Answer) {
        SetStatus(TStatus::None, "");
        View.ShowProgress(0, ProgressMaximum);
    }
}

void TChecksControl::SetStatus(TStatus kind, const std::string& text) {
    Status = kind;
    View.ShowSearchStatus(text);
}

void TChecksControl::Recompute() {
    View.ShowEmbedmentChart(Found ? std::optional(report::EmbedmentChart(*Found)) : std::nullopt);
    if (!Snapshot) {
        Figures = {};
        View.ShowNotice(NothingYet);
        View.ShowLines({});
        View.ShowRunCharts(std::nullopt, std::nullopt);
        View.ShowZones(report::ZoneNotes(nullptr));
        UpdateControls();
        return;
    }
    const checks::TCheckSettings s = SettingsForRun(CurrentSettings, Inputs);
    Figures = checks::RunDesignChecks(*Snapshot, s);
    View.ShowNotice("Figures of the last completed run: wall " + Inputs.WallDepth + ", stratum " +
                    Inputs.StratumDepth + ", blankets " + Inputs.LeftBlanket + " (left) and " +
                    Inputs.RightBlanket + " (right), heads " + Inputs.UpstreamHead + " and " +
                    Inputs.DownstreamHead + " (SI units).");
    View.ShowLines(report::CheckLines(Figures, s));
    View.ShowRunCharts(report::WallPressureChart(*Snapshot, Figures, s),
                       report::ExitGradientChart(*Snapshot, Figures));
    View.ShowZones(report::ZoneNotes(Snapshot.get()));
    UpdateControls();
}

void TChecksControl::UpdateControls() {
    View.EnableControls(HasRun() && !Running && !Searching(), Searching(), !Searching());
}

void TChecksControl::Find() {
    if (!HasRun() || Running || Searching()) return;
    CancelFlag = false;
    CancelReason.clear();
    Trials = 0;
    BracketLow = 0;
    BracketHigh = sheetpile::BaseRow;
    Found.reset();
    View.ShowEmbedmentChart(std::nullopt);
    View.ShowProgress(0, ProgressMaximum);
    SetStatus(TStatus::Searching, "Searching\xE2\x80\xA6");
    const checks::TCriterion criterion = CriterionChoices[Criterion].Criterion;
    // The search takes the run's H2 for the tailwater, as the rows do.
    const checks::TCheckSettings s = SettingsForRun(CurrentSettings, Inputs);
    Worker = std::thread(
        [this, run = Snapshot, fast = SnapshotFast, criterion, s, alive = std::weak_ptr(Alive)] {
            checks::TSearchControl control;
            control.Cancel = &CancelFlag;
            control.Progress = [this, alive](const checks::TEmbedmentTrial& t) {
                View.Post([this, alive, t] {
                    if (alive.lock()) TrialDone(t);
                });
            };
            checks::TEmbedment result = SearchRunEmbedment(run, fast, criterion, s, control);
            View.Post([this, alive, result = std::move(result)] {
                if (alive.lock()) SearchDone(result);
            });
        });
    UpdateControls();
}

void TChecksControl::Cancel(const std::string& why) {
    if (!Searching() || CancelFlag) return;
    CancelReason = why;
    CancelFlag = true;
    CancelledAt = RunsStarted;
    SetStatus(TStatus::Cancelled, why);
}

void TChecksControl::TrialDone(const checks::TEmbedmentTrial& t) {
    if (!Searching() || CancelFlag) return; // a cancelled search says nothing more
    ++Trials;
    if (t.Passes && t.Rows < BracketHigh) BracketHigh = t.Rows;
    if (!t.Passes && t.Rows > BracketLow) BracketLow = t.Rows;
    SetStatus(TStatus::Searching,
              "Trial " + std::to_string(Trials) + ": " + report::TrialSummary(t));
    View.ShowProgress(sheetpile::BaseRow - (BracketHigh - BracketLow), ProgressMaximum);
}

void TChecksControl::SearchDone(const checks::TEmbedment& result) {
    if (Worker.joinable()) Worker.join(); // it posted this as its last act
    if (result.Cancelled || CancelFlag) { // a cancel that came late still counts
        View.ShowProgress(0, ProgressMaximum);
        SetStatus(TStatus::Cancelled, CancelReason.empty() ? "Search cancelled." : CancelReason);
    } else {
        Found = result;
        View.ShowProgress(ProgressMaximum, ProgressMaximum);
        SetStatus(TStatus::Answer, report::EmbedmentSummary(result));
        View.ShowEmbedmentChart(report::EmbedmentChart(result));
    }
    UpdateControls();
}

} // namespace verrask
