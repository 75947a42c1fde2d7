// The section's rectilinear grid: every breakpoint on a grid line, graded toward the points
// where the head is singular, and what each cell and face is.
//
// Computes: x lines through the extent's ends, the walls and the cover ends; y lines through the
// base, the layer bottoms, the grounds and the toes; between breakpoints, cells of about
// `spacing` (in x times sqrt(kx/kz) averaged over the depth, the transformed length), graded by a
// power law x = a + L t^Grading toward wall toes (in x and y) and cover ends (in x, and toward
// the ground in y). Breakpoints closer than MergeDistance share a line. The far side of each
// wall's Terzaghi prism on its outflow side is a line too: the nearest line moves there and the
// grading's parameter is stretched to match, so the grading toward the wall is kept.
//
// Assumes: a section the reader accepted, with its extent set; spacing > 0.
//
// Holds: cell (i, j) is soil when j < TopRow[i] (below its stretch's ground), of layer
// RowLayer[j]; the vertical face on x line i at row j is a wall face when i == WallLine[w] and
// j >= ToeRow[w]; the ground face atop column i is open water (fixed head Surface[stretch].Water)
// when OpenTop[i], else covered (no flow). The base and far ends are no-flow.
#pragma once

#include "section/Section.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace verrask::sectionmodel {

// Power of the grading toward singular points: 2 to 3 keeps first-order convergence of q with
// narrow brackets at tips in one layer and on interfaces; 3 gave the narrower of the two.
inline constexpr double Grading = 3;
// Surveyed elevations and distances are no finer than a micrometre.
inline constexpr double MergeDistance = 1e-6;

struct TSectionGrid {
    std::vector<double> X, Y;                  // lines, increasing
    std::vector<std::size_t> TopRow;           // per column: rows of soil
    std::vector<std::size_t> ColumnStretch;    // per column
    std::vector<std::uint8_t> OpenTop;         // per column
    std::vector<std::size_t> RowLayer;         // per row
    std::vector<std::size_t> WallLine, ToeRow; // per wall

    std::size_t Columns() const { return X.size() - 1; }
    std::size_t Rows() const { return Y.size() - 1; }
    std::size_t Cell(std::size_t i, std::size_t j) const { return j * Columns() + i; }
    bool Soil(std::size_t i, std::size_t j) const { return j < TopRow[i]; }
    bool WallFace(std::size_t line, std::size_t j) const {
        for (std::size_t w = 0; w < WallLine.size(); ++w)
            if (line == WallLine[w] && j >= ToeRow[w]) return true;
        return false;
    }
};

// The width of Terzaghi's prism beside wall w on its `right` (else left) side for a prism
// `depth` deep: depth / 2, cut at the other wall and at the extent's end.
double PrismWidth(const section::TSection& s, std::size_t w, bool right, double depth);

// The number of cells the grid of `spacing` would have (cheap: no grid built).
std::size_t GridCells(const section::TSection& s, double spacing, unsigned doublings = 0);

// `doublings` > 0 halves every cell of the grid of `spacing` that many times (in the grading's
// parameter): BuildGrid(s, h, 0), (s, h, 1), (s, h, 2) are nested, ratio 2 in every cell. A
// plain BuildGrid(s, 2 h) is not nested with BuildGrid(s, h): each interval's cell count is
// rounded up on its own.
TSectionGrid BuildGrid(const section::TSection& s, double spacing, unsigned doublings = 0);

} // namespace verrask::sectionmodel
