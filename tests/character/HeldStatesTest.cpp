// Held states (no next state, the tables' 999 ticks) last as long as nothing
// moves the character on: when the count runs out it only starts again. The
// classes' own rules for leaving a state never see it, so a lit switch keeps
// its flame and the princess calling for help keeps her marker, however long
// they hold. (The chain-sickle fighter's hang: NinjaVariantScenarioTest.)
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "character/CharacterEffect.h"
#include "enemy/CharacterPrincess.h"
#include "enemy/EnemyField.h"
#include "framework/GameMain.h"
#include "stage/CharacterStageObject.h"
#include "support/Scenario.h"
#include "support/WorldList.h"

using testing_support::Listed;
using testing_support::Scenario;

namespace {

// A character whose states 1 and 2 hold (999 ticks, no next state) and
// whose own SetState keeps every state it is handed.
class Holder : public CCharacter {
public:
    Holder() {
        frameTable.Allocate(10);
        for (int32_t i : {1, 2}) {
            FrameRecord* r = frameTable.Find(i);
            r->nextFrame = r->nextState = -1;
            r->frameDuration = r->stateDuration = 999;
        }
    }
    void SetState(int32_t state) override {
        handed.push_back(state);
        CCharacter::SetState(state);
    }
    void Update() override { StepAnimation(); }
    std::vector<int32_t> handed;
};

}  // namespace

TEST(HeldStates, TheEndOfAHoldOnlyRestartsTheCountAndNeverReachesTheClassesSetState) {
    Scenario s({"."}, {});
    Holder* h = s.Add(std::make_unique<Holder>(), 1000, 1000);
    h->SetState(2);
    s.Run(998);
    EXPECT_EQ(h->stateTimer, 998);
    s.Run(1);
    EXPECT_EQ(h->stateTimer, 0) << "999 ticks: the count starts again";
    EXPECT_EQ(h->frame, 2);
    s.Run(1200);
    EXPECT_EQ(h->frame, 2);
    EXPECT_EQ(h->stateTimer, 201) << "2199 ticks: twice 999, then 201";
    EXPECT_EQ(h->handed, std::vector<int32_t>{2}) << "only the state it was sent to";
    EXPECT_TRUE(Listed(h));
}

TEST(HeldStates, ASwitchThatStaysOnKeepsItsFlame) {
    // The switch shows lit while its flag is 1, the inverted one while its
    // flag is 0; neither is a timed switch.
    struct Case {
        const char* what;
        int32_t typeId, flag;
        uint8_t value;
        int32_t on;
    };
    constexpr int32_t kSlot = 3;
    CGameMain* game = CGameMain::GetInstance();
    for (const Case c : {Case{"switch", 10360, 199, 1, 311}, Case{"inverted switch", 10390, 229, 0, 321}}) {
        SCOPED_TRACE(c.what);
        game->m_currentSlot = kSlot;
        game->m_slotData[kSlot].SetNewGameDefaults();
        Scenario s({"."}, {});
        auto* sw = dynamic_cast<CCharacterStageObject*>(s.AddAt(c.typeId, 2000, 2000));
        ASSERT_NE(sw, nullptr);
        game->m_slotData[kSlot].SetSlotFlag(c.flag, c.value);
        s.Run(1);
        ASSERT_EQ(sw->frame, c.on);
        CCharacter* flame = sw->FindChild50005();
        ASSERT_NE(flame, nullptr);
        s.Run(1200);
        EXPECT_GE(sw->frame, c.on);
        EXPECT_LE(sw->frame, c.on + 2) << "still on";
        EXPECT_TRUE(Listed(flame));
        EXPECT_EQ(sw->FindChild50005(), flame);
        EXPECT_EQ(flame->frame, 210);
    }
}

TEST(HeldStates, ThePrincessCallingForHelpKeepsHerMarker) {
    using namespace enemy_test;
    Field f;
    auto* princess = dynamic_cast<CCharacterPrincess*>(f.s.AddAt(101, 2400, kStandY));
    ASSERT_NE(princess, nullptr);
    princess->SetState(270);
    CCharacter* marker = princess->linksB[0];
    ASSERT_NE(marker, nullptr);
    f.s.Run(1200);
    EXPECT_TRUE(princess->frame == 270 || princess->frame == 271) << princess->frame;
    EXPECT_TRUE(Listed(marker));
    EXPECT_EQ(princess->linksB[0], marker);
    EXPECT_EQ(marker->y, kStandY - 250);
}
