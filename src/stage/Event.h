#pragma once
// Scripted scenes over the play, and the director that runs them. Each
// scene is a class derived from CEvent: a numbered step machine whose Update
// waits for a frame count or a condition, acts on the characters, the
// camera, the screens, the music or the save data, and moves on; a scene
// that has finished ends itself through the director's Reset. The director
// is an instance of CEvent itself: it holds the one running scene, ends it
// and begins another when asked (SetEvent), and passes each play frame to
// it.
//
// Scenes keep plain pointers to the characters they act on; the world list
// owns those. A character that is deleted tells every scene through
// ForgetCharacter, so no scene reads it afterwards.
#include <cstdint>

class CCharacter;

// The scenes by number.
namespace EventId {
inline constexpr int32_t kNone = 0;
inline constexpr int32_t kEnding1 = 1;
inline constexpr int32_t kEnding2 = 2;
inline constexpr int32_t kSpot = 3;  // the camera tour
inline constexpr int32_t kPlaceName = 4;
inline constexpr int32_t kOpening1 = 5;
inline constexpr int32_t kOpening2 = 6;
inline constexpr int32_t kClear = 7;
inline constexpr int32_t kQuelmar1 = 8;
inline constexpr int32_t kQuelmar2 = 9;
}  // namespace EventId

class CEvent {
public:
    // The director.
    static CEvent* GetInstance();

    // Ends the running scene (its End), then begins the scene of the id
    // (its Begin); 0 and any id outside 1..9 leave none running. Asking for
    // the running scene begins it afresh.
    virtual void SetEvent(int32_t id);
    // SetEvent(0).
    virtual void Reset();
    virtual void Cancel();
    virtual void Draw();
    // The running scene's frame; nothing when none runs.
    virtual void Update();
    virtual void Begin();
    virtual void End();
    virtual int32_t GetStep();
    virtual ~CEvent();

    // The running scene (director only); null when none runs.
    CEvent* GetCurrent() const { return m_current; }
    // The id of the running scene; 0 when none runs.
    int32_t GetCurrentId() const;
    // The scene singleton of an id; null for 0 and ids outside 1..9.
    static CEvent* SceneFor(int32_t id);

    // Called as a character is deleted: every scene drops its pointers to
    // it.
    static void ForgetCharacter(const CCharacter* dying);

    // Sets every entry of the touch history to -1: the press just seen is
    // not seen again by anyone until the pointer is released and pressed
    // anew.
    static void ConsumeTouch();
    // Stops the music and plays the entry, letting go of the piece that
    // played.
    static void ChangeSceneMusic(int32_t entry);
    // Stops the music, letting go of the piece that played.
    static void StopSceneMusic();

    int32_t m_step = 0;
    int32_t m_frameCounter = 0;
    CEvent* m_current = nullptr;

protected:
    CEvent();
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    // A wait of n frames, counted in m_frameCounter: true on the (n + 2)-th
    // call of the step (the counter starts at 0 when a step is entered).
    bool WaitFrames(int32_t n);
    // Moves on to a step, the frame counter from 0.
    void GoToStep(int32_t step);
    // Drops a pointer to a deleted character. Scenes that hold actors
    // override it; the director's registry calls it for every scene built.
    virtual void DropCharacter(const CCharacter* dying);
    // Clears an actor pointer that points at the deleted character.
    static void Forget(CCharacter*& actor, const CCharacter* dying) {
        if (actor == dying) actor = nullptr;
    }
    // Puts an actor into a state; nothing when the actor has gone.
    static void Pose(CCharacter* actor, int32_t state);

    // Scene singletons register themselves once built, and leave the
    // registry when they are destroyed.
    void Register();
    void Unregister();
};
