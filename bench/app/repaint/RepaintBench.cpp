// How long a full repaint of the program's maximised main window takes at
// 1280 x 1024 headless: the frame, its bars, panes and status bar all drawn
// again. The baseline is a plain window of the same size whose
// paint is one solid fill; their ratio is printed last. Run by hand.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/MainFrame.h"
#include "app/TarnwickApp.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CWnd.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

constexpr int kRounds = 200;
constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

void PumpRepaintBench()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// Milliseconds per full repaint of the window.
double RepaintMs(CWnd* pWnd)
{
    using Clock = std::chrono::steady_clock;
    pWnd->RedrawWindow(nullptr, nullptr, kRedrawAll);
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; i++)
        pWnd->RedrawWindow(nullptr, nullptr, kRedrawAll);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kRounds;
}

// A top-level window whose whole paint is one fill of its client area.
class CFilledWindow : public CWnd {
protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect rect;
        GetClientRect(rect);
        dc.FillSolidRect(rect, RGB(212, 208, 200));
    }
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFilledWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

}  // namespace

CTarnwickApp theApp;

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 1);
    const std::filesystem::path work = std::filesystem::temp_directory_path() / "tarnwick-bench-repaint";
    std::filesystem::remove_all(work);
    std::filesystem::create_directories(work / "data");
    setenv("TARNWICK_REGISTRY", (work / "registry.reg").c_str(), 1);
    if (::chdir(work.c_str()) != 0)
        return 1;

    tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
    KtvInitGlobalData();
    theApp.m_nCmdShow = SW_SHOWMAXIMIZED;
    if (!theApp.InitInstance()) {
        std::fprintf(stderr, "the main window did not open\n");
        return 1;
    }
    PumpRepaintBench();
    theApp.OnIdle(0);
    PumpRepaintBench();
    CWnd* pFrame = theApp.m_pMainWnd;
    CRect rect;
    pFrame->GetWindowRect(rect);
    const double program = RepaintMs(pFrame);

    CFilledWindow plain;
    plain.CreateEx(0, AfxRegisterWndClass(0), "plain", WS_POPUP | WS_VISIBLE, rect, nullptr, 0);
    PumpRepaintBench();
    const double baseline = RepaintMs(&plain);
    plain.DestroyWindow();
    pFrame->DestroyWindow();
    PumpRepaintBench();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(work);

    std::printf("main window %dx%d, full repaint: %.3f ms\n", rect.Width(), rect.Height(), program);
    std::printf("plain window of the same size, one fill (baseline): %.3f ms\n", baseline);
    std::printf("ratio main window / plain fill: %.1f\n", program / baseline);
    return 0;
}
