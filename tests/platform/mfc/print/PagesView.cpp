#include "tests/platform/mfc/print/PagesView.h"

#include <fstream>
#include <regex>
#include <sstream>

namespace tw::mfc::print_test {

IMPLEMENT_DYNCREATE(PagesDoc, CDocument)
IMPLEMENT_DYNCREATE(PagesView, CView)

BEGIN_MESSAGE_MAP(PagesView, CView)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

BOOL PagesView::OnPreparePrinting(CPrintInfo* pInfo)
{
    Step("prepare");
    if (declinePrinting)
        return FALSE;
    if (!Doc()->lastPageFoundWhilePrinting)
        pInfo->SetMaxPage(Doc()->pages);
    if (numPreviewPages)
        pInfo->m_nNumPreviewPages = numPreviewPages;
    return DoPreparePrinting(pInfo);
}

void PagesView::OnBeginPrinting(CDC*, CPrintInfo*)
{
    Step("begin");
}

void PagesView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    prepared.push_back({pInfo != nullptr, pDC->IsPrinting() != FALSE});
    // A view that finds its last page while printing keeps its own flag.
    if (!pInfo || !Doc()->lastPageFoundWhilePrinting)
        CView::OnPrepareDC(pDC, pInfo);
}

void PagesView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    printed.push_back({pInfo->m_nCurPage, pInfo->m_rectDraw, pInfo->m_bPreview != FALSE, pDC->IsPrinting() != FALSE});
    CString text;
    text.Format("Page %u", pInfo->m_nCurPage);
    pDC->TextOut(pInfo->m_rectDraw.left + 100, pInfo->m_rectDraw.top + 100, text);
    if (pInfo->m_nCurPage == Doc()->lastPageFoundWhilePrinting) {
        pInfo->m_bContinuePrinting = FALSE;
        pInfo->SetMaxPage(pInfo->m_nCurPage);
    }
    if (duringPrint)
        duringPrint(pInfo->m_nCurPage);
}

void PagesView::OnEndPrinting(CDC*, CPrintInfo*)
{
    Step("end");
}

int PdfPageCount(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return -1;
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    static const std::regex page(R"(/Type\s*/Page(?![s\w]))");
    return static_cast<int>(std::distance(std::sregex_iterator(text.begin(), text.end(), page), std::sregex_iterator()));
}

}  // namespace tw::mfc::print_test
