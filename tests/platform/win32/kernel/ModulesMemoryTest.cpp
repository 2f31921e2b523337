#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/kernel/ErrorText.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/Modules.h"

namespace tw_modulesmemory_test {

int StandInAlphaBlend()
{
    return 1234;
}

TEST(Modules, OnlyTheKnownLibraryLoads)
{
    EXPECT_EQ(LoadLibrary("UxTheme.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(LoadLibrary("kernel32.dll"), nullptr);

    ASSERT_TRUE(tw::RegisterModuleExport("msimg32.dll", "AlphaBlend", &StandInAlphaBlend));
    EXPECT_FALSE(tw::RegisterModuleExport("UxTheme.dll", "OpenThemeData", &StandInAlphaBlend));
    HMODULE module = LoadLibrary("MSIMG32");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetModuleHandle("msimg32.dll"), module);
    auto fn = reinterpret_cast<int (*)()>(reinterpret_cast<void (*)()>(GetProcAddress(module, "AlphaBlend")));
    ASSERT_NE(fn, nullptr);
    EXPECT_EQ(fn(), 1234);
    EXPECT_EQ(GetProcAddress(module, "GradientFill"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_NE(GetModuleHandle(nullptr), nullptr);
}

TEST(Modules, VersionIsWindowsXp)
{
    OSVERSIONINFOEX info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionEx(reinterpret_cast<OSVERSIONINFO*>(&info)));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 2600u);
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    OSVERSIONINFO bad{};
    bad.dwOSVersionInfoSize = 3;
    EXPECT_FALSE(GetVersionEx(&bad));
}

TEST(GlobalMemory, MoveableBlocksCountTheirLocks)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, 16);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 16u);
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 0u);
    auto* p = static_cast<char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_NE(static_cast<void*>(p), h);
    EXPECT_EQ(p[15], 0);
    strcpy(p, "clipboard");
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 2u);
    EXPECT_EQ(GlobalHandle(p), h);
    EXPECT_TRUE(GlobalUnlock(h));
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));

    ASSERT_EQ(GlobalReAlloc(h, 4096, GMEM_MOVEABLE | GMEM_ZEROINIT), h);
    EXPECT_EQ(GlobalSize(h), 4096u);
    p = static_cast<char*>(GlobalLock(h));
    EXPECT_STREQ(p, "clipboard");
    EXPECT_EQ(p[4095], 0);
    GlobalUnlock(h);
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalFree(h), h);
}

TEST(GlobalMemory, FixedBlocksAreTheirOwnAddress)
{
    HGLOBAL h = GlobalAlloc(GMEM_FIXED, 12);
    EXPECT_EQ(GlobalLock(h), h);
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 0u);
    EXPECT_EQ(GlobalReAlloc(h, 64, 0), nullptr);  // may not move
    EXPECT_EQ(GlobalSize(h), 12u);
    HGLOBAL moved = GlobalReAlloc(h, 64, GMEM_MOVEABLE);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(GlobalSize(moved), 64u);
    EXPECT_EQ(GlobalFree(moved), nullptr);
    void* heap = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, 12);
    ASSERT_NE(heap, nullptr);
    EXPECT_EQ(static_cast<char*>(heap)[11], 0);
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, heap));
}

struct MessageCase {
    DWORD code;
    const char* text;
};

TEST(ErrorText, SystemTextsEndInCrLf)
{
    const MessageCase cases[] = {
        {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.\r\n"},
        {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
        {ERROR_SHARING_VIOLATION,
         "The process cannot access the file because it is being used by another process.\r\n"},
        {ERROR_DISK_FULL, "There is not enough space on the disk.\r\n"},
        {static_cast<DWORD>(E_FAIL), "Unspecified error\r\n"},
        {static_cast<DWORD>(E_INVALIDARG), "The parameter is incorrect.\r\n"},
        {static_cast<DWORD>(E_OUTOFMEMORY), "Not enough storage is available to complete this operation.\r\n"},
        {static_cast<DWORD>(DISP_E_TYPEMISMATCH), "Type mismatch.\r\n"},
        {static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)), "The system cannot find the file specified.\r\n"},
    };
    for (const auto& c : cases) {
        char buffer[256];
        const DWORD n = FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, c.code, 0,
                                      buffer, sizeof buffer, nullptr);
        EXPECT_EQ(std::string(buffer, n), c.text) << std::hex << c.code;
    }
}

TEST(ErrorText, AllocatedBufferAndUnknownCodes)
{
    LPSTR text = nullptr;
    const DWORD n = FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(E_FAIL), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<LPSTR>(&text), 0, nullptr);
    ASSERT_EQ(n, 19u);
    EXPECT_STREQ(text, "Unspecified error\r\n");
    EXPECT_EQ(LocalFree(text), nullptr);

    char buffer[64];
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 0x80041234u, 0, buffer, sizeof buffer, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    char tiny[4];
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_ACCESS_DENIED, 0, tiny, sizeof tiny, nullptr),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(ErrorText, StringInserts)
{
    const DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>("file.sql"), 42};
    char buffer[128];
    const DWORD n = FormatMessage(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                  "Cannot open %1 (%2!d!%%)%n", 0, 0, buffer, sizeof buffer,
                                  reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(args)));
    EXPECT_EQ(std::string(buffer, n), "Cannot open file.sql (42%)\r\n");
    const DWORD kept = FormatMessage(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_IGNORE_INSERTS, "keep %1 here", 0,
                                     0, buffer, sizeof buffer, nullptr);
    EXPECT_EQ(std::string(buffer, kept), "keep %1 here");
}

}  // namespace tw_modulesmemory_test
