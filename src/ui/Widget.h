#pragma once
// CWidget: the retained-mode element every screen, the HUD and the life bars
// are built from. A rectangle placed relative to its parent, a sprite stepped
// through key tables (normal, highlighted, disabled), a text shown plainly or
// typed out, four timed tracks (move, fade, flash, scale) and the touch tests
// against the pointer. Coordinates are pixels of the 480 x 320 view; times are
// counts of 24 ms frames.
#include <cstddef>
#include <cstdint>
#include <vector>

class CDrawString;

// One sprite key: a source rectangle of a texture slot shown for `duration`
// frames.
struct SpriteKey {
    int32_t slot = 0;
    int32_t srcX = 0;
    int32_t srcY = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t duration = 0;
};

// One text-style key: a style of CGameMain::m_textStyles, its scale and the
// value the stepping treats as the key's duration.
struct TextStyleKey {
    CDrawString* style = nullptr;
    double scale = 1.0;
    int32_t duration = 0;
};

// A built-in bitmap font on a sheet: the 96 characters 0x20..0x7F in six rows
// of sixteen cells starting at (srcX0, srcY0).
struct GlyphSet {
    int32_t srcX0 = 0;
    int32_t srcY0 = 20;
    int32_t slot = 0;
    int32_t cellWidth = 7;
    int32_t cellHeight = 10;
    int32_t advance = 7;
    int32_t lineAdvance = 11;
    double scale = 1.0;  // used as a whole number
};

// The sound of a button press (and of a typewriter page turned by a press).
inline constexpr int32_t kButtonSound = 35;

// Which of the three tables a widget's state selects.
enum class WidgetTable { Normal = 0, Highlighted = 1, Disabled = 2 };

class CWidget {
public:
    static constexpr int kTextSize = 1024;            // text buffer, terminator included
    static constexpr int kBuiltInTextSize = 248;      // built-in font work buffer
    static constexpr int kTypewriterDone = -2;        // typewriter index when finished
    static constexpr uint8_t kPageBreak = 12;         // typewriter page break
    static constexpr int32_t kDefaultKeyDuration = 60;

    CWidget();
    CWidget(const CWidget&) = delete;
    CWidget& operator=(const CWidget&) = delete;
    virtual ~CWidget();

    // --- Position and touch ---------------------------------------------
    virtual int32_t GetX() const;
    virtual int32_t GetY() const;
    // Held for the nine frames before this one, begun and still inside.
    virtual bool IsLongPressed() const;
    // Held this frame with the pointer inside.
    virtual bool IsPressed() const;
    // Own flags only, and a consumed touch counts.
    virtual bool IsTouchedRaw() const;
    // A fresh press inside, or a held touch dragged in this frame.
    virtual bool IsTouchEntered() const;
    // A fresh press inside: the button test of every screen.
    virtual bool IsTouchBegan() const;
    // Released this frame after at most nine frames without moving.
    virtual bool IsTapped() const;
    virtual bool IsDraggedFrom() const;
    // Released this frame; the touch began inside.
    virtual bool IsReleased() const;
    virtual bool AlwaysFalse() const { return false; }
    virtual int32_t GetPointerLocalX() const;
    virtual int32_t GetPointerLocalY() const;
    virtual bool HitTest(int32_t px, int32_t py) const;

    // --- Frame ----------------------------------------------------------
    virtual void Update();
    virtual void Draw();

    // --- Flags ----------------------------------------------------------
    virtual void SetVisible(bool visible);
    virtual bool IsVisible() const;
    virtual void SetEnabled(bool enabled);
    virtual bool IsEnabled() const;
    virtual void SetHighlight(bool highlight);
    virtual bool GetHighlight() const { return highlight; }

    // --- Tracks ---------------------------------------------------------
    // Mode 0 linear, 1 ease-in, 2 ease-out, others leave the position alone.
    virtual void MoveTo(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t frames, int32_t mode);
    virtual bool IsMoving() const { return moveFrames != moveCounter; }
    virtual void FadeTo(int32_t from, int32_t to, int32_t frames);
    virtual void Fade(int32_t frames, int32_t fadeIn);
    virtual bool IsFading() const { return fadeFrames != fadeCounter; }
    // Mode 0 fades the factor alpha 255 -> 0, 1 and 2 rise 0 -> 255 (2
    // blinks instead), any other keeps the stored end points.
    virtual void FlashTo(int32_t frames, int32_t mode);
    virtual bool IsFlashing() const { return flashFrames != flashCounter; }
    virtual void ScaleAnimUniform(float from, float to, int32_t frames);
    virtual void ScaleAnim(float x0, float x1, float y0, float y1, int32_t frames);
    virtual bool IsScaleAnimating() const { return scaleFrames != scaleCounter; }

    // --- Looks ----------------------------------------------------------
    virtual void SetColor(int32_t r, int32_t g, int32_t b);
    virtual void SetAlpha(int32_t a) { alpha = a; }
    virtual int32_t GetAlpha() const { return alpha; }
    virtual void SetPivot(int32_t px, int32_t py);
    virtual void SetScaleXY(float sx, float sy);
    virtual void SetScale(float s);
    // Selects the tables by state and steps the sprite (and style) keys.
    virtual void StepAnimation();

    // --- Text -----------------------------------------------------------
    virtual void SetTextRect(int32_t tx, int32_t ty, int32_t tw, int32_t th, int32_t flags);
    virtual void SetGlyphSets(int32_t srcX0, int32_t srcY0, int32_t slot, int32_t cellW, int32_t cellH, double scale,
                              int32_t disabledSrcX0, int32_t disabledSrcY0, int32_t disabledSlot, int32_t disabledCellW,
                              int32_t disabledCellH, double disabledScale);
    virtual void SetGlyphSet(int32_t srcX0, int32_t srcY0, int32_t slot, int32_t cellW, int32_t cellH, double scale);
    virtual void DrawOwnText();
    virtual void DrawTextString(const char* text);
    virtual void DrawText(int32_t tx, int32_t ty, int32_t tw, int32_t th, int32_t flags, const char* text);
    // Copies at most kTextSize - 1 bytes, never half a double-byte character.
    virtual void SetText(const char* text);
    virtual const char* GetText() const { return textBuffer; }

    // --- Typewriter -----------------------------------------------------
    virtual void StopTypewriter() { typewriterIndex = kTypewriterDone; }
    // The text is not copied: it must outlive the typing. Speed < 0 shows up
    // to -speed characters a frame; otherwise one every `speed` frames (0 and
    // 1 both mean every frame). With auto-advance the page moves on after
    // `wait` frames and presses are ignored.
    virtual void StartTypewriter(const char* text, int32_t speed, int32_t wait, int32_t autoAdvance);
    virtual void DrawTypewriter();
    virtual bool IsTypewriting() const { return typewriterIndex != kTypewriterDone; }
    virtual void TypewriterStep();
    virtual void UpdateTypewriter();

    // --- Set-up (screens' Init) -------------------------------------------
    // Position, size, scale and one key (duration 60) in each of the three
    // sprite tables.
    void InitAnimation(int32_t x, int32_t y, int32_t width, int32_t height, const SpriteKey& normal,
                       const SpriteKey& highlighted, const SpriteKey& disabled, float scale);
    // The same key in all three tables.
    void InitAnimation(int32_t x, int32_t y, int32_t width, int32_t height, const SpriteKey& key, float scale) {
        InitAnimation(x, y, width, height, key, key, key, scale);
    }
    // Room for two keys in each table, written with SetAnimationKey.
    void SetAnimationKeys2();
    void SetAnimationKey(int32_t index, int32_t duration, int32_t slot, int32_t srcX, int32_t srcY, int32_t w,
                         int32_t h);
    // Replaces one table's keys.
    void SetSpriteTable(WidgetTable table, std::vector<SpriteKey> keys);
    // One text-style key in each table, all pointing at `style` at `scale`.
    void InitTextStyleKeys(CDrawString* style = nullptr, double scale = 1.0, int32_t duration = 0);
    TextStyleKey& GetTextStyleKey(WidgetTable table, int index = 0) {
        return styleTables[static_cast<int>(table)][static_cast<size_t>(index)];
    }
    const std::vector<SpriteKey>& GetSpriteTable(WidgetTable table) const {
        return spriteTables[static_cast<int>(table)];
    }
    // The table the widget's state selects now.
    WidgetTable CurrentTable() const;

    // --- State --------------------------------------------------------------
    CWidget* parent = nullptr;
    int32_t x = 0, y = 0;
    int32_t width = 0, height = 0;
    int32_t textX = 0, textY = 0, textWidth = 0, textHeight = 0;
    int32_t textFlags = 0;
    int32_t pivotX = 0, pivotY = 0;
    GlyphSet enabledGlyphs;
    GlyphSet disabledGlyphs;
    float scaleX = 1.0f, scaleY = 1.0f;
    bool visible = true, enabled = true, highlight = false;
    int32_t moveX0 = 0, moveX1 = 0, moveY0 = 0, moveY1 = 0;
    int32_t moveFrames = 0, moveCounter = 0, moveMode = 0;
    int32_t fadeFrom = 255, fadeTo = 255, fadeFrames = 0, fadeCounter = 0;
    int32_t flashFrom = 0, flashTo = 0, flashFrames = 0, flashCounter = 0, flashMode = 0;
    float scaleX0 = 0.0f, scaleX1 = 0.0f, scaleY0 = 0.0f, scaleY1 = 0.0f;
    int32_t scaleFrames = 0, scaleCounter = 0;
    int32_t colourMode = 0;
    int32_t flashValue = 255;
    int32_t alpha = 255;
    int32_t red = 255, green = 255, blue = 255;
    int32_t spriteTimer = 0, spriteIndex = 0;
    int32_t styleTimer = 0, styleIndex = 0;
    char textBuffer[kTextSize] = {};
    const char* typewriterText = nullptr;
    int32_t typewriterSpeed = 0, typewriterWait = 0;
    int32_t typewriterIndex = kTypewriterDone;
    int32_t typewriterAutoAdvance = 0;
    int32_t typewriterCounter = 0;

protected:
    // The key the sprite index names in the table the state selects; null
    // when that table is empty.
    const SpriteKey* CurrentSpriteKey() const;
    const SpriteKey* SpriteKeyOf(WidgetTable table) const;
    const TextStyleKey* CurrentStyleKey() const;
    // The draw parameters of the widget's sprite: scale, colour, pivot and
    // the flash track's colour mode.
    void ApplyDrawParams(float pivotXValue, float pivotYValue) const;

private:
    void StepMove();
    void StepFade();
    void StepFlash();
    void StepScale();
    void DrawBuiltInText(int32_t tx, int32_t ty, int32_t tw, int32_t th, int32_t flags, const char* text);
    bool AtTypewriterStop() const;
    static void ConsumePresses();

    std::vector<SpriteKey> spriteTables[3];
    std::vector<TextStyleKey> styleTables[3];
};

// A screen takes a press: the whole touch history (or the action key's)
// reads as consumed until the touch is released, so no other widget, screen
// or player sees that press.
void ConsumeTouch();
void ConsumeActionKey();

// One step of a track: a + (b - a) * num / den, truncating toward zero (the
// product in 64 bits, so long tracks cannot overflow).
inline int32_t TrackValue(int32_t a, int32_t b, int64_t num, int64_t den) {
    return static_cast<int32_t>(a + (static_cast<int64_t>(b) - a) * num / den);
}

// Where a text byte starts a double-byte (Shift-JIS) character.
inline bool IsLeadByte(uint8_t c) { return c >= 0x80; }

// Copies a zero-terminated text into a buffer of `size` bytes: at most
// size - 1 bytes, never half a double-byte character, always terminated. A
// null text copies as "".
void CopyBoundedText(char* out, int size, const char* text);
// Appends a text at `used` (the length so far, advanced) with the same
// bounds: a full buffer takes nothing more.
void AppendBoundedText(char* out, int size, int& used, const char* text);
