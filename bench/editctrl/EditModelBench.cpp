// Timed driver for the edit control's model on a large script: prints the
// milliseconds of each step and the memory the model holds.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "editctrl/KtvPEditModel.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;  // large blocks are mapped apart from the heap
}

// 200,000 rows of T-SQL of about 50 bytes each: some 10 MB.
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

}  // namespace

int main()
{
    const std::string script = MakeScript();
    CKtvPFixedTextMetrics metrics(8, 16);
    const size_t heapBefore = HeapInUse();
    CKtvPEditModel model;
    model.SetTextMetrics(&metrics);
    model.SetTextArea(RECT{20, 0, 20 + 1000, 17 * 50});

    Clock::time_point start = Clock::now();
    model.SetText(script.c_str());
    const double loadMs = MillisecondsSince(start);
    const size_t heapHeld = HeapInUse() - heapBefore;

    start = Clock::now();
    model.SetCaret(model.GetTextLength());
    model.NoteKeyDown('X');
    model.TypeChar('x');
    model.Undo();
    const double insertUndoMs = MillisecondsSince(start);

    start = Clock::now();
    model.MoveToTextStart();
    int pages = 0;
    while (model.GetCaretOffset() < model.GetTextLength() && model.PageDown())
        ++pages;
    const double pagingMs = MillisecondsSince(start);

    // What a full repaint asks of the model: the point of every character
    // of the rows in view.
    model.MoveToTextStart();
    model.ScrollText(1, 4, 100'000);
    start = Clock::now();
    long long checksum = 0;
    const int firstRow = model.m_nFirstVisibleRow;
    for (int row = firstRow; row < firstRow + model.GetPageRows(); ++row) {
        const int rowStart = model.GetRowStartByNumber(row);
        const int rowEnd = model.GetBuffer().RowLimit(row);
        for (int offset = rowStart; offset <= rowEnd; ++offset) {
            POINT pt{};
            model.OffsetToPoint(offset, pt);
            checksum += pt.x;
        }
    }
    const double layoutMs = MillisecondsSince(start);

    // The colour-block work of the same repaint, with the built-in blocks.
    model.AddColorBlock("/*", "*/", TRUE, RGB(0, 100, 0), static_cast<COLORREF>(-1));
    model.AddColorBlock("\"", "\"", FALSE, RGB(139, 0, 0), static_cast<COLORREF>(-1));
    model.AddColorBlock("'", "'", FALSE, RGB(139, 0, 0), static_cast<COLORREF>(-1));
    model.AddColorBlock("--", "", FALSE, RGB(0, 100, 0), static_cast<COLORREF>(-1));
    start = Clock::now();
    const std::string_view text = model.GetBuffer().View();
    const int windowStart = model.m_nFirstVisibleOffset;
    const int windowEnd = model.GetBuffer().RowLimit(firstRow + model.GetPageRows());
    const CKtvPColorBlock* pOpen = model.m_colorRules.FindOpenColorBlock(text, windowStart);
    std::vector<KtvPBlockOccurrence> occurrences;
    model.m_colorRules.CollectColorBlocks(text, windowStart, windowEnd, occurrences);
    const double blocksMs = MillisecondsSince(start);

    // Worst case of the open-block question: no block comment anywhere, so
    // the scan runs back to the text start.
    std::string plain;
    plain.reserve(script.size());
    while (plain.size() < script.size())
        plain += "UPDATE t SET c = 'x' WHERE id = 1 -- touch\n";
    start = Clock::now();
    const CKtvPColorBlock* pNone = model.m_colorRules.FindOpenColorBlock(plain, static_cast<int>(plain.size()));
    const double openScanMs = MillisecondsSince(start);

    start = Clock::now();
    model.SetCaret(model.GetTextLength() / 2);
    for (int i = 0; i < 100; ++i) {
        model.NoteKeyDown('X');
        model.TypeChar('x');
    }
    const double middleTypingMs = MillisecondsSince(start);

    std::printf("script: %d bytes, %d rows\n", model.GetTextLength(), model.GetVisibleRowCount());
    std::printf("load (SetText):                 %8.2f ms\n", loadMs);
    std::printf("memory held after load:         %8.2f MB (text %.2f MB)\n", heapHeld / 1048576.0,
                script.size() / 1048576.0);
    std::printf("insert at end + undo:           %8.3f ms\n", insertUndoMs);
    std::printf("page top to bottom (%d pages): %8.2f ms (%.4f ms a page)\n", pages, pagingMs,
                pages > 0 ? pagingMs / pages : 0.0);
    std::printf("layout of one window of rows:   %8.3f ms (checksum %lld)\n", layoutMs, checksum);
    std::printf("colour blocks of that window:   %8.3f ms (%zu found, %s open above)\n", blocksMs,
                occurrences.size(), pOpen != nullptr ? "one" : "none");
    std::printf("open-block scan over 10 MB:     %8.2f ms (%s)\n", openScanMs, pNone != nullptr ? "open" : "closed");
    std::printf("100 characters typed mid-text:  %8.2f ms (%.3f ms each)\n", middleTypingMs, middleTypingMs / 100);
    return 0;
}
