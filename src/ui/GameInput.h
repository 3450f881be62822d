#pragma once
// The screen family and the screen stack. Every screen is a static singleton
// addressed by a screen id, linked into one chain that starts at the root
// CGameInputController: the root's child is the bottom screen, each screen's
// child the one opened over it, the deepest child the top. The game states
// update and draw the whole chain through the root once per frame.
//
// Generic states of every screen: 0 closed, 1 opening, 2 active, 3 closing,
// 4 covered (a screen was pushed on top), 5 idle under a child, 6 uncovered
// (the child has closed); 7 and up belong to the screen.
#include <cstdint>

class CWidget;
class CWidgetWindow;
struct SpriteKey;

namespace ScreenId {
enum : int32_t {
    TitleTop = 0,
    TitleTopAfterEnding = 1,
    TitleTopEntry = 2,
    TitleCredits = 3,
    SaveSlot = 5,
    Option = 6,
    TitleStageSelect = 10,
    TitleShop = 11,
    TitleState = 12,
    TitleScore = 13,
    Main = 15,
    MainMenu = 16,
    MainShop = 17,
    Pause = 18,
    MessageWindow = 24,
    Continue = 25,
    StageStart = 26,
    StageClear = 27,
    Ending = 28,
};
}  // namespace ScreenId

namespace ScreenState {
enum : int32_t {
    Closed = 0,
    Opening = 1,
    Active = 2,
    Closing = 3,
    Covered = 4,
    Idle = 5,
    Uncovered = 6,
};
}  // namespace ScreenState

class CGameInput {
public:
    CGameInput() = default;
    CGameInput(const CGameInput&) = delete;
    CGameInput& operator=(const CGameInput&) = delete;
    virtual ~CGameInput() = default;

    // The screen of an id, built on first use; null for an id without one.
    static CGameInput* GetInput(int32_t screenId);
    // The screen of the id becomes this node's only child, with no parent
    // and no child of its own, and is opened. The old chain is dropped
    // without being told. An id without a screen changes nothing.
    void SetInput(int32_t screenId);
    // Opens the screen of the id over the deepest screen under this node,
    // which is then told it is covered; a screen already on top is opened
    // again instead. An id without a screen changes nothing.
    void PushInput(int32_t screenId);

    virtual void SetParent(CGameInput* parent) { parent_ = parent; }
    // Builds the screen's widgets; called once by the constructor.
    virtual void Init() {}
    // The screen's own widgets, then the child's.
    virtual void Draw() { DrawChild(); }
    // The child's update first, then the screen's own states.
    virtual void Update() { UpdateChild(); }
    virtual int32_t GetState() const { return state_; }
    virtual void Open() {
        state_ = ScreenState::Active;
        child_ = nullptr;
    }
    virtual void Close() { state_ = ScreenState::Closed; }
    virtual void OnCovered() { state_ = ScreenState::Covered; }
    virtual void OnUncovered() { state_ = ScreenState::Uncovered; }
    // The deepest screen; this node when it has no child.
    virtual CGameInput* GetTop();
    // One animation frame of every widget of the screen.
    virtual void UpdateWidgets() {}

    CGameInput* GetChild() const { return child_; }
    // Detaches the child without telling it (a screen that ends itself
    // hands its parent back before it reports the closed state).
    void ClearChild() { child_ = nullptr; }
    CGameInput* GetParent() const { return parent_; }
    void SetState(int32_t state) { state_ = state; }

protected:
    void UpdateChild() {
        if (child_) child_->Update();
    }
    void DrawChild() {
        if (child_) child_->Draw();
    }
    // The stock bodies several screens share: a close that only enters the
    // closing state, a fading close (the screen fade to black by 16 a
    // frame), and a covering that goes idle at once without a fade.
    void CloseToClosingState() { state_ = ScreenState::Closing; }
    void CloseWithFade();
    void CoverWithoutFade() { state_ = ScreenState::Idle; }
    // Runs the generic states 1, 3, 4 and 6 (and updates the widgets in
    // state 2). A fading screen also waits in 1, 3, 4 and 6 until the screen
    // fade has reached its target, and turns the fade back when it closes.
    // True in state 2: the screen then runs its buttons.
    bool RunGenericStates(bool fading);
    // The button pattern: the press is consumed and the button sound plays
    // (with one repeat, or none for the screens that play it plainly).
    static void TakePress(int32_t repeats = 1);

    CGameInput* child_ = nullptr;
    CGameInput* parent_ = nullptr;
    int32_t state_ = ScreenState::Closed;
};

// The root of the chain. Its covering goes idle at once; Update and Draw
// forward to the child, and do nothing while the chain is empty.
class CGameInputController : public CGameInput {
public:
    static CGameInputController* GetInstance();
    void OnCovered() override { CoverWithoutFade(); }

private:
    CGameInputController() = default;
};

// The screen fade of CEffect: whether it has reached its target, and a new
// fade from `from` toward `to` by `step` a frame.
bool ScreenFadeDone();
void StartScreenFade(int32_t from, int32_t to, int32_t step);
// Stops every music and starts `entry`, then releases the one that played.
void SwitchScreenMusic(int32_t entry);

// The x that centres a widget of `width` on a screen `screenWidth` wide,
// each half truncated toward zero.
inline int32_t CentredX(int32_t screenWidth, int32_t width) { return screenWidth / 2 - width / 2; }

// The black backdrop of the screens that dim the play view: the white
// texture tinted black over more than the whole view.
void InitBackdrop(CWidget& backdrop);

// A widget with a label: position, size, one sprite key drawn at `scale`, a
// text box over the whole widget with the label centred both ways, in text
// style `style` of the game's text styles.
// The title screens' top bar: 480 x 20 at the top, its text centred in text
// style 3, drawn at scale 2.
void InitTitleBar(CWidget& bar, const char* text);
// The framed page of the status and score screens: 400 x 270 at (40, 15),
// the panel image with its 7 x 5 frame, the text from the top, centred
// across, in text style 3.
void InitPageWindow(CWidgetWindow& window);

void InitLabelWidget(CWidget& widget, int32_t x, int32_t y, int32_t width, int32_t height, const SpriteKey& key,
                     float scale, int32_t style, const char* label);
