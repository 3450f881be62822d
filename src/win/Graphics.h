#pragma once
// The graphics device, its fixed render states and the texture slots that
// every sprite draw refers to.
#include <cstdint>
#include <memory>

#include "platform/GraphicsDevice.h"

constexpr int kTextureSlotCount = 1500;
constexpr uint32_t kColourKey = 0xFF00FF00u;

struct TextureEntry {
    std::unique_ptr<platform::Texture> texture;  // null when empty
    uint32_t width = 0;
    uint32_t height = 0;
};

extern TextureEntry TextureTable[kTextureSlotCount];
extern int32_t TextureRefCount[kTextureSlotCount];
extern int BackBufferWidth;
extern int BackBufferHeight;

// The device, null before InitGraphics and after ReleaseGraphics.
platform::GraphicsDevice* GetDevice();

bool InitGraphics();
void SetDefaultRenderStates();
void SetLighting(int flag);
platform::Result ResetDevice();
// A new screen size: the window's client area, the graphics layer's size
// and the device's back buffer (reset with it; the result is not looked at).
void ResizeScreen(int width, int height);
void ReleaseGraphics();

// Loads a slot from a PNG resource at size x size; a slot that already
// counts users only gains one more. A slot outside the table fails.
bool LoadTexture(int slot, uint16_t resourceId, uint16_t size);
// Takes one user from a slot; at zero the texture is released.
void ReleaseTexture(int slot);

// The text font of the original device layer. All text is bitmap text; the
// font only keeps its requested height.
void CreateTextFont(int height);
int TextFontHeight();
