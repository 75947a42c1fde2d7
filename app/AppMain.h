// The program's start-up and end, shared by the program and the tests that run it whole.
//
// Holds: the application title is set and Qt's automatic high-dpi scaling is off before the
// window exists; closing the main window ends the event loop; a run still in progress then is
// dropped and the process ends at once, without waiting for its workers (the program keeps no
// files, so nothing is lost).
#pragma once

#include "control/ScrambledTexts.h"
#include "sheetpile/ModelState.h"

#include <QApplication>

#include <functional>

namespace verrask::app {

class TForm1;

// Before the application object: one Qt pixel is one screen pixel.
void PrepareEnvironment();
// The title and the program's icon.
void SetUpApplication(QApplication& app);
// Creates Form1 for the model, shows it, calls started (if any) and runs the event loop until
// the window closes. Ends the process directly when workers are still running then.
int RunMainWindow(QApplication& app, sheetpile::TModel& model,
                  const std::function<void(TForm1&)>& started = {});

} // namespace verrask::app
