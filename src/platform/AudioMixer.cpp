#include "platform/AudioMixer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/MidiPlayer.h"

namespace platform {
namespace {

constexpr uint64_t kOne = 1ull << 32;  // 1.0 in 32.32 fixed point
constexpr int kChunkFrames = 512;

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

float DecodeSample(const uint8_t* p, int bits) {
    if (bits == 8) return (static_cast<int>(p[0]) - 128) / 128.0f;
    return static_cast<int16_t>(Read16(p)) / 32768.0f;
}

uint64_t StepFor(uint32_t sourceRate) {
    return (static_cast<uint64_t>(sourceRate) << 32) / static_cast<uint64_t>(kAudioOutputRate);
}

}  // namespace

bool PcmFormat::IsPlayablePcm() const {
    if (formatTag != 1) return false;
    if (channels != 1 && channels != 2) return false;
    if (bitsPerSample != 8 && bitsPerSample != 16) return false;
    if (samplesPerSec < 1000 || samplesPerSec > 192000) return false;
    if (blockAlign != channels * bitsPerSample / 8) return false;
    return avgBytesPerSec == samplesPerSec * blockAlign;
}

bool ParseWave(const uint8_t* bytes, size_t size, WaveView& out) {
    if (!bytes || size < 12) return false;
    if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return false;
    bool haveFormat = false;
    size_t pos = 12;
    while (pos + 8 <= size) {
        const uint8_t* chunk = bytes + pos;
        const uint32_t chunkSize = Read32(chunk + 4);
        const size_t body = pos + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (chunkSize < 16 || body + 16 > size) return false;
            const uint8_t* f = bytes + body;
            out.format.formatTag = Read16(f);
            out.format.channels = Read16(f + 2);
            out.format.samplesPerSec = Read32(f + 4);
            out.format.avgBytesPerSec = Read32(f + 8);
            out.format.blockAlign = Read16(f + 12);
            out.format.bitsPerSample = Read16(f + 14);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return false;
            out.dataOffset = static_cast<uint32_t>(body);
            const size_t present = size - body;
            out.dataBytes = static_cast<uint32_t>(std::min<size_t>(chunkSize, present));
            return true;
        }
        // Chunks are padded to an even size.
        const size_t next = body + static_cast<size_t>(chunkSize) + (chunkSize & 1u);
        if (next <= pos) return false;
        pos = next;
    }
    return false;
}

float GainFromHundredthsDb(int32_t hundredthsDb) {
    if (hundredthsDb <= kSilenceHundredthsDb) return 0.0f;
    if (hundredthsDb >= 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

// ---------------------------------------------------------------------------
// Stream buffers

AudioStreamBuffer::AudioStreamBuffer(AudioMixer* mixer, const PcmFormat& format, uint32_t bytes)
    : m_mixer(mixer), m_format(format) {
    m_frames = bytes / format.blockAlign;
    m_data.assign(static_cast<size_t>(m_frames) * format.blockAlign, format.bitsPerSample == 8 ? 0x80 : 0);
    m_step = StepFor(format.samplesPerSec);
}

AudioStreamBuffer::~AudioStreamBuffer() {
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    auto& list = m_mixer->m_streams;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

bool AudioStreamBuffer::Lock(uint32_t offset, uint32_t bytes, uint8_t** first, uint32_t* firstBytes,
                             uint8_t** second, uint32_t* secondBytes) {
    const uint32_t size = Size();
    if (m_locked || !first || !firstBytes || offset >= size || bytes == 0) return false;
    bytes = std::min(bytes, size);
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    const uint32_t head = std::min(bytes, size - offset);
    // A stopped ring is not read by the mixer: it is lent in place.
    m_lockedInPlace = !m_playing;
    uint8_t* region = m_data.data() + offset;
    uint8_t* wrapped = m_data.data();
    if (!m_lockedInPlace) {
        m_staging.resize(bytes);
        std::memcpy(m_staging.data(), m_data.data() + offset, head);
        if (bytes > head) std::memcpy(m_staging.data() + head, m_data.data(), bytes - head);
        region = m_staging.data();
        wrapped = m_staging.data() + head;
    }
    *first = region;
    *firstBytes = head;
    if (second) *second = bytes > head ? wrapped : nullptr;
    if (secondBytes) *secondBytes = bytes - head;
    if (bytes > head && !second) {
        // The caller takes one region only: the lock ends at the ring's end.
        bytes = head;
        if (!m_lockedInPlace) m_staging.resize(bytes);
    }
    m_lockOffset = offset;
    m_lockBytes = bytes;
    m_locked = true;
    return true;
}

bool AudioStreamBuffer::Unlock() {
    if (!m_locked) return false;
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    if (!m_lockedInPlace) {
        const uint32_t size = Size();
        const uint32_t head = std::min(m_lockBytes, size - m_lockOffset);
        std::memcpy(m_data.data() + m_lockOffset, m_staging.data(), head);
        if (m_lockBytes > head) std::memcpy(m_data.data(), m_staging.data() + head, m_lockBytes - head);
    }
    m_locked = false;
    m_lockedInPlace = false;
    ++m_changes;
    return true;
}

bool AudioStreamBuffer::Play(bool looping) {
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    if (m_frames == 0) return false;
    if (!m_playing) m_enterPending = true;
    m_playing = true;
    m_looping = looping;
    ++m_changes;
    return true;
}

void AudioStreamBuffer::Stop() {
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    if (m_playing) ++m_changes;
    m_playing = false;
}

bool AudioStreamBuffer::IsPlaying() const {
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    return m_playing;
}

uint32_t AudioStreamBuffer::GetCurrentPosition() const {
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    return m_cursor * m_format.blockAlign;
}

bool AudioStreamBuffer::SetCurrentPosition(uint32_t offset) {
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    if (offset >= Size()) return false;
    m_cursor = offset / m_format.blockAlign;
    m_fraction = 0;
    if (m_playing) m_enterPending = true;
    ++m_changes;
    return true;
}

void AudioStreamBuffer::SetVolume(int32_t hundredthsDb) {
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    m_volume = std::clamp(hundredthsDb, kSilenceHundredthsDb, 0);
    m_gain = GainFromHundredthsDb(m_volume);
}

int32_t AudioStreamBuffer::GetVolume() const {
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    return m_volume;
}

bool AudioStreamBuffer::SetNotificationPositions(const uint32_t* offsets, int count) {
    if (count < 0 || (count > 0 && !offsets)) return false;
    for (int i = 0; i < count; ++i) {
        if (offsets[i] >= Size()) return false;
    }
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    m_notifyFrames.clear();
    for (int i = 0; i < count; ++i) m_notifyFrames.push_back(offsets[i] / m_format.blockAlign);
    m_signalled.assign(m_notifyFrames.size(), false);
    ++m_changes;
    return true;
}

int AudioStreamBuffer::PollNotification() {
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    for (size_t i = 0; i < m_signalled.size(); ++i) {
        if (m_signalled[i]) {
            m_signalled[i] = false;
            return static_cast<int>(i);
        }
    }
    return -1;
}

uint64_t AudioStreamBuffer::ChangeCount() const {
    std::lock_guard<std::mutex> lock(m_mixer->m_mutex);
    return m_changes;
}

void AudioStreamBuffer::Signal(uint32_t frame) {
    for (size_t i = 0; i < m_notifyFrames.size(); ++i) {
        if (m_notifyFrames[i] == frame) {
            m_signalled[i] = true;
            m_mixer->m_notified = true;
        }
    }
}

float AudioStreamBuffer::SampleAt(uint32_t frame, int channel) const {
    const int ch = std::min<int>(channel, m_format.channels - 1);
    const size_t at = static_cast<size_t>(frame) * m_format.blockAlign + ch * (m_format.bitsPerSample / 8);
    return DecodeSample(m_data.data() + at, m_format.bitsPerSample);
}

void AudioStreamBuffer::MixInto(float* out, int frames) {
    if (!m_playing || m_frames == 0 || m_lockedInPlace) return;
    ++m_changes;
    const bool exact = m_step == kOne;
    for (int i = 0; i < frames; ++i) {
        if (m_enterPending) {
            m_enterPending = false;
            Signal(m_cursor);
        }
        float left = SampleAt(m_cursor, 0);
        float right = SampleAt(m_cursor, 1);
        if (!exact && m_fraction != 0) {
            uint32_t next = m_cursor + 1;
            if (next >= m_frames) next = m_looping ? 0 : m_cursor;
            const float t = static_cast<float>(static_cast<double>(m_fraction) / static_cast<double>(kOne));
            left += (SampleAt(next, 0) - left) * t;
            right += (SampleAt(next, 1) - right) * t;
        }
        out[2 * i] += left * m_gain;
        out[2 * i + 1] += right * m_gain;
        m_fraction += m_step;
        while (m_fraction >= kOne) {
            m_fraction -= kOne;
            ++m_cursor;
            if (m_cursor >= m_frames) {
                if (!m_looping) {
                    m_cursor = 0;
                    m_fraction = 0;
                    m_playing = false;
                    return;
                }
                m_cursor = 0;
            }
            Signal(m_cursor);
        }
    }
}

// ---------------------------------------------------------------------------
// Clips

std::shared_ptr<const AudioClip> AudioClip::FromPcm(const PcmFormat& format, const uint8_t* pcm, uint32_t bytes) {
    if (!format.IsPlayablePcm() || !pcm) return nullptr;
    const uint32_t frames = bytes / format.blockAlign;
    if (frames == 0) return nullptr;
    auto clip = std::make_shared<AudioClip>();
    clip->m_rate = static_cast<int>(format.samplesPerSec);
    clip->m_channels = format.channels;
    clip->m_samples.resize(static_cast<size_t>(frames) * format.channels);
    const int width = format.bitsPerSample / 8;
    for (size_t i = 0; i < clip->m_samples.size(); ++i) {
        clip->m_samples[i] = DecodeSample(pcm + i * width, format.bitsPerSample);
    }
    return clip;
}

// ---------------------------------------------------------------------------
// Mixer

AudioMixer* AudioMixer::GetInstance() {
    static AudioMixer instance;
    return &instance;
}

AudioMixer::AudioMixer() {
    m_scratch.resize(kChunkFrames * 2);
    m_voices.reserve(kMaxVoices);
    m_midi = std::make_unique<MidiPlayer>(m_mutex, kAudioOutputRate);
}

AudioMixer::~AudioMixer() { CloseOutput(); }

bool AudioMixer::OpenOutput() {
    if (m_manual) return true;
    if (m_device != 0) return true;
    if (m_openTried) return false;
    m_openTried = true;
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::fprintf(stderr, "sound: no audio output (%s); the game runs silent\n", SDL_GetError());
            return false;
        }
        m_startedAudio = true;
    }
    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = kAudioOutputRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    // A callback every 2048 frames, 46 ms: the sound thread wakes about 21
    // times a second, less often than the game's frame.
    want.samples = 2048;
    want.callback = &AudioMixer::DeviceCallback;
    want.userdata = this;
    SDL_AudioSpec have;
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (m_device == 0) {
        std::fprintf(stderr, "sound: no audio output (%s); the game runs silent\n", SDL_GetError());
        return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void AudioMixer::CloseOutput() {
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
    }
}

void AudioMixer::UseManualOutput() {
    CloseOutput();
    m_manual = true;
}

void AudioMixer::Reset() {
    CloseOutput();
    if (m_startedAudio) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_startedAudio = false;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_voices.clear();
    m_effectGain = 1.0f;
    m_midi = std::make_unique<MidiPlayer>(m_mutex, kAudioOutputRate);
    m_notified = false;
    m_notificationHook = nullptr;
    m_manual = false;
    m_openTried = false;
}

bool AudioMixer::IsOutputOpen() const { return m_manual || m_device != 0; }

void AudioMixer::DeviceCallback(void* userdata, uint8_t* stream, int len) {
    static_cast<AudioMixer*>(userdata)->Mix(reinterpret_cast<int16_t*>(stream), len / 4);
}

std::unique_ptr<AudioStreamBuffer> AudioMixer::CreateStreamBuffer(const PcmFormat& format, uint32_t bytes) {
    if (!format.IsPlayablePcm() || bytes < format.blockAlign) return nullptr;
    std::unique_ptr<AudioStreamBuffer> buffer(new AudioStreamBuffer(this, format, bytes));
    std::lock_guard<std::mutex> lock(m_mutex);
    m_streams.push_back(buffer.get());
    return buffer;
}

bool AudioMixer::PlayClip(std::shared_ptr<const AudioClip> clip, int32_t repeats) {
    if (!clip || clip->Frames() == 0) return false;
    Voice v;
    v.step = StepFor(static_cast<uint32_t>(clip->Rate()));
    v.repeatsLeft = repeats;
    v.clip = std::move(clip);
    std::lock_guard<std::mutex> lock(m_mutex);
    // The oldest voice gives way when all are busy.
    if (m_voices.size() >= kMaxVoices) m_voices.erase(m_voices.begin());
    m_voices.push_back(std::move(v));
    return true;
}

void AudioMixer::StopClips() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_voices.clear();
}

int AudioMixer::ActiveVoiceCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_voices.size());
}

void AudioMixer::SetEffectVolume(int32_t hundredthsDb) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_effectGain = GainFromHundredthsDb(hundredthsDb);
}

float AudioMixer::Limit(float x) {
    constexpr float kKnee = 0.8f;
    const float a = std::fabs(x);
    if (a <= kKnee) return x;
    const float room = 1.0f - kKnee;
    const float over = a - kKnee;
    // Slope 1 at the knee, creeping toward full scale without reaching it.
    const float bent = kKnee + room * over / (over + room);
    return x < 0 ? -bent : bent;
}

void AudioMixer::MixChunk(float* mix, int frames) {
    std::fill(mix, mix + 2 * frames, 0.0f);
    for (AudioStreamBuffer* s : m_streams) s->MixInto(mix, frames);

    for (size_t v = 0; v < m_voices.size();) {
        Voice& voice = m_voices[v];
        const AudioClip& clip = *voice.clip;
        const uint32_t n = clip.Frames();
        const bool stereo = clip.Channels() == 2;
        bool done = false;
        for (int i = 0; i < frames; ++i) {
            const uint32_t at = static_cast<uint32_t>(voice.position >> 32);
            const float t = static_cast<float>(static_cast<double>(voice.position & (kOne - 1)) / kOne);
            const uint32_t next = at + 1 < n ? at + 1 : at;
            const float l0 = clip.Sample(at, 0), l1 = clip.Sample(next, 0);
            const float l = l0 + (l1 - l0) * t;
            float r = l;
            if (stereo) {
                const float r0 = clip.Sample(at, 1), r1 = clip.Sample(next, 1);
                r = r0 + (r1 - r0) * t;
            }
            mix[2 * i] += l * m_effectGain;
            mix[2 * i + 1] += r * m_effectGain;
            voice.position += voice.step;
            if ((voice.position >> 32) >= n) {
                if (voice.repeatsLeft == 0) {
                    done = true;
                    break;
                }
                if (voice.repeatsLeft > 0) --voice.repeatsLeft;
                voice.position -= static_cast<uint64_t>(n) << 32;
            }
        }
        if (done) {
            m_voices.erase(m_voices.begin() + static_cast<long>(v));
        } else {
            ++v;
        }
    }

    m_midi->Render(mix, frames);
}

void AudioMixer::Mix(int16_t* out, int frames) {
    bool notified;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        while (frames > 0) {
            const int n = std::min(frames, kChunkFrames);
            MixChunk(m_scratch.data(), n);
            for (int i = 0; i < 2 * n; ++i) {
                const float y = Limit(m_scratch[i]);
                out[i] = static_cast<int16_t>(std::lrint(std::clamp(y, -1.0f, 1.0f) * 32767.0f));
            }
            out += 2 * n;
            frames -= n;
        }
        notified = m_notified;
        m_notified = false;
    }
    if (notified) {
        if (void (*hook)() = m_notificationHook.load()) hook();
    }
}

}  // namespace platform
