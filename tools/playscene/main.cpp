// Renders the busy play scene (tools/playscene/Scene.h) to PNG through the
// game's own factory, spawn functions, world list and sprite drawing: the
// screen as the game shows it (480 x 320) at a few moments, and the same
// enlarged twice for review.
//
// Usage: playscene OUT_DIR   (writes OUT_DIR/scene_<frame>.png and
// OUT_DIR/scene_<frame>_2x.png)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Scene.h"
#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"

namespace {

bool WriteScreen(const std::filesystem::path& path, int scale) {
    const platform::GraphicsDevice* device = GetDevice();
    const int w = platform::GraphicsDevice::kWidth, h = platform::GraphicsDevice::kHeight;
    Canvas c(w * scale, h * scale);
    for (int y = 0; y < h * scale; ++y)
        for (int x = 0; x < w * scale; ++x) {
            const uint32_t p = device->ColourBuffer()[static_cast<std::size_t>(y / scale) * w + x / scale];
            c.Set(x, y, Rgb{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
        }
    return c.WritePng(path.string());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: playscene OUT_DIR\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    if (!playscene::LoadGraphics()) {
        std::fprintf(stderr, "playscene: no graphics device\n");
        return 1;
    }
    int rc = 0;
    {
        playscene::Scene scene;
        const std::vector<int> shots = {40, 66, 93};
        for (int shot : shots) {
            while (scene.Frame() < shot) scene.Step();
            scene.Draw();
            const std::string name = "scene_" + std::to_string(shot);
            if (!WriteScreen(out / (name + ".png"), 1) || !WriteScreen(out / (name + "_2x.png"), 2)) rc = 1;
            std::printf("playscene: frame %d, %d characters\n", shot, scene.Count());
        }
    }
    ReleaseGraphics();
    return rc;
}
