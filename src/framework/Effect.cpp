#include "framework/Effect.h"

#include <climits>

#include "framework/GameMain.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

namespace {

// One axis of the shake: move, then bounce on the lower and the upper limit,
// each bounce moving that limit toward 0 by the decay.
void StepShakeAxis(int32_t& offset, int32_t& velocity, int32_t& low, int32_t& high, int32_t decay) {
    offset += velocity;
    if (low >= offset) {
        velocity = -velocity;
        offset = low;
        low += decay;
        if (low > 0) low = 0;
    }
    if (high <= offset) {
        velocity = -velocity;
        offset = high;
        high -= decay;
        if (high < 0) high = 0;
    }
}

// Moves a value toward its target by a signed step and stops on the target.
// A step of the wrong sign moves it away for good.
void StepFade(int32_t& value, int32_t target, int32_t step) {
    if (value == target) return;
    const int64_t next = static_cast<int64_t>(value) + step;
    if (target > value)
        value = next < target ? static_cast<int32_t>(next) : target;
    else
        value = next > target ? static_cast<int32_t>(next) : target;
}

}  // namespace

CEffect* CEffect::GetInstance() {
    static CEffect* instance = [] {
        static CEffect effect;
        effect.Init();
        return &effect;
    }();
    return instance;
}

void CEffect::Init() {
    m_shakeX = m_shakeVelocityX = m_shakeLowX = m_shakeHighX = 0;
    m_shakeY = m_shakeVelocityY = m_shakeLowY = m_shakeHighY = 0;
    m_shakeFrames = m_shakeDecay = 0;
    m_fade = m_fadeTarget = m_fadeStep = 0;
    m_overlay = m_overlayTarget = m_overlayStep = m_overlayKind = 0;
    m_flash = m_flashRed = m_flashGreen = m_flashBlue = 0;
    m_flashPeak = m_flashCycles = m_flashRiseStep = m_flashHoldPeak = m_flashFallStep = m_flashHoldZero = 0;
    m_flashCounter = m_flashCyclesDone = m_flashPhase = 0;
    LoadTexture(1, 101, 8);
}

void CEffect::StartShake(int32_t lowX, int32_t highX, int32_t velocityX, int32_t velocityY, int32_t lowY,
                         int32_t highY, int32_t frames) {
    if (frames < m_shakeFrames) return;
    m_shakeX = 0;
    m_shakeY = 0;
    m_shakeVelocityX = velocityX;
    m_shakeVelocityY = velocityY;
    m_shakeLowX = lowX < highX ? lowX : highX;
    m_shakeHighX = lowX < highX ? highX : lowX;
    m_shakeLowY = lowY < highY ? lowY : highY;
    m_shakeHighY = lowY < highY ? highY : lowY;
    m_shakeFrames = frames;
    m_shakeDecay = 0;
}

void CEffect::StartVerticalShake(int32_t frames, int32_t lowY, int32_t highY, int32_t decay) {
    if (frames < m_shakeFrames) return;
    m_shakeX = 0;
    m_shakeVelocityX = 0;
    m_shakeLowX = 0;
    m_shakeHighX = 0;
    m_shakeY = 0;
    m_shakeVelocityY = 100;
    m_shakeLowY = lowY;
    m_shakeHighY = highY;
    m_shakeFrames = frames;
    m_shakeDecay = decay;
}

void CEffect::StartFlash(int32_t red, int32_t green, int32_t blue, int32_t peak, int32_t repetitions, int32_t rise,
                         int32_t hold, int32_t fall, int32_t pause) {
    m_flashRed = red;
    m_flashGreen = green;
    m_flashBlue = blue;
    m_flashPeak = peak;
    m_flashCycles = repetitions;
    m_flashRiseStep = rise;
    m_flashHoldPeak = hold;
    m_flashFallStep = fall;
    m_flashHoldZero = pause;
    m_flash = 0;
    m_flashCounter = 0;
    m_flashCyclesDone = 0;
    m_flashPhase = 1;
}

void CEffect::ResetScreenEffects() {
    m_shakeX = m_shakeY = 0;
    m_shakeVelocityX = m_shakeVelocityY = 0;
    m_shakeFrames = 0;
    m_shakeDecay = 0;
    m_fade = m_fadeTarget = m_fadeStep = 0;
    m_overlay = m_overlayTarget = m_overlayStep = 0;
    m_flash = m_flashRed = m_flashGreen = m_flashBlue = 0;
    m_flashPeak = m_flashCycles = m_flashRiseStep = m_flashHoldPeak = m_flashFallStep = m_flashHoldZero = 0;
    m_flashCounter = m_flashCyclesDone = 0;
    m_flashPhase = 1;
}

void CEffect::EndFlashCycle() {
    ++m_flashCyclesDone;
    m_flashCounter = 0;
    if (m_flashCyclesDone < m_flashCycles) {
        m_flashPhase = 1;
    } else {
        m_flash = 0;
        m_flashCyclesDone = 0;
        m_flashPhase = 0;
    }
}

void CEffect::Update() {
    StepShakeAxis(m_shakeX, m_shakeVelocityX, m_shakeLowX, m_shakeHighX, m_shakeDecay);
    StepShakeAxis(m_shakeY, m_shakeVelocityY, m_shakeLowY, m_shakeHighY, m_shakeDecay);

    // With no limits the frame count keeps running below zero, so any new
    // shake may start; it stops short of wrapping around.
    const bool noLimits = m_shakeLowX == 0 && m_shakeHighX == 0 && m_shakeLowY == 0 && m_shakeHighY == 0;
    if ((m_shakeFrames > 0 || noLimits) && m_shakeFrames > INT32_MIN) {
        if (--m_shakeFrames == 0) {
            m_shakeX = m_shakeY = 0;
            m_shakeVelocityX = m_shakeVelocityY = 0;
            m_shakeDecay = 0;
        }
    }
    DrawParams::shakeX = m_shakeX;
    DrawParams::shakeY = m_shakeY;

    StepFade(m_fade, m_fadeTarget, m_fadeStep);

    const int64_t next = static_cast<int64_t>(m_overlay) + m_overlayStep;
    if (m_overlayTarget > m_overlay && next < m_overlayTarget) {
        m_overlay = static_cast<int32_t>(next);
    } else if (m_overlayTarget < m_overlay && next > m_overlayTarget) {
        m_overlay = static_cast<int32_t>(next);
    } else {
        m_overlay = m_overlayTarget;
        m_overlayStep = 0;
    }
    if (m_overlayStep == 0 && m_overlay == 0) m_overlayKind = 0;

    switch (m_flashPhase) {
        case 1:
            m_flash += m_flashRiseStep;
            if (m_flash >= m_flashPeak) {
                m_flash = m_flashPeak;
                if (m_flashHoldPeak == 0) {
                    m_flashCounter = 0;
                    m_flashPhase = 3;
                } else {
                    m_flashPhase = 2;
                }
            }
            break;
        case 2:
            if (++m_flashCounter >= m_flashHoldPeak) {
                m_flashCounter = 0;
                m_flashPhase = 3;
            }
            break;
        case 3:
            m_flash -= m_flashFallStep;
            if (m_flash <= 0) {
                m_flash = 0;
                m_flashPhase = 4;
                if (m_flashHoldZero == 0) EndFlashCycle();
            }
            break;
        case 4:
            if (++m_flashCounter >= m_flashHoldZero) EndFlashCycle();
            break;
        default:
            break;
    }
}

void CEffect::DrawRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
    DrawParams::direction = 1.0f;
    DrawParams::scaleX = 1.0f;
    DrawParams::scaleY = 1.0f;
    DrawParams::pivotX = 0.0f;
    DrawParams::pivotY = 0.0f;
    DrawParams::angle = 0.0f;
    DrawParams::blendMode = 0;
    DrawParams::colour = colour;
    DrawParams::shakeEnabled = 0;
    DrawSprite(x, y, 1, 0, 0, w, h);
    DrawParams::shakeEnabled = 1;
}

void CEffect::Draw() {
    const CGameMain* game = CGameMain::GetInstance();
    const int32_t W = game->m_screenWidth, H = game->m_screenHeight;
    const int32_t d = W == 512 ? -32 : 0;

    if (m_fade != 0) DrawRect(0, d, W, H, static_cast<uint32_t>(m_fade) << 24);

    if (m_overlayKind >= 1 && m_overlayKind <= 7) {
        const uint32_t black = 0xFF000000u;
        const int32_t a = m_overlay, halfH = H / 2, halfW = W / 2;
        auto q = [a](int32_t n) { return static_cast<int32_t>(static_cast<int64_t>(a) * n / 255); };
        const bool vertical = m_overlayKind == 1 || m_overlayKind == 7;
        const bool horizontal = m_overlayKind == 4 || m_overlayKind == 7;
        if (vertical) {
            DrawRect(0, q(halfH) - halfH + d, W, halfH, black);
            DrawRect(0, H - q(halfH) + d, W, halfH, black);
        }
        if (horizontal) {
            DrawRect(q(halfW) - halfW, d, halfW, H, black);
            DrawRect(W - q(halfW), d, halfW, H, black);
        }
        switch (m_overlayKind) {
            case 2: DrawRect(0, q(H) - H + d, W, H, black); break;
            case 3: DrawRect(0, H - q(H) + d, W, H, black); break;
            case 5: DrawRect(W - q(W), d, W, H, black); break;
            case 6: DrawRect(q(W) - W, d, W, H, black); break;
            default: break;
        }
    }

    if (m_flash != 0) {
        const uint32_t colour = static_cast<uint32_t>(m_flash) << 24 | (static_cast<uint32_t>(m_flashRed) & 0xFFu) << 16 |
                                (static_cast<uint32_t>(m_flashGreen) & 0xFFu) << 8 |
                                (static_cast<uint32_t>(m_flashBlue) & 0xFFu);
        DrawRect(0, d, W, H, colour);
    }
}
