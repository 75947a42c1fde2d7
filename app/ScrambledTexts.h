// The scrambled texts (control/ScrambledTexts.h) as Qt strings.
#pragma once

#include "control/ScrambledTexts.h"

#include <QString>

namespace verrask::app {

inline QString WindowCaption() {
    return QString::fromStdU16String(verrask::WindowCaption());
}
inline QString AboutLabel1Text() {
    return QString::fromStdU16String(verrask::AboutLabel1Text());
}
inline QString AboutLabel2Text() {
    return QString::fromStdU16String(verrask::AboutLabel2Text());
}
inline QString AboutLabel3Text() {
    return QString::fromStdU16String(verrask::AboutLabel3Text());
}

} // namespace verrask::app
