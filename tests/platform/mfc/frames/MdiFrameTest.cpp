// An MDI frame loaded from resources with two query children: activation lends
// the child's menu and keys to the frame and names the document in its title;
// commands go view, document, child frame, main frame, application.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "tests/platform/mfc/frames/FramesTestApp.h"
#include "tests/platform/mfc/frames/fixtures/FrameFixtures.h"

namespace {

constexpr UINT ID_ALL_FIVE = 3201;     // every target handles it
constexpr UINT ID_CHILD_MAIN = 3202;   // the child frame and the main frame
constexpr UINT ID_MAIN_APP = 3203;     // the main frame and the application

std::vector<std::string>& g_mdiCalls = tw::mfc::frames_test::TheApp().calls;

// The application handlers live in a command target the test app forwards to.
class QueryDoc : public CDocument {
    DECLARE_DYNCREATE(QueryDoc)
protected:
    void OnAll() { g_mdiCalls.push_back("doc"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(QueryDoc, CDocument)
BEGIN_MESSAGE_MAP(QueryDoc, CDocument)
    ON_COMMAND(ID_ALL_FIVE, OnAll)
END_MESSAGE_MAP()

class QueryView : public CView {
    DECLARE_DYNCREATE(QueryView)
public:
    void OnDraw(CDC*) override {}
    int runs = 0;

protected:
    void OnAll() { g_mdiCalls.push_back("view"); }
    void OnRun() { ++runs; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(QueryView, CView)
BEGIN_MESSAGE_MAP(QueryView, CView)
    ON_COMMAND(ID_ALL_FIVE, OnAll)
    ON_COMMAND(ID_TEST_RUN, OnRun)
END_MESSAGE_MAP()

class QueryChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(QueryChild)
protected:
    void OnAll() { g_mdiCalls.push_back("child"); }
    void OnChildMain() { g_mdiCalls.push_back("child"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(QueryChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(QueryChild, CMDIChildWnd)
    ON_COMMAND(ID_ALL_FIVE, OnAll)
    ON_COMMAND(ID_CHILD_MAIN, OnChildMain)
END_MESSAGE_MAP()

class MainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(MainFrame)
public:
    int frameKeys = 0;
    std::vector<HMENU> menuUpdates;  // what OnUpdateFrameMenu was asked for
    void OnUpdateFrameMenu(HMENU hMenuAlt) override
    {
        menuUpdates.push_back(hMenuAlt);
        CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    }

protected:
    void OnAll() { g_mdiCalls.push_back("main"); }
    void OnChildMain() { g_mdiCalls.push_back("main"); }
    void OnMainApp() { g_mdiCalls.push_back("main"); }
    void OnFrameKey() { ++frameKeys; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(MainFrame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(MainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_ALL_FIVE, OnAll)
    ON_COMMAND(ID_CHILD_MAIN, OnChildMain)
    ON_COMMAND(ID_MAIN_APP, OnMainApp)
    ON_COMMAND(ID_TEST_FRAMEKEY, OnFrameKey)
END_MESSAGE_MAP()

std::string TitleOf(HWND hwnd)
{
    char text[256] = {};
    GetWindowText(hwnd, text, sizeof text);
    return text;
}

std::string FirstItemOf(HMENU menu, int popup)
{
    char text[64] = {};
    GetMenuString(menu, static_cast<UINT>(popup), text, sizeof text, MF_BYPOSITION);
    return text;
}

class MdiFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::once_flag once;
        std::call_once(once, [] {
            tw::RegisterStandardControlClasses();
            tw::RegisterResources(tw::ProgramInstance(), FrameFixtureResources());
        });
        tw::ProcessClock::Freeze();
        g_mdiCalls.clear();
        tw::mfc::frames_test::TheApp().ignored = {ID_CHILD_MAIN};
        main = new MainFrame;
        ASSERT_TRUE(main->LoadFrame(IDR_TEST_MAINFRAME));
        mainHwnd = main->m_hWnd;
        AfxGetApp()->m_pMainWnd = main;
        main->ShowWindow(SW_SHOW);
        alpha = OpenQuery("Alpha");
        beta = OpenQuery("Beta");
    }
    void TearDown() override
    {
        if (IsWindow(mainHwnd))
            DestroyWindow(mainHwnd);
        AfxGetApp()->m_pMainWnd = nullptr;
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(&msg);
        AfxDeleteTempMaps();
        if (queryMenu)
            DestroyMenu(queryMenu);
        tw::ProcessClock::Resume();
    }

    QueryChild* OpenQuery(const char* title)
    {
        auto* doc = new QueryDoc;
        doc->SetTitle(title);
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(QueryView);
        context.m_pCurrentDoc = doc;
        auto* child = new QueryChild;
        child->m_hMenuShared = queryMenu;  // the document type's menu, shared by its children
        EXPECT_TRUE(child->LoadFrame(IDR_TEST_QUERYTYPE, WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, main,
                                     &context));
        queryMenu = child->m_hMenuShared;
        child->InitialUpdateFrame(doc, TRUE);
        return child;
    }

    MainFrame* main = nullptr;
    HWND mainHwnd = nullptr;
    QueryChild* alpha = nullptr;
    QueryChild* beta = nullptr;
    HMENU queryMenu = nullptr;
};

TEST_F(MdiFrameTest, LoadFrameTakesTitleMenuAndClient)
{
    EXPECT_NE(main->m_hWndMDIClient, nullptr);
    EXPECT_EQ(GetDlgCtrlID(main->m_hWndMDIClient), AFX_IDW_PANE_FIRST);
    ASSERT_NE(main->m_hMenuDefault, nullptr);
    EXPECT_EQ(FirstItemOf(main->m_hMenuDefault, 1), "&Window");
    EXPECT_EQ(main->GetWindowMenuPopup(main->m_hMenuDefault), GetSubMenu(main->m_hMenuDefault, 1));
    EXPECT_EQ(main->GetWindowMenuPopup(queryMenu), GetSubMenu(queryMenu, 2));
    // The client fills the frame's client area.
    RECT frameClient, clientRect;
    GetClientRect(mainHwnd, &frameClient);
    GetWindowRect(main->m_hWndMDIClient, &clientRect);
    EXPECT_EQ(clientRect.right - clientRect.left, frameClient.right);
}

TEST_F(MdiFrameTest, ActivationSwapsMenusAndTitles)
{
    EXPECT_EQ(main->MDIGetActive(), beta);
    EXPECT_EQ(GetMenu(mainHwnd), queryMenu);
    EXPECT_EQ(TitleOf(beta->m_hWnd), "Beta");
    EXPECT_EQ(TitleOf(mainHwnd), "Frame - Beta");

    main->MDIActivate(alpha);
    EXPECT_EQ(main->MDIGetActive(), alpha);
    EXPECT_EQ(TitleOf(mainHwnd), "Frame - Alpha");
    EXPECT_EQ(main->GetActiveDocument(), alpha->GetActiveDocument());

    main->MDIMaximize(alpha);
    main->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(TitleOf(mainHwnd), "Frame - [Alpha]");

    main->MDINext();
    EXPECT_EQ(main->MDIGetActive(), beta);
    EXPECT_EQ(TitleOf(mainHwnd), "Frame - [Beta]");
}

TEST_F(MdiFrameTest, ClosingTheLastChildGivesTheFrameItsOwnMenu)
{
    SendMessage(alpha->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(GetMenu(mainHwnd), queryMenu);
    SendMessage(beta->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(main->MDIGetActive(), nullptr);
    EXPECT_EQ(GetMenu(mainHwnd), main->m_hMenuDefault);
    EXPECT_EQ(TitleOf(mainHwnd), "Frame");
}

struct MdiRouteCase {
    UINT id;
    const char* winner;
};

void PrintTo(const MdiRouteCase& c, std::ostream* os)
{
    *os << c.id << " -> " << c.winner;
}

class MdiRouteTest : public MdiFrameTest, public ::testing::WithParamInterface<MdiRouteCase> {};

TEST_P(MdiRouteTest, EarliestOfFiveTargetsWins)
{
    main->SendMessage(WM_COMMAND, GetParam().id);
    ASSERT_EQ(g_mdiCalls.size(), 1u);
    EXPECT_EQ(g_mdiCalls[0], GetParam().winner);
}

INSTANTIATE_TEST_SUITE_P(Mdi, MdiRouteTest,
                         ::testing::Values(MdiRouteCase{ID_ALL_FIVE, "view"}, MdiRouteCase{ID_CHILD_MAIN, "child"},
                                           MdiRouteCase{ID_MAIN_APP, "main"}));

TEST_F(MdiFrameTest, KeysOfTheActiveChildAndOfTheFrameAreTranslated)
{
    auto* view = static_cast<QueryView*>(beta->GetActiveView());
    MSG msg{};
    msg.hwnd = view->m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F5;
    EXPECT_TRUE(main->PreTranslateMessage(&msg));
    // The frame's own table stands aside while a child lends its keys.
    msg.wParam = VK_F6;
    EXPECT_FALSE(main->PreTranslateMessage(&msg));
    MSG pending;
    while (PeekMessage(&pending, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(&pending);
    EXPECT_EQ(view->runs, 1);
}

TEST_F(MdiFrameTest, MenuSelectionShowsThePromptOfTheItem)
{
    HWND bar = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, mainHwnd,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_STATUS_BAR)), nullptr, nullptr);
    main->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_RUN, MF_STRING), reinterpret_cast<LPARAM>(queryMenu));
    EXPECT_EQ(TitleOf(bar), "Runs the query");
    main->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(TitleOf(bar), "Ready");
}

// The query type as a template: File New and File Open make children of the MDI frame.
class DocTemplateTest : public MdiFrameTest {
protected:
    void SetUp() override
    {
        MdiFrameTest::SetUp();
        queries = new CMultiDocTemplate(IDR_TEST_QUERYTYPE, RUNTIME_CLASS(QueryDoc), RUNTIME_CLASS(QueryChild),
                                        RUNTIME_CLASS(QueryView));
        manager.AddDocTemplate(queries);
    }
    CMultiDocTemplate* queries = nullptr;
    CDocManager manager;  // declared after the frame, so its templates outlive no window
};

TEST_F(DocTemplateTest, DocumentStringFieldsByIndex)
{
    struct Field {
        CDocTemplate::DocStringIndex index;
        const char* text;
    };
    const Field fields[] = {{CDocTemplate::windowTitle, ""},
                            {CDocTemplate::docName, "Query"},
                            {CDocTemplate::fileNewName, "Query"},
                            {CDocTemplate::filterName, "Query Files (*.qry)"},
                            {CDocTemplate::filterExt, ".qry"},
                            {CDocTemplate::regFileTypeId, "Test.Query"},
                            {CDocTemplate::regFileTypeName, "Test Query"}};
    for (const Field& field : fields) {
        CString text;
        EXPECT_EQ(queries->GetDocString(text, field.index), field.text[0] != 0) << field.index;
        EXPECT_STREQ(text, field.text) << field.index;
    }
    ASSERT_NE(queries->m_hMenuShared, nullptr);
    EXPECT_EQ(FirstItemOf(queries->m_hMenuShared, 1), "&Query");
}

TEST_F(DocTemplateTest, FilterMatchingByExtension)
{
    struct Case {
        const char* path;
        CDocTemplate::Confidence expected;
    };
    const Case cases[] = {{"a.qry", CDocTemplate::yesAttemptNative},
                          {"dir/B.QRY", CDocTemplate::yesAttemptNative},
                          {"a.qry.bak", CDocTemplate::yesAttemptForeign},
                          {"noext", CDocTemplate::yesAttemptForeign},
                          {"dir.qry/file", CDocTemplate::yesAttemptForeign}};
    for (const Case& c : cases) {
        CDocument* match = nullptr;
        EXPECT_EQ(queries->MatchDocType(c.path, match), c.expected) << c.path;
        EXPECT_EQ(match, nullptr);
    }
    static const char kFilter[] = "Query Files (*.qry)\0*.qry\0All Files (*.*)\0*.*\0\0";
    const CString filter = manager.BuildFilter(nullptr);
    EXPECT_EQ(std::string(filter, filter.GetLength()), std::string(kFilter, sizeof kFilter - 1));
}

TEST_F(DocTemplateTest, FileNewMakesNumberedUntitledDocumentsInChildren)
{
    manager.OnFileNew();
    manager.OnFileNew();
    EXPECT_EQ(manager.GetOpenDocumentCount(), 2);
    CMDIChildWnd* active = main->MDIGetActive();
    ASSERT_NE(active, nullptr);
    CDocument* doc = active->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_STREQ(doc->GetTitle(), "Query2");
    EXPECT_EQ(doc->GetDocTemplate(), queries);
    EXPECT_EQ(GetMenu(mainHwnd), queries->m_hMenuShared);
    EXPECT_EQ(TitleOf(mainHwnd), "Frame - Query2");
}

TEST_F(DocTemplateTest, NewWindowShowsTheDocumentAgainAndNumbersBothFrames)
{
    manager.OnFileNew();
    CMDIChildWnd* first = main->MDIGetActive();
    CDocument* doc = first->GetActiveDocument();
    main->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    CMDIChildWnd* second = main->MDIGetActive();
    ASSERT_NE(second, first);
    EXPECT_EQ(second->GetActiveDocument(), doc);
    EXPECT_EQ(TitleOf(first->m_hWnd), "Query1:1");
    EXPECT_EQ(TitleOf(second->m_hWnd), "Query1:2");
    EXPECT_EQ(TitleOf(mainHwnd), "Frame - Query1:2");

    // Closing one frame keeps the document, without asking, and drops the numbers.
    doc->SetModifiedFlag(TRUE);
    tw::mfc::frames_test::TheApp().prompts.clear();
    SendMessage(second->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(tw::mfc::frames_test::TheApp().prompts.empty());
    EXPECT_EQ(manager.GetOpenDocumentCount(), 1);
    EXPECT_EQ(TitleOf(first->m_hWnd), "Query1");
    doc->SetModifiedFlag(FALSE);
}

TEST_F(DocTemplateTest, OpeningASavedFileTwiceGivesTheSameDocument)
{
    {
        QueryDoc saved;
        saved.m_bAutoDelete = FALSE;
        ASSERT_TRUE(saved.OnSaveDocument("report.qry"));
    }
    CDocument* first = manager.OpenDocumentFile("report.qry");
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->GetTitle(), "report.qry");
    EXPECT_EQ(manager.OpenDocumentFile("REPORT.qry"), first);
    EXPECT_EQ(manager.GetOpenDocumentCount(), 1);
    // A file that is not there opens nothing and leaves no frame behind.
    EXPECT_EQ(manager.OpenDocumentFile("absent.qry"), nullptr);
    EXPECT_EQ(manager.GetOpenDocumentCount(), 1);
    EXPECT_EQ(main->MDIGetActive()->GetActiveDocument(), first);
}

TEST_F(MdiFrameTest, ADelayedMenuUpdateComesWhenTheFrameIsIdle)
{
    HMENU alt = CreateMenu();
    HMENU altWindow = CreatePopupMenu();
    AppendMenu(altWindow, MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
    AppendMenu(alt, MF_POPUP, reinterpret_cast<UINT_PTR>(altWindow), "&Window");

    main->DelayUpdateFrameMenu(alt);
    EXPECT_EQ(GetMenu(mainHwnd), queryMenu);
    EXPECT_TRUE(main->menuUpdates.empty());
    SendMessage(mainHwnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(main->menuUpdates, std::vector<HMENU>{alt});
    EXPECT_EQ(GetMenu(mainHwnd), alt);
    SendMessage(mainHwnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(main->menuUpdates.size(), 1u) << "asked once";

    // Without children the frame's own menu comes back.
    SendMessage(alpha->m_hWnd, WM_CLOSE, 0, 0);
    SendMessage(beta->m_hWnd, WM_CLOSE, 0, 0);
    main->OnUpdateFrameMenu(nullptr);
    EXPECT_EQ(GetMenu(mainHwnd), main->m_hMenuDefault);
    DestroyMenu(alt);
}

}  // namespace
