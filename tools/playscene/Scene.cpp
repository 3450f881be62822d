#include "Scene.h"

#include <cmath>
#include <string>

#include "character/Character.h"
#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "framework/StateLoading.h"
#include "platform/GraphicsDevice.h"
#include "player/CharacterPlayer.h"
#include "win/Graphics.h"

namespace playscene {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The forest stage's tiles (the first stage's patch): scenery and blocks,
// one character per 400-unit cell.
const char* const kScenery[8] = {
    "bbaaMabaacab", "ddeddddddedd", "ffgffffffgff", "hrvsphhrshph",
    "iCCikjlCjlij", "nwxnqQntnSuK", "FWXByYtBzTuF", "oooooooooooo",
};
const char* const kBlocks[8] = {
    "............", "............", "........567.", "........123.",
    "............", "............", "66667.<=>.56", "99990.4..489",
};

int32_t SceneryId(char ch) {
    const std::string keys = "abcMdefghrspvijklnKtuwxWXLBFGSTqQyYzoC";
    const int32_t ids[] = {30022, 30023, 30024, 30571, 30026, 30027, 30029, 30030, 30036, 30032, 30033, 30034, 30035,
                           30037, 30038, 30039, 30040, 30050, 30051, 30052, 30053, 30054, 30055, 30056, 30057, 30059,
                           30062, 30060, 30061, 30064, 30065, 30074, 30075, 30076, 30077, 30078, 30066, 30048};
    const std::size_t k = keys.find(ch);
    return k == std::string::npos ? 0 : ids[k];
}

int32_t BlockId(char ch) {
    // The forest ground set: 0-3 the fill and the ledge's underside, 4 the
    // fill's left face, 5-9 the tops and faces.
    constexpr int32_t kDigits[10] = {20070, 20071, 20072, 20073, 20064, 20065, 20066, 20067, 20068, 20069};
    if (ch >= '0' && ch <= '9') return kDigits[ch - '0'];
    if (ch == '<') return 20885;
    if (ch == '=') return 20882;
    if (ch == '>') return 20887;
    return 0;
}

CCharacterList& World() { return CGameMain::GetInstance()->m_characterList; }

// A character shown by one held record: a picture of a sheet and a hurt box.
class Actor : public CCharacter {
public:
    Actor(int32_t slot, int32_t u, int32_t v, int32_t left, int32_t right, int32_t top, int32_t bottom) {
        frameTable.Allocate(2);
        SetFrameRecord(1, u, v, left, right, top, bottom, 0, 0, 0, 0, 0, 0, 0, 0, -160, 160, -560, 0, -1,
                       kHeldDuration, -1, kHeldDuration, slot);
        hp = hpMax = 1000000;
        superArmor = 1;  // takes every hit where it stands
        scaleX = scaleY = 2.0;
        SetState(1);
    }
    void Update() override {
        StepAnimation();
        hp = hpMax;
    }
};

// Puts the player's picture and hurt box into its current record.
void Dress(CCharacter& player) {
    if (FrameRecord* r = player.frameTable.Find(player.frame)) {
        // The Ninja's spin, anchored on the body's centre (slot 19).
        r->u = 220;
        r->v = 102;
        r->spriteLeft = -20;
        r->spriteRight = 19;
        r->spriteTop = -22;
        r->spriteBottom = 17;
        r->textureId = 19;
        r->hurtLeft = -200;
        r->hurtRight = 200;
        r->hurtTop = -200;
        r->hurtBottom = 200;
    }
}

}  // namespace

bool LoadGraphics() {
    if (!InitGraphics()) return false;
    for (const TextureSlotRow& row : kTextureSlotRows) LoadTexture(row.slot, row.resourceId, row.size);
    CGameMain::GetInstance()->LoadTexturePages();
    return true;
}

Scene::Scene() {
    CGameMain* game = CGameMain::GetInstance();
    game->SetStageView(&stage_);
    GameSrand(7);
    BuildTiles();

    player_ = CreateCharacter(1);
    World().Add(player_);
    player_->x = 1000;
    player_->y = 1900;
    player_->controlled = 1;
    player_->SetInvulnerable(-1);  // the shots fly through it
    Dress(*player_);
    game->m_player = player_;

    // Luka stands in for the enemy taking the hits (slot 25, feet anchor).
    rival_ = new Actor(25, 20, 32, -20, 19, -32, 7);
    rival_->group = 2;
    rival_->layer = 168;
    rival_->facing = -1;
    rival_->x = 4200;
    rival_->y = 2400;
    World().Add(rival_);
    if (auto* p = dynamic_cast<CCharacterPlayer*>(player_)) p->target = rival_;

    // The marks on the rival, the light of the stone lantern, coins of the map.
    SpawnEffect(CCharacterEffect::kTargetMark, 1, rival_->x, rival_->x, rival_->y, rival_->y, 0, 0, 0, 0);
    if (CCharacter* mark = SpawnEffect(CCharacterEffect::kChosenMark, 1, rival_->x, rival_->x, rival_->y - 300,
                                       rival_->y - 300, 0, 0, 0, 0))
        mark->linksA[15] = rival_;
    SpawnEffect(CCharacterEffect::kSwitchLight, 1, 3800, 3800, 2060, 2060, 0, 0, 0, 0);
    for (int32_t i = 0; i < 5; ++i) {
        if (CCharacter* coin = CreateCharacter(10300)) {
            World().Add(coin);
            coin->x = 1400 + 400 * i;
            coin->y = 1000;
        }
    }
}

Scene::~Scene() {
    CGameMain* game = CGameMain::GetInstance();
    game->m_player = nullptr;
    World().DeleteAll();
    game->SetStageView(nullptr);
}

void Scene::BuildTiles() {
    for (int32_t row = 0; row < 8; ++row)
        for (int32_t col = 0; col < 12; ++col)
            for (int32_t id : {SceneryId(kScenery[row][col]), BlockId(kBlocks[row][col])}) {
                if (id == 0) continue;
                CCharacter* c = CreateCharacter(id);
                if (c == nullptr) continue;
                World().Add(c);
                c->x = col * kTileSize + kHalfTile;
                c->y = row * kTileSize + kHalfTile;
            }
}

int32_t Scene::Count() const { return World().GetCount(); }

void Scene::MovePlayer() {
    // A dash back and forth above the ground, spinning, with the tinted
    // trail of the Ninja's move attack.
    // (The chain pulls its thrower into another state: back to the dash.)
    if (player_->frame != PlayerState::Stand) player_->SetState(PlayerState::Stand);
    const int32_t phase = frame_ % 80;
    player_->vx = phase < 40 ? 70 : -70;
    player_->vy = static_cast<int32_t>(std::sin(frame_ * 0.1) * 20);
    player_->facing = player_->vx > 0 ? 1 : -1;
    player_->angle -= 1.3 * player_->facing;
    player_->StartAfterimageTinted(1, 0, player_->layer - 1, 224, 224, 255, 240, 15);
    player_->Move(player_->vx, player_->vy);
}

void Scene::Spawn() {
    const int32_t f = frame_;
    const int32_t rx = rival_->x, ry = rival_->y - 300;
    const int32_t px = player_->x, py = player_->y;
    MovePlayer();

    if (f % 8 == 0)
        if (CCharacter* s = SpawnEffect(CCharacterEffect::kHitSpark, -1, rx - 100, rx + 100, ry - 150, ry + 150, 0, 0, 0, 0))
            s->angle = GameRand() % 6283 / 1000.0;
    if (f % 16 == 4) {
        for (double turn : {kPi / 4, -kPi / 4})
            if (CCharacter* s = SpawnEffect(CCharacterEffect::kLethalSpark, -1, rx, rx, ry, ry, 0, 0, 0, 0))
                s->angle = kPi / 2 + turn;
    }
    if (f % 12 == 6) SpawnEffect(CCharacterEffect::kBurstSpark, 1, rx - 300, rx + 300, ry - 300, ry + 300, 0, 0, 0, 0);
    if (f % 30 == 0) {
        // A ring of score orbs: they curl out, then fly to the player.
        for (int32_t k = 0; k < 8; ++k) {
            const double a = 2 * kPi * k / 8 + f * 0.1;
            const int32_t dx = static_cast<int32_t>(std::sin(a) * 200), dy = static_cast<int32_t>(std::cos(a) * 200);
            if (CCharacter* orb = SpawnEffect(CCharacterEffect::kScoreOrb, k % 2 ? 1 : -1, rx + dx, rx + dx, ry + dy,
                                              ry + dy, dx, dx, dy, dy)) {
                orb->SetScore(1200);
                orb->attackDirX = 120;
            }
        }
    }
    if (f % 45 == 10)
        if (CCharacter* rate = SpawnEffect(CCharacterEffect::kRatePopup, 1, rx, rx, ry - 300, ry - 300, 0, 0, 0, 0))
            rate->SetScoreRate(150);
    if (f % 20 == 5) {
        for (int32_t k = 0; k < 3; ++k) {
            if (CCharacter* coin = SpawnEffect(CCharacterEffect::kDroppedCoin, -1, rx - 30, rx + 30, ry - 30, ry + 30,
                                               -20, 20, -120, -80)) {
                coin->SetGold(1);
                coin->attackDirX = coin->vx;
                coin->attackDirY = coin->vy;
            }
        }
    }
    // The player's weapons.
    auto aimAt = [&](int32_t speed, int32_t& vx, int32_t& vy) {
        const double a = std::atan2(static_cast<double>(rx - px), static_cast<double>(ry - py));
        vx = static_cast<int32_t>(std::sin(a) * speed);
        vy = static_cast<int32_t>(std::cos(a) * speed);
    };
    int32_t vx = 0, vy = 0;
    if (f % 4 == 0) {
        aimAt(200, vx, vy);
        if (CCharacter* s = SpawnAttackEffect(player_, CCharacterAttackEffect::kShuriken, 1, px, px, py, py, vx, vx, vy, vy))
            s->linksA[0] = rival_;
    }
    if (f % 15 == 7) {
        aimAt(100, vx, vy);
        if (CCharacter* s = SpawnAttackEffect(player_, CCharacterAttackEffect::kFireball, 1, px, px, py, py, vx, vx, vy, vy))
            s->linksA[0] = rival_;
    }
    if (f % 50 == 25) SpawnAttackEffect(player_, CCharacterAttackEffect::kThrownBomb, 1, px, px, py, py, 60, 60, -90, -90);
    if (f % 120 == 0) {
        for (int32_t k = 0; k < 4; ++k) {
            const double a = kPi / 2 * k;
            const int32_t ox = static_cast<int32_t>(std::sin(a) * 80), oy = static_cast<int32_t>(-std::cos(a) * 80);
            if (CCharacter* orb = SpawnAttackEffect(player_, CCharacterAttackEffect::kCircling, 1, px + ox, px + ox,
                                                    py + oy, py + oy, ox / 4, ox / 4, oy / 4, oy / 4)) {
                orb->linksA[0] = player_;
                orb->parentOffsetX = ox;
                orb->parentOffsetY = oy;
            }
        }
    }
    if (f % 70 == 35) {
        // The chain flies to a point on the ledge and anchors there; the
        // last one is taken back first.
        if (CCharacter* old = player_->linksB[0]) old->SetState(0);
        player_->linksB[0] = nullptr;
        if (CCharacter* chain = SpawnAttackEffect(player_, CCharacterAttackEffect::kMoveChain, 1, px, px, py, py, 150,
                                                  150, -150, -150)) {
            chain->linksA[0] = player_;
            chain->attackDirX = px + 1500;
            chain->attackDirY = py - 1500;
            if (FrameRecord* r = chain->frameTable.Find(chain->frame)) r->stateDuration = 10;
            player_->linksB[0] = chain;  // the thrower keeps its chain in B link 0
        }
    }
    // The enemies' shots.
    if (f % 10 == 3)
        SpawnAttackEffect(rival_, 710, -1, 4700, 4700, 1400, 2200, -100, -100, 0, 0);
    if (f % 24 == 12) SpawnAttackEffect(rival_, 360, -1, rx, rx, ry - 200, ry - 200, -10, -10, 0, 0);
    if (f % 40 == 20) SpawnAttackEffect(rival_, 390, 1, 1200, 2800, 200, 200, 0, 0, 200, 200);
    if (f % 36 == 0) SpawnAttackEffect(rival_, 700, -1, 4600, 4600, 400, 400, -60, -60, 20, 20);
    if (f % 32 == 16) SpawnAttackEffect(rival_, 300, -1, rx, rx, ry - 400, ry - 400, -50, -50, -10, -10);
    if (f % 60 == 30) {
        SpawnAttackEffect(rival_, CCharacterAttackEffect::kExplosion, 1, 2000, 4000, 400, 1400, 0, 0, 0, 0);
        SpawnEffect(CCharacterEffect::kBlast, 1, 500, 2000, 300, 1200, 0, 0, 0, 0);
    }
    if (f % 45 == 0)
        for (int32_t k = 0; k < 6; ++k)
            SpawnEffect(CCharacterEffect::kDebris + k % 3, k % 2 ? 1 : -1, 3600, 3800, 900, 1100, -30, 30, -90, -40);
    if (f % 6 == 0) SpawnEffect(CCharacterEffect::kSmokePuff, 1, 3700, 3900, 1900, 2000, -5, 5, -20, -10);
}

void Scene::UpdateAll() {
    CGameMain* game = CGameMain::GetInstance();
    game->m_subCharacterList.UpdateAll();
    game->m_characterList.UpdateAll();
}

void Scene::Step() {
    ++frame_;
    ++CGameMain::GetInstance()->m_frameCount;
    Spawn();
    UpdateAll();
}

void Scene::DrawAll() { World().DrawAll(); }

void Scene::Draw() {
    platform::GraphicsDevice* device = GetDevice();
    device->Clear(0xFF000000u, 1.0f);
    device->BeginScene();
    DrawAll();
    device->EndScene();
}

}  // namespace playscene
