// Sounds on SDL's dummy audio driver, and the failure without any driver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/shell/SoundPlayer.h"
#include "platform/shell/mmsystem.h"
#include "platform/win32/registry/Registry.h"

namespace {

// A mono 8-bit wave at 8000 Hz of the given length.
std::vector<uint8_t> MakeWave(int milliseconds)
{
    const uint32_t samples = uint32_t(8 * milliseconds);
    std::vector<uint8_t> wave;
    auto put32 = [&wave](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            wave.push_back(uint8_t(v >> (8 * i)));
    };
    auto put16 = [&wave](uint16_t v) {
        wave.push_back(uint8_t(v));
        wave.push_back(uint8_t(v >> 8));
    };
    auto tag = [&wave](const char* t) {
        for (int i = 0; i < 4; ++i)
            wave.push_back(uint8_t(t[i]));
    };
    tag("RIFF");
    put32(36 + samples);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(8000);
    put16(1);
    put16(8);
    tag("data");
    put32(samples);
    for (uint32_t i = 0; i < samples; ++i)
        wave.push_back(uint8_t(128 + ((i / 8) % 2 ? 40 : -40)));
    return wave;
}

void WriteWaveFile(const char* path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

class PlaySoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        WriteWaveFile("click.wav", MakeWave(30));
        WriteWaveFile("long.wav", MakeWave(3000));
        std::ofstream("broken.wav") << "RIFF not really";
    }
    void TearDown() override
    {
        PlaySound(nullptr, nullptr, SND_PURGE);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
};

TEST_F(PlaySoundTest, FilesAndImagesPlayOnTheDummyDevice)
{
    EXPECT_TRUE(PlaySound("click.wav", nullptr, SND_FILENAME | SND_SYNC));
    EXPECT_TRUE(PlaySound("click.wav", nullptr, SND_FILENAME | SND_ASYNC));
    const auto image = MakeWave(20);
    EXPECT_TRUE(PlaySound(reinterpret_cast<LPCSTR>(image.data()), nullptr, SND_MEMORY));
    EXPECT_TRUE(sndPlaySound("click.wav", SND_ASYNC | SND_NODEFAULT));
}

TEST_F(PlaySoundTest, UnreadableSoundsFail)
{
    EXPECT_FALSE(PlaySound("missing.wav", nullptr, SND_FILENAME | SND_NODEFAULT));
    EXPECT_FALSE(PlaySound("broken.wav", nullptr, SND_FILENAME | SND_NODEFAULT));
    const char notAWave[] = "abcdefgh";
    EXPECT_FALSE(PlaySound(notAWave, nullptr, SND_MEMORY));
}

TEST_F(PlaySoundTest, NoStopLeavesAPlayingSoundAloneAndPurgeStopsIt)
{
    ASSERT_TRUE(PlaySound("long.wav", nullptr, SND_FILENAME | SND_ASYNC));
    EXPECT_TRUE(tw::shell::SoundPlayer::Instance().IsPlaying());
    EXPECT_FALSE(PlaySound("click.wav", nullptr, SND_FILENAME | SND_ASYNC | SND_NOSTOP));
    EXPECT_TRUE(PlaySound(nullptr, nullptr, SND_PURGE));
    EXPECT_FALSE(tw::shell::SoundPlayer::Instance().IsPlaying());
    EXPECT_TRUE(PlaySound("click.wav", nullptr, SND_FILENAME | SND_ASYNC | SND_NOSTOP));
}

TEST_F(PlaySoundTest, AliasesPlayTheFileTheUserChoseAndFailWithoutOne)
{
    const DWORD menuFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;
    EXPECT_FALSE(PlaySound("MenuCommand", nullptr, menuFlags));

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\.Default\\MenuCommand\\.Current", 0,
                             nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::string file = "click.wav";
    RegSetValueEx(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(file.c_str()), DWORD(file.size() + 1));
    RegCloseKey(key);
    EXPECT_TRUE(PlaySound("MenuCommand", nullptr, menuFlags));
    EXPECT_FALSE(PlaySound("MenuPopup", nullptr, menuFlags));
}

TEST_F(PlaySoundTest, WithoutAnAudioDeviceEveryPlayFails)
{
    PlaySound(nullptr, nullptr, SND_PURGE);
    setenv("SDL_AUDIODRIVER", "tw-no-such-driver", 1);
    EXPECT_FALSE(PlaySound("click.wav", nullptr, SND_FILENAME));
    EXPECT_FALSE(PlaySound("click.wav", nullptr, SND_FILENAME | SND_ASYNC));
    EXPECT_TRUE(PlaySound(nullptr, nullptr, SND_PURGE)) << "stopping nothing is no failure";
}

}  // namespace
