#include "framework/GameMain.h"

#include "framework/GameState.h"
#include "framework/Random.h"
#include "framework/StateLoading.h"
#include "platform/Clock.h"
#include "ui/GameInput.h"
#include "win/Graphics.h"
#include "win/MyInput.h"
#include "win/SoundManager.h"

uint32_t g_lastFrameTime = 0;
bool g_frameStarted = false;

CGameMain* CGameMain::GetInstance() {
    static CGameMain instance;
    return &instance;
}

CGameMain::CGameMain() {
    // The destructor stops the music: the sound manager must outlive us, so
    // it is built first whoever asks for the game object first.
    CSoundManager::GetInstance();
    for (CDrawString& style : m_textStyles) {
        style.red = style.green = style.blue = style.alpha = 255;
        style.scaleX = style.scaleY = 1.0;
    }
    CGameInputController::GetInstance()->Init();
    CGameStateController::GetInstance()->Init();
    ResetGameData();
}

CGameMain::~CGameMain() { EmptyWorld(); }

void CGameMain::EmptyWorld() {
    CSoundManager::GetInstance()->StopAllMusic();
    m_subCharacterList.DeleteAll();
    m_characterList.DeleteAll();
}

void CGameMain::ResetGameData() {
    m_selectedCharacter = 1;
    m_gameMode = 1;
    m_triesLeft = 0;
    for (int32_t& f : m_clearFlags) f = 0;
    m_frameCount = 0;
    m_gold = 0;
    m_language = 0;
    m_titleLayoutFlag = 0;
    m_clearScreenFlag = 0;
    m_vibration = 0;
    m_currentSlot = 0;
    m_screenWidth = 480;
    m_screenHeight = 320;
    for (int i = 0; i < kSlotCount; ++i) NewGameInSlot(i);
    // Memory no longer holds anything a failed save could not write.
    CSaveFile::ForgetFailedWrites();
}

int32_t CGameMain::GetViewWidth() const {
    switch (m_screenWidth) {
        case 480: case 568: case 512: case 320: return m_screenWidth;
        default: return 0;
    }
}

int32_t CGameMain::GetViewHeight() const {
    switch (m_screenHeight) {
        case 320: case 384: return 320;
        case 480: return 480;  // the portrait screen of F2 shows its whole height
        case 568: return 420;
        case 512: return 452;
        default: return 0;
    }
}

void CGameMain::Init() {
    GameSeedFromClock();
    LoadTexture(0, 100, 64);
    LoadTexturePages();
    CGameStateLoading::GetInstance()->LoadResources();
    GoToTitle();
}

void CGameMain::DoFrame() {
    const uint32_t now = timeGetTime();
    // The first call runs at once; later ones wait out the 24 ms and never
    // make up frames that a late pass missed.
    if (g_frameStarted && now - g_lastFrameTime < kFrameMs) return;
    g_frameStarted = true;
    g_lastFrameTime = now;
    ++m_frameCount;
    CMyInput::GetInstance()->Poll();
    CSoundManager::GetInstance()->Update();
    CGameStateController::GetInstance()->DoAction();
    Draw();
}

uint32_t CGameMain::MsUntilNextFrame(uint32_t now) const {
    const uint32_t since = now - g_lastFrameTime;
    return !g_frameStarted || since >= kFrameMs ? 0 : kFrameMs - since;
}

void CGameMain::Draw() {
    platform::GraphicsDevice* device = GetDevice();
    if (!device) {
        CGameStateController::GetInstance()->Draw();
        return;
    }
    device->Clear(0xFF000000u, 1.0f);
    device->BeginScene();
    CGameStateController::GetInstance()->Draw();
    device->EndScene();
    if (device->Present() == platform::kDeviceLost) ResetDevice();
}
