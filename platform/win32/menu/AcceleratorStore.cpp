#include "platform/win32/menu/AcceleratorStore.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/resource/AcceleratorResource.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTypes.h"

namespace tw::menu {

namespace accelerator_store_detail {

// "#130" and MAKEINTRESOURCE(130) name the same resource; names compare
// without case.
std::string ResourceKey(HINSTANCE instance, LPCSTR name)
{
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%p/", static_cast<void*>(instance));
    if (IS_INTRESOURCE(name))
        return prefix + std::string("#") + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    std::string text = name;
    if (text.size() > 1 && text[0] == '#' && std::isdigit(static_cast<unsigned char>(text[1])))
        return prefix + std::string("#") + std::to_string(std::strtoul(text.c_str() + 1, nullptr, 10));
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return prefix + text;
}

}  // namespace accelerator_store_detail

AcceleratorStore& AcceleratorStore::Instance()
{
    static AcceleratorStore* store = new AcceleratorStore;
    return *store;
}

HACCEL AcceleratorStore::AddLocked(Table table)
{
    const HACCEL handle = reinterpret_cast<HACCEL>(nextHandle_);
    nextHandle_ += 4;
    tables_.emplace(handle, std::move(table));
    return handle;
}

HACCEL AcceleratorStore::Create(std::vector<ACCEL> entries)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return AddLocked(Table{std::move(entries), 1, {}});
}

HACCEL AcceleratorStore::LoadShared(HINSTANCE instance, LPCSTR name)
{
    const std::string key = accelerator_store_detail::ResourceKey(instance, name);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = shared_.find(key);
        if (found != shared_.end()) {
            ++tables_.at(found->second).holders;
            return found->second;
        }
    }
    const BYTE* bytes = nullptr;
    DWORD size = 0;
    if (!tw::FindResourceBytes(instance, name, RT_ACCELERATOR, &bytes, &size))
        return nullptr;
    auto parsed = tw::res::ParseAcceleratorTable(bytes, size);
    if (!parsed) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<ACCEL> entries;
    for (const tw::res::AcceleratorEntry& entry : *parsed)
        entries.push_back(ACCEL{static_cast<BYTE>(entry.flags), entry.key, entry.command});

    std::lock_guard<std::mutex> lock(mutex_);
    // Another thread may have loaded it meanwhile.
    auto found = shared_.find(key);
    if (found != shared_.end()) {
        ++tables_.at(found->second).holders;
        return found->second;
    }
    const HACCEL handle = AddLocked(Table{std::move(entries), 1, key});
    shared_.emplace(key, handle);
    return handle;
}

bool AcceleratorStore::Release(HACCEL handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = tables_.find(handle);
    if (found == tables_.end())
        return false;
    if (--found->second.holders > 0)
        return true;
    if (!found->second.resourceKey.empty())
        shared_.erase(found->second.resourceKey);
    tables_.erase(found);
    return true;
}

bool AcceleratorStore::Hold(HACCEL handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = tables_.find(handle);
    if (found == tables_.end())
        return false;
    ++found->second.holders;
    return true;
}

std::optional<std::vector<ACCEL>> AcceleratorStore::Entries(HACCEL handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = tables_.find(handle);
    if (found == tables_.end())
        return std::nullopt;
    return found->second.entries;
}

int AcceleratorStore::Holders(HACCEL handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = tables_.find(handle);
    return found == tables_.end() ? 0 : found->second.holders;
}

}  // namespace tw::menu
