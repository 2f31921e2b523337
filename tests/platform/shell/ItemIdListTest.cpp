// Item-id lists as the library walks them byte by byte, and the allocator
// they live in.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/shell/ItemIdList.h"
#include "platform/shell/shlobj.h"

namespace tw::shell {
namespace {

class ItemIdListTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SHGetMalloc(&malloc), S_OK); }
    IMalloc* malloc = nullptr;
};

TEST_F(ItemIdListTest, ItemsAreSixteenBitCountsIncludingThemselvesClosedByZero)
{
    LPITEMIDLIST list = ItemIdListFromPath("/usr/share");
    ASSERT_NE(list, nullptr);
    const auto* bytes = reinterpret_cast<const BYTE*>(list);
    const BYTE expected[] = {5, 0, 'u', 's', 'r', 7, 0, 's', 'h', 'a', 'r', 'e', 0, 0};
    EXPECT_EQ(std::memcmp(bytes, expected, sizeof expected), 0);
    EXPECT_EQ(ILGetSize(list), sizeof expected);
    EXPECT_EQ(malloc->GetSize(list), sizeof expected);
    ILFree(list);
}

TEST_F(ItemIdListTest, PathsComeBackFromTheirLists)
{
    for (const char* absolute : {"/", "/usr", "/usr/share/doc"}) {
        LPITEMIDLIST list = ItemIdListFromPath(absolute);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(PathFromItemIdList(list), std::optional<std::string>(absolute));
        ILFree(list);
    }
    std::filesystem::create_directories("a b/ç");
    char path[MAX_PATH];
    LPITEMIDLIST list = ILCreateFromPath("a b\\ç");
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(SHGetPathFromIDList(list, path));
    EXPECT_EQ(std::string(path), (std::filesystem::current_path() / "a b/ç").string());
    ILFree(list);
    EXPECT_EQ(ILCreateFromPath("no such folder"), nullptr);
}

TEST_F(ItemIdListTest, TheDesktopAndOverlongPathsHaveNoFileSystemPath)
{
    const USHORT desktop = 0;
    char path[MAX_PATH] = "stale";
    EXPECT_FALSE(SHGetPathFromIDList(reinterpret_cast<LPCITEMIDLIST>(&desktop), path));
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(SHGetPathFromIDList(nullptr, path));

    LPITEMIDLIST deep = ItemIdListFromPath("/" + std::string(200, 'x') + "/" + std::string(100, 'y'));
    ASSERT_NE(deep, nullptr);
    EXPECT_FALSE(SHGetPathFromIDList(deep, path)) << "MAX_PATH characters is all the caller holds";
    ILFree(deep);
}

TEST_F(ItemIdListTest, TheAllocatorKeepsContentsAcrossRealloc)
{
    auto* block = static_cast<char*>(malloc->Alloc(4));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "abc", 4);
    block = static_cast<char*>(malloc->Realloc(block, 4096));
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block, "abc");
    EXPECT_EQ(malloc->GetSize(block), 4096u);
    malloc->Free(block);
    malloc->Free(nullptr);
    IMalloc* again = nullptr;
    ASSERT_EQ(SHGetMalloc(&again), S_OK);
    EXPECT_EQ(again, malloc) << "one allocator per process";
    IMalloc* task = nullptr;
    ASSERT_EQ(CoGetMalloc(MEMCTX_TASK, &task), S_OK);
    EXPECT_EQ(task, malloc) << "the shell allocates from the task allocator";
    EXPECT_EQ(SHGetMalloc(nullptr), E_INVALIDARG);
}

}  // namespace
}  // namespace tw::shell
