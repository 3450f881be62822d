// The place-name caption and the two endings.
#include <cstring>

#include "character/Character.h"
#include "framework/GameMain.h"
#include "stage/EventScenes.h"
#include "ui/GameInput.h"
#include "ui/GameInputMessageWindow.h"
#include "ui/GameInputEnding.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kPrincessId = 101;
constexpr int32_t kEndingMusic = 10;

// The player's poses in the endings.
constexpr int32_t kWalking = 250;
constexpr int32_t kGreeting = 960;
constexpr int32_t kBowing = 961;
constexpr int32_t kCheering = 963;
constexpr int32_t kHugging = 965;
constexpr int32_t kHugHeld = 967;  // the record the hug comes to rest in

// The princess's poses.
constexpr int32_t kPrincessJumpingDown = 232;
constexpr int32_t kPrincessTalking = 240;
constexpr int32_t kPrincessNodding = 241;
constexpr int32_t kPrincessWaving = 250;
constexpr int32_t kPrincessHugging = 252;
constexpr int32_t kPrincessHugHeld = 253;
constexpr int32_t kPrincessTurning = 260;

CGameMain* Game() { return CGameMain::GetInstance(); }
CCharacter* Player() { return Game()->m_player; }

void PosePlayer(int32_t state) {
    if (CCharacter* player = Player()) player->SetState(state);
}

void StopPlayer() {
    if (CCharacter* player = Player()) player->vx = 0;
}

// The ending music, and the ending screen's roll begins.
void StartEndingRoll() {
    CEvent::ChangeSceneMusic(kEndingMusic);
    CGameInputEnding::GetInstance()->LayoutStep();
    CEvent::GetInstance()->Reset();
}

}  // namespace

// --- The place name ---------------------------------------------------------------

CEventPlaceName1::CEventPlaceName1() { m_step = 0; }

CEventPlaceName1* CEventPlaceName1::GetInstance() {
    static CEventPlaceName1 instance;
    return &instance;
}

void CEventPlaceName1::SetPlaceName(const char* text) {
    if (text == nullptr) text = "";
    std::size_t n = std::strlen(text);
    if (n >= sizeof m_placeName) {
        n = sizeof m_placeName - 1;
        // Not through the middle of a character: back off continuation bytes.
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    }
    std::memcpy(m_placeName, text, n);
    m_placeName[n] = '\0';
}

void CEventPlaceName1::Begin() {
    GoToStep(0);
    if (CCharacter* player = Player()) {
        player->controlled = 0;
        player->vx = 0;
    }
    CGameInputController::GetInstance()->PushInput(ScreenId::MessageWindow);
    CGameInputMessageWindow::GetInstance()->ShowText(m_placeName);
}

void CEventPlaceName1::Update() {
    if (m_step == 0 && CGameInputMessageWindow::GetInstance()->GetState() == ScreenState::Closed)
        CEvent::GetInstance()->Reset();
}

void CEventPlaceName1::End() {
    if (CCharacter* player = Player()) player->controlled = 1;
    CSoundManager* sound = CSoundManager::GetInstance();
    if (sound->GetPlayingMusic() != -1) return;
    sound->StopAllMusic();
    const CStageData* stage = Game()->m_stageControl.GetStage();
    if (stage != nullptr && stage->m_music != -1) PlayMusic(stage->m_music);
}

// --- The endings ----------------------------------------------------------------

void CEventEndingScene::MakePrincess(int32_t x) {
    m_princess = MakeSceneActor(kPrincessId);
    if (m_princess == nullptr) return;
    m_princess->Reset();
    m_princess->x = x;
    m_princess->y = 800;
    m_princess->facing = -1;
}

bool CEventEndingScene::ReachedPrincess() const {
    const CCharacter* player = Player();
    return player != nullptr && (m_princess == nullptr || player->x > m_princess->x - 300);
}

bool CEventEndingScene::RunSharedStep() {
    switch (m_step) {
        case 1:
            // She has landed (or gone).
            if (m_princess != nullptr && m_princess->IsAirborne()) return true;
            break;
        case 2:
            if (!WaitFrames(40)) return true;
            PosePlayer(kWalking);
            break;
        case 4:
            if (!WaitFrames(40)) return true;
            Pose(m_princess, kPrincessTalking);
            break;
        case 5:
            if (!WaitFrames(40)) return true;
            Pose(m_princess, kPrincessNodding);
            PosePlayer(kBowing);
            break;
        default:
            return false;
    }
    GoToStep(m_step + 1);
    return true;
}

void CEventEndingScene::DropCharacter(const CCharacter* dying) { Forget(m_princess, dying); }

void CEventEnding1_1::Begin() {
    GoToStep(0);
    if (CCharacter* player = Player()) player->controlled = 0;
    CGameInputController::GetInstance()->PushInput(ScreenId::Ending);
    MakePrincess(2400);
}

void CEventEnding1_1::Update() {
    if (RunSharedStep()) return;
    const int32_t character = Game()->m_selectedCharacter;
    switch (m_step) {
        case 0:
            if (!WaitFrames(80)) return;
            Pose(m_princess, kPrincessJumpingDown);
            break;
        case 3:
            if (!ReachedPrincess()) return;
            PosePlayer(kGreeting);
            StopPlayer();
            if (character == 2) {
                // She turns away at once: straight on to the music.
                Pose(m_princess, kPrincessTurning);
                Player()->x -= 60;
                GoToStep(7);
                return;
            }
            break;
        case 6:
            if (!WaitFrames(80)) return;
            Pose(m_princess, kPrincessWaving);
            PosePlayer(kCheering);
            break;
        case 7:
            if (!WaitFrames(character == 4 ? 200 : 100)) return;
            StartEndingRoll();
            break;
        default:
            return;
    }
    GoToStep(m_step + 1);
}

void CEventEnding1_2::Begin() {
    GoToStep(0);
    if (CCharacter* player = Player()) {
        player->controlled = 0;
        player->DropToGround();
    }
    CGameInputController::GetInstance()->SetInput(ScreenId::Ending);
    MakePrincess(3600);
}

void CEventEnding1_2::Update() {
    if (RunSharedStep()) return;
    switch (m_step) {
        case 0:
            if (CCharacter* player = Player()) {
                player->controlled = 0;
                player->y = 800;
                player->DropToGround();
            }
            if (!WaitFrames(80)) return;
            Pose(m_princess, kPrincessJumpingDown);
            break;
        case 3:
            if (!ReachedPrincess()) return;
            PosePlayer(kGreeting);
            StopPlayer();
            m_step = 4;  // the counter stays where it was
            return;
        case 6:
            if (!WaitFrames(80)) return;
            Pose(m_princess, kPrincessHugging);
            PosePlayer(kHugging);
            break;
        case 7: {
            const CCharacter* player = Player();
            if (player == nullptr || player->frame != kHugHeld) return;
            Pose(m_princess, kPrincessHugHeld);
            break;
        }
        case 8:
            if (!WaitFrames(300)) return;
            StartEndingRoll();
            break;
        default:
            return;
    }
    GoToStep(m_step + 1);
}
