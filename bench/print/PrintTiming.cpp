// Prints how long a view's pages take: printed to a PDF file through the
// framework's print loop, and shown in print preview while stepping
// through them with Next Page.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/mfc/afxwin.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/gdi/PrinterSpooler.h"

namespace {

constexpr UINT kPages = 20;
constexpr int kLinesPerPage = 60;

// Nothing is ever handed to a real printer.
class NoSystemPrinters : public tw::gdi::PrinterSpooler {
public:
    std::vector<std::string> Printers() override { return {}; }
    std::string DefaultPrinter() override { return {}; }
    bool Submit(const std::vector<std::string>&) override { return false; }
};

class BenchApp : public CWinApp {
public:
    BenchApp() : CWinApp("PrintBench") {}
};
BenchApp theApp;

class TextView : public CView {
    DECLARE_DYNCREATE(TextView)
public:
    void OnDraw(CDC*) override {}
    void Command(UINT nID) { SendMessage(WM_COMMAND, nID, 0); }

protected:
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        pInfo->SetMaxPage(kPages);
        pInfo->m_nNumPreviewPages = 2;
        return DoPreparePrinting(pInfo);
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        const int lineHeight = pInfo->m_rectDraw.Height() / (kLinesPerPage + 2);
        for (int line = 0; line < kLinesPerPage; ++line) {
            CString text;
            text.Format("Page %u, line %d: SELECT name, id FROM sysobjects WHERE type = 'U' ORDER BY name",
                        pInfo->m_nCurPage, line + 1);
            pDC->TextOut(pInfo->m_rectDraw.left + 50, pInfo->m_rectDraw.top + lineHeight * (line + 1), text);
        }
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TextView, CView)
BEGIN_MESSAGE_MAP(TextView, CView)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

void Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

template <typename F>
void Report(const char* what, UINT pages, F&& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-36s %8.1f ms/page  (%u pages in %.0f ms)\n", what, ms / pages, pages, ms);
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    const auto folder = std::filesystem::temp_directory_path() / "tarnwick-print-bench";
    std::filesystem::create_directories(folder);
    setenv("XDG_DOCUMENTS_DIR", folder.c_str(), 1);
    tw::gdi::SetPrinterSpooler(std::make_shared<NoSystemPrinters>());
    tw::RegisterStandardControlClasses();

    auto* doc = new CDocument;
    doc->SetTitle("Bench");
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(TextView);
    context.m_pCurrentDoc = doc;
    auto* frame = new CFrameWnd;
    if (!frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700), nullptr, nullptr, 0,
                       &context))
        return 1;
    frame->InitialUpdateFrame(doc, TRUE);
    theApp.m_pMainWnd = frame;
    auto* view = static_cast<TextView*>(frame->GetActiveView());

    Report("print to PDF", kPages, [&] { view->Command(ID_FILE_PRINT_DIRECT); });
    Report("preview, two pages, Next Page", kPages - 1, [&] {
        view->Command(ID_FILE_PRINT_PREVIEW);
        Pump();
        frame->UpdateWindow();
        for (UINT page = 1; page < kPages - 1; ++page) {
            frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT, 0);
            frame->UpdateWindow();
        }
        frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE, 0);
    });
    doc->SetModifiedFlag(FALSE);
    frame->DestroyWindow();
    std::filesystem::remove_all(folder);
    return 0;
}
