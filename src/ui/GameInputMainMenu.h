#pragma once
// The in-stage menu: it slides up over the paused play field and shows one
// of three pages chosen by tabs. ITEM lists the weapons and potions the
// player holds (EQUIP puts a weapon in the hand, USE drinks a potion), STATE
// shows the abilities found and the save slot's gold, keys, play time and
// completion, MAP shows the explored rooms of the current area with a
// blinking marker where the camera stands. While it is open the ninja's
// life bar hangs from the menu and slides with it.
//
// Every active frame the current page is rebuilt from the game data, so
// nothing has to tell the menu that something changed.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"
#include "ui/WidgetWindow.h"

// One map of the MAP page: its container and its pieces, one per room.
struct MenuMap {
    static constexpr int kMaxPieces = 99;
    CWidget container;
    CWidget pieces[kMaxPieces + 1];  // 1..count; 0 is unused
    int32_t count = 0;
};

class CGameInputMainMenu : public CGameInput {
public:
    static constexpr int kRows = 10;
    static constexpr int kAbilityIcons = 5;
    static constexpr int kMaps = 6;
    static constexpr int32_t kEquipSound = 74;

    enum MenuTab : int32_t { kItemTab = 0, kStateTab = 1, kMapTab = 2 };

    static CGameInputMainMenu* GetInstance();
    ~CGameInputMainMenu() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void Close() override;
    void UpdateWidgets() override;

    virtual void LayoutMaps();
    virtual void RefreshPage();
    virtual void LayoutForOrientation();
    // Places the marker inside `area` at the camera's relative place in the
    // stage; `half` for the overview's half scale.
    virtual void PlaceMapMarker(const CWidget& area, bool half);

    // The map of a map id (0..5), or -1; and for map A the piece of a room
    // (0, the container, when the room has none).
    static int32_t MapOf(int32_t mapId);
    static int32_t PieceOfRoomOnMapA(int32_t room);

    int32_t m_tab = kItemTab;
    bool m_mapZoomed = true;
    CWidget m_root;
    CWidget m_panel;
    CWidget m_closeButton;
    CWidget m_frame;
    CWidget m_tabButtons[3];
    CWidget m_pageBack;
    CWidget m_itemRows[kRows];
    CWidget m_itemPage;
    CWidget m_statePage;
    CWidget m_mapPage;
    CWidget m_useButton;
    CWidget m_itemText;
    CWidget m_abilityIcons[kAbilityIcons];
    CWidgetWindow m_statusWindow;
    CWidget m_stateText;
    CWidget m_mapMarker;
    CWidget m_zoomInButton;
    CWidget m_zoomOutButton;
    MenuMap m_maps[kMaps];

private:
    CGameInputMainMenu();
    void UpdateButtons();
    void UseChosenRow();
    void RefreshItemPage();
    void RefreshStatePage();
    void RefreshMapPage();
    void ClipMapA(int32_t shift);

    // The screen size LayoutForOrientation saw last.
    int32_t m_seenWidth = -1;
    int32_t m_seenHeight = -1;
};

// The play time of the current save slot, in frames.
int32_t GetCurrentSlotPlayTime();
