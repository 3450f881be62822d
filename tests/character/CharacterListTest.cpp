#include "character/CharacterList.h"

#include <gtest/gtest.h>

#include <vector>

#include "character/TestCharacter.h"
#include "framework/GameMain.h"

namespace {

constexpr int32_t kHeldState = 230;

TestCharacter* Living(int32_t group = 0, int32_t layer = 0) {
    auto* c = new TestCharacter;
    c->SetState(kHeldState);
    c->group = group;
    c->layer = layer;
    return c;
}

CCharacterList& World() { return CGameMain::GetInstance()->m_characterList; }

}  // namespace

TEST(CharacterList, StartsEmptyWith256Entries) {
    CCharacterList list;
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCapacity(), 256);
    EXPECT_EQ(list.cursor, 0);
    EXPECT_EQ(list.GetAt(1), nullptr);
    EXPECT_EQ(list.GetNext(), nullptr);
    list.DeleteAll();  // nothing to do
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(CharacterList, GrowsBy256KeepingOrder) {
    CCharacterList list;
    std::vector<CCharacter*> added;
    for (int i = 0; i < 256; ++i) {
        added.push_back(new TestCharacter);
        list.Add(added.back());
    }
    EXPECT_EQ(list.GetCapacity(), 256);
    added.push_back(new TestCharacter);
    list.Add(added.back());  // the 257th
    EXPECT_EQ(list.GetCount(), 257);
    EXPECT_EQ(list.GetCapacity(), 512);
    for (int i = 0; i < 257; ++i) ASSERT_EQ(list.GetAt(i + 1), added[static_cast<size_t>(i)]);
    while (list.GetCount() < 512) {
        added.push_back(new TestCharacter);
        list.Add(added.back());
    }
    EXPECT_EQ(list.GetCapacity(), 512);
    added.push_back(new TestCharacter);
    list.Add(added.back());  // the 513th
    EXPECT_EQ(list.GetCapacity(), 768);
    for (int i = 0; i < 513; ++i) ASSERT_EQ(list.GetAt(i + 1), added[static_cast<size_t>(i)]);
    EXPECT_EQ(list.GetAt(0), nullptr);
    EXPECT_EQ(list.GetAt(514), nullptr);
}

TEST(CharacterList, CursorWalkEndsAndStaysAtTheEnd) {
    CCharacterList list;
    auto* a = new TestCharacter;
    auto* b = new TestCharacter;
    list.Add(a);
    list.Add(b);
    EXPECT_EQ(list.GetNext(), a);
    EXPECT_EQ(list.GetNext(), b);
    EXPECT_EQ(list.GetNext(), nullptr);
    EXPECT_EQ(list.GetNext(), nullptr);
    EXPECT_EQ(list.cursor, 2);
    list.cursor = 0;
    EXPECT_EQ(list.GetNext(), a);
}

TEST(CharacterList, InsertFrontShiftsEveryEntryAndGrows) {
    CCharacterList list;
    std::vector<CCharacter*> added;
    for (int i = 0; i < 256; ++i) {
        added.push_back(new TestCharacter);
        list.Add(added.back());
    }
    auto* front = new TestCharacter;
    list.InsertFront(front);
    EXPECT_EQ(list.GetCapacity(), 512);
    EXPECT_EQ(list.GetAt(1), front);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(list.GetAt(i + 2), added[static_cast<size_t>(i)]);
}

TEST(CharacterList, RemoveAllKeepsCharactersAliveAndCapacity) {
    CCharacterList list;
    bool destroyed = false;
    auto* c = new TestCharacter;
    c->destroyed = &destroyed;
    for (int i = 0; i < 300; ++i) list.Add(new TestCharacter);
    list.Add(c);
    CCharacterList keep;  // the characters move here so they are freed
    for (int i = 1; i <= list.GetCount(); ++i) keep.Add(list.GetAt(i));
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCapacity(), 512);
    EXPECT_FALSE(destroyed);
    keep.DeleteAll();
    EXPECT_TRUE(destroyed);
}

TEST(CharacterList, DeleteAllDeletesEveryoneAndToleratesNull) {
    CCharacterList list;
    bool first = false;
    bool second = false;
    auto* a = new TestCharacter;
    auto* b = new TestCharacter;
    a->destroyed = &first;
    b->destroyed = &second;
    list.Add(a);
    list.Add(nullptr);
    list.Add(b);
    list.DeleteAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
}

TEST(CharacterList, DeleteAllButPlayerKeepsOnlyThePlayer) {
    CCharacterList& world = World();
    TestCharacter* player = nullptr;
    for (int i = 0; i < 5; ++i) {
        auto* c = Living();
        if (i == 2) player = c;
        world.Add(c);
    }
    CGameMain::GetInstance()->m_player = player;
    world.DeleteAllButPlayer();
    ASSERT_EQ(world.GetCount(), 1);
    EXPECT_EQ(world.GetAt(1), player);

    CGameMain::GetInstance()->m_player = nullptr;
    world.DeleteAllButPlayer();  // without a player everyone goes
    EXPECT_EQ(world.GetCount(), 0);
}

TEST(CharacterListUpdate, RecordZeroCharacterIsRemovedInItsFirstUpdate) {
    CCharacterList& world = World();
    bool destroyed = false;
    auto* c = new TestCharacter;  // no state set: record 0
    c->destroyed = &destroyed;
    world.Add(c);
    world.UpdateAll();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(world.GetCount(), 0);
}

TEST(CharacterListUpdate, DeletionAndAppendedCharactersWithinOnePass) {
    CCharacterList& world = World();
    auto* a = Living();
    auto* b = Living();
    auto* c = Living();
    bool bDestroyed = false;
    b->destroyed = &bDestroyed;
    TestCharacter* spawned = nullptr;
    b->onUpdate = [](TestCharacter& self) { self.alive = 0; };
    a->onUpdate = [&](TestCharacter&) {
        if (spawned != nullptr) return;
        spawned = Living();
        World().Add(spawned);
    };
    world.Add(a);
    world.Add(b);
    world.Add(c);
    world.UpdateAll();
    EXPECT_TRUE(bDestroyed);
    ASSERT_EQ(world.GetCount(), 3);
    EXPECT_EQ(world.GetAt(1), a);
    EXPECT_EQ(world.GetAt(2), c);
    EXPECT_EQ(world.GetAt(3), spawned);
    EXPECT_EQ(a->updates, 1);
    EXPECT_EQ(c->updates, 1);  // the entry behind the dead one still ran
    ASSERT_NE(spawned, nullptr);
    EXPECT_EQ(spawned->updates, 1);  // ran in the frame it was made
    world.DeleteAll();
}

TEST(CharacterListUpdate, GlobalFreezeHoldsEveryoneButStillDeletesTheDead) {
    CCharacterList& world = World();
    CGameMain* game = CGameMain::GetInstance();
    auto* a = Living(0);
    auto* b = Living(2);
    auto* dead = Living(0);
    dead->alive = 0;
    world.Add(a);
    world.Add(dead);
    world.Add(b);
    game->SetFreezeTimer(5);
    world.UpdateAll();
    EXPECT_EQ(a->updates, 0);
    EXPECT_EQ(b->updates, 0);
    ASSERT_EQ(world.GetCount(), 2);
    EXPECT_EQ(world.GetAt(2), b);
    game->ClearFreezeTimer();
    game->SetFreezeTimer(-1);  // held until cleared
    world.UpdateAll();
    EXPECT_EQ(a->updates, 0);
    game->ClearFreezeTimer();
    world.UpdateAll();
    EXPECT_EQ(a->updates, 1);
    EXPECT_EQ(b->updates, 1);
    world.DeleteAll();
}

TEST(CharacterListUpdate, GroupFreezeRunsOnlyGroupZero) {
    CCharacterList& world = World();
    CGameMain* game = CGameMain::GetInstance();
    auto* scenery = Living(0);
    auto* player = Living(1);  // the player is group 1 and waits too
    auto* enemy = Living(2);
    world.Add(scenery);
    world.Add(player);
    world.Add(enemy);
    game->SetGroupFreezeTimer(10);
    world.UpdateAll();
    EXPECT_EQ(scenery->updates, 1);
    EXPECT_EQ(player->updates, 0);
    EXPECT_EQ(enemy->updates, 0);
    game->ClearGroupFreezeTimer();
    world.UpdateAll();
    EXPECT_EQ(player->updates, 1);
    EXPECT_EQ(enemy->updates, 1);
    world.DeleteAll();
}

TEST(CharacterListUpdate, AFreezeStartedInAnUpdateHoldsTheEntriesBehind) {
    CCharacterList& world = World();
    auto* before = Living(2);
    auto* freezer = Living(0);
    auto* behindEnemy = Living(2);
    auto* behindScenery = Living(0);
    freezer->onUpdate = [](TestCharacter&) { CGameMain::GetInstance()->SetGroupFreezeTimer(10); };
    world.Add(before);
    world.Add(freezer);
    world.Add(behindEnemy);
    world.Add(behindScenery);
    world.UpdateAll();
    EXPECT_EQ(before->updates, 1);
    EXPECT_EQ(freezer->updates, 1);
    EXPECT_EQ(behindEnemy->updates, 0);
    EXPECT_EQ(behindScenery->updates, 1);
    CGameMain::GetInstance()->ClearGroupFreezeTimer();
    world.DeleteAll();
}

TEST(CharacterListUpdate, AnUpdateThatEmptiesTheListEndsThePass) {
    CCharacterList& world = World();
    auto* wiper = Living();
    auto* other = Living();
    wiper->onUpdate = [](TestCharacter&) { World().DeleteAll(); };
    world.Add(wiper);
    world.Add(other);
    world.UpdateAll();  // must not touch the deleted characters
    EXPECT_EQ(world.GetCount(), 0);
}

TEST(CharacterListDraw, LayerOrderAndListOrderWithinALayer) {
    CCharacterList& world = World();
    std::vector<const CCharacter*> log;
    auto* high = Living(0, 184);
    auto* lowFirst = Living(0, 120);
    auto* top = Living(0, 254);
    auto* lowSecond = Living(0, 120);
    auto* bottom = Living(0, 0);
    for (TestCharacter* c : {high, lowFirst, top, lowSecond, bottom}) {
        c->drawLog = &log;
        world.Add(c);
    }
    world.DrawAll();
    EXPECT_EQ(log, (std::vector<const CCharacter*>{bottom, lowFirst, lowSecond, high, top}));
    world.DeleteAll();
}

TEST(CharacterListDraw, LayersOutsideTheRangeAreClamped) {
    CCharacterList& world = World();
    std::vector<const CCharacter*> log;
    auto* above = Living(0, 900);
    auto* top = Living(0, 254);
    auto* below = Living(0, -40);
    auto* bottom = Living(0, 0);
    for (TestCharacter* c : {above, top, below, bottom}) {
        c->drawLog = &log;
        world.Add(c);
    }
    world.DrawAll();
    EXPECT_EQ(log, (std::vector<const CCharacter*>{below, bottom, above, top}));
    world.DeleteAll();
}

TEST(CharacterListDraw, EmptyListDrawsNothingAndADrawMayWalkTheList) {
    CCharacterList& world = World();
    world.DrawAll();
    std::vector<const CCharacter*> log;
    struct Walker : TestCharacter {
        void Draw() override {
            TestCharacter::Draw();
            World().cursor = 0;
            while (World().GetNext() != nullptr) {
            }
        }
    };
    auto* a = new Walker;
    auto* b = new Walker;
    a->drawLog = &log;
    b->drawLog = &log;
    a->layer = 5;
    b->layer = 3;
    world.Add(a);
    world.Add(b);
    world.DrawAll();
    EXPECT_EQ(log, (std::vector<const CCharacter*>{b, a}));
    world.DeleteAll();
}
