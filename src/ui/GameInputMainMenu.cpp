#include "ui/GameInputMainMenu.h"

#include <cstdio>

#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "framework/TextTable.h"
#include "player/CharacterPlayer.h"
#include "stage/StageData.h"
#include "ui/GameInputMain.h"
#include "ui/Lifebar.h"
#include "ui/PausedPlayScreen.h"
#include "win/SoundManager.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kMenuSheet = 16;
constexpr int32_t kMapSheet = 18;
constexpr int32_t kFrameSheet = 13;
constexpr int32_t kAlignCentred = 10;
constexpr int32_t kAlignTopLeft = 5;
constexpr int32_t kAlignMiddleLeft = 6;
constexpr int32_t kAlignBottomRight = 15;
constexpr int32_t kLabelStyle = 4;
constexpr int32_t kCountStyle = 2;
constexpr int32_t kJapaneseStyle = 0;
constexpr int32_t kSlideFrames = 10;
constexpr int32_t kOpenY = -84;
constexpr int32_t kClosedY = 236;
constexpr int32_t kRootX = 114;
constexpr int32_t kRootY = 84;
constexpr int32_t kMarkerFixedX = 180;
constexpr int32_t kMapLeft = 15;
constexpr int32_t kMapRight = 365;
constexpr int32_t kUseText = 206;
constexpr int32_t kEquipText = 207;
constexpr int32_t kStatusText = 242;
constexpr int32_t kVisitedFlagBase = 401;
constexpr int32_t kFramesPerSecond = 40;
constexpr SpriteKey kNoSprite{};

// The ITEM rows: icon on the HUD sheet, description text, and whether the
// row carries a count.
struct ItemRow {
    int32_t srcX, srcY;
    int32_t description;
    bool counted;
};
constexpr ItemRow kItemRows[CGameInputMainMenu::kRows] = {
    {210, 150, 227, false}, {240, 150, 228, true}, {270, 150, 229, true}, {300, 150, 230, false},
    {360, 150, 231, false}, {330, 150, 232, false}, {180, 180, 233, true}, {240, 180, 234, true},
    {210, 180, 235, true},  {120, 180, 236, true},
};

constexpr int32_t kAbilityX[CGameInputMainMenu::kAbilityIcons] = {40, 40, 114, 114, 336};
constexpr int32_t kAbilityY[CGameInputMainMenu::kAbilityIcons] = {48, 100, 100, 48, 48};
constexpr int32_t kAbilityText[CGameInputMainMenu::kAbilityIcons] = {237, 238, 239, 240, 241};

// The six maps: container place, and the first room of the maps whose
// pieces follow their rooms in order (map A has its own room table).
struct MapInfo {
    int32_t x, y;
    int32_t firstRoom;
};
constexpr MapInfo kMapInfo[CGameInputMainMenu::kMaps] = {
    {0, -115, 0}, {105, 115, 53}, {75, 45, 66}, {110, -235, 96}, {110, -365, 172}, {110, -485, 217},
};

// The piece rectangles of the map picture (texture slot 18), map by map,
// each map's pieces in order from piece 1.
struct MapPiece {
    int32_t map;
    int32_t x, y, width, height;
};
constexpr MapPiece kMapPieces[] = {
#include "../../data/maps/menu_map_pieces.inc"
};

// Map A's rooms: runs of pieces that follow runs of rooms, then the rooms
// that show their marker in another room's piece.
struct RoomRun {
    int32_t firstPiece, lastPiece, firstRoom;
};
constexpr RoomRun kMapARuns[] = {
    {1, 36, 8}, {37, 46, 84}, {47, 71, 125}, {72, 82, 161}, {83, 85, 158}, {86, 99, 201},
};
constexpr int32_t kMapASharedRooms[][2] = {{47, 2}, {48, 2}, {49, 11}, {50, 5}, {51, 4}};

int32_t RoomOfMapAPiece(int32_t piece) {
    for (const RoomRun& run : kMapARuns) {
        if (piece >= run.firstPiece && piece <= run.lastPiece) return run.firstRoom + piece - run.firstPiece;
    }
    return -1;
}

bool Visited(int32_t room) { return CurrentSlotRecord().GetSlotFlag(kVisitedFlagBase + room) != 0; }

void SetStyle(CWidget& w, int32_t style) {
    w.InitTextStyleKeys(&CGameMain::GetInstance()->m_textStyles[style], 1.0, 1);
}

void InitTextBox(CWidget& w, int32_t x, int32_t y, int32_t width, int32_t height, const SpriteKey& key, int32_t tx,
                 int32_t ty, int32_t tw, int32_t th, int32_t flags, int32_t style, const char* text) {
    w.InitAnimation(x, y, width, height, key, 2.0f);
    w.SetTextRect(tx, ty, tw, th, flags);
    SetStyle(w, style);
    w.SetText(text);
}

void SetLit(CWidget& w, bool lit) {
    if (lit) {
        w.SetColor(255, 255, 255);
    } else {
        w.SetColor(128, 128, 128);
    }
}

// Whether the player holds the weapon or potion of a row, and its count.
bool RowShown(CCharacterPlayer& p, int32_t row) {
    switch (row) {
        case 0: return true;
        case 1: return p.GetShurikenAmmo() >= 0;
        case 2: return p.GetBombAmmo() >= 0;
        case 3: return p.GetFireNinjutsu() > 0;
        case 4: return p.GetWindNinjutsu() > 0;
        case 5: return p.GetWaterNinjutsu() > 0;
        case 6: return p.GetHealingPotions() >= 0;
        case 7: return p.GetExHealingPotions() >= 0;
        case 8: return p.GetMagicPotions() >= 0;
        case 9: return p.GetExMagicPotions() >= 0;
        default: return false;
    }
}

int32_t RowCount(CCharacterPlayer& p, int32_t row) {
    switch (row) {
        case 1: return p.GetShurikenAmmo();
        case 2: return p.GetBombAmmo();
        case 6: return p.GetHealingPotions();
        case 7: return p.GetExHealingPotions();
        case 8: return p.GetMagicPotions();
        case 9: return p.GetExMagicPotions();
        default: return 0;
    }
}

bool AbilityShown(CCharacterPlayer& p, int32_t icon) {
    switch (icon) {
        case 0: return p.airDashesMax > 0;
        case 1: return p.HasWallHold();
        case 2: return p.HasCeilingHold();
        case 3: return p.softBlockCrash != 0;
        default: return false;
    }
}

int32_t PanelX() { return CGameMain::GetInstance()->GetViewWidth() / 2 - 284; }

}  // namespace

int32_t GetCurrentSlotPlayTime() { return CurrentSlotRecord().GetInt(SaveSlotRecord::kPlayTime); }

CGameInputMainMenu* CGameInputMainMenu::GetInstance() {
    static CGameInputMainMenu instance;
    return &instance;
}

CGameInputMainMenu::CGameInputMainMenu() { CGameInputMainMenu::Init(); }

int32_t CGameInputMainMenu::MapOf(int32_t mapId) {
    if (mapId < 8) return -1;
    if (mapId <= 43 || (mapId >= 47 && mapId <= 51) || (mapId >= 84 && mapId <= 93) ||
        (mapId >= 125 && mapId <= 149) || (mapId >= 158 && mapId <= 171) || (mapId >= 201 && mapId <= 214)) {
        return 0;
    }
    if (mapId >= 53 && mapId <= 65) return 1;
    if (mapId >= 66 && mapId <= 83) return 2;
    if (mapId >= 96 && mapId <= 124) return 3;
    if (mapId >= 172 && mapId <= 200) return 4;
    if (mapId >= 217 && mapId <= 244) return 5;
    return -1;
}

int32_t CGameInputMainMenu::PieceOfRoomOnMapA(int32_t room) {
    for (const auto& shared : kMapASharedRooms) {
        if (shared[0] == room) return shared[1];
    }
    for (int32_t k = 1; k <= MenuMap::kMaxPieces; ++k) {
        if (RoomOfMapAPiece(k) == room) return k;
    }
    return 0;
}

void CGameInputMainMenu::Init() {
    m_panel.InitAnimation(0, 0, 488, 488, SpriteKey{1, 0, 0, 488, 488, 0}, 1.0f);
    m_panel.SetColor(0, 0, 0);
    m_panel.SetAlpha(0);
    m_root.InitAnimation(0, 0, 120, 320, SpriteKey{kMenuSheet, 0, 0, 60, 160, 0}, 2.0f);
    m_root.parent = &m_panel;
    m_frame.InitAnimation(144, 144, 380, 46, SpriteKey{kMenuSheet, 0, 240, 190, 23, 0}, 2.0f);
    m_frame.parent = &m_panel;
    m_closeButton.InitAnimation(330, 210, 60, 40, SpriteKey{kMenuSheet, 110, 100, 30, 20, 0}, 2.0f);
    m_closeButton.parent = &m_frame;
    static const char* const kTabLabels[3] = {"ITEM", "STATE", "MAP"};
    for (int i = 0; i < 3; ++i) {
        InitTextBox(m_tabButtons[i], 2 + 80 * i, 2, 80, 40, SpriteKey{0, 0, 0, 160, 23, 0}, 0, 0, 80, 40,
                    kAlignCentred, kLabelStyle, kTabLabels[i]);
        m_tabButtons[i].parent = &m_frame;
    }
    m_pageBack.InitAnimation(0, 46, 380, 274, SpriteKey{kMenuSheet, 0, 343, 190, 97, 0}, 2.0f);
    m_pageBack.parent = &m_frame;
    for (CWidget* page : {&m_itemPage, &m_statePage, &m_mapPage}) {
        page->InitAnimation(0, 0, 304, 114, SpriteKey{0, 0, 390, 152, 57, 0}, 2.0f);
        page->parent = &m_frame;
    }

    for (int i = 0; i < kRows; ++i) {
        const int32_t x = i < 6 ? 13 + 59 * i : 13 + 59 * (i - 6);
        const ItemRow& row = kItemRows[i];
        m_itemRows[i].InitAnimation(x, i < 6 ? 48 : 100, 44, 44, SpriteKey{kMenuSheet, row.srcX, row.srcY, 24, 24, 0},
                                    2.0f);
        m_itemRows[i].parent = &m_itemPage;
        if (row.counted) {
            m_itemRows[i].SetTextRect(0, 0, 46, 46, kAlignBottomRight);
            SetStyle(m_itemRows[i], kCountStyle);
            m_itemRows[i].SetText("99");
        }
    }
    InitTextBox(m_useButton, 290, 104, 80, 40, SpriteKey{kMenuSheet, 140, 100, 40, 20, 0}, 0, 0, 80, 40, kAlignCentred,
                kLabelStyle, "USE");
    m_useButton.parent = &m_itemPage;
    InitTextBox(m_itemText, 10, 150, 360, 80, SpriteKey{kMenuSheet, 0, 440, 180, 40, 0}, 10, 10, 340, 60,
                kAlignTopLeft, kLabelStyle, "TEST\nTEST\nTEST");
    m_itemText.parent = &m_itemPage;

    for (int i = 0; i < kAbilityIcons; ++i) {
        m_abilityIcons[i].InitAnimation(kAbilityX[i], kAbilityY[i], 44, 44,
                                        SpriteKey{kMenuSheet, 270 + 30 * i, 180, 24, 24, 0}, 2.0f);
        m_abilityIcons[i].parent = &m_statePage;
    }
    // The status window opens from a line to its full height at once.
    m_statusWindow.InitAnimation(200, 58, 180, 114, SpriteKey{kFrameSheet, 0, 0, 512, 512, 0}, 2.0f);
    m_statusWindow.SetPivot(80, 40);
    m_statusWindow.SetFrameTexture(2, 2);
    m_statusWindow.StartResize(160, 160, 60, 80, 1, 2);
    m_statusWindow.SetTextRect(6, 0, 148, 80, kAlignMiddleLeft);
    SetStyle(m_statusWindow, kLabelStyle);
    m_statusWindow.SetText("GOLD 999999G\nTIME 999:99\nCOMP 100%");
    m_statusWindow.parent = &m_statePage;
    InitTextBox(m_stateText, 10, 150, 360, 80, SpriteKey{kMenuSheet, 0, 440, 180, 40, 0}, 10, 10, 340, 60,
                kAlignTopLeft, kLabelStyle, "TEST\nTEST\nTEST");
    m_stateText.parent = &m_statePage;

    m_mapMarker.InitAnimation(0, 0, 20, 20, kNoSprite, 2.0f);
    m_mapMarker.SetAnimationKeys2();
    m_mapMarker.SetAnimationKey(0, 40, kMenuSheet, 360, 240, 10, 10);
    m_mapMarker.SetAnimationKey(1, 40, 0, 0, 0, 0, 0);
    m_mapMarker.parent = &m_mapPage;
    m_zoomInButton.InitAnimation(10, 190, 40, 40, SpriteKey{kMenuSheet, 380, 240, 20, 20, 0}, 2.0f);
    m_zoomInButton.parent = &m_mapPage;
    m_zoomOutButton.InitAnimation(10, 190, 40, 40, SpriteKey{kMenuSheet, 400, 240, 20, 20, 0}, 2.0f);
    m_zoomOutButton.parent = &m_mapPage;
    for (MenuMap& map : m_maps) {
        map.container.parent = &m_mapPage;
        map.count = 0;
        for (CWidget& piece : map.pieces) piece.parent = &map.container;
    }
    for (const MapPiece& p : kMapPieces) {
        MenuMap& map = m_maps[p.map];
        if (map.count < MenuMap::kMaxPieces) ++map.count;
    }
    LayoutMaps();

    m_mapZoomed = true;
    m_tab = kItemTab;
    m_seenWidth = -1;
    m_seenHeight = -1;
}

void CGameInputMainMenu::LayoutMaps() {
    int32_t next[kMaps] = {1, 1, 1, 1, 1, 1};
    for (int m = 0; m < kMaps; ++m) {
        m_maps[m].container.InitAnimation(kMapInfo[m].x, kMapInfo[m].y, 170, 50, kNoSprite, 2.0f);
    }
    for (const MapPiece& p : kMapPieces) {
        const int32_t k = next[p.map]++;
        if (k > MenuMap::kMaxPieces) continue;
        m_maps[p.map].pieces[k].InitAnimation(2 * p.x, 2 * p.y, 2 * p.width, 2 * p.height,
                                             SpriteKey{kMapSheet, p.x, p.y, p.width, p.height, 0}, 2.0f);
    }
}

void CGameInputMainMenu::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    if (CLifebarNinja* bar = CLifebarController::GetInstance()->GetNinjaBar()) bar->parent = &m_root;
    for (CWidget& row : m_itemRows) row.SetHighlight(false);
    for (CWidget& icon : m_abilityIcons) icon.SetHighlight(false);
    RefreshPage();
    LayoutForOrientation();
    m_root.x = kRootX;
    m_root.y = kRootY;
    const int32_t x = PanelX();
    m_panel.MoveTo(x, x, kClosedY, kOpenY, kSlideFrames, 2);
}

void CGameInputMainMenu::Close() {
    state_ = ScreenState::Closing;
    m_root.x = kRootX;
    const int32_t x = PanelX();
    m_panel.MoveTo(x, x, kOpenY, kClosedY, kSlideFrames, 1);
}

void CGameInputMainMenu::UpdateWidgets() {
    for (CWidget* w : {&m_panel, &m_frame, &m_closeButton, &m_tabButtons[0], &m_tabButtons[1], &m_tabButtons[2],
                       &m_pageBack}) {
        w->Update();
    }
    for (CWidget& row : m_itemRows) row.Update();
    m_useButton.Update();
    m_itemText.Update();
    for (CWidget& icon : m_abilityIcons) icon.Update();
    m_statusWindow.Update();
    for (CWidget* w : {&m_stateText, &m_itemPage, &m_statePage, &m_mapPage, &m_mapMarker, &m_root}) w->Update();
}

void CGameInputMainMenu::Update() {
    UpdateChild();
    if (!RunPausedPlayStates(*this, m_panel)) return;
    LayoutForOrientation();
    RefreshPage();
    UpdateWidgets();
    CLifebarController::GetInstance()->Update();
    UpdateButtons();
}

void CGameInputMainMenu::UpdateButtons() {
    if (m_closeButton.IsTouchBegan() || CGameInputMain::GetInstance()->m_menuButton.IsTouchBegan()) {
        TakePress();
        if (parent_) parent_->OnUncovered();
        Close();
        return;
    }
    if (m_useButton.IsTouchBegan()) {
        ConsumeTouch();
        UseChosenRow();
        RefreshPage();
        return;
    }
    for (int i = 0; i < 3; ++i) {
        if (!m_tabButtons[i].IsTouchBegan()) continue;
        TakePress();
        m_tab = i;
        if (i == kItemTab) {
            for (CWidget& row : m_itemRows) row.SetHighlight(false);
        } else if (i == kStateTab) {
            for (CWidget& icon : m_abilityIcons) icon.SetHighlight(false);
        }
        RefreshPage();
        return;
    }
    for (CWidget& chosen : m_itemRows) {
        if (!chosen.IsTouchBegan()) continue;
        TakePress();
        for (CWidget& row : m_itemRows) row.SetHighlight(false);
        chosen.SetHighlight(true);
        RefreshPage();
        return;
    }
    for (CWidget& chosen : m_abilityIcons) {
        if (!chosen.IsTouchBegan()) continue;
        TakePress();
        for (CWidget& icon : m_abilityIcons) icon.SetHighlight(false);
        chosen.SetHighlight(true);
        RefreshPage();
        return;
    }
    // Both zoom buttons stand in one place and only one shows, so a press
    // reaches the zoom-out button only when zoom-in did not take it.
    if (m_zoomInButton.IsTouchBegan()) {
        TakePress();
        m_mapZoomed = true;
        RefreshPage();
    }
    if (m_zoomOutButton.IsTouchBegan()) {
        TakePress();
        m_mapZoomed = false;
        RefreshPage();
    }
}

void CGameInputMainMenu::UseChosenRow() {
    CCharacterPlayer* player = PlayerInPlay();
    if (!player) return;
    for (int32_t row = 0; row < kRows; ++row) {
        if (!m_itemRows[row].GetHighlight()) continue;
        switch (row) {
            case 6: player->UseHealingPotion(); continue;
            case 7: player->UseExHealingPotion(); continue;
            case 8: player->UseMagicPotion(); continue;
            case 9: player->UseExMagicPotion(); continue;
            default: break;
        }
        CSoundManager::GetInstance()->PlaySE(kEquipSound, 1);
        const int32_t weapon = row + 1;
        const int32_t current = player->GetCurrentWeapon();
        int32_t k = 0;
        while (k < CCharacterPlayer::kEquipSlotCount && player->GetEquipSlot(k) != current) ++k;
        if (k == CCharacterPlayer::kEquipSlotCount) k = 0;
        for (int32_t j = 0; j < CCharacterPlayer::kEquipSlotCount; ++j) {
            if (player->GetEquipSlot(j) == weapon) player->SetEquipSlot(j, player->GetEquipSlot(k));
        }
        player->SetEquipSlot(k, weapon);
        player->SetCurrentWeapon(weapon);
    }
}

void CGameInputMainMenu::RefreshPage() {
    m_frame.InitAnimation(144, 144, 380, 46, SpriteKey{kMenuSheet, 0, 240 + 30 * m_tab, 190, 23, 0}, 2.0f);
    const int32_t style = CGameMain::GetInstance()->m_language == 0 ? kLabelStyle : kJapaneseStyle;
    for (CWidget* w : {&m_useButton, &m_itemText, &m_stateText}) SetStyle(*w, style);
    switch (m_tab) {
        case kItemTab: RefreshItemPage(); return;
        case kStateTab: RefreshStatePage(); return;
        case kMapTab: RefreshMapPage(); return;
        default: return;
    }
}

void CGameInputMainMenu::RefreshItemPage() {
    m_itemPage.SetVisible(true);
    m_statePage.SetVisible(false);
    m_mapPage.SetVisible(false);
    m_itemText.SetText("");
    m_useButton.SetVisible(false);
    CCharacterPlayer* player = PlayerInPlay();
    if (!player) return;
    const int32_t language = CGameMain::GetInstance()->m_language;
    for (int32_t i = 0; i < kRows; ++i) {
        CWidget& row = m_itemRows[i];
        row.SetVisible(RowShown(*player, i));
        if (kItemRows[i].counted) {
            char count[16];
            std::snprintf(count, sizeof count, "%d", RowCount(*player, i));
            row.SetText(count);
        }
        SetLit(row, row.GetHighlight());
        if (!row.GetHighlight()) continue;
        const bool weapon = i < 6;
        m_itemText.SetText(GetTextForLanguage(kItemRows[i].description, language));
        m_useButton.SetText(GetTextForLanguage(weapon ? kEquipText : kUseText, language));
        m_useButton.SetVisible(true);
        const bool usable = weapon ? player->GetCurrentWeapon() != i + 1 : RowCount(*player, i) > 0;
        m_useButton.SetEnabled(usable);
        SetLit(m_useButton, usable);
    }
}

void CGameInputMainMenu::RefreshStatePage() {
    m_statePage.SetVisible(true);
    m_itemPage.SetVisible(false);
    m_mapPage.SetVisible(false);
    m_stateText.SetText("");
    CCharacterPlayer* player = PlayerInPlay();
    if (!player) return;
    CGameMain* game = CGameMain::GetInstance();
    const int32_t seconds = GetCurrentSlotPlayTime() / kFramesPerSecond;
    const int32_t minutes = seconds / 60;
    char status[CWidget::kTextSize];
    std::snprintf(status, sizeof status, GetTextForLanguage(kStatusText, game->m_language), player->GetGold(),
                  CurrentSlotRecord().GetInt(SaveSlotRecord::kKeyCount), minutes / 60, minutes % 60,
                  game->CountCompletion(game->m_currentSlot));
    m_statusWindow.SetText(status);
    for (int32_t i = 0; i < kAbilityIcons; ++i) {
        CWidget& icon = m_abilityIcons[i];
        icon.SetVisible(AbilityShown(*player, i));
        SetLit(icon, icon.GetHighlight());
        if (icon.GetHighlight()) m_stateText.SetText(GetTextForLanguage(kAbilityText[i], game->m_language));
    }
}

void CGameInputMainMenu::RefreshMapPage() {
    m_itemPage.SetVisible(false);
    m_statePage.SetVisible(false);
    m_mapPage.SetVisible(true);
    m_itemText.SetText("");
    m_useButton.SetVisible(false);
    for (MenuMap& map : m_maps) map.container.SetVisible(false);
    m_mapMarker.SetVisible(true);
    m_zoomInButton.SetVisible(false);
    m_zoomOutButton.SetVisible(false);

    const int32_t mapId = CGameMain::GetInstance()->m_mapId;
    const int32_t m = MapOf(mapId);
    if (m < 0) {
        m_mapMarker.SetVisible(false);
        return;
    }
    MenuMap& map = m_maps[m];
    if (m > 0) {
        map.container.SetVisible(true);
        for (int32_t k = 1; k <= map.count; ++k) map.pieces[k].SetVisible(Visited(kMapInfo[m].firstRoom + k - 1));
        PlaceMapMarker(map.pieces[mapId - kMapInfo[m].firstRoom + 1], false);
        return;
    }

    LayoutMaps();
    map.container.SetVisible(true);
    for (int32_t k = 1; k <= map.count; ++k) map.pieces[k].SetVisible(Visited(RoomOfMapAPiece(k)));
    const int32_t b = PieceOfRoomOnMapA(mapId);
    const CWidget& area = b == 0 ? map.container : map.pieces[b];
    if (m_mapZoomed) {
        m_zoomOutButton.SetVisible(true);
        PlaceMapMarker(area, false);
        m_mapMarker.SetScale(2.0f);
        const int32_t shift = m_mapMarker.x - kMarkerFixedX;
        m_mapMarker.x = kMarkerFixedX;
        ClipMapA(shift);
        return;
    }
    m_zoomInButton.SetVisible(true);
    for (int32_t k = 1; k <= map.count; ++k) {
        CWidget& piece = map.pieces[k];
        piece.SetScale(1.0f);
        piece.x = piece.x / 2 + 50;
        piece.y = piece.y / 2 + 120;
    }
    PlaceMapMarker(area, true);
    m_mapMarker.SetScale(1.0f);
}

// Map A at full scale scrolls sideways by `shift` and is cut to the page's
// window between x 15 and 365.
void CGameInputMainMenu::ClipMapA(int32_t shift) {
    MenuMap& map = m_maps[0];
    for (int32_t k = 1; k <= map.count; ++k) {
        CWidget& piece = map.pieces[k];
        const std::vector<SpriteKey>& table = piece.GetSpriteTable(WidgetTable::Normal);
        if (table.empty()) continue;
        SpriteKey key = table[0];
        piece.x -= shift;
        if (piece.x > kMapRight) piece.SetVisible(false);
        if (piece.x + 2 * key.width > kMapRight) key.width = (kMapRight - piece.x) / 2;
        if (piece.x + 2 * key.width < kMapLeft) piece.SetVisible(false);
        if (piece.x < kMapLeft) {
            const int32_t d = (kMapLeft - piece.x) / 2;
            key.width -= d;
            key.srcX += d;
            piece.x = kMapLeft;
        }
        piece.SetAnimationKey(0, key.duration, key.slot, key.srcX, key.srcY, key.width, key.height);
    }
}

void CGameInputMainMenu::PlaceMapMarker(const CWidget& area, bool half) {
    CGameMain* game = CGameMain::GetInstance();
    const int32_t w = game->GetViewWidth();
    int32_t h = 0;
    switch (game->m_screenHeight) {
        case 320:
        case 384: h = 320; break;
        case 568: h = 420; break;
        case 512: h = 452; break;
        default: break;
    }
    CStageData* stage = game->m_stageControl.GetStage();
    int64_t rangeX = 0, rangeY = 0, cameraX = 0, cameraY = 0;
    if (stage) {
        rangeX = (static_cast<int64_t>(stage->GetWidth()) * 40 - w) * 10;
        rangeY = (static_cast<int64_t>(stage->GetHeight()) * 40 - h) * 10;
        cameraX = stage->GetCameraX();
        cameraY = stage->GetCameraY();
    }
    const auto offset = [half](int64_t camera, int64_t range, int32_t extent) -> int32_t {
        if (range == 0) return half ? -2 : -5;
        const int64_t d = camera * (extent - 10) / range - 5;
        return static_cast<int32_t>(half ? d / 2 : d);
    };
    const int32_t dx = offset(cameraX, rangeX, area.width);
    const int32_t dy = offset(cameraY, rangeY, area.height);
    const int32_t parentX = m_mapMarker.parent ? m_mapMarker.parent->GetX() : 0;
    const int32_t parentY = m_mapMarker.parent ? m_mapMarker.parent->GetY() : 0;
    m_mapMarker.x = area.GetX() + dx - parentX;
    m_mapMarker.y = area.GetY() + dy - parentY;
}

void CGameInputMainMenu::LayoutForOrientation() {
    CGameMain* game = CGameMain::GetInstance();
    if (game->m_screenWidth == m_seenWidth && game->m_screenHeight == m_seenHeight) return;
    m_seenWidth = game->m_screenWidth;
    m_seenHeight = game->m_screenHeight;
    const auto fits = [](int32_t v) { return v == 480 || v == 568 || v == 512; };
    if (fits(m_seenWidth)) {
        m_root.InitAnimation(0, 0, 120, 320, SpriteKey{kMenuSheet, 0, 0, 60, 160, 0}, 2.0f);
    } else if (fits(m_seenHeight)) {
        m_root.InitAnimation(0, 0, 320, 120, SpriteKey{kMenuSheet, 60, 0, 160, 60, 0}, 2.0f);
    }
}

void CGameInputMainMenu::Draw() {
    DrawParams::shakeEnabled = 0;
    CLifebarController::GetInstance()->Draw();
    m_panel.Draw();
    m_frame.Draw();
    for (CWidget& tab : m_tabButtons) tab.Draw();
    for (CWidget& tab : m_tabButtons) tab.DrawOwnText();
    m_pageBack.Draw();
    for (CWidget& row : m_itemRows) row.Draw();
    for (int i = 0; i < kRows; ++i) {
        if (kItemRows[i].counted) m_itemRows[i].DrawOwnText();
    }
    m_useButton.Draw();
    m_useButton.DrawOwnText();
    m_itemText.Draw();
    m_itemText.DrawOwnText();
    for (CWidget& icon : m_abilityIcons) icon.Draw();
    m_statusWindow.Draw();
    m_statusWindow.DrawOwnText();
    m_stateText.Draw();
    m_stateText.DrawOwnText();
    for (MenuMap& map : m_maps) {
        for (int32_t k = 1; k <= map.count; ++k) map.pieces[k].Draw();
    }
    m_mapMarker.Draw();
    m_zoomInButton.Draw();
    m_zoomOutButton.Draw();
    m_closeButton.Draw();
    DrawParams::shakeEnabled = 1;
    DrawChild();
}
