#pragma once
// What the review strips share: characters made with the real factory on a
// patch of forest ground, and panels cut from the screen the game's own
// sprite drawing fills.
#include <cstdint>

#include "Canvas.h"
#include "character/Character.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"

#include <cstdio>
#include <cstdlib>

#include "framework/StateLoading.h"
#include "stage/StageView.h"

namespace strips {

// A view of 14 by 9 cells with the camera at the origin.
class StripStage : public CStageView {
public:
    bool HasStage() override { return true; }
    int32_t GetWidth() override { return 14; }
    int32_t GetHeight() override { return 9; }
    int32_t GetCameraX() override { return 0; }
    int32_t GetCameraY() override { return 0; }
};

// The headless device with every sprite sheet and text page loaded, and the
// stage view in place; false (and a message naming the tool) without a
// device.
inline bool OpenGraphics(const char* tool, StripStage& stage) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!InitGraphics()) {
        std::fprintf(stderr, "%s: no graphics device\n", tool);
        return false;
    }
    for (const TextureSlotRow& row : kTextureSlotRows) LoadTexture(row.slot, row.resourceId, row.size);
    CGameMain::GetInstance()->LoadTexturePages();
    CGameMain::GetInstance()->SetStageView(&stage);
    return true;
}

inline CCharacterList& World() { return CGameMain::GetInstance()->m_characterList; }

// The world emptied, the view and the device let go.
inline void CloseGraphics() {
    World().DeleteAll();
    CGameMain::GetInstance()->m_player = nullptr;
    CGameMain::GetInstance()->SetStageView(nullptr);
    ReleaseGraphics();
}

// Made by the factory, placed and put into the world; null for no character.
inline CCharacter* Add(int32_t id, int32_t x, int32_t y) {
    CCharacter* c = CreateCharacter(id);
    if (c == nullptr) return nullptr;
    c->x = c->prevX = x;
    c->y = c->prevY = y;
    World().Add(c);
    return c;
}

// Forest ground across a view of 14 cells, its top at `top`.
inline void BuildGround(int32_t top) {
    for (int32_t col = 0; col < 14; ++col) {
        Add(20066, col * 400 + 200, top + 200);  // grass top
        Add(20069, col * 400 + 200, top + 600);  // earth
    }
}

inline bool Listed(const CCharacter* c) {
    for (int32_t i = 1; i <= World().GetCount(); ++i)
        if (World().GetAt(i) == c) return true;
    return false;
}

// Draws the world and copies the w x h pixels around (cx, cy) into the
// strip at (ox, oy); outside the screen is dark.
inline void Cut(Canvas& strip, int ox, int oy, int cx, int cy, int w, int h) {
    platform::GraphicsDevice* device = GetDevice();
    device->Clear(0xFF3A3050u, 1.0f);
    device->BeginScene();
    World().DrawAll();
    device->EndScene();
    const uint32_t* px = device->ColourBuffer();
    const int sw = platform::GraphicsDevice::kWidth, sh = platform::GraphicsDevice::kHeight;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = cx - w / 2 + x, sy = cy - h / 2 + y;
            Rgb c{20, 16, 28};
            if (sx >= 0 && sx < sw && sy >= 0 && sy < sh) {
                const uint32_t p = px[static_cast<std::size_t>(sy) * sw + sx];
                c = Rgb{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
            }
            strip.Set(ox + x, oy + y, c);
        }
}

}  // namespace strips
