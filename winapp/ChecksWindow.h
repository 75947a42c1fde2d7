// The modeless "Design checks" window on the Win32 API: the check settings (one box for each
// entry of report::SettingFields, in a grid) and the search criterion, the design
// figures of the last completed run as rows with their verdicts, the three diagrams, and the
// embedment search with a progress bar and Cancel.
//
// Assumes: every member runs on the thread that created the window; the main window tells it
// when a run starts (RunStarted) and when one completes (RunCompleted).
//
// Holds: the figures are computed from a copy of the model taken at the run's completion, so
// nothing here reads the model while a run rewrites it, and the search never writes it. A refused
// setting changes nothing and says why beneath the fields. A RUN meanwhile cancels the search
// (the window says so); the search's thread has ended when the window is destroyed.
#pragma once

#include "checks/DesignChecks.h"
#include "checks/EmbedmentSearch.h"
#include "control/RunControl.h"
#include "report/CheckLines.h"
#include "winapp/ChartView.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace verrask::win {

class TChecksForm {
  public:
    TChecksForm(HWND owner, int dpi);
    ~TChecksForm();
    TChecksForm(const TChecksForm&) = delete;
    TChecksForm& operator=(const TChecksForm&) = delete;

    void RunStarted();
    void RunCompleted(const sheetpile::TModel& model, const TInputTexts& inputs);
    // Settings opened from a file (accepted by the checks' rule): shown in the boxes and in
    // force; a search in progress is cancelled, an earlier answer dropped.
    void LoadSettings(const checks::TCheckSettings& settings);
    // A settings box has been left (or Enter pressed in it): its text is applied or refused.
    void FieldEdited(std::size_t index);
    void CriterionChanged();
    void FindClick();
    void CancelClick(const std::string& why = "Search cancelled.");

    bool Searching() const { return Worker.joinable(); }
    const checks::TCheckSettings& Settings() const { return CurrentSettings; }
    const std::optional<checks::TEmbedment>& Embedment() const { return Found; }
    std::string Text(HWND control) const;

    HWND Handle = nullptr;
    HWND Notice{}, SettingsMessage{}, CriterionBox{}, Lines{}, FindButton{}, CancelButton{},
        Progress{}, SearchStatus{};
    std::array<HWND, report::SettingFields.size()> Fields{};
    std::unique_ptr<TChartView> WallChart, ExitChart, EmbedChart;

  private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Dispatch(UINT message, WPARAM w, LPARAM l);
    void CreateControls(int dpi);
    void Recompute();
    void UpdateButtons();
    void SearchFinished();
    void JoinWorker();

    HFONT Font = nullptr;
    checks::TCheckSettings CurrentSettings;
    checks::TCriterion Criterion = checks::TCriterion::Terzaghi;
    std::shared_ptr<const sheetpile::TModel> Snapshot; // the last completed run
    TInputTexts Inputs;
    bool Running = false;
    std::optional<checks::TEmbedment> Found;
    std::optional<checks::TEmbedment> Result; // the search's, handed over with its end message
    std::atomic<bool> Cancel{false};
    std::string CancelReason;
    int BracketLow = 0, BracketHigh = 50; // deepest failing, shallowest passing rows so far
    std::thread Worker;
};

} // namespace verrask::win
