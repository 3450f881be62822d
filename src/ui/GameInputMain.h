#pragma once
// The in-stage root screen: the bottom of the screen chain during play and
// the HUD drawn over the play field. It holds the full-screen touch pad the
// player characters read, the pause button, the menu button and the three
// equip-slot buttons with their weapon icons, counts and "NEW" marks (all of
// which are created hidden), a message box for short notices, the blinking
// "CLEAR!" banner, the edge masks of the 512-wide layout, and it draws the
// life bars. Pause, the menus, the message window, continue and stage clear
// are pushed over it; it then stands idle, still drawn, until they close.
//
// The touch pad for the player characters (`m_touchPad`): it is visible and
// enabled, lies at (0, 0) and covers the view. A player reads it with
//   IsPressed()          the touch is down this frame (not taken by a screen)
//   IsTouchEntered()     a touch began this frame inside the pad, or was
//                        dragged onto it
//   GetPointerLocalX/Y() the touch point in pixels from the pad's corner
//                        (x 10 gives world units)
// The HUD runs before the world each frame and takes the presses of its own
// buttons, so a press on the pause button never reaches the players.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"
#include "ui/WidgetWindow.h"

class CCharacterPlayer;

// The player character in play, or null outside play.
CCharacterPlayer* PlayerInPlay();
// The x that centres a widget of `width` on the view of an in-stage screen
// (relative to the HUD's touch pad).
int32_t CentredInStage(int32_t width);
// Leaves play for the title game state with the given title-side screen as
// the only one, and drops the stage.
void LeavePlayFor(int32_t screenId);

class CGameInputMain : public CGameInput {
public:
    static constexpr int kEquipSlots = 3;
    static constexpr int kIconColumns = 11;  // the slot's button, then weapons 1 to 10
    static constexpr int kMessageSize = 4096;
    // Own states: the weapon chooser of an equip slot open, and closing.
    static constexpr int32_t kChooserOpen = 7;
    static constexpr int32_t kChooserClosing = 8;
    // Phases of the message box.
    static constexpr int32_t kMessageIdle = 0;
    static constexpr int32_t kMessageOpening = 1;
    static constexpr int32_t kMessageShowing = 2;
    static constexpr int32_t kMessageClosing = 3;

    static CGameInputMain* GetInstance();
    ~CGameInputMain() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void OnCovered() override { CoverWithoutFade(); }
    void UpdateWidgets() override;

    // Pauses play and opens the pause screen over the HUD.
    virtual void OpenPause();
    // The ammunition and potion counts under the icons, in every row.
    virtual void RefreshHudNumbers();
    // The row's icons back at the slot's corner, its "NEW" marks hidden.
    virtual void ResetWeaponIcons(int32_t row);
    virtual void OpenWeaponChooser(int32_t row);
    virtual void CloseWeaponChooser(int32_t row);
    // A short notice in the message box: it grows for 10 frames, shows the
    // whole text, stays 80 frames and shrinks for 10. A new notice replaces
    // the one showing.
    virtual void ShowMessage(const char* text);

    // Announces a newly obtained weapon: its "NEW" marks in all three rows.
    void ShowNewMarks(int32_t weapon);
    // True while the HUD is the top of the chain and in play (no pushed
    // screen, no weapon chooser): the only time the pause key may pause.
    bool IsPlaying() const;

    CWidget m_touchPad;
    CWidget m_panel;
    CWidget m_pauseButton;
    CWidget m_menuButton;
    CWidget m_icons[kEquipSlots][kIconColumns];
    CWidget m_newMarks[kEquipSlots][kIconColumns];
    CWidget m_clearLabel;
    CWidgetWindow m_messageWindow;
    char m_messageText[kMessageSize] = {};
    CWidget m_edgeMaskBottom;
    CWidget m_edgeMaskTop;
    int32_t m_messageState = kMessageIdle;

private:
    CGameInputMain();
    void UpdatePlay();
    void StepMessage();
    void UpdateChooser();
    void UpdateChooserClosing();
    void DrawIconRow(int32_t row, CCharacterPlayer* player);
    // Spreads a row's owned weapons for the chooser (or brings them back);
    // false when there is no player or no such row.
    bool MoveChooserIcons(int32_t row, bool spread);
    // The weapons 1 to 6 the player owns, in order; their count.
    static int32_t OwnedWeapons(CCharacterPlayer& player, int32_t (&weapons)[6]);
    static int32_t IconY(int32_t row) { return 64 + 72 * row; }
};
