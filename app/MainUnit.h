// The main window Form1 (TForm1): the eight input boxes and RUN, the after-run track bars and
// check boxes, the message label, the flow-net picture, the seven-panel status bar and the menu
// (opening and saving the inputs file, saving and exporting the last completed run, copying its
// picture, the design-checks window).
// It computes nothing itself: it is the run control's shell (TRunShell) and hands every event to
// TRunControl and the model.
//
// Assumes: one model for the program's life, created before the window and destroyed after it;
// Qt's automatic high-dpi scaling is off, so one Qt pixel is one screen pixel.
//
// Holds: the window is laid out for CurrentDpi (designed at 96 dpi, scaled by hand on creation
// and on every change of the screen's density); while a run is in progress RUN, the track bars,
// the check boxes and the commands on the last run are disabled (those until a run completes); a
// completion arriving after the window has closed is dropped; the destructor returns only when no
// worker lives.
#pragma once

#include "app/ChecksForm.h"
#include "app/ImageView.h"
#include "app/StatusStrip.h"
#include "app/TuningAdapters.h"
#include "app/WindowScaling.h"
#include "control/RunControl.h"
#include "control/RunEvents.h"
#include "control/RunSession.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QScreen;

namespace verrask::app {

class TForm1 final : public QWidget, public TRunShell, public TRunEvents {
    Q_OBJECT

  public:
    // Opens on the given screen (the primary one if none), laid out for its density.
    explicit TForm1(sheetpile::TModel& model, QScreen* screen = nullptr);
    ~TForm1() override;

    // Components, in the order of the window's design.
    QMenuBar* MainMenu1;
    QMenu* File1;
    QSlider* TrackBar1;
    QSlider* TrackBar2;
    QLabel* Label1;
    QLabel* Label2;
    QAction* Exit1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* Button1;
    QMenu* Help1;
    QAction* About1;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLabel* Label8;
    QLineEdit* Edit5;
    QFrame* Bevel3;
    TImage* Image1;
    TStatusStrip* StatusBar1;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLabel* Label9;
    QLabel* Label10;
    QTimer* Timer1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QFrame* Bevel4;
    QLineEdit* Edit8;
    QLabel* Label11;
    QMenu* EditMenu1;
    QMenu* Checks1;
    QAction* OpenInputs1;
    QAction* SaveInputs1;
    QAction* SavePicture1;
    QAction* ExportResults1;
    QAction* ExportReport1;
    QAction* Copy1;
    QAction* DesignChecks1;
    TChecksForm* ChecksForm; // the modeless design-checks window, hidden until asked for

    // Event handlers (with those after a run: TRunEvents).
    void Exit1Click();
    void Button1Click();
    void FormCanResize(int newWidth, int newHeight);
    void About1Click();
    void FormCreate();
    void FormDestroy();
    void Timer1Timer();
    void OpenInputs1Click(); // fills the eight boxes and the check settings (RUN is not pressed)
    void SaveInputs1Click(); // the eight boxes as typed and the check settings
    void SavePicture1Click();
    void ExportResults1Click();
    void ExportReport1Click();
    void Copy1Click();
    void DesignChecks1Click();
    // A worker's completion, on the main thread (invoked by name from the workers).
    Q_INVOKABLE void WorkerDone();
    // The screen's density changed, or the window moved to a screen of another density.
    void WMDpiChanged(int dpi);

    int CurrentDpi = 96;

    // The client area: everything below the menu bar.
    QWidget* Client() const { return ClientArea; }
    const TRunControl& Control() const { return *RunControl; }
    // Workers of this window whose threads have not yet finished.
    int LiveWorkers() const { return Live; }
    bool RunDropped() const { return Dropped; }
    std::string MessageText; // Label5's text as the run control gave it (CR LF line breaks)
    int Alerts = 0;
    // The box the last RUN was refused for, marked and carrying the reason as its tooltip until
    // the next accepted RUN or until it is edited (None: no box is marked).
    TInputBox MarkedBox = TInputBox::None;
    QLineEdit* InputBox(TInputBox box) const; // nullptr for None
    // A completed run whose results the commands may save (none during a run).
    bool HasResults() const { return Completed; }
    // Where a command asks for a file name ("" when the user cancels) and reports a failed
    // write or a refused file; the tests replace the dialogs.
    std::function<QString(const QString& caption, const QString& filter)> AskSaveName;
    std::function<QString(const QString& caption, const QString& filter)> AskOpenName;
    std::function<void(const QString& message)> ShowFailure;
    // The last completed run, the shown texts and the report's details as at the details
    // dialog's last OK (the dialog opens with them, the exported report carries them).
    TRunSession Session;

  Q_SIGNALS:
    void Closed(); // the window has closed: the program ends

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    TRunControl& RunEvents() override;
    // TRunShell.
    void SetMessage(const std::string& text) override;
    void SetPanel(int index, const std::string& text) override;
    void SetRunEnabled(bool enabled) override;
    void ShowPicture() override;
    void StartTimer() override;
    void StopTimer() override;
    void Alert() override;
    void StartWorkers() override;
    char DecimalSeparator() const override;
    void ShowRefusedBox(TInputBox box, const std::string& reason) override;

    void CreateComponents(); // the design at 96 dpi
    void LayoutAtCreation();
    void ScaleBy(int m, int d);     // the whole window and its controls
    void ApplyScaledSizes(int dpi); // the sizes set explicitly after a scaling
    void SetFontSize(QWidget* widget, int pixels);
    void FitLabels();
    void SetClientSize(int width, int height);
    void Relayout(); // menu, client area, anchors, status bar, picture centring
    void WatchScreen(QScreen* screen);
    int MenuHeight() const;
    TInputTexts InputTexts() const;
    void SetInputTexts(const TInputTexts& texts);
    TRunChecks RunChecks() const;
    void UpdateCommands();
    QString SaveName(const QString& caption, const QString& filter);
    QString OpenName(const QString& caption, const QString& filter);
    void Failed(const QString& message);
    void ClearMark();

    sheetpile::TModel& Model;
    QWidget* ClientArea;
    std::unique_ptr<TSliderTrackBar> Tuning1, Tuning2;
    std::unique_ptr<TWidgetCheckBox> Zone1, Zone2, Zone3;
    std::unique_ptr<TRunControl> RunControl; // created once the controls exist
    int AnchorWidth = 600;                   // client width the anchored controls are placed for
    int Live = 0;
    bool Dropped = false;
    QScreen* OpeningScreen = nullptr;
    QScreen* WatchedScreen = nullptr;
    QMetaObject::Connection DpiWatch;
    bool Completed = false;
};

} // namespace verrask::app
