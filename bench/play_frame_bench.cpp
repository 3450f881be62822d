// Play-frame benchmark: the busy play scene of tools/playscene (the forest
// stage's tiles, a dashing player with its afterimages, a stream of sparks,
// smoke, coins, score orbs with pop-up numbers, shots, bombs, missiles and
// chains: about 300 characters) run through the game's own world list.
// The logic (the scene's spawns and both lists' UpdateAll) and the drawing
// (DrawAll onto the software device) are timed apart, on one core.
//
// Usage: play_frame_bench [FRAMES]   (default 1000, after 200 frames of
// warm-up that fill the field)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Scene.h"
#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!playscene::LoadGraphics()) {
        std::fprintf(stderr, "play_frame_bench: no graphics device\n");
        return 1;
    }
    platform::GraphicsDevice* device = GetDevice();
    {
        playscene::Scene scene;
        for (int i = 0; i < 200; ++i) scene.Step();

        std::vector<double> logic, drawing;
        double characters = 0;
        int most = 0, fewest = 1 << 30;
        for (int i = 0; i < frames; ++i) {
            const auto t0 = Clock::now();
            scene.Step();
            const auto t1 = Clock::now();
            device->Clear(0xFF000000u, 1.0f);
            device->BeginScene();
            const auto t2 = Clock::now();
            scene.DrawAll();
            const auto t3 = Clock::now();
            device->EndScene();
            logic.push_back(Ms(t1 - t0));
            drawing.push_back(Ms(t3 - t2));
            characters += scene.Count();
            most = std::max(most, scene.Count());
            fewest = std::min(fewest, scene.Count());
        }
        double logicSum = 0, drawSum = 0;
        for (double v : logic) logicSum += v;
        for (double v : drawing) drawSum += v;
        std::printf("play_frame_bench: %d frames, %.0f characters on average (%d to %d)\n", frames,
                    characters / frames, fewest, most);
        std::printf("  logic   (spawns + UpdateAll): %.3f ms per frame (median %.3f)\n", logicSum / frames,
                    Median(logic));
        std::printf("  drawing (DrawAll):            %.3f ms per frame (median %.3f)\n", drawSum / frames,
                    Median(drawing));
        std::printf("  total:                        %.3f ms per frame (target: under 2 ms)\n",
                    (logicSum + drawSum) / frames);
    }
    ReleaseGraphics();
    return 0;
}
