// The colour picker of the Colors dialog driven as its user drives it: the
// honeycomb and grey strip geometry and colours, the cell framed for a
// colour, the ramp and the field under the mouse (clamped at the edges) and
// the arrow keys, and what the parent is told.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/display/InputInjector.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPColorChooserCtrl.h"
#include "ui/frames/KtvPDrawManager.h"

namespace {

using tw::display::MouseButton;
using tw::test::KtvControlTest;

constexpr UINT kChooserId = 501;

class ColorChooserTest : public KtvControlTest {
protected:
    void TearDown() override
    {
        chooser.reset();
        KtvControlTest::TearDown();
    }

    CKtvPColorChooserCtrl& Make(int nType, int cx, int cy)
    {
        chooser = std::make_unique<CKtvPColorChooserCtrl>();
        chooser->SetType(nType);
        EXPECT_TRUE(chooser->Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 20 + cx, 20 + cy), &host, kChooserId));
        chooser->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        return *chooser;
    }
    HWND Hwnd() const { return chooser->GetSafeHwnd(); }

    // The notification codes the chooser sent its parent, in order.
    std::vector<WORD> Notices() const
    {
        std::vector<WORD> codes;
        for (const auto& m : Received(WM_COMMAND)) {
            if (LOWORD(m.wParam) == kChooserId && (HWND)m.lParam == Hwnd())
                codes.push_back(HIWORD(m.wParam));
        }
        return codes;
    }
    void Press(int x, int y, unsigned modifiers = 0)
    {
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        const POINT pt = ScreenPointOf(Hwnd(), x, y);
        input.SetModifiers(modifiers);
        input.ButtonDown(MouseButton::Left, pt.x, pt.y);
        Pump();
    }
    void MoveTo(int x, int y)
    {
        const POINT pt = ScreenPointOf(Hwnd(), x, y);
        input.MouseMove(pt.x, pt.y);
        Pump();
    }
    void Release(int x, int y)
    {
        const POINT pt = ScreenPointOf(Hwnd(), x, y);
        input.ButtonUp(MouseButton::Left, pt.x, pt.y);
        input.SetModifiers(0);
        Pump();
    }
    void Hls(double& hue, double& lum, double& sat) const { chooser->GetHLS(&hue, &lum, &sat); }

    std::unique_ptr<CKtvPColorChooserCtrl> chooser;
};

TEST(ColorChooserSnap, MovesChannelsNearTheKeyValues)
{
    struct {
        int value, threshold, expected;
    } cases[] = {
        {5, 0, 5},     {15, 16, 0},    {16, 16, 16},   {240, 16, 255}, {239, 16, 239},
        {120, 16, 128}, {112, 16, 112}, {180, 16, 192}, {200, 16, 192}, {195, 7, 192},
        {135, 7, 135}, {121, 7, 121},  {122, 7, 128},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CKtvPColorChooserCtrl::Snap(c.value, c.threshold)) << c.value << "/" << c.threshold;
}

TEST_F(ColorChooserTest, HoneycombGeometryFollowsTheControlSize)
{
    struct {
        int cx, cy;
        int size, centerX, centerY;
    } cases[] = {
        {215, 215, 17, 107, 107},
        {286, 174, 14, 143, 87},   // wider than high: the square is centred
        {120, 200, 10, 60, 100},   // higher than wide
    };
    for (const auto& c : cases) {
        CKtvPColorChooserCtrl& ctrl = Make(CKtvPColorChooserCtrl::CHOOSER_HEXAGON_PALETTE, c.cx, c.cy);
        ASSERT_EQ(127, ctrl.GetCellCount()) << c.cx << "x" << c.cy;
        const CColorCell* pCenter = ctrl.GetCell(0);
        EXPECT_EQ(c.size, pCenter->m_Size) << c.cx << "x" << c.cy;
        EXPECT_EQ(c.centerX, pCenter->m_X);
        EXPECT_EQ(c.centerY, pCenter->m_Y);
        EXPECT_EQ(RGB(255, 255, 255), pCenter->m_Color);
        // Each ring starts on the right of the centre, one cell further out.
        for (int r = 1, first = 1; r <= 6; first += 6 * r, r++) {
            EXPECT_EQ(c.centerX + r * c.size, ctrl.GetCell(first)->m_X) << "ring " << r;
            EXPECT_EQ(c.centerY, ctrl.GetCell(first)->m_Y) << "ring " << r;
        }
        // The hexagon has a point at the top and upright sides.
        const POINT* p = pCenter->m_Points;
        const int h = c.size / 2, d = (int)(c.size * 0.57735026) / 2;
        EXPECT_EQ(c.centerX - h, p[0].x);
        EXPECT_EQ(c.centerY - d, p[0].y);
        EXPECT_EQ(c.centerY - h, p[1].y);
        EXPECT_EQ(c.centerY + d, p[3].y);
        EXPECT_EQ(c.centerY + h, p[4].y);
    }
}

TEST_F(ColorChooserTest, HoneycombRingsDarkenOutwardWithSnappedHues)
{
    CKtvPColorChooserCtrl& ctrl = Make(CKtvPColorChooserCtrl::CHOOSER_HEXAGON_PALETTE, 215, 215);
    // The first cell of each ring lies at angle 0: red, darker ring by ring,
    // its channels snapped onto 0, 128 and 255 when near them.
    const COLORREF reds[] = {RGB(255, 233, 233), RGB(255, 160, 160), RGB(255, 87, 87),
                             RGB(255, 0, 0),     RGB(192, 0, 0),     RGB(128, 0, 0)};
    for (int r = 1, first = 1; r <= 6; first += 6 * r, r++)
        EXPECT_EQ(reds[r - 1], ctrl.GetCell(first)->m_Color) << "ring " << r;
    // Half way round the first ring the hue is cyan; the walk's steps are truncated.
    const CColorCell* pOpposite = ctrl.GetCell(1 + 3);
    EXPECT_EQ(107 - 16, pOpposite->m_X);
    EXPECT_EQ(107, pOpposite->m_Y);
    EXPECT_EQ(RGB(233, 255, 255), pOpposite->m_Color);
}

TEST_F(ColorChooserTest, GreyStripHasWhiteFifteenGreysAndBlack)
{
    struct {
        int cx, cy;
        int s;
    } cases[] = {
        {286, 42, 20},   // height decides: 42 / 2 - 2 = 19, raised to even
        {143, 60, 12},   // width decides: 143 / 13 = 11, raised to even
        {260, 48, 20},
    };
    const int greys[] = {240, 225, 210, 192, 180, 165, 150, 135, 120, 105, 90, 75, 60, 45, 30};
    for (const auto& c : cases) {
        CKtvPColorChooserCtrl& ctrl = Make(CKtvPColorChooserCtrl::CHOOSER_GREY_STRIP, c.cx, c.cy);
        ASSERT_EQ(17, ctrl.GetCellCount()) << c.cx << "x" << c.cy;
        const int s = c.s;
        const int x0 = (c.cx - 13 * s) / 2;
        const int cy = c.cy / 2;
        const int e = (int)(s * 0.57735026 * 1.5);
        const int y1 = cy - e / 2;

        EXPECT_EQ(RGB(255, 255, 255), ctrl.GetCell(0)->m_Color);
        EXPECT_EQ(2 * s, ctrl.GetCell(0)->m_Size);
        EXPECT_EQ(x0 + s, ctrl.GetCell(0)->m_X);
        EXPECT_EQ(cy, ctrl.GetCell(0)->m_Y);
        for (int k = 0; k < 15; k++) {
            const CColorCell* pCell = ctrl.GetCell(1 + k);
            EXPECT_EQ(RGB(greys[k], greys[k], greys[k]), pCell->m_Color) << k;
            EXPECT_EQ(s, pCell->m_Size);
            EXPECT_EQ(x0 + 3 * s + k * s / 2, pCell->m_X) << k;
            EXPECT_EQ(k % 2 == 0 ? y1 : y1 + e, pCell->m_Y) << k;
        }
        EXPECT_EQ(RGB(0, 0, 0), ctrl.GetCell(16)->m_Color);
        EXPECT_EQ(x0 + 12 * s - 1, ctrl.GetCell(16)->m_X);
    }
}

// A strip with one more cell that repeats a grey of the strip.
class RepeatedGreyChooser : public CKtvPColorChooserCtrl {
public:
    void AddRepeat(int nIndex, int x, int y)
    {
        const CColorCell* pCell = m_Cells[nIndex];
        m_Cells.Add(new CColorCell(x, y, pCell->m_Size, pCell->m_Color, pCell->m_DrawColor));
    }
};

TEST_F(ColorChooserTest, TheLaterOfTwoEqualCellsIsFramed)
{
    RepeatedGreyChooser ctrl;
    ctrl.SetType(CKtvPColorChooserCtrl::CHOOSER_GREY_STRIP);
    ASSERT_TRUE(ctrl.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 420, 80), &host, kChooserId));
    ctrl.UpdateWindow();
    ASSERT_EQ(17, ctrl.GetCellCount());
    ctrl.AddRepeat(4, 380, 30);
    ctrl.SetColor(ctrl.GetCell(4)->m_Color);
    ctrl.UpdateWindow();
    Pump();
    EXPECT_EQ(17, ctrl.FindSelectedCell());

    // The white frame runs inside the outline of a hexagon two pixels larger.
    auto framed = [&](const CColorCell* pCell) {
        const int h = (pCell->m_Size + 2) / 2;
        return ScreenPixel(ctrl.GetSafeHwnd(), pCell->m_X - h + 1, pCell->m_Y - 1) == RGB(255, 255, 255);
    };
    EXPECT_TRUE(framed(ctrl.GetCell(17)));
    EXPECT_FALSE(framed(ctrl.GetCell(4)));

    ctrl.SetColor(RGB(1, 2, 3));
    ctrl.UpdateWindow();
    EXPECT_EQ(-1, ctrl.FindSelectedCell());
    EXPECT_FALSE(framed(ctrl.GetCell(17)));
    ctrl.DestroyWindow();
}

TEST_F(ColorChooserTest, ClickingACellPicksItAndBetweenCellsNothing)
{
    CKtvPColorChooserCtrl& ctrl = Make(CKtvPColorChooserCtrl::CHOOSER_GREY_STRIP, 286, 42);
    const CColorCell* pGrey = ctrl.GetCell(5);
    Click(Hwnd(), pGrey->m_X, pGrey->m_Y);
    EXPECT_EQ(pGrey->m_Color, ctrl.GetColor());
    EXPECT_EQ(std::vector<WORD>{BN_CLICKED}, Notices());
    double hue = 0, lum = 0, sat = 0;
    Hls(hue, lum, sat);
    EXPECT_NEAR(180 / 255.0, lum, 1e-9);

    ClearReceived();
    Click(Hwnd(), 1, 1);  // the corner holds no cell
    EXPECT_EQ(pGrey->m_Color, ctrl.GetColor());
    EXPECT_TRUE(Notices().empty());

    ClearReceived();
    DoubleClick(Hwnd(), ctrl.GetCell(16)->m_X, ctrl.GetCell(16)->m_Y);
    EXPECT_EQ(RGB(0, 0, 0), ctrl.GetColor());
    EXPECT_EQ((std::vector<WORD>{BN_CLICKED, BN_DOUBLECLICKED}), Notices());
}

TEST_F(ColorChooserTest, FieldMapsHueAndSaturationAndClampsAtItsEdges)
{
    CKtvPColorChooserCtrl& ctrl = Make(CKtvPColorChooserCtrl::CHOOSER_SPECTRUM, 200, 100);
    ctrl.SetHLS(-1, 0.5, -1, TRUE);
    double hue = 0, lum = 0, sat = 0;

    Press(50, 25);
    Hls(hue, lum, sat);
    EXPECT_DOUBLE_EQ(0.25, hue);
    EXPECT_DOUBLE_EQ(0.75, sat);
    EXPECT_EQ(CKtvPDrawManager::HlsToRgb(0.25, 0.5, 0.75), ctrl.GetColor());
    EXPECT_EQ(CRect(41, 16, 60, 35), ctrl.GetMarkerRect());

    MoveTo(400, 300);  // dragged past the right and bottom edges
    Hls(hue, lum, sat);
    EXPECT_DOUBLE_EQ(1.0, hue);
    EXPECT_DOUBLE_EQ(0.0, sat);
    MoveTo(-40, -40);
    Hls(hue, lum, sat);
    EXPECT_DOUBLE_EQ(0.0, hue);
    EXPECT_DOUBLE_EQ(1.0, sat);
    Release(-40, -40);
    EXPECT_EQ(3u, Notices().size());

    // Ctrl keeps the hue, Shift the saturation.
    Press(100, 50, tw::display::ModControl);
    Release(100, 50);
    Hls(hue, lum, sat);
    EXPECT_DOUBLE_EQ(0.0, hue);
    EXPECT_DOUBLE_EQ(0.5, sat);
    Press(150, 90, tw::display::ModShift);
    Release(150, 90);
    Hls(hue, lum, sat);
    EXPECT_DOUBLE_EQ(0.75, hue);
    EXPECT_DOUBLE_EQ(0.5, sat);
    EXPECT_DOUBLE_EQ(0.5, lum);
}

TEST_F(ColorChooserTest, RampMapsRowsToLightnessInsideItsBand)
{
    CKtvPColorChooserCtrl& ctrl = Make(CKtvPColorChooserCtrl::CHOOSER_LUMINANCE_BAR, 24, 110);
    ctrl.SetHLS(0.0, -1, 1.0, TRUE);
    double hue = 0, lum = 0, sat = 0;
    // Rows 5 to 105 carry lightness 1 to 0.
    struct {
        int y;
        double lum;
    } cases[] = {{5, 1.0}, {105, 0.0}, {55, 0.5}, {30, 0.75}, {-20, 1.0}, {2, 1.0}, {108, 0.0}, {400, 0.0}};
    for (const auto& c : cases) {
        Press(5, 55);
        MoveTo(5, c.y);
        Release(5, c.y);
        Hls(hue, lum, sat);
        EXPECT_DOUBLE_EQ(c.lum, lum) << c.y;
        EXPECT_EQ(CKtvPDrawManager::HlsToRgb(0.0, c.lum, 1.0), ctrl.GetColor()) << c.y;
    }
    // The marker sits right of the ramp on the row of the lightness.
    ctrl.SetHLS(-1, 0.5, -1, TRUE);
    EXPECT_EQ(CRect(22, 51, 31, 60), ctrl.GetMarkerRect());
}

TEST_F(ColorChooserTest, ArrowKeysStepAndStopAtTheLimitsSilently)
{
    CKtvPColorChooserCtrl& field = Make(CKtvPColorChooserCtrl::CHOOSER_SPECTRUM, 200, 100);
    field.SetHLS(0.95, 0.5, 0.05, FALSE);
    field.SetFocus();
    double hue = 0, lum = 0, sat = 0;

    struct {
        UINT vk;
        double hue, sat;
        bool told;
    } steps[] = {
        {VK_RIGHT, 1.0, 0.05, true},  {VK_RIGHT, 1.0, 0.05, false}, {VK_DOWN, 1.0, 0.0, true},
        {VK_DOWN, 1.0, 0.0, false},   {VK_LEFT, 0.95, 0.0, true},   {VK_UP, 0.95, 0.05, true},
    };
    for (const auto& step : steps) {
        ClearReceived();
        KeyFiltered(step.vk);
        Hls(hue, lum, sat);
        EXPECT_NEAR(step.hue, hue, 1e-12) << step.vk;
        EXPECT_NEAR(step.sat, sat, 1e-12) << step.vk;
        EXPECT_EQ(step.told, !Notices().empty()) << step.vk;
    }
    EXPECT_EQ(CKtvPDrawManager::HlsToRgb(hue, lum, sat), field.GetColor());

    CKtvPColorChooserCtrl& ramp = Make(CKtvPColorChooserCtrl::CHOOSER_LUMINANCE_BAR, 24, 110);
    ramp.SetHLS(0.3, 0.97, 0.6, FALSE);
    ramp.SetFocus();
    KeyFiltered(VK_UP);
    KeyFiltered(VK_UP);
    ramp.GetHLS(&hue, &lum, &sat);
    EXPECT_DOUBLE_EQ(1.0, lum);
    KeyFiltered(VK_DOWN);
    KeyFiltered(VK_LEFT);  // not the ramp's key
    ramp.GetHLS(&hue, &lum, &sat);
    EXPECT_NEAR(0.95, lum, 1e-12);
    EXPECT_DOUBLE_EQ(0.3, hue);
}

TEST_F(ColorChooserTest, PreviewShowsBothColoursAndReportsEveryMoveWhileHeld)
{
    CKtvPColorChooserCtrl& preview = Make(CKtvPColorChooserCtrl::CHOOSER_PREVIEW, 60, 60);
    preview.SetInitialColor(RGB(0, 0, 255));
    preview.SetColor(RGB(255, 0, 0));
    preview.UpdateWindow();
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(Hwnd(), 30, 10));
    EXPECT_EQ(RGB(0, 0, 255), ScreenPixel(Hwnd(), 30, 50));

    Press(10, 10);
    MoveTo(20, 20);
    MoveTo(30, 30);
    Release(30, 30);
    EXPECT_EQ((std::vector<WORD>{BN_CLICKED, BN_CLICKED, BN_CLICKED}), Notices());
    EXPECT_EQ(RGB(255, 0, 0), preview.GetColor());
}

TEST_F(ColorChooserTest, SetHlsKeepsTheComponentsGivenAsMinusOne)
{
    CKtvPColorChooserCtrl& ctrl = Make(CKtvPColorChooserCtrl::CHOOSER_SPECTRUM, 100, 100);
    ctrl.SetHLS(0.6, 0.3, 0.8, FALSE);
    ctrl.SetHLS(-1, 0.7, -1, FALSE);
    double hue = 0, lum = 0, sat = 0;
    Hls(hue, lum, sat);
    EXPECT_DOUBLE_EQ(0.6, hue);
    EXPECT_DOUBLE_EQ(0.7, lum);
    EXPECT_DOUBLE_EQ(0.8, sat);
    EXPECT_EQ(CKtvPDrawManager::HlsToRgb(0.6, 0.7, 0.8), ctrl.GetColor());
    EXPECT_TRUE(Notices().empty());
}

}  // namespace
