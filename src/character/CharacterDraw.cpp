// Drawing and the visual motions of the base: one sprite per character,
// parallax scrolling, attachment to a parent, the eased motion (tween) of
// an attached character and the afterimage trail.
#include <cmath>
#include <cstdlib>

#include "character/Character.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "win/Sprite.h"

int32_t PlayFieldOffset::x = 0;
int32_t PlayFieldOffset::y = 0;

namespace {

// The type id that makes an afterimage (an effect in its afterimage state).
constexpr int32_t kAfterimageTypeId = 50001;
// Afterimages end by fading, not by their state timer.
constexpr int32_t kAfterimageStateDuration = 65535;

// Remainder with the sign of the dividend; a period below 1 never hides or
// whitens anything.
bool PatternOff(int32_t timer, int32_t period, int32_t shown) { return period > 0 && timer % period >= shown; }

uint32_t Argb(int32_t a, int32_t r, int32_t g, int32_t b) {
    return (static_cast<uint32_t>(a) & 0xFFu) << 24 | (static_cast<uint32_t>(r) & 0xFFu) << 16 |
           (static_cast<uint32_t>(g) & 0xFFu) << 8 | (static_cast<uint32_t>(b) & 0xFFu);
}

// from + (to - from) * num / den, in integers truncating toward zero.
int32_t Between(int32_t from, int32_t to, int64_t num, int64_t den) {
    return static_cast<int32_t>(from + (static_cast<int64_t>(to) - from) * num / den);
}

double Between(double from, double to, int64_t num, int64_t den) {
    return from + (to - from) * static_cast<double>(num) / static_cast<double>(den);
}

struct ParallaxFactor {
    int32_t num;
    int32_t den;
};

// Shares of the camera's movement by parallax mode; the modes no table
// gives (7, 8, above 9, below 0) move with the world as mode 0 does.
ParallaxFactor FactorOf(int32_t mode) {
    switch (mode) {
        case 1: return {1, 16};
        case 2: return {1, 8};
        case 3: return {1, 4};
        case 4: return {1, 3};
        case 5: return {1, 2};
        case 6: return {2, 3};
        case 9: return {0, 1};
        default: return {1, 1};
    }
}

}  // namespace

// --- Draw --------------------------------------------------------------------

void CCharacter::Draw() {
    const FrameRecord& r = CurrentRecord();
    const int32_t w = r.spriteRight - r.spriteLeft + 1;
    const int32_t h = r.spriteBottom - r.spriteTop + 1;
    const int32_t sx = x / 10 + (facing == 1 ? r.spriteLeft : -r.spriteRight) + PlayFieldOffset::x;
    const int32_t sy = y / 10 + r.spriteTop + PlayFieldOffset::y;

    // Invincibility hides one frame of three; the blink pattern hides the
    // rest of each period.
    if (invincibleTimer % 3 >= 2) return;
    if (PatternOff(blinkTimer, blinkPeriod, blinkVisible)) return;

    DrawParams::direction = static_cast<float>(facing);
    DrawParams::angle = static_cast<float>(angle);
    DrawParams::pivotX = static_cast<float>(-r.spriteLeft);
    DrawParams::pivotY = static_cast<float>(-r.spriteTop);
    DrawParams::scaleX = static_cast<float>(scaleX);
    DrawParams::scaleY = static_cast<float>(scaleY);
    DrawParams::colour = Argb(alpha, colorR, colorG, colorB);
    DrawParams::blendMode = blendMode;
    // The damage flash and the flash pattern show a flat silhouette in the
    // vertex colour.
    const bool silhouette = damageFlashTimer % 3 == 1 || PatternOff(flashTimer, flashPeriod, flashOn);
    DrawParams::colourMode = silhouette ? 1 : 0;
    DrawParams::textureFactor = 0xFFFFFFFFu;
    const PicturePlace picture = PictureOf(r);
    DrawSprite(sx, sy, r.textureId, picture.u + r.spriteLeft, picture.v + r.spriteTop, w, h);
    if (silhouette) {
        DrawParams::colourMode = 0;
        DrawParams::textureFactor = 0xFFFFFFFFu;
    }
}

// --- Parallax and attachment ---------------------------------------------------

void CCharacter::ScrollParallax(int32_t dx, int32_t dy) {
    const ParallaxFactor f = FactorOf(parallaxMode);
    const int32_t tx = f.num * dx + parallaxRemX;
    x -= tx / f.den;
    parallaxRemX = tx % f.den;
    const int32_t ty = f.num * dy + parallaxRemY;
    y -= ty / f.den;
    parallaxRemY = ty % f.den;
}

void CCharacter::FollowParent() {
    const CCharacter* p = linksA[0];
    if (p == nullptr) return;
    const double ox = static_cast<double>(parentOffsetX * p->facing) * p->scaleX;
    const double oy = static_cast<double>(parentOffsetY) * p->scaleY;
    const double a = p->angle;
    x = p->x + static_cast<int32_t>(ox * std::cos(a) - oy * std::sin(a));
    y = p->y + static_cast<int32_t>(ox * std::sin(a) + oy * std::cos(a));
    angle = facing * relativeAngle + p->angle;
}

// --- Tween -------------------------------------------------------------------

void CCharacter::SetTween(int32_t offsetXFrom, int32_t offsetXTo, int32_t offsetYFrom, int32_t offsetYTo,
                          double scaleXFrom, double scaleXTo, double scaleYFrom, double scaleYTo, int32_t layerFrom,
                          int32_t layerTo, double angleFrom, double angleTo, int32_t duration, int32_t mode) {
    tween.offsetXFrom = offsetXFrom;
    tween.offsetXTo = offsetXTo;
    tween.offsetYFrom = offsetYFrom;
    tween.offsetYTo = offsetYTo;
    tween.scaleXFrom = scaleXFrom;
    tween.scaleXTo = scaleXTo;
    tween.scaleYFrom = scaleYFrom;
    tween.scaleYTo = scaleYTo;
    tween.layerFrom = layerFrom;
    tween.layerTo = layerTo;
    tween.angleFrom = angleFrom;
    tween.angleTo = angleTo;
    relativeAngle = angleFrom;
    tweenStep = 0;
    tweenDuration = duration;
    tweenMode = mode;
}

bool CCharacter::IsTweening() { return tweenStep != tweenDuration; }

void CCharacter::UpdateTween() {
    if (linksA[0] == nullptr) return;
    if (tweenDuration > tweenStep) ++tweenStep;
    const int64_t s = tweenStep;
    const int64_t d = tweenDuration;
    int64_t num = s;
    int64_t den = d;
    if (tweenMode == 1) {
        // Accelerating: 0 + 1 + ... + (s - 1) of 0 + 1 + ... + (d - 1).
        num = s * (s - 1) / 2;
        den = d * (d - 1) / 2;
    } else if (tweenMode == 2) {
        // Decelerating: d + (d - 1) + ... (s terms) of 1 + 2 + ... + d.
        num = s * d - s * (s - 1) / 2;
        den = d * (d + 1) / 2;
    }
    // A motion too short to divide (duration 0, or 1 when accelerating)
    // is at its end at once.
    if (den <= 0) num = den = 1;
    parentOffsetX = Between(tween.offsetXFrom, tween.offsetXTo, num, den);
    parentOffsetY = Between(tween.offsetYFrom, tween.offsetYTo, num, den);
    scaleX = Between(tween.scaleXFrom, tween.scaleXTo, num, den);
    scaleY = Between(tween.scaleYFrom, tween.scaleYTo, num, den);
    relativeAngle = Between(tween.angleFrom, tween.angleTo, num, den);
    layer = Between(tween.layerFrom, tween.layerTo, num, den);
}

// --- Afterimages ---------------------------------------------------------------

void CCharacter::StartAfterimageTinted(int32_t countA, int32_t countC, int32_t layerValue, int32_t red,
                                       int32_t green, int32_t blue, int32_t alphaValue, int32_t fadeStepValue) {
    const FrameRecord& r = CurrentRecord();
    const PicturePlace picture = PictureOf(r);
    SetAfterimageParams(countA, 0, layerValue, angle, angle2, scaleX, scaleX2, scaleY, scaleY2, red, green, blue, 0,
                        alphaValue, fadeStepValue, 0.0, 0.0, kAfterimageStateDuration, picture.u, picture.v,
                        r.spriteLeft, r.spriteRight, r.spriteTop, r.spriteBottom, r.textureId);
    afterimage.countC = countC;
}

void CCharacter::StartAfterimageCounted(int32_t countA, int32_t countC, int32_t layerValue, int32_t alphaValue,
                                        int32_t fadeStepValue) {
    StartAfterimageTinted(countA, countC, layerValue, 255, 255, 255, alphaValue, fadeStepValue);
}

void CCharacter::StartAfterimage(int32_t countA, int32_t layerValue, int32_t alphaValue, int32_t fadeStepValue) {
    const int32_t keptC = afterimage.countC;
    StartAfterimageTinted(countA, keptC, layerValue, 255, 255, 255, alphaValue, fadeStepValue);
}

void CCharacter::SetAfterimageParams(int32_t countA, int32_t countB, int32_t layerValue, double angleValue,
                                     double angle2Value, double scaleXValue, double scaleX2Value, double scaleYValue,
                                     double scaleY2Value, int32_t red, int32_t green, int32_t blue,
                                     int32_t blendModeValue, int32_t alphaValue, int32_t fadeStepValue,
                                     double scaleXRateValue, double scaleYRateValue, int32_t stateDuration, int32_t u,
                                     int32_t v, int32_t spriteLeft, int32_t spriteRight, int32_t spriteTop,
                                     int32_t spriteBottom, int32_t textureId) {
    AfterimageBlock& a = afterimage;
    a.countA = countA;
    a.countB = countB;
    a.layer = layerValue;
    a.angle = angleValue;
    a.angle2 = angle2Value;
    a.scaleX = scaleXValue;
    a.scaleX2 = scaleX2Value;
    a.scaleY = scaleYValue;
    a.scaleY2 = scaleY2Value;
    a.red = red;
    a.green = green;
    a.blue = blue;
    a.blendMode = blendModeValue;
    a.alpha = alphaValue;
    a.fadeStep = fadeStepValue;
    a.scaleXRate = scaleXRateValue;
    a.scaleYRate = scaleYRateValue;
    a.stateDuration = stateDuration;
    a.u = u;
    a.v = v;
    a.spriteLeft = spriteLeft;
    a.spriteRight = spriteRight;
    a.spriteTop = spriteTop;
    a.spriteBottom = spriteBottom;
    a.textureId = textureId;
}

void CCharacter::UpdateAfterimages() {
    AfterimageBlock& a = afterimage;
    if (a.countA > 0) {
        SpawnAfterimagesA(prevX, x, prevY, y, a.countA);
        a.countA = 0;
    }
    if (a.countB > 0) {
        SpawnAfterimagesB(prevX, x, prevY, y, a.countB);
        a.countB = 0;
    }
    if (a.countC >= 1) {
        const int32_t q = (prevX - x) / 4;
        const int32_t r = (prevY - y) / 4;
        SpawnAfterimagesC(x - q, x, y - r, y, a.countC);
        SpawnAfterimagesC(x + q, x, y + r, y, a.countC);
        a.countC = 0;
    }
}

namespace {

// Where along the segment afterimage i of count lies, and its share of the
// way from the second (i = 0) toward the first stored angle and scales.
struct TrailPoint {
    int32_t x, y;
    double angle, scaleX, scaleY;
};

TrailPoint TrailAt(const AfterimageBlock& a, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t i,
                   int32_t count) {
    return {Between(x0, x1, i, count), Between(y0, y1, i, count), Between(a.angle2, a.angle, i, count),
            Between(a.scaleX2, a.scaleX, i, count), Between(a.scaleY2, a.scaleY, i, count)};
}

}  // namespace

void CCharacter::SpawnAfterimagesA(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t count) {
    const AfterimageBlock a = afterimage;
    for (int32_t i = 0; i < count; ++i) {
        const TrailPoint p = TrailAt(a, x0, x1, y0, y1, i, count);
        // From faintest to the stored alpha.
        const int32_t alphaAt = a.alpha - a.fadeStep + static_cast<int32_t>(static_cast<int64_t>(a.fadeStep) * i / count);
        SpawnAfterimage(p.x, p.y, a.layer, p.angle, p.scaleX, p.scaleY, a.red, a.green, a.blue, a.blendMode, alphaAt,
                        a.fadeStep, a.scaleXRate, a.scaleYRate, a.stateDuration, a.u, a.v, a.spriteLeft,
                        a.spriteRight, a.spriteTop, a.spriteBottom, a.textureId);
    }
}

void CCharacter::SpawnAfterimagesC(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t count) {
    const AfterimageBlock a = afterimage;
    for (int32_t i = 0; i < count; ++i) {
        const TrailPoint p = TrailAt(a, x0, x1, y0, y1, i, count);
        const int32_t alphaAt = static_cast<int32_t>(static_cast<int64_t>(i / 2 + count / 2) * 2 * a.alpha / count);
        SpawnAfterimage(p.x, p.y, a.layer, p.angle, p.scaleX, p.scaleY, a.red, a.green, a.blue, a.blendMode, alphaAt,
                        a.fadeStep, a.scaleXRate, a.scaleYRate, a.stateDuration, a.u, a.v, a.spriteLeft,
                        a.spriteRight, a.spriteTop, a.spriteBottom, a.textureId);
    }
}

void CCharacter::SpawnAfterimagesB(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t count) {
    if (count < 1) return;
    const AfterimageBlock a = afterimage;
    const int32_t sx = x1 >= x0 ? 1 : -1;
    const int32_t sy = y1 >= y0 ? 1 : -1;
    const int64_t ax = std::llabs(static_cast<int64_t>(x1) - x0);
    const int64_t ay = std::llabs(static_cast<int64_t>(y1) - y0);
    int64_t px = 0, py = 0;
    int32_t cx = x0, cy = y0;
    int32_t counter = 0;
    while (px + py < ax + ay) {
        if (++counter >= count) {
            SpawnAfterimage(cx, cy, a.layer, a.angle, a.scaleX, a.scaleY, a.red, a.green, a.blue, a.blendMode, a.alpha,
                            a.fadeStep, a.scaleXRate, a.scaleYRate, a.stateDuration, a.u, a.v, a.spriteLeft,
                            a.spriteRight, a.spriteTop, a.spriteBottom, a.textureId);
            counter = 0;
        }
        // The axis lagging behind its share steps next, y first, as Move does.
        const bool yStep = ay != 0 && (ax == 0 || px * 100 / ax >= py * 100 / ay);
        if (yStep) {
            cy += sy;
            ++py;
        } else {
            cx += sx;
            ++px;
        }
    }
}

void CCharacter::SpawnAfterimage(int32_t atX, int32_t atY, int32_t layerValue, double angleValue, double scaleXValue,
                                 double scaleYValue, int32_t red, int32_t green, int32_t blue, int32_t blendModeValue,
                                 int32_t alphaValue, int32_t fadeStepValue, double scaleXRateValue,
                                 double scaleYRateValue, int32_t stateDuration, int32_t u, int32_t v,
                                 int32_t spriteLeft, int32_t spriteRight, int32_t spriteTop, int32_t spriteBottom,
                                 int32_t textureId) {
    CCharacter* e = CreateCharacter(kAfterimageTypeId);
    if (e == nullptr) return;
    CGameMain::GetInstance()->m_characterList.Add(e);
    e->x = atX;
    e->y = atY;
    e->facing = facing;
    e->parallaxMode = parallaxMode;
    e->layer = layerValue;
    e->angle = angleValue;
    e->scaleX = scaleXValue;
    e->scaleY = scaleYValue;
    e->colorR = red;
    e->colorG = green;
    e->colorB = blue;
    e->blendMode = blendModeValue;
    e->alpha = alphaValue;
    e->fadeStep = fadeStepValue;
    e->scaleXRate = scaleXRateValue;
    e->scaleYRate = scaleYRateValue;
    e->vx = 0;
    e->vy = 0;
    // The owner's picture, shown by the effect's own copy of its record.
    if (FrameRecord* r = e->frameTable.Find(e->frame)) {
        r->u = u;
        r->v = v;
        r->spriteLeft = spriteLeft;
        r->spriteRight = spriteRight;
        r->spriteTop = spriteTop;
        r->spriteBottom = spriteBottom;
        r->stateDuration = stateDuration;
        r->textureId = textureId;
    }
}
