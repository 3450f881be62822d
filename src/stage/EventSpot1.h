#pragma once
// The camera tour (scene 3): the camera leaves the player, glides to each of
// up to 16 characters in turn, rests on each, and glides back to the player;
// then the scene ends itself. The camera is not moved directly: the tour
// makes a dolly (an effect in its gliding state), makes it the camera's
// target, and sends it from target to target. While the tour runs the world
// may be held still by the group freeze.
//
// Starting a tour: GetInstance(), Init(), SetFreeze(false) if the world
// should keep moving, AddSpot for each target, m_travelFrames and
// m_waitFrames, then CEvent::GetInstance()->SetEvent(3).
#include <cstdint>

#include "stage/Event.h"

class CEventSpot1 : public CEvent {
public:
    static constexpr int32_t kSpotCount = 16;
    // The step of a tour that is not running.
    static constexpr int32_t kIdle = 65535;
    // The step of the glide back to the player.
    static constexpr int32_t kReturning = 99;

    static CEventSpot1* GetInstance();

    // Sets the idle mark; nothing calls it.
    void Cancel() override;
    // Makes the dolly at the player, glides it to the first spot, and holds
    // the world when the freeze is set.
    void Begin() override;
    // Removes the dolly, gives the camera back to the player and lets the
    // world go. The step stays: a tour ended this way (by another scene, a
    // stage start, a retry) still counts as running until a tour completes
    // or Cancel is called.
    void End() override;
    void Update() override;
    ~CEventSpot1() override;

    virtual bool IsRunning();
    // ClearSpots and SetFreeze(true).
    virtual void Init();
    virtual void ClearSpots();
    // Stores the target in the first free spot; false (nothing stored) when
    // all 16 are taken.
    virtual bool AddSpot(CCharacter* target);
    virtual void SetFreeze(bool on);

    CCharacter* m_spots[kSpotCount] = {};
    CCharacter* m_dolly = nullptr;
    int32_t m_travelFrames = 0;
    int32_t m_waitFrames = 0;
    uint8_t m_freeze = 0;

protected:
    CEventSpot1();
    void DropCharacter(const CCharacter* dying) override;

private:
    // Sends the dolly off to a new target (the player when null).
    void GlideTo(CCharacter* target);
};
