// The loader calls answer from registered tables: by type and id together,
// by name in any letter case, by language, and fail as the platform does.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/kernel/Modules.h"
#include "platform/win32/resource/ResourceLoader.h"

const tw::ResourceTable& LoaderFixtureResources();

namespace {

class ResourceLoader : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tw::RegisterResources(m_module, LoaderFixtureResources())); }
    void TearDown() override { tw::UnregisterResources(m_module); }

    std::string StringOf(HRSRC found)
    {
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(m_module, found)));
        return std::string(bytes, SizeofResource(m_module, found));
    }

    const HINSTANCE m_module = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x5000));
};

TEST_F(ResourceLoader, OneIdNamesBothADialogAndAString)
{
    const HRSRC dialog = FindResource(m_module, MAKEINTRESOURCE(500), RT_DIALOG);
    ASSERT_NE(dialog, nullptr);
    EXPECT_GT(SizeofResource(m_module, dialog), 24u);
    char text[64];
    EXPECT_EQ(LoadString(m_module, 500, text, sizeof text), 16);
    EXPECT_STREQ(text, "Shared id string");
    // The string's block, 500 / 16 + 1, is a different resource.
    const HRSRC block = FindResource(m_module, MAKEINTRESOURCE(32), RT_STRING);
    ASSERT_NE(block, nullptr);
    EXPECT_NE(block, dialog);
}

TEST_F(ResourceLoader, NamesMatchInAnyCaseAndNumbersMayBeWrittenWithAHash)
{
    EXPECT_EQ(StringOf(FindResource(m_module, "Settings", "editor_xml_settings")), "abc");
    EXPECT_EQ(FindResource(m_module, "#500", RT_DIALOG), FindResource(m_module, MAKEINTRESOURCE(500), RT_DIALOG));
    EXPECT_EQ(FindResource(m_module, "#500", "#5"), FindResource(m_module, MAKEINTRESOURCE(500), RT_DIALOG));
}

TEST_F(ResourceLoader, FailuresSetTheirOwnLastError)
{
    struct Case {
        const char* what;
        HMODULE module;
        LPCSTR name;
        LPCSTR type;
        DWORD error;
    };
    const HMODULE unknown = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x6000));
    const Case cases[] = {
        {"module without resources", unknown, MAKEINTRESOURCE(500), RT_DIALOG, ERROR_RESOURCE_DATA_NOT_FOUND},
        {"type not present", m_module, MAKEINTRESOURCE(500), RT_MENU, ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"name not present", m_module, MAKEINTRESOURCE(501), RT_DIALOG, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"named type, other name", m_module, "other", "EDITOR_XML_SETTINGS", ERROR_RESOURCE_NAME_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetLastError(0);
        EXPECT_EQ(FindResource(c.module, c.name, c.type), nullptr);
        EXPECT_EQ(GetLastError(), c.error);
    }
    SetLastError(0);
    EXPECT_EQ(FindResourceEx(m_module, RT_DIALOG, MAKEINTRESOURCE(500), MAKELANGID(0x0C, SUBLANG_DEFAULT)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_LANG_NOT_FOUND);
}

TEST_F(ResourceLoader, LanguagesFallBackToTheirNeutralForm)
{
    auto firstString = [&](HRSRC block) {
        const auto* words = static_cast<const WORD*>(LockResource(LoadResource(m_module, block)));
        // Skip the five slots before id 501 (slot 5 of block 32).
        size_t at = 0;
        for (int slot = 0; slot < 5; ++slot)
            at += 1 + words[at];
        return std::u16string(reinterpret_cast<const char16_t*>(words + at + 1), words[at]);
    };
    const HRSRC german = FindResourceEx(m_module, RT_STRING, MAKEINTRESOURCE(32), MAKELANGID(0x07, SUBLANG_DEFAULT));
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(firstString(german), u"Hallo");
    // Without a language the program's own (US English) comes first.
    EXPECT_EQ(firstString(FindResource(m_module, MAKEINTRESOURCE(32), RT_STRING)), u"Hello");
}

TEST_F(ResourceLoader, HandlesFromElsewhereAreRefused)
{
    const HRSRC found = FindResource(m_module, MAKEINTRESOURCE(500), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    tw::ResourceEntry forged = *reinterpret_cast<const tw::ResourceEntry*>(found);
    SetLastError(0);
    EXPECT_EQ(LoadResource(m_module, reinterpret_cast<HRSRC>(&forged)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
    EXPECT_EQ(SizeofResource(m_module, nullptr), 0u);
    // A handle is only good with the module it came from.
    EXPECT_EQ(LoadResource(reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x6000)), found), nullptr);
    EXPECT_FALSE(FreeResource(LoadResource(m_module, found)));
}

TEST_F(ResourceLoader, NullModuleIsTheProgramsInstance)
{
    EXPECT_EQ(tw::ProgramInstance(), GetModuleHandle(nullptr));
    EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(500), RT_DIALOG), nullptr);
    ASSERT_TRUE(tw::RegisterResources(tw::ProgramInstance(), LoaderFixtureResources()));
    const HRSRC found = FindResource(nullptr, MAKEINTRESOURCE(500), RT_DIALOG);
    EXPECT_NE(found, nullptr);
    EXPECT_NE(LoadResource(nullptr, found), nullptr);
    EXPECT_TRUE(tw::UnregisterResources(nullptr));
    EXPECT_FALSE(tw::UnregisterResources(nullptr));
    EXPECT_FALSE(tw::RegisterResources(nullptr, LoaderFixtureResources()));
}

TEST_F(ResourceLoader, FindResourceBytesFindsLoadsAndLocksInOneStep)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(tw::FindResourceBytes(m_module, "SETTINGS", "EDITOR_XML_SETTINGS", &data, &size));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), "abc");
    EXPECT_FALSE(tw::FindResourceBytes(m_module, "none", "EDITOR_XML_SETTINGS", &data, &size));
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

// --- LoadString ------------------------------------------------------------

struct LoadStringCase {
    UINT id;
    int bufferSize;
    int result;
    const char* text;
};

class LoadStringRules : public ResourceLoader, public testing::WithParamInterface<LoadStringCase> {};

TEST_P(LoadStringRules, CopiesWholeCharactersAndCountsBytes)
{
    const LoadStringCase& c = GetParam();
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadString(m_module, c.id, buffer, c.bufferSize), c.result);
    EXPECT_STREQ(buffer, c.text);
}

INSTANTIATE_TEST_SUITE_P(Loader, LoadStringRules,
                         testing::Values(LoadStringCase{501, 32, 5, "Hello"},   // whole string
                                         LoadStringCase{501, 6, 5, "Hello"},    // exactly fits with its zero
                                         LoadStringCase{501, 4, 3, "Hel"},      // cut, still terminated
                                         LoadStringCase{501, 1, 0, ""},         // room for the zero only
                                         LoadStringCase{502, 32, 7, "Größe"},   // counts bytes, not characters
                                         LoadStringCase{502, 5, 4, "Grö"},      // "ö" fits whole
                                         LoadStringCase{502, 4, 2, "Gr"},       // "ö" is not split
                                         LoadStringCase{503, 32, 0, ""},        // empty string
                                         LoadStringCase{599, 32, 0, ""},        // no string: emptied buffer
                                         LoadStringCase{4000, 32, 0, ""}));     // no block at all

TEST_F(ResourceLoader, LoadStringRefusesAMissingBuffer)
{
    SetLastError(0);
    EXPECT_EQ(LoadString(m_module, 501, nullptr, 10), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    char buffer[4] = "abc";
    EXPECT_EQ(LoadString(m_module, 501, buffer, 0), 0);
    EXPECT_STREQ(buffer, "abc");
}

TEST_F(ResourceLoader, WideLoadStringGivesThePointerForAZeroSizedBuffer)
{
    const WCHAR* text = nullptr;
    EXPECT_EQ(LoadStringW(m_module, 502, reinterpret_cast<LPWSTR>(&text), 0), 5);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text, 5), u"Größe");
    WCHAR buffer[4];
    EXPECT_EQ(LoadStringW(m_module, 502, buffer, 4), 3);
    EXPECT_EQ(std::u16string(buffer), u"Grö");
    std::string utf8;
    EXPECT_TRUE(tw::LoadResourceString(m_module, 502, utf8));
    EXPECT_EQ(utf8, "Größe");
    EXPECT_FALSE(tw::LoadResourceString(m_module, 599, utf8));
}

}  // namespace

namespace {

const BYTE kTemporaryTableBytes[] = {'k', 'e', 'p', 't'};
const tw::ResourceEntry kTemporaryTableEntries[] = {
    {10, nullptr, 77, nullptr, 0, kTemporaryTableBytes, sizeof kTemporaryTableBytes}};

// Registers a table that dies with this frame; the next call's frame
// overwrites where it lay.
[[gnu::noinline]] BOOL RegisterFromATemporary(HINSTANCE module)
{
    return tw::RegisterResources(module, tw::ResourceTable{kTemporaryTableEntries, 1});
}

[[gnu::noinline]] void ScribbleOverTheStack()
{
    volatile char junk[256];
    for (size_t i = 0; i < sizeof junk; ++i)
        junk[i] = static_cast<char>(0xA5);
}

TEST(ResourceRegistration, ATemporaryTableKeepsWorkingAfterItIsGone)
{
    const HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x5100));
    ASSERT_TRUE(RegisterFromATemporary(module));
    ScribbleOverTheStack();
    const BYTE* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(tw::FindResourceBytes(module, MAKEINTRESOURCE(77), RT_RCDATA, &data, &size));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), "kept");
    const HRSRC found = FindResource(module, MAKEINTRESOURCE(77), RT_RCDATA);
    EXPECT_EQ(SizeofResource(module, found), 4u);
    EXPECT_TRUE(tw::UnregisterResources(module));
}

}  // namespace
