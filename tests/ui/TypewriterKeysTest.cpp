// The typewriter with the action key (Z): a key held down hurries a slow
// typewriter by one character a frame unless it advances by itself, a fresh
// key press turns the page with the button sound, and a fast typewriter
// stops at each page break.
#include <vector>

#include "ui/UiTestSupport.h"
#include "ui/Widget.h"
#include "win/SoundTables.h"

namespace {

class Typewriter : public testing_support::PointerTest {
protected:
    void SetUp() override {
        PointerTest::SetUp();
        w.InitAnimation(0, 0, 400, 100, SpriteKey{}, 1.0f);
    }
    void TearDown() override {
        Input()->OnKeyMessage({platform::MessageType::KeyUp, 'Z', false});
        Poll(12);
        PointerTest::TearDown();
    }
    void Key(bool down) {
        Input()->OnKeyMessage({down ? platform::MessageType::KeyDown : platform::MessageType::KeyUp, 'Z', false});
    }
    void Step(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            Poll();
            w.Update();
        }
    }
    CWidget w;
};

TEST_F(Typewriter, AHeldKeyHurriesASlowTypewriterAndAFastOneStopsAtTheBreak) {
    static const char text[] = "ABC\fDE";
    struct Case {
        int32_t speed, autoAdvance;
        bool held;
        int frames;
        int32_t index;
    };
    const Case cases[] = {
        {5, 0, false, 3, 0}, {5, 0, false, 5, 1}, {5, 0, true, 3, 3}, {5, 1, true, 3, 0},
        {-2, 0, false, 1, 2}, {-2, 0, false, 2, 3}, {-2, 0, false, 3, 3},
    };
    for (const Case& c : cases) {
        // The key is down long before the text starts: held, not pressed.
        Key(c.held);
        Poll(12);
        w.StartTypewriter(text, c.speed, 0, c.autoAdvance);
        Step(c.frames);
        EXPECT_EQ(w.typewriterIndex, c.index)
            << "speed " << c.speed << " auto " << c.autoAdvance << " held " << c.held << " frames " << c.frames;
        Key(false);
        Poll(12);
    }
}

TEST_F(Typewriter, AFreshKeyPressShowsThePageThenTurnsItWithTheButtonSound) {
    static const char text[] = "ABC\fDE";
    w.StartTypewriter(text, 5, 0, 0);
    Step();
    Key(true);
    Step();
    EXPECT_EQ(w.typewriterIndex, 3) << "the rest of the page at once";
    EXPECT_TRUE(sounds.empty());
    EXPECT_FALSE(Input()->IsActionKeyPressed()) << "the press is taken";
    Key(false);
    Step(2);
    Key(true);
    Step();
    EXPECT_EQ(w.typewriterIndex, 4) << "past the break";
    EXPECT_EQ(sounds, std::vector<int32_t>{35});
    Key(false);
    Step(2);
    // At the end a press finishes it.
    Step(12);
    EXPECT_EQ(w.typewriterIndex, 6);
    Key(true);
    Step();
    EXPECT_FALSE(w.IsTypewriting());
    EXPECT_EQ(sounds, (std::vector<int32_t>{35, 35}));
}

}  // namespace
