// The modeless "Design checks" window on Qt: the widgets of the check settings, the rows of the
// last completed run's figures, the zone legend, the three diagrams and the embedment search's
// buttons and progress. What they show and when is decided by TChecksControl.
//
// Assumes: the main window tells it when a run starts and when one has completed, on the main
// thread, while no worker runs.
//
// Holds: every widget shows what the presenter last said; the search's thread reaches the
// window only through queued calls, which Qt drops once the window is gone; the window opens
// beside its owner on the owner's screen. The destructor returns only when the search's thread
// has ended.
#pragma once

#include "app/ChartView.h"
#include "control/ChecksControl.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

#include <array>
#include <memory>

namespace verrask::app {

class TChecksForm final : public QWidget {
    Q_OBJECT

  public:
    explicit TChecksForm(QWidget* owner);
    ~TChecksForm() override;

    // From the main window.
    void RunStarted() { Control->RunStarted(); }
    void RunCompleted(const sheetpile::TModel& model, const TInputTexts& inputs) {
        Control->RunCompleted(model, inputs);
    }
    std::string LoadSettings(const checks::TCheckSettings& s) { return Control->LoadSettings(s); }

    // What the report of the last run needs.
    bool HasRun() const { return Control->HasRun(); }
    const checks::TCheckSettings& Settings() const { return Control->Settings(); }
    const checks::TDesignChecks& Checks() const { return Control->Checks(); }
    const std::optional<checks::TEmbedment>& Embedment() const { return Control->Embedment(); }
    bool Searching() const { return Control->Searching(); }

    // Opening from hidden places the window beside its owner first.
    void setVisible(bool visible) override;

    QLabel* Notice;
    std::array<QLineEdit*, report::SettingFields.size()> Fields{};
    QComboBox* Criterion;
    QLabel* SettingsMessage;
    QTableWidget* Lines;
    std::array<QLabel*, 3> Zones{}; // the legend's texts, each with its swatch before it
    TChartView* WallChart;
    TChartView* ExitChart;
    TChartView* EmbedmentChart;
    QPushButton* FindButton;
    QPushButton* CancelButton;
    QProgressBar* Progress;
    QLabel* SearchStatus;

  private:
    void PlaceBesideOwner();
    // The table `wanted` pixels tall where its screen has room for the whole window, else as
    // tall as the room allows, scrolling; the window stays on its screen's work area.
    void FitTable(int wanted);

    friend class TChecksWidgets;
    std::array<QLabel*, 3> Swatches{};
    std::unique_ptr<TChecksView> Widgets; // what the presenter shows, on this window's widgets
    std::unique_ptr<TChecksControl> Control;
};

} // namespace verrask::app
