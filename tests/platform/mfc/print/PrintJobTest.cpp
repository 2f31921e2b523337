// Printing a view: the pages reach the printer's PDF once each with their
// number and drawing rectangle, the dialog's range chooses them, a cancelled
// dialog prints nothing, and Cancel in the "Printing" window abandons the job.
#include <filesystem>

#include "platform/win32/gdi/PrinterDC.h"
#include "tests/platform/mfc/print/PagesView.h"
#include "tests/platform/mfc/print/PrintTest.h"

namespace fs = std::filesystem;

namespace tw::mfc::print_test {
namespace {

class PrintJobTest : public PrintTest {
protected:
    void SetUp() override
    {
        pagesDoc = new PagesDoc;
        pagesDoc->SetTitle("Report");
        doc = pagesDoc;
        viewClass = RUNTIME_CLASS(PagesView);

        PrintTest::SetUp();
        fs::remove(Pdf());
        view = static_cast<PagesView*>(frame->GetActiveView());
        if (!view)
            view = static_cast<PagesView*>(CWnd::FromHandlePermanent(GetDlgItem(frameHwnd, AFX_IDW_PANE_FIRST)));
    }
    std::vector<UINT> PagesPrinted() const
    {
        std::vector<UINT> pages;
        for (const auto& p : view->printed)
            pages.push_back(p.page);
        return pages;
    }
    static std::string Pdf() { return (fs::current_path() / "Report.pdf").string(); }

    PagesDoc* pagesDoc = nullptr;
    PagesView* view = nullptr;
};

TEST_F(PrintJobTest, ADirectPrintWritesEveryPageWithItsNumberAndTheWholePrintableArea)
{
    ASSERT_NE(view, nullptr);
    view->PrintNow(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(PagesPrinted(), (std::vector<UINT>{1, 2, 3}));
    EXPECT_EQ(view->steps, (std::vector<std::string>{"prepare", "begin", "end"}));
    EXPECT_EQ(PdfPageCount(Pdf()), 3);
    HDC printer = CreateDC(nullptr, tw::gdi::kPdfPrinterName, nullptr, nullptr);
    const CRect printable(0, 0, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES));
    DeleteDC(printer);
    for (const auto& page : view->printed) {
        EXPECT_EQ(page.rectDraw, printable) << "page " << page.page;
        EXPECT_FALSE(page.preview);
        EXPECT_TRUE(page.dcPrinting) << "page " << page.page;
    }
    EXPECT_TRUE(IsWindowEnabled(frameHwnd)) << "the main window is given back";
}

TEST_F(PrintJobTest, OnlyThePrinterDcIsPreparedAsPrinting)
{
    ASSERT_NE(view, nullptr);
    view->InvalidateRect(nullptr);
    view->UpdateWindow();
    ASSERT_FALSE(view->prepared.empty());
    EXPECT_FALSE(view->prepared.back().withInfo);
    EXPECT_FALSE(view->prepared.back().dcPrinting) << "the screen";

    view->prepared.clear();
    view->PrintNow(ID_FILE_PRINT_DIRECT);
    ASSERT_FALSE(view->prepared.empty());
    for (const auto& call : view->prepared) {
        EXPECT_TRUE(call.withInfo);
        EXPECT_TRUE(call.dcPrinting);
    }
}

TEST_F(PrintJobTest, AViewThatFindsItsLastPageWhilePrintingEndsTheJobThere)
{
    pagesDoc->lastPageFoundWhilePrinting = 2;
    view->PrintNow(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(PagesPrinted(), (std::vector<UINT>{1, 2}));
    EXPECT_EQ(PdfPageCount(Pdf()), 2);
}

TEST_F(PrintJobTest, TheRangeTypedInTheDialogChoosesThePages)
{
    OnIdle([&](HWND idle, int count) {
        if (count == 1) {
            SetFocus(GetDlgItem(idle, edt1));
            SendDlgItemMessage(idle, edt1, EM_SETSEL, 0, -1);
            Type("2");
        } else if (count == 2) {
            Key(VK_RETURN);
        } else {
            Key(VK_ESCAPE);
        }
    });
    view->PrintNow(ID_FILE_PRINT);
    EXPECT_EQ(PagesPrinted(), (std::vector<UINT>{2, 3}));
    EXPECT_EQ(PdfPageCount(Pdf()), 2);
}

TEST_F(PrintJobTest, PrintToFileAsksForTheFileAndWritesThere)
{
    OnIdle([&](HWND idle, int count) {
        if (count == 1) {
            SendDlgItemMessage(idle, chx1, BM_CLICK, 0, 0);
            Key(VK_RETURN);
        } else if (count == 2) {
            Type("chosen");
            Key(VK_RETURN);
        } else {
            Key(VK_ESCAPE);
        }
    });
    view->PrintNow(ID_FILE_PRINT);
    EXPECT_EQ(PdfPageCount((fs::current_path() / "chosen.pdf").string()), 3);
    EXPECT_FALSE(fs::exists(Pdf()));
}

TEST_F(PrintJobTest, ACancelledDialogPrintsNothing)
{
    OnIdle([&](HWND, int count) {
        if (count == 1)
            Key(VK_ESCAPE);
    });
    view->PrintNow(ID_FILE_PRINT);
    EXPECT_TRUE(view->printed.empty());
    EXPECT_EQ(view->steps, (std::vector<std::string>{"prepare"}));
    EXPECT_FALSE(fs::exists(Pdf()));
}

TEST_F(PrintJobTest, CancelInThePrintingWindowAbandonsTheJobAndKeepsTheEarlierFile)
{
    view->PrintNow(ID_FILE_PRINT_DIRECT);
    ASSERT_EQ(PdfPageCount(Pdf()), 3);
    view->printed.clear();
    pagesDoc->pages = 5;
    view->duringPrint = [&](UINT page) {
        if (page != 2)
            return;
        HWND status = FindWindow(nullptr, "Printing");
        ASSERT_NE(status, nullptr);
        PostMessage(GetDlgItem(status, IDCANCEL), BM_CLICK, 0, 0);
    };
    view->PrintNow(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(PagesPrinted(), (std::vector<UINT>{1, 2}));
    EXPECT_EQ(PdfPageCount(Pdf()), 3) << "the abandoned job leaves the earlier file whole";
    EXPECT_EQ(FindWindow(nullptr, "Printing"), nullptr);
    EXPECT_TRUE(IsWindowEnabled(frameHwnd));
}

}  // namespace
}  // namespace tw::mfc::print_test
