#include "ui/WidgetWindow.h"

#include "win/Sprite.h"

void CWidgetWindow::SetFrameExtents(int32_t leftExtent, int32_t rightExtent, int32_t topExtent,
                                    int32_t bottomExtent) {
    left = leftExtent;
    right = rightExtent;
    top = topExtent;
    bottom = bottomExtent;
    resizeFrames = resizeCounter = 0;
}

void CWidgetWindow::StartResize(int32_t w0, int32_t w1, int32_t h0, int32_t h1, int32_t frames, int32_t mode) {
    resizeW0 = w0;
    resizeW1 = w1;
    resizeH0 = h0;
    resizeH1 = h1;
    resizeFrames = frames;
    resizeMode = mode;
    resizeCounter = 0;
    left = right = w0 / 2;
    top = bottom = h0 / 2;
}

void CWidgetWindow::SetFrameTexture(int32_t cornerW, int32_t cornerH) {
    cornerWidth = cornerW;
    cornerHeight = cornerH;
}

void CWidgetWindow::Update() {
    StepResize();
    CWidget::Update();
}

void CWidgetWindow::StepResize() {
    if (resizeFrames <= resizeCounter) return;
    const int32_t n = ++resizeCounter;
    const int32_t frames = resizeFrames;
    const bool known = resizeMode >= kHeightFirst && resizeMode <= kTogether;
    if (n >= frames) {
        // The end size exactly; a resize shorter than two frames lands here
        // at once in every mode.
        if (known) {
            left = right = resizeW1 / 2;
            top = bottom = resizeH1 / 2;
        }
        resizeFrames = resizeCounter = 0;
        return;
    }
    const int32_t half = frames / 2;
    int32_t w = 0, h = 0;
    switch (resizeMode) {
        case kTogether:
            w = TrackValue(resizeW0, resizeW1, n, frames);
            h = TrackValue(resizeH0, resizeH1, n, frames);
            break;
        case kWidthFirst:
            if (half > n) {
                w = TrackValue(resizeW0, resizeW1, static_cast<int64_t>(n) * 2, frames);
                h = resizeH0;
            } else {
                w = resizeW1;
                h = TrackValue(resizeH0, resizeH1, n - half, half);
            }
            break;
        case kHeightFirst:
            if (half > n) {
                w = resizeW0;
                h = TrackValue(resizeH0, resizeH1, static_cast<int64_t>(n) * 2, frames);
            } else {
                w = TrackValue(resizeW0, resizeW1, n - half, half);
                h = resizeH1;
            }
            break;
        default:
            return;
    }
    left = right = w / 2;
    top = bottom = h / 2;
}

void CWidgetWindow::Draw() {
    if (!IsVisible()) return;
    if (left == 0 && right == 0 && top == 0 && bottom == 0) return;
    // The frame image is the current key of the normal table.
    if (const SpriteKey* frame = SpriteKeyOf(WidgetTable::Normal)) {
        const SpriteKey& key = *frame;
        ApplyDrawParams(0.0f, 0.0f);
        const float sx = scaleX, sy = scaleY;
        const int32_t iw = static_cast<int32_t>((static_cast<float>(left + right) + sx - 1.0f) / sx);
        const int32_t ih = static_cast<int32_t>((static_cast<float>(top + bottom) + sy - 1.0f) / sy);
        const int32_t cx = GetX() + pivotX, cy = GetY() + pivotY;
        const int32_t xl = cx - left, xr = cx + right;
        const int32_t yt = cy - top, yb = cy + bottom;
        const int32_t xo = static_cast<int32_t>(static_cast<float>(xl) - static_cast<float>(cornerWidth) * sx);
        const int32_t yo = static_cast<int32_t>(static_cast<float>(yt) - static_cast<float>(cornerHeight) * sy);
        const int32_t cw = cornerWidth, ch = cornerHeight;
        const int32_t W = key.width, H = key.height, slot = key.slot;
        DrawSprite(xl, yt, slot, cw, ch, iw, ih);           // centre
        DrawSprite(xo, yt, slot, 0, ch, cw, ih);            // left edge
        DrawSprite(xl, yo, slot, cw, 0, iw, ch);            // top edge
        DrawSprite(xl, yb, slot, cw, H - ch, iw, ch);       // bottom edge
        DrawSprite(xr, yt, slot, W - cw, ch, cw, ih);       // right edge
        DrawSprite(xo, yo, slot, 0, 0, cw, ch);             // top-left corner
        DrawSprite(xr, yo, slot, W - cw, 0, cw, ch);        // top-right corner
        DrawSprite(xo, yb, slot, 0, H - ch, cw, ch);        // bottom-left corner
        DrawSprite(xr, yb, slot, W - cw, H - ch, cw, ch);   // bottom-right corner
        DrawParams::colourMode = 0;
        DrawParams::textureFactor = 0xFFFFFFFFu;
    }
    DrawTypewriter();
}
