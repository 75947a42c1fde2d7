// Fuzz target over the section file's reader: any bytes are read or refused without a crash; a
// refusal leaves the section as it was; a section read holds what the reader promises (layers
// descending, one or two walls left to right, a stretch each side of every wall, water at or
// above the ground, toes from the base to below the grounds, covers inside their stretch).
#include "section/SectionFile.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

void RequireHolds(const verrask::section::TSection& s) {
    Require(!s.Layers.empty(), "no layers");
    for (std::size_t i = 1; i < s.Layers.size(); ++i)
        Require(s.Layers[i].Bottom < s.Layers[i - 1].Bottom, "layers not descending");
    for (const auto& l : s.Layers)
        Require(l.Kx > 0 && l.Kz > 0 && l.GammaSat > verrask::section::GammaWater,
                "a layer's k or weight");
    Require(s.Walls.size() == 1 || s.Walls.size() == 2, "wall count");
    Require(s.Surface.size() == s.Walls.size() + 1, "stretch count");
    if (s.Walls.size() == 2) Require(s.Walls[0].X < s.Walls[1].X, "walls out of order");
    for (std::size_t w = 0; w < s.Walls.size(); ++w) {
        Require(s.Walls[w].Toe >= s.Base(), "toe below the base");
        Require(s.Walls[w].Toe < s.Surface[w].Ground && s.Walls[w].Toe < s.Surface[w + 1].Ground,
                "toe not below a ground");
        if (s.Extent)
            Require(s.Walls[w].X > s.Extent->Left && s.Walls[w].X < s.Extent->Right,
                    "wall outside the extent");
    }
    constexpr double Open = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < s.Surface.size(); ++k) {
        const auto& st = s.Surface[k];
        Require(st.Water >= st.Ground && st.Ground > s.Base(), "water or ground");
        const double lo = k > 0 ? s.Walls[k - 1].X : s.Extent ? s.Extent->Left : -Open;
        const double hi = k < s.Walls.size() ? s.Walls[k].X : s.Extent ? s.Extent->Right : Open;
        for (const auto& c : st.Covers)
            Require(c.X1 < c.X2 && c.X1 >= lo && c.X2 <= hi, "cover outside its stretch");
    }
    Require(s.Layers.front().Bottom < s.Top(), "first layer empty");
    Require(std::isfinite(s.Accuracy) && s.Accuracy > 0, "accuracy");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    verrask::section::TSection s;
    s.Accuracy = -1; // a mark: a refusal must leave it
    if (!verrask::section::ReadSectionText(text, s).empty()) {
        Require(s.Layers.empty() && s.Walls.empty() && s.Surface.empty() && s.Accuracy == -1,
                "a refused file changed the section");
        return 0;
    }
    RequireHolds(s);
    return 0;
}
