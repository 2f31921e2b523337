// The framework's open and save dialogs driven by keys: the typed name comes
// back whole and in its parts, the "|" filter and the default extension
// reach the platform's dialog, and the wrapper is the dialog's window object
// while it runs.
#include <filesystem>
#include <fstream>

#include "tests/platform/mfc/print/PrintTest.h"

namespace fs = std::filesystem;

namespace tw::mfc::print_test {
namespace {

constexpr char kSqlFilter[] = "SQL Files (*.sql)|*.sql|All Files (*.*)|*.*||";

class FileDialogWrapperTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        for (const char* name : {"existing.sql", "notes.txt"})
            std::ofstream(name) << "x";
    }
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
};

struct TypedNameCase {
    const char* label;
    BOOL open;
    const char* defaultExtension;
    const char* typed;
    const char* fileName;
    const char* fileExt;
    const char* fileTitle;
};

const TypedNameCase kTypedNames[] = {
    {"OpenExisting", TRUE, nullptr, "existing.sql", "existing.sql", "sql", "existing"},
    {"SaveGetsTheDefaultExtension", FALSE, "sql", "report", "report.sql", "sql", "report"},
    {"PatternStyleDefaultExtension", FALSE, "*.exe", "tool", "tool.exe", "exe", "tool"},
    {"SaveWithoutExtension", FALSE, nullptr, "plain", "plain", "", "plain"},
};

class TypedNameTest : public FileDialogWrapperTest, public ::testing::WithParamInterface<TypedNameCase> {};

TEST_P(TypedNameTest, TheTypedNameComesBackWholeAndInParts)
{
    const TypedNameCase& c = GetParam();
    CFileDialog dialog(c.open, c.defaultExtension, nullptr, OFN_HIDEREADONLY, kSqlFilter, frame);
    bool attached = false;
    OnIdle([&](HWND idle, int count) {
        if (count != 1)
            return;
        attached = CWnd::FromHandlePermanent(idle) == &dialog;
        Type(c.typed);
        Key(VK_RETURN);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(attached) << "the wrapper is the dialog's window object while it runs";
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "and lets go of it when it ends";
    EXPECT_EQ(std::string(dialog.GetPathName()), (fs::current_path() / c.fileName).string());
    EXPECT_EQ(std::string(dialog.GetFileName()), c.fileName);
    EXPECT_EQ(std::string(dialog.GetFileExt()), c.fileExt);
    EXPECT_EQ(std::string(dialog.GetFileTitle()), c.fileTitle);
}

INSTANTIATE_TEST_SUITE_P(Names, TypedNameTest, ::testing::ValuesIn(kTypedNames),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(FileDialogWrapperTest, TheBarSeparatedFilterChoosesTheFilesListed)
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "Text (*.txt)|*.txt|All Files (*.*)|*.*||", frame);
    std::vector<std::string> listed;
    OnIdle([&](HWND idle, int count) {
        if (count != 1)
            return;
        listed = ListOf(idle);
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(listed, (std::vector<std::string>{"[..]", "notes.txt"}));
}

TEST_F(FileDialogWrapperTest, TheInitialNameIsOfferedAndCancelLeavesNoPath)
{
    CFileDialog dialog(FALSE, nullptr, "draft.sql", OFN_HIDEREADONLY, nullptr, frame);
    std::string offered;
    OnIdle([&](HWND idle, int count) {
        if (count != 1)
            return;
        offered = TextOf(GetDlgItem(idle, edt1));
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(offered, "draft.sql");
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

}  // namespace
}  // namespace tw::mfc::print_test
