// A solved section's fields read anywhere in the soil, for its picture: the head and the stream
// function at a point, the heave zones beside the outflow ground, and the number of flow
// channels that goes with a number of head drops.
//
// Computes: the stream function bilinearly inside its grid cell (it is continuous, walls
// included); the cell-centred head bilinearly between the nearest cell centres, never across a
// wall (the side's own value is kept), and toward the ground's water level above the top centre
// of open ground (kept flat under a cover, at the base and the ends: no flow crosses them).
//
// Heave zones, as the design's picture draws them, on each open column of an outflow stretch
// (flux out of the soil): the running mean of the upward gradient from the ground down to a cell
// centre, (h - water) / depth; "possible" from the ground down to the depth where that mean is
// largest (the shallowest of equal means), when it is positive; "imminent" when it exceeds the
// mean critical gradient over the same depth (the layers' (gamma_sat - gamma_w) / gamma_w
// weighted by thickness); "critical" each cell whose own upward gradient exceeds its layer's.
//
// Assumes: a result of the section model (grid lines through every wall, toe and ground).
//
// Holds: the result is only read; NaN where a point lies outside the soil or the field is not
// determined there.
#pragma once

#include "section/SectionResult.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace verrask::report {

class TSectionFields {
  public:
    explicit TSectionFields(const section::TSectionResult& r);

    // The stretch holding x (a point on a wall belongs to the stretch on its right).
    std::size_t Stretch(double x) const;
    double Ground(double x) const { return r_.Section.Surface[Stretch(x)].Ground; }
    // The layer holding elevation z (the base's layer below the base).
    std::size_t Layer(double z) const;
    // True where a wall stands between x1 and x2 at elevation z.
    bool WallBetween(double x1, double x2, double z) const;
    double Head(double x, double z) const;
    double Psi(double x, double z) const;

    // Per grid column: where the heave stripe ends (NaN: none), and whether it is imminent.
    struct TColumn {
        double StripeBottom = section::NoValue;
        bool Imminent = false;
    };
    const std::vector<TColumn>& HeaveColumns() const { return heave_; }
    const TColumn& HeaveAt(double x) const { return heave_[Column(x)]; }
    // Whether the cell holding (x, z) has an upward gradient above its layer's critical one.
    bool Critical(double x, double z) const;
    bool AnyCritical() const;

    // The lowest and highest value of the stream function in the soil (0, 0 without any).
    double PsiMin() const { return psiMin_; }
    double PsiMax() const { return psiMax_; }

  private:
    std::size_t Column(double x) const;
    std::size_t Row(double z) const;
    bool Blocked(std::size_t line, std::size_t row) const;
    // The head of row j at x, between the centre of column i and its neighbour on x's side.
    double RowHead(std::size_t i, std::size_t j, double x) const;
    void FindHeave();

    const section::TSectionResult& r_;
    std::vector<double> lineToe_;        // per x line: the toe of a wall on it, else +inf
    std::vector<std::size_t> topRow_;    // per column: rows of soil
    std::vector<std::uint8_t> openTop_;  // per column: open water on its ground
    std::vector<TColumn> heave_;         // per column
    std::vector<std::uint8_t> critical_; // per cell
    double psiMin_ = 0, psiMax_ = 0;
};

// Flow channels for `nd` head drops: the nearest whole number to nd q / (k H), at least 1, with
// q the range of the stream function, H the highest less the lowest water and k = sqrt(kx kz) of
// the layer carrying the most flow (the largest change of the stream function across it on any
// grid line). 0 where nothing flows.
int DefaultFlowChannels(const section::TSectionResult& r, const TSectionFields& fields, int nd);

} // namespace verrask::report
