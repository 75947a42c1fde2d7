// Fuzz target over the inputs file's reader: any bytes are read or refused without a crash; a
// refusal leaves the output as it was; what is read writes back to a text that reads again to
// the same inputs and settings, bit for bit.
#include "control/InputsFile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// Same value, NaN (the tailwater taken from H2) equal to NaN.
bool Same(long double a, long double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, 10) == 0;
}

bool SameFile(const verrask::TInputsFile& a, const verrask::TInputsFile& b) {
    const auto& x = a.Inputs;
    const auto& y = b.Inputs;
    if (x.StratumDepth != y.StratumDepth || x.WallDepth != y.WallDepth ||
        x.UpstreamHead != y.UpstreamHead || x.DownstreamHead != y.DownstreamHead ||
        x.UnitWeightRatio != y.UnitWeightRatio || x.LeftBlanket != y.LeftBlanket ||
        x.RightBlanket != y.RightBlanket || x.Permeability != y.Permeability)
        return false;
    const auto& s = a.Settings;
    const auto& t = b.Settings;
    return Same(s.GammaW, t.GammaW) && Same(s.Tailwater, t.Tailwater) &&
           Same(s.FactorDst, t.FactorDst) && Same(s.FactorStb, t.FactorStb) &&
           Same(s.UpliftDst, t.UpliftDst) && Same(s.UpliftStb, t.UpliftStb) &&
           Same(s.TargetTerzaghi, t.TargetTerzaghi) && Same(s.TargetExit, t.TargetExit) &&
           Same(s.TargetColumn, t.TargetColumn) && Same(s.TargetEc7a, t.TargetEc7a) &&
           Same(s.TargetEc7b, t.TargetEc7b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const verrask::TInputsFile before; // the defaults
    verrask::TInputsFile file;
    const std::string error = verrask::ReadInputsText(text, file);
    if (!error.empty()) {
        Require(SameFile(file, before), "a refused file changed the output");
        return 0;
    }
    verrask::TInputsFile again;
    Require(verrask::ReadInputsText(verrask::InputsFileText(file), again).empty(),
            "a file read back is refused");
    Require(SameFile(file, again), "a file read back differs");
    return 0;
}
