// Display-scaling arithmetic: integer products, extended-precision quotient, ties to even.
#include "control/DisplayScaling.h"

#include "sheetpile/ModelState.h"

namespace verrask {

int ScaleValue(int value, int multiplier, int divisor) {
    const long double product = static_cast<long double>(value * multiplier);
    return static_cast<int>(sheetpile::Round(product / static_cast<long double>(divisor)));
}

} // namespace verrask
