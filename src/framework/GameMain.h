#pragma once
// The game object: owns the play field's character lists, the stage proxy,
// every save record, the text styles and the game-wide settings, and runs
// the 24 ms logical frame.
#include <cstdint>

#include "character/CharacterList.h"
#include "framework/SaveData.h"
#include "stage/StageDataControl.h"
#include "win/DrawString.h"

class CCharacter;

// Applies the timer rule shared by every timed value: -1 holds until
// cleared; any other value replaces a smaller one; nothing replaces a held
// (negative) timer.
inline void ApplyTimerRule(int32_t& timer, int32_t frames) {
    if (timer < 0) return;
    if (frames == -1 || frames > timer) timer = frames;
}

class CGameMain {
public:
    static constexpr int kSlotCount = 16;
    static constexpr int kClearFlagCount = 64;
    static constexpr uint32_t kFrameMs = 24;

    static CGameMain* GetInstance();
    virtual ~CGameMain();

    virtual void Init();
    // Stops the music and deletes every character of both lists (the second
    // list first). The end of a run calls it while the services the
    // characters call on as they go still stand; the destructor calls it
    // again.
    void EmptyWorld();
    virtual void DoFrame();
    virtual void Draw();
    virtual int32_t GetFreezeTimer() const { return m_freezeTimer; }
    virtual int32_t GetGroupFreezeTimer() const { return m_groupFreezeTimer; }
    virtual void SetFreezeTimer(int32_t frames) { ApplyTimerRule(m_freezeTimer, frames); }
    virtual void SetGroupFreezeTimer(int32_t frames) { ApplyTimerRule(m_groupFreezeTimer, frames); }
    virtual void ClearFreezeTimer() { m_freezeTimer = 0; }
    virtual void ClearGroupFreezeTimer() { m_groupFreezeTimer = 0; }
    virtual void TickFreezeTimer() {
        if (m_freezeTimer > 0) --m_freezeTimer;
    }
    virtual void TickGroupFreezeTimer() {
        if (m_groupFreezeTimer > 0) --m_groupFreezeTimer;
    }

    // Milliseconds from now until DoFrame would run the next logical frame;
    // 0 when it would run one now.
    uint32_t MsUntilNextFrame(uint32_t now) const;

    // View inside the 640 x 640 layout space. The portrait screen (320 by
    // 480) has a view of its own size, so that the camera keeps the player
    // in it.
    int32_t GetViewWidth() const;
    int32_t GetViewHeight() const;
    int32_t GetViewLeft() const { return ViewCorner(GetViewWidth()); }
    int32_t GetViewTop() const { return ViewCorner(GetViewHeight()); }
    // Where a view of this size begins in the layout space, on either axis.
    static int32_t ViewCorner(int32_t size) { return 320 - size / 2; }

    // Stage flow. A stage id that builds no stage starts nothing: false,
    // and nothing changes.
    bool StartStage(int32_t mapId);
    void RetryStage();
    void RestartStage();
    void GoToTitle();
    // Fits the current stage's camera to a changed screen size at once.
    void ApplyScreenSizeToStage();

    // Save data.
    // Each is true when every file it touched was read or written whole.
    bool LoadAllSlots();
    bool SaveGlobalData();
    bool SaveResumeRecords();
    bool TakeResumeSnapshot();
    void ResetResumeRecord();
    void ResetResumeRecordAt(int32_t slot);
    void NewGameInSlot(int32_t slot);
    int32_t CountCompletion(int32_t slot);

    void LoadTexturePages();
    void ResetGameData();

    // The stage as terrain code reads it: the stage proxy, or the stand-in
    // a test installed (null puts the proxy back).
    CStageView* GetStageView() { return m_stageViewOverride != nullptr ? m_stageViewOverride : &m_stageControl; }
    void SetStageView(CStageView* view) { m_stageViewOverride = view; }

    CCharacterList m_characterList;
    CCharacterList m_subCharacterList;
    CCharacter* m_player = nullptr;
    CCharacter* m_cameraLimitCharacter = nullptr;
    CCharacter* m_cameraTarget = nullptr;
    CStageDataControl m_stageControl;
    int32_t m_selectedCharacter = 1;
    int32_t m_mapId = 0;
    int32_t m_retryMapId = 0;
    int32_t m_triesLeft = 0;
    int32_t m_restartMapId = 0;
    int32_t m_gameMode = 1;
    int32_t m_clearFlags[kClearFlagCount] = {};
    int32_t m_gold = 0;
    int32_t m_language = 0;
    CSaveData m_systemData;
    CSaveFile m_saveFile;
    int32_t m_freezeTimer = 0;
    int32_t m_groupFreezeTimer = 0;
    int32_t m_titleLayoutFlag = 0;
    uint8_t m_clearScreenFlag = 0;
    int32_t m_frameCount = 0;
    int32_t m_screenWidth = 480;
    int32_t m_screenHeight = 320;
    CSaveData m_slotData[kSlotCount];
    CSaveData m_resumeData[kSlotCount];
    int32_t m_vibration = 0;
    int32_t m_currentSlot = 0;
    CDrawString m_textStyles[8];

protected:
    CGameMain();

private:
    CStageView* m_stageViewOverride = nullptr;
};

// Only the ids 266 to 273 build a stage; every request to start one goes
// through this test (stage clear's next stage, the stage select, the ids
// read from save slots).
bool IsBuildableStage(int32_t mapId);

// Time of the last logical frame's start; the first call of DoFrame runs a
// frame at once whatever the clock says.
extern uint32_t g_lastFrameTime;
extern bool g_frameStarted;
