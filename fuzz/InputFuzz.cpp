// Fuzz target over the whole input path of a RUN: eight texts -> number syntax -> checks ->
// stored inputs and geometry. Every accepted input must leave a geometry that the solvers,
// the refinement and the picture can rely on; a refused one must leave the model untouched.
//
// Input: the eight box texts separated by '\n', in the order L, R, d, D, Y'/Yw, K, H1, H2
// (missing texts keep the window's defaults).
#include "control/InputSyntax.h"
#include "control/PlainControls.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto model = std::make_unique<sheetpile::TModel>();
    static verrask::TTextShell shell;
    static verrask::TPlainControls controls;
    static verrask::TRunControl control(*model, shell, controls.Controls());

    verrask::TInputTexts texts;
    std::string* boxes[] = {&texts.LeftBlanket,  &texts.RightBlanket,    &texts.WallDepth,
                            &texts.StratumDepth, &texts.UnitWeightRatio, &texts.Permeability,
                            &texts.UpstreamHead, &texts.DownstreamHead};
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    for (std::string* box : boxes) {
        if (start > input.size()) break;
        const std::size_t end = std::min(input.find('\n', start), input.size());
        *box = input.substr(start, end - start);
        start = end + 1;
    }

    for (std::string* box : boxes) {
        long double v = 0;
        if (verrask::ParseNumber(*box, v)) Require(std::isfinite(v), "a parsed number is finite");
    }

    const int lastColBefore = model->LastCol;
    const long double depthBefore = model->StratumDepth;
    if (!control.Button1Click(texts)) {
        Require(model->LastCol == lastColBefore && model->StratumDepth == depthBefore,
                "a refused run changes nothing");
        return 0;
    }
    control.PendingWorkers = 0; // no workers run here

    const sheetpile::TModel& m = *model;
    Require(m.LeftBlanketCol == 150, "LeftBlanketCol = 150");
    Require(m.PileUpCol >= m.LeftBlanketCol, "LeftBlanketCol <= PileUpCol");
    Require(m.PileDownCol == m.PileUpCol + 1, "PileDownCol = PileUpCol + 1");
    Require(m.RightBlanketCol >= m.PileDownCol, "PileDownCol <= RightBlanketCol");
    Require(m.LastCol == m.RightBlanketCol + 150 && m.LastCol <= 501, "LastCol in range");
    Require(m.PileRows >= 0 && m.PileRows <= 49, "0 <= PileRows <= 49");
    Require(m.LeftBlanketX == 4 * m.LeftBlanketCol && m.RightBlanketX == 4 * m.RightBlanketCol &&
                m.PileUpX == 4 * m.PileUpCol && m.PileDownX == 4 * m.PileDownCol,
            "picture positions");
    Require(m.NetBitmap.Width() == 4 * m.LastCol && m.NetBitmap.Height() == 200, "picture size");
    Require(m.StratumDepth > 0 && std::isfinite(m.StratumDepth), "positive finite depth");
    Require(m.HeadDiff > 0 && std::isfinite(m.HeadDiff), "positive finite head difference");
    Require(std::isfinite(m.Permeability) && std::isfinite(m.UnitWeightRatio), "finite inputs");
    return 0;
}
