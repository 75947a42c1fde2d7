// The section: a vertical cross-section of layered, aligned-anisotropic soil on an impervious
// base, cut by one or two thin impervious walls, with its own ground and water level between
// the walls. Plain values in SI units (m, m/s, kN/m3), shared by every model and front end.
//
// Holds (for a section the reader accepted): layers top to bottom with strictly descending
// bottoms, the last one the base; 1 or 2 walls with increasing x at least 1 mm apart, each toe on
// the base or at least 1 mm above it, and at least 1 mm below both grounds beside it;
// walls.size() + 1 stretches left to right, each ground at least 1 mm above the base, water at
// or above ground, covers inside their stretch with x1 < x2; the extent, when given, at least
// 1 mm outside the walls.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace verrask::section {

// The unit weight of water the reader holds gamma_sat against, kN/m3 (fresh water, g = 9.81).
inline constexpr double GammaWater = 9.81;

struct TLayer {
    double Bottom = 0; // elevation of the layer's base, m
    double Kx = 0;     // horizontal permeability, m/s
    double Kz = 0;     // vertical permeability, m/s
    double GammaSat = 0;
    std::string Name;
};

struct TWall {
    double X = 0;   // m
    double Toe = 0; // elevation, m
};

struct TCover {
    double X1 = 0, X2 = 0; // x1 < x2, m
};

struct TStretch {
    double Ground = 0; // elevation, m
    double Water = 0;  // elevation, m: the head on the stretch's open ground
    bool CoveredAll = false;
    std::vector<TCover> Covers;
};

struct TExtent {
    double Left = 0, Right = 0;
};

// The default target relative error of q.
inline constexpr double DefaultAccuracy = 0.005;

struct TSection {
    std::vector<TLayer> Layers;
    std::vector<TWall> Walls;
    std::vector<TStretch> Surface;
    std::optional<TExtent> Extent; // none: chosen by the model
    double Accuracy = DefaultAccuracy;

    double Base() const { return Layers.empty() ? 0 : Layers.back().Bottom; }
    double Top() const {
        double top = Surface.empty() ? 0 : Surface.front().Ground;
        for (const TStretch& s : Surface) top = s.Ground > top ? s.Ground : top;
        return top;
    }
};

} // namespace verrask::section
