#include "stage/Event.h"

#include "character/Character.h"
#include "stage/EventScenes.h"
#include "stage/EventSpot1.h"
#include "win/MyInput.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

namespace {

// The scene singletons built so far. A plain array, so that it is still
// there while the last characters are deleted at exit, after the scenes.
constexpr int kMaxScenes = 16;
CEvent* g_scenes[kMaxScenes] = {};
int g_sceneCount = 0;

}  // namespace

CEvent::CEvent() = default;

CEvent::~CEvent() { Unregister(); }

CEvent* CEvent::GetInstance() {
    static CEvent director;
    return &director;
}

CEvent* CEvent::SceneFor(int32_t id) {
    switch (id) {
        case EventId::kEnding1: return CEventEnding1_1::GetInstance();
        case EventId::kEnding2: return CEventEnding1_2::GetInstance();
        case EventId::kSpot: return CEventSpot1::GetInstance();
        case EventId::kPlaceName: return CEventPlaceName1::GetInstance();
        case EventId::kOpening1: return CEventOpening1_1::GetInstance();
        case EventId::kOpening2: return CEventOpening1_2::GetInstance();
        case EventId::kClear: return CEventClear1::GetInstance();
        case EventId::kQuelmar1: return CEventQuelmar1::GetInstance();
        case EventId::kQuelmar2: return CEventQuelmar2::GetInstance();
        default: return nullptr;
    }
}

int32_t CEvent::GetCurrentId() const {
    if (m_current == nullptr) return EventId::kNone;
    for (int32_t id = EventId::kEnding1; id <= EventId::kQuelmar2; ++id)
        if (SceneFor(id) == m_current) return id;
    return EventId::kNone;
}

void CEvent::SetEvent(int32_t id) {
    if (m_current != nullptr) m_current->End();
    m_current = SceneFor(id);
    if (m_current != nullptr) m_current->Begin();
}

void CEvent::Reset() { SetEvent(EventId::kNone); }
void CEvent::Cancel() {}

void CEvent::Draw() {
    if (m_current != nullptr) m_current->Draw();
}

void CEvent::Update() {
    if (m_current != nullptr) m_current->Update();
}

void CEvent::Begin() {}
void CEvent::End() {}
int32_t CEvent::GetStep() { return m_step; }

bool CEvent::WaitFrames(int32_t n) {
    const int32_t old = m_frameCounter;
    m_frameCounter = old + 1;
    return old > n;
}

void CEvent::GoToStep(int32_t step) {
    m_step = step;
    m_frameCounter = 0;
}

void CEvent::DropCharacter(const CCharacter*) {}

void CEvent::Pose(CCharacter* actor, int32_t state) {
    if (actor != nullptr) actor->SetState(state);
}

void CEvent::Register() {
    for (int i = 0; i < g_sceneCount; ++i)
        if (g_scenes[i] == this) return;
    if (g_sceneCount < kMaxScenes) g_scenes[g_sceneCount++] = this;
}

void CEvent::Unregister() {
    for (int i = 0; i < g_sceneCount; ++i) {
        if (g_scenes[i] != this) continue;
        g_scenes[i] = g_scenes[--g_sceneCount];
        g_scenes[g_sceneCount] = nullptr;
        return;
    }
}

void CEvent::ForgetCharacter(const CCharacter* dying) {
    for (int i = 0; i < g_sceneCount; ++i) g_scenes[i]->DropCharacter(dying);
}

void CEvent::ConsumeTouch() {
    for (int8_t& sample : CMyInput::GetInstance()->m_touchHistory) sample = -1;
}

void CEvent::ChangeSceneMusic(int32_t entry) {
    CSoundManager* sound = CSoundManager::GetInstance();
    const int32_t playing = sound->GetPlayingMusic();
    StopMusic();
    PlayMusic(entry);
    if (playing != -1) sound->ReleaseMusic(playing);
}

void CEvent::StopSceneMusic() {
    CSoundManager* sound = CSoundManager::GetInstance();
    const int32_t playing = sound->GetPlayingMusic();
    StopMusic();
    if (playing != -1) sound->ReleaseMusic(playing);
}
