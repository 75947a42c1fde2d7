// Run control shared by every front end (the window and the batch tool): reading and checking
// the eight inputs, starting a run, counting its two workers off and showing the results.
//
// The front end implements TRunShell with its own widgets and threads; TRunControl decides what
// they show and when, so every front end shows the same texts in the same order.
//
// Assumes: every member of TRunControl is called on one thread (the window's main thread); the
// shell's StartWorkers runs TThread1Execute and TThread2Execute on two threads and delivers each
// completion as a call of WorkerDone on that same thread, after the worker's body has ended.
//
// Holds: a refused RUN changes nothing of the model; an accepted one has stored the inputs and
// set the geometry before any worker starts.
#pragma once

#include "control/TuningControls.h"
#include "sheetpile/SheetpileUnit.h"

#include <string>
#include <string_view>

namespace verrask {

// The texts of the eight inputs as typed, by what they mean; defaults are the window's.
struct TInputTexts {
    std::string LeftBlanket = "0";     // L, left blanket length
    std::string RightBlanket = "0";    // R, right blanket length
    std::string WallDepth = "1";       // d, sheet pile wall depth
    std::string StratumDepth = "2";    // D, stratum depth
    std::string UnitWeightRatio = "1"; // Y'/Yw
    std::string Permeability = "1E-5"; // K, permeability
    std::string UpstreamHead = "1";    // H1, upstream head
    std::string DownstreamHead = "0";  // H2, downstream head
};

struct TInputValues {
    long double K = 0, D = 0, d = 0, UnitWeightRatio = 0, H1 = 0, H2 = 0, L = 0, R = 0;
};

// The input box a refusal is about (None: the input was accepted).
enum class TInputBox { None, Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8 };

// Reads the boxes (K, D, d, Y'/Yw, H1, H2, L, R) and checks them. Returns "" when the input is
// accepted, else why it is refused (the batch tool's stderr, the windows' mark at the box); a
// typed text is quoted in it shortened when long. Besides the window's checks it refuses what
// the model cannot hold: a stratum depth of zero or below, blankets of more than 200 grid steps
// together, and inputs whose head difference, heave threshold or largest possible discharge is
// not finite; last, what is physically impossible: K or Y'/Yw of zero or below, a negative
// blanket length or wall depth (zero means none). `refused`, when given, is set to the box the
// reason is about (None when accepted; of two blankets the longer, of the wall and the
// stratum the wall, of the two heads the upstream one).
std::string ReadInputs(const TInputTexts& texts, TInputValues& values,
                       TInputBox* refused = nullptr);

// `text` for a message in quotes: whole when short, else its first 40 bytes (whole characters), an
// ellipsis and its length in characters.
std::string QuotedInput(std::string_view text);

// The texts a run ends with (also used by the batch tool, which prints the same words).
std::string ResultMessage(const sheetpile::TModel& model, char separator);
long double Discharge(const sheetpile::TModel& model); // q = (HeadDiff x ShapeFactor) x K

inline constexpr const char* WrongInputText = "Your input data is wrong!";
inline constexpr int PanelCount = 7;

class TRunShell {
  public:
    virtual ~TRunShell() = default;
    virtual void SetMessage(const std::string& text) = 0;          // Label5
    virtual void SetPanel(int index, const std::string& text) = 0; // status panels 0..6
    virtual void SetRunEnabled(bool enabled) = 0;                  // Button1
    virtual void ShowPicture() = 0; // the model's ShownPicture changed: show it (Image1)
    virtual void StartTimer() = 0;  // Timer1, 1000 ms
    virtual void StopTimer() = 0;
    virtual void Alert() = 0;        // the system's alert sound
    virtual void StartWorkers() = 0; // TThread1, then TThread2; completions call WorkerDone
    virtual char DecimalSeparator() const = 0;
    // The box a RUN was refused for and why (after the alert and the designed texts), or None
    // and "" when a RUN is accepted: the window marks the box or clears its mark.
    virtual void ShowRefusedBox(TInputBox box, const std::string& reason) {
        (void)box;
        (void)reason;
    }
};

// The window's after-run controls, owned by the front end.
struct TTuningControls {
    TTrackBar& TrackBar1; // "Flow Net :", sets Nd
    TTrackBar& TrackBar2; // "Tune :", sets Nf
    TCheckBox& CheckBox1; // "Critical Zone"
    TCheckBox& CheckBox2; // "Possibly Heave Zone"
    TCheckBox& CheckBox3; // "Imminent Heave Zone"
};

class TRunControl {
  public:
    TRunControl(sheetpile::TModel& model, TRunShell& shell, TTuningControls controls)
        : Model(model), Shell(shell), Controls(controls) {}

    void FormCreate();                           // opened state; InitModel
    bool Button1Click(const TInputTexts& texts); // RUN; true when the workers were started
    void Timer1Timer();                          // one elapsed second
    bool WorkerDone();                           // true for the completion that ends the run

    // Change handlers: the front end calls them whenever a bar's position or a box's checked
    // state changes (also when the program moves a bar), never during a run.
    void TrackBar1Change();
    void TrackBar2Change();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();

    // The mouse probe over the shown picture, X and Y in its pixels: panels 4 and 5 show the depth
    // and the head loss of fine row Y - 3. Ignored above the net (Y <= 3), before the first
    // completed run, and outside the last completed run's picture (a held button may report
    // such positions). May run during a run: it reads FineHead race-free.
    void Image1MouseMove(int X, int Y);

    int PendingWorkers = 0;
    int ElapsedSeconds = 0;
    std::string LastRefusal;                // why the last RUN was refused, "" if it was accepted
    TInputBox RefusedBox = TInputBox::None; // the box LastRefusal is about

  private:
    void ClearPanels(int from);
    void SetTuningEnabled(bool enabled);
    void ZoneChanged(bool& flag, const TCheckBox& box);
    void ComposeNet(); // the net with the model's Nd and Nf, and the structure over it
    sheetpile::TModel& Model;
    TRunShell& Shell;
    TTuningControls Controls;
    // The picture is ComposeNet's for the model's DrawNd and DrawNf: redrawing it with those
    // counts would change no pixel. Cleared by a new geometry and by the overlays' redraw, whose
    // pile keeps the background colour.
    bool NetComposed = false;
};

} // namespace verrask
