// The workers' bodies and the x87 precision control.
#include "winapp/Workers.h"

namespace verrask::win {
namespace {

constexpr unsigned short PrecisionMask = 0x0300;     // bits 8 and 9 of the control word
constexpr unsigned short PrecisionExtended = 0x0300; // 64-bit significand

unsigned short ControlWord() {
    unsigned short word = 0;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

} // namespace

int X87PrecisionBits() {
    switch (ControlWord() & PrecisionMask) {
    case 0x0000:
        return 24;
    case 0x0200:
        return 53;
    default:
        return 64;
    }
}

void UseExtendedPrecision() {
    unsigned short word = ControlWord();
    if ((word & PrecisionMask) == PrecisionExtended) return;
    word = static_cast<unsigned short>(word | PrecisionExtended);
    asm volatile("fldcw %0" : : "m"(word));
}

std::thread StartWorker(sheetpile::TModel& model, bool stream, HWND form) {
    return std::thread([&model, stream, form] {
        UseExtendedPrecision();
        if (stream)
            sheetpile::TThread1Execute(model);
        else
            sheetpile::TThread2Execute(model);
        // Returns when the window's WorkerDone has run (at once if the window is gone).
        SendMessageW(form, WM_WORKERDONE, 0, 0);
    });
}

} // namespace verrask::win
