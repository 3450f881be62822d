#include "win/MyInput.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kActionKey = 4;
constexpr int kStickThreshold = 500;
constexpr int kMoveThreshold = 10;  // pixels
constexpr int kFreshWindow = 10;    // frames a press counts as fresh
constexpr int kTapWindow = 10;      // a tap lasts at most 9 frames
constexpr int kSwipeWindow = 14;    // a swipe lasts at most 13 frames

// Default key map: arrows, then Z X C V A S D P, then Z and X once more.
constexpr int32_t kDefaultKeyMap[kGameKeyCount] = {0x26, 0x28, 0x25, 0x27, 'Z', 'X', 'C',
                                                   'V',  'A',  'S',  'D',  'P', 'Z', 'X'};
// Pad button of each of the game keys 4 to 13.
constexpr int kDefaultPadButton[kPadMappedButtons] = {1, 0, 2, 3, 4, 5, 8, 9, 0, 1};

void Age(InputHistory& history) { std::memmove(history + 1, history, kInputHistoryLength - 1); }

void Age(int32_t (&history)[kInputHistoryLength]) {
    std::memmove(history + 1, history, sizeof(int32_t) * (kInputHistoryLength - 1));
}

// Direction flags from two opposite keys: the last pressed one wins.
void UpdateDirections(const InputHistory& first, const InputHistory& second, int32_t& firstDir,
                      int32_t& secondDir) {
    if (first[0] != 0 && first[1] == 0) {
        firstDir = 1;
        secondDir = 0;
    } else if (first[0] != 0 && second[0] == 0) {
        firstDir = 1;
    } else if (first[0] == 0) {
        firstDir = 0;
    }
    if (second[0] != 0 && second[1] == 0) {
        firstDir = 0;
        secondDir = 1;
    } else if (second[0] != 0 && first[0] == 0) {
        secondDir = 1;
    } else if (second[0] == 0) {
        secondDir = 0;
    }
}

}  // namespace

CMouseDevice* CMouseDevice::GetInstance() {
    static CMouseDevice instance;
    return &instance;
}

int32_t CMouseDevice::InitMouse(platform::WindowHandle window) {
    m_window = window;
    return platform::GetInputSource().OpenMouse() ? 0 : -1;
}

void CMouseDevice::PollMouse() {
    platform::InputSource& source = platform::GetInputSource();
    source.GetCursor(m_x, m_y);
    // A release held back from the previous read takes effect now.
    for (size_t b = 0; b < sizeof m_buttons; ++b) {
        if (m_deferredRelease[b] != 0) m_buttons[b] = 0;
    }
    std::memset(m_deferredRelease, 0, sizeof m_deferredRelease);
    platform::MouseButtonEvent events[platform::kMouseBufferSize];
    int count = source.ReadMouseEvents(events, platform::kMouseBufferSize);
    if (count < 0) {
        // The device was lost with the focus, and the button releases with
        // it: every button counts as up until its next event.
        std::memset(m_buttons, 0, sizeof m_buttons);
        if (m_window == nullptr || source.ForegroundWindow() != m_window) return;
        count = source.ReadMouseEvents(events, platform::kMouseBufferSize);
        if (count < 0) return;
    }
    uint8_t pressedInThisRead[sizeof m_buttons] = {};
    for (int i = 0; i < count; ++i) {
        const uint32_t b = events[i].button;
        if (b >= sizeof m_buttons) continue;
        if ((events[i].data & 0x80) != 0) {
            m_buttons[b] = 1;
            m_deferredRelease[b] = 0;
            pressedInThisRead[b] = 1;
        } else if (pressedInThisRead[b] != 0) {
            // Down and up between two polls: stay down for this frame.
            m_deferredRelease[b] = 1;
        } else {
            m_buttons[b] = 0;
        }
    }
}

int32_t InitJoystick(platform::WindowHandle) { return platform::GetInputSource().OpenPad() ? 1 : 0; }

void PollJoystick(platform::PadState& state) {
    state.x = state.y = state.z = 0;
    state.rx = state.ry = state.rz = 0;
    state.slider[0] = state.slider[1] = 0;
    std::memset(state.pov, 0, sizeof state.pov);
    std::memset(state.buttons, 0, 32);
    platform::InputSource& source = platform::GetInputSource();
    source.RefreshPads();
    if (!source.HasPad()) return;
    platform::PadState read;
    if (source.ReadPad(read)) state = read;
}

CMyInput* CMyInput::GetInstance() {
    static CMyInput instance;
    return &instance;
}

CMyInput::CMyInput() {
    std::memcpy(m_keyMap, kDefaultKeyMap, sizeof m_keyMap);
    for (int k = 0; k < kPadMappedButtons; ++k) m_padButtonMap[k][kDefaultPadButton[k]] = 1;
}

void CMyInput::OnKeyMessage(const platform::Message& message) {
    if (message.vk >= sizeof m_keyState) return;
    switch (message.type) {
        case platform::MessageType::KeyDown:
        case platform::MessageType::SysKeyDown:
            m_keyState[message.vk] = 1;
            m_keyWentDown[message.vk] = 1;
            break;
        case platform::MessageType::KeyUp:
        case platform::MessageType::SysKeyUp:
            m_keyState[message.vk] = 0;
            break;
        default:
            break;
    }
}

void CMyInput::Poll() {
    platform::InputSource& source = platform::GetInputSource();
    CMouseDevice* mouse = CMouseDevice::GetInstance();
    mouse->PollMouse();
    m_inputAvailable = 1;

    for (InputHistory& h : m_keyHistory) Age(h);
    for (InputHistory& h : m_functionKeyHistory) Age(h);
    Age(m_touchHistory);
    Age(m_pointerXHistory);
    Age(m_pointerYHistory);

    for (int k = 0; k < kGameKeyCount; ++k) {
        const uint32_t vk = static_cast<uint32_t>(m_keyMap[k]);
        m_keyHistory[k][0] = (vk < sizeof m_keyState && (m_keyState[vk] == 1 || m_keyWentDown[vk] != 0)) ? 1 : 0;
    }
    std::memset(m_keyWentDown, 0, sizeof m_keyWentDown);
    for (int i = 0; i < kFunctionKeyCount; ++i) {
        m_functionKeyHistory[i][0] = source.IsKeyDown(0x70 + static_cast<uint32_t>(i)) ? 1 : 0;
    }

    // A press that play used (2) or a screen took (consumed) stays so while
    // the button is held.
    if (mouse->m_buttons[0] != 0) {
        const int8_t before = m_touchHistory[1];
        m_touchHistory[0] = (before == 2 || before == kInputConsumed) ? before : 1;
    } else {
        m_touchHistory[0] = 0;
    }
    m_pointerXHistory[0] = mouse->m_x;
    m_pointerYHistory[0] = mouse->m_y;

    m_padPreviousState = m_padState;
    PollJoystick(m_padState);
    const bool stick[4] = {m_padState.y < -kStickThreshold, m_padState.y > kStickThreshold,
                           m_padState.x < -kStickThreshold, m_padState.x > kStickThreshold};
    for (int k = 0; k < 4; ++k) {
        if (m_keyHistory[k][0] == 0 && stick[k]) m_keyHistory[k][0] = 1;
    }
    for (int k = 0; k < kPadMappedButtons; ++k) {
        InputHistory& h = m_keyHistory[4 + k];
        for (int b = 0; b < kPadMappedButtons && h[0] == 0; ++b) {
            if (m_padButtonMap[k][b] != 0 && (m_padState.buttons[b] & 0x80) != 0) h[0] = 1;
        }
    }

    if (source.ForegroundWindow() != m_window) {
        for (InputHistory& h : m_keyHistory) h[0] = 0;
        for (InputHistory& h : m_functionKeyHistory) h[0] = 0;
        m_touchHistory[0] = 0;
    }

    UpdateDirections(m_keyHistory[0], m_keyHistory[1], m_dirUp, m_dirDown);
    UpdateDirections(m_keyHistory[2], m_keyHistory[3], m_dirLeft, m_dirRight);

    if (m_touchHistory[0] == 1 && m_touchHistory[1] == 0) {
        m_touchStartX = m_pointerXHistory[0];
        m_touchStartY = m_pointerYHistory[0];
        m_touchMoved = 0;
    } else if (m_touchHistory[0] == 1 || m_touchHistory[0] == 2) {
        if (std::abs(m_pointerXHistory[0] - m_touchStartX) >= kMoveThreshold ||
            std::abs(m_pointerYHistory[0] - m_touchStartY) >= kMoveThreshold) {
            m_touchMoved = 1;
        }
    }
}

int CMyInput::FirstUp(const InputHistory& history, int from, int to) {
    for (int i = from; i <= to; ++i) {
        if (history[i] == 0) return i;
    }
    return -1;
}

bool CMyInput::IsFreshPress(const InputHistory& history) {
    return history[0] == 1 && FirstUp(history, 1, kFreshWindow) >= 0;
}

bool CMyInput::IsActionKeyDown() const { return m_inputAvailable != 0 && m_keyHistory[kActionKey][0] != 0; }

bool CMyInput::IsActionKeyPressed() const { return m_inputAvailable != 0 && IsFreshPress(m_keyHistory[kActionKey]); }

bool CMyInput::IsTouchPressed() const { return m_inputAvailable != 0 && IsFreshPress(m_touchHistory); }

bool CMyInput::IsTouchTapped() const {
    if (m_inputAvailable == 0 || m_touchMoved != 0) return false;
    if (m_touchHistory[0] != 0 || (m_touchHistory[1] != 1 && m_touchHistory[1] != 2)) return false;
    return FirstUp(m_touchHistory, 1, kTapWindow) >= 0;
}

int CMyInput::SwipeIndex() const {
    if (m_inputAvailable == 0) return -1;
    if (m_touchHistory[0] != 0 || (m_touchHistory[1] != 1 && m_touchHistory[1] != 2)) return -1;
    const int i = FirstUp(m_touchHistory, 1, kSwipeWindow);
    if (i < 0) return -1;
    const int32_t dx = m_pointerXHistory[0] - m_pointerXHistory[i - 1];
    const int32_t dy = m_pointerYHistory[0] - m_pointerYHistory[i - 1];
    if (std::abs(dx) < kMoveThreshold && std::abs(dy) < kMoveThreshold) return -1;
    return i;
}

bool CMyInput::IsSwipe() const { return SwipeIndex() >= 0; }

int32_t CMyInput::GetSwipeDX() const {
    const int i = SwipeIndex();
    return i < 0 ? 0 : m_pointerXHistory[0] - m_pointerXHistory[i - 1];
}

int32_t CMyInput::GetSwipeDY() const {
    const int i = SwipeIndex();
    return i < 0 ? 0 : m_pointerYHistory[0] - m_pointerYHistory[i - 1];
}
