#include "player/TouchPad.h"

#include "win/MyInput.h"

namespace {

CTouchPad* g_installedPad = nullptr;

}  // namespace

CTouchPad* CTouchPad::GetCurrent() {
    static CMyInputTouchPad plain;
    return g_installedPad != nullptr ? g_installedPad : &plain;
}

void CTouchPad::SetCurrent(CTouchPad* pad) { g_installedPad = pad; }

// Down this frame, and not taken by a screen: a press that play has used
// (2) still counts while it is held.
bool CMyInputTouchPad::IsPressed() {
    const CMyInput* input = CMyInput::GetInstance();
    return input->m_inputAvailable != 0 && input->m_touchHistory[0] >= 1;
}

// A fresh press (the whole screen is the pad, so it always began inside).
bool CMyInputTouchPad::IsTouchEntered() { return CMyInput::GetInstance()->IsTouchPressed(); }

int32_t CMyInputTouchPad::GetPointerLocalX() { return CMyInput::GetInstance()->m_pointerXHistory[0]; }
int32_t CMyInputTouchPad::GetPointerLocalY() { return CMyInput::GetInstance()->m_pointerYHistory[0]; }
