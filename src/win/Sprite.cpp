#include "win/Sprite.h"

#include <cmath>
#include <utility>

#include "win/Graphics.h"

float DrawParams::direction = 1.0f;
float DrawParams::angle = 0.0f;
float DrawParams::pivotX = 0.0f;
float DrawParams::pivotY = 0.0f;
float DrawParams::scaleX = 1.0f;
float DrawParams::scaleY = 1.0f;
float DrawParams::depth = 0.0f;
uint8_t DrawParams::depthWrite = 0;
uint32_t DrawParams::colour = 0xFFFFFFFFu;
uint32_t DrawParams::textureFactor = 0xFFFFFFFFu;
int DrawParams::blendMode = 0;
int DrawParams::colourMode = 0;
int DrawParams::shakeX = 0;
int DrawParams::shakeY = 0;
uint8_t DrawParams::shakeEnabled = 1;

void DrawParams::ResetToDefaults() {
    direction = 1.0f;
    angle = 0.0f;
    pivotX = 0.0f;
    pivotY = 0.0f;
    scaleX = 1.0f;
    scaleY = 1.0f;
    depth = 0.0f;
    depthWrite = 0;
    colour = 0xFFFFFFFFu;
    textureFactor = 0xFFFFFFFFu;
    blendMode = 0;
    colourMode = 0;
}

namespace {

std::function<void(const SpriteDraw&)>& SpriteObserver() {
    static std::function<void(const SpriteDraw&)> observer;
    return observer;
}

bool SpanVisible(int lo, int hi, int limit) {
    return (lo >= 0 && lo <= limit) || (hi >= 0 && hi <= limit) || (lo < 0 && hi > limit);
}

}  // namespace

void SetSpriteObserver(std::function<void(const SpriteDraw&)> observer) { SpriteObserver() = std::move(observer); }

void DrawSprite(int32_t x, int32_t y, int32_t slot, int32_t srcX, int32_t srcY, int32_t w, int32_t h) {
    using namespace platform;
    if (SpriteObserver()) SpriteObserver()({x, y, slot, srcX, srcY, w, h});
    GraphicsDevice* device = GetDevice();
    if (!device) return;
    // The slot comes from frame-record data: one outside the table draws nothing.
    if (slot < 0 || slot >= kTextureSlotCount) return;

    int32_t X = x, Y = y;
    if (DrawParams::shakeEnabled) {
        X += DrawParams::shakeX;
        Y += DrawParams::shakeY;
    }
    const float px = DrawParams::pivotX, py = DrawParams::pivotY;
    const float sx = DrawParams::scaleX, sy = DrawParams::scaleY;

    const int left = static_cast<int>(static_cast<float>(X) + px - sx * px);
    const int right = static_cast<int>(static_cast<float>(X) + px + sx * (static_cast<float>(w) - px));
    const int top = static_cast<int>(static_cast<float>(Y) + py - sy * py);
    const int bottom = static_cast<int>(static_cast<float>(Y) + py + sy * (static_cast<float>(h) - py));
    if (!SpanVisible(left, right, BackBufferWidth) || !SpanVisible(top, bottom, BackBufferHeight)) return;

    device->SetRenderState(RenderState::ZWriteEnable, DrawParams::depthWrite);

    const TextureEntry& entry = TextureTable[slot];
    const float texW = static_cast<float>(entry.width);
    const float texH = static_cast<float>(entry.height);
    float uLeft = static_cast<float>(srcX) / texW;
    float uRight = uLeft + static_cast<float>(w) / texW;
    const float vTop = static_cast<float>(srcY) / texH;
    const float vBottom = vTop + static_cast<float>(h) / texH;
    const bool mirrored = DrawParams::direction == -1.0f;
    if (mirrored) {
        uLeft = static_cast<float>(srcX + w) / texW;
        uRight = static_cast<float>(srcX) / texW;
    }

    const float cy = static_cast<float>(Y) + py;
    const float cx = mirrored ? static_cast<float>(X + w) - px : static_cast<float>(X) + px;
    const float c = std::cos(DrawParams::angle), s = std::sin(DrawParams::angle);
    auto corner = [&](float cornerX, float cornerY, float u, float v) {
        const float rx = sx * (cornerX - cx);
        const float ry = sy * (cornerY - cy);
        Vertex vert;
        vert.x = cx + rx * c - ry * s - 0.5f;
        vert.y = cy + rx * s + ry * c - 0.5f;
        vert.z = DrawParams::depth;
        vert.rhw = 1.0f;
        vert.diffuse = DrawParams::colour;
        vert.specular = 0;
        vert.u = u;
        vert.v = v;
        return vert;
    };
    const float x0 = static_cast<float>(X), x1 = static_cast<float>(X + w);
    const float y0 = static_cast<float>(Y), y1 = static_cast<float>(Y + h);
    const Vertex tl = corner(x0, y0, uLeft, vTop);
    const Vertex tr = corner(x1, y0, uRight, vTop);
    const Vertex br = corner(x1, y1, uRight, vBottom);
    const Vertex bl = corner(x0, y1, uLeft, vBottom);
    const Vertex vertices[6] = {tl, tr, br, tl, br, bl};

    switch (DrawParams::colourMode) {
        case 0: device->SetTextureStageState(0, kStageColorOp, kTopModulate); break;
        case 1: device->SetTextureStageState(0, kStageColorOp, kTopSelectArg2); break;
        case 2:
            device->SetTextureStageState(0, kStageColorOp, kTopBlendFactorAlpha);
            device->SetRenderState(RenderState::TextureFactor, DrawParams::textureFactor);
            break;
        default: break;
    }
    device->SetRenderState(RenderState::AlphaBlendEnable, 1);
    switch (DrawParams::blendMode) {
        case 0:
            device->SetRenderState(RenderState::SrcBlend, kBlendSrcAlpha);
            device->SetRenderState(RenderState::DestBlend, kBlendInvSrcAlpha);
            break;
        case 1:
            device->SetRenderState(RenderState::SrcBlend, kBlendOne);
            device->SetRenderState(RenderState::DestBlend, kBlendOne);
            break;
        case 2:
            device->SetRenderState(RenderState::SrcBlend, kBlendSrcAlpha);
            device->SetRenderState(RenderState::DestBlend, kBlendOne);
            break;
        default: break;
    }
    device->SetTexture(0, entry.texture.get());
    device->SetVertexShader(kVertexFormat);
    device->DrawPrimitiveUP(2, vertices, sizeof(Vertex));
    device->SetRenderState(RenderState::ZWriteEnable, 1);
    device->SetTexture(0, nullptr);
}
