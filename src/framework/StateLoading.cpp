#include "framework/StateLoading.h"

#include "framework/GameMain.h"
#include "win/Graphics.h"
#include "win/SoundTables.h"
#include "win/Sprite.h"

const TextureSlotRow kTextureSlotRows[75] = {
    {0, 100, 64},   {1, 101, 8},    {2, 102, 64},   {3, 103, 1024}, {4, 104, 128},  {5, 105, 128},
    {6, 106, 128},  {7, 107, 512},  {8, 108, 128},  {9, 109, 1024}, {10, 110, 256}, {11, 111, 512},
    {12, 112, 256}, {13, 113, 256}, {14, 114, 512}, {15, 115, 512}, {16, 116, 512}, {17, 117, 512},
    {18, 118, 512}, {19, 120, 512}, {20, 121, 256}, {21, 122, 256}, {22, 123, 256}, {23, 124, 256},
    {24, 125, 256}, {25, 126, 256}, {26, 127, 256}, {27, 128, 256}, {28, 129, 256}, {29, 130, 256},
    {30, 131, 256}, {31, 132, 256}, {32, 133, 256}, {33, 134, 256}, {34, 135, 256}, {35, 136, 256},
    {36, 137, 256}, {37, 138, 256}, {38, 139, 256}, {39, 140, 256}, {40, 141, 512}, {41, 160, 256},
    {42, 161, 256}, {43, 162, 256}, {44, 163, 256}, {45, 164, 256}, {46, 165, 256}, {47, 166, 256},
    {48, 150, 256}, {49, 119, 128}, {50, 170, 256}, {51, 171, 256}, {52, 172, 256}, {53, 173, 256},
    {54, 174, 256}, {55, 175, 256}, {56, 176, 256}, {57, 177, 256}, {58, 178, 256}, {59, 179, 256},
    {60, 180, 256}, {61, 181, 256}, {62, 300, 256}, {63, 301, 256}, {64, 302, 256}, {65, 303, 256},
    {66, 304, 256}, {67, 305, 256}, {68, 306, 256}, {69, 307, 256}, {70, 308, 256}, {71, 309, 256},
    {72, 400, 512}, {73, 401, 512}, {74, 402, 512},
};

CGameStateLoading* CGameStateLoading::GetInstance() {
    static CGameStateLoading instance;
    return &instance;
}

CGameStateLoading::CGameStateLoading() { LoadTexture(11, 111, 512); }

CGameStateLoading::~CGameStateLoading() { ReleaseTexture(11); }

void CGameStateLoading::Start() {
    m_progressTotal += 75;
    m_pacing = 0;
    m_phase = 0;
    m_progressDone = 0;
    Draw();
    // The loader draws the loading picture through the one graphics device,
    // which nothing locks, so it runs here on the main thread instead of a
    // worker thread; the work is done by the time the fade-in has finished.
    LoadResources();
}

void CGameStateLoading::DoAction() {
    switch (m_phase) {
        case 0:
            m_pacing += 6;
            if (m_pacing >= 255) {
                m_pacing = 255;
                m_phase = 1;
            }
            break;
        case 1:
            m_phase = 2;
            break;
        case 2:
            m_pacing -= 20;
            if (m_pacing <= 0) {
                m_pacing = 0;
                CGameMain::GetInstance()->GoToTitle();
            }
            break;
        default:
            break;
    }
}

int32_t CGameStateLoading::GetPercentage() const {
    return m_progressTotal > 0 ? m_progressDone * 100 / m_progressTotal : 0;
}

void CGameStateLoading::Draw() {
    platform::GraphicsDevice* device = GetDevice();
    if (!device) return;
    device->Clear(0xFF000000u, 1.0f);
    device->BeginScene();
    if (m_phase >= 0 && m_phase <= 2) {
        DrawParams::colour = 0xFFFFFFFFu;
        DrawParams::blendMode = 0;
        DrawSprite(0, 0, 11, 0, 0, 480, 320);
    }
    device->EndScene();
    if (device->Present() == platform::kDeviceLost) ResetDevice();
}

void CGameStateLoading::LoadResources() {
    LoadStageClearMidi();
    LoadAllSE();
    CGameMain::GetInstance()->LoadAllSlots();
    m_progressTotal += 75;
    m_progressDone = 0;
    for (const TextureSlotRow& row : kTextureSlotRows) {
        const int32_t before = GetPercentage();
        LoadTexture(row.slot, row.resourceId, row.size);
        ++m_progressDone;
        if (GetPercentage() != before) Draw();
    }
}
