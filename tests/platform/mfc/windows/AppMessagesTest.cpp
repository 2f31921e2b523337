// The application's message boxes (captioned with its name, text or string
// id) and strings from the program's string table; menu items updated
// through CCmdUI.
#include <mutex>
#include <string>

#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "resources/resource.h"
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

// Answers every box shown over it with `answer`, keeping the caption and text.
class AnsweringWnd : public CWnd {
public:
    int answer = IDOK;
    std::string caption;
    std::string text;

protected:
    LRESULT OnEnterIdle(WPARAM, LPARAM lParam)
    {
        HWND box = reinterpret_cast<HWND>(lParam);
        if (box == lastBox)
            return 0;
        lastBox = box;
        char buffer[256] = {};
        ::GetWindowText(box, buffer, sizeof buffer);
        caption = buffer;
        ::GetWindowText(::GetDlgItem(box, 0xFFFF), buffer, sizeof buffer);
        text = buffer;
        ::PostMessage(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    HWND lastBox = nullptr;
};

BEGIN_MESSAGE_MAP(AnsweringWnd, CWnd)
    ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
END_MESSAGE_MAP()

class AppMessages : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        static std::once_flag once;
        std::call_once(once, [] { tw::RegisterResources(tw::ProgramInstance(), TarnwickResources()); });
        ASSERT_TRUE(main.CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400),
                                  nullptr, 0));
        main.SetActiveWindow();
        App().m_pMainWnd = &main;
    }
    AnsweringWnd main;
};

TEST_F(AppMessages, MessageBoxIsCaptionedWithTheApplicationName)
{
    main.answer = IDNO;
    EXPECT_EQ(AfxMessageBox("Save the changes?", MB_YESNO), IDNO);
    EXPECT_EQ(main.caption, "Tarnwick");
    EXPECT_EQ(main.text, "Save the changes?");
}

TEST_F(AppMessages, MessageBoxByIdShowsTheString)
{
    EXPECT_EQ(AfxMessageBox(IDS_APP_TITLE), IDOK);
    EXPECT_EQ(main.text, "Tarnwick");
}

TEST_F(AppMessages, StringsComeFromTheStringTable)
{
    CString title;
    EXPECT_TRUE(title.LoadString(IDS_APP_TITLE));
    EXPECT_STREQ(title, "Tarnwick");
    EXPECT_STREQ(CString(MAKEINTRESOURCE(IDS_APP_TITLE)), "Tarnwick");
    CString missing("kept");
    EXPECT_FALSE(missing.LoadString(0xFFF0));
    EXPECT_STREQ(missing, "kept");
}

TEST_F(AppMessages, MenuItemStateFollowsTheUpdateCalls)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 700, "&Run");
    menu.AppendMenu(MF_STRING | MF_GRAYED, 701, "&Stop");

    CCmdUI run;
    run.m_pMenu = &menu;
    run.m_nIndex = 0;
    run.m_nID = 700;
    run.Enable(FALSE);
    run.SetCheck(1);
    run.SetText("&Run Again");
    EXPECT_TRUE(run.m_bEnableChanged);
    const UINT state = menu.GetMenuState(0, MF_BYPOSITION);
    EXPECT_TRUE(state & MF_GRAYED);
    EXPECT_TRUE(state & MF_CHECKED);
    CString text;
    menu.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Run Again");
    EXPECT_EQ(menu.GetMenuItemID(0), 700u);

    CCmdUI stop;
    stop.m_pMenu = &menu;
    stop.m_nIndex = 1;
    stop.m_nID = 701;
    stop.Enable(TRUE);
    EXPECT_FALSE(menu.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(AppMessages, RegisteredClassNamesAreSharedByEqualStyles)
{
    LPCTSTR first = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    LPCTSTR again = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    LPCTSTR other = AfxRegisterWndClass(CS_DBLCLKS | CS_SAVEBITS);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, again);
    EXPECT_STRNE(first, other);
    WNDCLASS wc{};
    ASSERT_TRUE(GetClassInfo(AfxGetInstanceHandle(), first, &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(wc.lpfnWndProc, AfxGetAfxWndProc());
}

}  // namespace
}  // namespace tw::mfc::test

namespace tw::mfc::test {
namespace {

TEST_F(AppMessages, AskingForHelpSaysThereIsNone)
{
    main.text.clear();
    main.WinHelp(0x41000 + 12, HELP_CONTEXTPOPUP);
    EXPECT_EQ(main.text, "Failed to launch help: there is no help engine on this system.");
    main.text.clear();
    App().WinHelp(0, HELP_QUIT);
    EXPECT_EQ(main.text, "");
}

TEST_F(AppMessages, RunHandlesWaitingMessagesIdlesAndEndsWithTheQuitCode)
{
    App().idleCounts.clear();
    main.PostMessage(WM_NULL);
    ::PostQuitMessage(3);
    EXPECT_EQ(App().Run(), 3);

    // With nothing waiting, idle work runs until it has nothing more to do.
    App().idleCounts.clear();
    App().onIdle = [](LONG lCount) {
        if (lCount == 1)
            PostQuitMessage(0);
    };
    EXPECT_EQ(App().Run(), 0);
    App().onIdle = nullptr;
    EXPECT_EQ(App().idleCounts, (std::vector<LONG>{0, 1}));
}

}  // namespace
}  // namespace tw::mfc::test
