// A frame with a view on a document: commands go to the view, the document,
// the frame and the application in that order; idle processing greys menu
// items nobody handles; closing a changed document asks to save it; a
// document saved and opened again holds the same data.
#include <gtest/gtest.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "platform/mfc/afxwin.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/platform/mfc/frames/FramesTestApp.h"

namespace {

constexpr UINT ID_EVERYONE = 3001;   // handled by view, document, frame and application
constexpr UINT ID_DOC_FRAME = 3002;  // handled by document and frame
constexpr UINT ID_FRAME_APP = 3003;  // handled by frame and application
constexpr UINT ID_APP_ONLY = tw::mfc::frames_test::ID_APP_ONLY;
constexpr UINT ID_UNHANDLED = 3305;  // outside the application's range

using tw::mfc::frames_test::TheApp;

std::vector<std::string>& g_frameCalls = TheApp().calls;
std::vector<std::string>& g_prompts = TheApp().prompts;
int& g_answer = TheApp().answer;

// A document of text lines that serialises them.
class LinesDoc : public CDocument {
    DECLARE_DYNCREATE(LinesDoc)
public:
    CStringArray lines;
    void Serialize(CArchive& ar) override { lines.Serialize(ar); }
    void DeleteContents() override { lines.RemoveAll(); }

protected:
    void OnEveryone() { g_frameCalls.push_back("doc"); }
    void OnDocFrame() { g_frameCalls.push_back("doc"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(LinesDoc, CDocument)
BEGIN_MESSAGE_MAP(LinesDoc, CDocument)
    ON_COMMAND(ID_EVERYONE, OnEveryone)
    ON_COMMAND(ID_DOC_FRAME, OnDocFrame)
END_MESSAGE_MAP()

class LinesView : public CView {
    DECLARE_DYNCREATE(LinesView)
public:
    int initialUpdates = 0;
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override { ++initialUpdates; }

protected:
    void OnEveryone() { g_frameCalls.push_back("view"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(LinesView, CView)
BEGIN_MESSAGE_MAP(LinesView, CView)
    ON_COMMAND(ID_EVERYONE, OnEveryone)
END_MESSAGE_MAP()

class LinesFrame : public CFrameWnd {
    DECLARE_DYNCREATE(LinesFrame)
protected:
    void OnEveryone() { g_frameCalls.push_back("frame"); }
    void OnDocFrame() { g_frameCalls.push_back("frame"); }
    void OnFrameApp() { g_frameCalls.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(LinesFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(LinesFrame, CFrameWnd)
    ON_COMMAND(ID_EVERYONE, OnEveryone)
    ON_COMMAND(ID_DOC_FRAME, OnDocFrame)
    ON_COMMAND(ID_FRAME_APP, OnFrameApp)
END_MESSAGE_MAP()

void PumpFrames()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

class FrameDocViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::once_flag once;
        std::call_once(once, [] { tw::RegisterStandardControlClasses(); });
        tw::ProcessClock::Freeze();
        g_frameCalls.clear();
        g_prompts.clear();
        TheApp().ignored = {ID_DOC_FRAME, ID_UNHANDLED};
        g_answer = IDNO;
        doc = new LinesDoc;
        doc->SetTitle("Lines");
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(LinesView);
        context.m_pCurrentDoc = doc;
        frame = new LinesFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Editor", WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CRect(10, 10, 410, 310),
                                  nullptr, nullptr, 0, &context));
        frame->InitialUpdateFrame(doc, TRUE);
        frameHwnd = frame->m_hWnd;
        TheApp().m_pMainWnd = frame;
    }
    void TearDown() override
    {
        if (IsWindow(frameHwnd)) {
            doc->SetModifiedFlag(FALSE);
            DestroyWindow(frameHwnd);
        }
        TheApp().m_pMainWnd = nullptr;
        PumpFrames();
        AfxDeleteTempMaps();
        tw::ProcessClock::Resume();
    }
    LinesView* View() { return static_cast<LinesView*>(frame->GetActiveView()); }

    LinesDoc* doc = nullptr;
    LinesFrame* frame = nullptr;
    HWND frameHwnd = nullptr;
};

TEST_F(FrameDocViewTest, CreatesTheViewOnTheDocumentAndMakesItActive)
{
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(View()->GetDocument(), doc);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_EQ(View()->GetParentFrame(), frame);
    EXPECT_EQ(View()->initialUpdates, 1);
    EXPECT_EQ(GetDlgCtrlID(View()->m_hWnd), AFX_IDW_PANE_FIRST);
    // The view fills the client area left by the bars (there are none).
    RECT client, pane;
    GetClientRect(frameHwnd, &client);
    GetClientRect(View()->m_hWnd, &pane);
    EXPECT_EQ(client.right, pane.right + 2);  // the view's border
}

// Stands for a docked bar: it takes a strip of the given height off the top of the frame.
class TopStrip : public CWnd {
public:
    int height = 20;
    int queries = 0;

protected:
    LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        ++queries;
        CRect strip(layout->rect.left, layout->rect.top, layout->rect.right, layout->rect.top + height);
        layout->rect.top += height;
        if (layout->hDWP)
            AfxRepositionWindow(layout, m_hWnd, &strip);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TopStrip, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

TEST_F(FrameDocViewTest, BarsTakeTheirSpaceAndTheViewGetsTheRest)
{
    TopStrip strip;
    ASSERT_TRUE(strip.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_CONTROLBAR_FIRST));
    CRect client;
    frame->GetClientRect(&client);

    // A query measures without moving anything.
    CRect left;
    frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CFrameWnd::reposQuery, &left);
    EXPECT_EQ(left, CRect(0, 20, client.right, client.bottom));
    CRect stripRect;
    strip.GetWindowRect(&stripRect);
    EXPECT_EQ(stripRect.Height(), 1);

    frame->RecalcLayout();
    strip.GetWindowRect(&stripRect);
    frame->ScreenToClient(&stripRect);
    EXPECT_EQ(stripRect, CRect(0, 0, client.right, 20));
    CRect viewRect;
    View()->GetWindowRect(&viewRect);
    frame->ScreenToClient(&viewRect);
    EXPECT_EQ(viewRect, CRect(0, 20, client.right, client.bottom));

    // Space granted to an outside tool is kept free on every later layout.
    CRect border(0, 0, 0, 30);
    EXPECT_TRUE(frame->NegotiateBorderSpace(CFrameWnd::borderRequest, &border));
    EXPECT_TRUE(frame->NegotiateBorderSpace(CFrameWnd::borderSet, &border));
    View()->GetWindowRect(&viewRect);
    frame->ScreenToClient(&viewRect);
    EXPECT_EQ(viewRect.bottom, client.bottom - 30);
    CRect tooMuch(0, 0, 0, client.Height());
    EXPECT_FALSE(frame->NegotiateBorderSpace(CFrameWnd::borderRequest, &tooMuch));
}

TEST_F(FrameDocViewTest, TitleNamesDocumentAfterFrame)
{
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Lines - Editor");
    doc->SetTitle("Other");
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Other - Editor");
}

struct RouteCase {
    UINT id;
    const char* winner;
};

void PrintTo(const RouteCase& c, std::ostream* os)
{
    *os << c.id << " -> " << c.winner;
}

class CommandRouteTest : public FrameDocViewTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(CommandRouteTest, EarliestHandlerInTheChainWins)
{
    frame->SendMessage(WM_COMMAND, GetParam().id);
    ASSERT_EQ(g_frameCalls.size(), 1u);
    EXPECT_EQ(g_frameCalls[0], GetParam().winner);
}

INSTANTIATE_TEST_SUITE_P(Frames, CommandRouteTest,
                         ::testing::Values(RouteCase{ID_EVERYONE, "view"}, RouteCase{ID_DOC_FRAME, "doc"},
                                           RouteCase{ID_FRAME_APP, "frame"}, RouteCase{ID_APP_ONLY, "app"}));

TEST_F(FrameDocViewTest, MenuItemsWithoutHandlerAreGreyedWhenThePopupOpens)
{
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_UNHANDLED, "Nobody");
    popup.AppendMenu(MF_STRING, ID_APP_ONLY, "App");
    popup.AppendMenu(MF_STRING, ID_EVERYONE, "All");
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
    EXPECT_TRUE(popup.GetMenuState(ID_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(popup.GetMenuState(ID_APP_ONLY, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(popup.GetMenuState(ID_EVERYONE, MF_BYCOMMAND) & MF_GRAYED);

    frame->m_bAutoMenuEnable = FALSE;
    popup.EnableMenuItem(ID_UNHANDLED, MF_ENABLED);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
    EXPECT_FALSE(popup.GetMenuState(ID_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
}

// Stands for a tool bar: on idle it asks its frame's command chain about its buttons.
class ButtonStrip : public CWnd {
protected:
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
    {
        UpdateDialogControls(GetParentFrame(), static_cast<BOOL>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ButtonStrip, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

TEST_F(FrameDocViewTest, IdleUpdateDisablesButtonsNobodyHandles)
{
    ButtonStrip strip;
    ASSERT_TRUE(strip.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), frame, AFX_IDW_TOOLBAR));
    HWND handled = CreateWindowEx(0, "BUTTON", "All", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, strip.m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_EVERYONE)), nullptr, nullptr);
    HWND orphan = CreateWindowEx(0, "BUTTON", "None", WS_CHILD | WS_VISIBLE, 60, 0, 50, 20, strip.m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_UNHANDLED)), nullptr, nullptr);
    TheApp().OnIdle(0);
    EXPECT_TRUE(IsWindowEnabled(handled));
    EXPECT_FALSE(IsWindowEnabled(orphan));
}

TEST_F(FrameDocViewTest, PromptsGoToTheStatusBarAndIdleSaysReady)
{
    HWND bar = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frameHwnd,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_STATUS_BAR)), nullptr, nullptr);
    frame->SetMessageText("Working");
    char text[64] = {};
    GetWindowText(bar, text, sizeof text);
    EXPECT_STREQ(text, "Working");
    frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    GetWindowText(bar, text, sizeof text);
    EXPECT_STREQ(text, "Ready");
    EXPECT_EQ(frame->m_nIDLastMessage, static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
}

TEST_F(FrameDocViewTest, ClosingAChangedDocumentAsksAndCancelKeepsIt)
{
    doc->SetModifiedFlag(TRUE);
    g_answer = IDCANCEL;
    SendMessage(frameHwnd, WM_CLOSE, 0, 0);
    ASSERT_EQ(g_prompts.size(), 1u);
    EXPECT_EQ(g_prompts[0], "Save changes to Lines?");
    EXPECT_TRUE(IsWindow(frameHwnd));

    g_answer = IDNO;
    SendMessage(frameHwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(g_prompts.size(), 2u);
    EXPECT_FALSE(IsWindow(frameHwnd));  // the document went with its frame
}

TEST_F(FrameDocViewTest, UnchangedDocumentClosesWithoutAsking)
{
    SendMessage(frameHwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(g_prompts.empty());
    EXPECT_FALSE(IsWindow(frameHwnd));
}

TEST_F(FrameDocViewTest, SaveAnswerWritesTheFileBeforeClosing)
{
    doc->SetPathName("lines.dat");
    doc->lines.Add("one");
    doc->SetModifiedFlag(TRUE);
    g_answer = IDYES;
    SendMessage(frameHwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(g_prompts.at(0), "Save changes to lines.dat?");
    EXPECT_FALSE(IsWindow(frameHwnd));
    LinesDoc reopened;
    reopened.m_bAutoDelete = FALSE;
    ASSERT_TRUE(reopened.OnOpenDocument("lines.dat"));
    ASSERT_EQ(reopened.lines.GetSize(), 1);
    EXPECT_STREQ(reopened.lines[0], "one");
}

TEST(DocumentStorageTest, SerialisationRoundTripKeepsDataAndClearsModified)
{
    LinesDoc saved;
    saved.m_bAutoDelete = FALSE;
    saved.lines.Add("SELECT 1");
    saved.lines.Add("Ünïcode");
    saved.SetModifiedFlag(TRUE);
    ASSERT_TRUE(saved.DoSave("query.dat"));
    EXPECT_FALSE(saved.IsModified());
    EXPECT_STREQ(saved.GetTitle(), "query.dat");

    LinesDoc loaded;
    loaded.m_bAutoDelete = FALSE;
    loaded.lines.Add("stale");
    ASSERT_TRUE(loaded.OnOpenDocument("query.dat"));
    ASSERT_EQ(loaded.lines.GetSize(), 2);
    EXPECT_STREQ(loaded.lines[0], "SELECT 1");
    EXPECT_STREQ(loaded.lines[1], "Ünïcode");
    EXPECT_FALSE(loaded.IsModified());
}

TEST(DocumentStorageTest, OpeningAMissingOrDamagedFileFailsAndReports)
{
    g_prompts.clear();
    LinesDoc doc;
    doc.m_bAutoDelete = FALSE;
    EXPECT_FALSE(doc.OnOpenDocument("missing.dat"));
    EXPECT_EQ(g_prompts.size(), 1u);
    FILE* f = fopen("damaged.dat", "wb");
    fputs("\x05", f);
    fclose(f);
    EXPECT_FALSE(doc.OnOpenDocument("damaged.dat"));
    EXPECT_EQ(g_prompts.size(), 2u);
}

}  // namespace

// Closing the main window ends the thread's message loop: the frame's own
// clean-up must not forget it is the main window before the quit is posted.
TEST_F(FrameDocViewTest, ClosingTheMainFramePostsTheQuit)
{
    doc->SetModifiedFlag(FALSE);
    frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(IsWindow(frameHwnd));
    EXPECT_EQ(TheApp().m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
