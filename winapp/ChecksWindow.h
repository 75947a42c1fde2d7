// The modeless "Design checks" window on the Win32 API: the check settings (one box for each
// entry of report::SettingFields, in a grid) and the search criterion, the design figures of the
// last completed run as rows with their verdicts, the zone legend, the three diagrams, and the
// embedment search with a progress bar and Cancel. What they show and when is decided by
// TChecksControl; this class owns the controls and forwards their notifications.
//
// Assumes: every member runs on the thread that created the window; the main window tells it
// when a run starts (RunStarted) and when one completes (RunCompleted).
//
// Holds: the window is laid out for its density (designed at 96 dpi) and again on
// WM_DPICHANGED; the list of figures is as tall as its rows. The search's thread reaches the
// window only by posted messages; the thread has ended, and what it posted is freed, when the
// object is destroyed. Open places the window beside its owner on the owner's screen.
#pragma once

#include "control/ChecksControl.h"
#include "winapp/ChartView.h"

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace verrask::win {

class TChecksForm final : private TChecksView {
  public:
    TChecksForm(HWND owner, int dpi);
    ~TChecksForm() override;
    TChecksForm(const TChecksForm&) = delete;
    TChecksForm& operator=(const TChecksForm&) = delete;

    // Shows the window; from hidden, beside its owner first.
    void Open();

    void RunStarted() { Control->RunStarted(); }
    void RunCompleted(const sheetpile::TModel& model, const TInputTexts& inputs) {
        Control->RunCompleted(model, inputs);
    }
    std::string LoadSettings(const checks::TCheckSettings& s) { return Control->LoadSettings(s); }
    // The controls' notifications: a settings box left (or Enter pressed in it), the criterion
    // chosen, the buttons.
    void FieldEdited(std::size_t index);
    void CriterionChanged();
    void FindClick() { Control->Find(); }
    void CancelClick(const std::string& why = "Search cancelled.") { Control->Cancel(why); }

    bool HasRun() const { return Control->HasRun(); }
    bool Searching() const { return Control->Searching(); }
    const checks::TCheckSettings& Settings() const { return Control->Settings(); }
    const checks::TDesignChecks& Checks() const { return Control->Checks(); }
    const std::optional<checks::TEmbedment>& Embedment() const { return Control->Embedment(); }
    std::string Text(HWND control) const;
    int Dpi() const { return CurrentDpi; }

    LRESULT Dispatch(UINT message, WPARAM w, LPARAM l);

    HWND Handle = nullptr;
    HWND Notice{}, SettingsMessage{}, CriterionBox{}, Lines{}, FindButton{}, CancelButton{},
        Progress{}, SearchStatus{}, LegendTitle{};
    std::array<HWND, report::SettingFields.size()> Fields{};
    std::array<HWND, 3> Swatches{}, Zones{}; // the legend: each zone's colour and its text
    std::unique_ptr<TChartView> WallChart, ExitChart, EmbedChart;

  private:
    void ShowNotice(const std::string& text) override;
    void ShowField(std::size_t index, const std::string& text) override;
    void ShowCriterion(std::size_t index) override;
    void ShowSettingsMessage(const std::string& text) override;
    void ShowLines(const std::vector<report::TCheckLine>& lines) override;
    void ShowRunCharts(const std::optional<report::TChart>& wall,
                       const std::optional<report::TChart>& exit) override;
    void ShowEmbedmentChart(const std::optional<report::TChart>& chart) override;
    void ShowZones(const std::array<report::TZoneNote, 3>& zones) override;
    void ShowProgress(int position, int maximum) override;
    void ShowSearchStatus(const std::string& text) override;
    void EnableControls(bool find, bool cancel, bool settings) override;
    void Post(std::function<void()> task) override;

    void CreateControls();
    void ApplyDpi(int dpi); // fonts, the fixed controls' places, then Arrange
    void Arrange();         // the list as tall as its rows, the legend and diagrams below it
    void DropPosted();

    struct TPlaced {
        HWND Control;
        RECT Design; // at 96 dpi
    };
    std::vector<TPlaced> Placed; // the controls whose places do not depend on the rows
    HWND Owner = nullptr;
    int CurrentDpi = 96;
    HFONT Font = nullptr;
    std::array<HBRUSH, 3> ZoneBrushes{};
    bool Closing = false; // the destructor runs: notifications are ignored
    std::unique_ptr<TChecksControl> Control;
};

} // namespace verrask::win
