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

bool CMyInputTouchPad::IsPressed() {
    const CMyInput* input = CMyInput::GetInstance();
    return input->m_inputAvailable != 0 && input->m_touchHistory[0] == 1;
}

bool CMyInputTouchPad::IsTouchEntered() {
    const CMyInput* input = CMyInput::GetInstance();
    return input->m_inputAvailable != 0 && input->m_touchHistory[0] == 1 && input->m_touchHistory[1] == 0;
}

int32_t CMyInputTouchPad::GetPointerLocalX() { return CMyInput::GetInstance()->m_pointerXHistory[0]; }
int32_t CMyInputTouchPad::GetPointerLocalY() { return CMyInput::GetInstance()->m_pointerYHistory[0]; }
