// Every test of the binary starts from the game's objects as a fresh process
// has them, whatever ran before it in the same process and in whatever
// order: a listener puts every game-wide object back before each test.
//
// Objects that can be copied are restored from copies taken before the
// first test; the others are put back through their own operations.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/Random.h"
#include "framework/StateLoading.h"
#include "framework/StateMain.h"
#include "framework/StateTitle.h"
#include "platform/Clock.h"
#include "platform/Input.h"
#include "player/Item.h"
#include "stage/Event.h"
#include "stage/EventSpot1.h"
#include "ui/GameInput.h"
#include "ui/Lifebar.h"
#include "win/Graphics.h"
#include "win/MyInput.h"
#include "win/Network.h"
#include "win/SaveFile.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"
#include "win/Sprite.h"

namespace {

// A copy of a copyable singleton as the first use made it.
template <class T>
class Pristine {
public:
    void Take() { copy_.emplace(*T::GetInstance()); }
    void Restore() const {
        if (copy_) *T::GetInstance() = *copy_;
    }

private:
    std::optional<T> copy_;
};

struct Copies {
    Pristine<CMouseDevice> mouse;
    Pristine<CMyInput> input;
    Pristine<CNetwork> network;
    Pristine<CGameStateController> states;
    Pristine<CGameStateMain> mainState;
    Pristine<CGameStateMainNormal> play;
    Pristine<CGameStateMainPause> pause;
    Pristine<CGameStateLoading> loading;
    Pristine<CGameStateTitleLogo> logo;
    Pristine<CGameStateTitleMain> title;
    Pristine<CItem> items;

    void Take() {
        mouse.Take(), input.Take(), network.Take(), states.Take(), mainState.Take();
        play.Take(), pause.Take(), loading.Take(), logo.Take(), title.Take(), items.Take();
    }
    void Restore() const {
        mouse.Restore(), input.Restore(), network.Restore(), states.Restore(), mainState.Restore();
        play.Restore(), pause.Restore(), loading.Restore(), logo.Restore(), title.Restore(), items.Restore();
    }
};

// The texture slots, the text styles and the environment as they stood
// before the first test.
class PristineSlots {
public:
    void Take() {
        for (int slot = 0; slot < kTextureSlotCount; ++slot) {
            const TextureEntry& e = TextureTable[slot];
            slots_[slot] = {e.texture ? std::optional<platform::Texture>(*e.texture) : std::nullopt, e.width,
                            e.height, TextureRefCount[slot]};
        }
        for (int i = 0; i < 8; ++i) styles_[i] = CGameMain::GetInstance()->m_textStyles[i];
        for (std::size_t i = 0; i < kEnvironment.size(); ++i) {
            const char* value = std::getenv(kEnvironment[i]);
            environment_[i] = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
        }
    }
    void Restore() const {
        for (int slot = 0; slot < kTextureSlotCount; ++slot) {
            const Slot& s = slots_[slot];
            TextureTable[slot].texture = s.texture ? std::make_unique<platform::Texture>(*s.texture) : nullptr;
            TextureTable[slot].width = s.width;
            TextureTable[slot].height = s.height;
            TextureRefCount[slot] = s.refCount;
        }
        for (int i = 0; i < 8; ++i) CGameMain::GetInstance()->m_textStyles[i] = styles_[i];
        for (std::size_t i = 0; i < kEnvironment.size(); ++i) {
            if (environment_[i])
                setenv(kEnvironment[i], environment_[i]->c_str(), 1);
            else
                unsetenv(kEnvironment[i]);
        }
    }

private:
    struct Slot {
        std::optional<platform::Texture> texture;
        uint32_t width = 0, height = 0;
        int32_t refCount = 0;
    };
    std::vector<Slot> slots_ = std::vector<Slot>(kTextureSlotCount);
    CDrawString styles_[8];
    // The variables tests set for themselves.
    static constexpr std::array<const char*, 2> kEnvironment = {"SDL_AUDIODRIVER", "PELLUMBRISK_SOUNDFONT"};
    std::array<std::optional<std::string>, kEnvironment.size()> environment_;
};

// The effect as its first use leaves it (the white texture it took is among
// the pristine slots).
class FreshEffect : public CEffect {};

void ResetGame() {
    CGameMain* game = CGameMain::GetInstance();
    CEvent::GetInstance()->Reset();
    CEventSpot1::GetInstance()->Cancel();  // idle, as a fresh process finds it
    game->m_characterList.DeleteAll();
    game->m_subCharacterList.DeleteAll();
    game->m_player = nullptr;
    game->m_cameraLimitCharacter = nullptr;
    game->m_cameraTarget = nullptr;
    game->SetStageView(nullptr);
    game->m_stageControl.SetStage(0);
    game->m_mapId = game->m_retryMapId = game->m_restartMapId = 0;
    game->m_freezeTimer = game->m_groupFreezeTimer = 0;
    game->ResetGameData();
    game->ResetResumeRecord();
    game->m_systemData = CSaveData{};
}

// Every screen out of the chain, closed, with the widgets its constructor
// built.
void ResetScreens() {
    CGameInputController* root = CGameInputController::GetInstance();
    root->ClearChild();
    root->SetState(ScreenState::Closed);
    for (int32_t id = 0; id <= ScreenId::Ending; ++id) {
        CGameInput* screen = CGameInput::GetInput(id);
        if (screen == nullptr) continue;
        screen->ClearChild();
        screen->SetParent(nullptr);
        screen->SetState(ScreenState::Closed);
        screen->Init();
    }
}

class FreshStart : public ::testing::EmptyTestEventListener {
public:
    void OnTestProgramStart(const ::testing::UnitTest&) override {
        // Run straight from a shell, the binary is as headless as under ctest.
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("PELLUMBRISK_TEST", "1", 0);
        CGameMain::GetInstance();
        CEffect::GetInstance();
        CGameStateLoading::GetInstance();
        copies_.Take();
        slots_.Take();
    }

    void OnTestStart(const ::testing::TestInfo&) override {
        platform::SetInputSource(nullptr);
        platform::SetClockSource(nullptr);
        SetSoundEffectObserver(nullptr);
        SetMusicObserver(nullptr);
        CSaveFile::SetFaultForTesting(CSaveFile::Fault::None);
        GameSrand(1);
        g_lastFrameTime = 0;
        g_frameStarted = false;
        CSoundManager::GetInstance()->Shutdown();
        ResetGame();
        ResetScreens();
        // No life bar keeps pointing at a boss an earlier test has freed.
        CLifebarController::GetInstance()->SetEnemyBar(nullptr);
        CLifebarEnemy::GetInstance()->SetTarget(nullptr);
        CLifebarEnemy::GetInstance()->Reset();
        copies_.Restore();
        DrawParams::ResetToDefaults();
        static_cast<CEffect&>(*CEffect::GetInstance()) = FreshEffect{};
        slots_.Restore();
    }

private:
    Copies copies_;
    PristineSlots slots_;
};

const bool kInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshStart);
    return true;
}();

}  // namespace
