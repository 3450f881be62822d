#include <gtest/gtest.h>

#include <vector>

#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "framework/SaveTestDir.h"
#include "framework/GameState.h"
#include "framework/StateLoading.h"
#include "framework/StateTitle.h"
#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"

namespace {

class LoadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InitGraphics());
        device = GetDevice();
    }
    void TearDown() override { ReleaseGraphics(); }
    platform::GraphicsDevice* device = nullptr;
};

// A loading state built here, whether or not the game's own was built
// before the device came.
struct LoadingBuiltNow : CGameStateLoading {};

TEST_F(LoadingTest, BuildingTheStateLoadsTheLoadingPicture) {
    const LoadingBuiltNow loading;
    EXPECT_EQ(TextureRefCount[11], 1);
    ASSERT_TRUE(TextureTable[11].texture);
    EXPECT_EQ(TextureTable[11].width, 512u);
    EXPECT_EQ(loading.m_progressTotal, 0);
}

TEST_F(LoadingTest, SynchronousLoadPresentsThePictureAfterEveryTexture) {
    CGameMain::GetInstance()->LoadTexturePages();
    CGameStateLoading* loading = CGameStateLoading::GetInstance();
    const uint64_t before = device->PresentCount();
    loading->LoadResources();
    EXPECT_EQ(device->PresentCount() - before, 75u);
    EXPECT_EQ(loading->m_progressTotal, 75);
    EXPECT_EQ(loading->m_progressDone, 75);
    EXPECT_EQ(loading->GetPercentage(), 100);
    for (const TextureSlotRow& row : kTextureSlotRows) {
        EXPECT_GE(TextureRefCount[row.slot], 1) << row.slot;
        EXPECT_TRUE(TextureTable[row.slot].texture) << "slot " << row.slot << " resource " << row.resourceId;
        EXPECT_EQ(TextureTable[row.slot].width, row.size) << row.slot;
    }
    // The glyph pages were loaded earlier and now count a second user.
    for (int slot = 2; slot <= 10; ++slot) EXPECT_EQ(TextureRefCount[slot], 2) << slot;
}

TEST_F(LoadingTest, TexturesOfTheTableAreInSlotOrderWithTheirSizes) {
    for (int i = 0; i < 75; ++i) EXPECT_EQ(kTextureSlotRows[i].slot, i);
    EXPECT_EQ(kTextureSlotRows[8].resourceId, 108);
    EXPECT_EQ(kTextureSlotRows[8].size, 128);
    EXPECT_EQ(kTextureSlotRows[49].resourceId, 119);
    EXPECT_EQ(kTextureSlotRows[49].size, 128);
    EXPECT_EQ(kTextureSlotRows[59].resourceId, 179);
    EXPECT_EQ(kTextureSlotRows[74].resourceId, 402);
}

TEST_F(LoadingTest, StartRedrawsOnlyWhenThePercentageChanges) {
    CGameStateLoading* loading = CGameStateLoading::GetInstance();
    const uint64_t before = device->PresentCount();
    loading->Start();
    // Total 150: the percentage moves on two textures out of three; plus
    // the picture Start shows before loading.
    EXPECT_EQ(device->PresentCount() - before, 51u);
    EXPECT_EQ(loading->m_progressTotal, 150);
    EXPECT_EQ(loading->GetPercentage(), 50);
}

TEST_F(LoadingTest, TheLoadingScreenIsThePictureAloneWhateverTheProgress) {
    CGameMain::GetInstance()->LoadTexturePages();
    CGameStateLoading* loading = CGameStateLoading::GetInstance();
    std::vector<uint32_t> first;
    for (const int32_t done : {0, 38, 75}) {
        loading->m_progressTotal = 75;
        loading->m_progressDone = done;
        loading->Draw();
        const std::vector<uint32_t> shown(device->ColourBuffer(), device->ColourBuffer() + 480 * 320);
        if (first.empty()) first = shown;
        EXPECT_TRUE(shown == first) << done << " of 75 textures";
    }
}

// The saves on disk are read with the sounds and before the textures, and
// are left as they were.
TEST_F(LoadingTest, TheLoadingReadsTheSavesAndLeavesThemAsTheyAre) {
    SaveTestDir dir;
    CGameMain* game = CGameMain::GetInstance();
    game->m_gold = 4321;
    game->m_slotData[3].SetInt(SaveSlotRecord::kMapId, 270);
    game->ResetResumeRecordAt(3);
    ASSERT_TRUE(game->SaveGlobalData());
    const std::vector<uint8_t> system = dir.Read("save"), slot = dir.Read("saveslot03");
    ASSERT_FALSE(slot.empty());
    game->m_gold = 0;
    game->m_slotData[3].SetNewGameDefaults();
    CGameStateLoading::GetInstance()->LoadResources();
    EXPECT_EQ(game->m_gold, 4321);
    EXPECT_EQ(game->m_slotData[3].GetInt(SaveSlotRecord::kMapId), 270);
    EXPECT_EQ(dir.Read("save"), system);
    EXPECT_EQ(dir.Read("saveslot03"), slot);
}

TEST_F(LoadingTest, PacingFadesInWaitsAndFadesOutToTheTitle) {
    CGameStateLoading* loading = CGameStateLoading::GetInstance();
    loading->m_phase = 0;
    loading->m_pacing = 0;
    int frames = 0;
    while (loading->m_phase == 0 && frames < 100) {
        loading->DoAction();
        ++frames;
    }
    EXPECT_EQ(frames, 43);  // 6 a frame to 255
    EXPECT_EQ(loading->m_pacing, 255);
    loading->DoAction();
    EXPECT_EQ(loading->m_phase, 2);
    for (int i = 0; i < 12; ++i) loading->DoAction();
    EXPECT_EQ(loading->m_pacing, 15);
    EXPECT_NE(CGameStateController::GetInstance()->GetCurrent(), CGameStateTitleMain::GetInstance());
    loading->DoAction();
    EXPECT_EQ(loading->m_pacing, 0);
    EXPECT_EQ(CGameStateController::GetInstance()->GetCurrent(), CGameStateTitleMain::GetInstance());
}

}  // namespace
