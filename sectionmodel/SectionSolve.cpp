// The section model: extent, grids refined to the accuracy, both solves, the result (see
// SectionSolve.h).
#include "sectionmodel/SectionSolve.h"

#include "sectionmodel/FiniteVolumeSolve.h"
#include "sectionmodel/PointValues.h"
#include "sectionmodel/SectionExtent.h"
#include "sectionmodel/SectionGrid.h"
#include "sectionmodel/VertexSolve.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <set>

namespace verrask::sectionmodel {

namespace {

// Refinement steps at most: each aims past the target, so two or three are the rule.
constexpr int MostGrids = 6;

// A direct solve balances the flux to about 1e-12 of q on most sections; soils decades apart in k
// on flat cells lose more. Rounding may take at most this share of the accuracy.
constexpr double RoundingShare = 0.01;

struct TGridSolve {
    TSectionGrid Grid;
    TFiniteVolumes Fv;
    double EnergyLow = 0, EnergyHigh = 0;
    std::size_t VertexUnknowns = 0;
    double Spacing = 0;
};

} // namespace

std::string SolveSection(const section::TSection& input, section::TSectionResultPtr& result) {
    try {
        section::TSection s = input;
        if (!s.Extent) s.Extent = AutomaticExtent(s);
        const double depth = s.Top() - s.Base();

        std::optional<TGridSolve> done;
        std::set<double> levels;
        double spacing = depth / StartCells;
        for (int grid = 0; grid < MostGrids; ++grid) {
            while (GridCells(s, spacing) > MostCells && !done) spacing *= 1.5;
            if (GridCells(s, spacing) > MostCells) break;
            TGridSolve solve{BuildGrid(s, spacing), {}, 0, 0, 0, spacing};
            const TSectionGrid& g = solve.Grid;
            solve.Fv = SolveFiniteVolumes(s, g);
            levels.clear();
            double datum = 0;
            // The levels of the water that flows: a piece of soil cut off at one level adds none.
            for (std::size_t i = 0; i < g.Columns(); ++i)
                if (g.OpenTop[i] && solve.Fv.Solved[g.Cell(i, g.TopRow[i] - 1)])
                    levels.insert(s.Surface[g.ColumnStretch[i]].Water);
            if (!levels.empty()) datum = *levels.begin();
            if (!solve.Fv.Flows) {
                done = std::move(solve);
                break;
            }
            for (std::size_t k = 0; k < s.Surface.size(); ++k)
                solve.EnergyLow += solve.Fv.StretchFlux[k] * (s.Surface[k].Water - datum);
            const TVertexEnergy vertex = SolveVertexEnergy(s, g, solve.Fv, datum);
            solve.EnergyHigh = vertex.Energy;
            solve.VertexUnknowns = vertex.Unknowns;
            done = std::move(solve);

            const double width =
                (done->EnergyHigh - done->EnergyLow) / (done->EnergyHigh + done->EnergyLow);
            if (width <= s.Accuracy) break;
            // First order: the width shrinks with the spacing; aim 10 % past the target.
            spacing *= std::clamp(0.9 * s.Accuracy / width, 0.25, 0.8);
        }
        if (!done)
            return "the section needs a grid of more than " + std::to_string(MostCells) +
                   " cells even at its coarsest";

        // Rounding that no refinement step recovers (cells too flat for the soils' contrast)
        // shows as unbalanced flux or a crossed bracket: refused, never printed.
        if (const TFiniteVolumes& fv = done->Fv; fv.Flows) {
            const double balance = fv.Inflow > 0 ? (fv.Inflow - fv.Outflow) / fv.Inflow : 1;
            const double most = RoundingShare * s.Accuracy;
            if (!(std::fabs(balance) <= most) ||
                !(done->EnergyLow <= done->EnergyHigh * (1 + most)))
                return "the solve lost precision (flux balance " + std::to_string(balance) +
                       "): the soils' permeabilities are too far apart for this grid";
        }

        auto out = std::make_shared<section::TSectionResult>();
        const TSectionGrid& g = done->Grid;
        const TFiniteVolumes& fv = done->Fv;
        out->X = g.X;
        out->Y = g.Y;
        out->Head = fv.Head;
        out->Psi = StreamFunction(g, fv);
        out->StretchFlux = fv.StretchFlux;
        out->Unknowns = fv.Unknowns;
        const double range = levels.size() < 2 ? 0 : *levels.rbegin() - *levels.begin();
        out->Bracketed = levels.size() <= 2;
        if (fv.Flows) {
            out->MassBalance = (fv.Inflow - fv.Outflow) / fv.Inflow;
            const double low = out->Bracketed ? done->EnergyLow / range : fv.Inflow;
            const double high = out->Bracketed ? done->EnergyHigh / range : fv.Inflow;
            // Each bound moved out by what rounding left (the flux unbalanced, a bracket crossed
            // where both schemes are all but exact): the interval stays certain.
            const double slack = std::fabs(fv.Inflow - fv.Outflow) + std::max(0.0, low - high);
            out->QLow = std::max(0.0, low - slack);
            out->QHigh = high + slack;
        }
        out->Q = (out->QLow + out->QHigh) / 2;
        if (!fv.Flows) out->QError = 0;
        if (fv.Flows) {
            TPointValues points = EstimatePointValues(s, done->Spacing);
            out->Walls = std::move(points.Walls);
            out->QOrder = points.QOrder;
            if (out->Bracketed)
                out->QError = (out->QHigh - out->QLow) / 2 / out->Q;
            else if (std::isfinite(points.Q.Error))
                out->QError = (points.Q.Error + std::fabs(points.Q.Value - out->Q)) / out->Q;
        }
        out->Section = std::move(s);
        result = std::move(out);
        return "";
    } catch (const std::exception& e) {
        return std::string("the section could not be solved: ") + e.what();
    }
}

} // namespace verrask::sectionmodel
