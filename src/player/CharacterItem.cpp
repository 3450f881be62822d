#include "player/CharacterItem.h"

#include "frames/FrameTables.h"
#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "framework/TextTable.h"
#include "player/CharacterPlayer.h"
#include "stage/StageView.h"
#include "ui/GameInput.h"
#include "ui/GameInputMessageWindow.h"
#include "win/SoundTables.h"

namespace {

// One row of the kinds: the type ids first..last, the first state, the
// message text (-1 none) and the collected flag of `first` (-1 none; it
// grows with the id for the tanks, scrolls, keys and treasures).
struct Kind {
    int32_t first, last;
    int32_t state;
    int32_t textId;
    int32_t flag;
};

constexpr Kind kKinds[] = {
    {PickupId::Heart, PickupId::Heart, CCharacterItem::kHeart, -1, -1},
    {PickupId::Spirit, PickupId::Spirit, CCharacterItem::kSpirit, -1, -1},
    {PickupId::Bombs, PickupId::Bombs, CCharacterItem::kBombs, -1, -1},
    {PickupId::Shurikens, PickupId::Shurikens, CCharacterItem::kShurikens, -1, -1},
    {23005, 23005, 50, 215, 0},  // fire ninjutsu
    {23006, 23006, 60, 216, 1},  // wind ninjutsu
    {23007, 23007, 70, 217, 2},  // water ninjutsu
    {23008, 23008, 80, 219, 3},  // straw sandals: the double jump
    {23009, 23009, 90, 220, 4},  // gauntlets: wall holds
    {23010, 23010, 100, 221, 5},  // silver gauntlets: ceiling holds
    {23011, 23011, 130, 222, 6},  // scarf of wind: soft blocks break
    {23012, 23012, 140, 218, 7},  // bombs as a weapon
    {23013, 23013, 150, 224, 8},  // amulet
    {PickupId::LaunchedHeart, PickupId::LaunchedHeart, CCharacterItem::kHeart + CCharacterItem::kLaunched, -1, -1},
    {PickupId::LaunchedSpirit, PickupId::LaunchedSpirit, CCharacterItem::kSpirit + CCharacterItem::kLaunched, -1, -1},
    {PickupId::LifeTank, 23049, CCharacterItem::kLifeTank, 225, 9},
    {PickupId::ScrollOfShinobi, 23069, CCharacterItem::kScroll, 226, 29},
    {PickupId::Key, 23119, CCharacterItem::kKey, -1, 49},
    {PickupId::Treasure, 23179, CCharacterItem::kTreasure, -1, 851},
};

constexpr int32_t kPickUpDistance = 800;     // a waiting drop flies to a player nearer than this
constexpr int32_t kBlinkLead = 80;           // frames of blinking before a waiting drop vanishes
constexpr int32_t kFlightAcceleration = 5;   // a flying drop's speed grows by this each frame
constexpr int32_t kHeldUpOffsetX = 100;      // where the item-get pose holds the item up
constexpr int32_t kHeldUpOffsetY = -400;
constexpr int32_t kInvulnerableAfter = 100;  // frames of safety once the message is read
constexpr int32_t kSmallestBounce = 10;
constexpr int32_t kFadeStep = 9;
constexpr int32_t kFadeRise = 30;            // a fading key rises, then falls, over this many frames
constexpr int32_t kTreasureGold = 300;

// What the dropped kinds give.
constexpr int32_t kHeartLife = 100;
constexpr int32_t kSpiritGauge = 1000;
constexpr int32_t kAmmunition = 5;

// Sound-effect slots.
constexpr int32_t kHealSound = 45;
constexpr int32_t kMagicSound = 46;
constexpr int32_t kItemGetSound = 72;
constexpr int32_t kJingle = 67;
constexpr int32_t kTreasureSound = 40;

bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

// The one-time items' first states: 50, 60, ... 150.
bool IsOneTimeState(int32_t s) { return In(s, CCharacterItem::kFireNinjutsu, CCharacterItem::kLastOneTime) && s % 10 == 0; }

CSaveData* CurrentSlotRecord() {
    CGameMain* game = CGameMain::GetInstance();
    if (game->m_currentSlot < 0 || game->m_currentSlot >= CGameMain::kSlotCount) return nullptr;
    return &game->m_slotData[game->m_currentSlot];
}

}  // namespace

CCharacterItem::CCharacterItem() {
    hp = hpMax = 600;
    typeId = kTypeId;
    frame = 0;
    gravityNum = gravityDen = 1;
    layer = 136;
    group = 0;
    superArmor = 1;
    hoverSpeed = hoverAmplitude = 10;
    hoverNum = 1;
    hoverDen = 2;
    hoverDir = -1;
    frameTable.Load(kCharacterItemFrames);
}

void CCharacterItem::SetTypeId(int32_t id) {
    typeId = id;
    int32_t state = 0;
    messageTextId = -1;
    collectedIndex = -1;
    for (const Kind& k : kKinds) {
        if (id < k.first || id > k.last) continue;
        state = k.state;
        messageTextId = k.textId;
        collectedIndex = k.flag < 0 ? -1 : k.flag + (id - k.first);
        break;
    }
    SetState(state);
}

void CCharacterItem::SetState(int32_t state) {
    const bool dropped = state == kHeart || state == kHeart + kLaunched || state == kSpirit || state == kSpirit + kLaunched;
    const bool placed = In(state, kFireNinjutsu, kLastOneTime) || state == kKey || state == kTreasure;
    if (dropped || placed) {
        gravityNum = 10;
        gravityDen = dropped ? 2 : 1;
        scaleX = scaleY = scaleX2 = scaleY2 = 2.0;
        maxFall = 150;
        layer = 161;
    }
    CCharacter::SetState(state);
}

bool CCharacterItem::OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker) {
    if (kind == 12) return false;
    return CCharacter::OnHit(kind, damage, direction, attacker);
}

void CCharacterItem::SetLinkParam(int32_t value) { linkValue = value; }

// --- The frame --------------------------------------------------------------------

void CCharacterItem::Update() {
    StepAnimation();
    if (!alive) return;
    const int32_t f = frame;
    if (f == kHeart || f == kSpirit || f == kShurikens || f == kBombs || f == kHeart + kLaunched ||
        f == kSpirit + kLaunched) {
        UpdateLying();
    } else if (f == kHeart + kWaiting || f == kSpirit + kWaiting || f == kShurikens + kWaiting ||
               f == kBombs + kWaiting) {
        UpdateWaiting();
    } else if (f == kHeart + kFlying || f == kSpirit + kFlying || f == kShurikens + kFlying ||
               f == kBombs + kFlying) {
        UpdateFlying();
    } else if (IsOneTimeState(f)) {
        UpdateOneTime();
    } else if (IsOneTimeState(f - 1)) {
        UpdateHeldUntilLanded();
    } else if (IsOneTimeState(f - 2)) {
        UpdateUnderMessage();
    } else if (f == kKey || f == kTreasure) {
        UpdateKeyOrTreasure();
    } else if (f == kKey + 1 || f == kTreasure + 1) {
        UpdateFading();
    }
}

void CCharacterItem::UpdateLying() {
    if (!ApplyGravity()) vx = vy = 0;
    if (!IsNearScreen()) {
        SetState(0);
        return;
    }
    Move(vx, vy);
}

void CCharacterItem::UpdateWaiting() {
    if (CCharacter* player = CGameMain::GetInstance()->m_player) {
        const int64_t dx = static_cast<int64_t>(player->x) - x, dy = static_cast<int64_t>(player->y) - y;
        if (dx * dx + dy * dy < static_cast<int64_t>(kPickUpDistance) * kPickUpDistance) {
            SetState(frame + 1);
            return;
        }
    }
    if (stateTimer >= CurrentRecord().stateDuration - kBlinkLead && GetBlink() == 0) SetBlink(999, 2, 1);
    UpdateLying();
}

void CCharacterItem::UpdateFlying() {
    CCharacterPlayer* player = CCharacterPlayer::GetGamePlayer();
    if (player == nullptr) {
        // Nobody to fly to: it keeps its course and goes with the view.
        if (!IsNearScreen()) {
            SetState(0);
            return;
        }
        Move(vx, vy);
        return;
    }
    AimAt(player, kFlightAcceleration * stateTimer);
    if (AttackHits(player)) {
        switch (frame) {
            case kHeart + kFlying:
                player->AddHP(kHeartLife);
                PlaySE(kMagicSound);
                break;
            case kSpirit + kFlying:
                player->AddGauge(kSpiritGauge);
                PlaySE(kMagicSound);
                break;
            case kShurikens + kFlying:
                player->AddShurikenAmmo(kAmmunition);
                PlaySE(kHealSound);
                break;
            default:
                player->AddBombAmmo(kAmmunition);
                PlaySE(kMagicSound);
                break;
        }
        vx = vy = 0;
        SetState(0);
        return;
    }
    Move(vx, vy);
}

// --- One-time items ---------------------------------------------------------------

bool CCharacterItem::IsCollected() const {
    const CSaveData* record = CurrentSlotRecord();
    return record != nullptr && record->GetSlotFlag(collectedIndex) != 0;
}

void CCharacterItem::MarkCollected() const {
    if (CSaveData* record = CurrentSlotRecord()) record->SetSlotFlag(collectedIndex, 1);
}

void CCharacterItem::UpdateOneTime() {
    if (!IsOnScreen()) return;
    ApplyGravity();
    if (IsCollected()) {
        SetState(0);
        return;
    }
    // Only a living player takes it: the item-get pose would stand a dying
    // one up again.
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player != nullptr && player->hp > 0 && AttackHits(player)) {
        PlaySE(kItemGetSound);
        player->SetState(PlayerState::ItemGet);
        player->SetInvulnerable(-1);
        vx = vy = 0;
        SetState(frame + 1);
        return;
    }
    Move(vx, vy);
}

void CCharacterItem::UpdateHeldUntilLanded() {
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player == nullptr || player->frame != PlayerState::ItemGet + 1) return;
    StopMusic();
    PlaySE(kJingle);
    SetState(frame + 1);
    x = player->x + kHeldUpOffsetX * player->facing;
    y = player->y + kHeldUpOffsetY;
    CGameInputController::GetInstance()->PushInput(ScreenId::MessageWindow);
    CGameInputMessageWindow::GetInstance()->SetText(GetText(messageTextId));
}

void CCharacterItem::UpdateUnderMessage() {
    if (CGameInputMessageWindow::GetInstance()->GetState() != ScreenState::Closed) return;
    CGameMain* game = CGameMain::GetInstance();
    CCharacterPlayer* player = CCharacterPlayer::GetGamePlayer();
    if (player != nullptr) {
        player->SetState(PlayerState::Stand);
        player->ClearInvulnerable();
        player->SetInvulnerable(kInvulnerableAfter);
    }
    PlayMusic(game->GetStageView()->GetMusic());
    SetState(0);
    // The flag goes into the slot with the status, and both into the resume
    // point; reading the status back applies the new ability, tank or
    // scroll.
    if (player != nullptr) player->StoreStatus();
    MarkCollected();
    game->TakeResumeSnapshot();
    if (player != nullptr) player->RestoreStatus();
}

// --- Keys and treasures -----------------------------------------------------------

void CCharacterItem::UpdateKeyOrTreasure() {
    if (!IsOnScreen()) return;
    const int32_t falling = lastVy_;
    if (!ApplyGravity()) {
        // Landed: it bounces back up at half the speed it came down with.
        const int32_t bounce = falling / 2;
        vy = bounce < kSmallestBounce ? 0 : -bounce;
    }
    if (IsCollected()) {
        SetState(0);
        return;
    }
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player != nullptr && AttackHits(player)) {
        const bool key = frame == kKey;
        PlaySE(key ? kItemGetSound : kTreasureSound);
        SetState(frame + 1);
        vy = 0;
        MarkCollected();
        if (key) {
            if (CSaveData* record = CurrentSlotRecord())
                record->SetInt(SaveSlotRecord::kKeyCount, record->GetInt(SaveSlotRecord::kKeyCount) + 1);
        } else {
            player->AddGold(kTreasureGold);
        }
        return;
    }
    // The speed it moves with (a landing within the move stops it).
    lastVy_ = vy;
    Move(vx, vy);
}

void CCharacterItem::UpdateFading() {
    alpha -= kFadeStep;
    y += stateTimer - kFadeRise;
    if (alpha < 1) SetState(0);
}
