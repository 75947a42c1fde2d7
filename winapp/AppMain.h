// The program's start and end, shared by the program and the tests that run it whole.
//
// Holds: closing the main window ends the message loop; a run still in progress then is
// dropped and the process ends at once, without waiting for its workers (the program keeps no
// files, so nothing is lost).
#pragma once

#include "sheetpile/ModelState.h"

#include <functional>

namespace verrask::win {

class TForm1;

// Creates Form1 for the model, shows it, calls started (if any) and runs the message loop until
// the window closes. Ends the process directly when workers are still running then.
int RunMainWindow(sheetpile::TModel& model, const std::function<void(TForm1&)>& started = {});

} // namespace verrask::win
