// Edit Button Image and its paint area: each tool on a small bitmap at exact
// pixels, the colour picker, Clear, and pictures pasted from the clipboard.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "resources/CustomizeIds.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "tests/ui/commandbars/CustomizeTestSupport.h"
#include "ui/commandbars/KtvPImageEditDlg.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

namespace custtest = tw::test::custtest;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr int kCx = 16;
constexpr int kCy = 15;

using Pixels = std::set<std::pair<int, int>>;

class ButtonImageTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        CClientDC dcScreen(nullptr);
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcScreen, kCx, kCy));
        Fill(kWhite);
    }
    void TearDown() override
    {
        if (dlg != nullptr && dlg->GetSafeHwnd() != nullptr)
            dlg->DestroyWindow();
        delete dlg;
        HeadlessWindowTest::TearDown();
    }

    void Fill(COLORREF color)
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, kCx, kCy, color);
        dc.SelectObject(pOld);
    }
    void SetPixelOf(int x, int y, COLORREF color)
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.SetPixel(x, y, color);
        dc.SelectObject(pOld);
    }
    COLORREF PixelAt(int x, int y)
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        const COLORREF color = dc.GetPixel(x, y);
        dc.SelectObject(pOld);
        return color;
    }
    Pixels PixelsOf(COLORREF color)
    {
        Pixels pixels;
        for (int x = 0; x < kCx; x++)
            for (int y = 0; y < kCy; y++)
                if (PixelAt(x, y) == color)
                    pixels.insert({x, y});
        return pixels;
    }

    void OpenDialog()
    {
        dlg = new CKtvPImageEditDlg(&bitmap, CWnd::FromHandle(parent));
        ASSERT_TRUE(dlg->Create(IDD_KTVP_IMAGE_EDIT, CWnd::FromHandle(parent)));
        dlg->ShowWindow(SW_SHOW);
        custtest::PumpTranslated();
        area = &dlg->m_wndLargeDrawArea;
        ASSERT_GT(area->m_sizeCellCx, 2);
        ASSERT_GT(area->m_sizeCellCy, 2);
    }
    void Command(UINT nID)
    {
        dlg->SendMessage(WM_COMMAND, nID, 0);
        custtest::PumpTranslated();
    }
    // The screen point at the centre of a cell; pixels outside the image give points beyond the grid.
    POINT CellPoint(int x, int y)
    {
        POINT pt{1 + x * area->m_sizeCellCx + area->m_sizeCellCx / 2, 1 + y * area->m_sizeCellCy + area->m_sizeCellCy / 2};
        ::ClientToScreen(area->GetSafeHwnd(), &pt);
        return pt;
    }
    void Drag(POINT from, POINT to)
    {
        tw::ProcessClock::Advance(::GetDoubleClickTime() + 1);
        input.MouseMove(from.x, from.y);
        input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
        input.MouseMove((from.x + to.x) / 2, (from.y + to.y) / 2);
        input.MouseMove(to.x, to.y);
        input.ButtonUp(tw::display::MouseButton::Left, to.x, to.y);
        custtest::PumpTranslated();
    }
    void DragCells(int x1, int y1, int x2, int y2) { Drag(CellPoint(x1, y1), CellPoint(x2, y2)); }
    void PutPictureOnClipboard(int cx, int cy, COLORREF color)
    {
        CClientDC dcScreen(nullptr);
        CBitmap picture;
        ASSERT_TRUE(picture.CreateCompatibleBitmap(&dcScreen, cx, cy));
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&picture);
        dc.FillSolidRect(0, 0, cx, cy, color);
        dc.SelectObject(pOld);
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        ::SetClipboardData(CF_BITMAP, picture.Detach());
        ::CloseClipboard();
    }
    static Pixels Box(int left, int top, int right, int bottom)
    {
        Pixels pixels;
        for (int x = left; x <= right; x++)
            for (int y = top; y <= bottom; y++)
                pixels.insert({x, y});
        return pixels;
    }
    static Pixels Frame(int left, int top, int right, int bottom)
    {
        Pixels pixels;
        for (int x = left; x <= right; x++) {
            pixels.insert({x, top});
            pixels.insert({x, bottom});
        }
        for (int y = top; y <= bottom; y++) {
            pixels.insert({left, y});
            pixels.insert({right, y});
        }
        return pixels;
    }

    CBitmap bitmap;
    CKtvPImageEditDlg* dlg = nullptr;
    CKtvPImagePaintArea* area = nullptr;
};

TEST_F(ButtonImageTest, EachToolPaintsItsPixels)
{
    struct Case {
        const char* name;
        UINT tool;
        int x1, y1, x2, y2;
        Pixels painted;
    } const cases[] = {
        {"pencil click", ID_KTVP_IMAGE_PENCIL, 2, 3, 2, 3, {{2, 3}}},
        {"pencil drag", ID_KTVP_IMAGE_PENCIL, 4, 4, 4, 4, {{4, 4}}},
        {"line", ID_KTVP_IMAGE_LINE, 0, 0, 4, 4, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}},
        {"line back", ID_KTVP_IMAGE_LINE, 4, 4, 0, 0, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}},
        {"rectangle", ID_KTVP_IMAGE_RECT, 2, 2, 5, 6, Frame(2, 2, 5, 6)},
        {"rectangle back", ID_KTVP_IMAGE_RECT, 5, 6, 2, 2, Frame(2, 2, 5, 6)},
        {"rectangle click", ID_KTVP_IMAGE_RECT, 7, 7, 7, 7, {{7, 7}}},
        {"ellipse click", ID_KTVP_IMAGE_ELLIPSE, 9, 3, 9, 3, {{9, 3}}},
        {"line click", ID_KTVP_IMAGE_LINE, 11, 12, 11, 12, {{11, 12}}},
        // Dragged beyond the grid: the edge pixels.
        {"pencil beyond the edge", ID_KTVP_IMAGE_PENCIL, 15, 7, 40, 7, {{15, 7}}},
        {"line beyond the edge", ID_KTVP_IMAGE_LINE, 10, 14, 10, 40, Box(10, 14, 10, 14)},
    };
    OpenDialog();
    dlg->OnPickColor(kRed);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(kWhite);
        Command(c.tool);
        DragCells(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(PixelsOf(kRed), c.painted);
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(ButtonImageTest, EllipseCoversTheSameCellsDraggedEitherWay)
{
    OpenDialog();
    dlg->OnPickColor(kRed);
    Command(ID_KTVP_IMAGE_ELLIPSE);
    DragCells(1, 1, 12, 10);
    const Pixels forward = PixelsOf(kRed);
    EXPECT_GT(forward.size(), 10u);
    EXPECT_TRUE(forward.count({1, 5}) || forward.count({1, 6})) << "reaches the left column";
    EXPECT_TRUE(forward.count({12, 5}) || forward.count({12, 6})) << "reaches the far column";
    Fill(kWhite);
    DragCells(12, 10, 1, 1);
    EXPECT_EQ(PixelsOf(kRed), forward);
}

TEST_F(ButtonImageTest, FloodFillStopsAtEveryOtherColour)
{
    for (int y = 0; y < kCy; y++)
        SetPixelOf(8, y, kBlue);
    SetPixelOf(3, 3, kGreen);
    OpenDialog();
    dlg->OnPickColor(kRed);
    Command(ID_KTVP_IMAGE_FILL);
    DragCells(1, 1, 1, 1);
    Pixels expected = Box(0, 0, 7, kCy - 1);
    expected.erase({3, 3});
    EXPECT_EQ(PixelsOf(kRed), expected);
    EXPECT_EQ(PixelsOf(kBlue), Box(8, 0, 8, kCy - 1));
    EXPECT_EQ(PixelAt(3, 3), kGreen);
    EXPECT_EQ(PixelAt(12, 5), kWhite);
}

TEST_F(ButtonImageTest, SelectColorPicksThePixelAndReturnsToThePencil)
{
    SetPixelOf(6, 2, kBlue);
    OpenDialog();
    Command(ID_KTVP_IMAGE_PICK_COLOR);
    EXPECT_EQ(area->GetMode(), CKtvPImagePaintArea::IMAGE_EDIT_MODE_COLOR);
    DragCells(6, 2, 6, 2);
    EXPECT_EQ(area->GetMode(), CKtvPImagePaintArea::IMAGE_EDIT_MODE_PEN);
    EXPECT_EQ(area->GetColor(), kBlue);
    EXPECT_EQ(dlg->m_wndColorBar.GetColor(), kBlue);
    // The pencil now paints in the picked colour.
    DragCells(0, 0, 0, 0);
    EXPECT_EQ(PixelAt(0, 0), kBlue);
}

TEST_F(ButtonImageTest, PastedPicturesAreCentredOrCutAndClearFillsWithTheButtonFace)
{
    OpenDialog();
    // Paste is offered only while the clipboard holds a picture.
    const int iPaste = dlg->m_wndPaletteBar.CommandToIndex(ID_KTVP_IMAGE_PASTE);
    ASSERT_GE(iPaste, 0);
    dlg->SendMessage(WM_KICKIDLE, 0, 0);
    EXPECT_TRUE(dlg->m_wndPaletteBar.GetButtonStyle(iPaste) & TBBS_DISABLED);

    PutPictureOnClipboard(8, 8, kGreen);
    dlg->SendMessage(WM_KICKIDLE, 0, 0);
    EXPECT_FALSE(dlg->m_wndPaletteBar.GetButtonStyle(iPaste) & TBBS_DISABLED);
    Command(ID_KTVP_IMAGE_PASTE);
    EXPECT_EQ(PixelsOf(kGreen), Box(4, 3, 11, 10));
    EXPECT_EQ(PixelAt(0, 0), globalData.clrBtnFace);

    PutPictureOnClipboard(32, 32, kBlue);
    Command(ID_KTVP_IMAGE_PASTE);
    EXPECT_EQ(PixelsOf(kBlue), Box(0, 0, kCx - 1, kCy - 1));

    Command(ID_KTVP_IMAGE_CLEAR);
    EXPECT_EQ(PixelsOf(globalData.clrBtnFace), Box(0, 0, kCx - 1, kCy - 1));

    // Copy puts the image on the clipboard as a picture of its size.
    SetPixelOf(1, 1, kRed);
    Command(ID_KTVP_IMAGE_COPY);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    const auto hCopied = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    BITMAP bmp{};
    ASSERT_NE(hCopied, nullptr);
    ::GetObject(hCopied, sizeof(bmp), &bmp);
    ::CloseClipboard();
    EXPECT_EQ(bmp.bmWidth, kCx);
    EXPECT_EQ(bmp.bmHeight, kCy);
}

TEST_F(ButtonImageTest, ToolButtonsShowTheCurrentTool)
{
    OpenDialog();
    Command(ID_KTVP_IMAGE_LINE);
    dlg->SendMessage(WM_KICKIDLE, 0, 0);
    const int iLine = dlg->m_wndPaletteBar.CommandToIndex(ID_KTVP_IMAGE_LINE);
    const int iPencil = dlg->m_wndPaletteBar.CommandToIndex(ID_KTVP_IMAGE_PENCIL);
    EXPECT_TRUE(dlg->m_wndPaletteBar.GetButtonStyle(iLine) & TBBS_CHECKED);
    EXPECT_FALSE(dlg->m_wndPaletteBar.GetButtonStyle(iPencil) & TBBS_CHECKED);
    // A click on the tool's button chooses it.
    CRect rect;
    dlg->m_wndPaletteBar.GetItemRect(iPencil, &rect);
    custtest::ClickTranslated(input, dlg->m_wndPaletteBar.GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
    EXPECT_EQ(area->GetMode(), CKtvPImagePaintArea::IMAGE_EDIT_MODE_PEN);
}

TEST_F(ButtonImageTest, Screenshot)
{
    SetPixelOf(2, 2, kBlue);
    OpenDialog();
    dlg->OnPickColor(kRed);
    Command(ID_KTVP_IMAGE_RECT);
    DragCells(4, 4, 11, 10);
    dlg->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    custtest::PumpTranslated();
    EXPECT_TRUE(custtest::SaveWindowShot(dlg, "edit-button-image.png"));
}

}  // namespace
