// Drawing benchmark: the load of a busy play frame, about 300 sprites of
// 40x40 texels drawn at scale 2, a third of them rotated or blended, on a
// 256-texel sheet with transparent edges. Prints milliseconds per frame, then
// (from a second run that times every draw) the share of the drawing time
// that each kind of sprite takes beside its share of the sprites.
//
// Usage: draw_bench [FRAMES]   (default 300)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

namespace {

using Clock = std::chrono::steady_clock;

enum Kind { kPlain, kRotated, kAdditive, kFaded, kKinds };
const char* const kKindNames[kKinds] = {"plain or mirrored", "rotated", "additive", "half alpha"};

Kind KindOf(int i) {
    switch (i % 6) {
        case 1: return kRotated;
        case 3: return kAdditive;
        case 5: return kFaded;
        default: return kPlain;
    }
}

// Sets the draw parameters of sprite i in frame f and draws it.
void DrawOne(int i, int f) {
    DrawParams::ResetToDefaults();
    DrawParams::scaleX = DrawParams::scaleY = 2.0f;
    DrawParams::pivotX = DrawParams::pivotY = 20.0f;
    if (i % 6 == 1) DrawParams::angle = 0.01f * (i + f);
    if (i % 6 == 3) DrawParams::blendMode = 1;
    if (i % 6 == 5) DrawParams::colour = 0x80FFFFFFu;
    if (i % 9 == 0) DrawParams::direction = -1.0f;
    const int x = (i * 37 + f) % 500 - 30, y = (i * 53) % 340 - 30;
    DrawSprite(x, y, 20, (i % 6) * 40, ((i / 6) % 6) * 40, 40, 40);
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    InitGraphics();
    // A character sheet: 40x40 cells, each a filled blob with a transparent rim.
    auto sheet = std::make_unique<platform::Texture>(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const int cx = x % 40 - 20, cy = y % 40 - 20;
            sheet->Pixels()[y * 256 + x] = cx * cx + cy * cy < 17 * 17 ? 0xFF000000u | (x * 997 + y * 131) : 0u;
        }
    TextureTable[20].texture = std::move(sheet);
    TextureTable[20].width = TextureTable[20].height = 256;
    platform::GraphicsDevice* device = GetDevice();

    const auto start = Clock::now();
    for (int f = 0; f < frames; ++f) {
        device->Clear(0xFF000000u, 1.0f);
        device->BeginScene();
        for (int i = 0; i < 300; ++i) DrawOne(i, f);
        device->EndScene();
        device->Present();
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("draw_bench: %d frames, %.3f ms per frame (300 sprites, 40x40 at scale 2)\n", frames, ms / frames);

    // The same frames again, each draw timed on its own.
    double kindTime[kKinds] = {};
    int kindCount[kKinds] = {};
    for (int f = 0; f < frames; ++f) {
        device->Clear(0xFF000000u, 1.0f);
        for (int i = 0; i < 300; ++i) {
            const auto t0 = Clock::now();
            DrawOne(i, f);
            kindTime[KindOf(i)] += std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            ++kindCount[KindOf(i)];
        }
    }
    double total = 0;
    int count = 0;
    for (int k = 0; k < kKinds; ++k) {
        total += kindTime[k];
        count += kindCount[k];
    }
    for (int k = 0; k < kKinds; ++k)
        std::printf("  %-18s %5.1f%% of the sprites, %5.1f%% of the drawing time\n", kKindNames[k],
                    100.0 * kindCount[k] / count, 100.0 * kindTime[k] / total);
    ReleaseGraphics();
    return 0;
}
