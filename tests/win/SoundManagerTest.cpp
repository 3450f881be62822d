#include "win/SoundManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/AudioMixer.h"
#include "platform/MidiPlayer.h"
#include "win/Resource.h"
#include "win/SoundTables.h"

using platform::AudioMixer;

namespace {

constexpr int kStageEntry = 2;
constexpr int kBossEntry = 8;
constexpr int kClearEntry = 11;
constexpr int kStageResource = 34941;
constexpr uint32_t kSecond = 44100 * 4;  // bytes of one second of the music format

struct Piece {
    const uint8_t* pcm = nullptr;
    uint32_t bytes = 0;
    platform::PcmFormat format;
};

Piece Music(int resource) {
    Piece p;
    const ResourceBlob blob = FindResourceBlob(ResourceType::Wave, resource);
    platform::WaveView w;
    if (blob && platform::ParseWave(blob.data, blob.size, w)) {
        p.pcm = blob.data + w.dataOffset;
        p.bytes = w.dataBytes;
        p.format = w.format;
    }
    return p;
}

int16_t Sample(const Piece& p, uint32_t frame, int channel) {
    int16_t v;
    std::memcpy(&v, p.pcm + frame * 4 + channel * 2, 2);
    return v;
}

// The frames a listener should hear: from the start to the loop end, then
// the loop again and again.
std::vector<uint32_t> ExpectedFrames(uint32_t start, uint32_t loopStart, uint32_t loopEnd, size_t count) {
    std::vector<uint32_t> frames;
    uint32_t f = start;
    for (size_t i = 0; i < count; ++i) {
        if (f >= loopEnd) f = loopStart;
        frames.push_back(f++);
    }
    return frames;
}

class SoundManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        AudioMixer::GetInstance()->UseManualOutput();
        sm = CSoundManager::GetInstance();
        ASSERT_TRUE(sm->Init());
        stage = Music(kStageResource);
        ASSERT_TRUE(stage.pcm) << "the stage music resource is missing";
    }

    // Mixes `frames` frames ten milliseconds at a time and runs the sound
    // update after each slice, as the main loop does.
    std::vector<int16_t> Run(size_t frames) {
        std::vector<int16_t> out(frames * 2);
        size_t done = 0;
        while (done < frames) {
            const int n = static_cast<int>(std::min<size_t>(441, frames - done));
            AudioMixer::GetInstance()->Mix(out.data() + done * 2, n);
            done += static_cast<size_t>(n);
            sm->Update();
        }
        return out;
    }

    // Prepares entry 2 with the given points (in frames) and plays it at
    // full level, so the output is the piece itself.
    void PlayStage(uint32_t start, uint32_t loopStart, uint32_t loopEnd) {
        ASSERT_TRUE(sm->LoadMusic(kStageEntry, start * 4LL, 2001021, "WAVE", 1.0f, loopStart * 4LL, loopEnd * 4LL));
        sm->SetMusicVolume(100);
        sm->SetEntryVolume(kStageEntry, 100);
        ASSERT_TRUE(sm->StartMusic(kStageEntry));
    }

    // As Run, with the sound update every `slice` frames.
    std::vector<int16_t> RunPaced(size_t frames, size_t slice) {
        std::vector<int16_t> out(frames * 2);
        for (size_t done = 0; done < frames;) {
            const int n = static_cast<int>(std::min(slice, frames - done));
            AudioMixer::GetInstance()->Mix(out.data() + done * 2, n);
            done += static_cast<size_t>(n);
            sm->Update();
        }
        return out;
    }

    std::vector<uint8_t> Ring(int entry) {
        platform::AudioStreamBuffer* b = sm->GetStreamBuffer(entry);
        uint8_t* p1 = nullptr;
        uint8_t* p2 = nullptr;
        uint32_t n1 = 0, n2 = 0;
        EXPECT_TRUE(b->Lock(0, b->Size(), &p1, &n1, &p2, &n2));
        std::vector<uint8_t> copy(p1, p1 + n1);
        EXPECT_TRUE(b->Unlock());
        return copy;
    }

    CSoundManager* sm = nullptr;
    Piece stage;
};

}  // namespace

TEST(SoundVolumeTest, PercentToHundredthsOfADecibel) {
    EXPECT_EQ(CSoundManager::VolumeToDecibels(0), -9600);
    EXPECT_EQ(CSoundManager::VolumeToDecibels(-20), -9600);
    EXPECT_EQ(CSoundManager::VolumeToDecibels(100), 0);
    EXPECT_EQ(CSoundManager::VolumeToDecibels(80), -193);
    EXPECT_EQ(CSoundManager::VolumeToDecibels(50), -602);
    EXPECT_EQ(CSoundManager::VolumeToDecibels(10), -2000);
    EXPECT_EQ(CSoundManager::VolumeToDecibels(1), -4000);
}

TEST_F(SoundManagerTest, MusicVolumeFollowsTheRuleWithTheEntryVolumeOnTop) {
    PlayMusic(kStageEntry);  // entry volume 70 at music volume 80: p = 56
    platform::AudioStreamBuffer* b = sm->GetStreamBuffer(kStageEntry);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->GetVolume(), CSoundManager::VolumeToDecibels(56));
    sm->SetMusicVolume(0);
    EXPECT_EQ(b->GetVolume(), -9600);
    sm->SetMusicVolume(80);
    sm->SetEntryVolume(kStageEntry, 400);  // p = 320, capped at 100
    sm->StartMusic(kStageEntry);
    EXPECT_EQ(b->GetVolume(), 0);
    EXPECT_EQ(sm->GetMusicVolume(), 80);
    sm->SetSEVolume(30);
    EXPECT_EQ(sm->GetSEVolume(), 30);
}

TEST_F(SoundManagerTest, TheStageMusicHasTheLayoutAndLengthItsLoopNeeds) {
    EXPECT_EQ(stage.format.channels, 2);
    EXPECT_EQ(stage.format.samplesPerSec, 44100u);
    EXPECT_EQ(stage.format.bitsPerSample, 16);
    EXPECT_EQ(stage.bytes, static_cast<uint32_t>(MusicTable[kStageEntry].loopEnd));
    const ResourceBlob blob = FindResourceBlob(ResourceType::Wave, kStageResource);
    platform::WaveView w;
    ASSERT_TRUE(platform::ParseWave(blob.data, blob.size, w));
    EXPECT_EQ(w.dataOffset, 46u);
    const Piece boss = Music(SoundResourceId(MusicTable[kBossEntry].soundId));
    ASSERT_TRUE(boss.pcm);
    EXPECT_EQ(boss.bytes, static_cast<uint32_t>(MusicTable[kBossEntry].loopEnd));
    EXPECT_GE(boss.bytes, static_cast<uint32_t>(MusicTable[kBossEntry].loopStart));
}

TEST_F(SoundManagerTest, TheFirstNotificationAfterLoadingRefillsNothing) {
    PlayStage(0, 8 * 44100, 72 * 44100);
    const std::vector<uint8_t> filled = Ring(kStageEntry);
    EXPECT_EQ(std::memcmp(filled.data(), stage.pcm, filled.size()), 0);
    EXPECT_EQ(sm->GetReadPosition(kStageEntry), 6 * kSecond);
    Run(1);  // the start signals position 0
    EXPECT_EQ(Ring(kStageEntry), filled);
    EXPECT_EQ(sm->GetReadPosition(kStageEntry), 6 * kSecond);
    Run(2 * 44100);  // the second third begins: the first is refilled
    EXPECT_EQ(sm->GetReadPosition(kStageEntry), 8 * kSecond);
    const std::vector<uint8_t> ring = Ring(kStageEntry);
    EXPECT_EQ(std::memcmp(ring.data(), stage.pcm + 6 * kSecond, 2 * kSecond), 0);
    EXPECT_EQ(std::memcmp(ring.data() + 2 * kSecond, stage.pcm + 2 * kSecond, 4 * kSecond), 0);
}

// Each case: start, loop start and loop end in frames. The output must be
// the piece from its start to the loop end, then the loop, without a gap.
TEST_F(SoundManagerTest, LoopsOfEveryLengthPlayGaplessly) {
    struct Case {
        uint32_t start, loopStart, loopEnd;
        const char* what;
    };
    const Case cases[] = {
        {0, 2 * 44100, 4 * 44100, "loop shorter than the ring"},
        {0, 44100, 44100 + 22050, "loop shorter than a third of the ring"},
        {0, 22050, 88200, "start to loop end shorter than the ring"},
        {3 * 44100, 44100, 4 * 44100, "start point inside the loop"},
        {0, 1000, 1010, "a loop of ten frames"},
        {5 * 44100, 0, 9 * 44100, "start point and a whole-piece loop"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlayStage(c.start, c.loopStart, c.loopEnd);
        const size_t frames = 13 * 44100;
        const std::vector<int16_t> out = Run(frames);
        const std::vector<uint32_t> expected = ExpectedFrames(c.start, c.loopStart, c.loopEnd, frames);
        size_t bad = 0;
        for (size_t i = 0; i < frames && bad < 5; ++i) {
            for (int ch = 0; ch < 2; ++ch) {
                if (std::abs(out[2 * i + ch] - Sample(stage, expected[i], ch)) > 1) {
                    ADD_FAILURE() << "frame " << i << " channel " << ch << ": heard " << out[2 * i + ch]
                                  << ", piece frame " << expected[i] << " holds " << Sample(stage, expected[i], ch);
                    ++bad;
                }
            }
        }
        EXPECT_EQ(bad, 0u);
    }
}

TEST_F(SoundManagerTest, LoopPointsOutsideTheDataLoopTheWholePiece) {
    ASSERT_TRUE(sm->LoadMusic(kStageEntry, 0, 2001021, "WAVE", 1.0f, 1000, stage.bytes + 4));
    EXPECT_EQ(sm->GetLoopStart(kStageEntry), 0);
    EXPECT_EQ(sm->GetLoopEnd(kStageEntry), stage.bytes);
    ASSERT_TRUE(sm->LoadMusic(kStageEntry, 0, 2001021, "WAVE", 1.0f, 8000, 8000));
    EXPECT_EQ(sm->GetLoopStart(kStageEntry), 0);
    EXPECT_EQ(sm->GetLoopEnd(kStageEntry), stage.bytes);
    ASSERT_TRUE(sm->LoadMusic(kStageEntry, 0, 2001021, "WAVE", 1.0f, -4, 4000));
    EXPECT_EQ(sm->GetLoopStart(kStageEntry), 0);
    // Points between frames are moved onto a frame, so the channels keep
    // their places.
    ASSERT_TRUE(sm->LoadMusic(kStageEntry, 0, 2001021, "WAVE", 1.0f, 1411201, 12700803));
    EXPECT_EQ(sm->GetLoopStart(kStageEntry), 1411200);
    EXPECT_EQ(sm->GetLoopEnd(kStageEntry), 12700800);
    // A start point past the loop end plays from the beginning.
    ASSERT_TRUE(sm->LoadMusic(kStageEntry, 99999996, 2001021, "WAVE", 1.0f, 1411200, 12700800));
    EXPECT_EQ(sm->GetReadPosition(kStageEntry), 6 * kSecond);
}

TEST_F(SoundManagerTest, StopAllMusicStopsAndRewinds) {
    EXPECT_EQ(sm->GetPlayingMusic(), -1);
    PlayStage(0, 8 * 44100, 72 * 44100);
    EXPECT_EQ(sm->GetPlayingMusic(), kStageEntry);
    Run(3 * 44100);
    EXPECT_TRUE(sm->StopAllMusic());
    platform::AudioStreamBuffer* b = sm->GetStreamBuffer(kStageEntry);
    EXPECT_FALSE(b->IsPlaying());
    EXPECT_EQ(b->GetCurrentPosition(), 0u);
    EXPECT_EQ(sm->GetPlayingMusic(), -1);
    EXPECT_EQ(sm->GetReadPosition(kStageEntry), 6 * kSecond);
    const std::vector<uint8_t> rewound = Ring(kStageEntry);
    EXPECT_EQ(std::memcmp(rewound.data(), stage.pcm, rewound.size()), 0);
    Run(44100);  // stopped: nothing moves, nothing is refilled
    EXPECT_EQ(Ring(kStageEntry), rewound);

    // Started again, it plays from the beginning and again skips its first
    // notification.
    ASSERT_TRUE(sm->StartMusic(kStageEntry));
    const std::vector<int16_t> out = Run(3 * 44100);
    EXPECT_EQ(Ring(kStageEntry).size(), rewound.size());
    EXPECT_EQ(sm->GetReadPosition(kStageEntry), 8 * kSecond);
    EXPECT_NEAR(out[2 * 44100], Sample(stage, 44100, 0), 1);
}

// Loading or rewinding writes the first half second of the ring at once and
// the rest at the following updates: at any pace of updates up to one per
// half second, what is heard is the piece, and so is the ring.
TEST_F(SoundManagerTest, TheRingIsFilledAheadOfTheCursorAtAnyUpdatePace) {
    struct Case {
        size_t slice;  // output frames between two updates
        const char* what;
    };
    const Case cases[] = {
        {1058, "the game's frame, 24 ms"},
        {441, "ten milliseconds"},
        {11025, "a quarter second"},
        {20000, "near half a second"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int rewound = 0; rewound < 2; ++rewound) {
            PlayStage(44100, 0, 72 * 44100);
            if (rewound) {
                RunPaced(44100, c.slice);
                ASSERT_TRUE(sm->StopAllMusic());
                ASSERT_TRUE(sm->StartMusic(kStageEntry));
            }
            const uint32_t start = rewound ? 0 : 44100;
            const size_t frames = 9 * 44100;
            const std::vector<int16_t> out = RunPaced(frames, c.slice);
            size_t bad = 0;
            for (size_t i = 0; i < frames && bad < 5; ++i) {
                if (std::abs(out[2 * i] - Sample(stage, start + static_cast<uint32_t>(i), 0)) > 1) {
                    ADD_FAILURE() << (rewound ? "after a rewind" : "after loading") << ", frame " << i << ": heard "
                                  << out[2 * i] << ", the piece holds " << Sample(stage, start + i, 0);
                    ++bad;
                }
            }
        }
    }
}

// A second StopAllMusic finds a rewound ring as the first left it and
// leaves it be; a ring changed since then is rewound again.
TEST_F(SoundManagerTest, ARewoundRingIsRewoundAgainOnlyWhenItChanged) {
    PlayStage(0, 8 * 44100, 72 * 44100);
    Run(3 * 44100);
    ASSERT_TRUE(sm->StopAllMusic());
    platform::AudioStreamBuffer* b = sm->GetStreamBuffer(kStageEntry);
    const std::vector<uint8_t> rewound = Ring(kStageEntry);
    ASSERT_EQ(std::memcmp(rewound.data(), stage.pcm, rewound.size()), 0);
    ASSERT_TRUE(sm->StopAllMusic());  // (Ring's own lock counts as a change)
    sm->GetStreamBuffer(kStageEntry);  // the fill finished
    const uint64_t settled = b->ChangeCount();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(sm->StopAllMusic());
        sm->Update();
    }
    EXPECT_EQ(b->ChangeCount(), settled) << "nothing to rewind, nothing written";
    EXPECT_EQ(sm->GetReadPosition(kStageEntry), 6 * kSecond);

    // Bytes written over the ring from outside: the next rewind restores them.
    uint8_t* p = nullptr;
    uint32_t n = 0;
    ASSERT_TRUE(b->Lock(kSecond, 4, &p, &n, nullptr, nullptr));
    std::memset(p, 0x55, n);
    ASSERT_TRUE(b->Unlock());
    ASSERT_TRUE(sm->StopAllMusic());
    EXPECT_EQ(Ring(kStageEntry), rewound);

    // Played a little and stopped by hand: the cursor moved, so the rewind
    // puts it back at the start and the start plays.
    ASSERT_TRUE(sm->StopAllMusic());
    ASSERT_TRUE(b->Play(true));
    Run(44100);
    b->Stop();
    ASSERT_TRUE(sm->StopAllMusic());
    EXPECT_EQ(b->GetCurrentPosition(), 0u);
    EXPECT_EQ(sm->GetReadPosition(kStageEntry), 6 * kSecond);
    ASSERT_TRUE(sm->StartMusic(kStageEntry));
    const std::vector<int16_t> out = Run(2);
    EXPECT_NEAR(out[0], Sample(stage, 0, 0), 1);
}

TEST_F(SoundManagerTest, PlayingAndChangingMusicFromTheTable) {
    PlayMusic(kStageEntry);
    EXPECT_EQ(sm->GetPlayingMusic(), kStageEntry);
    Run(3 * 44100);
    // Asked again, the stage music starts over from its beginning.
    PlayMusic(kStageEntry);
    EXPECT_EQ(sm->GetStreamBuffer(kStageEntry)->GetCurrentPosition(), 0u);
    EXPECT_EQ(sm->GetReadPosition(kStageEntry), 6 * kSecond);
    EXPECT_EQ(sm->GetPlayingMusic(), kStageEntry);

    // The boss music replaces it; the old entry keeps its (stopped) stream.
    const int32_t before = sm->GetPlayingMusic();
    StopMusic();
    PlayMusic(kBossEntry);
    sm->ReleaseMusic(before);
    EXPECT_EQ(sm->GetPlayingMusic(), kBossEntry);
    EXPECT_TRUE(sm->GetStreamBuffer(kStageEntry));
    EXPECT_FALSE(sm->GetStreamBuffer(kStageEntry)->IsPlaying());

    // A row without a piece leaves silence.
    PlayMusic(7);
    EXPECT_EQ(sm->GetPlayingMusic(), -1);
    StopMusic();
    EXPECT_EQ(sm->GetPlayingMusic(), -1);
    PlayMusic(12);
    PlayMusic(-1);
    EXPECT_EQ(sm->GetPlayingMusic(), -1);
    EXPECT_FALSE(sm->StartMusic(12));
    EXPECT_FALSE(sm->LoadMusic(-1, 0, 2001021, "WAVE", 1.0f, 0, 0));
}

TEST_F(SoundManagerTest, TheStageClearPieceIsHeardEveryTimeItIsAskedFor) {
    LoadStageClearMidi();
    ASSERT_TRUE(sm->HasMusicSegment(kClearEntry));
    EXPECT_EQ(sm->GetEntryVolume(kClearEntry), 400);
    PlayMusic(kClearEntry);
    EXPECT_EQ(sm->GetPlayingMusic(), kClearEntry);
    Run(44100);
    EXPECT_EQ(sm->GetPlayingMusic(), kClearEntry);

    StopMusic();
    EXPECT_EQ(sm->GetPlayingMusic(), -1);
    PlayMusic(kClearEntry);  // from its start point, no reload needed
    EXPECT_EQ(sm->GetPlayingMusic(), kClearEntry);

    // The change of music releases it...
    int32_t before = sm->GetPlayingMusic();
    StopMusic();
    PlayMusic(kStageEntry);
    sm->ReleaseMusic(before);
    EXPECT_FALSE(sm->HasMusicSegment(kClearEntry));
    // ...and the next stage clear makes it again.
    before = sm->GetPlayingMusic();
    StopMusic();
    PlayMusic(kClearEntry);
    sm->ReleaseMusic(before);
    EXPECT_TRUE(sm->HasMusicSegment(kClearEntry));
    EXPECT_EQ(sm->GetPlayingMusic(), kClearEntry);
    // Releasing a WAVE entry leaves its stream alone.
    EXPECT_TRUE(sm->GetStreamBuffer(kStageEntry));
}

TEST_F(SoundManagerTest, TheStageClearPieceFitsItsLoopPoints) {
    const ResourceBlob blob = FindResourceBlob(ResourceType::Midi, SoundResourceId(MusicTable[kClearEntry].soundId));
    ASSERT_TRUE(blob);
    auto song = platform::MidiSong::Parse(blob.data, blob.size);
    ASSERT_TRUE(song);
    EXPECT_TRUE(song->SetStartPoint(MusicTable[kClearEntry].start));
    EXPECT_TRUE(song->SetLoopPoints(MusicTable[kClearEntry].loopStart, MusicTable[kClearEntry].loopEnd));
    // No note sounds across the loop end.
    for (const platform::MidiEvent& e : song->Events()) {
        if ((e.status & 0xF0) == 0x90 && e.data2 > 0) {
            EXPECT_LT(e.tick, song->LoopEndTick());
        }
    }
}

TEST_F(SoundManagerTest, AnEffectStartsOncePerFrame) {
    AudioMixer* mixer = AudioMixer::GetInstance();
    std::vector<int32_t> seen;
    SetSoundEffectObserver([&](int32_t slot) { seen.push_back(slot); });
    PlaySE(24);
    PlaySE(24);
    EXPECT_EQ(mixer->ActiveVoiceCount(), 1);
    EXPECT_EQ(sm->GetCoolDown(24), 2) << "two passes of the update";
    PlaySE(25);  // another effect is not held back
    EXPECT_EQ(mixer->ActiveVoiceCount(), 2);
    // The main loop updates once after its frame step; the effect is still
    // held. The next frame step begins with an update, and it may start.
    sm->Update();
    EXPECT_EQ(sm->GetCoolDown(24), 1);
    PlaySE(24);
    EXPECT_EQ(mixer->ActiveVoiceCount(), 2);
    sm->Update();
    EXPECT_EQ(sm->GetCoolDown(24), 0);
    PlaySE(24);
    EXPECT_EQ(mixer->ActiveVoiceCount(), 3);
    EXPECT_EQ(seen, (std::vector<int32_t>{24, 24, 25, 24, 24}));
    SetSoundEffectObserver(nullptr);

    // Out of range: nothing plays, nothing breaks.
    EXPECT_FALSE(sm->PlaySE(81, 0));
    EXPECT_FALSE(sm->PlaySE(-1, 0));
    PlaySE(100);
    EXPECT_EQ(mixer->ActiveVoiceCount(), 3);
}

TEST_F(SoundManagerTest, EveryEffectSlotHoldsACleanShortSound) {
    AudioMixer* mixer = AudioMixer::GetInstance();
    for (int slot = 0; slot < kSoundEffectCount; ++slot) {
        SCOPED_TRACE(slot);
        const ResourceBlob blob = FindResourceBlob(ResourceType::Wave, SoundResourceId(SoundEffectTable[slot]));
        ASSERT_TRUE(blob);
        platform::WaveView w;
        ASSERT_TRUE(platform::ParseWave(blob.data, blob.size, w));
        EXPECT_EQ(w.format.channels, 1);
        EXPECT_TRUE(w.format.IsPlayablePcm());
        EXPECT_TRUE(w.format.samplesPerSec == 22050 || w.format.samplesPerSec == 44100);
        EXPECT_LE(w.dataBytes, w.format.avgBytesPerSec * 2);  // at most two seconds
        int peak = 0;
        for (uint32_t i = 0; i + 1 < w.dataBytes; i += 2) {
            int16_t v;
            std::memcpy(&v, blob.data + w.dataOffset + i, 2);
            peak = std::max(peak, std::abs(static_cast<int>(v)));
        }
        EXPECT_LT(peak, 32000);  // nothing clips
        EXPECT_GT(peak, 4000);   // nothing is silent
        mixer->StopClips();
        EXPECT_TRUE(sm->PlaySE(slot, 1));
        EXPECT_EQ(mixer->ActiveVoiceCount(), 1);
    }
}

TEST_F(SoundManagerTest, EffectsOverMusicDoNotClip) {
    PlayMusic(kStageEntry);
    Run(10 * 44100);  // into the full band
    for (int slot : {17, 31, 47, 24, 22}) sm->PlaySE(slot, 0);
    const std::vector<int16_t> out = Run(44100);
    int peak = 0;
    for (int16_t v : out) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 32767);
}

TEST_F(SoundManagerTest, TheBossPieceIsAtLeastAsLoudAsTheStagePieceInTheGamesMix) {
    // Through the game's mix at the default volumes, the boss piece is the
    // heavier one: over its first 20 s, 30 s and whole first pass (48 s) its
    // level (RMS) is at least that of the stage piece over the same time,
    // and no sample of either reaches full scale.
    auto heard = [&](int entry) {
        StopMusic();
        PlayMusic(entry);
        return Run(48 * 44100);
    };
    const std::vector<int16_t> stageOut = heard(kStageEntry), bossOut = heard(kBossEntry);
    auto level = [](const std::vector<int16_t>& out, int seconds) {
        double sum = 0;
        for (size_t i = 0; i < static_cast<size_t>(seconds) * 44100 * 2; ++i) sum += double(out[i]) * out[i];
        return 10.0 * std::log10(sum / (seconds * 44100.0 * 2.0) / (32768.0 * 32768.0));
    };
    for (int seconds : {20, 30, 48})
        EXPECT_GE(level(bossOut, seconds), level(stageOut, seconds)) << "over the first " << seconds << " s";
    for (const std::vector<int16_t>* out : {&stageOut, &bossOut}) {
        const auto [low, high] = std::minmax_element(out->begin(), out->end());
        EXPECT_GT(*low, -32767);
        EXPECT_LT(*high, 32767);
    }
}

// One pass of the stage music through the stream, across the loop point.
TEST_F(SoundManagerTest, TheStageMusicLoopsWithoutASeam) {
    const MusicTableRow& row = MusicTable[kStageEntry];
    const uint32_t loopStart = static_cast<uint32_t>(row.loopStart / 4);
    const uint32_t loopEnd = static_cast<uint32_t>(row.loopEnd / 4);
    PlayStage(0, loopStart, loopEnd);
    const std::vector<int16_t> out = Run(loopEnd + 2 * 44100);
    // The stream delivers the piece exactly, jumping from the loop end to
    // the loop start.
    for (uint32_t k = 0; k < 4410; ++k) {
        ASSERT_NEAR(out[2 * (loopEnd - 1 - k)], Sample(stage, loopEnd - 1 - k, 0), 1) << k;
        ASSERT_NEAR(out[2 * (loopEnd + k)], Sample(stage, loopStart + k, 0), 1) << k;
        ASSERT_NEAR(out[2 * (loopEnd + k) + 1], Sample(stage, loopStart + k, 1), 1) << k;
    }
    // No click: the step across the seam is no larger than the steps the
    // music itself makes around it.
    for (int ch = 0; ch < 2; ++ch) {
        int largest = 0;
        for (uint32_t j = loopEnd - 2000; j < loopEnd + 2000; ++j) {
            if (j == loopEnd) continue;
            largest = std::max(largest, std::abs(out[2 * j + ch] - out[2 * (j - 1) + ch]));
        }
        const int seam = std::abs(out[2 * loopEnd + ch] - out[2 * (loopEnd - 1) + ch]);
        EXPECT_LE(seam, largest) << "channel " << ch;
    }
}

TEST(SoundDeviceTest, WithoutAnAudioDeviceTheGameIsSilent) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    CSoundManager* sm = CSoundManager::GetInstance();
    EXPECT_FALSE(sm->Init());
    EXPECT_FALSE(sm->PlaySE(0, 0));
    PlaySE(0);
    LoadStageClearMidi();
    PlayMusic(kStageEntry);
    PlayMusic(kClearEntry);
    EXPECT_EQ(sm->GetPlayingMusic(), -1);
    EXPECT_FALSE(sm->StopAllMusic());
    EXPECT_TRUE(sm->Update());
}

TEST(SoundDeviceTest, TheDummyDriverPlaysWithoutSound) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    CSoundManager* sm = CSoundManager::GetInstance();
    ASSERT_TRUE(sm->Init());
    EXPECT_TRUE(AudioMixer::GetInstance()->IsOutputOpen());
    PlayMusic(kStageEntry);
    EXPECT_TRUE(sm->PlaySE(0, 0));
    for (int i = 0; i < 50; ++i) sm->Update();
    EXPECT_EQ(sm->GetPlayingMusic(), kStageEntry);
    StopMusic();
    EXPECT_EQ(sm->GetPlayingMusic(), -1);
}
