#include "platform/MidiPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

using platform::MidiPlayer;
using platform::MidiSink;
using platform::MidiSong;

namespace {

constexpr int kRate = 44100;
// At the default tempo (120 a minute) a quarter note lasts half a second.
constexpr long kQuarterFrames = kRate / 2;

struct Ev {
    uint32_t tick;
    std::vector<uint8_t> bytes;
};

void PutVarLen(std::vector<uint8_t>& v, uint32_t x) {
    uint8_t b[5];
    int n = 0;
    b[n++] = x & 0x7F;
    while (x >>= 7) b[n++] = static_cast<uint8_t>((x & 0x7F) | 0x80);
    while (n) v.push_back(b[--n]);
}

void PutBig(std::vector<uint8_t>& v, uint32_t x, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

std::vector<uint8_t> Smf(uint16_t division, const std::vector<std::vector<Ev>>& tracks, uint16_t format = 1) {
    std::vector<uint8_t> f = {'M', 'T', 'h', 'd'};
    PutBig(f, 6, 4);
    PutBig(f, format, 2);
    PutBig(f, static_cast<uint32_t>(tracks.size()), 2);
    PutBig(f, division, 2);
    for (const auto& t : tracks) {
        std::vector<uint8_t> body;
        uint32_t now = 0;
        for (const Ev& e : t) {
            PutVarLen(body, e.tick - now);
            now = e.tick;
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        }
        f.insert(f.end(), {'M', 'T', 'r', 'k'});
        PutBig(f, static_cast<uint32_t>(body.size()), 4);
        f.insert(f.end(), body.begin(), body.end());
    }
    return f;
}

Ev On(uint32_t tick, uint8_t key) { return {tick, {0x90, key, 100}}; }
Ev Off(uint32_t tick, uint8_t key) { return {tick, {0x80, key, 0}}; }
Ev End(uint32_t tick) { return {tick, {0xFF, 0x2F, 0x00}}; }

// Four quarter notes: program 5, then keys 60, 62, 64 on the beats, ending
// at tick 1920.
std::shared_ptr<MidiSong> FourBeats(std::vector<Ev> conductor = {End(0)}) {
    std::vector<Ev> notes = {{0, {0xC0, 5}}, On(0, 60), Off(240, 60), On(480, 62), Off(720, 62),
                             On(960, 64), Off(1200, 64), End(1920)};
    const std::vector<uint8_t> file = Smf(480, {conductor, notes});
    return MidiSong::Parse(file.data(), file.size());
}

struct Sent {
    long frame;
    uint8_t status, data1, data2;
};

class RecordingSink : public MidiSink {
public:
    RecordingSink(std::vector<Sent>* log, int* resets, float level) : m_log(log), m_resets(resets), m_level(level) {}
    void Send(uint8_t status, uint8_t d1, uint8_t d2) override { m_log->push_back({m_frame, status, d1, d2}); }
    void Render(float* left, float* right, int frames) override {
        for (int i = 0; i < frames; ++i) left[i] = right[i] = m_level;
        m_frame += frames;
    }
    void Reset() override { ++*m_resets; }

private:
    std::vector<Sent>* m_log;
    int* m_resets;
    float m_level;
    long m_frame = 0;
};

struct Rig {
    std::mutex mutex;
    MidiPlayer player{mutex, kRate};
    std::vector<Sent> log;
    int resets = 0;

    explicit Rig(float level = 0.0f) { player.SetSinkForTesting(std::make_unique<RecordingSink>(&log, &resets, level)); }
    std::vector<float> Render(long frames) {
        std::vector<float> out(static_cast<size_t>(frames) * 2, 0.0f);
        player.Render(out.data(), static_cast<int>(frames));
        return out;
    }
    std::vector<long> NoteOns(uint8_t key) const {
        std::vector<long> frames;
        for (const Sent& s : log) {
            if ((s.status & 0xF0) == 0x90 && s.data1 == key && s.data2 > 0) frames.push_back(s.frame);
        }
        return frames;
    }
};

}  // namespace

TEST(MidiSongTest, ParsesTracksIntoOneTimeLine) {
    // Running status, a sysex and an unknown meta event in the second track.
    std::vector<Ev> a = {On(0, 60), {10, {0x40, 90}}, {20, {0xF0, 0x02, 0x7E, 0xF7}},
                         {30, {0xFF, 0x01, 0x02, 'h', 'i'}}, Off(100, 60), End(200)};
    std::vector<Ev> b = {{0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}}, On(10, 72), End(300)};
    const std::vector<uint8_t> file = Smf(96, {a, b});
    auto song = MidiSong::Parse(file.data(), file.size());
    ASSERT_TRUE(song);
    EXPECT_EQ(song->Division(), 96);
    EXPECT_EQ(song->LengthTicks(), 300u);
    const auto& e = song->Events();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].status, 0x90);
    EXPECT_EQ(e[1].status, 0xFF);
    EXPECT_EQ(e[1].tempo, 500000u);
    EXPECT_EQ(e[2].tick, 10u);  // running status: key 0x40 of the first track
    EXPECT_EQ(e[2].data1, 0x40);
    EXPECT_EQ(e[3].data1, 72);  // then the second track's event of the same tick
    EXPECT_EQ(e[4].tick, 100u);
}

TEST(MidiSongTest, RejectsWhatItCannotPlay) {
    const std::vector<Ev> t = {On(0, 60), End(10)};
    std::vector<uint8_t> file = Smf(480, {t});
    EXPECT_TRUE(MidiSong::Parse(file.data(), file.size()));
    EXPECT_FALSE(MidiSong::Parse(file.data(), file.size() - 3));  // track cut short
    EXPECT_FALSE(MidiSong::Parse(file.data(), 10));
    const std::vector<uint8_t> smpte = Smf(0xE728, {t});
    EXPECT_FALSE(MidiSong::Parse(smpte.data(), smpte.size()));
    const std::vector<uint8_t> format2 = Smf(480, {t}, 2);
    EXPECT_FALSE(MidiSong::Parse(format2.data(), format2.size()));
    const std::vector<uint8_t> noStatus = Smf(480, {{{0, {0x40, 0x40}}, End(1)}});
    EXPECT_FALSE(MidiSong::Parse(noStatus.data(), noStatus.size()));
}

TEST(MidiSongTest, StartAndLoopPointsAreMusicTimeCheckedAgainstTheSong) {
    auto song = FourBeats();
    ASSERT_TRUE(song);
    EXPECT_EQ(song->TicksFromMusicTime(768), 480);
    EXPECT_TRUE(song->SetStartPoint(768));
    EXPECT_EQ(song->StartTick(), 480u);
    EXPECT_FALSE(song->SetStartPoint(768 * 5));
    EXPECT_EQ(song->StartTick(), 480u);
    EXPECT_TRUE(song->SetLoopPoints(768, 3072));
    EXPECT_EQ(song->LoopStartTick(), 480u);
    EXPECT_EQ(song->LoopEndTick(), 1920u);
    EXPECT_FALSE(song->SetLoopPoints(768, 3080));
    EXPECT_FALSE(song->SetLoopPoints(1536, 768));
    EXPECT_EQ(song->LoopEndTick(), 1920u);
}

TEST(MidiPlayerTest, StartsAtItsStartPointWithInstrumentsChased) {
    Rig rig;
    auto song = FourBeats();
    song->SetStartPoint(768);
    ASSERT_TRUE(rig.player.Play(song));
    EXPECT_TRUE(rig.player.IsPlaying(song.get()));
    rig.Render(kQuarterFrames * 3 + 100);
    ASSERT_FALSE(rig.log.empty());
    EXPECT_EQ(rig.log[0].status, 0xC0);  // program chased from before the start
    EXPECT_EQ(rig.log[0].data1, 5);
    EXPECT_TRUE(rig.NoteOns(60).empty());
    ASSERT_EQ(rig.NoteOns(62).size(), 1u);
    EXPECT_EQ(rig.NoteOns(62)[0], 0);
    ASSERT_EQ(rig.NoteOns(64).size(), 1u);
    EXPECT_NEAR(rig.NoteOns(64)[0], kQuarterFrames, 64);
    EXPECT_FALSE(rig.player.IsPlaying());  // three quarters to the song's end
}

TEST(MidiPlayerTest, LoopsBetweenItsLoopPointsForever) {
    Rig rig;
    auto song = FourBeats();
    song->SetStartPoint(0);
    song->SetLoopPoints(768, 1536);  // the second beat only
    song->SetRepeats(-1);
    rig.player.Play(song);
    rig.Render(kQuarterFrames * 4 + 100);
    const std::vector<long> at = rig.NoteOns(62);
    ASSERT_EQ(at.size(), 4u);
    for (size_t i = 0; i < at.size(); ++i) EXPECT_NEAR(at[i], kQuarterFrames * (1 + static_cast<long>(i)), 64);
    EXPECT_TRUE(rig.NoteOns(64).empty());  // beyond the loop end
    EXPECT_EQ(rig.NoteOns(60).size(), 1u);  // before the loop start: once
    EXPECT_TRUE(rig.player.IsPlaying());
}

TEST(MidiPlayerTest, ACountedRepeatLoopsThenPlaysOn) {
    Rig rig;
    auto song = FourBeats();
    song->SetLoopPoints(768, 1536);
    song->SetRepeats(1);
    rig.player.Play(song);
    rig.Render(kQuarterFrames * 6);
    EXPECT_EQ(rig.NoteOns(62).size(), 2u);
    ASSERT_EQ(rig.NoteOns(64).size(), 1u);
    EXPECT_NEAR(rig.NoteOns(64)[0], kQuarterFrames * 3, 64);
    EXPECT_FALSE(rig.player.IsPlaying());
}

TEST(MidiPlayerTest, TempoChangesAndTheTempoFactorMoveTheEvents) {
    {
        Rig rig;  // a tempo of 250000 us per quarter: twice as fast
        auto song = FourBeats({{0, {0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90}}, End(0)});
        rig.player.Play(song);
        rig.Render(kQuarterFrames * 2);
        ASSERT_EQ(rig.NoteOns(64).size(), 1u);
        EXPECT_NEAR(rig.NoteOns(64)[0], kQuarterFrames, 64);
    }
    {
        Rig rig;
        rig.player.SetTempoFactor(2.0f);
        rig.player.Play(FourBeats());
        rig.Render(kQuarterFrames * 2);
        ASSERT_EQ(rig.NoteOns(64).size(), 1u);
        EXPECT_NEAR(rig.NoteOns(64)[0], kQuarterFrames, 64);
    }
}

TEST(MidiPlayerTest, StopReleasesHeldNotes) {
    Rig rig;
    rig.player.Play(FourBeats());
    rig.Render(100);  // key 60 is down
    const int resetsBefore = rig.resets;
    rig.player.Stop();
    EXPECT_FALSE(rig.player.IsPlaying());
    EXPECT_GT(rig.resets, resetsBefore);
    ASSERT_FALSE(rig.log.empty());
    EXPECT_EQ(rig.log.back().status, 0x80);
    EXPECT_EQ(rig.log.back().data1, 60);
    const size_t sent = rig.log.size();
    rig.Render(kQuarterFrames * 2);
    EXPECT_EQ(rig.log.size(), sent);  // nothing more is sequenced
}

TEST(MidiPlayerTest, VolumeScalesTheSynthesiser) {
    Rig rig(0.5f);
    rig.player.SetVolume(-602);
    std::vector<float> out = rig.Render(10);
    EXPECT_NEAR(out[4], 0.25f, 0.01f);
    rig.player.SetVolume(-10000);
    out = rig.Render(10);
    EXPECT_EQ(out[4], 0.0f);
}

TEST(MidiPlayerTest, WithoutASoundFontItRunsSilently) {
    setenv("PELLUMBRISK_SOUNDFONT", "", 1);
    EXPECT_EQ(platform::FindSoundFont(), "");
    setenv("PELLUMBRISK_SOUNDFONT", "/nonexistent/font.sf2", 1);
    EXPECT_EQ(platform::FindSoundFont(), "");
    EXPECT_FALSE(platform::CreateSoundFontSynth("", kRate));
    EXPECT_FALSE(platform::CreateSoundFontSynth("/nonexistent/font.sf2", kRate));

    std::mutex mutex;
    MidiPlayer player(mutex, kRate);
    player.Prepare();  // says so once on stderr
    auto song = FourBeats();
    ASSERT_TRUE(player.Play(song));
    std::vector<float> out(kQuarterFrames * 2, 0.0f);
    player.Render(out.data(), kQuarterFrames);
    for (float v : out) EXPECT_EQ(v, 0.0f);
    EXPECT_TRUE(player.IsPlaying());
    EXPECT_GT(player.CurrentTick(), 400u);
}

TEST(MidiPlayerTest, TheSoundFontSynthesiserSounds) {
    unsetenv("PELLUMBRISK_SOUNDFONT");
    const std::string font = platform::FindSoundFont();
    if (font.empty()) GTEST_SKIP() << "no soundfont installed";
    std::unique_ptr<MidiSink> synth = platform::CreateSoundFontSynth(font, kRate);
    ASSERT_TRUE(synth);
    synth->Send(0xC0, 107, 0);
    synth->Send(0x90, 69, 110);
    std::vector<float> left(4410), right(4410);
    synth->Render(left.data(), right.data(), 4410);
    float peak = 0;
    for (float v : left) peak = std::max(peak, std::fabs(v));
    EXPECT_GT(peak, 0.001f);
    EXPECT_LT(peak, 1.0f);
}

namespace {

// Sounds at a set level with a set number of voices, counting the frames.
struct VoicedSink : MidiSink {
    int voices = 0;
    float level = 0;
    long rendered = 0;
    void Send(uint8_t, uint8_t, uint8_t) override {}
    void Render(float* left, float* right, int n) override {
        std::fill_n(left, n, level);
        std::fill_n(right, n, level);
        rendered += n;
    }
    void Reset() override {}
    int ActiveVoices() const override { return voices; }
};

}  // namespace

TEST(MidiPlayerTest, ASilentSynthesiserRestsUntilANoteReachesIt) {
    struct Case {
        int voices;  // -1: the sink cannot tell
        float level;
        long rendered;  // of 10000 frames
    } const cases[] = {{0, 0.0f, 4096}, {1, 0.0f, 10000}, {0, 0.0001f, 10000}, {-1, 0.0f, 10000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.voices << " voices at " << c.level);
        Rig rig;
        auto owned = std::make_unique<VoicedSink>();
        VoicedSink& sink = *owned;
        sink.voices = c.voices;
        sink.level = c.level;
        rig.player.SetSinkForTesting(std::move(owned));
        rig.Render(10000);
        EXPECT_EQ(sink.rendered, c.rendered);
        EXPECT_EQ(rig.player.SynthResting(), c.rendered < 10000);
        sink.level = 0.5f;
        rig.player.Play(FourBeats());  // its first note wakes it within the slice
        EXPECT_EQ(rig.Render(64)[0], 0.5f);
    }
}
