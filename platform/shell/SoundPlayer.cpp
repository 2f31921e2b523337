#include "platform/shell/SoundPlayer.h"

#include <SDL.h>

#include <chrono>
#include <thread>

namespace tw::shell {

namespace {

constexpr Uint16 kSoundBufferSamples = 256;

// SDL's wave buffer, freed however the play ends.
struct LoadedWave {
    SDL_AudioSpec spec{};
    Uint8* samples = nullptr;
    Uint32 length = 0;
    ~LoadedWave()
    {
        if (samples)
            SDL_FreeWAV(samples);
    }
};

bool LoadWave(const std::vector<uint8_t>& image, LoadedWave& wave)
{
    if (image.empty())
        return false;
    SDL_RWops* stream = SDL_RWFromConstMem(image.data(), int(image.size()));
    if (!stream)
        return false;
    return SDL_LoadWAV_RW(stream, 1, &wave.spec, &wave.samples, &wave.length) != nullptr;
}

std::chrono::milliseconds PlayingTime(const LoadedWave& wave)
{
    const int bytesPerSecond = wave.spec.freq * wave.spec.channels * (SDL_AUDIO_BITSIZE(wave.spec.format) / 8);
    if (bytesPerSecond <= 0)
        return std::chrono::milliseconds(0);
    return std::chrono::milliseconds(uint64_t(wave.length) * 1000 / uint64_t(bytesPerSecond));
}

}  // namespace

SoundPlayer& SoundPlayer::Instance()
{
    static SoundPlayer player;
    return player;
}

bool SoundPlayer::EnsureAudioLocked()
{
    if (audioStarted_)
        return true;
    audioStarted_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    return audioStarted_;
}

void SoundPlayer::CloseDeviceLocked()
{
    if (device_)
        SDL_CloseAudioDevice(device_);
    device_ = 0;
}

bool SoundPlayer::IsPlaying()
{
    std::lock_guard lock(mutex_);
    return device_ && SDL_GetQueuedAudioSize(device_) > 0;
}

bool SoundPlayer::Play(const std::vector<uint8_t>& waveImage, bool async, bool noStop)
{
    LoadedWave wave;
    if (!LoadWave(waveImage, wave))
        return false;
    SDL_AudioDeviceID device = 0;
    {
        std::lock_guard lock(mutex_);
        if (noStop && device_ && SDL_GetQueuedAudioSize(device_) > 0)
            return false;
        if (!EnsureAudioLocked())
            return false;
        CloseDeviceLocked();
        // Short device buffers: a menu click should not wait behind half a second of silence.
        wave.spec.samples = kSoundBufferSamples;
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wave.spec, nullptr, 0);
        if (!device_)
            return false;
        if (SDL_QueueAudio(device_, wave.samples, wave.length) != 0) {
            CloseDeviceLocked();
            return false;
        }
        SDL_PauseAudioDevice(device_, 0);
        device = device_;
    }
    if (async)
        return true;
    // Bounded by the sound's own length with room for a slow device.
    const auto deadline = std::chrono::steady_clock::now() + PlayingTime(wave) + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < deadline) {
        {
            std::lock_guard lock(mutex_);
            if (device_ != device || SDL_GetQueuedAudioSize(device_) == 0)
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void SoundPlayer::Purge()
{
    std::lock_guard lock(mutex_);
    CloseDeviceLocked();
    if (audioStarted_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioStarted_ = false;
}

}  // namespace tw::shell
