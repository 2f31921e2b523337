// Print preview of the edit view in the library's frames: the library's
// preview toolbar in place of the framework's buttons, the page text in the
// status bar, the frame's bars hidden for the preview and given back where
// they were, and a preview that cannot start leaving the frame alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "editctrl/KtvPEditView.h"
#include "editctrl/KtvPPrintPreviewView.h"
#include "tests/editctrl/EditPrintSupport.h"
#include "platform/display/Display.h"
#include "platform/mfc/CPrintInfo.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/gdi/PrinterDC.h"
#include "platform/win32/gdi/PrinterSpooler.h"
#include "tests/support/ui/KtvTestFrameBars.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPStatusBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace ktvp_print_preview_test {
namespace {

namespace fs = std::filesystem;
using tw::test::KtvCountingBar;
using tw::test::KtvDockBarAt;

constexpr UINT kMenuBarId = 0xE81A;
constexpr UINT kToolBarId = 0xE81B;
constexpr UINT kPaneId = 0xE81C;
const UINT kIndicators[] = {0, 0xE701};  // the message pane, Caps Lock

// The control remembers how many rows a printed page holds.
class MeasuringEditCtrl : public CKtvPEditCtrl {
public:
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        printing = true;
        CKtvPEditCtrl::OnPrint(pDC, pInfo);
        printing = false;
    }
    void OnDraw(CDC* pDC) override
    {
        if (printing)
            rowsPerPage = GetPageRows();
        CKtvPEditCtrl::OnDraw(pDC);
    }
    int rowsPerPage = 0;
    bool printing = false;
};

class PreviewEditView : public CKtvPEditView {
    DECLARE_DYNCREATE(PreviewEditView)
public:
    CKtvPEditCtrl* CreateEdit() override { return new MeasuringEditCtrl; }
    MeasuringEditCtrl* Edit() const { return static_cast<MeasuringEditCtrl*>(m_pEdit); }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        return refusePrinting ? FALSE : CKtvPEditView::OnPreparePrinting(pInfo);
    }
    static inline bool refusePrinting = false;
};
IMPLEMENT_DYNCREATE(PreviewEditView, CKtvPEditView)

class ScriptDoc : public CDocument {
    DECLARE_DYNCREATE(ScriptDoc)
};
IMPLEMENT_DYNCREATE(ScriptDoc, CDocument)

using tw::test::PdfOnlySpooler;
using tw::test::PdfPageCount;

std::string Rows(int count)
{
    return tw::test::NumberedRows(count);
}

// The main frame, with or without the library's status bar, that keeps the
// message strings it is sent and answers its message boxes.
class PreviewMainFrame : public CKtvPMDIFrameWnd {
public:
    explicit PreviewMainFrame(bool withStatusBar) : m_bWithStatusBar(withStatusBar) {}
    CKtvPMenuBar m_wndMenuBar;
    CKtvPToolBar m_wndToolBar;
    CKtvPStatusBar m_wndStatusBar;
    std::vector<std::string> messageStrings;
    std::vector<std::string> boxTexts;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CKtvPMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (!m_wndMenuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_HIDE_INPLACE, kMenuBarId) ||
            !m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(1, 1, 1, 1), kToolBarId) ||
            !m_wndToolBar.LoadToolBar(131))
            return -1;
        if (m_bWithStatusBar && (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
                                 !m_wndStatusBar.SetIndicators(kIndicators, 2)))
            return -1;
        m_wndMenuBar.EnableDocking(CBRS_ALIGN_TOP);
        m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndMenuBar);
        DockControlBar(&m_wndToolBar);
        return 0;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETMESSAGESTRING && lParam != 0)
            messageStrings.emplace_back(reinterpret_cast<LPCTSTR>(lParam));
        if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) {
            HWND box = reinterpret_cast<HWND>(lParam);
            for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
                char text[256] = {};
                ::GetWindowText(child, text, sizeof text);
                boxTexts.emplace_back(text);
            }
            ::PostMessage(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        return CKtvPMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()

private:
    bool m_bWithStatusBar;
};

BEGIN_MESSAGE_MAP(PreviewMainFrame, CKtvPMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class PrintPreviewViewTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        tw::gdi::SetPrinterSpooler(std::make_shared<PdfOnlySpooler>());
        setenv("XDG_DOCUMENTS_DIR", fs::current_path().c_str(), 1);
        PreviewEditView::refusePrinting = false;
    }
    void TearDown() override
    {
        if (CWinApp* app = AfxGetApp())
            app->m_pMainWnd = nullptr;
        if (frameWindow != nullptr && ::IsWindow(frameWindow))
            ::DestroyWindow(frameWindow);
        Pump();
        tw::gdi::SetPrinterSpooler(nullptr);
        HeadlessWindowTest::TearDown();
    }
    void CreateFrame(bool withStatusBar)
    {
        frame = new PreviewMainFrame(withStatusBar);
        ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600)));
        frameWindow = frame->m_hWnd;
        if (CWinApp* app = AfxGetApp())
            app->m_pMainWnd = frame;
        pane = KtvDockBarAt(frame, frame, kPaneId, AFX_IDW_DOCKBAR_LEFT, 200, 60, 0, 80);
        doc = new ScriptDoc;
        doc->SetTitle("Script");
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(PreviewEditView);
        context.m_pCurrentDoc = doc;
        auto* child = new CKtvPMDIChildWnd;
        ASSERT_TRUE(child->Create(nullptr, "Script", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                                  frame, nullptr, 0, &context));
        child->InitialUpdateFrame(doc, TRUE);
        view = dynamic_cast<PreviewEditView*>(child->GetActiveView());
        ASSERT_NE(view, nullptr);
        frame->RecalcLayout();
        Pump();
    }
    // A text of exactly three printed pages.
    void SetThreePages()
    {
        SetText("x");
        fs::remove(Pdf());
        Command(ID_FILE_PRINT_DIRECT);
        const int rows = view->Edit()->rowsPerPage;
        ASSERT_GT(rows, 0);
        SetText(Rows(3 * rows));
    }
    void SetText(const std::string& text)
    {
        ::SendMessage(view->Edit()->m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Command(UINT nID)
    {
        frame->SendMessage(WM_COMMAND, nID);
        Pump();
    }
    void Idle()
    {
        frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        Pump();
    }
    CKtvPPrintPreviewView* Preview() const
    {
        return DYNAMIC_DOWNCAST(CKtvPPrintPreviewView, frame->GetActiveView());
    }
    // Clicks a button of the preview's toolbar with the mouse.
    void Press(UINT nID)
    {
        CKtvPToolBar& bar = Preview()->m_wndToolBar;
        CRect rect;
        bar.GetItemRect(bar.CommandToIndex(nID), rect);
        Click(bar.m_hWnd, rect.CenterPoint().x, rect.CenterPoint().y);
        Pump();
        Idle();
    }
    std::string PaneText() const
    {
        const CKtvPStatusBarPaneInfo* pPane = frame->m_wndStatusBar.GetPaneByIndex(0);
        return pPane != nullptr && pPane->lpszText != nullptr ? pPane->lpszText : "";
    }
    static fs::path Pdf() { return fs::current_path() / "Script.pdf"; }

    PreviewMainFrame* frame = nullptr;
    HWND frameWindow = nullptr;
    KtvCountingBar* pane = nullptr;
    ScriptDoc* doc = nullptr;
    PreviewEditView* view = nullptr;
};

TEST_F(PrintPreviewViewTest, ThePreviewToolbarMovesThroughThePagesAndClosingGivesEveryBarBack)
{
    CreateFrame(true);
    SetThreePages();
    CWnd* bars[] = {&frame->m_wndMenuBar, &frame->m_wndToolBar, pane, &frame->m_wndStatusBar};
    std::vector<CRect> rectsBefore;
    for (CWnd* bar : bars)
        rectsBefore.push_back(tw::test::KtvRectIn(frame, bar));

    Command(ID_FILE_PRINT_PREVIEW);
    CKtvPPrintPreviewView* preview = Preview();
    ASSERT_NE(preview, nullptr);
    Idle();
    for (CWnd* bar : {static_cast<CWnd*>(&frame->m_wndMenuBar), static_cast<CWnd*>(&frame->m_wndToolBar),
                      static_cast<CWnd*>(pane)})
        EXPECT_FALSE(bar->IsWindowVisible()) << "the frame's bars give way to the preview";
    EXPECT_TRUE(frame->m_wndStatusBar.IsWindowVisible()) << "the page text shows there";

    // Print, Next, Prev, the page button, Zoom In, Zoom Out, Close; the two-page picture is no button.
    CKtvPToolBar& bar = preview->m_wndToolBar;
    const UINT expected[] = {AFX_ID_PREVIEW_PRINT, AFX_ID_PREVIEW_NEXT,    AFX_ID_PREVIEW_PREV, AFX_ID_PREVIEW_NUMPAGE,
                             AFX_ID_PREVIEW_ZOOMIN, AFX_ID_PREVIEW_ZOOMOUT, AFX_ID_PREVIEW_CLOSE};
    ASSERT_EQ(bar.GetCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(bar.GetItemID(i), expected[i]) << "button " << i;
    const CKtvPToolbarButton* print = bar.GetButton(0);
    EXPECT_TRUE(print->m_bTextShown && print->m_bImageShown);
    EXPECT_EQ(std::string(print->m_strText), "&Print");
    const CKtvPToolbarButton* close = bar.GetButton(6);
    EXPECT_TRUE(close->m_bTextShown && !close->m_bImageShown);
    EXPECT_EQ(std::string(close->m_strText), "&Close");
    EXPECT_NE(preview->m_iOnePageImage, preview->m_iTwoPageImage);

    // The preview fills the frame below its toolbar.
    const CRect barRect = tw::test::KtvRectIn(frame, &bar);
    const CRect viewRect = tw::test::KtvRectIn(frame, preview);
    EXPECT_EQ(barRect.TopLeft(), CPoint(0, 0));
    EXPECT_GE(viewRect.top, barRect.bottom);
    EXPECT_TRUE(viewRect == frame->m_dockManager.GetClientAreaBounds()) << "the dock manager's client area";

    // One page at a time, then two.
    if (preview->GetPagesShown() == 2)
        Press(AFX_ID_PREVIEW_NUMPAGE);
    ASSERT_EQ(preview->GetPagesShown(), 1u);
    EXPECT_EQ(PaneText(), "Page 1");
    EXPECT_EQ(bar.GetButton(3)->GetImage(), preview->m_iTwoPageImage) << "the button offers two pages";
    Press(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 2u);
    EXPECT_EQ(PaneText(), "Page 2");
    Press(AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(preview->GetCurrentPage(), 1u);
    EXPECT_EQ(PaneText(), "Page 1");

    Press(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(preview->GetPagesShown(), 2u);
    EXPECT_EQ(bar.GetButton(3)->GetImage(), preview->m_iOnePageImage) << "the button offers one page";
    Press(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 2u);
    EXPECT_EQ(PaneText(), "Pages 2-3");
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump();
    EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(std::string(TW_PREVIEW_SCREENSHOT_DIR) +
                                                                      "/edit-print-preview.png"));

    Press(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(frame->GetActiveFrame()->GetActiveView(), view);
    for (size_t i = 0; i < std::size(bars); ++i) {
        EXPECT_TRUE(bars[i]->IsWindowVisible()) << "bar " << i;
        EXPECT_EQ(tw::test::KtvRectIn(frame, bars[i]), rectsBefore[i]) << "bar " << i;
    }
    EXPECT_EQ(PaneText(), "");
    for (POSITION pos = CKtvPToolBar::GetAllToolbars().GetHeadPosition(); pos != nullptr;) {
        CObject* pBar = CKtvPToolBar::GetAllToolbars().GetNext(pos);
        EXPECT_FALSE(pBar->IsKindOf(RUNTIME_CLASS(CKtvPPrintPreviewToolBar))) << "no preview toolbar stays listed";
    }
}

TEST_F(PrintPreviewViewTest, WithoutALibraryStatusBarThePageTextIsTheFramesMessageString)
{
    CreateFrame(false);
    SetThreePages();
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(Preview(), nullptr);
    ASSERT_FALSE(frame->messageStrings.empty());
    const std::string first = frame->messageStrings.back();
    EXPECT_TRUE(first == "Page 1" || first == "Pages 1-2") << first;
    Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(frame->messageStrings.back(), Preview()->GetPagesShown() == 1 ? "Page 2" : "Pages 2-3");
}

TEST_F(PrintPreviewViewTest, APreviewThatCannotStartSaysCommandFailedAndLeavesTheFrameAsItWas)
{
    CreateFrame(true);
    SetText(Rows(5));
    const CRect menuBefore = tw::test::KtvRectIn(frame, &frame->m_wndMenuBar);
    PreviewEditView::refusePrinting = true;
    Command(ID_FILE_PRINT_PREVIEW);

    EXPECT_NE(std::find(frame->boxTexts.begin(), frame->boxTexts.end(), "Command failed."), frame->boxTexts.end());
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(::GetDlgItem(frame->m_hWnd, AFX_IDW_PREVIEW_BAR), nullptr);
    EXPECT_FALSE(frame->m_dockManager.IsPrintPreviewValid());
    EXPECT_TRUE(frame->m_wndMenuBar.IsWindowVisible());
    EXPECT_TRUE(frame->m_wndToolBar.IsWindowVisible());
    EXPECT_TRUE(pane->IsWindowVisible());
    EXPECT_EQ(tw::test::KtvRectIn(frame, &frame->m_wndMenuBar), menuBefore);
    EXPECT_TRUE(view->IsWindowVisible());
}

TEST_F(PrintPreviewViewTest, PrintingFromThePreviewAndFromTheViewWritesEveryPage)
{
    CreateFrame(true);
    SetThreePages();
    for (UINT nID : {UINT(ID_FILE_PRINT), UINT(ID_FILE_PRINT_DIRECT)}) {
        fs::remove(Pdf());
        Command(nID);
        EXPECT_EQ(PdfPageCount(Pdf()), 3) << "command " << nID;
    }
    fs::remove(Pdf());
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(Preview(), nullptr);
    Press(AFX_ID_PREVIEW_PRINT);
    EXPECT_EQ(Preview(), nullptr) << "printing ends the preview";
    EXPECT_EQ(PdfPageCount(Pdf()), 3);
}

}  // namespace
}  // namespace ktvp_print_preview_test

namespace ktvp_print_preview_test {
namespace {

TEST_F(PrintPreviewViewTest, AltWithALetterOfThePreviewToolbarRunsItsButton)
{
    CreateFrame(true);
    SetThreePages();
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(Preview(), nullptr);
    Idle();
    input.KeyDown(VK_MENU);
    input.KeyStroke('C');
    input.KeyUp(VK_MENU);
    // The program's message loop: each message passes the frame's keyboard handling first.
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (AfxGetThread()->PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    Pump();
    EXPECT_EQ(Preview(), nullptr) << "Alt+C is the preview's Close";
    EXPECT_TRUE(frame->m_wndToolBar.IsWindowVisible());
}

}  // namespace
}  // namespace ktvp_print_preview_test

namespace ktvp_print_preview_test {
namespace {

// A single-document library frame around the edit view, with a toolbar and the library's status bar.
class PreviewSdiFrame : public CKtvPFrameWnd {
public:
    CKtvPToolBar m_wndToolBar;
    CKtvPStatusBar m_wndStatusBar;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CKtvPFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(1, 1, 1, 1), kToolBarId) ||
            !m_wndToolBar.LoadToolBar(131) ||
            !m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
            !m_wndStatusBar.SetIndicators(kIndicators, 2))
            return -1;
        m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndToolBar);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PreviewSdiFrame, CKtvPFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(PrintPreviewViewTest, InASingleDocumentFrameThePreviewFillsTheClientAreaAndClosingTheFrameEndsItFirst)
{
    auto* sdi = new PreviewSdiFrame;
    auto* script = new ScriptDoc;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(PreviewEditView);
    context.m_pCurrentDoc = script;
    ASSERT_TRUE(sdi->Create(nullptr, "Script", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500), nullptr,
                            nullptr, 0, &context));
    frameWindow = sdi->m_hWnd;
    if (CWinApp* app = AfxGetApp())
        app->m_pMainWnd = sdi;
    sdi->InitialUpdateFrame(script, TRUE);
    auto* sdiView = dynamic_cast<PreviewEditView*>(sdi->GetActiveView());
    ASSERT_NE(sdiView, nullptr);
    ::SendMessage(sdiView->Edit()->m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("select 1"));
    Pump();
    const CRect toolBarBefore = tw::test::KtvRectIn(sdi, &sdi->m_wndToolBar);

    sdiView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    Pump();
    auto* preview = DYNAMIC_DOWNCAST(CKtvPPrintPreviewView, sdi->GetActiveView());
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(sdi->m_wndToolBar.IsWindowVisible());
    const CRect previewRect = tw::test::KtvRectIn(sdi, preview);
    const CRect bounds = sdi->m_dockManager.GetClientAreaBounds();
    EXPECT_TRUE(previewRect == bounds) << "the preview takes the dock manager's client area: " << previewRect.left
                                       << "," << previewRect.top << "," << previewRect.right << ","
                                       << previewRect.bottom << " against " << bounds.left << "," << bounds.top << ","
                                       << bounds.right << "," << bounds.bottom;
    const CKtvPStatusBarPaneInfo* pPane = sdi->m_wndStatusBar.GetPaneByIndex(0);
    ASSERT_NE(pPane, nullptr);
    ASSERT_NE(pPane->lpszText, nullptr);
    EXPECT_EQ(std::string(pPane->lpszText).substr(0, 4), "Page");

    sdi->SendMessage(WM_CLOSE);
    Pump();
    ASSERT_TRUE(::IsWindow(frameWindow)) << "closing first ends the preview";
    EXPECT_EQ(sdi->GetActiveView(), sdiView);
    EXPECT_TRUE(sdi->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(tw::test::KtvRectIn(sdi, &sdi->m_wndToolBar), toolBarBefore);
    EXPECT_EQ(sdiView->Edit()->m_hPrinterFont, nullptr) << "the preview's printing has ended";
}

}  // namespace
}  // namespace ktvp_print_preview_test
