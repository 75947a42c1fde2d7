// Placement of a window beside the main window (see WindowPlacement.h).
#include "control/WindowPlacement.h"

#include <algorithm>

namespace verrask {
namespace {

long long Overlap(const TScreenRect& a, const TScreenRect& b) {
    const long long w = std::max(0, std::min(a.Right, b.Right) - std::max(a.Left, b.Left));
    const long long h = std::max(0, std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top));
    return w * h;
}

// Squared distance between the centres, for a main window that lies on no screen.
long long CentreDistance(const TScreenRect& a, const TScreenRect& b) {
    const long long dx = (a.Left + a.Right) - (b.Left + b.Right);
    const long long dy = (a.Top + a.Bottom) - (b.Top + b.Bottom);
    return dx * dx + dy * dy;
}

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

} // namespace

TScreenRect PlaceBeside(const TScreenRect& main, const std::vector<TScreenRect>& workAreas,
                        int width, int height, int gap) {
    TScreenRect screen = main;
    if (!workAreas.empty()) {
        screen = *std::max_element(workAreas.begin(), workAreas.end(),
                                   [&main](const TScreenRect& a, const TScreenRect& b) {
                                       const long long oa = Overlap(a, main), ob = Overlap(b, main);
                                       if (oa != ob) return oa < ob;
                                       return CentreDistance(a, main) > CentreDistance(b, main);
                                   });
    }
    const int w = Clamp(width, 0, screen.Width()), h = Clamp(height, 0, screen.Height());
    const int top = main.Top, left = main.Left;
    // Right, left, below, above; each moved onto the screen, the first clear of the main window
    // taken, else the one that covers least of it.
    const int candidates[4][2] = {{main.Right + gap, top},
                                  {main.Left - gap - w, top},
                                  {left, main.Bottom + gap},
                                  {left, main.Top - gap - h}};
    TScreenRect best{};
    long long bestOverlap = -1;
    for (const auto& c : candidates) {
        const int x = Clamp(c[0], screen.Left, screen.Right - w);
        const int y = Clamp(c[1], screen.Top, screen.Bottom - h);
        const TScreenRect r{x, y, x + w, y + h};
        const long long covered = Overlap(r, main);
        if (covered == 0) return r;
        if (bestOverlap < 0 || covered < bestOverlap) {
            best = r;
            bestOverlap = covered;
        }
    }
    return best;
}

} // namespace verrask
