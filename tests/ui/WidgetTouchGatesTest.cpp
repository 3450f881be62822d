// Each touch query of a widget behind its gates: a hidden or disabled widget
// (its own flag or its parent's) and input that is not available answer no,
// except where a query looks past a gate.
#include <functional>

#include "ui/UiTestSupport.h"
#include "ui/Widget.h"

namespace {

using testing_support::PointerTest;

class WidgetGates : public PointerTest {
public:
    using PointerTest::MoveTo;
    using PointerTest::Poll;
    using PointerTest::Press;

protected:
    void SetUp() override {
        PointerTest::SetUp();
        parent.InitAnimation(100, 50, 200, 200, SpriteKey{}, 1.0f);
        button.InitAnimation(10, 20, 40, 30, SpriteKey{}, 1.0f);
        button.parent = &parent;
    }
public:
    // From a released pointer, a touch at (120, 80), inside the button.
    void Held(int frames) {
        MoveTo(120, 80);
        Press();
        Poll(frames);
    }
    void Tapped() {
        Held(3);
        Release();
        Poll();
    }
protected:
    void Restart() {
        Release();
        Poll(12);
        parent.SetVisible(true);
        parent.SetEnabled(true);
        button.SetVisible(true);
        button.SetEnabled(true);
    }

    CWidget parent;
    CWidget button;
};

TEST_F(WidgetGates, EveryQueryAnswersNoBehindItsGatesSaveWhereItLooksPastThem) {
    enum Gate { Open, ParentHidden, OwnHidden, ParentDisabled, OwnDisabled, NoInput, kGates };
    struct Case {
        const char* query;
        std::function<void(WidgetGates&)> touch;
        std::function<bool(const CWidget&)> answer;
        bool expected[kGates];
    };
    const Case cases[] = {
        {"IsTouchBegan", [](WidgetGates& t) { t.Held(1); }, [](const CWidget& w) { return w.IsTouchBegan(); },
         {true, false, false, false, false, false}},
        {"IsPressed", [](WidgetGates& t) { t.Held(15); }, [](const CWidget& w) { return w.IsPressed(); },
         {true, false, false, false, false, false}},
        // The raw test reads the widget's own flags only.
        {"IsTouchedRaw", [](WidgetGates& t) { t.Held(15); }, [](const CWidget& w) { return w.IsTouchedRaw(); },
         {true, true, false, true, false, false}},
        {"IsTouchEntered", [](WidgetGates& t) { t.Held(1); }, [](const CWidget& w) { return w.IsTouchEntered(); },
         {true, false, false, false, false, false}},
        {"IsTouchEntered, dragged in",
         [](WidgetGates& t) {
             t.MoveTo(20, 20);
             t.Press();
             t.Poll(12);
             t.MoveTo(120, 80);
             t.Poll();
         },
         [](const CWidget& w) { return w.IsTouchEntered(); }, {true, false, false, false, false, false}},
        {"IsTapped", [](WidgetGates& t) { t.Tapped(); }, [](const CWidget& w) { return w.IsTapped(); },
         {true, false, false, false, false, false}},
        {"IsReleased", [](WidgetGates& t) { t.Tapped(); }, [](const CWidget& w) { return w.IsReleased(); },
         {true, false, false, false, false, false}},
        // A long press does not look at the input-available flag.
        {"IsLongPressed", [](WidgetGates& t) { t.Held(10); }, [](const CWidget& w) { return w.IsLongPressed(); },
         {true, false, false, false, false, true}},
        // A drag from the widget is never reported: the history of a held
        // touch never exceeds 2.
        {"IsDraggedFrom",
         [](WidgetGates& t) {
             t.Held(3);
             t.MoveTo(180, 160);
             t.Poll(3);
         },
         [](const CWidget& w) { return w.IsDraggedFrom(); }, {false, false, false, false, false, false}},
    };
    for (const Case& c : cases) {
        for (int gate = Open; gate < kGates; ++gate) {
            Restart();
            c.touch(*this);
            switch (gate) {
                case ParentHidden: parent.SetVisible(false); break;
                case OwnHidden: button.SetVisible(false); break;
                case ParentDisabled: parent.SetEnabled(false); break;
                case OwnDisabled: button.SetEnabled(false); break;
                case NoInput: Input()->m_inputAvailable = 0; break;
                default: break;
            }
            EXPECT_EQ(c.answer(button), c.expected[gate]) << c.query << " behind gate " << gate;
        }
    }
}

TEST_F(WidgetGates, ALongPressNeedsTheTouchToStartAndStayInside) {
    // Started outside and dragged in: not a long press of this widget.
    MoveTo(20, 20);
    Press();
    Poll(3);
    MoveTo(120, 80);
    Poll(10);
    EXPECT_FALSE(button.IsLongPressed());
    EXPECT_TRUE(button.IsPressed());
    Release();
    Poll(12);
    // Started inside and dragged out: no longer.
    MoveTo(120, 80);
    Press();
    Poll(10);
    EXPECT_TRUE(button.IsLongPressed());
    MoveTo(20, 20);
    Poll();
    EXPECT_FALSE(button.IsLongPressed());
    // Nor once the press is consumed.
    MoveTo(120, 80);
    Poll();
    EXPECT_TRUE(button.IsLongPressed());
    ConsumeTouch();
    EXPECT_FALSE(button.IsLongPressed());
}

}  // namespace
