// Milliseconds to show page 1 and page 5,000 of a 200,000-row script in the
// edit view's print preview, one page and two pages at a time, and to print
// 100 pages to PDF; each set against the raw cost of painting the same rows
// with TextOut onto the same printer, measured in the same run.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editctrl/KtvPEditView.h"
#include "editctrl/KtvPPrintPreviewView.h"
#include "platform/mfc/CPrintInfo.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/gdi/PrinterDC.h"
#include "platform/win32/gdi/PrinterSpooler.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"

namespace {

constexpr int kRows = 200000;
constexpr UINT kLatePage = 5000;
constexpr int kPrintedPages = 100;

class NoSystemPrinters : public tw::gdi::PrinterSpooler {
public:
    std::vector<std::string> Printers() override { return {}; }
    std::string DefaultPrinter() override { return {}; }
    bool Submit(const std::vector<std::string>&) override { return false; }
};

class BenchApp : public CWinApp {
public:
    BenchApp() : CWinApp("EditPrintBench") {}
};
BenchApp theApp;

// Remembers how many rows a printed page holds.
class CountingEditCtrl : public CKtvPEditCtrl {
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

class BenchEditView : public CKtvPEditView {
    DECLARE_DYNCREATE(BenchEditView)
public:
    CKtvPEditCtrl* CreateEdit() override { return new CountingEditCtrl; }
    CountingEditCtrl* Edit() const { return static_cast<CountingEditCtrl*>(m_pEdit); }
};
IMPLEMENT_DYNCREATE(BenchEditView, CKtvPEditView)

void Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

double Milliseconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::string Script(int rows)
{
    std::string text;
    text.reserve(static_cast<size_t>(rows) * 48);
    for (int row = 0; row < rows; ++row) {
        if (row > 0)
            text += '\n';
        text += "SELECT name, id FROM sysobjects WHERE id = " + std::to_string(row) + ";";
    }
    return text;
}

// The raw baseline: a page's rows drawn with TextOut on a printer page, no control.
double RawPageMs(int rowsPerPage, int rowHeight)
{
    HDC printer = CreateDC(nullptr, tw::gdi::kPdfPrinterName, nullptr, nullptr);
    if (printer == nullptr)
        return 0;
    const std::string line = "SELECT name, id FROM sysobjects WHERE id = 123456;";
    const double ms = Milliseconds([&] {
        for (int row = 0; row < rowsPerPage; ++row)
            ::TextOut(printer, 100, 100 + row * rowHeight, line.c_str(), static_cast<int>(line.size()));
    });
    ::DeleteDC(printer);
    return ms;
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    const auto folder = std::filesystem::temp_directory_path() / "tarnwick-editprint-bench";
    std::filesystem::create_directories(folder);
    setenv("XDG_DOCUMENTS_DIR", folder.c_str(), 1);
    tw::gdi::SetPrinterSpooler(std::make_shared<NoSystemPrinters>());
    tw::RegisterStandardControlClasses();
    tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());

    auto* doc = new CDocument;
    doc->SetTitle("Bench");
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(BenchEditView);
    context.m_pCurrentDoc = doc;
    auto* frame = new CFrameWnd;
    if (!frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700), nullptr, nullptr, 0,
                       &context))
        return 1;
    frame->InitialUpdateFrame(doc, TRUE);
    theApp.m_pMainWnd = frame;
    auto* view = static_cast<BenchEditView*>(frame->GetActiveView());
    CountingEditCtrl* edit = view->Edit();

    // The printer's rows per page, from a one-row job.
    ::SendMessage(edit->m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    const int rowsPerPage = edit->rowsPerPage;
    const int rowHeight = edit->m_nRowHeight;
    if (rowsPerPage <= 0)
        return 1;

    std::vector<std::string> lines;
    auto report = [&](const char* what, double ms, double rawMs) {
        char text[160];
        std::snprintf(text, sizeof text, "%-44s %9.2f ms   raw %8.3f ms   ratio %8.1f", what, ms, rawMs,
                      rawMs > 0 ? ms / rawMs : 0.0);
        lines.emplace_back(text);
    };

    const std::string script = Script(kRows);
    ::SendMessage(edit->m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(script.c_str()));
    const double rawPage = RawPageMs(rowsPerPage, rowHeight);

    for (UINT pagesShown : {1u, 2u}) {
        view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
        Pump();
        auto* preview = DYNAMIC_DOWNCAST(CKtvPPrintPreviewView, frame->GetActiveView());
        if (preview == nullptr)
            return 1;
        if (preview->GetPagesShown() != pagesShown)
            preview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
        const std::string layout = pagesShown == 1 ? "one page" : "two pages";
        // Warm up: the first page images and fonts are made once.
        preview->SetCurrentPage(3, TRUE);
        preview->UpdateWindow();
        const double first = Milliseconds([&] {
            preview->SetCurrentPage(2, TRUE);
            preview->SetCurrentPage(1, TRUE);
            preview->UpdateWindow();
        });
        const double late = Milliseconds([&] {
            preview->SetCurrentPage(kLatePage - 1, TRUE);
            preview->SetCurrentPage(kLatePage, TRUE);
            preview->UpdateWindow();
        });
        report(("preview page 1, " + layout).c_str(), first / 2, rawPage * pagesShown);
        report(("preview page 5000, " + layout).c_str(), late / 2, rawPage * pagesShown);
        preview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
        Pump();
    }

    const std::string hundred = Script(kPrintedPages * rowsPerPage);
    ::SendMessage(edit->m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(hundred.c_str()));
    const double printed = Milliseconds([&] { view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT); });
    report("print 100 pages to PDF", printed, rawPage * kPrintedPages);

    std::printf("rows per page %d, script of %d rows\n", rowsPerPage, kRows);
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
    doc->SetModifiedFlag(FALSE);
    frame->DestroyWindow();
    std::filesystem::remove_all(folder);
    return 0;
}
