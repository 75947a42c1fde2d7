// The design-checks window's behaviour, free of any toolkit: the check settings and the search
// criterion, the figures and diagrams of the main window's last completed run, the zone legend,
// and the embedment search on a thread of its own with its progress, Cancel and answer. Each
// toolkit's window implements TChecksView with its widgets and forwards its events here.
//
// Assumes: every member of TChecksControl is called on the view's thread; the main window calls
// RunStarted when a run starts and RunCompleted when one has completed, with the model at rest.
// TChecksView::Post may be called from any thread and runs its task later on the view's thread
// (never inside the call).
//
// Holds: the view shows the settings in force (a box always the value in force, a refusal under
// the boxes until that box is left accepted or another change is accepted); the figures are
// those of a copy of the last completed run under these settings, so a run rewriting the model
// or a search never touches what is shown, and the search never writes the user's model. A
// search's answer is dropped when the settings change in value, the criterion changes, a run
// completes or other settings are loaded; a search that ends after Cancel (or after a RUN) is
// dropped. A cancelled search's message stays until the run after the cancellation completes.
// The search's thread touches neither the view's widgets nor this object's state: it only posts.
// The destructor (or Shutdown) returns when that thread has ended; tasks posted before then do
// nothing afterwards.
#pragma once

#include "checks/DesignChecks.h"
#include "checks/EmbedmentSearch.h"
#include "control/RunControl.h"
#include "report/ChartContents.h"
#include "report/CheckLines.h"

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace verrask {

class TChecksView {
  public:
    virtual ~TChecksView() = default;
    virtual void ShowNotice(const std::string& text) = 0;                   // above the settings
    virtual void ShowField(std::size_t index, const std::string& text) = 0; // a settings box
    virtual void ShowCriterion(std::size_t index) = 0;                      // into CriterionChoices
    virtual void ShowSettingsMessage(const std::string& text) = 0;          // "" for none
    virtual void ShowLines(const std::vector<report::TCheckLine>& lines) = 0;
    // The run's two diagrams; none before a run (the view shows its note for an empty chart).
    virtual void ShowRunCharts(const std::optional<report::TChart>& wall,
                               const std::optional<report::TChart>& exit) = 0;
    virtual void ShowEmbedmentChart(const std::optional<report::TChart>& chart) = 0;
    virtual void ShowZones(const std::array<report::TZoneNote, 3>& zones) = 0;
    virtual void ShowProgress(int position, int maximum) = 0; // a filling bar, 0..maximum
    virtual void ShowSearchStatus(const std::string& text) = 0;
    virtual void EnableControls(bool find, bool cancel, bool settings) = 0;
    virtual void Post(std::function<void()> task) = 0;
};

class TChecksControl {
  public:
    explicit TChecksControl(TChecksView& view);
    ~TChecksControl();
    TChecksControl(const TChecksControl&) = delete;
    TChecksControl& operator=(const TChecksControl&) = delete;

    // Shows everything once the view's widgets exist.
    void Attach();
    // Cancels a search and waits for its thread; the view gets nothing more from it.
    void Shutdown();

    // From the main window.
    void RunStarted();
    void RunCompleted(const sheetpile::TModel& model, const TInputTexts& inputs);
    // From the window's widgets.
    void FieldEdited(std::size_t index, const std::string& text); // a box left or Enter
    void CriterionChanged(std::size_t index);
    void Find();
    void Cancel(const std::string& why = "Search cancelled.");
    // Replaces every setting (an opened inputs file): "" and the boxes show them, or the checks'
    // own refusal and nothing changed.
    std::string LoadSettings(const checks::TCheckSettings& settings);

    bool HasRun() const { return Snapshot != nullptr; }
    const checks::TCheckSettings& Settings() const { return CurrentSettings; }
    const checks::TDesignChecks& Checks() const { return Figures; }
    const std::optional<checks::TEmbedment>& Embedment() const { return Found; }
    bool Searching() const { return Worker.joinable(); }
    std::size_t CriterionIndex() const { return Criterion; }

  private:
    enum class TStatus { None, Searching, Answer, Cancelled };
    void Recompute();
    void UpdateControls();
    void DropAnswer();
    void SetStatus(TStatus kind, const std::string& text);
    void TrialDone(const checks::TEmbedmentTrial& trial);
    void SearchDone(const checks::TEmbedment& result);

    TChecksView& View;
    checks::TCheckSettings CurrentSettings;
    std::size_t Criterion = 0;
    section::TNodeResultPtr Snapshot; // the last completed run
    bool SnapshotFast = true;         // whose trials use the fast solvers
    TInputTexts Inputs;
    checks::TDesignChecks Figures;
    std::optional<checks::TEmbedment> Found;
    bool Running = false; // a run of the main window is in progress
    int RunsStarted = 0;
    int CancelledAt = 0;          // RunsStarted when the shown cancellation happened
    std::size_t MessageField = 0; // the box the settings message is about
    bool HasMessage = false;
    TStatus Status = TStatus::None;
    std::string CancelReason;
    int Trials = 0;
    int BracketLow = 0, BracketHigh = 0; // deepest failing, shallowest passing rows so far
    std::atomic<bool> CancelFlag{false};
    std::shared_ptr<int> Alive = std::make_shared<int>(0); // posted tasks run while it lives
    std::thread Worker;
};

} // namespace verrask
