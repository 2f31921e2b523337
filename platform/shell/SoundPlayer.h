// Plays one wave image at a time on the desktop's audio device, opened for
// each sound in the sound's own format and closed when the next one starts
// or sounds are purged.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

namespace tw::shell {

class SoundPlayer {
public:
    static SoundPlayer& Instance();

    // False when no audio device opens or the image is not a wave we can read.
    // Synchronous plays return when the device has played the whole sound.
    bool Play(const std::vector<uint8_t>& waveImage, bool async, bool noStop);
    // Stops the sound and lets the audio system go, so the next play opens
    // whatever device the environment names then.
    void Purge();
    bool IsPlaying();

private:
    SoundPlayer() = default;
    bool EnsureAudioLocked();
    void CloseDeviceLocked();

    std::mutex mutex_;
    bool audioStarted_ = false;
    uint32_t device_ = 0;
};

}  // namespace tw::shell
