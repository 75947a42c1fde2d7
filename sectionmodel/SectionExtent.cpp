// The automatic lateral extent (see SectionExtent.h).
#include "sectionmodel/SectionExtent.h"

#include <algorithm>
#include <cmath>

namespace verrask::sectionmodel {

section::TExtent AutomaticExtent(const section::TSection& s) {
    // How many depths (transformed) and leakage lengths the far ends stay away.
    constexpr double Depths = 3, LeakageLengths = 5;
    const double top = s.Top(), depth = top - s.Base();
    double stretch = 1;
    for (const section::TLayer& l : s.Layers) stretch = std::max(stretch, std::sqrt(l.Kx / l.Kz));
    double reach = Depths * depth * stretch;
    for (std::size_t i = 0; i + 1 < s.Layers.size(); ++i) {
        const section::TLayer &cap = s.Layers[i], &below = s.Layers[i + 1];
        if (!(std::sqrt(cap.Kx * cap.Kz) < std::sqrt(below.Kx * below.Kz))) continue;
        const double capThickness = (i == 0 ? top : s.Layers[i - 1].Bottom) - cap.Bottom;
        double transmissivity = 0;
        for (std::size_t j = i + 1; j < s.Layers.size(); ++j)
            transmissivity += s.Layers[j].Kx * (s.Layers[j - 1].Bottom - s.Layers[j].Bottom);
        reach = std::max(reach, LeakageLengths * std::sqrt(transmissivity * capThickness / cap.Kz));
    }
    reach = std::min(reach, MostReachDepths * depth);

    double left = s.Walls.front().X, right = s.Walls.back().X;
    for (const section::TStretch& st : s.Surface)
        for (const section::TCover& c : st.Covers) {
            left = std::min(left, c.X1);
            right = std::max(right, c.X2);
        }
    return {left - reach, right + reach};
}

} // namespace verrask::sectionmodel
