// The title background: a seamless 128x128 tile of seigaiha waves in the
// two darkest dusk colours only, so that the menu's words (the greyed
// "STAGE SELECT" too) stand clear over it while it scrolls.
#include <algorithm>
#include <cmath>

#include "Palette.h"
#include "Sheets.h"

ART_SHEET(119, "title-tile") {
    Canvas c(128, 128, kNight);
    const int radius = 16;
    const int rowStep = 8;
    // Concentric bands from the centre out, split by thin dark lines.
    const Rgb rings[16] = {kDusk, kDusk, kNight, kNight, kNight, kDusk, kDusk, kNight,
                           kNight, kNight, kDusk, kDusk, kDusk, kNight, kNight, kNight};
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            // The lowest wave whose upper half covers the pixel wins: waves
            // of later rows overlap those above, as in the printed pattern.
            Rgb colour = kNight;
            int bestRow = -1000;
            for (int row = -2; row <= 128 / rowStep + 2; ++row) {
                const int cy = row * rowStep;
                const int offset = (((row % 2) + 2) % 2) * radius;
                for (int k = -1; k <= 128 / (2 * radius) + 1; ++k) {
                    const int cx = k * 2 * radius + offset;
                    for (int wy = -1; wy <= 1; ++wy) {
                        for (int wx = -1; wx <= 1; ++wx) {
                            const int dx = x - (cx + wx * 128), dy = y - (cy + wy * 128);
                            if (dy > 0) continue;
                            const int d2 = dx * dx + dy * dy;
                            if (d2 >= radius * radius) continue;
                            const int r = static_cast<int>(std::sqrt(static_cast<double>(d2)));
                            const int order = row + wy * (128 / rowStep);
                            if (order > bestRow) {
                                bestRow = order;
                                colour = rings[std::min(r, 15)];
                            }
                        }
                    }
                }
            }
            c.Set(x, y, colour);
        }
    }
    return c;
}
