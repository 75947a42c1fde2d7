// Shared helpers for the model tests: a fresh model per test, geometry set straight from grid
// markers, and whole-grid fingerprints for golden comparisons.
#pragma once

#include "sheetpile/SheetpileUnit.h"

#include <cstdint>
#include <memory>

namespace sheetpile::testing {

// A model as the program has it right after start-up (InitModel has run).
inline std::unique_ptr<TModel> NewModel() {
    auto model = std::make_unique<TModel>();
    model->InitModel();
    return model;
}

// Sets the markers the way SetupGeometry would for these grid steps.
inline void SetMarkers(TModel& m, int pileRows, int leftSteps, int rightSteps) {
    m.PileRows = pileRows;
    m.LeftBlanketCol = OpenSurfaceCols;
    m.PileUpCol = OpenSurfaceCols + leftSteps;
    m.PileDownCol = m.PileUpCol + 1;
    m.RightBlanketCol = m.PileDownCol + rightSteps;
    m.LastCol = m.RightBlanketCol + OpenSurfaceCols;
}

// FNV-1a over rows 0..rows-1, columns 0..cols-1 of a grid of 32-bit words.
template <typename Grid> std::uint64_t GridHash(const Grid& g, int rows, int cols) {
    std::uint64_t h = 1469598103934665603ull;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            std::uint32_t v = g[r][c];
            for (int b = 0; b < 4; ++b) {
                h ^= (v >> (8 * b)) & 0xFFu;
                h *= 1099511628211ull;
            }
        }
    return h;
}

inline std::uint64_t CoarseHash(const CoarseGrid& g, const TModel& m) {
    return GridHash(g, CoarseRows, m.LastCol + 1);
}
inline std::uint64_t FineHash(const FineGrid& g, const TModel& m) {
    return GridHash(g, FineRows, 4 * m.LastCol + 1);
}

} // namespace sheetpile::testing
