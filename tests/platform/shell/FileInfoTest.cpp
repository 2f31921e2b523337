// File icons and names from SHGetFileInfo, in the forms the library asks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/comctl/commctrl.h"
#include "platform/shell/ItemIdList.h"
#include "platform/shell/shellapi.h"
#include "platform/shell/shlobj.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/Files.h"

namespace {

constexpr UINT kSmallIconSizeQuery =
    SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_SHELLICONSIZE | SHGFI_USEFILEATTRIBUTES;

int IconIndex(const char* path, DWORD attributes, UINT flags)
{
    SHFILEINFO info{};
    if (!SHGetFileInfo(path, attributes, &info, sizeof info, flags | SHGFI_SYSICONINDEX))
        return -1;
    return info.iIcon;
}

TEST(FileInfoTest, TheSmallIconSizeQueryAnswersTheSmallSystemImageList)
{
    static_assert(kSmallIconSizeQuery == 16405);
    SHFILEINFO info{};
    auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo("", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, kSmallIconSizeQuery));
    ASSERT_NE(list, nullptr);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);

    auto large = reinterpret_cast<HIMAGELIST>(SHGetFileInfo(
        "", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES));
    ASSERT_NE(large, nullptr);
    ASSERT_TRUE(ImageList_GetIconSize(large, &cx, &cy));
    EXPECT_EQ(cx, 32);
    EXPECT_GE(ImageList_GetImageCount(list), info.iIcon + 1);
}

TEST(FileInfoTest, IconsFollowTheKindOfFile)
{
    const UINT byName = SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES;
    const int folder = IconIndex("x", FILE_ATTRIBUTE_DIRECTORY, byName);
    const int openFolder = IconIndex("x", FILE_ATTRIBUTE_DIRECTORY, byName | SHGFI_OPENICON);
    const int script = IconIndex("query.SQL", FILE_ATTRIBUTE_NORMAL, byName);
    const int text = IconIndex("notes.txt", FILE_ATTRIBUTE_NORMAL, byName);
    const int other = IconIndex("picture.bin", FILE_ATTRIBUTE_NORMAL, byName);
    const int dottedFolderFile = IconIndex("a.sql/readme", FILE_ATTRIBUTE_NORMAL, byName);
    EXPECT_NE(folder, openFolder);
    EXPECT_NE(folder, script);
    EXPECT_EQ(script, text);
    EXPECT_NE(script, other);
    EXPECT_EQ(dottedFolderFile, other);
}

TEST(FileInfoTest, WithoutFileAttributesTheDiskIsAskedAndMissingFilesFail)
{
    std::filesystem::create_directory("folder");
    std::ofstream("folder/a.sql") << "select 1";
    EXPECT_EQ(IconIndex("folder", 0, SHGFI_SMALLICON), IconIndex("x", FILE_ATTRIBUTE_DIRECTORY,
                                                                  SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
    EXPECT_EQ(IconIndex("folder\\a.sql", 0, SHGFI_SMALLICON),
              IconIndex("a.sql", 0, SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
    SHFILEINFO info{};
    EXPECT_EQ(SHGetFileInfo("folder/none.sql", 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON), 0u);
    EXPECT_EQ(SHGetFileInfo("folder/a.sql", 0, &info, 4, SHGFI_DISPLAYNAME), 0u) << "record too small";
}

TEST(FileInfoTest, ItemIdListsGiveNamesAndIcons)
{
    std::filesystem::create_directory("Projects");
    LPITEMIDLIST list = ILCreateFromPath("Projects");
    ASSERT_NE(list, nullptr);
    SHFILEINFO info{};
    ASSERT_TRUE(SHGetFileInfo(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof info,
                              SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_ICON | SHGFI_SMALLICON));
    EXPECT_STREQ(info.szDisplayName, "Projects");
    EXPECT_NE(info.hIcon, nullptr);
    DestroyIcon(info.hIcon);
    ILFree(list);
}

}  // namespace
