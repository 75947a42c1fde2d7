// The two workers of a run on std::thread: TThread1 solves and refines the stream function,
// TThread2 the head loss. Each body ends with its completion, sent to the window (SendMessage),
// so that the window's thread runs WorkerDone while the worker waits for it.
//
// Threads made by CreateThread or _beginthreadex start with the x87 precision control at 53
// bits, which would make every long double computation a double one without any sign; the
// workers check the control word and set 64 bits before they compute. Results are then the
// same, bit for bit, as on any other platform.
#pragma once

#include "sheetpile/ModelState.h"

#include <windows.h>

#include <thread>

namespace verrask::win {

// The x87 precision control of the calling thread: 24, 53 or 64 significand bits.
int X87PrecisionBits();
// Sets 64 bits (extended precision) if the thread has less.
void UseExtendedPrecision();

// The window message that carries a worker's completion.
inline constexpr UINT WM_WORKERDONE = WM_APP + 1;

// Starts the body of TThread1 (stream = true) or TThread2 on a new thread; its completion is
// sent to the window.
std::thread StartWorker(sheetpile::TModel& model, bool stream, HWND form);

} // namespace verrask::win
