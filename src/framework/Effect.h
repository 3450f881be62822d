#pragma once
// The screen effect: a shake that bounces the play picture between limits,
// a black fade, a transition overlay of black bars that slide in or out, and
// a coloured flash that pulses a number of times.
//
// The fade and the overlay have no operations: callers write the current
// value, target and step (and the overlay kind) directly; Update moves the
// value toward the target and stops exactly on it.
#include <cstdint>

class CEffect {
public:
    static CEffect* GetInstance();
    virtual ~CEffect() = default;
    // Zeroes every member and loads the white texture (slot 1) that every
    // overlay is drawn with.
    virtual void Init();
    // Once per logical frame: shake, fade, overlay, flash.
    virtual void Update();
    // After the play field: fade, overlay, flash, with the shake switched off.
    virtual void Draw();

    // A shake between the limits of each axis (stored smaller first); it
    // replaces a running shake only when it has at least as many frames left.
    void StartShake(int32_t lowX, int32_t highX, int32_t velocityX, int32_t velocityY, int32_t lowY, int32_t highY,
                    int32_t frames);
    // A vertical shake at speed 100 whose limits close in by `decay` at each
    // bounce; the same replacement rule.
    void StartVerticalShake(int32_t frames, int32_t lowY, int32_t highY, int32_t decay);
    // A flash of the colour: rises by `rise` to `peak`, holds `hold` frames,
    // falls by `fall` to 0, waits `pause` frames, `repetitions` times.
    void StartFlash(int32_t red, int32_t green, int32_t blue, int32_t peak, int32_t repetitions, int32_t rise,
                    int32_t hold, int32_t fall, int32_t pause);
    // The reset of a stage start and the title's start: shake motion, fade,
    // overlay and flash cleared (the shake limits stay); the flash is left
    // rising from nothing, so it runs out by itself within two frames.
    void ResetScreenEffects();
    // A rectangle of flat colour (the white texture of slot 1, tinted),
    // unshaken: the fade, the overlay bars and the stage's edge masks.
    static void DrawRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour);

    int32_t m_shakeX = 0, m_shakeVelocityX = 0, m_shakeLowX = 0, m_shakeHighX = 0;
    int32_t m_shakeY = 0, m_shakeVelocityY = 0, m_shakeLowY = 0, m_shakeHighY = 0;
    int32_t m_shakeFrames = 0;
    int32_t m_shakeDecay = 0;
    int32_t m_fade = 0, m_fadeTarget = 0, m_fadeStep = 0;  // 0 clear .. 255 black
    int32_t m_overlay = 0, m_overlayTarget = 0, m_overlayStep = 0, m_overlayKind = 0;  // 255 closed; kind 0 none
    int32_t m_flash = 0, m_flashRed = 0, m_flashGreen = 0, m_flashBlue = 0;
    int32_t m_flashPeak = 0, m_flashCycles = 0, m_flashRiseStep = 0, m_flashHoldPeak = 0, m_flashFallStep = 0,
            m_flashHoldZero = 0;
    int32_t m_flashCounter = 0, m_flashCyclesDone = 0;
    int32_t m_flashPhase = 0;  // 0 idle, 1 rising, 2 at the top, 3 falling, 4 at zero

protected:
    CEffect() = default;

private:
    void EndFlashCycle();
};
