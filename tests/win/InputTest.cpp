#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "platform/Input.h"
#include "support/ScriptedInput.h"
#include "win/MyInput.h"

using testing_support::ScriptedInput;

namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetInputSource(&source);
        input = CMyInput::GetInstance();
        input->SetWindow(source.GameWindow());
        CMouseDevice::GetInstance()->InitMouse(source.GameWindow());
        InitJoystick(source.GameWindow());
    }
    void TearDown() override { platform::SetInputSource(nullptr); }

    void Press(uint8_t button = 0) { source.events.push_back({button, 0x80}); }
    void Release(uint8_t button = 0) { source.events.push_back({button, 0x00}); }
    void MoveTo(int32_t x, int32_t y) {
        source.cursorX = x;
        source.cursorY = y;
    }
    void Frames(int n = 1) {
        for (int i = 0; i < n; ++i) input->Poll();
    }
    void Key(uint32_t vk, bool down) {
        platform::Message m;
        m.type = down ? platform::MessageType::KeyDown : platform::MessageType::KeyUp;
        m.vk = vk;
        input->OnKeyMessage(m);
    }
    // Holds the touch for `frames` frames at the cursor, then releases it.
    void TouchFor(int frames) {
        Press();
        Frames(frames);
        Release();
        Frames();
    }

    ScriptedInput source;
    CMyInput* input = nullptr;
};

TEST_F(InputTest, ATapIsAPressOfAtMostNineFramesSeenOnItsReleaseFrame) {
    MoveTo(100, 100);
    Frames(12);
    TouchFor(9);
    EXPECT_TRUE(input->IsTouchTapped());
    EXPECT_FALSE(input->IsSwipe());
    Frames();
    EXPECT_FALSE(input->IsTouchTapped()) << "only the release frame reports the tap";

    Frames(12);
    TouchFor(10);
    EXPECT_FALSE(input->IsTouchTapped());
}

TEST_F(InputTest, ATouchThatMovedAwayAndBackIsNeitherTapNorSwipe) {
    MoveTo(100, 100);
    Frames(12);
    Press();
    Frames();
    MoveTo(112, 100);
    Frames();
    EXPECT_EQ(input->m_touchMoved, 1);
    MoveTo(100, 100);
    Frames(2);
    EXPECT_EQ(input->m_touchMoved, 1) << "moving back does not undo the move";
    Release();
    Frames();
    EXPECT_FALSE(input->IsTouchTapped());
    EXPECT_FALSE(input->IsSwipe());
    EXPECT_EQ(input->GetSwipeDX(), 0);

    // A new touch starts unmoved.
    Frames(12);
    Press();
    Frames();
    EXPECT_EQ(input->m_touchMoved, 0);
    EXPECT_EQ(input->m_touchStartX, 100);
}

TEST_F(InputTest, ASwipeNeedsReleaseWithinThirteenFramesAndTenPixels) {
    struct Case {
        int frames;
        int dx, dy;
        bool swipe;
    };
    const Case cases[] = {
        {13, 15, 0, true}, {14, 15, 0, false}, {3, 0, -10, true}, {3, 9, 9, false}, {1, -30, 4, true},
    };
    for (const Case& c : cases) {
        MoveTo(200, 150);
        Frames(16);
        Press();
        Frames(c.frames);
        MoveTo(200 + c.dx, 150 + c.dy);
        Release();
        Frames();
        EXPECT_EQ(input->IsSwipe(), c.swipe) << c.frames << " frames, " << c.dx << "," << c.dy;
        EXPECT_EQ(input->GetSwipeDX(), c.swipe ? c.dx : 0);
        EXPECT_EQ(input->GetSwipeDY(), c.swipe ? c.dy : 0);
    }
}

TEST_F(InputTest, ASwipeIsMeasuredFromTheFirstFrameOfThePress) {
    MoveTo(50, 50);
    Frames(16);
    Press();
    Frames();
    MoveTo(80, 50);  // moved during the press
    Frames(3);
    MoveTo(55, 50);  // released 5 pixels from where it began
    Release();
    Frames();
    EXPECT_FALSE(input->IsSwipe());
    EXPECT_FALSE(input->IsTouchTapped()) << "it moved on the way";

    // The finger lands away from where the cursor hovered the frame before:
    // the swipe starts where it landed, not where the cursor was.
    struct Landing {
        int hoverX, landX, releaseX;
        bool swipe;
    };
    const Landing landings[] = {{100, 130, 138, false}, {100, 130, 150, true}, {200, 170, 150, true}};
    for (const Landing& l : landings) {
        MoveTo(l.hoverX, 50);
        Frames(16);
        MoveTo(l.landX, 50);
        Press();
        Frames(3);
        MoveTo(l.releaseX, 50);
        Release();
        Frames();
        EXPECT_EQ(input->IsSwipe(), l.swipe) << l.hoverX << " " << l.landX << " " << l.releaseX;
        EXPECT_EQ(input->GetSwipeDX(), l.swipe ? l.releaseX - l.landX : 0) << l.landX << " " << l.releaseX;
    }
}

TEST_F(InputTest, AFreshPressLastsTenFramesOfAHold) {
    Frames(12);
    Press();
    for (int frame = 0; frame < 10; ++frame) {
        Frames();
        EXPECT_TRUE(input->IsTouchPressed()) << frame;
    }
    Frames();
    EXPECT_FALSE(input->IsTouchPressed());
}

TEST_F(InputTest, ClearingInputAvailableEndsEveryQueryUntilTheNextPoll) {
    Frames(12);
    Key('Z', true);
    Press();
    Frames();
    ASSERT_TRUE(input->IsTouchPressed());
    ASSERT_TRUE(input->IsActionKeyDown());
    ASSERT_TRUE(input->IsActionKeyPressed());
    input->m_inputAvailable = 0;
    EXPECT_FALSE(input->IsTouchPressed());
    EXPECT_FALSE(input->IsActionKeyDown());
    EXPECT_FALSE(input->IsActionKeyPressed());
    Release();
    MoveTo(40, 0);
    Frames();
    ASSERT_TRUE(input->IsSwipe());
    input->m_inputAvailable = 0;
    EXPECT_FALSE(input->IsSwipe());
    EXPECT_FALSE(input->IsTouchTapped());
    EXPECT_EQ(input->GetSwipeDX(), 0);
    Frames();
    EXPECT_EQ(input->m_inputAvailable, 1);
    EXPECT_TRUE(input->IsActionKeyDown());
}

TEST_F(InputTest, ThePressUsedByPlayOrTakenByAScreenStaysSoWhileHeld) {
    Frames(12);
    Press();
    Frames();
    input->m_touchHistory[0] = 2;  // play used it
    Frames(3);
    EXPECT_EQ(input->m_touchHistory[0], 2);
    EXPECT_FALSE(input->IsTouchPressed());

    Release();
    Frames(12);
    Press();
    Frames();
    std::memset(input->m_touchHistory, 0xFF, sizeof input->m_touchHistory);  // a screen took it
    for (int frame = 0; frame < 15; ++frame) {
        Frames();
        EXPECT_EQ(input->m_touchHistory[0], kInputConsumed);
        EXPECT_FALSE(input->IsTouchPressed());
    }
    Release();
    Frames();
    EXPECT_FALSE(input->IsTouchTapped());
    EXPECT_FALSE(input->IsSwipe());
    Frames(12);
    Press();
    Frames();
    EXPECT_TRUE(input->IsTouchPressed()) << "the next press is fresh again";
}

TEST_F(InputTest, TheLastPressedDirectionWins) {
    Frames();
    Key(0x26, true);  // up
    Frames();
    EXPECT_EQ(input->m_dirUp, 1);
    Key(0x28, true);  // down, up still held
    Frames();
    EXPECT_EQ(input->m_dirUp, 0);
    EXPECT_EQ(input->m_dirDown, 1);
    Frames(3);
    EXPECT_EQ(input->m_dirDown, 1) << "both held: the later one stays";
    Key(0x28, false);
    Frames();
    EXPECT_EQ(input->m_dirUp, 1) << "releasing down gives up again";
    EXPECT_EQ(input->m_dirDown, 0);
    Key(0x26, false);
    Frames();
    EXPECT_EQ(input->m_dirUp, 0);

    Key(0x27, true);  // right
    Frames();
    Key(0x25, true);  // left
    Frames();
    EXPECT_EQ(input->m_dirLeft, 1);
    EXPECT_EQ(input->m_dirRight, 0);
    Key(0x25, false);
    Frames();
    EXPECT_EQ(input->m_dirRight, 1);
}

TEST_F(InputTest, WithBothOppositesHeldOnlyTheLaterCounts) {
    // In either order, for as long as both keys of an axis are held only the
    // one pressed later counts.
    struct Axis {
        uint32_t firstKey, secondKey;
        const int32_t* firstDir;
        const int32_t* secondDir;
    };
    const Axis axes[] = {{0x26, 0x28, &input->m_dirUp, &input->m_dirDown},
                         {0x25, 0x27, &input->m_dirLeft, &input->m_dirRight}};
    for (const Axis& axis : axes) {
        for (bool firstLater : {false, true}) {
            const uint32_t earlier = firstLater ? axis.secondKey : axis.firstKey;
            const uint32_t later = firstLater ? axis.firstKey : axis.secondKey;
            Frames();
            Key(earlier, true);
            Frames();
            Key(later, true);
            for (int i = 0; i < 4; ++i) {
                Frames();
                EXPECT_EQ(*axis.firstDir, firstLater ? 1 : 0) << "key " << later << " later, frame " << i;
                EXPECT_EQ(*axis.secondDir, firstLater ? 0 : 1) << "key " << later << " later, frame " << i;
            }
            Key(earlier, false);
            Key(later, false);
            Frames();
        }
    }
}

TEST_F(InputTest, AClickShorterThanAFrameIsStillAPressAndATap) {
    // A touchpad tap can go down and up between two polls: the press is seen
    // in that frame and the release in the next, so the tap is not lost.
    MoveTo(100, 100);
    Frames(12);
    Press();
    Release();
    Frames();
    EXPECT_TRUE(input->IsTouchPressed());
    EXPECT_EQ(CMouseDevice::GetInstance()->m_buttons[0], 1);
    Frames();
    EXPECT_EQ(CMouseDevice::GetInstance()->m_buttons[0], 0);
    EXPECT_TRUE(input->IsTouchTapped());
    Frames();
    EXPECT_FALSE(input->IsTouchTapped());

    // Down, up and down again in one read stays down.
    Press();
    Release();
    Press();
    Frames(2);
    EXPECT_EQ(CMouseDevice::GetInstance()->m_buttons[0], 1);
    Release();
    Frames();
    EXPECT_EQ(CMouseDevice::GetInstance()->m_buttons[0], 0);
}

TEST_F(InputTest, ATouchHasMovedAtExactlyTenPixels) {
    for (const auto& [dx, dy, moved] : {std::tuple{9, 9, 0}, std::tuple{10, 0, 1}, std::tuple{0, 10, 1},
                                        std::tuple{-10, 0, 1}, std::tuple{0, -9, 0}}) {
        MoveTo(100, 100);
        Frames(12);
        Press();
        Frames();
        MoveTo(100 + dx, 100 + dy);
        Frames();
        EXPECT_EQ(input->m_touchMoved, moved) << dx << ", " << dy;
        Release();
        Frames();
        EXPECT_EQ(input->IsTouchTapped(), moved == 0) << dx << ", " << dy;
    }
}

TEST_F(InputTest, KeyMapAndPadButtonsFoldIntoTheGameKeys) {
    Key('Z', true);
    Frames();
    EXPECT_EQ(input->m_keyHistory[4][0], 1);
    EXPECT_EQ(input->m_keyHistory[12][0], 1) << "Z is also game key 12";
    Key('Z', false);

    source.padPresent = true;
    source.pad.buttons[1] = 0x80;
    Key('Z', true);
    Frames();
    EXPECT_EQ(input->m_keyHistory[4][0], 1) << "keyboard and pad together give one entry of 1";
    EXPECT_EQ(input->m_keyHistory[13][0], 1) << "button 1 is also game key 13";
    EXPECT_EQ(input->m_keyHistory[5][0], 0);
    Key('Z', false);

    source.pad.buttons[1] = 0;
    source.pad.buttons[9] = 0x80;
    Frames();
    EXPECT_EQ(input->m_keyHistory[11][0], 1) << "button 9 pauses";
    EXPECT_EQ(input->m_keyHistory[4][0], 0);
    EXPECT_EQ(input->m_padPreviousState.buttons[1], 0x80);
}

TEST_F(InputTest, TheStickGivesDirectionsBeyondHalfItsRange) {
    source.padPresent = true;
    struct Case {
        int32_t x, y;
        int key;  // -1: none
    };
    const Case cases[] = {{0, -501, 0}, {0, -500, -1}, {0, 501, 1}, {-501, 0, 2}, {501, 0, 3}, {500, 500, -1}};
    for (const Case& c : cases) {
        source.pad.x = c.x;
        source.pad.y = c.y;
        Frames();
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(input->m_keyHistory[k][0], k == c.key ? 1 : 0) << c.x << "," << c.y << " key " << k;
        }
    }
    source.padPresent = false;  // unplugged: the state is cleared
    Frames();
    EXPECT_EQ(input->m_padState.y, 0);
    EXPECT_EQ(input->m_keyHistory[1][0], 0);
}

TEST_F(InputTest, OutOfFocusEveryKeyAndTouchIsUpButThePointerFollows) {
    Key('Z', true);
    source.keysDown.insert(0x7B);  // F12
    Press();
    MoveTo(10, 20);
    Frames();
    EXPECT_EQ(input->m_keyHistory[4][0], 1);
    EXPECT_EQ(input->m_functionKeyHistory[11][0], 1);
    EXPECT_EQ(input->m_touchHistory[0], 1);

    source.focused = false;
    MoveTo(300, 200);
    Frames();
    EXPECT_EQ(input->m_keyHistory[4][0], 0);
    EXPECT_EQ(input->m_functionKeyHistory[11][0], 0);
    EXPECT_EQ(input->m_touchHistory[0], 0);
    EXPECT_EQ(input->m_pointerXHistory[0], 300);
    EXPECT_EQ(input->m_pointerYHistory[0], 200);

    // The button held when the focus went is not still down when it returns.
    source.focused = true;
    Frames();
    EXPECT_EQ(input->m_touchHistory[0], 0);
    EXPECT_EQ(CMouseDevice::GetInstance()->m_buttons[0], 0);
    EXPECT_EQ(input->m_keyHistory[4][0], 1) << "the key state comes from the key messages";
}

TEST_F(InputTest, AButtonHeldWhenTheFocusWentIsUpWhenItReturns) {
    Frames(12);
    Press();
    Frames();
    ASSERT_EQ(input->m_touchHistory[0], 1);
    source.LoseFocusBriefly();  // its release went to another window
    Frames();
    EXPECT_EQ(input->m_touchHistory[0], 0);
    Press();
    Frames();
    EXPECT_EQ(input->m_touchHistory[0], 1) << "events after the focus returned count";
    EXPECT_TRUE(input->IsTouchPressed());
}

TEST_F(InputTest, OnlyTheLeftButtonTouches) {
    Frames(12);
    Press(1);
    Press(2);
    Frames();
    EXPECT_EQ(input->m_touchHistory[0], 0);
    EXPECT_EQ(CMouseDevice::GetInstance()->m_buttons[1], 1);
    Release(1);
    Release(2);
    Frames();
    EXPECT_EQ(CMouseDevice::GetInstance()->m_buttons[1], 0);
    Press(0);
    Frames();
    EXPECT_EQ(input->m_touchHistory[0], 1);
}

TEST_F(InputTest, KeyCodesBeyondTheTableAreIgnored) {
    for (uint32_t vk : {256u, 300u, 0xFFFFu, 0xFFFFFFFFu}) Key(vk, true);
    platform::Message sys;
    sys.type = platform::MessageType::SysKeyDown;
    sys.vk = 'X';
    input->OnKeyMessage(sys);
    Frames();
    EXPECT_EQ(input->m_keyHistory[5][0], 1) << "system-key forms count as well";
    for (int k = 0; k < kGameKeyCount; ++k) {
        if (k != 5 && k != 13) {
            EXPECT_EQ(input->m_keyHistory[k][0], 0) << k;
        }
    }
}

TEST_F(InputTest, HistoriesKeepSixtyFrames) {
    for (int i = 0; i < 70; ++i) {
        MoveTo(i, 2 * i);
        Frames();
    }
    EXPECT_EQ(input->m_pointerXHistory[0], 69);
    EXPECT_EQ(input->m_pointerXHistory[59], 10);
    EXPECT_EQ(input->m_pointerYHistory[5], 128);
}

TEST(PadAxis, RawSdlValuesScaleToAThousand) {
    EXPECT_EQ(platform::ScalePadAxis(-32768), -1000);
    EXPECT_EQ(platform::ScalePadAxis(32767), 1000);
    EXPECT_EQ(platform::ScalePadAxis(0), 0);
    EXPECT_EQ(platform::ScalePadAxis(16384), 500);
}

}  // namespace
