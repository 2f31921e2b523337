// The rounded group box by pixels: its frame, corners, header band and body,
// and where the caption sits for each alignment, in both styles.
#include <gtest/gtest.h>

#include <string>

#include "app/RoundGroupBox.h"
#include "platform/mfc/CDC.h"
#include "tests/app/dialogs/ProgramControlFixture.h"

namespace tw::test {
namespace {

constexpr COLORREF kBorder = RGB(0, 0, 160);
constexpr COLORREF kFill = RGB(255, 255, 0);
constexpr COLORREF kBody = RGB(255, 255, 255);
constexpr COLORREF kText = RGB(160, 0, 0);
constexpr int kWidth = 220;
constexpr int kHeight = 120;

class RoundGroupBoxTest : public ProgramControlTest {
protected:
    void Make(BOOL header, int align)
    {
        if (box.GetSafeHwnd() != nullptr) {
            box.DestroyWindow();
            ::UpdateWindow(parent);  // the parent paints over the old box
        }
        box.m_crBorder = kBorder;
        box.m_crFill = kFill;
        box.m_crBody = kBody;
        box.m_crText = kText;
        box.m_bHeaderStyle = header;
        box.m_nAlign = align;
        ASSERT_TRUE(box.Create("Connection", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(20, 20, 20 + kWidth, 20 + kHeight),
                               &host, 300));
        box.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
        box.Invalidate();
        box.UpdateWindow();
        CClientDC dc(&box);
        caption = box.CaptionRect(&dc);
    }
    COLORREF At(int x, int y) { return ScreenPixel(box.GetSafeHwnd(), x, y); }

    void TearDown() override
    {
        if (box.GetSafeHwnd() != nullptr)
            box.DestroyWindow();
        ProgramControlTest::TearDown();
    }

    CXPGroupBox box;
    CRect caption;
};

TEST_F(RoundGroupBoxTest, TheCaptionSitsWhereItsAlignmentSaysAndIsDrawnOnlyThere)
{
    const struct {
        BOOL header;
        int align;
        int expectedLeft;  // -1: centred
        int expectedRight;
    } cases[] = {
        {FALSE, CXPGroupBox::AlignLeft, 1 + 10, -1},
        {FALSE, CXPGroupBox::AlignCentre, -1, -1},
        {FALSE, CXPGroupBox::AlignRight, -1, kWidth - 1 - 10},
        {TRUE, CXPGroupBox::AlignLeft, 1 + 2, -1},
        {TRUE, CXPGroupBox::AlignCentre, -1, -1},
        {TRUE, CXPGroupBox::AlignRight, -1, kWidth - 1 - 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.header ? "header" : "plain") + " align " + std::to_string(c.align));
        Make(c.header, c.align);
        EXPECT_EQ(caption.top, c.header ? 1 + 2 : 1);
        if (c.expectedLeft >= 0)
            EXPECT_EQ(caption.left, c.expectedLeft);
        if (c.expectedRight >= 0)
            EXPECT_EQ(caption.right, c.expectedRight);
        if (c.expectedLeft < 0 && c.expectedRight < 0)
            EXPECT_LE(std::abs((caption.left + caption.right) / 2 - kWidth / 2), 1);
        // The caption's text colour is found inside its rectangle and nowhere else.
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                // Smoothed text: pixels near the text colour.
                const COLORREF pixel = At(x, y);
                if (GetRValue(pixel) < 100 || GetGValue(pixel) > 80 || GetBValue(pixel) > 80)
                    continue;
                CRect near = caption;
                near.InflateRect(1, 1);
                ++(near.PtInRect(CPoint(x, y)) ? inside : outside);
            }
        }
        EXPECT_GT(inside, 20);
        EXPECT_EQ(outside, 0);
        // The blank before the caption shows the caption's background.
        EXPECT_EQ(At(caption.left + 1, caption.top + caption.Height() / 2), kFill);
    }
}

TEST_F(RoundGroupBoxTest, APlainFrameIsRoundedAndInterruptedBehindTheCaption)
{
    Make(FALSE, CXPGroupBox::AlignLeft);
    const int line = 1 + caption.Height() / 2;  // the frame's top line
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(At(kWidth - 40, line), kBorder) << "top line right of the caption";
    EXPECT_EQ(At(1, (line + kHeight) / 2), kBorder) << "left edge";
    EXPECT_EQ(At(kWidth - 2, (line + kHeight) / 2), kBorder) << "right edge";
    EXPECT_EQ(At(kWidth / 2, kHeight - 2), kBorder) << "bottom edge";
    // The corners are rounded: the exact corner points stay the dialog's.
    EXPECT_EQ(At(1, line), face);
    EXPECT_EQ(At(kWidth - 2, kHeight - 2), face);
    EXPECT_EQ(At(1 + 6, line), kBorder);
    EXPECT_EQ(At(1, line + 6), kBorder);
    // No fill inside a plain frame; the line is broken behind the caption.
    EXPECT_EQ(At(kWidth / 2, (line + kHeight) / 2), face);
    EXPECT_EQ(At(caption.left + 1, line), kFill);
    EXPECT_EQ(At(caption.right + 2, line), kBorder);
}

TEST_F(RoundGroupBoxTest, AHeaderFrameHasABandAboveABodyWithSquareBottomCorners)
{
    Make(TRUE, CXPGroupBox::AlignRight);
    const int bodyTop = 1 + caption.Height() + 4;
    EXPECT_EQ(At(20, 1), kBorder) << "top edge";
    EXPECT_EQ(At(1, 1), ::GetSysColor(COLOR_BTNFACE)) << "rounded top corner";
    EXPECT_EQ(At(20, 1 + 3), kFill) << "the header band";
    EXPECT_EQ(At(20, bodyTop), kBorder) << "the line between band and body";
    EXPECT_EQ(At(20, bodyTop + 10), kBody);
    EXPECT_EQ(At(1, bodyTop + 10), kBorder);
    // The body rectangle covers the rounded bottom corners.
    EXPECT_EQ(At(1, kHeight - 2), kBorder);
    EXPECT_EQ(At(kWidth - 2, kHeight - 2), kBorder);
}

}  // namespace
}  // namespace tw::test
