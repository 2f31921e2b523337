// Symbols shown as images: the caret, the mouse and painting take a symbol
// as one cell as wide as its image; rows grow to the images' height.
#include "tests/editctrl/window/EditWindowFixture.h"

#include <string>
#include <vector>

namespace ktvp_window_test {
namespace {

constexpr int kImageWidth = 12;
constexpr int kImageHeight = 40;
constexpr COLORREF kArrowColor = RGB(255, 0, 0);
constexpr COLORREF kNotEqualColor = RGB(0, 0, 255);
constexpr COLORREF kOwnerColor = RGB(0, 255, 0);

// Two images of one colour each: the arrow's, then the not-equal sign's.
HIMAGELIST CreateSymbolImages(int height)
{
    HIMAGELIST list = ImageList_Create(kImageWidth, height, ILC_COLOR32, 2, 1);
    HBITMAP strip = CreateBitmap(2 * kImageWidth, height, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, strip);
    const COLORREF colors[] = {kArrowColor, kNotEqualColor};
    for (int i = 0; i < 2; ++i) {
        RECT cell{i * kImageWidth, 0, (i + 1) * kImageWidth, height};
        HBRUSH brush = CreateSolidBrush(colors[i]);
        FillRect(dc, &cell, brush);
        DeleteObject(brush);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_Add(list, strip, nullptr);
    DeleteObject(strip);
    return list;
}

void AddSymbols(CKtvPEditCtrl& edit)
{
    edit.m_arrSymbols.Add(CKtvPEditSymbol{"arrow", "->", 0, 0, 0, 0});
    edit.m_arrSymbols.Add(CKtvPEditSymbol{"not equal", "!=", 1, 0, 0, 0});
}

// A painted copy of a control's client area.
class Canvas {
public:
    explicit Canvas(CKtvPEditCtrl& edit)
    {
        CRect client;
        edit.GetClientRect(&client);
        m_dc.Attach(::CreateCompatibleDC(nullptr));
        m_bitmap.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr);
        m_dc.SelectObject(&m_bitmap);
        edit.PaintClient(&m_dc);
    }
    COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }

private:
    CDC m_dc;
    CBitmap m_bitmap;
};

class EditSymbolTest : public EditWindowTest {
protected:
    void SetUp() override
    {
        EditWindowTest::SetUp();
        images = CreateSymbolImages(kImageHeight);
        AddSymbols(edit);
        edit.SetSymbolImageList(images);
        edit.ShowSymbols(TRUE);
    }
    void TearDown() override
    {
        EditWindowTest::TearDown();
        ImageList_Destroy(images);
    }
    void SetText(const std::string& text) { ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, LPARAM(text.c_str())); }
    POINT TopLeftOf(int offset) const
    {
        POINT pt{};
        edit.OffsetToPoint(offset, pt);
        return pt;
    }

    HIMAGELIST images = nullptr;
};

TEST_F(EditSymbolTest, ArrowKeysCrossASymbolAsOneStepAndDeletionTakesOneCharacter)
{
    struct Case {
        const char* name;
        UINT key;
        int caret;
        const char* textAfter;
        int caretAfter;
    };
    const Case cases[] = {
        {"right onto the symbol's end", VK_RIGHT, 1, "a->b!=c", 3},
        {"left back over it", VK_LEFT, 3, "a->b!=c", 1},
        {"right from just before the second", VK_RIGHT, 4, "a->b!=c", 6},
        {"left over the second", VK_LEFT, 6, "a->b!=c", 4},
        {"right after a symbol is one character", VK_RIGHT, 3, "a->b!=c", 4},
        {"backspace removes the last character only", VK_BACK, 3, "a-b!=c", 2},
        {"delete removes the first character only", VK_DELETE, 1, "a>b!=c", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetText("a->b!=c");
        edit.SetCaret(c.caret);
        Key(c.key);
        EXPECT_EQ(Text(), c.textAfter);
        EXPECT_EQ(edit.GetCaretOffset(), c.caretAfter);
    }

    edit.ShowSymbols(FALSE);
    SetText("a->b");
    edit.SetCaret(1);
    Key(VK_RIGHT);
    EXPECT_EQ(edit.GetCaretOffset(), 2) << "without symbols shown the characters are steps of their own";
}

TEST_F(EditSymbolTest, SymbolsAreCellsFoundFromTheRowStartAsTheyAreDrawn)
{
    // Read from the row's start, "-->" is a minus and then an arrow; the
    // caret never stops inside that arrow from either side.
    SetText("x-->y");
    edit.SetCaret(4);
    Key(VK_LEFT);
    EXPECT_EQ(edit.GetCaretOffset(), 2);
    Key(VK_LEFT);
    EXPECT_EQ(edit.GetCaretOffset(), 1);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(edit.GetCaretOffset(), 4);
}

TEST_F(EditSymbolTest, LineAndWordMovesNeverStopInsideASymbol)
{
    // Rows: 0 "abcdefgh", 1 "a->b!=c".
    SetText("abcdefgh\na->b!=c");
    const int row1 = 9;
    for (int column = 0; column <= 8; ++column) {
        SCOPED_TRACE("column " + std::to_string(column));
        edit.SetCaret(column);
        Key(VK_DOWN);
        const int caret = edit.GetCaretOffset();
        EXPECT_NE(caret, row1 + 2);
        EXPECT_NE(caret, row1 + 5);
        Key(VK_UP);
        EXPECT_LE(edit.GetCaretOffset(), 8);
    }
    std::vector<int> stops;
    edit.SetCaret(row1);
    while (edit.MoveNextWord(FALSE) && edit.GetCaretOffset() < edit.GetTextLength())
        stops.push_back(edit.GetCaretOffset());
    while (edit.MovePrevWord(FALSE) && edit.GetCaretOffset() > row1)
        stops.push_back(edit.GetCaretOffset());
    for (int stop : stops) {
        EXPECT_NE(stop, row1 + 2);
        EXPECT_NE(stop, row1 + 5);
    }
}

TEST_F(EditSymbolTest, TheCellIsTheImagesWidthAndAClickTakesItsNearerEdge)
{
    SetText("a->b");
    const POINT before = TopLeftOf(1);
    const POINT after = TopLeftOf(3);
    EXPECT_EQ(after.x - before.x, kImageWidth);
    EXPECT_EQ(after.y, before.y);

    const int y = before.y + edit.m_nRowHeight / 2;
    struct Case {
        int dx;
        int caret;
    };
    const Case cases[] = {{2, 1}, {kImageWidth / 2 - 1, 1}, {kImageWidth / 2 + 2, 3}, {kImageWidth - 1, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE("dx " + std::to_string(c.dx));
        Click(POINT{before.x + c.dx, y});
        EXPECT_EQ(edit.GetCaretOffset(), c.caret);
    }
}

TEST_F(EditSymbolTest, EachSymbolShowsItsImageInItsCell)
{
    SetText("a->b!=c");
    Canvas canvas(edit);
    const int y = TopLeftOf(0).y + edit.m_nRowHeight / 2;
    EXPECT_EQ(canvas.At(TopLeftOf(1).x + kImageWidth / 2, y), kArrowColor);
    EXPECT_EQ(canvas.At(TopLeftOf(4).x + kImageWidth / 2, y), kNotEqualColor);
    EXPECT_NE(canvas.At(TopLeftOf(3).x + 1, y), kArrowColor) << "the image stays inside its cell";

    edit.ShowSymbols(FALSE);
    Canvas plain(edit);
    for (int x = TopLeftOf(1).x; x < TopLeftOf(3).x; ++x)
        ASSERT_NE(plain.At(x, TopLeftOf(0).y + edit.m_nRowHeight / 2), kArrowColor) << "x " << x;
}

// An owner that draws the arrow itself and leaves the rest to the control.
class OwnerDrawnEdit : public CKtvPEditCtrl {
public:
    std::vector<CString> m_drawn;
    RECT m_lastCell{};

    BOOL OnDrawSymbol(CDC* pDC, int x, int y, int nRight, int nBottom, const CKtvPEditSymbol& symbol) override
    {
        m_drawn.push_back(symbol.m_strName);
        if (symbol.m_strSequence != "->")
            return FALSE;
        m_lastCell = RECT{x, y, nRight, nBottom};
        pDC->FillSolidRect(x, y, nRight - x, nBottom - y, kOwnerColor);
        return TRUE;
    }
};

TEST_F(EditSymbolTest, AnOwnerThatDrawsASymbolReplacesItsImage)
{
    OwnerDrawnEdit owner;
    ASSERT_TRUE(owner.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 200}, &parent, 101));
    AddSymbols(owner);
    owner.SetSymbolImageList(images);
    owner.ShowSymbols(TRUE);
    ::SendMessage(owner.m_hWnd, WM_SETTEXT, 0, LPARAM("a->b!=c"));

    Canvas canvas(owner);
    EXPECT_EQ(owner.m_drawn, (std::vector<CString>{"arrow", "not equal"}));
    POINT arrow{};
    owner.OffsetToPoint(1, arrow);
    POINT notEqual{};
    owner.OffsetToPoint(4, notEqual);
    EXPECT_EQ(owner.m_lastCell.left, arrow.x);
    EXPECT_EQ(owner.m_lastCell.right - owner.m_lastCell.left, kImageWidth);
    EXPECT_EQ(owner.m_lastCell.bottom - owner.m_lastCell.top, owner.m_nRowHeight);
    const int y = arrow.y + owner.m_nRowHeight / 2;
    EXPECT_EQ(canvas.At(arrow.x + kImageWidth / 2, y), kOwnerColor);
    EXPECT_EQ(canvas.At(notEqual.x + kImageWidth / 2, y), kNotEqualColor) << "declined: the image is drawn";
    owner.DestroyWindow();
}

TEST_F(EditSymbolTest, RowsGrowToImagesTallerThanTheFontOnly)
{
    EXPECT_EQ(edit.m_nRowHeight, kImageHeight);
    SetText("a->b\nc");
    EXPECT_EQ(TopLeftOf(5).y - TopLeftOf(0).y, kImageHeight);

    edit.ShowSymbols(FALSE);
    const int fontRow = edit.m_nRowHeight;
    EXPECT_LT(fontRow, kImageHeight);

    HIMAGELIST small = CreateSymbolImages(4);
    edit.SetSymbolImageList(small);
    edit.ShowSymbols(TRUE);
    EXPECT_EQ(edit.m_nRowHeight, fontRow) << "images shorter than the font leave the rows";
    edit.SetSymbolImageList(nullptr);
    ImageList_Destroy(small);
}

}  // namespace
}  // namespace ktvp_window_test
