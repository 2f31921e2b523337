// Printing the edit view's text: the pages follow the rows with the
// printer's row height and margins, the job ends with the page that holds
// the last row (also when a page holds no row), a folded block prints as
// one row, the font is scaled to the printer unless it is the system font,
// and print preview starts and closes over the view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
#include "tests/editctrl/EditPrintSupport.h"
#include "platform/mfc/CPreviewView.h"
#include "platform/mfc/CPrintInfo.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/gdi/PrinterDC.h"
#include "platform/win32/gdi/PrinterSpooler.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"

namespace ktvp_edit_print_test {
namespace {

namespace fs = std::filesystem;

// What one printed page showed, as the control painted it.
struct PrintedPage {
    UINT page = 0;
    int firstRow = -1;
    int rowsPerPage = 0;
    int rowHeight = 0;
    CRect area;
    std::string face;
    struct Text {
        int top;
        std::string text;
    };
    std::vector<Text> texts;
    std::vector<int> foldTops;
};

class RecordingEditCtrl : public CKtvPEditCtrl {
public:
    std::vector<PrintedPage> pages;

    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        pages.push_back(PrintedPage{});
        pages.back().page = pInfo->m_nCurPage;
        m_bPrinting = true;
        CKtvPEditCtrl::OnPrint(pDC, pInfo);
        m_bPrinting = false;
    }
    void OnDraw(CDC* pDC) override
    {
        if (m_bPrinting) {
            PrintedPage& page = pages.back();
            page.firstRow = m_nFirstVisibleRow;
            page.rowsPerPage = GetPageRows();
            page.rowHeight = m_nRowHeight;
            page.area = GetTextArea();
            CString face;
            pDC->GetTextFace(face);
            page.face = face.GetString();
        }
        CKtvPEditCtrl::OnDraw(pDC);
    }
    int OnDrawText(CDC* pDC, const CString& strText, CRect rect, int nTabOrigin) override
    {
        if (m_bPrinting)
            pages.back().texts.push_back({rect.top, strText.GetString()});
        return CKtvPEditCtrl::OnDrawText(pDC, strText, rect, nTabOrigin);
    }
    void OnDrawCollapsedBlock(CDC* pDC, CKtvPOutlineNode* pNode, COLORREF clrFrame, COLORREF clrBack) override
    {
        if (m_bPrinting)
            pages.back().foldTops.push_back(pNode->m_rect.top);
        CKtvPEditCtrl::OnDrawCollapsedBlock(pDC, pNode, clrFrame, clrBack);
    }

private:
    bool m_bPrinting = false;
};

class RecordingEditView : public CKtvPEditView {
    DECLARE_DYNCREATE(RecordingEditView)
public:
    CKtvPEditCtrl* CreateEdit() override { return new RecordingEditCtrl; }
    RecordingEditCtrl* Edit() const { return static_cast<RecordingEditCtrl*>(m_pEdit); }
};
IMPLEMENT_DYNCREATE(RecordingEditView, CKtvPEditView)

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

class EditPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::RegisterStandardControlClasses();
        // The preview's bar and toolbar come from the program's resources.
        static const bool registered = tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
        (void)registered;
        tw::ProcessClock::Freeze();
        tw::gdi::SetPrinterSpooler(std::make_shared<PdfOnlySpooler>());
        // The printer's PDF files are written here.
        setenv("XDG_DOCUMENTS_DIR", fs::current_path().c_str(), 1);
        doc = new ScriptDoc;
        doc->SetTitle("Script");
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(RecordingEditView);
        context.m_pCurrentDoc = doc;
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Script", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 520, 420), nullptr,
                                  nullptr, 0, &context));
        frameWindow = frame->m_hWnd;
        frame->InitialUpdateFrame(doc, TRUE);
        if (CWinApp* app = AfxGetApp())
            app->m_pMainWnd = frame;
        view = dynamic_cast<RecordingEditView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
        edit = view->Edit();
        ASSERT_NE(edit, nullptr);
        fs::remove(Pdf());
        Pump();
    }
    void TearDown() override
    {
        if (CWinApp* app = AfxGetApp())
            app->m_pMainWnd = nullptr;
        if (frameWindow != nullptr && ::IsWindow(frameWindow))
            ::DestroyWindow(frameWindow);
        Pump();
        tw::gdi::SetPrinterSpooler(nullptr);
        tw::ProcessClock::Resume();
    }
    static void Pump()
    {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    static fs::path Pdf() { return fs::current_path() / "Script.pdf"; }
    void SetText(const std::string& text)
    {
        ::SendMessage(edit->m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Prints the text on the application's printer, without the dialog.
    void PrintDirect(const std::string& text)
    {
        SetText(text);
        edit->pages.clear();
        fs::remove(Pdf());
        view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        Pump();
    }
    std::vector<UINT> PagesPrinted() const
    {
        std::vector<UINT> pages;
        for (const PrintedPage& page : edit->pages)
            pages.push_back(page.page);
        return pages;
    }
    // How many rows a page of the printer holds.
    int RowsPerPage()
    {
        PrintDirect("x");
        return edit->pages.empty() ? 0 : edit->pages.front().rowsPerPage;
    }

    ScriptDoc* doc = nullptr;
    CFrameWnd* frame = nullptr;
    HWND frameWindow = nullptr;
    RecordingEditView* view = nullptr;
    RecordingEditCtrl* edit = nullptr;
};

TEST_F(EditPrintTest, AShortTextPrintsOnePageInsideMarginsOfTwoRowsAndLeavesTheControlAsItWas)
{
    SetText(Rows(40));
    edit->SetCaret(edit->GetTextLength(), TRUE, TRUE);
    const RECT areaBefore = edit->GetTextArea();
    const int rowHeightBefore = edit->m_nRowHeight;
    const int firstRowBefore = edit->m_nFirstVisibleRow;
    ASSERT_GT(firstRowBefore, 0) << "the caret scrolled the view";

    edit->pages.clear();
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    Pump();

    ASSERT_EQ(PagesPrinted(), (std::vector<UINT>{1}));
    EXPECT_EQ(PdfPageCount(Pdf()), 1);
    const PrintedPage& page = edit->pages.front();
    EXPECT_EQ(page.firstRow, 0);
    EXPECT_GT(page.rowHeight, rowHeightBefore) << "rows measured in the font scaled to the printer";
    HDC printer = CreateDC(nullptr, tw::gdi::kPdfPrinterName, nullptr, nullptr);
    CRect expected(0, 0, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES));
    DeleteDC(printer);
    expected.DeflateRect(2 * page.rowHeight, 2 * page.rowHeight);
    EXPECT_EQ(page.area, expected);
    EXPECT_EQ(page.rowsPerPage, expected.Height() / page.rowHeight);
    ASSERT_FALSE(page.texts.empty());
    EXPECT_EQ(page.texts.front().text, "row 0");
    EXPECT_EQ(page.texts.front().top, expected.top);

    EXPECT_EQ(CRect(edit->GetTextArea()), CRect(areaBefore));
    EXPECT_EQ(edit->m_nRowHeight, rowHeightBefore);
    EXPECT_EQ(edit->m_nFirstVisibleRow, firstRowBefore);
    EXPECT_EQ(edit->m_hPrinterFont, nullptr) << "the job's font is gone with the job";
    EXPECT_EQ(edit->m_hCreatedPrinterFont, nullptr);
}

TEST_F(EditPrintTest, EachPageStartsWhereTheLastEndedAndTheJobEndsWithTheLastRow)
{
    const int perPage = RowsPerPage();
    ASSERT_GT(perPage, 2);
    struct Case {
        int rows;
        UINT pages;
    };
    const Case cases[] = {
        {perPage, 1},
        {perPage + 1, 2},
        {2 * perPage, 2},
        {2 * perPage + 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        PrintDirect(Rows(c.rows));
        ASSERT_EQ(edit->pages.size(), c.pages);
        EXPECT_EQ(PdfPageCount(Pdf()), static_cast<int>(c.pages));
        for (const PrintedPage& page : edit->pages) {
            EXPECT_EQ(page.firstRow, static_cast<int>(page.page - 1) * perPage) << "page " << page.page;
            ASSERT_FALSE(page.texts.empty());
            EXPECT_EQ(page.texts.front().text, "row " + std::to_string(page.firstRow));
        }
        EXPECT_EQ(edit->pages.back().texts.back().text, "row " + std::to_string(c.rows - 1));
    }
}

TEST_F(EditPrintTest, AFoldedBlockPrintsAsItsReplacementOnOneRow)
{
    edit->m_bAutoOutlining = TRUE;
    edit->m_bOutlineOption = TRUE;
    edit->EnableOutlining(TRUE);
    SetText("a\nif (x) {\n b\n c\n}\nd");
    POSITION pos = edit->GetOutlineRoot().m_lstNodes.GetHeadPosition();
    ASSERT_NE(pos, nullptr);
    ASSERT_TRUE(edit->ToggleOutlineNode(static_cast<CKtvPOutlineNode*>(edit->GetOutlineRoot().m_lstNodes.GetAt(pos))));

    edit->pages.clear();
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    Pump();

    ASSERT_EQ(PagesPrinted(), (std::vector<UINT>{1}));
    const PrintedPage& page = edit->pages.front();
    const int top = page.area.top;
    const int row = page.rowHeight;
    ASSERT_EQ(page.foldTops, (std::vector<int>{top + row}));
    std::vector<std::string> texts;
    for (const PrintedPage::Text& text : page.texts) {
        texts.push_back(text.text);
        if (text.text == "d") {
            EXPECT_EQ(text.top, top + 2 * row) << "the row after the fold";
        }
    }
    EXPECT_EQ(std::count(texts.begin(), texts.end(), " b"), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "d"), 1);
}

TEST_F(EditPrintTest, TheFontIsScaledToThePrinterUnlessItIsTheSystemFont)
{
    struct Case {
        const char* face;
        bool scaled;
    };
    const Case cases[] = {{"Courier New", true}, {"SYSTEM", false}, {"System", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        HFONT screenFont = CreateFont(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, c.face);
        ASSERT_NE(screenFont, nullptr);
        edit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(screenFont), FALSE);

        CDC printer;
        ASSERT_TRUE(printer.Attach(CreateDC(nullptr, tw::gdi::kPdfPrinterName, nullptr, nullptr)));
        CPrintInfo info;
        HFONT printerFont = edit->OnBeginPrint(&printer, &info);
        if (c.scaled) {
            ASSERT_NE(printerFont, nullptr);
            LOGFONT scaled{};
            GetObject(printerFont, sizeof scaled, &scaled);
            EXPECT_EQ(scaled.lfHeight, std::lround(-13.0 * printer.GetDeviceCaps(LOGPIXELSY) / 96)) << "rounded";
            EXPECT_STREQ(scaled.lfFaceName, c.face);
            EXPECT_EQ(edit->OnBeginPrint(&printer, &info), printerFont) << "one font for the job";
        } else {
            EXPECT_EQ(printerFont, nullptr);
            EXPECT_EQ(edit->m_hPrinterFont, nullptr);
            // The page prints in the printer DC's own font.
            CString ownFace;
            printer.GetTextFace(ownFace);
            info.m_rectDraw.SetRect(0, 0, printer.GetDeviceCaps(HORZRES), printer.GetDeviceCaps(VERTRES));
            edit->pages.clear();
            SetText("select 1");
            edit->OnPrint(&printer, &info);
            ASSERT_EQ(edit->pages.size(), 1u);
            EXPECT_EQ(edit->pages.front().face, std::string(ownFace.GetString()));
        }
        edit->OnEndPrint(&printer, &info);
        EXPECT_EQ(edit->m_hPrinterFont, nullptr);
        edit->SendMessage(WM_SETFONT, 0, FALSE);
        DeleteObject(screenFont);
        ::DeleteDC(printer.Detach());
    }
}

TEST_F(EditPrintTest, EndingTheJobDeletesOnlyTheFontTheControlMade)
{
    CDC printer;
    ASSERT_TRUE(printer.Attach(CreateDC(nullptr, tw::gdi::kPdfPrinterName, nullptr, nullptr)));
    CPrintInfo info;
    LOGFONT font{};
    for (const bool ownerReplacesIt : {false, true}) {
        SCOPED_TRACE(ownerReplacesIt);
        HFONT created = edit->OnBeginPrint(&printer, &info);
        ASSERT_NE(created, nullptr);
        HFONT ownerFont = CreateFont(-30, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
        if (ownerReplacesIt)
            edit->m_hPrinterFont = ownerFont;
        edit->OnEndPrint(&printer, &info);
        EXPECT_EQ(GetObject(created, sizeof font, &font), 0) << "the made font is deleted";
        EXPECT_NE(GetObject(ownerFont, sizeof font, &font), 0) << "the owner's font lives";
        EXPECT_EQ(edit->m_hPrinterFont, nullptr);
        EXPECT_EQ(edit->m_hCreatedPrinterFont, nullptr);
        DeleteObject(ownerFont);
    }
    ::DeleteDC(printer.Detach());
}

TEST_F(EditPrintTest, APageThatHoldsNoRowEndsTheJob)
{
    SetText(Rows(10));
    CDC printer;
    ASSERT_TRUE(printer.Attach(CreateDC(nullptr, tw::gdi::kPdfPrinterName, nullptr, nullptr)));
    CPrintInfo info;
    info.SetMaxPage(0xFFFF);
    edit->OnBeginPrint(&printer, &info);
    // Narrower than the margins of two rows on each side.
    info.m_rectDraw.SetRect(0, 0, 400, 60);
    info.m_nCurPage = 1;
    edit->OnPrint(&printer, &info);
    EXPECT_FALSE(info.m_bContinuePrinting);
    EXPECT_EQ(info.GetMaxPage(), 1u);
    ASSERT_EQ(edit->pages.size(), 1u);
    EXPECT_EQ(edit->pages.front().firstRow, -1) << "nothing drawn";
    edit->OnEndPrint(&printer, &info);
    ::DeleteDC(printer.Detach());
}

TEST_F(EditPrintTest, PreviewShowsTheTextInPlaceOfTheViewAndClosesBackToIt)
{
    SetText(Rows(5));
    edit->pages.clear();
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    Pump();
    auto* preview = DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView());
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(::IsWindowVisible(view->m_hWnd));
    ASSERT_FALSE(edit->pages.empty());
    EXPECT_EQ(edit->pages.front().page, 1u);
    EXPECT_EQ(edit->pages.front().firstRow, 0);
    EXPECT_NE(edit->m_hPrinterFont, nullptr) << "the job runs while the preview is shown";

    preview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    Pump();
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_TRUE(::IsWindowVisible(view->m_hWnd));
    EXPECT_EQ(edit->m_hPrinterFont, nullptr);
}

// A top-level window that holds a view outside any frame and answers the
// message boxes it owns, keeping their texts.
class BoxAnsweringHost : public CWnd {
public:
    std::vector<std::string> boxTexts;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
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
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(EditPrintTest, APreviewThatCannotStartSaysCommandFailedAndLeavesTheViewAlone)
{
    // No frame to show a preview in.
    BoxAnsweringHost host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                              nullptr, nullptr));
    auto* lonely = new RecordingEditView;
    ASSERT_TRUE(lonely->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, AFX_IDW_PANE_FIRST));
    ::SetActiveWindow(host.m_hWnd);
    if (CWinApp* app = AfxGetApp())
        app->m_pMainWnd = &host;

    lonely->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    Pump();

    EXPECT_NE(std::find(host.boxTexts.begin(), host.boxTexts.end(), "Command failed."), host.boxTexts.end());
    EXPECT_EQ(::GetDlgItem(host.m_hWnd, AFX_IDW_PANE_FIRST), lonely->m_hWnd);
    EXPECT_TRUE(::IsWindowVisible(lonely->m_hWnd));
    EXPECT_TRUE(lonely->Edit()->pages.empty()) << "nothing was printed";
    host.DestroyWindow();
}

}  // namespace
}  // namespace ktvp_edit_print_test
