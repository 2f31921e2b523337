// The desktop folder and the file-system folders below it: enumeration,
// order, attributes, binding, display names and the items' context menu.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/shell/ItemIdList.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/shellapi.h"
#include "platform/shell/shlobj.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/menu/winmenu.h"
#include "platform/win32/user/winuser.h"
#include "platform/win32/winerror.h"

namespace tw::shell {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

std::string NameOfItem(LPCITEMIDLIST item)
{
    const auto* bytes = reinterpret_cast<const BYTE*>(item);
    return std::string(reinterpret_cast<const char*>(bytes + 2), ItemCount(bytes) - 2);
}

Names Enumerate(IShellFolder* folder, DWORD flags)
{
    IEnumIDList* items = nullptr;
    Names names;
    if (folder->EnumObjects(nullptr, flags, &items) != S_OK)
        return {"<failed>"};
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK && fetched == 1) {
        names.push_back(NameOfItem(item));
        ILFree(item);
    }
    items->Release();
    return names;
}

SFGAOF AttributesOf(IShellFolder* folder, const std::string& name, SFGAOF asked)
{
    LPITEMIDLIST item = ItemIdListFromPath("/" + name);  // one item: the name
    LPCITEMIDLIST items[] = {item};
    SFGAOF answer = asked;
    EXPECT_EQ(folder->GetAttributesOf(1, items, &answer), S_OK);
    ILFree(item);
    return answer;
}

class ShellNamespaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::current_path() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(root / "Beta" / "inner");
        fs::create_directories(root / "alpha");
        fs::create_directories(root / "empty dir");
        fs::create_directories(root / ".hidden");
        fs::create_directories(root / "ünïcode");
        std::ofstream(root / "zeta.txt") << "z";
        std::ofstream(root / "Alpha.txt") << "a";
        std::ofstream(root / "alpha.txt") << "a";
        std::ofstream(root / ".profile") << "p";
        fs::create_directory_symlink(root / "Beta", root / "link to beta");
        ASSERT_EQ(SHGetDesktopFolder(&desktop), S_OK);
        folder = Bind(root.string());
    }

    void TearDown() override
    {
        if (folder)
            folder->Release();
        desktop->Release();
    }

    IShellFolder* Bind(const std::string& path)
    {
        LPITEMIDLIST list = ItemIdListFromPath(path);
        IShellFolder* bound = nullptr;
        EXPECT_EQ(desktop->BindToObject(list, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&bound)), S_OK);
        ILFree(list);
        return bound;
    }

    fs::path root;
    IShellFolder* desktop = nullptr;
    IShellFolder* folder = nullptr;
};

TEST_F(ShellNamespaceTest, TheDesktopHoldsHomeAndTheFileSystemAndIsTheEmptyList)
{
    LPITEMIDLIST special = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &special), S_OK);
    EXPECT_EQ(ILGetSize(special), 2u);

    IEnumIDList* items = nullptr;
    ASSERT_EQ(desktop->EnumObjects(nullptr, SHCONTF_FOLDERS, &items), S_OK);
    LPITEMIDLIST found[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(items->Next(3, found, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(PathFromItemIdList(found[0]), HomeFolderPath());
    EXPECT_EQ(PathFromItemIdList(found[1]), std::optional<std::string>("/"));
    items->Release();

    struct NameCase {
        LPCITEMIDLIST list;
        const char* name;
    };
    for (const NameCase& c : {NameCase{special, "Desktop"}, NameCase{found[0], "Home"},
                              NameCase{found[1], "File System"}}) {
        SHFILEINFO info{};
        ASSERT_TRUE(SHGetFileInfo(reinterpret_cast<LPCSTR>(c.list), 0, &info, sizeof info,
                                  SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
            << c.name;
        EXPECT_STREQ(info.szDisplayName, c.name);
    }
    SHFILEINFO byPath{};
    ASSERT_TRUE(SHGetFileInfo("/", 0, &byPath, sizeof byPath, SHGFI_DISPLAYNAME));
    EXPECT_STREQ(byPath.szDisplayName, "File System");
    ILFree(found[0]);
    ILFree(found[1]);
    ILFree(special);
}

TEST_F(ShellNamespaceTest, EnumerationFollowsItsFlagsInAStableOrder)
{
    struct EnumCase {
        DWORD flags;
        Names names;
    };
    const EnumCase cases[] = {
        {SHCONTF_FOLDERS, {"alpha", "Beta", "empty dir", "link to beta", "ünïcode"}},
        {SHCONTF_NONFOLDERS, {"Alpha.txt", "alpha.txt", "zeta.txt"}},
        {SHCONTF_FOLDERS | SHCONTF_NONFOLDERS,
         {"alpha", "Beta", "empty dir", "link to beta", "ünïcode", "Alpha.txt", "alpha.txt", "zeta.txt"}},
        {SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, {".hidden", "alpha", "Beta", "empty dir", "link to beta", "ünïcode"}},
        {SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, {".profile", "Alpha.txt", "alpha.txt", "zeta.txt"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Enumerate(folder, c.flags), c.names) << "flags " << c.flags;
}

TEST_F(ShellNamespaceTest, CompareIdsPutsFoldersFirstThenNamesWithoutThenWithCase)
{
    struct OrderCase {
        const char* left;
        const char* right;
        short sign;
    };
    const OrderCase cases[] = {
        {"zeta.txt", "alpha", 1}, {"alpha", "Beta", -1}, {"Alpha.txt", "alpha.txt", -1},
        {"alpha.txt", "alpha.txt", 0}, {"Beta", "Beta/inner", -1},
    };
    for (const auto& c : cases) {
        LPITEMIDLIST left = ItemIdListFromPath(std::string("/") + c.left);
        LPITEMIDLIST right = ItemIdListFromPath(std::string("/") + c.right);
        const HRESULT forward = folder->CompareIDs(0, left, right);
        const HRESULT backward = folder->CompareIDs(0, right, left);
        EXPECT_EQ(short(HRESULT_CODE(forward)), c.sign) << c.left << " vs " << c.right;
        EXPECT_EQ(short(HRESULT_CODE(backward)), short(-c.sign)) << c.right << " vs " << c.left;
        ILFree(left);
        ILFree(right);
    }
}

TEST_F(ShellNamespaceTest, AttributesTellFoldersSubfoldersLinksHiddenAndRenaming)
{
    const SFGAOF asked = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_LINK | SFGAO_GHOSTED | SFGAO_CANRENAME |
                         SFGAO_SHARE | SFGAO_READONLY;
    struct AttributeCase {
        const char* name;
        SFGAOF expected;
    };
    const AttributeCase cases[] = {
        {"Beta", SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_CANRENAME},
        {"empty dir", SFGAO_FOLDER | SFGAO_CANRENAME},
        {"link to beta", SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_LINK | SFGAO_CANRENAME},
        {".hidden", SFGAO_FOLDER | SFGAO_GHOSTED | SFGAO_CANRENAME},
        {"zeta.txt", SFGAO_CANRENAME},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AttributesOf(folder, c.name, asked), c.expected) << c.name;
    // Only what was asked comes back.
    EXPECT_EQ(AttributesOf(folder, "Beta", SFGAO_LINK | SFGAO_FOLDER), SFGAOF(SFGAO_FOLDER));
}

TEST_F(ShellNamespaceTest, ReadOnlyAndUnreadableFoldersForAnOrdinaryUser)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the super-user may write and read everything";
    fs::create_directories(root / "locked" / "sub");
    ::chmod((root / "locked").c_str(), 0);
    std::ofstream(root / "fixed.txt") << "f";
    ::chmod((root / "fixed.txt").c_str(), 0444);
    EXPECT_EQ(AttributesOf(folder, "fixed.txt", SFGAO_READONLY), SFGAOF(SFGAO_READONLY));
    EXPECT_EQ(AttributesOf(folder, "locked", SFGAO_HASSUBFOLDER | SFGAO_FOLDER), SFGAOF(SFGAO_FOLDER));
    IShellFolder* locked = Bind((root / "locked").string());
    ASSERT_NE(locked, nullptr);
    EXPECT_EQ(Enumerate(locked, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS), Names{});
    locked->Release();
    ::chmod((root / "locked").c_str(), 0755);
}

TEST_F(ShellNamespaceTest, BindingTakesOneAndManyItemListsAndRefusesFiles)
{
    LPITEMIDLIST one = ItemIdListFromPath("/Beta");
    LPITEMIDLIST two = ItemIdListFromPath("/Beta/inner");
    LPITEMIDLIST file = ItemIdListFromPath("/zeta.txt");
    IShellFolder* beta = nullptr;
    IShellFolder* inner = nullptr;
    IShellFolder* none = nullptr;
    ASSERT_EQ(folder->BindToObject(one, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&beta)), S_OK);
    EXPECT_EQ(Enumerate(beta, SHCONTF_FOLDERS), Names{"inner"});
    ASSERT_EQ(folder->BindToObject(two, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&inner)), S_OK);
    std::ofstream(root / "Beta" / "inner" / "deep.sql") << "select 1";
    EXPECT_EQ(Enumerate(inner, SHCONTF_NONFOLDERS), Names{"deep.sql"});
    EXPECT_TRUE(FAILED(folder->BindToObject(file, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&none))));
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(folder->BindToObject(one, nullptr, IID_IContextMenu, reinterpret_cast<void**>(&none)),
              E_NOINTERFACE);
    beta->Release();
    inner->Release();
    ILFree(one);
    ILFree(two);
    ILFree(file);
}

class RecordingOpenSpawner : public ProcessSpawner {
public:
    int Spawn(const std::vector<std::string>& argv, const std::string&) override
    {
        calls.push_back(argv);
        return 0;
    }
    std::vector<std::vector<std::string>> calls;
};

TEST_F(ShellNamespaceTest, TheContextMenuOpensAndCopiesPaths)
{
    LPITEMIDLIST beta = ItemIdListFromPath("/Beta");
    LPITEMIDLIST zeta = ItemIdListFromPath("/zeta.txt");
    LPCITEMIDLIST items[] = {beta, zeta};
    IContextMenu2* menu = nullptr;
    ASSERT_EQ(folder->GetUIObjectOf(nullptr, 2, items, IID_IContextMenu2, nullptr, reinterpret_cast<void**>(&menu)),
              S_OK);
    HMENU popup = CreatePopupMenu();
    const HRESULT added = menu->QueryContextMenu(popup, 0, 100, 0x7FFF, CMF_NORMAL);
    EXPECT_EQ(HRESULT_CODE(added), 2);
    char text[64] = {};
    GetMenuString(popup, 100, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Open");
    GetMenuString(popup, 101, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "Copy &Path");
    EXPECT_EQ(GetMenuDefaultItem(popup, FALSE, 0), 100u);
    EXPECT_EQ(menu->HandleMenuMsg(WM_DRAWITEM, 0, 0), S_OK);

    auto spawner = std::make_shared<RecordingOpenSpawner>();
    SetProcessSpawner(spawner);
    CMINVOKECOMMANDINFO open{sizeof open, 0, nullptr, MAKEINTRESOURCE(0), nullptr, nullptr, SW_SHOWNORMAL, 0,
                             nullptr};
    EXPECT_EQ(menu->InvokeCommand(&open), S_OK);
    SetProcessSpawner(nullptr);
    ASSERT_EQ(spawner->calls.size(), 2u);
    EXPECT_EQ(spawner->calls[0], (std::vector<std::string>{"xdg-open", (root / "Beta").string()}));
    EXPECT_EQ(spawner->calls[1], (std::vector<std::string>{"xdg-open", (root / "zeta.txt").string()}));

    CMINVOKECOMMANDINFO copy = open;
    copy.lpVerb = "copypath";
    EXPECT_EQ(menu->InvokeCommand(&copy), S_OK);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(data))),
              (root / "Beta").string() + "\n" + (root / "zeta.txt").string());
    GlobalUnlock(data);
    CloseClipboard();

    CMINVOKECOMMANDINFO unknown = open;
    unknown.lpVerb = MAKEINTRESOURCE(7);
    EXPECT_EQ(menu->InvokeCommand(&unknown), E_INVALIDARG);
    DestroyMenu(popup);
    menu->Release();
    ILFree(beta);
    ILFree(zeta);
}

}  // namespace
}  // namespace tw::shell
