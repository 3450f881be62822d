#include "platform/AudioMixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using platform::AudioClip;
using platform::AudioMixer;
using platform::AudioStreamBuffer;
using platform::PcmFormat;

namespace {

PcmFormat Format(uint16_t channels, uint32_t rate, uint16_t bits = 16) {
    PcmFormat f;
    f.channels = channels;
    f.samplesPerSec = rate;
    f.bitsPerSample = bits;
    f.blockAlign = static_cast<uint16_t>(channels * bits / 8);
    f.avgBytesPerSec = rate * f.blockAlign;
    return f;
}

void Put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(static_cast<uint8_t>(x & 0xFF));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}
void PutTag(std::vector<uint8_t>& v, const char* tag) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(tag[i]));
}

// A WAVE file; `fmtSize` 16 or 18; an optional chunk before the data.
std::vector<uint8_t> WaveFile(const PcmFormat& f, const std::vector<uint8_t>& pcm, uint32_t fmtSize = 18,
                              bool listChunk = false, uint32_t declaredData = 0) {
    std::vector<uint8_t> v;
    PutTag(v, "RIFF");
    Put32(v, 0);
    PutTag(v, "WAVE");
    PutTag(v, "fmt ");
    Put32(v, fmtSize);
    Put16(v, f.formatTag);
    Put16(v, f.channels);
    Put32(v, f.samplesPerSec);
    Put32(v, f.avgBytesPerSec);
    Put16(v, f.blockAlign);
    Put16(v, f.bitsPerSample);
    if (fmtSize == 18) Put16(v, 0);
    if (listChunk) {
        PutTag(v, "LIST");
        Put32(v, 5);  // odd: padded to 6
        v.insert(v.end(), {'I', 'N', 'F', 'O', 'x', 0});
    }
    PutTag(v, "data");
    Put32(v, declaredData ? declaredData : static_cast<uint32_t>(pcm.size()));
    v.insert(v.end(), pcm.begin(), pcm.end());
    return v;
}

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> v;
    for (int16_t s : samples) Put16(v, static_cast<uint16_t>(s));
    return v;
}

AudioMixer* ManualMixer() {
    AudioMixer* m = AudioMixer::GetInstance();
    m->UseManualOutput();
    return m;
}

std::vector<int16_t> Mix(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    AudioMixer::GetInstance()->Mix(out.data(), frames);
    return out;
}

void WriteAll(AudioStreamBuffer& b, const std::vector<int16_t>& samples) {
    uint8_t* p1 = nullptr;
    uint8_t* p2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    ASSERT_TRUE(b.Lock(0, b.Size(), &p1, &n1, &p2, &n2));
    ASSERT_EQ(n1, samples.size() * 2);
    std::memcpy(p1, samples.data(), n1);
    ASSERT_TRUE(b.Unlock());
}

}  // namespace

TEST(WaveParseTest, ReadsTheLayoutWithItsDataAtByte46) {
    const std::vector<uint8_t> pcm = Pcm16({1, -2, 3, -4});
    const std::vector<uint8_t> file = WaveFile(Format(2, 44100), pcm);
    platform::WaveView w;
    ASSERT_TRUE(platform::ParseWave(file.data(), file.size(), w));
    EXPECT_EQ(w.dataOffset, 46u);
    EXPECT_EQ(w.dataBytes, 8u);
    EXPECT_EQ(w.format.channels, 2);
    EXPECT_EQ(w.format.avgBytesPerSec, 176400u);
    EXPECT_TRUE(w.format.IsPlayablePcm());
}

TEST(WaveParseTest, WalksOtherChunksAndCutsDataToTheFile) {
    const std::vector<uint8_t> pcm = Pcm16({5, 6, 7});
    std::vector<uint8_t> file = WaveFile(Format(1, 22050), pcm, 16, true, 1000);
    platform::WaveView w;
    ASSERT_TRUE(platform::ParseWave(file.data(), file.size(), w));
    EXPECT_EQ(w.dataOffset, 12u + 8 + 16 + 8 + 6 + 8);
    EXPECT_EQ(w.dataBytes, 6u);  // declared 1000, only 6 present
}

TEST(WaveParseTest, RejectsWhatIsNotAWave) {
    platform::WaveView w;
    std::vector<uint8_t> file = WaveFile(Format(1, 22050), Pcm16({1}));
    std::vector<uint8_t> bad = file;
    std::memcpy(bad.data() + 8, "AVI ", 4);
    EXPECT_FALSE(platform::ParseWave(bad.data(), bad.size(), w));
    EXPECT_FALSE(platform::ParseWave(file.data(), 20, w));  // cut inside the fmt chunk
    EXPECT_FALSE(platform::ParseWave(nullptr, 0, w));
    // A chunk size that would run past the end does not loop or overrun.
    bad = file;
    bad[16] = bad[17] = bad[18] = bad[19] = 0xFF;
    EXPECT_FALSE(platform::ParseWave(bad.data(), bad.size(), w));
    // A compressed format parses but is not playable PCM.
    PcmFormat mp3 = Format(1, 22050);
    mp3.formatTag = 85;
    file = WaveFile(mp3, Pcm16({1, 2}));
    ASSERT_TRUE(platform::ParseWave(file.data(), file.size(), w));
    EXPECT_FALSE(w.format.IsPlayablePcm());
}

TEST(AudioMixerTest, DecibelsToGain) {
    EXPECT_FLOAT_EQ(platform::GainFromHundredthsDb(0), 1.0f);
    EXPECT_NEAR(platform::GainFromHundredthsDb(-2000), 0.1f, 1e-6);
    EXPECT_NEAR(platform::GainFromHundredthsDb(-602), 0.5f, 1e-3);
    EXPECT_EQ(platform::GainFromHundredthsDb(-10000), 0.0f);
    EXPECT_GT(platform::GainFromHundredthsDb(-9600), 0.0f);
    EXPECT_LT(platform::GainFromHundredthsDb(-9600), 0.0001f);
}

TEST(AudioStreamBufferTest, LockWrapsRoundTheRingAndWritesBackOnUnlock) {
    AudioMixer* mixer = ManualMixer();
    auto b = mixer->CreateStreamBuffer(Format(1, 44100), 16);
    ASSERT_TRUE(b);
    uint8_t* p1 = nullptr;
    uint8_t* p2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    ASSERT_TRUE(b->Lock(12, 8, &p1, &n1, &p2, &n2));
    EXPECT_EQ(n1, 4u);
    EXPECT_EQ(n2, 4u);
    std::memset(p1, 0x11, n1);
    std::memset(p2, 0x22, n2);
    uint8_t* q1 = nullptr;
    uint32_t m1 = 0;
    EXPECT_FALSE(b->Lock(0, 4, &q1, &m1, nullptr, nullptr));  // already locked
    ASSERT_TRUE(b->Unlock());
    EXPECT_FALSE(b->Unlock());

    ASSERT_TRUE(b->Lock(0, 16, &p1, &n1, &p2, &n2));
    ASSERT_EQ(n1, 16u);
    EXPECT_EQ(p2, nullptr);
    EXPECT_EQ(p1[0], 0x22);
    EXPECT_EQ(p1[3], 0x22);
    EXPECT_EQ(p1[4], 0);
    EXPECT_EQ(p1[12], 0x11);
    EXPECT_EQ(p1[15], 0x11);
    ASSERT_TRUE(b->Unlock());
    EXPECT_FALSE(b->Lock(16, 4, &p1, &n1, &p2, &n2));  // offset outside the ring
}

// A stopped ring is written in place, and the mixer does not play it while
// the lock is open; a playing ring is lent as a copy, so the mixer goes on
// playing the old bytes until Unlock.
TEST(AudioStreamBufferTest, AStoppedRingIsWrittenInPlaceAPlayingOneThroughACopy) {
    ManualMixer();
    auto b = AudioMixer::GetInstance()->CreateStreamBuffer(Format(1, 44100), 8 * 2);
    ASSERT_TRUE(b);
    uint8_t* p1 = nullptr;
    uint8_t* p2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    ASSERT_TRUE(b->Lock(0, 16, &p1, &n1, &p2, &n2));
    const std::vector<int16_t> first(8, 3000);
    std::memcpy(p1, first.data(), 16);
    ASSERT_TRUE(b->Play(true));
    std::vector<int16_t> out = Mix(4);
    EXPECT_EQ(out, std::vector<int16_t>(8, 0)) << "nothing is heard of a ring being written";
    EXPECT_EQ(b->GetCurrentPosition(), 0u);
    ASSERT_TRUE(b->Unlock());
    out = Mix(2);
    EXPECT_NEAR(out[0], 3000, 1);
    EXPECT_NEAR(out[2], 3000, 1);

    // Playing: the lock lends a copy of what is there.
    ASSERT_TRUE(b->Lock(0, 16, &p1, &n1, &p2, &n2));
    int16_t lent;
    std::memcpy(&lent, p1, 2);
    EXPECT_EQ(lent, 3000);
    const std::vector<int16_t> second(8, -2000);
    std::memcpy(p1, second.data(), 16);
    out = Mix(2);  // frames 2 and 3, still the old bytes
    EXPECT_NEAR(out[0], 3000, 1);
    EXPECT_NEAR(out[2], 3000, 1);
    ASSERT_TRUE(b->Unlock());
    out = Mix(2);
    EXPECT_NEAR(out[0], -2000, 1);
}

// The change count moves with the ring's bytes, its playing, its cursor and
// its notification positions, and stands still otherwise.
TEST(AudioStreamBufferTest, EveryChangeToTheRingIsCounted) {
    ManualMixer();
    auto b = AudioMixer::GetInstance()->CreateStreamBuffer(Format(2, 44100), 100 * 4);
    ASSERT_TRUE(b);
    const uint32_t positions[2] = {0, 50 * 4};
    struct Case {
        const char* what;
        std::function<void()> act;
        bool counts;
    };
    uint8_t* p = nullptr;
    uint32_t n = 0;
    const Case cases[] = {
        {"a mix while stopped", [] { Mix(10); }, false},
        {"a poll", [&] { b->PollNotification(); }, false},
        {"a volume", [&] { b->SetVolume(-300); }, false},
        {"a stop while stopped", [&] { b->Stop(); }, false},
        {"a lock", [&] { b->Lock(0, 8, &p, &n, nullptr, nullptr); }, false},
        {"its unlock", [&] { b->Unlock(); }, true},
        {"notification positions", [&] { b->SetNotificationPositions(positions, 2); }, true},
        {"a cursor move", [&] { b->SetCurrentPosition(8); }, true},
        {"play", [&] { b->Play(true); }, true},
        {"a mix while playing", [] { Mix(10); }, true},
        {"stop", [&] { b->Stop(); }, true},
    };
    for (const Case& c : cases) {
        const uint64_t before = b->ChangeCount();
        c.act();
        EXPECT_EQ(b->ChangeCount() != before, c.counts) << c.what;
    }
}

TEST(AudioStreamBufferTest, NotificationsSignalWhenTheCursorReachesThem) {
    AudioMixer* mixer = ManualMixer();
    auto b = mixer->CreateStreamBuffer(Format(2, 44100), 300 * 4);
    ASSERT_TRUE(b);
    const uint32_t positions[3] = {0, 100 * 4, 200 * 4};
    ASSERT_TRUE(b->SetNotificationPositions(positions, 3));
    EXPECT_EQ(b->PollNotification(), -1);
    Mix(10);
    EXPECT_EQ(b->PollNotification(), -1);  // not playing: nothing moves
    EXPECT_EQ(b->GetCurrentPosition(), 0u);

    // The hook hears of every mix in which a position was reached.
    static int hooked = 0;
    hooked = 0;
    mixer->SetNotificationHook([] { ++hooked; });
    ASSERT_TRUE(b->Play(true));
    Mix(1);
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(b->PollNotification(), 0);  // playing starts on position 0
    EXPECT_EQ(b->PollNotification(), -1);  // consumed
    Mix(98);
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(b->GetCurrentPosition(), 99u * 4);
    EXPECT_EQ(b->PollNotification(), -1);
    Mix(1);
    EXPECT_EQ(hooked, 2);
    mixer->SetNotificationHook(nullptr);
    EXPECT_EQ(b->PollNotification(), 1);
    Mix(200);  // round to frame 0 again: positions 2 and 0 pass
    EXPECT_EQ(b->GetCurrentPosition(), 0u);
    EXPECT_EQ(b->PollNotification(), 0);  // lowest first
    EXPECT_EQ(b->PollNotification(), 2);
    EXPECT_EQ(b->PollNotification(), -1);

    b->Stop();
    EXPECT_FALSE(b->IsPlaying());
    ASSERT_TRUE(b->SetCurrentPosition(0));
    EXPECT_FALSE(b->SetCurrentPosition(300 * 4));
    const uint32_t outside[1] = {300 * 4};
    EXPECT_FALSE(b->SetNotificationPositions(outside, 1));
}

TEST(AudioStreamBufferTest, PlaysItsSamplesAtTheirLevelAndVolume) {
    AudioMixer* mixer = ManualMixer();
    auto b = mixer->CreateStreamBuffer(Format(2, 44100), 64 * 4);
    std::vector<int16_t> samples;
    for (int i = 0; i < 64; ++i) {
        samples.push_back(static_cast<int16_t>(i * 100));
        samples.push_back(static_cast<int16_t>(-i * 50));
    }
    WriteAll(*b, samples);
    ASSERT_TRUE(b->Play(true));
    std::vector<int16_t> out = Mix(128);  // twice round
    for (int i = 0; i < 128; ++i) {
        EXPECT_NEAR(out[2 * i], samples[2 * (i % 64)], 1) << i;
        EXPECT_NEAR(out[2 * i + 1], samples[2 * (i % 64) + 1], 1) << i;
    }
    b->SetVolume(-602);
    EXPECT_EQ(b->GetVolume(), -602);
    out = Mix(64);
    EXPECT_NEAR(out[2 * 40], samples[2 * 40] / 2, 3);
    b->SetVolume(-10000);
    out = Mix(64);
    for (int16_t v : out) EXPECT_EQ(v, 0);
}

TEST(AudioStreamBufferTest, PlayingOnceStopsAtTheEnd) {
    AudioMixer* mixer = ManualMixer();
    auto b = mixer->CreateStreamBuffer(Format(1, 44100), 50 * 2);
    WriteAll(*b, std::vector<int16_t>(50, 8000));
    ASSERT_TRUE(b->Play(false));
    std::vector<int16_t> out = Mix(80);
    EXPECT_FALSE(b->IsPlaying());
    EXPECT_NEAR(out[2 * 49], 8000, 1);
    EXPECT_EQ(out[2 * 50], 0);
}

TEST(AudioStreamBufferTest, ABufferAtAnotherRateIsResampled) {
    AudioMixer* mixer = ManualMixer();
    auto b = mixer->CreateStreamBuffer(Format(1, 22050), 100 * 2);
    const uint32_t positions[2] = {0, 50 * 2};
    ASSERT_TRUE(b->SetNotificationPositions(positions, 2));
    ASSERT_TRUE(b->Play(true));
    Mix(1);
    EXPECT_EQ(b->PollNotification(), 0);
    Mix(98);  // 49.5 source frames
    EXPECT_EQ(b->PollNotification(), -1);
    Mix(2);
    EXPECT_EQ(b->PollNotification(), 1);
    EXPECT_EQ(b->GetCurrentPosition(), 50u * 2);
}

TEST(AudioMixerTest, EffectVoicesPlayWithRepeatsAndResampling) {
    AudioMixer* mixer = ManualMixer();
    const std::vector<uint8_t> pcm = Pcm16(std::vector<int16_t>(100, 6000));
    auto fast = AudioClip::FromPcm(Format(1, 44100), pcm.data(), static_cast<uint32_t>(pcm.size()));
    ASSERT_TRUE(fast);
    ASSERT_TRUE(mixer->PlayClip(fast, 2));  // three times in a row
    std::vector<int16_t> out = Mix(400);
    EXPECT_NEAR(out[2 * 299], 6000, 1);
    EXPECT_NEAR(out[2 * 299 + 1], 6000, 1);  // mono reaches both sides
    EXPECT_EQ(out[2 * 300], 0);
    EXPECT_EQ(mixer->ActiveVoiceCount(), 0);

    auto slow = AudioClip::FromPcm(Format(1, 22050), pcm.data(), static_cast<uint32_t>(pcm.size()));
    ASSERT_TRUE(mixer->PlayClip(slow, 0));
    out = Mix(199);
    EXPECT_NEAR(out[2 * 198], 6000, 1);
    EXPECT_EQ(mixer->ActiveVoiceCount(), 1);
    Mix(2);
    EXPECT_EQ(mixer->ActiveVoiceCount(), 0);

    // Eight-bit samples are unsigned around 128.
    const uint8_t eight[4] = {128, 192, 64, 128};
    auto clip8 = AudioClip::FromPcm(Format(1, 44100, 8), eight, 4);
    ASSERT_TRUE(clip8);
    EXPECT_FLOAT_EQ(clip8->Sample(1, 0), 0.5f);
    EXPECT_FLOAT_EQ(clip8->Sample(2, 0), -0.5f);
    EXPECT_FALSE(AudioClip::FromPcm(Format(1, 44100), eight, 1));  // not one whole frame
}

TEST(AudioMixerTest, EffectVolumeAndTheVoiceLimit) {
    AudioMixer* mixer = ManualMixer();
    const std::vector<uint8_t> pcm = Pcm16(std::vector<int16_t>(1000, 10000));
    auto clip = AudioClip::FromPcm(Format(1, 44100), pcm.data(), static_cast<uint32_t>(pcm.size()));
    mixer->SetEffectVolume(-2000);
    mixer->PlayClip(clip, 0);
    std::vector<int16_t> out = Mix(10);
    EXPECT_NEAR(out[10], 1000, 2);
    for (int i = 0; i < 40; ++i) mixer->PlayClip(clip, 0);
    EXPECT_EQ(mixer->ActiveVoiceCount(), AudioMixer::kMaxVoices);
    mixer->StopClips();
    EXPECT_EQ(mixer->ActiveVoiceCount(), 0);
}

TEST(AudioMixerTest, LoudSumsBendInsteadOfClipping) {
    EXPECT_FLOAT_EQ(AudioMixer::Limit(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(AudioMixer::Limit(-0.8f), -0.8f);
    float previous = 0.0f;
    for (float x = 0.0f; x < 6.0f; x += 0.01f) {
        const float y = AudioMixer::Limit(x);
        EXPECT_GE(y, previous);
        EXPECT_LT(y, 1.0f);
        EXPECT_FLOAT_EQ(AudioMixer::Limit(-x), -y);
        previous = y;
    }

    // Three full-scale voices: far above full scale, still no wrap and no
    // flat top at the rails.
    AudioMixer* mixer = ManualMixer();
    std::vector<int16_t> wave;
    for (int i = 0; i < 441; ++i) wave.push_back(static_cast<int16_t>(std::lrint(32000 * std::sin(i * 0.1))));
    const std::vector<uint8_t> pcm = Pcm16(wave);
    auto clip = AudioClip::FromPcm(Format(1, 44100), pcm.data(), static_cast<uint32_t>(pcm.size()));
    for (int i = 0; i < 3; ++i) mixer->PlayClip(clip, 0);
    std::vector<int16_t> out = Mix(441);
    for (int i = 0; i < 441; ++i) {
        EXPECT_LT(std::abs(out[2 * i]), 32767);
        if (wave[i] > 3000) {
            EXPECT_GT(out[2 * i], 0) << i;
        }
        if (wave[i] < -3000) {
            EXPECT_LT(out[2 * i], 0) << i;
        }
    }
}
