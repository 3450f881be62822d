#pragma once
// The light on the enemies' and Silvy's figures. The rig lights a part only
// where it is four texels across, so the thin limbs of figures this small
// would read as one mid tone and a rim; this pass gives every material a
// lit edge where the figure faces the light (its silhouette on the upper
// left), so that each kind shows its light, mid and shadow tones at 1x.
#include <vector>

#include "Canvas.h"
#include "Rig.h"

namespace enemies {

// A material's mid tone and the tone its lit edge takes.
struct Sheen {
    Rgb mid, light;
};

// The sheens of ramps: each ramp's mid tone lit to its light tone.
std::vector<Sheen> Sheens(std::initializer_list<rig::Ramp> ramps);

// Lights the figure's upper-left edge: a texel of a sheen's mid tone with
// the outline (ink or the rim colour next to empty texels) or empty space
// directly above it or to its left takes the sheen's light tone. Texels
// deeper inside, the outline and all other colours stay.
Canvas Lit(const Canvas& figure, const std::vector<Sheen>& sheens, Rgb ink, Rgb rim);

}  // namespace enemies
