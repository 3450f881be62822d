#pragma once
// Sprite drawing: one rectangle of a texture slot, placed, scaled, rotated
// and mirrored about a pivot and blended as the global draw parameters say.
#include <cstdint>
#include <functional>

struct DrawParams {
    static float direction;      // exactly -1.0 mirrors; any other value does not
    static float angle;          // radians, clockwise on the screen
    static float pivotX;         // from the left edge (the right edge when mirrored)
    static float pivotY;
    static float scaleX;
    static float scaleY;
    static float depth;
    static uint8_t depthWrite;
    static uint32_t colour;         // ARGB diffuse
    static uint32_t textureFactor;  // ARGB, colour mode 2
    static int blendMode;           // 0 alpha, 1 additive, 2 additive by alpha
    static int colourMode;          // 0 modulate, 1 flat colour, 2 factor mix

    static int shakeX;
    static int shakeY;
    static uint8_t shakeEnabled;

    // The values the render-state set-up writes.
    static void ResetToDefaults();
};

void DrawSprite(int32_t x, int32_t y, int32_t slot, int32_t srcX, int32_t srcY, int32_t w, int32_t h);

// Test seam: sees every DrawSprite call with its arguments, before anything
// is checked (also without a device); the draw parameters can be read from
// DrawParams while it runs.
struct SpriteDraw {
    int32_t x, y, slot, srcX, srcY, w, h;
};
void SetSpriteObserver(std::function<void(const SpriteDraw&)> observer);
