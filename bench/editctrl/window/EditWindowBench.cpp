// Timed driver for the edit control's window on a 10 MB script of 200,000
// rows: prints the milliseconds of each step and the memory held. Runs on
// the headless display.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editctrl/KtvPEditCtrl.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

std::string MakeScript()
{
    static const char* const rows[] = {
        "SELECT o.id, o.name, c.colid FROM sysobjects o\n",
        "    INNER JOIN syscolumns c ON c.id = o.id -- cols\n",
        "WHERE o.type = 'U' AND o.name LIKE N'%order%'\n",
        "\tORDER BY o.name, c.colid; /* by name then col */\n",
    };
    std::string script;
    script.reserve(10'500'000);
    for (int i = 0; i < 200'000; ++i)
        script += rows[i % 4];
    return script;
}

const char* const kSettings =
    "<COLOR_DATA><KEYWORDS><Color>0000ff</Color><CaseSensitive>False</CaseSensitive>"
    "<Keyword>select</Keyword><Keyword>from</Keyword><Keyword>where</Keyword><Keyword>order</Keyword>"
    "<Keyword>by</Keyword><Keyword>inner</Keyword><Keyword>join</Keyword><Keyword>on</Keyword>"
    "</KEYWORDS><BLOCKS><BLOCK><Start>/*</Start><End>*/</End><Color>\"darkgreen\"</Color>"
    "<WholeText>true</WholeText></BLOCK><BLOCK><Start>'</Start><End>'</End><Color>\"darkred\"</Color></BLOCK>"
    "<BLOCK><Start>--</Start><Color>\"darkgreen\"</Color></BLOCK></BLOCKS></COLOR_DATA>";

void PumpMessages()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    const std::string script = MakeScript();
    CWnd parent;
    if (!parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1024, 768,
                         nullptr, nullptr))
        return 1;
    const size_t heapBefore = HeapInUse();
    auto* pEdit = new CKtvPEditCtrl;
    CKtvPEditCtrl& edit = *pEdit;
    if (!edit.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 1000, 740}, &parent, 1))
        return 1;
    edit.LoadXMLSettingsFromBuffer(kSettings);
    edit.SetFocus();

    Clock::time_point start = Clock::now();
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(script.c_str()));
    std::printf("load %zu bytes, %d rows: %.1f ms\n", script.size(), edit.GetVisibleRowCount(), MillisecondsSince(start));
    std::printf("memory held after load: %.1f MB\n", (HeapInUse() - heapBefore) / 1048576.0);

    ::SendMessage(edit.m_hWnd, WM_KEYDOWN, VK_END, 0);
    edit.MoveToTextEnd(FALSE);
    start = Clock::now();
    ::SendMessage(edit.m_hWnd, WM_CHAR, 'x', 0);
    const double insertMs = MillisecondsSince(start);
    start = Clock::now();
    edit.Undo();
    std::printf("insert at end: %.3f ms, undo: %.3f ms\n", insertMs, MillisecondsSince(start));

    edit.MoveToTextStart(TRUE);
    start = Clock::now();
    int pages = 0;
    for (int before = -1; edit.GetCaretOffset() != before && edit.GetCaretOffset() < edit.GetTextLength();) {
        before = edit.GetCaretOffset();
        ::SendMessage(edit.m_hWnd, WM_KEYDOWN, VK_NEXT, 0);
        PumpMessages();  // each page is painted as it comes
        ++pages;
    }
    std::printf("page from top to bottom, %d pages: %.1f ms (%.3f ms a page)\n", pages, MillisecondsSince(start),
                pages > 0 ? MillisecondsSince(start) / pages : 0.0);

    edit.MoveToTextStart(TRUE);
    CDC canvas;
    CBitmap bitmap;
    canvas.Attach(::CreateCompatibleDC(nullptr));
    bitmap.CreateBitmap(1000, 740, 1, 32, nullptr);
    canvas.SelectObject(&bitmap);
    constexpr int kRepaints = 50;
    start = Clock::now();
    for (int i = 0; i < kRepaints; ++i)
        edit.PaintClient(&canvas);
    std::printf("repaint of a 1000x740 window onto a bitmap: %.2f ms\n", MillisecondsSince(start) / kRepaints);
    start = Clock::now();
    for (int i = 0; i < kRepaints; ++i) {
        ::InvalidateRect(edit.m_hWnd, nullptr, FALSE);
        ::UpdateWindow(edit.m_hWnd);
    }
    std::printf("repaint through WM_PAINT: %.2f ms\n", MillisecondsSince(start) / kRepaints);
    std::printf("memory held at the end: %.1f MB\n", (HeapInUse() - heapBefore) / 1048576.0);

    delete pEdit;
    parent.DestroyWindow();
    PumpMessages();
    return 0;
}
