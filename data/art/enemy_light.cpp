#include "EnemyLight.h"

namespace enemies {

std::vector<Sheen> Sheens(std::initializer_list<rig::Ramp> ramps) {
    std::vector<Sheen> out;
    for (const rig::Ramp& r : ramps) out.push_back({r.mid, r.light});
    return out;
}

Canvas Lit(const Canvas& figure, const std::vector<Sheen>& sheens, Rgb ink, Rgb rim) {
    const int w = figure.W(), h = figure.H();
    auto empty = [&](int x, int y) { return x < 0 || y < 0 || x >= w || y >= h || figure.Get(x, y) == kKey; };
    // The outline: ink or rim texels beside empty space.
    auto outside = [&](int x, int y) {
        if (empty(x, y)) return true;
        const Rgb c = figure.Get(x, y);
        if (!(c == ink) && !(c == rim)) return false;
        return empty(x - 1, y) || empty(x + 1, y) || empty(x, y - 1) || empty(x, y + 1);
    };
    Canvas out = figure;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb c = figure.Get(x, y);
            if (c == kKey || outside(x, y) || !(outside(x - 1, y) || outside(x, y - 1))) continue;
            for (const Sheen& s : sheens)
                if (c == s.mid) {
                    out.Set(x, y, s.light);
                    break;
                }
        }
    return out;
}

}  // namespace enemies
