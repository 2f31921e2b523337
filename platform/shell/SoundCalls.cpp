// PlaySound and sndPlaySound: what to play, read into memory for the player.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/shell/SoundPlayer.h"
#include "platform/shell/mmsystem.h"
#include "platform/win32/registry/Registry.h"

namespace {

constexpr size_t kRiffHeaderBytes = 8;

std::optional<std::vector<uint8_t>> ReadSoundFile(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A wave image in memory carries its own length in its RIFF header.
std::optional<std::vector<uint8_t>> ReadSoundImage(const char* image)
{
    if (std::memcmp(image, "RIFF", 4) != 0)
        return std::nullopt;
    uint32_t chunk = 0;
    std::memcpy(&chunk, image + 4, sizeof chunk);
    const auto* bytes = reinterpret_cast<const uint8_t*>(image);
    return std::vector<uint8_t>(bytes, bytes + kRiffHeaderBytes + chunk);
}

std::optional<std::string> AliasFile(const std::string& alias)
{
    const std::string key = "AppEvents\\Schemes\\Apps\\.Default\\" + alias + "\\.Current";
    HKEY handle = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    char file[MAX_PATH] = {};
    DWORD size = sizeof file - 1;
    DWORD type = 0;
    const LSTATUS status = RegQueryValueEx(handle, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(file), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || type != REG_SZ || !file[0])
        return std::nullopt;
    return std::string(file);
}

std::optional<std::vector<uint8_t>> ReadAliasSound(const std::string& alias, bool useDefault)
{
    if (auto file = AliasFile(alias))
        return ReadSoundFile(*file);
    if (useDefault && alias != "SystemDefault")
        return ReadAliasSound("SystemDefault", false);
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> FindSound(LPCSTR sound, DWORD flags)
{
    if (flags & SND_MEMORY)
        return ReadSoundImage(sound);
    const bool useDefault = !(flags & SND_NODEFAULT);
    if (flags & SND_ALIAS)
        return ReadAliasSound(sound, useDefault);
    if (flags & SND_FILENAME)
        return ReadSoundFile(sound);
    // Neither named: an alias first, then a file, as the platform tries them.
    if (auto aliased = ReadAliasSound(sound, false))
        return aliased;
    if (auto file = ReadSoundFile(sound))
        return file;
    return useDefault ? ReadAliasSound("SystemDefault", false) : std::nullopt;
}

}  // namespace

BOOL PlaySound(LPCSTR pszSound, HMODULE, DWORD fdwSound)
{
    auto& player = tw::shell::SoundPlayer::Instance();
    if (!pszSound || (fdwSound & SND_PURGE)) {
        player.Purge();
        return TRUE;
    }
    const auto sound = FindSound(pszSound, fdwSound);
    if (!sound)
        return FALSE;
    return player.Play(*sound, (fdwSound & SND_ASYNC) != 0, (fdwSound & SND_NOSTOP) != 0);
}

BOOL sndPlaySound(LPCSTR pszSound, UINT fuSound)
{
    return PlaySound(pszSound, nullptr, fuSound & (SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP));
}
