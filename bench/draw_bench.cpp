// Drawing benchmark: the load of a busy play frame, about 300 sprites of
// 40x40 texels drawn at scale 2, a third of them rotated or blended, on a
// 256-texel sheet with transparent edges. Prints milliseconds per frame, then
// (from a second run that times every draw) the share of the drawing time
// that each kind of sprite takes beside its share of the sprites. Last, the
// fill floor: a memset of as many pixels as the sprites cover, row by row
// into a buffer of the back buffer's size that stays in the cache, and how
// many times that each kind of sprite takes for its pixels.
//
// Usage: draw_bench [FRAMES]   (default 300)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// Sets the draw parameters of sprite i in frame f.
void SetParams(int i, int f) {
    DrawParams::ResetToDefaults();
    DrawParams::scaleX = DrawParams::scaleY = 2.0f;
    DrawParams::pivotX = DrawParams::pivotY = 20.0f;
    if (i % 6 == 1) DrawParams::angle = 0.01f * (i + f);
    if (i % 6 == 3) DrawParams::blendMode = 1;
    if (i % 6 == 5) DrawParams::colour = 0x80FFFFFFu;
    if (i % 9 == 0) DrawParams::direction = -1.0f;
}

// Draws sprite i of frame f with the parameters set.
void Place(int i, int f) {
    const int x = (i * 37 + f) % 500 - 30, y = (i * 53) % 340 - 30;
    DrawSprite(x, y, 20, (i % 6) * 40, ((i / 6) % 6) * 40, 40, 40);
}

void DrawOne(int i, int f) {
    SetParams(i, f);
    Place(i, f);
}

// Pixels of the screen that sprite i of frame f covers, transparent texels
// and all: it is drawn alone, its flat white vertex colour added to black.
int Covered(platform::GraphicsDevice* device, int i, int f) {
    device->Clear(0xFF000000u, 1.0f);
    SetParams(i, f);
    DrawParams::colourMode = 1;
    DrawParams::blendMode = 1;
    DrawParams::colour = 0xFFFFFFFFu;
    Place(i, f);
    int n = 0;
    for (int y = 0; y < device->Height(); ++y)
        for (int x = 0; x < device->Width(); ++x) n += device->Pixel(x, y) != 0xFF000000u;
    return n;
}

// Milliseconds to memset `pixels` 32-bit pixels into a buffer the size of
// the back buffer, which stays in the cache, a row at a time; the fastest of
// several tries.
double FillFloorMs(long pixels) {
    constexpr long kRow = platform::GraphicsDevice::kWidth, kSize = kRow * platform::GraphicsDevice::kHeight;
    static uint32_t buffer[kSize];
    double best = 1e9;
    for (int attempt = 0; attempt < 20; ++attempt) {
        const auto t0 = Clock::now();
        long at = 0;
        for (long left = pixels; left > 0; left -= kRow, at = (at + kRow) % kSize) {
            std::memset(buffer + at, attempt + static_cast<int>(left), sizeof(uint32_t) * static_cast<size_t>(std::min(left, kRow)));
            asm volatile("" : : "r"(buffer) : "memory");
        }
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    return best;
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

    // Warm-up frames first, so that the clock speed and the caches settle.
    for (int f = 0; f < 60; ++f) {
        device->Clear(0xFF000000u, 1.0f);
        for (int i = 0; i < 300; ++i) DrawOne(i, f);
    }
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

    // The fill floor, for the pixels of every tenth frame.
    double kindPixels[kKinds] = {};
    int sampled = 0;
    for (int f = 0; f < frames; f += 10, ++sampled)
        for (int i = 0; i < 300; ++i) kindPixels[KindOf(i)] += Covered(device, i, f);
    double pixels = 0;
    for (double p : kindPixels) pixels += p / sampled;
    const double floorMs = FillFloorMs(static_cast<long>(pixels));
    std::printf("fill floor: %.0f pixels a frame, %.3f ms to memset them in the cache; the frame takes %.1fx that\n",
                pixels, floorMs, ms / frames / floorMs);
    for (int k = 0; k < kKinds; ++k) {
        const double kindFloor = floorMs * kindPixels[k] / sampled / pixels;
        std::printf("  %-18s %7.0f pixels, %.3f ms a frame, %5.1fx its floor\n", kKindNames[k], kindPixels[k] / sampled,
                    kindTime[k] / frames, kindTime[k] / frames / kindFloor);
    }
    ReleaseGraphics();
    return 0;
}
