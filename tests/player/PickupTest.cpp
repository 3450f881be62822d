// The pick-ups in a room with the ninja, through the real play frame: what
// each type id becomes, drops that lie, wait, blink and fly to the player,
// one-time items with their message, flag and resume snapshot, keys and
// treasures; and the pick-up table's pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "framework/SaveTestDir.h"
#include "framework/StateLoading.h"
#include "framework/TextTable.h"
#include "platform/AudioMixer.h"
#include "player/CharacterItem.h"
#include "support/PlayerRoom.h"
#include "support/Screenshot.h"
#include "support/WorldList.h"
#include "ui/GameInput.h"
#include "ui/GameInputMessageWindow.h"
#include "win/Graphics.h"
#include "win/SaveFile.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

using namespace player_room;
using platform::AudioMixer;
using testing_support::Listed;

namespace {

constexpr int32_t kSlot = 2;

// A standing ninja in the room, the current save slot fresh.
struct Field : Room {
    Field() {
        s.Run(8);
        CGameMain* game = CGameMain::GetInstance();
        game->m_currentSlot = kSlot;
        Record().SetNewGameDefaults();
        Record().SetByte(SaveSlotRecord::kResumeFlag, 0);
        game->m_resumeData[kSlot].SetNewGameDefaults();
    }
    static CSaveData& Record() { return CGameMain::GetInstance()->m_slotData[kSlot]; }

    CCharacterItem* Item(int32_t id, int32_t x, int32_t y) {
        auto* item = dynamic_cast<CCharacterItem*>(s.AddAt(id, x, y));
        EXPECT_NE(item, nullptr);
        return item;
    }
    // Frames until the item has gone (at most n); the frames it showed.
    std::vector<int32_t> Follow(const CCharacterItem* item, int n) {
        std::vector<int32_t> frames;
        for (int i = 0; i < n && Listed(item); ++i) {
            frames.push_back(item->frame);
            s.Run(1);
        }
        return frames;
    }
};

// Taps through the message window until it has closed.
void ReadMessage(Scenario& s) {
    CGameInputMessageWindow* window = CGameInputMessageWindow::GetInstance();
    for (int i = 0; i < 400 && window->GetState() != ScreenState::Closed; ++i) {
        if (i % 12 == 11) {
            s.TouchDown(240, 160);
            s.Run(1);
            s.TouchUp();
        }
        s.Run(1);
    }
}

// A one-time item dropped on the standing ninja, collected and its message
// read; returns the item's frames (it is gone afterwards).
struct Collected {
    std::vector<int32_t> itemFrames;
    std::vector<int32_t> playerFrames;
    int32_t heldX = 0, heldY = 0;
    int32_t invulnerableDuringMessage = 0;
    std::string message;
};

Collected CollectOneTime(Field& f, int32_t id) {
    CGameInputController::GetInstance()->SetInput(ScreenId::Main);
    Collected c;
    CCharacterItem* item = f.Item(id, f.ninja->x + 150, kFloor - 10);
    for (int i = 0; i < 60 && Listed(item) && item->frame % 10 != 2; ++i) {
        c.itemFrames.push_back(item->frame);
        c.playerFrames.push_back(f.ninja->frame);
        f.s.Run(1);
    }
    if (!Listed(item)) return c;
    c.itemFrames.push_back(item->frame);
    c.heldX = item->x;
    c.heldY = item->y;
    c.invulnerableDuringMessage = f.ninja->GetInvulnerable();
    c.message = CGameInputMessageWindow::GetInstance()->m_text;
    ReadMessage(f.s);
    f.s.Run(2);
    EXPECT_FALSE(Listed(item));
    return c;
}

}  // namespace

TEST(Pickups, TheTypeIdChoosesTheStateTheTextAndTheFlag) {
    struct Case {
        int32_t id, state, text, flag;
    };
    for (const Case& c : {Case{23001, 10, -1, -1}, Case{23002, 20, -1, -1}, Case{23003, 40, -1, -1},
                          Case{23004, 30, -1, -1}, Case{23005, 50, 215, 0}, Case{23008, 80, 219, 3},
                          Case{23011, 130, 222, 6}, Case{23012, 140, 218, 7}, Case{23013, 150, 224, 8},
                          Case{23014, 13, -1, -1}, Case{23015, 23, -1, -1}, Case{23030, 110, 225, 9},
                          Case{23049, 110, 225, 28}, Case{23050, 120, 226, 29}, Case{23069, 120, 226, 48},
                          Case{23080, 170, -1, 49}, Case{23119, 170, -1, 88}, Case{23130, 180, -1, 851},
                          Case{23179, 180, -1, 900}}) {
        SCOPED_TRACE(c.id);
        std::unique_ptr<CCharacter> made(CreateCharacter(c.id));
        auto* item = dynamic_cast<CCharacterItem*>(made.get());
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->typeId, c.id);
        EXPECT_EQ(item->frame, c.state);
        EXPECT_EQ(item->messageTextId, c.text);
        EXPECT_EQ(item->collectedIndex, c.flag);
        // Hearts and spirits fall at 10/2, the placed items at 10/1, drawn
        // larger and above the field; the ammunition keeps what it was made
        // with.
        const bool ammunition = c.state == 30 || c.state == 40;
        EXPECT_EQ(item->scaleX, ammunition ? 1.0 : 2.0);
        EXPECT_EQ(item->layer, ammunition ? 136 : 161);
        EXPECT_EQ(item->maxFall, ammunition ? 1 : 150);
        EXPECT_EQ(item->gravityNum, ammunition ? 1 : 10);
        EXPECT_EQ(item->gravityDen, c.state < 30 ? 2 : 1);
        EXPECT_EQ(item->group, 0);
        EXPECT_EQ(item->hp, 600);
    }
    // Ids between the kinds make an item that removes itself.
    CCharacterItem gap;
    gap.SetTypeId(23020);
    EXPECT_EQ(gap.frame, 0);
    gap.Frame();
    EXPECT_EQ(gap.alive, 0);
    // The chain's grab passes over pick-ups; other hits are taken as any
    // character takes them.
    CCharacterItem heart;
    heart.SetTypeId(PickupId::Heart);
    EXPECT_FALSE(heart.OnHit(12, 100, 1, &gap));
    EXPECT_EQ(heart.hp, 600);
    EXPECT_TRUE(heart.OnHit(1, 100, 1, &gap));
    EXPECT_EQ(heart.hp, 500);
    heart.SetLinkParam(7);
    EXPECT_EQ(heart.linkValue, 7);
}

// --- Drops -------------------------------------------------------------------------------

TEST(Pickups, ADroppedHeartLiesWaitsAndFliesToThePlayerForAHundredLife) {
    Field f;
    f.ninja->hp = 120;
    CCharacterItem* heart = f.Item(PickupId::Heart, f.ninja->x + 600, kFloor - 200);
    heart->vy = -40;
    f.s.ClearSounds();
    const std::vector<int32_t> t = f.Follow(heart, 80);
    EXPECT_FALSE(Listed(heart));
    EXPECT_EQ(IndexOf(t, 12), 20) << "it lies 20 frames; the player is near, so it flies as soon as it waits";
    EXPECT_EQ(IndexOf(t, 11), -1);
    EXPECT_EQ(f.ninja->hp, 220);
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{46});
    // Heals no further than the maximum.
    CCharacterItem* second = f.Item(PickupId::Heart, f.ninja->x - 300, kFloor - 10);
    f.Follow(second, 80);
    EXPECT_EQ(f.ninja->hp, 300);

    // A waiting heart flies only to a player nearer than 800, and its
    // speed grows by 5 a frame.
    for (const int32_t dx : {799, 800}) {
        SCOPED_TRACE(dx);
        CCharacterItem* near = f.Item(PickupId::Heart, f.ninja->x + dx, kFloor - 10);
        const std::vector<int32_t> waited = f.Follow(near, 23);
        EXPECT_EQ(Contains(waited, 12), dx == 799);
        if (Listed(near)) near->SetState(0);
        f.s.Run(1);
    }
    CCharacterItem* flying = f.Item(PickupId::Heart, f.ninja->x + 1500, f.ninja->y);
    flying->SetState(12);
    for (int i = 1; i <= 4; ++i) {
        f.s.Run(1);
        EXPECT_NEAR(std::hypot(flying->vx, flying->vy), 5 * i, 1.0) << i;
        EXPECT_LT(flying->vx, 0);
    }
}

TEST(Pickups, AHeartNeverApproachedBlinksForItsLastEightyFramesAndVanishes) {
    Field f;
    CCharacterItem* heart = f.Item(PickupId::Heart, kRightWall - 200, kFloor - 10);
    // Thrown left as it drops: once it lies on the floor it stays put.
    heart->vx = -20;
    int32_t lyingX = 0;
    std::vector<int32_t> blinking;
    std::vector<int32_t> frames;
    for (int i = 0; i < 260 && Listed(heart); ++i) {
        if (i == 5) lyingX = heart->x;
        if (i == 19) {
            EXPECT_EQ(heart->x, lyingX);
            EXPECT_EQ(heart->vx, 0);
            EXPECT_EQ(heart->vy, 0);
        }
        frames.push_back(heart->frame);
        blinking.push_back(heart->GetBlink() != 0 ? 1 : 0);
        f.s.Run(1);
    }
    EXPECT_FALSE(Listed(heart));
    EXPECT_EQ(frames.size(), 220u) << "20 lying, 200 waiting";
    EXPECT_EQ(IndexOf(frames, 12), -1);
    EXPECT_EQ(IndexOf(blinking, 1), 20 + 120) << "blinking from 80 frames before the end";
    EXPECT_EQ(std::count(blinking.begin(), blinking.end(), 1), 80);
}

TEST(Pickups, SpiritsShurikensBombsAndLaunchedDropsGiveTheirShare) {
    struct Case {
        int32_t id;
        int32_t sound;
    };
    for (const Case& c : {Case{PickupId::Spirit, 46}, Case{PickupId::Shurikens, 45}, Case{PickupId::Bombs, 46},
                          Case{PickupId::LaunchedSpirit, 46}}) {
        SCOPED_TRACE(c.id);
        Field f;
        f.ninja->gauge = 0;
        f.ninja->shurikenAmmo = -1;
        f.ninja->bombAmmo = 28;
        // Far beyond the waiting drop's reach: only a launched drop comes.
        CCharacterItem* item = f.Item(c.id, kRightWall - 200, kFloor - 10);
        const bool launched = c.id == PickupId::LaunchedSpirit;
        if (!launched) item->SetState(item->frame + CCharacterItem::kFlying);
        f.s.ClearSounds();
        const std::vector<int32_t> t = f.Follow(item, 120);
        EXPECT_FALSE(Listed(item));
        EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{c.sound});
        if (launched) {
            EXPECT_EQ(IndexOf(t, 22), 15) << "it lies 15 frames and flies without waiting";
            EXPECT_EQ(IndexOf(t, 21), -1);
        }
        if (c.id == PickupId::Spirit || launched) {
            EXPECT_GE(f.ninja->gauge, 1000);
        }
        if (c.id == PickupId::Shurikens) {
            EXPECT_EQ(f.ninja->shurikenAmmo, 5);
        }
        if (c.id == PickupId::Bombs) {
            EXPECT_EQ(f.ninja->bombAmmo, 30);
        }
    }
}

TEST(Pickups, ADropOutOfViewIsRemovedAndOneWithoutAPlayerKeepsFlying) {
    Field f;
    CCharacterItem* lost = f.Item(PickupId::Heart, -3000, kFloor - 10);
    f.s.Run(2);
    EXPECT_FALSE(Listed(lost));
    CCharacterItem* flying = f.Item(PickupId::Spirit, 2000, 1000);
    flying->SetState(22);
    flying->vx = 40;
    CGameMain::GetInstance()->m_player = nullptr;
    f.s.Run(5);
    EXPECT_TRUE(Listed(flying));
    EXPECT_EQ(flying->x, 2200);
}

// --- One-time items -------------------------------------------------------------------------

TEST(Pickups, AnAbilityIsHeldUpUnderItsMessageThenStoredWithItsFlagAndTheResumeSnapshot) {
    for (int32_t music : {2, -1}) {
        SCOPED_TRACE(music);
        SaveTestDir saves;
        AudioMixer::GetInstance()->UseManualOutput();
        CSoundManager* sound = CSoundManager::GetInstance();
        ASSERT_TRUE(sound->Init());
        PlayMusic(2);
        Field f;
        f.s.Stage().music = music;
        f.ninja->wallHold = 0;
        const int32_t lifeBefore = f.ninja->hp;
        f.s.ClearSounds();
        const Collected c = CollectOneTime(f, 23009);  // the gauntlets: wall holds

        // Touched: the item-get pose, held invulnerable; the item waits for
        // the pose to land, then is held up over the player's head.
        EXPECT_EQ(c.itemFrames.front(), 90);
        EXPECT_TRUE(Contains(c.playerFrames, 310));
        EXPECT_EQ(c.itemFrames.back(), 92);
        EXPECT_EQ(c.invulnerableDuringMessage, -1);
        EXPECT_EQ(c.heldX, f.ninja->x + 100 * f.ninja->facing);
        EXPECT_EQ(c.heldY, f.ninja->y - 400);
        EXPECT_EQ(c.message, GetText(220));
        ASSERT_GE(f.s.Sounds().size(), 2u);
        EXPECT_EQ(f.s.Sounds()[0], 72);
        EXPECT_EQ(f.s.Sounds()[1], 67) << "the jingle, the music stopped";

        // Read: the player stands again, briefly safe; the stage's music
        // starts again (a stage without music stays silent).
        EXPECT_TRUE(IsStanding(f.ninja->frame) || f.ninja->frame == 236);
        EXPECT_EQ(f.ninja->GetInvulnerable(), 100 - 2) << "100 from the message's close, two frames ago";
        EXPECT_EQ(sound->GetPlayingMusic(), music);
        // The flag is in the slot and in the resume point, whose file is
        // written; the ability applies.
        EXPECT_EQ(Field::Record().GetSlotFlag(4), 1);
        const CSaveData& resume = CGameMain::GetInstance()->m_resumeData[kSlot];
        EXPECT_EQ(resume.GetSlotFlag(4), 1);
        EXPECT_EQ(resume.GetByte(SaveSlotRecord::kResumeFlag), 1);
        EXPECT_TRUE(std::ifstream(CSaveFile::GetBaseDirectory() + "resume02").good());
        EXPECT_EQ(f.ninja->wallHold, 1);
        EXPECT_EQ(f.ninja->hp, lifeBefore);
        StopMusic();

        // Once collected it never comes back.
        CCharacterItem* again = f.Item(23009, f.ninja->x + 150, kFloor - 10);
        f.s.Run(2);
        EXPECT_FALSE(Listed(again));
        EXPECT_EQ(f.ninja->frame == PlayerState::ItemGet, false);
    }
}

TEST(Pickups, ALifeTankAndAScrollRaiseTheirMaximumsThroughTheRestoredStatus) {
    SaveTestDir saves;
    Field f;
    // Life and gauge as a fresh slot gives them (bought equipment adds its
    // own life on top of both).
    f.ninja->RestoreStatus();
    const int32_t life = f.ninja->hpMax, gauge = f.ninja->gaugeMax;
    f.ninja->hp = 250;
    CollectOneTime(f, PickupId::LifeTank + 3);
    EXPECT_EQ(Field::Record().GetSlotFlag(12), 1);
    EXPECT_EQ(f.ninja->hpMax, life + 100);
    EXPECT_EQ(f.ninja->hp, 250) << "the life taken into the resume point";
    CollectOneTime(f, PickupId::ScrollOfShinobi);
    EXPECT_EQ(Field::Record().GetSlotFlag(29), 1);
    EXPECT_EQ(f.ninja->gaugeMax, gauge + 1000);
    EXPECT_EQ(f.ninja->hpMax, life + 100);
    // The amulet only records its flag.
    CollectOneTime(f, 23013);
    EXPECT_EQ(Field::Record().GetSlotFlag(8), 1);
    EXPECT_EQ(f.ninja->hpMax, life + 100);
    EXPECT_EQ(f.ninja->gaugeMax, gauge + 1000);
}

TEST(Pickups, ACollectedItemRemovesItselfOnlyOnceInView) {
    Field f;
    Field::Record().SetSlotFlag(0, 1);
    Field::Record().SetSlotFlag(52, 1);
    CCharacterItem* fire = f.Item(23005, -2000, 1000);
    CCharacterItem* key = f.Item(23083, -2000, 1000);
    f.s.Run(5);
    EXPECT_TRUE(Listed(fire)) << "off screen it waits";
    EXPECT_TRUE(Listed(key));
    EXPECT_EQ(fire->y, 1000);
    fire->x = key->x = 2400;
    f.s.Run(2);
    EXPECT_FALSE(Listed(fire));
    EXPECT_FALSE(Listed(key));
}

TEST(Pickups, OnlyALivingPlayerTakesAOneTimeItem) {
    Field f;
    f.ninja->hp = 0;
    f.ninja->SetState(PlayerState::Dying);
    CCharacterItem* item = f.Item(23006, f.ninja->x, f.ninja->y - 100);
    f.s.Run(1);
    EXPECT_TRUE(Listed(item));
    EXPECT_EQ(item->frame, 60);
    EXPECT_EQ(f.ninja->frame, PlayerState::Dying);
}

// --- Keys and treasures --------------------------------------------------------------------

TEST(Pickups, AKeyBouncesIsCountedAndRisesAwayATreasurePaysGold) {
    Field f;
    Field::Record().SetInt(SaveSlotRecord::kKeyCount, 2);
    CCharacterItem* key = f.Item(23085, 3000, 800);
    // Falling at 10 a frame up to 150, it meets the floor and bounces back
    // at half its speed until the bounce is under 10.
    std::vector<int32_t> rebounds;
    for (int i = 0; i < 80; ++i) {
        const int32_t before = key->vy;
        f.s.Run(1);
        if (before >= 0 && key->vy < 0) rebounds.push_back(key->vy);
    }
    EXPECT_EQ(rebounds, (std::vector<int32_t>{-75, -37, -21, -14})) << "the next, under 10, stops it";
    EXPECT_EQ(key->vy, 0);
    EXPECT_EQ(key->y, kFloor);
    // Dropped 30 above the floor it meets it at 20: a bounce of exactly 10
    // still rises.
    CCharacterItem* low = f.Item(23086, 1500, kFloor - 30);
    low->vy = 0;
    f.s.Run(3);
    EXPECT_EQ(low->vy, -10);
    EXPECT_EQ(low->y, kFloor - 10);

    f.s.ClearSounds();
    f.ninja->x = key->x - 100;
    f.s.Run(1);
    EXPECT_EQ(key->frame, 171);
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{72});
    EXPECT_EQ(Field::Record().GetSlotFlag(49 + 5), 1);
    EXPECT_EQ(Field::Record().GetInt(SaveSlotRecord::kKeyCount), 3);
    // It rises, slowing, and fades out at 9 a frame.
    std::vector<int32_t> ys, alphas;
    for (int i = 0; i < 60 && Listed(key); ++i) {
        ys.push_back(key->y);
        alphas.push_back(key->alpha);
        f.s.Run(1);
    }
    EXPECT_FALSE(Listed(key));
    ASSERT_GE(ys.size(), 29u);
    EXPECT_LT(alphas.back(), 1) << "it goes once its alpha is below 1";
    EXPECT_GE(alphas[alphas.size() - 2], 1);
    EXPECT_EQ(alphas[1], 255 - 9);
    EXPECT_EQ(ys[1] - ys[0], 1 - 30);
    EXPECT_EQ(ys[28] - ys[27], 28 - 30);

    CCharacterItem* chest = f.Item(PickupId::Treasure + 4, f.ninja->x + 100, kFloor - 10);
    f.ninja->gold = 50;
    f.s.ClearSounds();
    f.s.Run(1);
    EXPECT_EQ(chest->frame, 181);
    EXPECT_EQ(f.ninja->gold, 350);
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{40});
    EXPECT_EQ(Field::Record().GetSlotFlag(855), 1);
    EXPECT_EQ(Field::Record().GetInt(SaveSlotRecord::kKeyCount), 3);
}

// With PELLUMBRISK_SHOTS set to a folder, the field is drawn there as
// pickups.png once everything has landed.
TEST(Pickups, EveryKindComesToRestOnTheFloor) {
    const char* shots = std::getenv("PELLUMBRISK_SHOTS");
    if (shots != nullptr) {
        ASSERT_TRUE(InitGraphics());
        for (const TextureSlotRow& row : kTextureSlotRows) LoadTexture(row.slot, row.resourceId, row.size);
    }
    Field f;
    // Nobody to take them: the ninja looks on from the side.
    f.ninja->x = kRightWall - 40;
    CGameMain::GetInstance()->m_player = nullptr;
    const int32_t kinds[] = {PickupId::Heart,  PickupId::Spirit, PickupId::Shurikens, PickupId::Bombs, 23005,
                             23006,            23007,            23008,               23009,           23010,
                             PickupId::LifeTank, PickupId::ScrollOfShinobi, 23011,    23012,           23013,
                             PickupId::Key,    PickupId::Treasure};
    std::vector<CCharacterItem*> items;
    int32_t x = kLeftWall + 140;
    for (int32_t id : kinds) {
        const bool ammunition = id == PickupId::Shurikens || id == PickupId::Bombs;
        items.push_back(f.Item(id, x, ammunition ? kFloor - 20 : kFloor - 300));
        x += 180;
    }
    f.s.Run(40);
    for (CCharacterItem* item : items) {
        SCOPED_TRACE(item->typeId);
        ASSERT_TRUE(Listed(item));
        EXPECT_EQ(item->y, kFloor);
        EXPECT_EQ(item->vy, 0);
    }
    if (shots != nullptr) {
        platform::GraphicsDevice* device = GetDevice();
        device->Clear(0xFF2B2140u, 1.0f);
        device->BeginScene();
        CGameMain::GetInstance()->m_characterList.DrawAll();
        device->EndScene();
        testing_support::WriteScreenshot(std::string(shots) + "/pickups.png");
        for (const TextureSlotRow& row : kTextureSlotRows) ReleaseTexture(row.slot);
        ReleaseGraphics();
    }
}

// --- The table ---------------------------------------------------------------------------------

TEST(PickupFrames, TheChainsOfTheDropsAndAPictureOfTheSheetInEveryState) {
    CCharacterItem item;
    struct Chain {
        int32_t from, to, duration;
    };
    for (const Chain& c : {Chain{10, 11, 20}, Chain{11, 0, 200}, Chain{13, 12, 15}, Chain{20, 21, 20},
                           Chain{21, 0, 200}, Chain{23, 22, 15}, Chain{30, 31, 20}, Chain{31, 0, 200},
                           Chain{40, 41, 20}, Chain{41, 0, 200}, Chain{12, -1, 999}, Chain{50, -1, 999},
                           Chain{152, -1, 999}, Chain{171, -1, 999}}) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(item.RecordAt(c.from).nextState, c.to);
        EXPECT_EQ(item.RecordAt(c.from).stateDuration, c.duration);
    }

    ASSERT_TRUE(InitGraphics());
    ASSERT_TRUE(LoadTexture(CCharacterItem::kTextureSlot, 179, 256));
    const platform::Texture* sheet = TextureTable[CCharacterItem::kTextureSlot].texture.get();
    ASSERT_NE(sheet, nullptr);
    std::vector<int32_t> states = {10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 40, 41, 42, 170, 171, 180, 181};
    for (int32_t s = 50; s <= 150; s += 10)
        for (int32_t k = 0; k < 3; ++k) states.push_back(s + k);
    // Bodies on what falls and lands; touches on what the player takes.
    const std::set<int32_t> bodies = {10, 11, 13, 20, 21, 23, 30, 31, 40, 41, 50, 60, 70, 80, 90, 100,
                                      110, 120, 130, 140, 150, 170, 180};
    const std::set<int32_t> flying = {12, 22, 32, 42};
    for (int32_t s : states) {
        SCOPED_TRACE(s);
        const FrameRecord& r = item.RecordAt(s);
        EXPECT_EQ(r.textureId, CCharacterItem::kTextureSlot);
        EXPECT_EQ(r.bodyBottom > r.bodyTop, bodies.count(s) == 1);
        EXPECT_EQ(r.attackBottom > r.attackTop, bodies.count(s) == 1 || flying.count(s) == 1);
        int opaque = 0;
        for (int32_t y = r.v + r.spriteTop; y <= r.v + r.spriteBottom; ++y)
            for (int32_t x = r.u + r.spriteLeft; x <= r.u + r.spriteRight; ++x)
                opaque += (sheet->Pixels()[y * 256 + x] >> 24) != 0 ? 1 : 0;
        EXPECT_GT(opaque, 30);
        // The picture stands on the position.
        bool lowest = false;
        for (int32_t x = r.u + r.spriteLeft; x <= r.u + r.spriteRight; ++x)
            lowest = lowest || (sheet->Pixels()[(r.v - 1) * 256 + x] >> 24) != 0;
        EXPECT_TRUE(lowest);
    }
    ReleaseTexture(CCharacterItem::kTextureSlot);
    ReleaseGraphics();
}
