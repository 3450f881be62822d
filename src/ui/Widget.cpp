#include "ui/Widget.h"

#include <cstring>
#include <utility>

#include "win/DrawString.h"
#include "win/MyInput.h"
#include "win/SoundManager.h"
#include "win/Sprite.h"

namespace {

constexpr int kLongPressFrames = 9;
constexpr int kPromptBlinkPeriod = 40;
constexpr int kPromptBlinkOn = 20;
constexpr int kActionKeyIndex = 4;  // Z in the default key map
// The page prompt "▼" in Shift-JIS.
constexpr char kPagePrompt[] = "\x81\xA5";

const CMyInput& Input() { return *CMyInput::GetInstance(); }

// Sum 0 + 1 + ... + n.
int64_t Triangle(int64_t n) { return n * (n + 1) / 2; }

uint32_t Argb(int32_t a, int32_t r, int32_t g, int32_t b) {
    return (static_cast<uint32_t>(a) & 0xFFu) << 24 | (static_cast<uint32_t>(r) & 0xFFu) << 16 |
           (static_cast<uint32_t>(g) & 0xFFu) << 8 | (static_cast<uint32_t>(b) & 0xFFu);
}

// Length of the longest head of `text` that fits `room` bytes without
// splitting a double-byte character.
int BoundedLength(const char* text, int room) {
    int n = 0;
    while (text[n] != '\0') {
        const int size = IsLeadByte(static_cast<uint8_t>(text[n])) && text[n + 1] != '\0' ? 2 : 1;
        if (n + size > room) break;
        n += size;
    }
    return n;
}

}  // namespace

void ConsumeTouch() {
    std::memset(CMyInput::GetInstance()->m_touchHistory, static_cast<uint8_t>(kInputConsumed), kInputHistoryLength);
}

void ConsumeActionKey() {
    std::memset(CMyInput::GetInstance()->m_keyHistory[kActionKeyIndex], static_cast<uint8_t>(kInputConsumed),
                kInputHistoryLength);
}

CWidget::CWidget() = default;

CWidget::~CWidget() = default;

// --- Position and touch ----------------------------------------------------

int32_t CWidget::GetX() const { return parent ? parent->GetX() + x : x; }

int32_t CWidget::GetY() const { return parent ? parent->GetY() + y : y; }

bool CWidget::HitTest(int32_t px, int32_t py) const {
    const int32_t left = GetX(), top = GetY();
    return left <= px && px < left + width && top <= py && py < top + height;
}

namespace {

bool PointerInside(const CWidget& w) {
    const CMyInput& in = Input();
    return w.HitTest(in.m_pointerXHistory[0], in.m_pointerYHistory[0]);
}

bool StartInside(const CWidget& w) {
    const CMyInput& in = Input();
    return w.HitTest(in.m_touchStartX, in.m_touchStartY);
}

bool Usable(const CWidget& w) { return w.IsVisible() && w.IsEnabled(); }

}  // namespace

bool CWidget::IsLongPressed() const {
    if (!Usable(*this)) return false;
    for (int i = 1; i <= kLongPressFrames; ++i) {
        if (Input().m_touchHistory[i] < 1) return false;
    }
    return StartInside(*this) && PointerInside(*this);
}

bool CWidget::IsPressed() const {
    const CMyInput& in = Input();
    return Usable(*this) && in.m_touchHistory[0] >= 1 && in.m_inputAvailable != 0 && PointerInside(*this);
}

bool CWidget::IsTouchedRaw() const {
    const CMyInput& in = Input();
    return enabled && visible && in.m_touchHistory[0] != 0 && in.m_inputAvailable != 0 && PointerInside(*this);
}

bool CWidget::IsTouchEntered() const {
    if (!Usable(*this)) return false;
    const CMyInput& in = Input();
    if (in.IsTouchPressed()) return PointerInside(*this);
    return in.m_touchHistory[0] >= 1 && in.m_inputAvailable != 0 && PointerInside(*this) &&
           !HitTest(in.m_pointerXHistory[1], in.m_pointerYHistory[1]);
}

bool CWidget::IsTouchBegan() const { return Usable(*this) && Input().IsTouchPressed() && PointerInside(*this); }

bool CWidget::IsTapped() const { return Usable(*this) && Input().IsTouchTapped() && PointerInside(*this); }

bool CWidget::IsDraggedFrom() const {
    const CMyInput& in = Input();
    return Usable(*this) && in.m_touchHistory[0] > 2 && in.m_inputAvailable != 0 && in.m_touchMoved != 0 &&
           StartInside(*this);
}

bool CWidget::IsReleased() const {
    const CMyInput& in = Input();
    return Usable(*this) && in.m_touchHistory[0] == 0 && in.m_touchHistory[1] >= 1 && in.m_inputAvailable != 0 &&
           StartInside(*this);
}

int32_t CWidget::GetPointerLocalX() const { return Input().m_pointerXHistory[0] - GetX(); }

int32_t CWidget::GetPointerLocalY() const { return Input().m_pointerYHistory[0] - GetY(); }

// --- Frame -------------------------------------------------------------------

void CWidget::Update() {
    ++spriteTimer;
    StepAnimation();
    UpdateTypewriter();
    StepMove();
    StepFade();
    StepFlash();
    StepScale();
}

void CWidget::StepMove() {
    if (moveFrames <= moveCounter) return;
    const int32_t n = ++moveCounter;
    const int32_t frames = moveFrames;
    if (n >= frames) {
        if (moveMode >= 0 && moveMode <= 2) {
            x = moveX1;
            y = moveY1;
        }
        moveFrames = moveCounter = 0;
        return;
    }
    int64_t weight = 0, total = 0;
    switch (moveMode) {
        case 0:
            weight = n;
            total = frames;
            break;
        case 1:  // ease-in: 0 + 1 + ... + (n - 1) of 0 + 1 + ... + (F - 1)
            weight = Triangle(n - 1);
            total = Triangle(frames - 1);
            break;
        case 2:  // ease-out: F + (F - 1) + ... + (F - n + 1) of 1 + ... + F
            weight = Triangle(frames) - Triangle(frames - n);
            total = Triangle(frames);
            break;
        default:
            return;
    }
    x = TrackValue(moveX0, moveX1, weight, total);
    y = TrackValue(moveY0, moveY1, weight, total);
}

void CWidget::StepFade() {
    if (fadeFrames <= fadeCounter) return;
    ++fadeCounter;
    if (fadeCounter >= fadeFrames) {
        alpha = fadeTo;
        fadeFrames = fadeCounter = 0;
        return;
    }
    alpha = TrackValue(fadeFrom, fadeTo, fadeCounter, fadeFrames);
}

void CWidget::StepFlash() {
    if (flashFrames <= flashCounter) return;
    const int32_t n = ++flashCounter;
    if (n >= flashFrames) {
        colourMode = 0;
        flashValue = 255;
        flashFrames = flashCounter = 0;
        return;
    }
    colourMode = 2;
    if (flashMode == 2) {
        flashValue = (n / 2) % 2 == 1 ? 0 : 255;
    } else {
        flashValue = TrackValue(flashFrom, flashTo, n, flashFrames);
    }
}

void CWidget::StepScale() {
    if (scaleFrames <= scaleCounter) return;
    const int32_t n = ++scaleCounter;
    if (n >= scaleFrames) {
        scaleX = scaleX1;
        scaleY = scaleY1;
        scaleFrames = scaleCounter = 0;
        return;
    }
    const float t = static_cast<float>(n) / static_cast<float>(scaleFrames);
    scaleX = scaleX0 + (scaleX1 - scaleX0) * t;
    scaleY = scaleY0 + (scaleY1 - scaleY0) * t;
}

WidgetTable CWidget::CurrentTable() const {
    if (!IsEnabled()) return WidgetTable::Disabled;
    return highlight ? WidgetTable::Highlighted : WidgetTable::Normal;
}

const SpriteKey* CWidget::CurrentSpriteKey() const { return SpriteKeyOf(CurrentTable()); }

const SpriteKey* CWidget::SpriteKeyOf(WidgetTable which) const {
    const std::vector<SpriteKey>& table = spriteTables[static_cast<int>(which)];
    if (table.empty()) return nullptr;
    const size_t i = spriteIndex >= 0 && static_cast<size_t>(spriteIndex) < table.size() ? static_cast<size_t>(spriteIndex) : 0;
    return &table[i];
}

const TextStyleKey* CWidget::CurrentStyleKey() const {
    const std::vector<TextStyleKey>& table = styleTables[static_cast<int>(CurrentTable())];
    if (table.empty()) return nullptr;
    const size_t i = styleIndex >= 0 && static_cast<size_t>(styleIndex) < table.size() ? static_cast<size_t>(styleIndex) : 0;
    return &table[i];
}

void CWidget::StepAnimation() {
    const WidgetTable which = CurrentTable();
    const std::vector<SpriteKey>& sprites = spriteTables[static_cast<int>(which)];
    const int32_t spriteCount = static_cast<int32_t>(sprites.size());
    if (spriteCount > 0) {
        if (spriteIndex < 0 || spriteIndex >= spriteCount) spriteIndex = 0;
        if (spriteTimer >= sprites[static_cast<size_t>(spriteIndex)].duration) {
            spriteTimer = 0;
            ++spriteIndex;
        }
        if (spriteIndex >= spriteCount) spriteIndex = 0;
    }

    const std::vector<TextStyleKey>& styles = styleTables[static_cast<int>(which)];
    const int32_t styleCount = static_cast<int32_t>(styles.size());
    if (styleCount == 0) return;
    // In the normal state the style keys move only while the sprite key has
    // run out.
    if (which == WidgetTable::Normal && spriteCount > 0 &&
        spriteTimer < sprites[static_cast<size_t>(spriteIndex)].duration) {
        return;
    }
    if (styleIndex < 0 || styleIndex >= styleCount) styleIndex = 0;
    if (styleTimer >= styles[static_cast<size_t>(styleIndex)].duration) {
        styleTimer = 0;
        ++styleIndex;
    }
    if (styleIndex >= styleCount) styleIndex = 0;
}

void CWidget::ApplyDrawParams(float pivotXValue, float pivotYValue) const {
    DrawParams::direction = 1.0f;
    DrawParams::angle = 0.0f;
    DrawParams::pivotX = pivotXValue;
    DrawParams::pivotY = pivotYValue;
    DrawParams::scaleX = scaleX;
    DrawParams::scaleY = scaleY;
    DrawParams::colour = Argb(alpha, red, green, blue);
    DrawParams::blendMode = 0;
    DrawParams::colourMode = colourMode;
    DrawParams::textureFactor = static_cast<uint32_t>(flashValue & 0xFF) << 24 | 0xFFFFFFu;
}

void CWidget::Draw() {
    if (!IsVisible()) return;
    if (const SpriteKey* key = CurrentSpriteKey()) {
        ApplyDrawParams(static_cast<float>(pivotX), static_cast<float>(pivotY));
        DrawSprite(GetX(), GetY(), key->slot, key->srcX, key->srcY, key->width, key->height);
        DrawParams::colourMode = 0;
        DrawParams::textureFactor = 0xFFFFFFFFu;
    }
    DrawTypewriter();
}

// --- Flags -------------------------------------------------------------------

void CWidget::SetVisible(bool value) {
    visible = value;
    StepAnimation();
}

bool CWidget::IsVisible() const { return visible && (!parent || parent->IsVisible()); }

void CWidget::SetEnabled(bool value) {
    enabled = value;
    StepAnimation();
}

bool CWidget::IsEnabled() const { return enabled && (!parent || parent->IsEnabled()); }

void CWidget::SetHighlight(bool value) {
    highlight = value;
    StepAnimation();
}

// --- Tracks ------------------------------------------------------------------

void CWidget::MoveTo(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t frames, int32_t mode) {
    moveX0 = x0;
    moveX1 = x1;
    moveY0 = y0;
    moveY1 = y1;
    moveFrames = frames;
    moveMode = mode;
    moveCounter = 0;
    x = x0;
    y = y0;
}

void CWidget::FadeTo(int32_t from, int32_t to, int32_t frames) {
    alpha = from;
    fadeFrom = from;
    fadeTo = to;
    fadeFrames = frames;
    fadeCounter = 0;
}

void CWidget::Fade(int32_t frames, int32_t fadeIn) {
    if (fadeIn != 0) {
        FadeTo(0, 255, frames);
    } else {
        FadeTo(255, 0, frames);
    }
}

void CWidget::FlashTo(int32_t frames, int32_t mode) {
    if (mode == 0) {
        flashFrom = 255;
        flashTo = 0;
    } else if (mode == 1 || mode == 2) {
        flashFrom = 0;
        flashTo = 255;
    }
    flashMode = mode;
    flashFrames = frames;
    flashCounter = 0;
}

void CWidget::ScaleAnimUniform(float from, float to, int32_t frames) { ScaleAnim(from, to, from, to, frames); }

void CWidget::ScaleAnim(float x0, float x1, float y0, float y1, int32_t frames) {
    scaleX = x0;
    scaleY = y0;
    scaleX0 = x0;
    scaleX1 = x1;
    scaleY0 = y0;
    scaleY1 = y1;
    scaleFrames = frames;
    scaleCounter = 0;
}

// --- Looks -------------------------------------------------------------------

void CWidget::SetColor(int32_t r, int32_t g, int32_t b) {
    red = r;
    green = g;
    blue = b;
}

void CWidget::SetPivot(int32_t px, int32_t py) {
    pivotX = px;
    pivotY = py;
}

void CWidget::SetScaleXY(float sx, float sy) {
    scaleX = sx;
    scaleY = sy;
}

void CWidget::SetScale(float s) { scaleX = scaleY = s; }

// --- Text --------------------------------------------------------------------

void CWidget::SetTextRect(int32_t tx, int32_t ty, int32_t tw, int32_t th, int32_t flags) {
    textX = tx;
    textY = ty;
    textWidth = tw;
    textHeight = th;
    textFlags = flags;
}

void CWidget::SetGlyphSets(int32_t srcX0, int32_t srcY0, int32_t slot, int32_t cellW, int32_t cellH, double scale,
                           int32_t disabledSrcX0, int32_t disabledSrcY0, int32_t disabledSlot, int32_t disabledCellW,
                           int32_t disabledCellH, double disabledScale) {
    enabledGlyphs.srcX0 = srcX0;
    enabledGlyphs.srcY0 = srcY0;
    enabledGlyphs.slot = slot;
    enabledGlyphs.cellWidth = cellW;
    enabledGlyphs.cellHeight = cellH;
    enabledGlyphs.scale = scale;
    disabledGlyphs.srcX0 = disabledSrcX0;
    disabledGlyphs.srcY0 = disabledSrcY0;
    disabledGlyphs.slot = disabledSlot;
    disabledGlyphs.cellWidth = disabledCellW;
    disabledGlyphs.cellHeight = disabledCellH;
    disabledGlyphs.scale = disabledScale;
}

void CWidget::SetGlyphSet(int32_t srcX0, int32_t srcY0, int32_t slot, int32_t cellW, int32_t cellH, double scale) {
    SetGlyphSets(srcX0, srcY0, slot, cellW, cellH, scale, srcX0, srcY0, slot, cellW, cellH, scale);
}

void CWidget::DrawOwnText() { DrawTextString(textBuffer); }

void CWidget::DrawTextString(const char* text) {
    DrawText(GetX() + textX, GetY() + textY, textWidth, textHeight, textFlags, text);
}

void CWidget::DrawText(int32_t tx, int32_t ty, int32_t tw, int32_t th, int32_t flags, const char* text) {
    if (!IsVisible() || !text) return;
    if (styleTables[static_cast<int>(WidgetTable::Normal)].empty()) {
        DrawBuiltInText(tx, ty, tw, th, flags, text);
        return;
    }
    const TextStyleKey* key = CurrentStyleKey();
    if (!key || !key->style) return;
    CDrawString* style = key->style;
    const double glyphScale = enabledGlyphs.scale;
    style->SetColor(red, green, blue);
    style->SetAlpha(alpha);
    style->SetScale(scaleX * key->scale * glyphScale, scaleY * key->scale * glyphScale);
    ::DrawString(text, style, tx, ty, tw, th, flags);
    style->SetUniformScale(1.0);
    style->SetAlpha(255);
    style->SetColor(255, 255, 255);
}

void CWidget::DrawBuiltInText(int32_t tx, int32_t ty, int32_t tw, int32_t th, int32_t flags, const char* text) {
    const GlyphSet& glyphs = IsEnabled() ? enabledGlyphs : disabledGlyphs;
    const int32_t s = static_cast<int32_t>(glyphs.scale);
    char buffer[kBuiltInTextSize];
    const int length = BoundedLength(text, kBuiltInTextSize - 1);
    std::memcpy(buffer, text, static_cast<size_t>(length));
    buffer[length] = '\0';

    DrawParams::direction = 1.0f;
    DrawParams::pivotX = 0.0f;
    DrawParams::pivotY = 0.0f;
    DrawParams::angle = 0.0f;
    DrawParams::scaleX = static_cast<float>(s);
    DrawParams::scaleY = static_cast<float>(s);
    DrawParams::colour = Argb(alpha, 255, 255, 255);
    DrawParams::blendMode = 0;

    int lines = 1;
    for (int i = 0; i < length; ++i) lines += buffer[i] == '\n' ? 1 : 0;
    const int32_t total = (glyphs.cellHeight + 1) * lines - 1;
    int32_t lineY;
    switch (flags & 3) {
        case 1: lineY = ty; break;
        case 3: lineY = ty - total + th; break;
        default: lineY = ty + (th + 1) / 2 - (total + 1) / 2; break;
    }
    int start = 0;
    while (start <= length) {
        int end = start;
        while (end < length && buffer[end] != '\n') ++end;
        const int32_t lineLength = end - start;
        const int32_t lineWidth = ((glyphs.cellWidth - 4) * lineLength + 2) * s;
        int32_t penX;
        switch (flags & 12) {
            case 4: penX = tx; break;
            case 12: penX = tx - lineWidth + tw; break;
            default: penX = tx + tw / 2 - lineWidth / 2; break;
        }
        for (int i = start; i < end; ++i) {
            const uint8_t c = static_cast<uint8_t>(buffer[i]);
            if (c < 0x20 || c > 0x7F) continue;
            DrawSprite(penX, lineY, glyphs.slot, glyphs.srcX0 + (c % 16) * glyphs.cellWidth,
                       glyphs.srcY0 + ((c >> 4) - 2) * glyphs.cellHeight, glyphs.cellWidth, glyphs.cellHeight);
            penX += glyphs.advance * s;
        }
        lineY += glyphs.lineAdvance * s;
        start = end + 1;
    }
}

void CopyBoundedText(char* out, int size, const char* text) {
    if (size <= 0) return;
    if (!text) text = "";
    const int length = BoundedLength(text, size - 1);
    std::memmove(out, text, static_cast<size_t>(length));
    out[length] = '\0';
}

void AppendBoundedText(char* out, int size, int& used, const char* text) {
    if (used < 0 || used >= size - 1) return;
    CopyBoundedText(out + used, size - used, text);
    used += static_cast<int>(std::strlen(out + used));
}

void CWidget::SetText(const char* text) { CopyBoundedText(textBuffer, kTextSize, text); }

// --- Typewriter --------------------------------------------------------------

void CWidget::StartTypewriter(const char* text, int32_t speed, int32_t wait, int32_t autoAdvance) {
    typewriterText = text;
    typewriterSpeed = speed;
    typewriterWait = wait;
    typewriterAutoAdvance = autoAdvance;
    typewriterIndex = 0;
    typewriterCounter = 0;
}

bool CWidget::AtTypewriterStop() const {
    const uint8_t c = static_cast<uint8_t>(typewriterText[typewriterIndex]);
    return c == kPageBreak || c == 0;
}

void CWidget::TypewriterStep() {
    typewriterCounter = 0;
    if (!typewriterText || typewriterIndex < 0) return;
    const int32_t length = static_cast<int32_t>(std::strlen(typewriterText));
    if (typewriterIndex >= length) {
        typewriterIndex = kTypewriterDone;
        return;
    }
    const bool lead = IsLeadByte(static_cast<uint8_t>(typewriterText[typewriterIndex]));
    // A lead byte without its trail byte stops at the end of the text.
    typewriterIndex = lead && typewriterIndex + 1 < length ? typewriterIndex + 2 : typewriterIndex + 1;
}

void CWidget::ConsumePresses() {
    ConsumeActionKey();
    ConsumeTouch();
}

void CWidget::UpdateTypewriter() {
    if (!typewriterText || typewriterIndex == kTypewriterDone) return;
    const CMyInput& in = Input();
    const bool press = in.IsActionKeyPressed() || in.IsTouchPressed();
    const bool takesPresses = typewriterAutoAdvance == 0;
    if (AtTypewriterStop()) {
        if (press && takesPresses) {
            ConsumePresses();
            CSoundManager::GetInstance()->PlaySE(kButtonSound, 1);
            TypewriterStep();
            return;
        }
        const int32_t before = typewriterCounter++;
        if (before >= typewriterWait && typewriterAutoAdvance == 1) TypewriterStep();
        return;
    }
    if (press && takesPresses) {
        // The rest of the page at once.
        ConsumePresses();
        while (typewriterIndex != kTypewriterDone && !AtTypewriterStop()) TypewriterStep();
        return;
    }
    if (typewriterSpeed < 0) {
        for (int32_t i = 0; i < -typewriterSpeed; ++i) {
            if (typewriterIndex == kTypewriterDone || AtTypewriterStop()) break;
            TypewriterStep();
        }
        return;
    }
    ++typewriterCounter;
    if (typewriterCounter >= typewriterSpeed) {
        TypewriterStep();
    } else if (in.IsActionKeyDown() && takesPresses) {
        TypewriterStep();
    }
}

void CWidget::DrawTypewriter() {
    if (!IsVisible() || !typewriterText || typewriterIndex == kTypewriterDone) return;
    // The page shown starts after the last page break before the index.
    int32_t start = 0;
    for (int32_t i = 0; i < typewriterIndex; ++i) {
        if (static_cast<uint8_t>(typewriterText[i]) == kPageBreak) start = i + 1;
    }
    char buffer[kTextSize];
    constexpr int kPageRoom = kTextSize - static_cast<int>(sizeof kPagePrompt);
    int n = 0;
    for (int32_t i = start; i < typewriterIndex && n < kPageRoom; ++i) {
        const uint8_t c = static_cast<uint8_t>(typewriterText[i]);
        if (c == kPageBreak || c == 0) break;
        // Never half a double-byte character at the end of the room.
        if (IsLeadByte(c) && n + 2 > kPageRoom) break;
        buffer[n++] = static_cast<char>(c);
    }
    buffer[n] = '\0';
    if (AtTypewriterStop() && typewriterAutoAdvance == 0 && typewriterCounter % kPromptBlinkPeriod < kPromptBlinkOn) {
        std::memcpy(buffer + n, kPagePrompt, sizeof kPagePrompt);
    }
    DrawText(GetX() + textX, GetY() + textY, textWidth, textHeight, textFlags, buffer);
}

// --- Set-up ------------------------------------------------------------------

void CWidget::InitAnimation(int32_t px, int32_t py, int32_t w, int32_t h, const SpriteKey& normal,
                            const SpriteKey& highlighted, const SpriteKey& disabled, float scale) {
    x = px;
    y = py;
    width = w;
    height = h;
    scaleX = scaleY = scale;
    alpha = 255;
    const SpriteKey keys[3] = {normal, highlighted, disabled};
    for (int t = 0; t < 3; ++t) {
        SpriteKey key = keys[t];
        key.duration = kDefaultKeyDuration;
        spriteTables[t].assign(1, key);
    }
}

void CWidget::SetAnimationKeys2() {
    for (std::vector<SpriteKey>& table : spriteTables) table.assign(2, SpriteKey{});
}

void CWidget::SetAnimationKey(int32_t index, int32_t duration, int32_t slot, int32_t srcX, int32_t srcY, int32_t w,
                              int32_t h) {
    if (index < 0) return;
    for (std::vector<SpriteKey>& table : spriteTables) {
        if (static_cast<size_t>(index) < table.size()) table[static_cast<size_t>(index)] = {slot, srcX, srcY, w, h, duration};
    }
}

void CWidget::SetSpriteTable(WidgetTable table, std::vector<SpriteKey> keys) {
    spriteTables[static_cast<int>(table)] = std::move(keys);
}

void CWidget::InitTextStyleKeys(CDrawString* style, double scale, int32_t duration) {
    for (std::vector<TextStyleKey>& table : styleTables) table.assign(1, TextStyleKey{style, scale, duration});
}
