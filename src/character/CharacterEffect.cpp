#include "character/CharacterEffect.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "frames/FrameTables.h"
#include "player/CharacterPlayer.h"
#include "win/DrawString.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Sound-effect slots.
constexpr int32_t kOrbSound = 44;
constexpr int32_t kCoinSound = 39;

// The text style of the pop-up numbers: the outlined one, which reads over
// every stage.
constexpr int kPopupStyle = 0;
constexpr int32_t kPopupBox = 200;
constexpr int32_t kPopupAlign = kAlignTop | kAlignLeft;

// The light's glow: the scales of its six soft draws.
constexpr double kGlowScales[] = {1.0, 1.08, 1.16, 1.24, 1.32, 1.40};

// A scale that has shrunk this far has reached 0 (the steps are not exact
// in binary).
constexpr double kNoScale = 1e-9;

// How close the player must come before a lying coin flies to it.
constexpr int64_t kMagnetReach = 800;

constexpr int32_t kKeep = INT32_MIN;

// The set-up of a band of states: every value not kKeep is written before
// the state is entered.
struct Look {
    int32_t first, last, step;
    double scale = -1.0;  // both scales; below 0 keeps them
    int32_t layer = kKeep;
    int32_t alpha = kKeep;
    int32_t red = kKeep, green = kKeep, blue = kKeep;
    int32_t maxFall = kKeep;
    int32_t gravityNum = kKeep, gravityDen = kKeep;
    int32_t typeId = kKeep;
    int32_t blendMode = kKeep;
    bool randomAngle = false;
    bool stop = false;           // velocity 0
    int32_t instead = kKeep;     // the state entered instead
};

Look Band(int32_t first, int32_t last, int32_t step = 1) {
    Look l{};
    l.first = first;
    l.last = last;
    l.step = step;
    return l;
}
Look One(int32_t state) { return Band(state, state); }

// Chainable setters for the table below.
struct L : Look {
    L(Look l) : Look(l) {}
    L& Scale(double s) { scale = s; return *this; }
    L& Layer(int32_t v) { layer = v; return *this; }
    L& Alpha(int32_t v) { alpha = v; return *this; }
    L& Colour(int32_t r, int32_t g, int32_t b) { red = r; green = g; blue = b; return *this; }
    L& Fall(int32_t max, int32_t num, int32_t den) { maxFall = max; gravityNum = num; gravityDen = den; return *this; }
    L& Type(int32_t id) { typeId = id; return *this; }
    L& Blend(int32_t b) { blendMode = b; return *this; }
    L& RandomAngle() { randomAngle = true; return *this; }
    L& Stop() { stop = true; return *this; }
    L& Instead(int32_t s) { instead = s; return *this; }
};

const std::vector<Look>& Looks() {
    static const std::vector<Look> looks = [] {
        std::vector<Look> t;
        auto add = [&](std::initializer_list<Look> bands, const L& look) {
            for (Look b : bands) {
                L row = look;
                row.first = b.first;
                row.last = b.last;
                row.step = b.step;
                t.push_back(row);
            }
        };
        const Look any = One(0);
        add({One(10), One(20)}, L(any).Scale(1.0).Layer(184));
        add({One(30), Band(260, 265)}, L(any).Scale(2.0).Layer(184));
        add({One(40), Band(50, 51)}, L(any).Alpha(128).Scale(2.0).Layer(184));
        add({One(60), Band(110, 111), Band(114, 117)}, L(any).Scale(2.0).Layer(184).Alpha(192));
        add({One(70)}, L(any).Scale(5.0).Layer(184).Alpha(240));
        add({One(80), One(380)}, L(any).Scale(2.0).Layer(184).Alpha(160));
        add({One(90)}, L(any).Scale(2.0).Layer(184).Alpha(192).Type(CCharacterEffect::kMarkerTypeId));
        add({One(120)}, L(any).Scale(2.0).Layer(129));
        add({One(128), One(610), One(620), One(650)}, L(any).Layer(184));
        add({One(140), One(164)}, L(any).Layer(129).Fall(150, 15, 2));
        add({One(180), One(190)}, L(any).Layer(128).Scale(2.0));
        add({One(200)}, L(any).Scale(2.0).Colour(0, 0, 0).Alpha(0).Layer(63));
        add({Band(201, 202)}, L(any).Scale(2.0).Colour(0, 0, 0).Alpha(255).Layer(63));
        add({One(210)}, L(any).Alpha(16).Colour(255, 224, 192).Type(CCharacterEffect::kSwitchLightTypeId).Layer(184));
        add({One(221)}, L(any).Stop());
        add({One(230)}, L(any).Alpha(128).Scale(2.0).Layer(114));
        add({One(240)}, L(any).Scale(2.0).Layer(129).Type(CCharacterEffect::kShopGlowTypeId));
        add({One(250)}, L(any).Scale(2.0).Layer(129).Type(CCharacterEffect::kDoorGlowTypeId));
        add({One(270), One(310), One(320), One(340)}, L(any).Scale(2.0).Layer(184));
        add({Band(280, 282), Band(290, 292)}, L(any).Scale(2.0).Fall(200, 6, 1).Layer(177));
        add({One(300)}, L(any).Layer(248));
        add({One(330)}, L(any).Scale(0.0).Layer(184));
        add({One(350)}, L(any).Fall(200, 6, 1).Alpha(224).Scale(2.0).Layer(184));
        add({Band(360, 361), Band(450, 460, 10), One(530), Band(540, 541), Band(560, 561), One(640), One(680)},
            L(any).Scale(1.5).Layer(184));
        add({One(370), One(550), One(570)}, L(any).Scale(2.0).Layer(184).Fall(150, 6, 1));
        add({One(390)}, L(any).Scale(0.5).Layer(184).Alpha(160));
        add({One(400)}, L(any).Scale(1.0).Layer(184).Alpha(120));
        add({One(440), Band(480, 520, 10), One(630), One(660), Band(690, 750, 10), Band(770, 800, 10),
             Band(840, 843)},
            L(any).Layer(184).Fall(150, 10, 1));
        add({One(470)}, L(any).RandomAngle());
        add({One(600)}, L(any).Blend(2).Layer(184).Alpha(128));
        add({One(760)}, L(any).Layer(184).Fall(150, 6, 1).Colour(255, 0, 0));
        add({One(810)}, L(any).Scale(1.5).Colour(64, 128, 0).Instead(780));
        add({One(820)}, L(any).Scale(1.5).Colour(64, 128, 0).Instead(790));
        add({One(830)}, L(any).Scale(1.0).Colour(128, 255, 0).Instead(800));
        add({Band(850, 851)}, L(any).Layer(185).Alpha(128));
        add({Band(860, 880, 10)}, L(any).Alpha(196).Layer(184));
        return t;
    }();
    return looks;
}

const Look* LookOf(int32_t state) {
    for (const Look& l : Looks())
        if (state >= l.first && state <= l.last && (state - l.first) % l.step == 0) return &l;
    return nullptr;
}

bool In(int32_t f, int32_t lo, int32_t hi) { return f >= lo && f <= hi; }
// Every tenth frame from lo to hi.
bool Tenth(int32_t f, int32_t lo, int32_t hi) { return In(f, lo, hi) && (f - lo) % 10 == 0; }

CCharacter* Player() { return CGameMain::GetInstance()->m_player; }
// The player as a player character, for what only one knows (the touched
// object, the homing range); null when there is none.
CCharacterPlayer* PlayerCharacter() { return dynamic_cast<CCharacterPlayer*>(Player()); }

void Shrink(CCharacter& c, double by) {
    c.scaleX -= by;
    c.scaleY -= by;
}

// Alpha lowered by a step, stopping at 0 (the records end the effect).
void FadeBy(CCharacter& c, int32_t step) { c.alpha = c.alpha - step < 0 ? 0 : c.alpha - step; }

}  // namespace

CCharacterEffect::CCharacterEffect() {
    typeId = kTypeId;
    hp = hpMax = 1;
    frame = 0;
    gravityNum = gravityDen = 1;
    auxValue = 1;
    layer = 120;
    score = 100;
    combo = 100;
    frameTable.Load(kCharacterEffectFrames);
}

bool CCharacterEffect::ExtraHook(int32_t, int32_t, int32_t) { return true; }

void CCharacterEffect::SetState(int32_t state) {
    if (const Look* l = LookOf(state)) {
        if (l->scale >= 0.0) scaleX = scaleY = l->scale;
        if (l->layer != kKeep) layer = l->layer;
        if (l->alpha != kKeep) alpha = l->alpha;
        if (l->red != kKeep) {
            colorR = l->red;
            colorG = l->green;
            colorB = l->blue;
        }
        if (l->maxFall != kKeep) {
            maxFall = l->maxFall;
            gravityNum = l->gravityNum;
            gravityDen = l->gravityDen;
        }
        if (l->typeId != kKeep) typeId = l->typeId;
        if (l->blendMode != kKeep) blendMode = l->blendMode;
        if (l->randomAngle) angle = GameRand() % 6283 / 1000.0;
        if (l->stop) vx = vy = 0;
        if (l->instead != kKeep) {
            SetState(l->instead);
            return;
        }
    }
    CCharacter::SetState(state);
}

void CCharacterEffect::Update() {
    StepAnimation();
    if (!alive) return;
    if (!RunFrame()) return;
    Move(vx, vy);
}

void CCharacterEffect::Vanish() {
    SetState(0);
    ConsumeStateChange();
}

void CCharacterEffect::SitOnAnchorOf(CCharacter* c) {
    if (c == nullptr) return;
    x = c->GetAnchorX();
    y = c->GetAnchorY();
}

void CCharacterEffect::FlyOutAsOrb() {
    // Curls by a quarter turn over the state and slows to half its speed.
    const int32_t d = CurrentRecord().stateDuration;
    double heading = std::atan2(static_cast<double>(vx), static_cast<double>(-vy));
    int32_t speed = attackDirX;
    if (d > 0) {
        heading += facing * (kPi / 2) / d;
        speed = attackDirX - (attackDirX * stateTimer / d) / 2;
    }
    vx = static_cast<int32_t>(std::sin(heading) * speed);
    vy = static_cast<int32_t>(-std::cos(heading) * speed);
    FaceVelocity();
}

void CCharacterEffect::HomeAsOrb() {
    CCharacter* p = Player();
    if (p == nullptr) return;
    SteerToward(p, 100 + 5 * stateTimer, stateTimer < 40 ? 1.0 : 100.0);
    FaceVelocity();
    if (!AttackHits(p)) return;
    PlaySE(kOrbSound);
    p->AddScore(score);
    vx = vy = 0;
    y -= 200;
    x += GameRand() % 400 - 200;
    SetState(kScorePopup);
}

void CCharacterEffect::FallAndBounce() {
    if (ApplyGravity()) return;
    // Each landing bounces with half the last bounce speed.
    attackDirX /= 2;
    attackDirY /= 2;
    vx = attackDirX;
    vy = attackDirY;
}

bool CCharacterEffect::RunFrame() {
    const int32_t f = frame;
    CCharacter* player = Player();
    CCharacterPlayer* marker = PlayerCharacter();

    if (In(f, 50, 51)) {
        alpha = 0;  // the smoke shows once its lead is over
    } else if (f == 70) {
        Shrink(*this, 0.5);
        if (scaleX < 2.0) scaleX = 2.0;
        if (scaleY < 2.0) scaleY = 2.0;
        FadeBy(*this, 10);
    } else if (In(f, 80, 85)) {
        CCharacter* touched = marker != nullptr ? marker->target : nullptr;
        if (touched == nullptr) {
            Vanish();
            return false;
        }
        SitOnAnchorOf(touched);
    } else if (In(f, 90, 95)) {
        CCharacter* marked = linksA[15];
        bool lost = marked == nullptr || marked->hp == 0;
        if (!lost && marker != nullptr) lost = marker->hp <= 0 || !marker->IsInHomingRange(marked);
        if (lost) SetState(kHomingMarkLost);
        else if (marker != nullptr && marker->target == marked) SetState(kChosenMark);
        SitOnAnchorOf(marked);
    } else if (In(f, 100, 101)) {
        if (marker != nullptr && marker->target != linksA[15]) SetState(94);
        SitOnAnchorOf(linksA[15]);
    } else if (In(f, 110, 111)) {
        FlyOutAsOrb();
    } else if (In(f, 112, 113)) {
        HomeAsOrb();
    } else if (In(f, 120, 127)) {
        if (player != nullptr && AttackHits(player)) {
            PlaySE(kCoinSound);
            player->AddScore(score);
            player->IncGold();
            player->OnAttackLanded();
            vx = vy = 0;
            SetState(kMapCoinTaken);
        }
    } else if (In(f, 140, 147) || In(f, 164, 171)) {
        FallAndBounce();
        if (!IsNearScreen()) {
            Vanish();
            return false;
        }
    } else if (In(f, 148, 155)) {
        if (player != nullptr) {
            const int64_t dx = static_cast<int64_t>(player->x) - x, dy = static_cast<int64_t>(player->y) - y;
            if (dx * dx + dy * dy < kMagnetReach * kMagnetReach) {
                SetState(f + 8);
                return true;
            }
        }
        // The blink starts once; started again every frame it would hold
        // the coin hidden.
        if (stateTimer >= CurrentRecord().stateDuration - 80 && GetBlink() == 0) SetBlink(999, 2, 1);
        FallAndBounce();
        if (!IsNearScreen()) {
            Vanish();
            return false;
        }
    } else if (In(f, 156, 163)) {
        if (player != nullptr) {
            AimAt(player, 5 * stateTimer);
            if (AttackHits(player)) {
                PlaySE(kCoinSound);
                player->AddScore(score);
                player->IncGold();
                vx = vy = 0;
                Vanish();
                return false;
            }
        }
    } else if (f == 180 || f == 190) {
        y -= 10;
    } else if (f == 181 || f == 191) {
        y -= 10;
        FadeBy(*this, 16);
    } else if (f == 200) {
        alpha = alpha + 6 > 255 ? 255 : alpha + 6;
        if (alpha == 255) SetState(201);
    } else if (f == 202) {
        FadeBy(*this, 16);
        if (alpha == 0) {
            Vanish();
            return false;
        }
    } else if (f == 210) {
        // A slow pulse from the game's frame counter: b swings about 0.
        const int32_t n = CGameMain::GetInstance()->m_frameCount % 100;
        int32_t b = 0, step = 25;
        for (int32_t i = 0; i < n; ++i) {
            if (b > 0) --step;
            else if (b < 0) ++step;
            b += step;
        }
        scaleX = scaleY = 1500.0 / (b + 10000);
    } else if (In(f, 220, 221)) {
        if (CCharacter* target = linksA[0]) {
            const int32_t ax = target->GetAnchorX(), ay = target->GetAnchorY();
            const int32_t left = CurrentRecord().stateDuration - stateTimer;
            if (f == 221 || left <= 1) {
                x = ax;
                y = ay;
            } else {
                x += (ax - x) / left;
                y += (ay - y) / left;
            }
        }
    } else if (In(f, 260, 265)) {
        const FrameRecord& r = CurrentRecord();
        const CGameMain* game = CGameMain::GetInstance();
        const double px = x / 10, py = y / 10;
        const bool outside = px + r.spriteRight * scaleX < 0 || px + r.spriteLeft * scaleX > game->GetViewWidth() ||
                             py + r.spriteBottom * scaleY < 0 || py + r.spriteTop * scaleY > game->GetViewHeight();
        if (!IsNearScreen() && outside) {
            Vanish();
            return false;
        }
    } else if (In(f, 280, 282) || In(f, 290, 292)) {
        ApplyGravity();
        Shrink(*this, 0.05);
        if (scaleX <= kNoScale) {
            Vanish();
            return false;
        }
    } else if (f == 350) {
        ApplyGravity();
        if (!IsNearScreen()) {
            Vanish();
            return false;
        }
    } else if (In(f, 360, 363) || In(f, 540, 543) || In(f, 560, 564) || f == 640 || f == 680) {
        Shrink(*this, f == 640 ? 0.05 : (f == 680 ? 0.01 : 0.03));
        if (scaleX <= kNoScale) {
            Vanish();
            return false;
        }
        if (stateTimer % 10 == 0) facing = -facing;
    } else if (f == 610 || f == 620 || f == 650) {
        if (stateTimer % 10 == 0) facing = -facing;
    } else if (f == 370 || f == 550 || f == 570) {
        angle -= facing * 0.3;
        if (!ApplyGravity()) {
            angle = 0.0;
            vx = vy = 0;
            SetState(f + 1);
        }
    } else if (f == 390) {
        FadeBy(*this, 10);
        scaleX += 0.1;
        scaleY += 0.1;
    } else if (f == 400) {
        FadeBy(*this, 4);
        scaleX += 0.05;
        scaleY += 0.05;
    } else if (f == 440) {
        ApplyGravity();
        angle += facing * 0.3;
    } else if (f == 450 || f == 460 || f == 530) {
        FadeBy(*this, 5);
        Shrink(*this, 0.01);
    } else if (f == 470) {
        alpha -= 10;
        angle += 0.1;
        if (alpha < 0) {
            Vanish();
            return false;
        }
    } else if (Tenth(f, 480, 520)) {
        ApplyGravity();
        angle += facing * 0.9;
        if (!IsOnScreen()) {
            Vanish();
            return false;
        }
    } else if (f == 590) {
        scaleX += scaleXRate;
        scaleY += scaleYRate;
        alpha -= fadeStep;
        if (alpha <= 0) {
            alpha = 0;
            Vanish();
            return false;
        }
    } else if (In(f, 600, 604)) {
        angle2 = angle;
    } else if (f == 630 || f == 660) {
        ApplyGravity();
        angle += facing * 0.4;
    } else if (Tenth(f, 690, 740) || In(f, 840, 843)) {
        angle += 0.2;
        const bool airborne = ApplyGravity();
        if (!airborne || !IsOnScreen()) {
            Vanish();
            return false;
        }
    } else if (f == 750 || f == 760 || f == 780 || f == 790) {
        FaceVelocity();
        const bool airborne = ApplyGravity();
        if (!airborne || !IsOnScreen()) {
            Vanish();
            return false;
        }
    } else if (f == 770 || f == 800) {
        FaceVelocity();
        if (!IsOnScreen()) {
            Vanish();
            return false;
        }
    }
    return true;
}

// --- Drawing -----------------------------------------------------------------

void CCharacterEffect::DrawNumber(const char* text) {
    CDrawString& style = CGameMain::GetInstance()->m_textStyles[kPopupStyle];
    const int32_t keptAlpha = style.GetAlpha();
    style.SetUniformScale(scaleX);
    style.SetAlpha(alpha);
    const int32_t width = GetStringWidth(&style, text, static_cast<int32_t>(std::strlen(text)));
    const int32_t sx = x / 10 + PlayFieldOffset::x - width / 2;
    const int32_t sy = y / 10 + PlayFieldOffset::y;
    DrawString(text, &style, sx, sy, kPopupBox, kPopupBox, kPopupAlign);
    style.SetUniformScale(1.0);
    // The style is shared with the screens: a fading number leaves its
    // alpha as it found it.
    style.SetAlpha(keptAlpha);
}

void CCharacterEffect::DrawGlow() {
    const double keptX = scaleX, keptY = scaleY;
    for (double k : kGlowScales) {
        scaleX = keptX * k;
        scaleY = keptY * k;
        CCharacter::Draw();
    }
    scaleX = keptX;
    scaleY = keptY;
    CCharacter::Draw();
}

void CCharacterEffect::Draw() {
    // A removed effect that is still listed shows nothing.
    if (frame == 0) return;
    char text[32];
    if (frame == 180 || frame == 181) {
        std::snprintf(text, sizeof text, "%d", score);
        DrawNumber(text);
    } else if (frame == 190 || frame == 191) {
        std::snprintf(text, sizeof text, "x%d.%02d", combo / 100, combo % 100);
        DrawNumber(text);
    } else if (frame == 210) {
        DrawGlow();
        return;
    }
    CCharacter::Draw();
}

// --- Spawning ----------------------------------------------------------------

int32_t RandomBetween(int32_t a, int32_t b) {
    const int64_t lo = a < b ? a : b;
    const int64_t hi = a < b ? b : a;
    return static_cast<int32_t>(GameRand() % (hi - lo + 1) + lo);
}

void PlaceFromRanges(CCharacter& c, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t vx0, int32_t vx1,
                     int32_t vy0, int32_t vy1) {
    // One draw each, in this order.
    c.x = RandomBetween(x0, x1);
    c.y = RandomBetween(y0, y1);
    c.vx = RandomBetween(vx0, vx1);
    c.vy = RandomBetween(vy0, vy1);
    CGameMain::GetInstance()->m_characterList.Add(&c);
}

CCharacterEffect* SpawnEffect(int32_t state, int32_t facing, int32_t x0, int32_t x1, int32_t y0, int32_t y1,
                              int32_t vx0, int32_t vx1, int32_t vy0, int32_t vy1) {
    auto* effect = static_cast<CCharacterEffect*>(CreateCharacter(CCharacterEffect::kTypeId));
    if (effect == nullptr) return nullptr;
    effect->SetState(state);
    effect->facing = facing;
    PlaceFromRanges(*effect, x0, x1, y0, y1, vx0, vx1, vy0, vy1);
    return effect;
}

CCharacterEffect* SpawnShortLivedEffect(int32_t facing, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t vx0,
                                        int32_t vx1, int32_t vy0, int32_t vy1) {
    CCharacterEffect* e = SpawnEffect(CCharacterEffect::kShortLived, facing, x0, x1, y0, y1, vx0, vx1, vy0, vy1);
    if (e == nullptr) return nullptr;
    if (FrameRecord* r = e->frameTable.Find(e->frame)) r->stateDuration = GameRand() % 6 + 2;
    return e;
}
