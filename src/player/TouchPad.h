#pragma once
// The touch pad as the player reads it: the HUD's full-screen pad (the first
// widget of the in-stage HUD screen) answers these four questions. Until a
// pad is installed the player reads a plain pad over the input object's
// touch history, which answers them the same way for a pad that covers the
// whole screen.
#include <cstdint>

class CTouchPad {
public:
    virtual ~CTouchPad() = default;

    // The finger is down this frame and no screen has taken its press (a
    // press the player has used still counts while it is held).
    virtual bool IsPressed() = 0;
    // A touch began this frame inside the pad (or was dragged into it).
    virtual bool IsTouchEntered() = 0;
    // Pointer position in pixels inside the pad; x 10 gives play-field units.
    virtual int32_t GetPointerLocalX() = 0;
    virtual int32_t GetPointerLocalY() = 0;

    // The pad the player reads: the one installed, else the plain pad.
    static CTouchPad* GetCurrent();
    // Installs a pad (the HUD's); null puts the plain pad back.
    static void SetCurrent(CTouchPad* pad);
};

// The plain pad: the whole screen, straight from CMyInput. Nothing answers
// while the input object's enable word is 0.
class CMyInputTouchPad : public CTouchPad {
public:
    bool IsPressed() override;
    bool IsTouchEntered() override;
    int32_t GetPointerLocalX() override;
    int32_t GetPointerLocalY() override;
};
