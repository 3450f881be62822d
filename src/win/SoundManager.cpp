#include "win/SoundManager.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/AudioMixer.h"
#include "platform/MidiPlayer.h"
#include "win/Resource.h"

using platform::AudioMixer;

namespace {
// An effect cannot start again for two passes of Update. Update runs once
// after every frame step of the main loop and once more at the start of the
// next logical frame, so two requests within one frame start the effect once
// and the next frame may start it again.
constexpr int32_t kCoolDownPasses = 2;
}  // namespace

CSoundManager* CSoundManager::GetInstance() {
    static CSoundManager instance;
    return &instance;
}

CSoundManager::CSoundManager() {
    // The mixer is made first so that it outlives the manager at exit.
    AudioMixer::GetInstance();
    for (int32_t& v : m_entryVolumes) v = 100;
    for (int32_t& v : m_coolDownLengths) v = kCoolDownPasses;
}

CSoundManager::~CSoundManager() {
    AudioMixer* mixer = AudioMixer::GetInstance();
    mixer->Midi()->Stop();
    mixer->StopClips();
    for (int entry = 0; entry < kMusicEntries; ++entry) {
        m_segments[entry].reset();
        ReleaseStream(entry);
    }
}

void CSoundManager::Shutdown() {
    for (int entry = 0; entry < kMusicEntries; ++entry) {
        m_segments[entry].reset();
        ReleaseStream(entry);
        m_streams[entry] = Stream{};
        m_entryVolumes[entry] = 100;
        m_tempos[entry] = 0;
    }
    for (int slot = 0; slot < kEffectSlots; ++slot) {
        m_effects[slot].reset();
        m_coolDownLengths[slot] = kCoolDownPasses;
        m_coolDowns[slot] = 0;
    }
    m_musicVolume = m_effectVolume = kDefaultVolume;
    m_ready = false;
    AudioMixer::GetInstance()->Reset();
}

int32_t CSoundManager::VolumeToDecibels(int32_t percent) {
    if (percent <= 0) return -9600;
    return static_cast<int32_t>(std::log10(percent / 100.0) * 20.0 * 100.0);
}

bool CSoundManager::Init() {
    if (!AudioMixer::GetInstance()->OpenOutput()) return false;
    m_ready = true;
    for (int slot = 0; slot < kEffectSlots; ++slot) LoadSE(slot, SoundEffectTable[slot]);
    SetMusicVolume(m_musicVolume);
    SetSEVolume(m_effectVolume);
    return true;
}

bool CSoundManager::LoadSE(int32_t slot, int32_t soundId) {
    if (!m_ready || slot < 0 || slot >= kEffectSlots) return false;
    m_effects[slot].reset();
    const ResourceBlob blob = FindResourceBlob(ResourceType::Wave, SoundResourceId(soundId));
    platform::WaveView wave;
    if (!blob || !platform::ParseWave(blob.data, blob.size, wave)) return false;
    m_effects[slot] = platform::AudioClip::FromPcm(wave.format, blob.data + wave.dataOffset, wave.dataBytes);
    return m_effects[slot] != nullptr;
}

void CSoundManager::ReleaseStream(int32_t entry) {
    Stream& s = m_streams[entry];
    s.buffer.reset();
    s.pcm = nullptr;
    s.pcmBytes = 0;
    s.filled = 0;
    s.rewound = false;
}

bool CSoundManager::LoadMusic(int32_t entry, int64_t start, int32_t soundId, const char* type, float tempo,
                              int64_t loopStart, int64_t loopEnd) {
    if (!m_ready || !ValidEntry(entry)) return false;
    StopAllMusic();
    m_segments[entry].reset();
    ReleaseStream(entry);

    if (!type || std::strcmp(type, "WAVE") != 0) {
        const ResourceBlob blob = FindResourceBlob(ResourceType::Midi, SoundResourceId(soundId));
        if (!blob) return false;
        std::shared_ptr<platform::MidiSong> song = platform::MidiSong::Parse(blob.data, blob.size);
        if (!song) return false;
        AudioMixer::GetInstance()->Midi()->Prepare();
        m_segments[entry] = song;
        if (!song->SetStartPoint(start)) return false;
        if (!song->SetLoopPoints(loopStart, loopEnd)) return false;
        m_tempos[entry] = tempo;
        return true;
    }

    Stream& s = m_streams[entry];
    s.skipNextNotification = true;
    const ResourceBlob blob = FindResourceBlob(ResourceType::Wave, SoundResourceId(soundId));
    if (!blob) return false;
    platform::WaveView wave;
    if (!platform::ParseWave(blob.data, blob.size, wave) || !wave.format.IsPlayablePcm()) return false;
    const uint32_t frameBytes = wave.format.blockAlign;
    const uint32_t pcmBytes = wave.dataBytes - wave.dataBytes % frameBytes;
    if (pcmBytes == 0) return false;

    // Loop points must lie inside the data, in whole frames; otherwise the
    // whole piece loops.
    loopStart -= loopStart % frameBytes;
    loopEnd -= loopEnd % frameBytes;
    if (loopStart < 0 || loopEnd <= loopStart || loopEnd > pcmBytes) {
        loopStart = 0;
        loopEnd = pcmBytes;
    }
    if (start < 0 || start >= loopEnd) start = 0;
    start -= start % frameBytes;

    const uint32_t bufferBytes = kStreamSeconds * wave.format.avgBytesPerSec;
    s.buffer = AudioMixer::GetInstance()->CreateStreamBuffer(wave.format, bufferBytes);
    if (!s.buffer) return false;
    s.pcm = blob.data + wave.dataOffset;
    s.pcmBytes = pcmBytes;
    s.loopStart = loopStart;
    s.loopEnd = loopEnd;
    s.bufferBytes = bufferBytes;
    s.filled = bufferBytes;  // nothing to fill until the fill begins below
    s.thirdSize = 2 * wave.format.avgBytesPerSec;
    s.fillStep = wave.format.avgBytesPerSec / 2;
    const uint32_t third = bufferBytes / 3;
    const uint32_t positions[3] = {0, third, 2 * third};
    if (!s.buffer->SetNotificationPositions(positions, 3)) return false;

    s.readPosition = static_cast<uint32_t>(start);
    return BeginFill(s);
}

// Copies the next n bytes of the piece, jumping back to the loop start at
// the loop end as often as the piece needs: a loop shorter than the buffer
// or a third of it repeats whole, so the first fill holds no silence after
// the loop end and no refill copies past it.
void CSoundManager::CopyPiece(Stream& s, uint8_t* to, uint32_t n) {
    while (n > 0) {
        if (s.loopEnd <= s.loopStart || s.loopEnd > s.pcmBytes) {
            std::memset(to, 0, n);  // nothing to loop over
            return;
        }
        if (s.readPosition >= s.loopEnd) s.readPosition = static_cast<uint32_t>(s.loopStart);
        const uint32_t chunk = std::min<uint32_t>(n, static_cast<uint32_t>(s.loopEnd - s.readPosition));
        std::memcpy(to, s.pcm + s.readPosition, chunk);
        to += chunk;
        n -= chunk;
        s.readPosition += chunk;
        if (s.readPosition >= s.loopEnd) s.readPosition = static_cast<uint32_t>(s.loopStart);
    }
}

bool CSoundManager::FillRegion(Stream& s, uint32_t offset, uint32_t bytes) {
    uint8_t* first = nullptr;
    uint8_t* second = nullptr;
    uint32_t firstBytes = 0, secondBytes = 0;
    if (!s.buffer->Lock(offset, bytes, &first, &firstBytes, &second, &secondBytes)) return false;
    CopyPiece(s, first, firstBytes);
    if (second) CopyPiece(s, second, secondBytes);
    return s.buffer->Unlock();
}

bool CSoundManager::FillAhead(Stream& s, uint32_t bytes) {
    bytes = std::min(bytes, s.bufferBytes - s.filled);
    if (bytes == 0) return true;
    const bool rewound = IsRewound(s);
    if (!FillRegion(s, s.filled, bytes)) return false;
    s.filled += bytes;
    if (rewound) s.rewoundAt = s.buffer->ChangeCount();
    return true;
}

bool CSoundManager::BeginFill(Stream& s) {
    s.filled = 0;
    return FillAhead(s, s.fillStep);
}

bool CSoundManager::FinishFill(Stream& s) { return !s.buffer || FillAhead(s, s.bufferBytes - s.filled); }

bool CSoundManager::IsRewound(const Stream& s) const {
    return s.rewound && s.buffer && s.buffer->ChangeCount() == s.rewoundAt;
}

bool CSoundManager::ReleaseMusic(int32_t entry) {
    if (ValidEntry(entry)) m_segments[entry].reset();
    return true;
}

int32_t CSoundManager::MusicDecibels(int32_t entry) const {
    const int32_t p = std::min(m_entryVolumes[entry] * m_musicVolume / 100, 100);
    return VolumeToDecibels(p);
}

bool CSoundManager::StartMusic(int32_t entry) {
    if (!ValidEntry(entry)) return false;
    Stream& s = m_streams[entry];
    if (s.buffer) {
        s.buffer->SetVolume(MusicDecibels(entry));
        s.buffer->Play(true);
        return true;
    }
    if (!m_ready || !m_segments[entry]) return false;
    platform::MidiPlayer* midi = AudioMixer::GetInstance()->Midi();
    midi->SetTempoFactor(m_tempos[entry]);
    midi->SetVolume(MusicDecibels(entry));
    return midi->Play(m_segments[entry]);
}

bool CSoundManager::StopAllMusic() {
    for (Stream& s : m_streams) {
        if (!s.buffer) continue;
        // Still stopped at its start, over the bytes of the last rewind (or
        // on the way to them): rewinding again would change nothing.
        if (IsRewound(s)) continue;
        s.buffer->Stop();
        s.buffer->SetCurrentPosition(0);
        // A signal left from before the stop would be taken for the start.
        while (s.buffer->PollNotification() >= 0) {
        }
        s.skipNextNotification = true;
        s.readPosition = 0;
        s.rewound = false;
        if (!BeginFill(s)) return false;
        s.rewound = true;
        s.rewoundAt = s.buffer->ChangeCount();
    }
    if (!m_ready) return false;
    AudioMixer::GetInstance()->Midi()->Stop();
    return true;
}

int32_t CSoundManager::GetPlayingMusic() {
    platform::MidiPlayer* midi = AudioMixer::GetInstance()->Midi();
    for (int entry = 0; entry < kMusicEntries; ++entry) {
        if (m_streams[entry].buffer) {
            if (m_streams[entry].buffer->IsPlaying()) return entry;
        } else if (m_ready && m_segments[entry] && midi->IsPlaying(m_segments[entry].get())) {
            return entry;
        }
    }
    return -1;
}

bool CSoundManager::SetMusicVolume(int32_t percent) {
    m_musicVolume = percent;
    if (m_ready) {
        const int32_t playing = GetPlayingMusic();
        if (playing != -1) AudioMixer::GetInstance()->Midi()->SetVolume(MusicDecibels(playing));
    }
    for (int entry = 0; entry < kMusicEntries; ++entry) {
        if (m_streams[entry].buffer) m_streams[entry].buffer->SetVolume(MusicDecibels(entry));
    }
    return true;
}

bool CSoundManager::SetSEVolume(int32_t percent) {
    m_effectVolume = percent;
    if (m_ready) AudioMixer::GetInstance()->SetEffectVolume(VolumeToDecibels(percent));
    return true;
}

bool CSoundManager::PlaySE(int32_t slot, int32_t repeats) {
    if (SoundEffectObserver()) SoundEffectObserver()(slot);
    if (!m_ready || slot < 0 || slot >= kEffectSlots || !m_effects[slot]) return false;
    if (m_coolDowns[slot] > 0) return true;
    if (!AudioMixer::GetInstance()->PlayClip(m_effects[slot], repeats)) return false;
    m_coolDowns[slot] = m_coolDownLengths[slot];
    return true;
}

bool CSoundManager::Update() {
    for (int32_t& c : m_coolDowns) {
        if (c > 0) --c;
    }
    // Rings still being filled get their next half second.
    for (Stream& s : m_streams) {
        if (s.buffer && !FillAhead(s, s.fillStep)) return false;
    }
    for (Stream& s : m_streams) {
        if (!s.buffer) continue;
        const int k = s.buffer->PollNotification();
        if (k < 0) continue;
        if (s.skipNextNotification) {
            // Playback has just begun over a freshly filled ring.
            s.skipNextNotification = false;
            return true;
        }
        // Refill the third that has just been played (after the rest of
        // the ring, should a fill still be under way).
        if (!FinishFill(s)) return false;
        const uint32_t third = s.bufferBytes / 3;
        const uint32_t offset = k == 0 ? 2 * third : static_cast<uint32_t>(k - 1) * third;
        if (!FillRegion(s, offset, s.thirdSize)) return false;
    }
    return true;
}

bool CSoundManager::HasMusicSegment(int32_t entry) const { return ValidEntry(entry) && m_segments[entry] != nullptr; }

void CSoundManager::SetMusicRepeats(int32_t entry, int32_t repeats) {
    if (HasMusicSegment(entry)) m_segments[entry]->SetRepeats(repeats);
}

void CSoundManager::SetEntryVolume(int32_t entry, int32_t percent) {
    if (ValidEntry(entry)) m_entryVolumes[entry] = percent;
}

int32_t CSoundManager::GetEntryVolume(int32_t entry) const { return ValidEntry(entry) ? m_entryVolumes[entry] : 0; }

platform::AudioStreamBuffer* CSoundManager::GetStreamBuffer(int32_t entry) {
    if (!ValidEntry(entry)) return nullptr;
    FinishFill(m_streams[entry]);
    return m_streams[entry].buffer.get();
}

uint32_t CSoundManager::GetReadPosition(int32_t entry) {
    if (!ValidEntry(entry)) return 0;
    FinishFill(m_streams[entry]);
    return m_streams[entry].readPosition;
}

int64_t CSoundManager::GetLoopStart(int32_t entry) const { return ValidEntry(entry) ? m_streams[entry].loopStart : 0; }

int64_t CSoundManager::GetLoopEnd(int32_t entry) const { return ValidEntry(entry) ? m_streams[entry].loopEnd : 0; }

int32_t CSoundManager::GetCoolDown(int32_t slot) const {
    return slot >= 0 && slot < kEffectSlots ? m_coolDowns[slot] : 0;
}
