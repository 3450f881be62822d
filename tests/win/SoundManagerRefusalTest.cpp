// What the sound manager refuses: effects and pieces whose resources are
// missing, start and loop points outside a piece, entries and slots outside
// the tables, and a stream ring that someone else holds locked.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/AudioMixer.h"
#include "win/Resource.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

using platform::AudioMixer;

namespace {

constexpr int kStageEntry = 2;
constexpr int kClearEntry = 11;
constexpr int32_t kStageSound = 2001021;
constexpr int32_t kClearSound = 2000021;
constexpr uint32_t kSecond = 44100 * 4;

// A sound id whose resource the game does not have, of either type.
int32_t MissingSound() {
    for (int32_t id = 1; id < 0x10000; ++id) {
        if (!FindResourceBlob(ResourceType::Wave, id) && !FindResourceBlob(ResourceType::Midi, id)) return id;
    }
    return -1;
}

class SoundManagerRefusalTest : public ::testing::Test {
protected:
    void SetUp() override {
        AudioMixer::GetInstance()->UseManualOutput();
        sm = CSoundManager::GetInstance();
        ASSERT_TRUE(sm->Init());
        missing = MissingSound();
        ASSERT_GT(missing, 0);
    }

    // Mixes a slice and runs the sound update, as the main loop does.
    void Run(int slices) {
        std::vector<int16_t> out(441 * 2);
        for (int i = 0; i < slices; ++i) {
            AudioMixer::GetInstance()->Mix(out.data(), 441);
            sm->Update();
        }
    }

    CSoundManager* sm = nullptr;
    int32_t missing = 0;
};

}  // namespace

// A missing effect resource leaves its slot empty and silent; loading the
// right one fills it again.
TEST_F(SoundManagerRefusalTest, AnEffectWithoutItsResourceLeavesItsSlotSilent) {
    AudioMixer* mixer = AudioMixer::GetInstance();
    EXPECT_FALSE(sm->LoadSE(5, missing));
    EXPECT_FALSE(sm->PlaySE(5, 0));
    EXPECT_EQ(mixer->ActiveVoiceCount(), 0);
    EXPECT_EQ(sm->GetCoolDown(5), 0) << "nothing played, nothing to cool down";
    EXPECT_TRUE(sm->PlaySE(6, 0)) << "the other slots play on";
    EXPECT_EQ(mixer->ActiveVoiceCount(), 1);
    ASSERT_TRUE(sm->LoadSE(5, SoundEffectTable[5]));
    EXPECT_TRUE(sm->PlaySE(5, 0));
    EXPECT_EQ(mixer->ActiveVoiceCount(), 2);

    // Slots outside 0 to 80 take nothing.
    for (int32_t slot : {-1, 81, 1000}) {
        SCOPED_TRACE(slot);
        EXPECT_FALSE(sm->LoadSE(slot, SoundEffectTable[0]));
        EXPECT_EQ(sm->GetCoolDown(slot), 0);
    }

    // Before the output is open nothing loads.
    sm->Shutdown();
    EXPECT_FALSE(sm->LoadSE(5, SoundEffectTable[5]));
    EXPECT_FALSE(sm->PlaySE(5, 0));
}

// A piece that cannot be prepared still stops the music first, so asking
// for it leaves silence.
TEST_F(SoundManagerRefusalTest, APieceThatCannotBePreparedSilencesTheMusic) {
    struct Case {
        const char* what;
        int32_t entry;
        int64_t start;
        bool missingSound;
        const char* type;
        int64_t loopStart, loopEnd;
    };
    const Case cases[] = {
        {"a MIDI piece without its resource", 3, 0, true, "MIDI", 0, 0},
        {"a piece of no type without its resource", 3, 0, true, nullptr, 0, 0},
        {"a WAVE piece without its resource", 4, 0, true, "WAVE", 0, 0},
        {"the MIDI piece with a start past its end", kClearEntry, 999999999, false, "MIDI", 9216, 58368},
        {"the MIDI piece with a negative start", kClearEntry, -768, false, "MIDI", 9216, 58368},
        {"the MIDI piece with its loop past its end", kClearEntry, 3072, false, "MIDI", 9216, 999999999},
        {"the MIDI piece with its loop ending before it starts", kClearEntry, 3072, false, "MIDI", 9216, 3072},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(sm->LoadMusic(kStageEntry, 0, kStageSound, "WAVE", 1.0f, 0, 0));
        ASSERT_TRUE(sm->StartMusic(kStageEntry));
        ASSERT_EQ(sm->GetPlayingMusic(), kStageEntry);
        const int32_t sound = c.missingSound ? missing : kClearSound;
        EXPECT_FALSE(sm->LoadMusic(c.entry, c.start, sound, c.type, 1.0f, c.loopStart, c.loopEnd));
        EXPECT_EQ(sm->GetPlayingMusic(), -1);
        EXPECT_FALSE(sm->GetStreamBuffer(c.entry)) << "no stream was made";
        if (c.missingSound) {
            EXPECT_FALSE(sm->StartMusic(c.entry)) << "nothing to start";
        }
    }
    // The right points prepare it.
    EXPECT_TRUE(sm->LoadMusic(kClearEntry, 3072, kClearSound, "MIDI", 1.0f, 9216, 58368));
    EXPECT_TRUE(sm->HasMusicSegment(kClearEntry));
    EXPECT_TRUE(sm->StartMusic(kClearEntry));
    EXPECT_EQ(sm->GetPlayingMusic(), kClearEntry);
}

// A start point before the piece plays it from its beginning (not from the
// loop's start).
TEST_F(SoundManagerRefusalTest, AStartBeforeThePiecePlaysItFromItsBeginning) {
    const ResourceBlob blob = FindResourceBlob(ResourceType::Wave, SoundResourceId(kStageSound));
    platform::WaveView wave;
    ASSERT_TRUE(blob && platform::ParseWave(blob.data, blob.size, wave));
    for (int64_t start : {int64_t{-4}, int64_t{-1000000}}) {
        SCOPED_TRACE(start);
        ASSERT_TRUE(sm->LoadMusic(kStageEntry, start, kStageSound, "WAVE", 1.0f, 2 * kSecond, 12 * kSecond));
        EXPECT_EQ(sm->GetReadPosition(kStageEntry), 6 * kSecond);
        platform::AudioStreamBuffer* b = sm->GetStreamBuffer(kStageEntry);
        ASSERT_TRUE(b);
        uint8_t* p = nullptr;
        uint32_t n = 0;
        ASSERT_TRUE(b->Lock(0, kSecond, &p, &n, nullptr, nullptr));
        EXPECT_EQ(std::memcmp(p, blob.data + wave.dataOffset, n), 0);
        ASSERT_TRUE(b->Unlock());
    }
}

// Entries outside 0 to 11 have nothing and take nothing.
TEST_F(SoundManagerRefusalTest, EntriesOutsideTheTableHaveNothingAndTakeNothing) {
    for (int32_t entry : {-1, 12, 100}) {
        SCOPED_TRACE(entry);
        sm->SetEntryVolume(entry, 55);
        EXPECT_EQ(sm->GetEntryVolume(entry), 0);
        EXPECT_FALSE(sm->GetStreamBuffer(entry));
        EXPECT_EQ(sm->GetReadPosition(entry), 0u);
        EXPECT_EQ(sm->GetLoopStart(entry), 0);
        EXPECT_EQ(sm->GetLoopEnd(entry), 0);
        EXPECT_FALSE(sm->HasMusicSegment(entry));
        sm->SetMusicRepeats(entry, -1);
        EXPECT_TRUE(sm->ReleaseMusic(entry));
        EXPECT_FALSE(sm->StartMusic(entry));
        EXPECT_FALSE(sm->LoadMusic(entry, 0, kStageSound, "WAVE", 1.0f, 0, 0));
    }
    for (int32_t entry = 0; entry < 12; ++entry) EXPECT_EQ(sm->GetEntryVolume(entry), 100) << entry;
    // An entry without a MIDI piece takes no repeat count.
    sm->SetMusicRepeats(kStageEntry, -1);
    EXPECT_FALSE(sm->HasMusicSegment(kStageEntry));
}

// A ring held locked by someone else can be neither rewound nor refilled:
// the stop and the update report it, and work again once it is let go.
TEST_F(SoundManagerRefusalTest, ARingHeldLockedIsNeitherRewoundNorRefilled) {
    ASSERT_TRUE(sm->LoadMusic(kStageEntry, 0, kStageSound, "WAVE", 1.0f, 0, 0));
    ASSERT_TRUE(sm->StartMusic(kStageEntry));
    Run(20);
    platform::AudioStreamBuffer* b = sm->GetStreamBuffer(kStageEntry);
    ASSERT_TRUE(b);
    uint8_t* p = nullptr;
    uint32_t n = 0;
    ASSERT_TRUE(b->Lock(0, 4, &p, &n, nullptr, nullptr));
    EXPECT_FALSE(sm->StopAllMusic());
    EXPECT_FALSE(b->IsPlaying()) << "stopped before the rewind failed";
    EXPECT_FALSE(sm->Update());
    ASSERT_TRUE(b->Unlock());
    EXPECT_TRUE(sm->Update());
    EXPECT_TRUE(sm->StopAllMusic());
    EXPECT_EQ(sm->GetReadPosition(kStageEntry), 6 * kSecond);
    EXPECT_EQ(b->GetCurrentPosition(), 0u);
}
