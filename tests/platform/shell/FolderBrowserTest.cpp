// The folder-browse dialog driven as the library drives it: the callback
// preselects a folder when told the dialog is ready, the person moves with
// the keyboard and confirms or cancels.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/display/Display.h"
#include "platform/display/InputInjector.h"
#include "platform/shell/shlobj.h"

namespace {

namespace fs = std::filesystem;

struct BrowseScript {
    std::string initialPath;
    std::vector<UINT> keys;
    std::vector<std::string> events;
};

std::string PathOf(LPCITEMIDLIST list)
{
    char path[MAX_PATH] = {};
    return SHGetPathFromIDList(list, path) ? path : "(none)";
}

int CALLBACK ScriptedBrowseCallback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data)
{
    auto* script = reinterpret_cast<BrowseScript*>(data);
    if (message == BFFM_INITIALIZED) {
        script->events.push_back("initialized");
        if (!script->initialPath.empty())
            SendMessage(hwnd, BFFM_SETSELECTION, TRUE, reinterpret_cast<LPARAM>(script->initialPath.c_str()));
        tw::display::InputInjector input;
        for (UINT key : script->keys)
            input.KeyStroke(key);
    } else if (message == BFFM_SELCHANGED) {
        script->events.push_back("selchanged " + PathOf(reinterpret_cast<LPCITEMIDLIST>(lParam)));
    }
    return 0;
}

class FolderBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::display::Display::Instance().Input().Clear();
        fs::create_directories("projects/alpha/inner");
        fs::create_directories("projects/beta");
        fs::create_directories("projects/.hidden");
        base = fs::current_path().string();
    }

    // Runs the dialog; the chosen folder's path, or "(cancelled)".
    std::string Browse(BrowseScript& script)
    {
        char displayName[MAX_PATH] = {};
        BROWSEINFO info{};
        info.pszDisplayName = displayName;
        info.lpszTitle = "Choose a folder";
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        info.lpfn = ScriptedBrowseCallback;
        info.lParam = reinterpret_cast<LPARAM>(&script);
        info.iImage = -1;
        LPITEMIDLIST chosen = SHBrowseForFolder(&info);
        if (!chosen)
            return "(cancelled)";
        const std::string path = PathOf(chosen);
        chosenName = displayName;
        chosenImage = info.iImage;
        ILFree(chosen);
        return path;
    }

    std::string base;
    std::string chosenName;
    int chosenImage = -1;
};

TEST_F(FolderBrowserTest, ThePreselectedFolderIsChosenWithEnter)
{
    BrowseScript script{base + "/projects/alpha", {VK_RETURN}, {}};
    EXPECT_EQ(Browse(script), base + "/projects/alpha");
    EXPECT_EQ(chosenName, "alpha");
    EXPECT_GE(chosenImage, 0);
    ASSERT_GE(script.events.size(), 2u);
    EXPECT_EQ(script.events.front(), "selchanged /") << "the root is selected before the callback runs";
    EXPECT_EQ(script.events.back(), "selchanged " + base + "/projects/alpha");
}

TEST_F(FolderBrowserTest, ArrowKeysMoveTheSelectionAndTheCallbackHearsOfIt)
{
    // alpha is collapsed: Down goes to its sibling beta; the hidden folder is not listed.
    BrowseScript script{base + "/projects/alpha", {VK_DOWN, VK_RETURN}, {}};
    EXPECT_EQ(Browse(script), base + "/projects/beta");
    EXPECT_EQ(script.events.back(), "selchanged " + base + "/projects/beta");
}

TEST_F(FolderBrowserTest, EscapeCancels)
{
    BrowseScript script{base + "/projects", {VK_ESCAPE}, {}};
    EXPECT_EQ(Browse(script), "(cancelled)");
}

TEST_F(FolderBrowserTest, AMissingInitialFolderLeavesTheRootSelected)
{
    BrowseScript script{base + "/no/such/folder", {VK_RETURN}, {}};
    EXPECT_EQ(Browse(script), "/");
    EXPECT_EQ(chosenName, "/");
}

}  // namespace
