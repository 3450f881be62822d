#include "stage/EventSpot1.h"

#include "character/Character.h"
#include "character/CharacterEffect.h"
#include "framework/GameMain.h"

namespace {

constexpr int32_t kLastSpot = CEventSpot1::kSpotCount - 1;
// The odd steps rest on a spot, the even ones glide to it.
constexpr int32_t kLastSpotStep = 2 * CEventSpot1::kSpotCount - 1;

CCharacter* Player() { return CGameMain::GetInstance()->m_player; }

}  // namespace

CEventSpot1::CEventSpot1() {
    m_step = kIdle;
    Register();
}

CEventSpot1::~CEventSpot1() = default;

CEventSpot1* CEventSpot1::GetInstance() {
    static CEventSpot1 tour;
    return &tour;
}

bool CEventSpot1::IsRunning() { return m_step != kIdle; }

void CEventSpot1::Init() {
    ClearSpots();
    SetFreeze(true);
}

void CEventSpot1::ClearSpots() {
    for (CCharacter*& spot : m_spots) spot = nullptr;
}

bool CEventSpot1::AddSpot(CCharacter* target) {
    for (CCharacter*& spot : m_spots) {
        if (spot != nullptr) continue;
        spot = target;
        return true;
    }
    return false;
}

void CEventSpot1::SetFreeze(bool on) { m_freeze = on ? 1 : 0; }

void CEventSpot1::Cancel() { m_step = kIdle; }

void CEventSpot1::Begin() {
    GoToStep(0);
    CGameMain* game = CGameMain::GetInstance();
    // The dolly starts where the player stands (at the first spot when there
    // is no player).
    const CCharacter* from = Player() != nullptr ? Player() : m_spots[0];
    const int32_t x = from != nullptr ? from->x : 0, y = from != nullptr ? from->y : 0;
    m_dolly = SpawnEffect(CCharacterEffect::kDolly, 1, x, x, y, y, 0, 0, 0, 0);
    game->m_cameraTarget = m_dolly;
    if (m_dolly != nullptr) {
        m_dolly->linksA[0] = m_spots[0];
        if (FrameRecord* glide = m_dolly->frameTable.Find(CCharacterEffect::kDolly))
            glide->stateDuration = m_travelFrames;
    }
    if (m_freeze) game->SetGroupFreezeTimer(-1);
}

void CEventSpot1::End() {
    CGameMain* game = CGameMain::GetInstance();
    if (m_dolly != nullptr) m_dolly->SetState(0);
    m_dolly = nullptr;
    game->m_cameraTarget = game->m_player;
    if (m_freeze) game->ClearGroupFreezeTimer();
}

void CEventSpot1::GlideTo(CCharacter* target) {
    m_dolly->SetState(CCharacterEffect::kDolly);  // its record still holds the travel frames
    m_dolly->linksA[0] = target;
}

void CEventSpot1::Update() {
    if (m_dolly == nullptr) {
        // The dolly was deleted under the tour (the stage's characters went
        // with a switch): the tour cannot go on.
        if (IsRunning()) CEvent::GetInstance()->Reset();
        m_step = kIdle;
        return;
    }
    if (m_step >= 0 && m_step <= kLastSpotStep) {
        if (m_step % 2 == 0) {
            if (m_dolly->frame == CCharacterEffect::kDollyArrived) GoToStep(m_step + 1);
            return;
        }
        if (!WaitFrames(m_waitFrames)) return;
        const int32_t k = m_step / 2;
        if (k == kLastSpot || m_spots[k + 1] == nullptr) {
            GlideTo(Player());
            m_step = kReturning;
        } else {
            GlideTo(m_spots[k + 1]);
            ++m_step;
        }
        m_frameCounter = 0;
        return;
    }
    if (m_step == kReturning && m_dolly->frame == CCharacterEffect::kDollyArrived) {
        CEvent::GetInstance()->Reset();
        m_step = kIdle;
    }
}

void CEventSpot1::DropCharacter(const CCharacter* dying) {
    if (dying == nullptr) return;
    if (dying == m_dolly) {
        m_dolly = nullptr;
        return;
    }
    for (int32_t r = 0; r < kSpotCount; ++r) {
        if (m_spots[r] != dying) continue;
        // The later spots move up one place, so the tour goes on in order
        // and the first empty spot still ends the list.
        for (int32_t i = r; i < kLastSpot; ++i) m_spots[i] = m_spots[i + 1];
        m_spots[kLastSpot] = nullptr;
        if (!IsRunning() || m_step > kLastSpotStep) continue;
        const int32_t target = m_step / 2;
        if (r < target) {
            m_step -= 2;  // the same spot, one place further up
        } else if (r == target && m_dolly != nullptr) {
            // The spot the camera glides to or rests on is gone: on to the
            // next one (now in its place), or back to the player.
            if (m_spots[target] != nullptr) {
                GlideTo(m_spots[target]);
                GoToStep(2 * target);
            } else {
                GlideTo(Player());
                GoToStep(kReturning);
            }
        }
        --r;  // the spot that moved into place is looked at again
    }
}
