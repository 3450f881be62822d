#include "win/Main.h"

#include <cstdio>

#include "framework/GameMain.h"
#include "framework/Random.h"
#include "framework/StateLoading.h"
#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "win/Graphics.h"
#include "win/MyInput.h"
#include "win/SaveFile.h"
#include "win/SoundManager.h"

const char* const kWindowClassName = "ぺるんぶりすく";
const char* const kWindowTitle = "Pellumbrisk";

namespace {
constexpr int kClientWidth = 480;
constexpr int kClientHeight = 320;
}

namespace {

// Held from the single-instance test until the process ends, or until a
// start that opens no window gives it up.
platform::InstanceLock& SingleInstanceLock() {
    static platform::InstanceLock lock;
    return lock;
}

}  // namespace

bool AcquireSingleInstance() {
    switch (SingleInstanceLock().Acquire("pellumbrisk", CSaveFile::GetBaseDirectory())) {
        case platform::InstanceLockResult::Acquired:
            return true;
        case platform::InstanceLockResult::Busy:
            std::fputs("Pellumbrisk is already running.\n", stderr);
            // Started from a desktop launcher, standard error is seen by no one.
            platform::ShowNoticeBox("Pellumbrisk is already running.", kWindowTitle);
            return false;
        case platform::InstanceLockResult::Unavailable:
            break;
    }
    std::fputs("Pellumbrisk cannot make sure that it runs only once (no lock could be taken), so it does not start.\n",
               stderr);
    return false;
}

void ReleaseSingleInstance() { SingleInstanceLock().Release(); }

int32_t WinMain() {
    if (!AcquireSingleInstance()) return 0;
    if (!CreateMainWindow()) {
        // A later start may find the display this one did not.
        ReleaseSingleInstance();
        return 0;
    }
    RunGame();
    timeEndPeriod(1);
    return 1;
}

bool CreateMainWindow() { return platform::CreateGameWindow(kWindowTitle, kClientWidth, kClientHeight); }

void MainWindowProc(const platform::Message& message) {
    switch (message.type) {
        case platform::MessageType::Close:
            // The window goes away and the quit message follows.
            platform::PostQuitMessage();
            break;
        default:
            break;
    }
}

bool MainLoopPass(uint32_t& lastTime) {
    timeBeginPeriod(1);
    const uint32_t t = timeGetTime();
    timeEndPeriod(1);
    if (t != lastTime) {
        // This pass sees whatever woke the loop (the sound's notifications
        // are polled by the sound update below).
        platform::TakeWakeRequest();
        platform::Message message;
        if (platform::PeekMessage(message)) {
            switch (message.type) {
                case platform::MessageType::Quit:
                    return false;
                case platform::MessageType::SysKeyDown:
                case platform::MessageType::SysKeyUp:
                    // Dropped; the next pass starts at once.
                    return true;
                case platform::MessageType::KeyDown:
                case platform::MessageType::KeyUp:
                    CMyInput::GetInstance()->OnKeyMessage(message);
                    break;
                default:
                    MainWindowProc(message);
                    break;
            }
        }
        CGameMain::GetInstance()->DoFrame();
        CSoundManager::GetInstance()->Update();
        lastTime = t;
    }
    return true;
}

namespace {

struct NextPass {
    uint32_t sleepMs;  // how long the loop may sleep
    bool workWaiting;  // a message, a sound notification or a frame is due
};

NextPass PlanNextPass(uint32_t lastTime) {
    const uint32_t now = timeGetTime();
    const uint32_t untilFrame = CGameMain::GetInstance()->MsUntilNextFrame(now);
    if (platform::HasPendingMessage() || platform::WakeRequested() || untilFrame == 0) {
        // Only one pass per tick works: within the tick of the last working
        // pass the work waits for the next one.
        return NextPass{now == lastTime ? 1u : 0u, true};
    }
    return NextPass{untilFrame, false};
}

}  // namespace

uint32_t MainLoopSleepMs(uint32_t lastTime) { return PlanNextPass(lastTime).sleepMs; }

void MainLoopWait(uint32_t lastTime) {
    const NextPass next = PlanNextPass(lastTime);
    if (next.sleepMs == 0) return;
    // With work waiting, input would end the wait at once: sleep out the tick.
    if (next.workWaiting) platform::SleepMs(next.sleepMs);
    else platform::WaitForInput(next.sleepMs);
}

void RunGame() {
    GameSeedFromClock();
    timeBeginPeriod(1);
    if (!InitGraphics()) {
        platform::ShowMessageBox("初期化に失敗しました", "");
        return;
    }
    GetDevice()->SetPresenter(
        [](const uint32_t* argb, int w, int h) { platform::PresentToWindow(argb, w, h, GetDevice()->FrameRepeated()); });
    CGameStateLoading::GetInstance()->Draw();
    CSoundManager::GetInstance()->Init();
    CreateTextFont(9);
    const platform::WindowHandle window = platform::GetInputSource().GameWindow();
    CMyInput::GetInstance()->SetWindow(window);
    CMouseDevice::GetInstance()->InitMouse(window);
    InitJoystick(window);
    CGameMain::GetInstance()->Init();

    // The sound's stream notifications end the loop's wait.
    platform::AudioMixer::GetInstance()->SetNotificationHook(&platform::WakeMainThread);
    uint32_t lastTime = 0;
    while (MainLoopPass(lastTime)) MainLoopWait(lastTime);
    EndRun();
}

void EndRun() {
    platform::AudioMixer::GetInstance()->SetNotificationHook(nullptr);
    // The world goes while every service its characters call on as they go
    // (the life bars, the scenes, the sound) still stands: left to the end
    // of the process, the characters would be deleted after the services
    // built later than the game object.
    CGameMain::GetInstance()->EmptyWorld();
    ReleaseGraphics();
    platform::DestroyGameWindow();
}
