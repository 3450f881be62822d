#pragma once
// The loading state: owns the loading picture and the loader that brings
// every sound, save record and texture into memory.
#include <cstdint>

#include "framework/GameState.h"

// One row of the texture-slot table: slot, image resource, texture size.
struct TextureSlotRow {
    int32_t slot;
    uint16_t resourceId;
    uint16_t size;
};
extern const TextureSlotRow kTextureSlotRows[75];

class CGameStateLoading : public CGameState {
public:
    static CGameStateLoading* GetInstance();
    ~CGameStateLoading() override;
    void Start() override;
    void DoAction() override;
    void Draw() override;
    virtual void LoadResources();
    // Textures loaded by the current run, in percent of the total.
    int32_t GetPercentage() const;

    int32_t m_progressDone = 0;
    int32_t m_progressTotal = 0;
    int32_t m_pacing = 0;
    int32_t m_phase = 0;

protected:
    CGameStateLoading();
};
