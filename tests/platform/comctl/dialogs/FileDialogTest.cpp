// Open and save dialogs driven by keys over a scratch folder: typed names,
// paths and folders, the default extension, the prompts the flags ask for,
// the filters, and what goes back into the caller's structure.
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/comctl/dialogs/FileDialog.h"
#include "tests/platform/comctl/dialogs/ComDlgTest.h"

namespace fs = std::filesystem;

namespace tw::comdlg::test {
namespace {

constexpr char kSqlFilter[] = "SQL Files (*.sql)\0*.sql\0All Files (*.*)\0*.*\0";
constexpr int kFileBoxTextId = 0xFFFF;

class FileDialogTest : public ComDlgTest {
protected:
    void SetUp() override
    {
        ComDlgTest::SetUp();
        root = fs::absolute("scratch");
        fs::create_directories(root / "sub");
        for (const char* name : {"existing.sql", "notes.txt", "README", "sub/inner.sql"})
            std::ofstream(root / name) << "x";
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = sizeof title;
        ofn.lpstrFilter = kSqlFilter;
        ofn.lpstrInitialDir = initialDir.c_str();
        initialDir = root.string();
        ofn.lpstrInitialDir = initialDir.c_str();
    }
    // The list's lines, in order.
    static std::vector<std::string> ListOf(HWND dialog)
    {
        std::vector<std::string> lines;
        HWND list = GetDlgItem(dialog, lst1);
        const int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char line[512] = {};
            SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
            lines.push_back(line);
        }
        return lines;
    }
    void TypeAndEnter(const std::string& text)
    {
        Type(text);
        Key(VK_RETURN);
    }

    fs::path root;
    std::string initialDir;
    OPENFILENAME ofn{};
    char file[MAX_PATH] = "";
    char title[64] = "";
};

TEST_F(FileDialogTest, SaveReturnsTheTypedNameWithItsExtensionAfterTheOverwritePrompt)
{
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    ofn.lpstrDefExt = "sql";
    std::string prompt;
    OnIdle([&](HWND window, int count) {
        if (count == 1) {
            EXPECT_EQ(TextOf(window), "Save As");
            TypeAndEnter("existing");
        } else if (count == 2) {
            prompt = TextOf(GetDlgItem(window, kFileBoxTextId));
            Key('Y');
        }
    });
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(prompt, "existing.sql already exists.\nDo you want to replace it?");
    const std::string expected = (root / "existing.sql").string();
    EXPECT_EQ(std::string(file), expected);
    EXPECT_EQ(std::string(title), "existing.sql");
    EXPECT_EQ(ofn.nFileOffset, expected.size() - std::strlen("existing.sql"));
    EXPECT_EQ(ofn.nFileExtension, expected.size() - 3);
    EXPECT_EQ(ofn.nFilterIndex, 1u);
    EXPECT_FALSE(ofn.Flags & OFN_EXTENSIONDIFFERENT);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialogTest, DecliningTheOverwriteKeepsTheDialogForAnotherName)
{
    ofn.Flags = OFN_OVERWRITEPROMPT;
    ofn.lpstrDefExt = "*.sql";  // a pattern-style default extension still gives ".sql"
    OnIdle([&](HWND window, int count) {
        if (count == 1) {
            TypeAndEnter("existing.sql");
        } else if (count == 2) {
            Key('N');
        } else if (count == 3) {
            EXPECT_EQ(TextOf(window), "Save As") << "back in the dialog";
            TypeAndEnter("fresh");
        }
    });
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::string(file), (root / "fresh.sql").string());
}

TEST_F(FileDialogTest, TypedFoldersAreEnteredAndRelativeNamesResolvedInThem)
{
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    std::vector<std::string> listed;
    std::string folderShown;
    OnIdle([&](HWND window, int count) {
        if (count == 1) {
            EXPECT_EQ(ListOf(window), (std::vector<std::string>{"[..]", "[sub]", "existing.sql"}));
            TypeAndEnter("sub");
        } else if (count == 2) {
            listed = ListOf(window);
            folderShown = TextOf(GetDlgItem(window, stc1));
            TypeAndEnter("inner.sql");
        }
    });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(listed, (std::vector<std::string>{"[..]", "inner.sql"}));
    EXPECT_EQ(folderShown, (root / "sub").string());
    EXPECT_EQ(std::string(file), (root / "sub" / "inner.sql").string());
}

TEST_F(FileDialogTest, AWholePathTypedIsTakenAsIs)
{
    const std::string path = (root / "sub" / "inner.sql").string();
    OnIdle([&](HWND, int count) {
        if (count == 1)
            TypeAndEnter(path);
    });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(std::string(file), path);
    EXPECT_EQ(std::string(title), "inner.sql");
}

struct RefusedName {
    const char* name;
    DWORD flags;
    const char* typed;
    const char* firstLine;
};

class FileDialogRefusals : public FileDialogTest, public ::testing::WithParamInterface<RefusedName> {};

TEST_P(FileDialogRefusals, PromptAndStayOpen)
{
    ofn.Flags = GetParam().flags;
    std::string prompt;
    bool backInDialog = false;
    OnIdle([&](HWND window, int count) {
        if (count == 1) {
            TypeAndEnter(GetParam().typed);
        } else if (count == 2) {
            prompt = TextOf(GetDlgItem(window, kFileBoxTextId));
            Key(VK_RETURN);
        } else if (count == 3) {
            backInDialog = GetDlgItem(window, lst1) != nullptr;
            Key(VK_ESCAPE);
        }
    });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_TRUE(backInDialog);
    const std::string firstLine = prompt.substr(0, prompt.find('\n'));
    const std::string expected = GetParam().firstLine;
    EXPECT_EQ(firstLine.substr(firstLine.size() - std::min(firstLine.size(), expected.size())), expected)
        << firstLine;
    EXPECT_STREQ(file, "") << "nothing is written on cancel";
}

INSTANTIATE_TEST_SUITE_P(
    MissingFilesAndFolders, FileDialogRefusals,
    ::testing::Values(RefusedName{"FileMustExist", OFN_FILEMUSTEXIST, "missing.sql", "missing.sql"},
                      RefusedName{"PathMustExist", OFN_PATHMUSTEXIST, "nowhere/x.sql", "scratch/nowhere"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileDialogTest, EscapeCancelsWithoutAnError)
{
    std::strcpy(file, "kept.sql");
    OnIdle([&](HWND window, int count) {
        if (count == 1) {
            EXPECT_EQ(TextOf(GetDlgItem(window, edt1)), "kept.sql") << "the caller's name starts in the box";
            Key(VK_ESCAPE);
        }
    });
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_STREQ(file, "kept.sql");
}

TEST_F(FileDialogTest, ABufferTooSmallFailsWithTheSizeItNeeds)
{
    ofn.nMaxFile = 8;
    OnIdle([&](HWND, int count) {
        if (count == 1)
            TypeAndEnter("notes.txt");
    });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), DWORD(FNERR_BUFFERTOOSMALL));
    WORD needed = 0;
    std::memcpy(&needed, file, sizeof needed);
    EXPECT_EQ(needed, (root / "notes.txt").string().size() + 1);
}

TEST_F(FileDialogTest, FiltersAndTypedPatternsChooseTheFilesListed)
{
    ofn.nFilterIndex = 2;
    ofn.lpstrDefExt = "sql";
    std::vector<std::string> all;
    std::vector<std::string> typed;
    OnIdle([&](HWND window, int count) {
        if (count == 1) {
            all = ListOf(window);
            TypeAndEnter("*.TXT");
        } else if (count == 2) {
            typed = ListOf(window);
            Key(VK_ESCAPE);
        }
    });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(all, (std::vector<std::string>{"[..]", "[sub]", "existing.sql", "notes.txt", "README"}))
        << "*.* lists names without a dot too";
    EXPECT_EQ(typed, (std::vector<std::string>{"[..]", "[sub]", "notes.txt"}));
}

TEST_F(FileDialogTest, ReadOnlyChoiceAndAnExtensionOtherThanTheDefaultAreReported)
{
    ofn.nFilterIndex = 2;
    ofn.lpstrDefExt = "sql";
    ofn.Flags = OFN_FILEMUSTEXIST;
    OnIdle([&](HWND, int count) {
        if (count == 1) {
            Key('R', true);
        } else if (count == 2) {
            Key('N', true);
        } else if (count == 3) {
            TypeAndEnter("notes.txt");
        }
    });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_TRUE(ofn.Flags & OFN_READONLY);
    EXPECT_TRUE(ofn.Flags & OFN_EXTENSIONDIFFERENT);
    EXPECT_EQ(ofn.nFilterIndex, 2u);
}

TEST_F(FileDialogTest, AnExistingNameWithoutExtensionOpensAsNamed)
{
    ofn.nFilterIndex = 2;
    ofn.lpstrDefExt = "sql";
    OnIdle([&](HWND, int count) {
        if (count == 1)
            TypeAndEnter("README");
    });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(std::string(file), (root / "README").string());
    EXPECT_EQ(ofn.nFileExtension, std::strlen(file)) << "no extension: the offset of the end";
}

struct DefExtCase {
    const char* given;
    const char* usable;
};

TEST(FileDialogDefaultExtension, OnlyAPlainExtensionIsAppended)
{
    const DefExtCase cases[] = {{"sql", "sql"}, {".txt", "txt"}, {"*.exe", "exe"}, {"*.*", ""}, {"", ""},
                                {"a/b", ""}};
    for (const DefExtCase& c : cases)
        EXPECT_EQ(FileDialog::UsableDefaultExtension(c.given), c.usable) << c.given;
    EXPECT_EQ(FileDialog::UsableDefaultExtension(nullptr), "");
}

TEST(FileDialogFilters, PairsAndPatternListsAreRead)
{
    const char filters[] = "Chart Files (*.xlc)\0*.xlc\0Data Files (*.xlc;*.xls)\0*.xlc; *.xls\0Odd\0\0";
    const auto parsed = FileDialog::ParseFilters(filters);
    ASSERT_EQ(parsed.size(), 3u);
    EXPECT_EQ(parsed[1].name, "Data Files (*.xlc;*.xls)");
    EXPECT_EQ(parsed[1].patterns, (std::vector<std::string>{"*.xlc", "*.xls"}));
    EXPECT_TRUE(parsed[2].patterns.empty()) << "a name without a pattern ends the list";
    EXPECT_TRUE(FileDialog::Matches(parsed[1].patterns, "BOOK.XLS"));
    EXPECT_FALSE(FileDialog::Matches(parsed[1].patterns, "book.xlsx"));
}

struct TitleCase {
    const char* path;
    WORD size;
    short answer;
    const char* title;
};

TEST(FileTitle, TheNamePartOrTheSizeItNeeds)
{
    const TitleCase cases[] = {
        {"/home/me/report.sql", 64, 0, "report.sql"},
        {"report.sql", 64, 0, "report.sql"},
        {"/home/me/report.sql", 5, 11, ""},  // too small: untouched, the size needed
        {"/home/me/", 64, -1, ""},
        {"/home/me/*.sql", 64, -1, ""},
        {"", 64, -1, ""},
    };
    for (const TitleCase& c : cases) {
        char buffer[64] = "";
        EXPECT_EQ(GetFileTitle(c.path, buffer, c.size), c.answer) << c.path;
        EXPECT_STREQ(buffer, c.title) << c.path;
    }
    EXPECT_EQ(GetFileTitle("a/b.txt", nullptr, 0), 6);
}

TEST_F(FileDialogTest, DoubleClickingAFolderEntersItAndAFileChoosesIt)
{
    std::vector<std::string> listed;
    auto doubleClickLine = [&](HWND dialog, int line) {
        HWND list = GetDlgItem(dialog, lst1);
        RECT item;
        SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
        POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(list, &at);
        input.Click(tw::display::MouseButton::Left, at.x, at.y);
        input.Click(tw::display::MouseButton::Left, at.x, at.y);
    };
    OnIdle([&](HWND dialog, int count) {
        if (count == 1) {
            doubleClickLine(dialog, 1);  // [sub]
        } else if (count == 2) {
            listed = ListOf(dialog);
            doubleClickLine(dialog, 1);  // inner.sql
        }
    });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(listed, (std::vector<std::string>{"[..]", "inner.sql"}));
    EXPECT_EQ(std::string(file), (root / "sub" / "inner.sql").string());
}

TEST_F(FileDialogTest, BadRequestsFailWithTheirErrors)
{
    OPENFILENAME bad = ofn;
    bad.lStructSize = 4;
    EXPECT_FALSE(GetOpenFileName(&bad));
    EXPECT_EQ(CommDlgExtendedError(), DWORD(CDERR_STRUCTSIZE));
    bad = ofn;
    bad.lpstrFile = nullptr;
    EXPECT_FALSE(GetSaveFileName(&bad));
    EXPECT_EQ(CommDlgExtendedError(), DWORD(CDERR_INITIALIZATION));
    bad = ofn;
    bad.Flags = OFN_ENABLEHOOK;
    EXPECT_FALSE(GetOpenFileName(&bad));
    EXPECT_EQ(CommDlgExtendedError(), DWORD(CDERR_NOHOOK));
}

}  // namespace
}  // namespace tw::comdlg::test
