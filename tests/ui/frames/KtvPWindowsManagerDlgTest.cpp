// The "Windows" dialog over a framework MDI frame with real children: what it
// lists and selects, which buttons it offers, and each button's effect,
// with modified documents whose save prompt the test answers.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/mfc/afxwin.h"
#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/mfc/CMDIFrameWnd.h"
#include "platform/mfc/CView.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPWindowsManagerDlg.h"

// Counts the save questions it is asked; the framework's prompt itself is
// answered by the injected keys of each test.
class CWindowsDlgTestDoc : public CDocument {
    DECLARE_DYNCREATE(CWindowsDlgTestDoc)
public:
    int asked = 0;
    BOOL SaveModified() override
    {
        asked++;
        return CDocument::SaveModified();
    }
};
IMPLEMENT_DYNCREATE(CWindowsDlgTestDoc, CDocument)

class CWindowsDlgTestView : public CView {
    DECLARE_DYNCREATE(CWindowsDlgTestView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CWindowsDlgTestView, CView)

namespace {

// Runs one scripted step each time the modal loop goes idle.
class ScriptedWindowsDlg : public CKtvPWindowsManagerDlg {
public:
    ScriptedWindowsDlg(CMDIFrameWnd* pFrame, BOOL bShowHelp) : CKtvPWindowsManagerDlg(pFrame, bShowHelp) {}

    std::vector<std::function<void(ScriptedWindowsDlg&)>> steps;

    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    bool Usable(int id) const { return ::IsWindowVisible(Item(id)) && ::IsWindowEnabled(Item(id)); }
    void Press(int id) { SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id))); }
    // Selects exactly these titles, as the user's clicks would.
    void Select(std::initializer_list<const char*> titles)
    {
        m_wndList.SendMessage(LB_SETSEL, FALSE, -1);
        for (const char* title : titles) {
            const int item = m_wndList.FindStringExact(-1, title);
            ASSERT_GE(item, 0) << title;
            m_wndList.SetSel(item, TRUE);
        }
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KTVP_WINDOWS_LIST, LBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(m_wndList.m_hWnd));
    }
    std::vector<std::string> Listed() const
    {
        std::vector<std::string> titles;
        for (int i = 0; i < m_wndList.GetCount(); i++) {
            CString text;
            m_wndList.GetText(i, text);
            titles.emplace_back(static_cast<LPCTSTR>(text));
        }
        return titles;
    }
    std::vector<std::string> Selected() const
    {
        std::vector<std::string> titles;
        for (int i = 0; i < m_wndList.GetCount(); i++) {
            if (m_wndList.GetSel(i) > 0) {
                CString text;
                m_wndList.GetText(i, text);
                titles.emplace_back(static_cast<LPCTSTR>(text));
            }
        }
        return titles;
    }
    void Close() { PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDOK))); }

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM lCount)
    {
        if (lCount == 0 && next_ < steps.size())
            steps[next_++](*this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    size_t next_ = 0;
};

BEGIN_MESSAGE_MAP(ScriptedWindowsDlg, CKtvPWindowsManagerDlg)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

// The main window, which is told when the dialog's help is asked for.
class HelpRecordingFrame : public CMDIFrameWnd {
public:
    std::vector<LPARAM> helpAsked;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KTVM_WINDOW_HELP && message != 0)
            helpAsked.push_back(lParam);
        return CMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class KtvPWindowsManagerDlgTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        AfxGetApp()->m_pMainWnd = nullptr;
        main = new HelpRecordingFrame;
        ASSERT_TRUE(main->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600)));
        mainHwnd = main->m_hWnd;
        AfxGetApp()->m_pMainWnd = main;
    }
    void TearDown() override
    {
        // Closing the frame must not ask about the test's documents.
        for (auto& [title, doc] : docs) {
            if (::IsWindow(handles[title]))
                doc->SetModifiedFlag(FALSE);
        }
        if (::IsWindow(mainHwnd))
            ::DestroyWindow(mainHwnd);
        AfxGetApp()->m_pMainWnd = nullptr;
        HeadlessWindowTest::TearDown();
    }

    CMDIChildWnd* AddChild(const char* title, bool modified = false)
    {
        auto* doc = new CWindowsDlgTestDoc;
        doc->SetTitle(title);
        doc->SetModifiedFlag(modified);
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CWindowsDlgTestView);
        context.m_pCurrentDoc = doc;
        auto* child = new CMDIChildWnd;
        EXPECT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                  CFrameWnd::rectDefault, main, nullptr, 0, &context));
        child->InitialUpdateFrame(doc, TRUE);
        docs[title] = doc;
        handles[title] = child->m_hWnd;
        child->SetWindowText(title);
        children[title] = child;
        Pump();
        return child;
    }
    bool IsOpen(const char* title) const { return ::IsWindow(handles.at(title)); }
    int Asked(const char* title) { return docs.at(title)->asked; }

    HelpRecordingFrame* main = nullptr;
    HWND mainHwnd = nullptr;
    std::map<std::string, CMDIChildWnd*> children;
    std::map<std::string, HWND> handles;
    std::map<std::string, CWindowsDlgTestDoc*> docs;
};

TEST_F(KtvPWindowsManagerDlgTest, OpensWithTheChildrenSortedAndOnlyTheActiveOneSelected)
{
    AddChild("Query 2");
    AddChild("Query 1");
    AddChild("Designer");
    main->MDIActivate(children["Query 1"]);

    ScriptedWindowsDlg dlg(main, FALSE);
    dlg.steps.push_back([](ScriptedWindowsDlg& d) {
        EXPECT_EQ(d.Listed(), (std::vector<std::string>{"Designer", "Query 1", "Query 2"}));
        EXPECT_EQ(d.Selected(), std::vector<std::string>{"Query 1"});
        EXPECT_TRUE(d.Usable(IDC_KTVP_WINDOWS_ACTIVATE));
        EXPECT_TRUE(d.Usable(IDC_KTVP_WINDOWS_SAVE));
        EXPECT_TRUE(d.Usable(IDC_KTVP_WINDOWS_CLOSE));
        EXPECT_TRUE(d.Usable(IDC_KTVP_WINDOWS_MINIMIZE));
        EXPECT_FALSE(d.Usable(IDC_KTVP_WINDOWS_CASCADE));
        EXPECT_FALSE(d.Usable(IDC_KTVP_WINDOWS_TILE_HORZ));
        EXPECT_FALSE(::IsWindowVisible(d.Item(ID_HELP)));

        d.Select({"Query 1", "Designer"});
        EXPECT_FALSE(d.Usable(IDC_KTVP_WINDOWS_ACTIVATE));
        EXPECT_TRUE(d.Usable(IDC_KTVP_WINDOWS_CASCADE));
        EXPECT_TRUE(d.Usable(IDC_KTVP_WINDOWS_TILE_VERT));
        d.Close();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(KtvPWindowsManagerDlgTest, WithoutChildrenOnlyOkAndHelpCanBeUsed)
{
    ScriptedWindowsDlg dlg(main, TRUE);
    dlg.steps.push_back([](ScriptedWindowsDlg& d) {
        EXPECT_TRUE(d.Listed().empty());
        for (int id : {IDC_KTVP_WINDOWS_ACTIVATE, IDC_KTVP_WINDOWS_SAVE, IDC_KTVP_WINDOWS_CLOSE,
                       IDC_KTVP_WINDOWS_CASCADE, IDC_KTVP_WINDOWS_TILE_HORZ, IDC_KTVP_WINDOWS_TILE_VERT,
                       IDC_KTVP_WINDOWS_MINIMIZE})
            EXPECT_FALSE(d.Usable(id)) << id;
        EXPECT_TRUE(d.Usable(IDOK));
        EXPECT_TRUE(d.Usable(ID_HELP));
        d.Close();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(KtvPWindowsManagerDlgTest, SystemMenuDecidesWhatMayBeArrangedAndClosed)
{
    AddChild("Locked");
    AddChild("Plain");
    ::EnableMenuItem(::GetSystemMenu(children["Locked"]->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

    ScriptedWindowsDlg dlg(main, FALSE);
    dlg.steps.push_back([](ScriptedWindowsDlg& d) {
        d.Select({"Plain"});
        EXPECT_TRUE(d.Usable(IDC_KTVP_WINDOWS_CLOSE));
        d.Select({"Plain", "Locked"});
        EXPECT_FALSE(d.Usable(IDC_KTVP_WINDOWS_CLOSE));
        EXPECT_TRUE(d.Usable(IDC_KTVP_WINDOWS_SAVE));
        EXPECT_TRUE(d.Usable(IDC_KTVP_WINDOWS_TILE_HORZ));
        d.Close();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);

    // One child without a system menu takes the arranging buttons away for the whole dialog.
    children["Plain"]->ModifyStyle(WS_SYSMENU, 0);
    ScriptedWindowsDlg second(main, FALSE);
    second.steps.push_back([](ScriptedWindowsDlg& d) {
        d.Select({"Plain", "Locked"});
        for (int id : {IDC_KTVP_WINDOWS_CASCADE, IDC_KTVP_WINDOWS_TILE_HORZ, IDC_KTVP_WINDOWS_TILE_VERT,
                       IDC_KTVP_WINDOWS_MINIMIZE})
            EXPECT_FALSE(::IsWindowVisible(d.Item(id))) << id;
        d.Close();
    });
    EXPECT_EQ(second.DoModal(), IDOK);
}

TEST_F(KtvPWindowsManagerDlgTest, ClosingStopsAtTheFirstWindowItsUserKeepsOpen)
{
    AddChild("A");
    AddChild("B", true);
    AddChild("C");

    ScriptedWindowsDlg dlg(main, FALSE);
    dlg.steps.push_back([this](ScriptedWindowsDlg& d) {
        d.Select({"A", "B", "C"});
        input.KeyStroke(VK_ESCAPE);  // Cancel on the save prompt
        d.Press(IDC_KTVP_WINDOWS_CLOSE);
    });
    dlg.steps.push_back([](ScriptedWindowsDlg& d) {
        EXPECT_EQ(d.Listed(), (std::vector<std::string>{"A", "B"}));
        d.Close();
    });
    // From the bottom: C closes, B's user cancels its save prompt, A is never asked.
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(IsOpen("A"));
    EXPECT_TRUE(IsOpen("B"));
    EXPECT_FALSE(IsOpen("C"));
    EXPECT_EQ(Asked("B"), 1);
}

TEST_F(KtvPWindowsManagerDlgTest, SaveAsksOnlyTheModifiedDocumentsOfTheSelectedWindows)
{
    AddChild("Clean");
    AddChild("Dirty", true);
    AddChild("Other", true);

    ScriptedWindowsDlg dlg(main, FALSE);
    dlg.steps.push_back([this](ScriptedWindowsDlg& d) {
        d.Select({"Clean", "Dirty"});
        input.KeyStroke(VK_ESCAPE);  // the one prompt, for "Dirty"
        d.Press(IDC_KTVP_WINDOWS_SAVE);
    });
    dlg.steps.push_back([](ScriptedWindowsDlg& d) { d.Close(); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Asked("Clean"), 1);
    EXPECT_EQ(Asked("Dirty"), 1);
    EXPECT_EQ(Asked("Other"), 0);
    EXPECT_TRUE(::IsWindow(children["Dirty"]->m_hWnd));
}

TEST_F(KtvPWindowsManagerDlgTest, TilingTwoOfFiveMinimisesTheRestAndRestoresTheAnimationSetting)
{
    for (const char* title : {"1", "2", "3", "4", "5"})
        AddChild(title);
    ANIMATIONINFO info{sizeof(ANIMATIONINFO), 1};
    ::SystemParametersInfo(SPI_SETANIMATION, sizeof(info), &info, 0);

    ScriptedWindowsDlg dlg(main, FALSE);
    dlg.steps.push_back([](ScriptedWindowsDlg& d) {
        d.Select({"2", "4"});
        d.Press(IDC_KTVP_WINDOWS_TILE_VERT);
        EXPECT_EQ(d.Selected(), (std::vector<std::string>{"2", "4"})) << "the dialog stays as it was";
        d.Close();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);

    for (const char* title : {"1", "3", "5"})
        EXPECT_TRUE(children[title]->IsIconic()) << title;
    CRect rect2, rect4, client;
    children["2"]->GetWindowRect(rect2);
    children["4"]->GetWindowRect(rect4);
    EXPECT_FALSE(children["2"]->IsIconic());
    EXPECT_FALSE(children["4"]->IsIconic());
    EXPECT_EQ(rect2.top, rect4.top) << "tiled side by side";
    EXPECT_NE(rect2.left, rect4.left);

    info.iMinAnimate = 0;
    ::SystemParametersInfo(SPI_GETANIMATION, sizeof(info), &info, 0);
    EXPECT_EQ(info.iMinAnimate, 1);
}

TEST_F(KtvPWindowsManagerDlgTest, ActivatingAMinimisedWindowRestoresItAndEndsTheDialog)
{
    AddChild("Left");
    AddChild("Right");
    children["Left"]->ShowWindow(SW_MINIMIZE);
    main->MDIActivate(children["Right"]);

    ScriptedWindowsDlg dlg(main, FALSE);
    dlg.steps.push_back([](ScriptedWindowsDlg& d) {
        d.Select({"Left"});
        d.Press(IDC_KTVP_WINDOWS_ACTIVATE);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(children["Left"]->IsIconic());
    EXPECT_EQ(main->MDIGetActive(), children["Left"]);
}

TEST_F(KtvPWindowsManagerDlgTest, MinimiseTakesEverySelectedWindowDown)
{
    AddChild("One");
    AddChild("Two");
    AddChild("Three");

    ScriptedWindowsDlg dlg(main, FALSE);
    dlg.steps.push_back([](ScriptedWindowsDlg& d) {
        d.Select({"One", "Three"});
        d.Press(IDC_KTVP_WINDOWS_MINIMIZE);
        d.Close();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(children["One"]->IsIconic());
    EXPECT_FALSE(children["Two"]->IsIconic());
    EXPECT_TRUE(children["Three"]->IsIconic());
}

TEST_F(KtvPWindowsManagerDlgTest, ClicksAndKeysDriveTheListTheButtonsAndTheHelp)
{
    for (const char* title : {"A", "B", "C", "D"})
        AddChild(title);

    // Input is only queued here; the dialog's own loop delivers it before the next step.
    auto itemRect = [](ScriptedWindowsDlg& d, const char* title) {
        CRect rect;
        d.m_wndList.GetItemRect(d.m_wndList.FindStringExact(-1, title), rect);
        return rect;
    };
    auto click = [&](HWND hwnd, CPoint pt, int clicks = 1) {
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        const POINT screen = ScreenPointOf(hwnd, pt.x, pt.y);
        for (int i = 0; i < clicks; i++)
            input.Click(tw::display::MouseButton::Left, screen.x, screen.y);
    };
    auto clickButton = [&](ScriptedWindowsDlg& d, int id) {
        CRect rect;
        ::GetClientRect(d.Item(id), &rect);
        click(d.Item(id), rect.CenterPoint());
    };

    ScriptedWindowsDlg dlg(main, TRUE);
    dlg.steps.push_back([&](ScriptedWindowsDlg& d) {
        click(d.m_wndList.m_hWnd, itemRect(d, "A").CenterPoint());
        input.KeyDown(VK_CONTROL);
        click(d.m_wndList.m_hWnd, itemRect(d, "C").CenterPoint());
        input.KeyUp(VK_CONTROL);
    });
    dlg.steps.push_back([&](ScriptedWindowsDlg& d) {
        EXPECT_EQ(d.Selected(), (std::vector<std::string>{"A", "C"}));
        EXPECT_TRUE(d.Usable(IDC_KTVP_WINDOWS_CASCADE));
        // The chosen windows are drawn selected, the others plain.
        const CRect rectC = itemRect(d, "C");
        const CRect rectB = itemRect(d, "B");
        EXPECT_EQ(ScreenPixel(d.m_wndList.m_hWnd, rectC.right - 3, rectC.CenterPoint().y),
                  ::GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(ScreenPixel(d.m_wndList.m_hWnd, rectB.right - 3, rectB.CenterPoint().y), ::GetSysColor(COLOR_WINDOW));
        clickButton(d, IDC_KTVP_WINDOWS_CASCADE);
    });
    dlg.steps.push_back([&](ScriptedWindowsDlg& d) {
        EXPECT_TRUE(children["B"]->IsIconic());
        EXPECT_TRUE(children["D"]->IsIconic());
        EXPECT_FALSE(children["A"]->IsIconic());
        EXPECT_FALSE(children["C"]->IsIconic());
        CRect rectA, rectC;
        children["A"]->GetWindowRect(rectA);
        children["C"]->GetWindowRect(rectC);
        EXPECT_NE(rectA.TopLeft(), rectC.TopLeft()) << "cascaded";
        EXPECT_EQ(rectA.Size(), rectC.Size());
        clickButton(d, ID_HELP);
    });
    dlg.steps.push_back([&](ScriptedWindowsDlg& d) {
        EXPECT_EQ(d.SendMessage(WM_HELP), FALSE);
        EXPECT_EQ(main->helpAsked, (std::vector<LPARAM>(2, reinterpret_cast<LPARAM>(&d))));
        // A double click on a minimised window brings it back as the active one and ends the dialog.
        click(d.m_wndList.m_hWnd, itemRect(d, "B").CenterPoint(), 2);
    });
    dlg.steps.push_back([](ScriptedWindowsDlg& d) {
        ADD_FAILURE() << "the double click did not end the dialog";
        d.Close();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(children["B"]->IsIconic());
    EXPECT_EQ(main->MDIGetActive(), children["B"]);
}

TEST_F(KtvPWindowsManagerDlgTest, EnterActivatesTheOneSelectedWindow)
{
    AddChild("First");
    AddChild("Second");
    main->MDIActivate(children["First"]);

    ScriptedWindowsDlg dlg(main, FALSE);
    dlg.steps.push_back([&](ScriptedWindowsDlg& d) {
        d.Select({"Second"});
        d.m_wndList.SetFocus();
        input.KeyStroke(VK_RETURN);
    });
    dlg.steps.push_back([](ScriptedWindowsDlg& d) {
        ADD_FAILURE() << "Enter did not end the dialog";
        d.Close();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(main->MDIGetActive(), children["Second"]);
}

}  // namespace
