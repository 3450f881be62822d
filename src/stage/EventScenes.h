#pragma once
// The scenes of the director other than the camera tour: the stage clear
// after the final boss, the two defeat scenes, the two openings, the place
// name and the two endings. Each is a step machine (see Event.h): every
// update looks at its step, waits for a frame count or a condition, acts and
// moves on. The actors a scene makes belong to the world list; the scene
// keeps plain pointers and drops them when their character is deleted.
#include <cstdint>

#include "stage/Event.h"
#include "stage/EventSpot1.h"

class CCharacterPlayer;

// A scene singleton: built on first use, registered with the director's
// list so that it hears of deleted characters.
template <class Scene, class Base = CEvent>
class CEventScene : public Base {
public:
    static Scene* GetInstance() {
        static Scene instance;
        return &instance;
    }

protected:
    CEventScene() { this->Register(); }
};

// The black fade of the screen effect: out to black or in from black, 85
// frames either way.
void StartSceneFadeOut();
void StartSceneFadeIn();
// The fade has reached its target.
bool SceneFadeArrived();
// A touch of the screen: the pointer went down within the last few frames
// and is down now.
bool SceneTouched();
// A character made by its type id and appended to the world list; null when
// the id makes nothing.
CCharacter* MakeSceneActor(int32_t typeId);

// The last scene: the final boss lies defeated, four lizardmen come, the boss
// goes through her poses, the touches advance the last of them, the clear
// music and the "CLEAR!" banner; a last touch records the clear, saves and
// returns to the title.
class CEventClear1 : public CEventScene<CEventClear1> {
public:
    static constexpr int32_t kLizardmen = 4;
    static constexpr int32_t kFinishStep = 100;

    void Begin() override;
    void Update() override;
    ~CEventClear1() override = default;

    CCharacter* m_boss = nullptr;
    CCharacter* m_lizardmen[kLizardmen] = {};

protected:
    void DropCharacter(const CCharacter* dying) override;

private:
    // Records the clear for the game mode, saves and leaves for the title.
    void Finish();
};

// The first defeat stage: the fallen player among four lizardmen; a touch
// after the fade opens the Continue screen. It never ends itself.
class CEventQuelmar1 : public CEventScene<CEventQuelmar1> {
public:
    static constexpr int32_t kLizardmen = 4;

    void Begin() override;
    void Update() override;
    ~CEventQuelmar1() override = default;

    CCharacter* m_lizardmen[kLizardmen] = {};

protected:
    void DropCharacter(const CCharacter* dying) override;
};

// The second defeat stage: the fallen player and one lizardman; a touch after
// the fade opens the Continue screen. It never ends itself.
class CEventQuelmar2 : public CEventScene<CEventQuelmar2> {
public:
    void Begin() override;
    void Update() override;
    ~CEventQuelmar2() override = default;

    CCharacter* m_lizardmen[1] = {};

protected:
    void DropCharacter(const CCharacter* dying) override;
};

// The opening: the player walks in towards the king tengu and the princess,
// is knocked back into another stage, falls in, lands, goes through a row of
// poses, and the game saves.
class CEventOpening1_1 : public CEventScene<CEventOpening1_1> {
public:
    // The stage the player falls into.
    static constexpr int32_t kFallStage = 266;

    void Begin() override;
    void End() override;
    void Update() override;
    ~CEventOpening1_1() override = default;

    CCharacter* m_kingTengu = nullptr;
    CCharacter* m_princess = nullptr;

protected:
    void DropCharacter(const CCharacter* dying) override;

private:
    void SaveAfterOpening();
};

// The guided first fight: the scene goes on only when the player lands a
// homing attack on the marked soldier, twice, and then grabs a soldier.
class CEventOpening1_2 : public CEventScene<CEventOpening1_2> {
public:
    static constexpr int32_t kSoldiers = 2;

    void Begin() override;
    void End() override;
    void Update() override;
    ~CEventOpening1_2() override = default;

    CCharacter* m_soldiers[kSoldiers] = {};

protected:
    void DropCharacter(const CCharacter* dying) override;

private:
    // A marker on the soldier, linked both ways.
    void MarkSoldier(CCharacter* soldier);
    // Hands the controls to the player for one test, then takes them back;
    // the test's answer.
    template <typename Test>
    bool WithControls(CCharacterPlayer& player, Test test);
};

// A place name in the message window; ends as soon as the window has closed.
// It keeps the camera tour's members (and operations), which its own script
// does not use.
class CEventPlaceName1 : public CEventSpot1 {
public:
    // Room for the text and its terminating zero.
    static constexpr int32_t kPlaceNameSize = 64;

    static CEventPlaceName1* GetInstance();

    void Begin() override;
    void End() override;
    void Update() override;
    ~CEventPlaceName1() override = default;

    // Copies the text with its terminating zero; a longer text is cut at the
    // last whole character that fits.
    virtual void SetPlaceName(const char* text);

    char m_placeName[kPlaceNameSize] = {};

protected:
    CEventPlaceName1();
};

// What the two endings share: the princess, and the steps in which she
// lands, the player walks up to her, and the two greet each other.
class CEventEndingScene : public CEvent {
public:
    CCharacter* m_princess = nullptr;

protected:
    // The princess dropping in from above at x.
    void MakePrincess(int32_t x);
    // Runs step 1, 2, 4 or 5 of either ending (waiting, or acting and
    // moving on); false for any other step, which the scene runs itself.
    bool RunSharedStep();
    // Step 3's wait: the player has walked up to the princess.
    bool ReachedPrincess() const;
    void DropCharacter(const CCharacter* dying) override;
};

// The ending over the in-stage screen, with the variants of two player
// characters; it ends itself as the ending music starts.
class CEventEnding1_1 : public CEventScene<CEventEnding1_1, CEventEndingScene> {
public:
    void Begin() override;
    void Update() override;
    ~CEventEnding1_1() override = default;
};

// The second ending, with the ending screen in place of the whole chain.
class CEventEnding1_2 : public CEventScene<CEventEnding1_2, CEventEndingScene> {
public:
    void Begin() override;
    void Update() override;
    ~CEventEnding1_2() override = default;
};
