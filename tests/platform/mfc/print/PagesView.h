// A document of a known number of pages and a view that prints them,
// recording what the printing steps were given.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/mfc/CPrintInfo.h"
#include "platform/mfc/afxwin.h"

namespace tw::mfc::print_test {

class PagesDoc : public CDocument {
    DECLARE_DYNCREATE(PagesDoc)
public:
    UINT pages = 3;
    // 0: the view sets the maximum page; otherwise the view leaves it open and
    // ends the job itself after this page, as views that paginate while printing do.
    UINT lastPageFoundWhilePrinting = 0;
};

class PagesView : public CView {
    DECLARE_DYNCREATE(PagesView)
public:
    struct Printed {
        UINT page;
        CRect rectDraw;
        bool preview;
        bool dcPrinting;
    };
    std::vector<Printed> printed;
    struct Prepared {
        bool withInfo;
        bool dcPrinting;
    };
    std::vector<Prepared> prepared;
    std::vector<std::string> steps;  // "prepare", "begin", "end"
    UINT numPreviewPages = 0;
    bool declinePrinting = false;
    // Also gets the steps, for a test that outlives the view.
    std::vector<std::string>* stepsCopy = nullptr;
    // Runs inside OnPrint, after the page is recorded.
    std::function<void(UINT)> duringPrint;

    PagesDoc* Doc() const { return static_cast<PagesDoc*>(m_pDocument); }
    void OnDraw(CDC*) override {}

    void PrintNow(UINT nCommand) { SendMessage(WM_COMMAND, nCommand, 0); }
    using CView::DoPrintPreview;

protected:
    void Step(const char* name)
    {
        steps.push_back(name);
        if (stepsCopy)
            stepsCopy->push_back(name);
    }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    DECLARE_MESSAGE_MAP()
};

// Pages in a PDF file: its page objects, "/Type /Page" but not "/Type /Pages".
int PdfPageCount(const std::string& path);

}  // namespace tw::mfc::print_test
