#include "platform/win32/resource/ResourceLoader.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/kernel/Modules.h"
#include "platform/win32/resource/ResourceBytes.h"

namespace tw {

// Named rather than anonymous: unity builds join this file with others.
namespace loader_detail {

struct ModuleRegistry {
    std::mutex lock;
    // Copies: a caller's table may be a temporary; its entries live on.
    std::map<HINSTANCE, std::vector<ResourceTable>> modules;
};

ModuleRegistry& Registry()
{
    static ModuleRegistry registry;
    return registry;
}

// A type or name argument: an ordinal, or text ("#123" is an ordinal too).
struct ResourceKey {
    bool isOrdinal = true;
    WORD ordinal = 0;
    std::string text;
};

ResourceKey MakeKey(LPCSTR value)
{
    ResourceKey key;
    if (IS_INTRESOURCE(value)) {
        key.ordinal = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(value));
        return key;
    }
    if (value[0] == '#') {
        key.ordinal = static_cast<WORD>(std::strtoul(value + 1, nullptr, 10));
        return key;
    }
    key.isOrdinal = false;
    key.text = value;
    return key;
}

bool SameTextIgnoringCase(const char* a, const std::string& b)
{
    size_t i = 0;
    for (; a[i] && i < b.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (std::toupper(ca) != std::toupper(cb))
            return false;
    }
    return a[i] == 0 && i == b.size();
}

bool Matches(WORD id, const char* text, const ResourceKey& key)
{
    if (key.isOrdinal)
        return text == nullptr && id == key.ordinal;
    return text != nullptr && SameTextIgnoringCase(text, key.text);
}

HMODULE ResolveModule(HMODULE hModule)
{
    return hModule ? hModule : GetModuleHandle(nullptr);
}

// The search the platform makes, in three steps so each failure has its own
// error: the module, the type, the name, then the language.
const ResourceEntry* Find(HMODULE hModule, LPCSTR type, LPCSTR name, const WORD* language)
{
    if (!type || !name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const ResourceKey typeKey = MakeKey(type);
    const ResourceKey nameKey = MakeKey(name);
    ModuleRegistry& registry = Registry();
    std::lock_guard guard(registry.lock);
    const auto module = registry.modules.find(ResolveModule(hModule));
    if (module == registry.modules.end()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    bool typeSeen = false;
    std::vector<const ResourceEntry*> candidates;
    for (const ResourceTable& table : module->second) {
        for (size_t i = 0; i < table.count; ++i) {
            const ResourceEntry& entry = table.entries[i];
            if (!Matches(entry.typeId, entry.typeName, typeKey))
                continue;
            typeSeen = true;
            if (Matches(entry.nameId, entry.nameText, nameKey))
                candidates.push_back(&entry);
        }
    }
    if (candidates.empty()) {
        SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    // Wanted language first; then its neutral sub-language; then neutral, the
    // program's own (US English) and finally whatever there is.
    std::vector<WORD> preference;
    if (language && *language != LANG_NEUTRAL) {
        preference.push_back(*language);
        preference.push_back(MAKELANGID(PRIMARYLANGID(*language), SUBLANG_NEUTRAL));
    } else {
        preference.push_back(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
        preference.push_back(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    }
    for (WORD wanted : preference) {
        for (const ResourceEntry* entry : candidates) {
            if (entry->language == wanted)
                return entry;
        }
    }
    if (language && *language != LANG_NEUTRAL) {
        SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
        return nullptr;
    }
    return candidates.front();
}

// HRSRC values are entry addresses; only those of registered tables are
// accepted, so a stale or forged handle fails instead of being read.
const ResourceEntry* EntryFromHandle(HMODULE hModule, HRSRC hResInfo)
{
    const auto* wanted = reinterpret_cast<const ResourceEntry*>(hResInfo);
    ModuleRegistry& registry = Registry();
    std::lock_guard guard(registry.lock);
    const auto module = registry.modules.find(ResolveModule(hModule));
    if (module == registry.modules.end())
        return nullptr;
    for (const ResourceTable& table : module->second) {
        if (wanted >= table.entries && wanted < table.entries + table.count)
            return wanted;
    }
    return nullptr;
}

// The counted UTF-16 string of a string-table block, or false.
bool FindStringInBlock(HINSTANCE hInstance, UINT id, const WORD** text, WORD* length)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    const UINT block = (id >> 4) + 1;
    if (!FindResourceBytes(hInstance, MAKEINTRESOURCE(block), RT_STRING, &data, &size))
        return false;
    res::ByteReader reader(data, size);
    for (UINT index = 0; index < (id & 15); ++index)
        reader.Skip(size_t(reader.Word()) * 2);
    const WORD count = reader.Word();
    const size_t offset = reader.Offset();
    reader.Skip(size_t(count) * 2);
    if (!reader.Ok()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return false;
    }
    if (count == 0) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    // Resource bytes are WORD aligned (the generated arrays are aligned).
    *text = reinterpret_cast<const WORD*>(data + offset);
    *length = count;
    return true;
}

std::u16string ReadUnits(const WORD* text, WORD length)
{
    std::u16string units(length, u'\0');
    std::memcpy(units.data(), text, size_t(length) * 2);
    return units;
}

// Length of the longest prefix of text that fits in limit bytes without
// cutting a UTF-8 sequence.
size_t WholeCharacterPrefix(const std::string& text, size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

}  // namespace loader_detail

HINSTANCE ProgramInstance()
{
    return GetModuleHandle(nullptr);
}

BOOL RegisterResources(HINSTANCE hInstance, const ResourceTable& table)
{
    if (!hInstance) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    loader_detail::ModuleRegistry& registry = loader_detail::Registry();
    std::lock_guard guard(registry.lock);
    registry.modules[hInstance].push_back(table);
    return TRUE;
}

BOOL UnregisterResources(HINSTANCE hInstance)
{
    loader_detail::ModuleRegistry& registry = loader_detail::Registry();
    std::lock_guard guard(registry.lock);
    return registry.modules.erase(loader_detail::ResolveModule(hInstance)) ? TRUE : FALSE;
}

bool FindResourceBytes(HMODULE hModule, LPCSTR lpName, LPCSTR lpType, const BYTE** data, DWORD* size)
{
    const HRSRC found = ::FindResource(hModule, lpName, lpType);
    if (!found)
        return false;
    const auto* entry = reinterpret_cast<const ResourceEntry*>(found);
    *data = entry->data;
    *size = entry->size;
    return true;
}

bool LoadResourceString(HINSTANCE hInstance, UINT id, std::string& text)
{
    const WORD* units = nullptr;
    WORD length = 0;
    if (!loader_detail::FindStringInBlock(hInstance, id, &units, &length))
        return false;
    text = res::Utf16ToUtf8(loader_detail::ReadUnits(units, length));
    return true;
}

}  // namespace tw

HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    return reinterpret_cast<HRSRC>(const_cast<tw::ResourceEntry*>(tw::loader_detail::Find(hModule, lpType, lpName, nullptr)));
}

HRSRC FindResourceEx(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage)
{
    return reinterpret_cast<HRSRC>(const_cast<tw::ResourceEntry*>(tw::loader_detail::Find(hModule, lpType, lpName, &wLanguage)));
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    const tw::ResourceEntry* entry = hResInfo ? tw::loader_detail::EntryFromHandle(hModule, hResInfo) : nullptr;
    if (!entry) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return const_cast<BYTE*>(entry->data);
}

LPVOID LockResource(HGLOBAL hResData)
{
    return hResData;
}

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo)
{
    const tw::ResourceEntry* entry = hResInfo ? tw::loader_detail::EntryFromHandle(hModule, hResInfo) : nullptr;
    if (!entry) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return 0;
    }
    return entry->size;
}

BOOL FreeResource(HGLOBAL /*hResData*/)
{
    // Resources live as long as the program; the platform answers FALSE too.
    return FALSE;
}

int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax)
{
    if (!lpBuffer || cchBufferMax <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    lpBuffer[0] = '\0';
    std::string text;
    if (!tw::LoadResourceString(hInstance, uID, text))
        return 0;
    const size_t copied = tw::loader_detail::WholeCharacterPrefix(text, size_t(cchBufferMax) - 1);
    std::memcpy(lpBuffer, text.data(), copied);
    lpBuffer[copied] = '\0';
    return static_cast<int>(copied);
}

int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax)
{
    if (!lpBuffer || cchBufferMax < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (cchBufferMax > 0)
        lpBuffer[0] = u'\0';
    const WORD* units = nullptr;
    WORD length = 0;
    if (!tw::loader_detail::FindStringInBlock(hInstance, uID, &units, &length))
        return 0;
    if (cchBufferMax == 0) {
        *reinterpret_cast<const WCHAR**>(lpBuffer) = reinterpret_cast<const WCHAR*>(units);
        return length;
    }
    int copied = std::min<int>(length, cchBufferMax - 1);
    // A surrogate pair is not split.
    if (copied > 0 && copied < length && units[copied - 1] >= 0xD800 && units[copied - 1] < 0xDC00)
        --copied;
    std::memcpy(lpBuffer, units, size_t(copied) * 2);
    lpBuffer[copied] = u'\0';
    return copied;
}
