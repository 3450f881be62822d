#include "win/Graphics.h"

#include "platform/Window.h"
#include "win/DebugLog.h"
#include "win/Resource.h"
#include "win/Sprite.h"

TextureEntry TextureTable[kTextureSlotCount];
int32_t TextureRefCount[kTextureSlotCount];
int BackBufferWidth = 480;
int BackBufferHeight = 320;

namespace {
std::unique_ptr<platform::GraphicsDevice> g_device;
int g_fontHeight = 0;  // 0: no font
}  // namespace

platform::GraphicsDevice* GetDevice() { return g_device.get(); }

bool InitGraphics() {
    BackBufferWidth = 480;
    BackBufferHeight = 320;
    g_device = std::make_unique<platform::GraphicsDevice>();
    SetDefaultRenderStates();
    for (int i = 0; i < kTextureSlotCount; ++i) {
        TextureRefCount[i] = 0;
        TextureTable[i] = TextureEntry{};
    }
    DrawParams::shakeX = 0;
    DrawParams::shakeY = 0;
    DrawParams::shakeEnabled = 1;
    return true;
}

void SetDefaultRenderStates() {
    using namespace platform;
    GraphicsDevice* d = g_device.get();
    if (!d) return;
    d->SetTextureStageState(0, kStageColorOp, kTopModulate);
    d->SetTextureStageState(0, kStageColorArg1, 2);  // texture
    d->SetTextureStageState(0, kStageColorArg2, 0);  // diffuse
    d->SetTextureStageState(0, kStageAlphaOp, kTopModulate);
    d->SetTextureStageState(0, kStageAlphaArg1, 2);
    d->SetTextureStageState(0, kStageAlphaArg2, 0);
    d->SetRenderState(RenderState::ZEnable, 1);
    d->SetRenderState(RenderState::ZWriteEnable, 1);
    CreateTextFont(20);
    DrawParams::ResetToDefaults();
    SetLighting(0);
    d->SetRenderState(RenderState::Lighting, 0);
}

void SetLighting(int flag) {
    using platform::RenderState;
    platform::GraphicsDevice* d = g_device.get();
    if (!d) return;
    if (flag == 0) {
        d->SetRenderState(RenderState::Lighting, 1);
        d->SetRenderState(RenderState::ShadeMode, 2);
        d->SetRenderState(RenderState::SpecularEnable, 0);
        d->SetRenderState(RenderState::NormalizeNormals, 1);
    } else {
        d->SetRenderState(RenderState::Lighting, 0);
    }
}

platform::Result ResetDevice() {
    platform::GraphicsDevice* d = g_device.get();
    if (!d) return platform::kFail;
    g_fontHeight = 0;
    const platform::Result r = d->TestCooperativeLevel();
    // Still lost, or not lost at all: nothing to reset (the font stays
    // released until a reset succeeds).
    if (r != platform::kDeviceNotReset) return r;
    // One attempt: a device that will not reset now is tried again after the
    // next lost present, never in a loop here.
    const platform::Result reset = d->Reset();
    if (reset == platform::kOk) SetDefaultRenderStates();
    return reset;
}

void ResizeScreen(int width, int height) {
    platform::ResizeGameWindow(width, height);
    BackBufferWidth = width;
    BackBufferHeight = height;
    if (g_device) g_device->Reset(width, height);
}

void ReleaseGraphics() {
    for (int i = 0; i < kTextureSlotCount; ++i) {
        TextureTable[i] = TextureEntry{};
        TextureRefCount[i] = 0;
    }
    g_fontHeight = 0;
    g_device.reset();
}

bool LoadTexture(int slot, uint16_t resourceId, uint16_t size) {
    if (slot < 0 || slot >= kTextureSlotCount) {
        DebugPrintf("LoadTexture: slot %d out of range\n", slot);
        return false;
    }
    if (TextureRefCount[slot]++ != 0) return true;
    TextureEntry& e = TextureTable[slot];
    e.width = size;
    e.height = size;
    if (!g_device || size == 0) return false;
    const ResourceBlob blob = FindResourceBlob(ResourceType::RcData, resourceId);
    if (!blob) {
        DebugPrintf("LoadTexture: no image resource %u for slot %d\n", resourceId, slot);
        return false;
    }
    e.texture = platform::CreateTextureFromPng(blob.data, blob.size, size, size, kColourKey);
    if (!e.texture) DebugPrintf("LoadTexture: image resource %u is not a PNG\n", resourceId);
    return e.texture != nullptr;
}

void ReleaseTexture(int slot) {
    if (slot < 0 || slot >= kTextureSlotCount || TextureRefCount[slot] <= 0) return;
    if (--TextureRefCount[slot] == 0) TextureTable[slot] = TextureEntry{};
}

void CreateTextFont(int height) { g_fontHeight = height; }
int TextFontHeight() { return g_fontHeight; }
