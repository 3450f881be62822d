// The world list drops dead characters: each exactly once, at once. The
// characters here keep their memory after deletion, and their runs and
// deletions are counted outside them by address, so a plain run sees a lost
// or a repeated deletion that otherwise only a sanitizer would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <new>
#include <vector>

#include "character/CharacterList.h"
#include "character/TestCharacter.h"
#include "framework/GameMain.h"

namespace {

constexpr int32_t kHeldState = 230;

class Tracked : public TestCharacter {
public:
    // Made in memory of its own, which deletion leaves in place until the
    // test ends.
    static Tracked* Make() {
        void* memory = std::malloc(sizeof(Tracked));
        if (!memory) throw std::bad_alloc();
        return ::new (memory) Tracked;
    }
    static void operator delete(void* p) { Graveyard().push_back(p); }

    Tracked() {
        SetState(kHeldState);
        onUpdate = [](TestCharacter& self) {
            Tracked& t = static_cast<Tracked&>(self);
            ++Runs()[&t];
            if (t.then) t.then(t);
        };
    }

    std::function<void(Tracked&)> then;

    static std::map<const void*, int>& Runs() {
        static std::map<const void*, int> runs;
        return runs;
    }

    static std::vector<void*>& Graveyard() {
        static std::vector<void*> graves;
        return graves;
    }
    static void FreeGraves() {
        for (void* p : Graveyard()) std::free(p);
        Graveyard().clear();
        Runs().clear();
    }
};

// How often the character at this address went to its grave, and how often
// it ran; both read without touching the (perhaps deleted) character.
int Deletions(const void* c) {
    int n = 0;
    for (void* p : Tracked::Graveyard()) n += p == c;
    return n;
}
int Runs(const void* c) { return Tracked::Runs()[c]; }

CCharacterList& World() { return CGameMain::GetInstance()->m_characterList; }

class CharacterListDrop : public ::testing::Test {
protected:
    void TearDown() override {
        World().DeleteAll();
        CGameMain::GetInstance()->ClearFreezeTimer();
        Tracked::FreeGraves();
    }
};

TEST_F(CharacterListDrop, ADeadCharacterIsDeletedOnceAtTheEndOfItsTurn) {
    std::vector<Tracked*> all;
    for (int i = 0; i < 5; ++i) {
        all.push_back(Tracked::Make());
        World().Add(all.back());
    }
    // The second dies in its own update; the fourth is dead before the pass.
    all[1]->then = [](Tracked& self) { self.alive = 0; };
    all[3]->alive = 0;
    World().UpdateAll();
    World().UpdateAll();
    ASSERT_EQ(World().GetCount(), 3);
    EXPECT_EQ(World().GetAt(1), all[0]);
    EXPECT_EQ(World().GetAt(2), all[2]);
    EXPECT_EQ(World().GetAt(3), all[4]);
    for (int i = 0; i < 5; ++i) {
        const bool dead = i == 1 || i == 3;
        EXPECT_EQ(Deletions(all[i]), dead ? 1 : 0) << i;
        if (!dead) {
            EXPECT_EQ(Runs(all[i]), 2) << i;
        }
    }
    EXPECT_EQ(Runs(all[1]), 1);
    EXPECT_EQ(Runs(all[3]), 1) << "dead before the pass: run once more, then dropped";
}

TEST_F(CharacterListDrop, TheDeadAreDroppedUnderAFreezeToo) {
    auto* frozen = Tracked::Make();
    auto* dead = Tracked::Make();
    dead->alive = 0;
    World().Add(frozen);
    World().Add(dead);
    CGameMain::GetInstance()->SetFreezeTimer(-1);
    World().UpdateAll();
    EXPECT_EQ(Deletions(dead), 1);
    ASSERT_EQ(World().GetCount(), 1);
    EXPECT_EQ(Runs(frozen), 0);
}

TEST_F(CharacterListDrop, AnUpdateThatDeletesEveryoneRunsNobodyAfterwards) {
    std::vector<Tracked*> all;
    for (int i = 0; i < 4; ++i) {
        all.push_back(Tracked::Make());
        World().Add(all.back());
    }
    all[1]->then = [](Tracked&) { World().DeleteAll(); };
    World().UpdateAll();
    EXPECT_EQ(World().GetCount(), 0);
    for (Tracked* c : all) EXPECT_EQ(Deletions(c), 1);
    EXPECT_EQ(Runs(all[2]), 0);
}

}  // namespace
