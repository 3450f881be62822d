#pragma once
// For the review tools that draw with the game's own code: the graphics
// device opened without a window with every texture slot loaded, and one
// character's current frame drawn as the game's sprite drawing places it.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "Canvas.h"
#include "character/Character.h"
#include "framework/StateLoading.h"
#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

namespace headless {

inline bool OpenGraphics(const char* tool) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!InitGraphics()) {
        std::cerr << tool << ": no graphics device\n";
        return false;
    }
    for (const TextureSlotRow& row : kTextureSlotRows) LoadTexture(row.slot, row.resourceId, row.size);
    return true;
}

// The character's anchor at pixel (x, y), its scale times `zoom`.
inline void DrawCharacterAt(CCharacter& c, int32_t x, int32_t y, double zoom = 1.0) {
    const FrameRecord& r = c.CurrentRecord();
    DrawParams::ResetToDefaults();
    DrawParams::direction = static_cast<float>(c.facing);
    DrawParams::pivotX = static_cast<float>(-r.spriteLeft);
    DrawParams::pivotY = static_cast<float>(-r.spriteTop);
    DrawParams::scaleX = static_cast<float>(c.scaleX * zoom);
    DrawParams::scaleY = static_cast<float>(c.scaleY * zoom);
    DrawParams::colour = (static_cast<uint32_t>(c.alpha) << 24) | (static_cast<uint32_t>(c.colorR) << 16) |
                         (static_cast<uint32_t>(c.colorG) << 8) | static_cast<uint32_t>(c.colorB);
    DrawParams::blendMode = c.blendMode;
    const int32_t left = c.facing == 1 ? r.spriteLeft : -r.spriteRight;
    const CCharacter::PicturePlace picture = c.PictureOf(r);
    DrawSprite(x + left, y + r.spriteTop, r.textureId, picture.u + r.spriteLeft, picture.v + r.spriteTop,
               r.spriteRight - r.spriteLeft + 1, r.spriteBottom - r.spriteTop + 1);
}

// The screen the device last drew, as the game shows it (480 x 320).
inline Canvas Screen() {
    const platform::GraphicsDevice* device = GetDevice();
    const int w = platform::GraphicsDevice::kWidth, h = platform::GraphicsDevice::kHeight;
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = device->ColourBuffer()[static_cast<std::size_t>(y) * w + x];
            c.Set(x, y, Rgb{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
        }
    return c;
}

// Writes the picture as DIR/NAME.png and, enlarged twice, DIR/NAME_2x.png.
inline bool WriteAt1xAnd2x(const Canvas& c, const std::filesystem::path& dir, const std::string& name) {
    const bool one = c.WritePng((dir / (name + ".png")).string());
    const bool two = c.Scaled(2).WritePng((dir / (name + "_2x.png")).string());
    if (!one || !two) std::cerr << "cannot write " << (dir / name).string() << "\n";
    return one && two;
}

}  // namespace headless
