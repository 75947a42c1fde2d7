// The modeless "Design checks" window: the check settings, the design-check figures of the main
// window's last completed run with pass or fail, the three diagrams, and the embedment search
// with its progress and Cancel.
//
// Assumes: the main window tells it when a run starts and when one has completed; it reads the
// model only then, on the main thread, while no worker runs.
//
// Holds: the figures are those of the last completed run under the settings in force; a refused
// setting changes nothing and says why under the fields; the search runs on a thread of its own
// over a copy of the completed run, so the user's model is never touched and the windows stay
// usable; a RUN cancels it. The destructor returns only when the search's thread has ended.
#pragma once

#include "app/ChartView.h"
#include "checks/DesignChecks.h"
#include "checks/EmbedmentSearch.h"
#include "control/RunControl.h"
#include "report/CheckLines.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

namespace verrask::app {

class TChecksForm final : public QWidget {
    Q_OBJECT

  public:
    explicit TChecksForm(QWidget* owner);
    ~TChecksForm() override;

    // From the main window.
    void RunStarted();
    void RunCompleted(const sheetpile::TModel& model, const TInputTexts& inputs);
    // Settings opened from a file (accepted by the checks' rule): shown in the boxes and in
    // force; a search in progress is cancelled, an earlier answer dropped.
    void LoadSettings(const checks::TCheckSettings& settings);

    // What the report of the last run needs.
    bool HasRun() const { return Snapshot != nullptr; }
    const checks::TCheckSettings& Settings() const { return CurrentSettings; }
    const checks::TDesignChecks& Checks() const { return Figures; }
    const std::optional<checks::TEmbedment>& Embedment() const { return Found; }
    bool Searching() const { return Worker.joinable(); }

    QLabel* Notice;
    std::array<QLineEdit*, report::SettingFields.size()> Fields{};
    QComboBox* Criterion;
    QLabel* SettingsMessage;
    QTableWidget* Lines;
    TChartView* WallChart;
    TChartView* ExitChart;
    TChartView* EmbedmentChart;
    QPushButton* FindButton;
    QPushButton* CancelButton;
    QProgressBar* Progress;
    QLabel* SearchStatus;

  private:
    void FieldEdited(std::size_t index);
    void Recompute();
    void StartSearch();
    void CancelSearch(const QString& why);
    void SearchFinished(const checks::TEmbedment& result);
    void JoinWorker();
    void UpdateButtons();

    checks::TCheckSettings CurrentSettings;
    std::shared_ptr<const sheetpile::TModel> Snapshot; // the last completed run
    TInputTexts Inputs;
    checks::TDesignChecks Figures;
    std::optional<checks::TEmbedment> Found;
    bool Running = false; // a run of the main window is in progress
    std::thread Worker;
    std::atomic<bool> Cancel{false};
    QString CancelReason;
    int Trials = 0;
};

} // namespace verrask::app
