// Pictures for a person to look at, next to the test program: the session
// grid with a selected row, its description and an open drop-down, in custom
// colours and in the net look (prop-grid-screenshot.png), and a caption bar
// with a bitmap and a text over a child window (caption-bar-screenshot.png).
// The test checks a few pixels that must hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CComboBox.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPCaptionBar.h"
#include "ui/controls/KtvPPropList.h"

namespace {

std::string PictureNextToProgram(const char* name)
{
    return (std::filesystem::canonical("/proc/self/exe").parent_path() / name).string();
}

VARIANT SwitchValue(bool b)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

class GridScreenshot : public tw::test::KtvControlTest {};

TEST_F(GridScreenshot, SessionGridInCustomColoursAndNetLook)
{
    CKtvPPropList grids[2];
    for (int i = 0; i < 2; ++i) {
        CKtvPPropList& grid = grids[i];
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(8 + i * 244, 10, 244 + i * 244, 330),
                                &host, 100 + i));
        auto* query = new CKtvPProp(_T("Query Execution"));
        for (const char* name : {"Arithabort", "Nocount", "Noexec", "ParseOnly"})
            query->AddSubItem(new CKtvPProp(name, SwitchValue(std::string(name) == "Arithabort"),
                                            _T("Terminates a query when an overflow or divide-by-zero error occurs.")));
        VARIANT rows;
        VariantInit(&rows);
        rows.vt = VT_I4;
        rows.lVal = 99;
        auto* rowCount = new CKtvPProp(_T("RowCount"), rows, _T("Stops after that many rows."));
        rowCount->EnableSpinControl(TRUE, 0, 32765);
        query->AddSubItem(rowCount);
        auto* ansi = new CKtvPProp(_T("SQL-92 Standard"));
        for (const char* name : {"ANSI_Defaults", "ANSI_Nulls", "Quoted_Identifier"})
            ansi->AddSubItem(new CKtvPProp(name, SwitchValue(true), _T("help")));
        grid.AddProperty(query);
        grid.AddProperty(ansi);
        grid.EnableHeaderCtrl(FALSE);
        grid.EnableDescriptionArea();
        grid.SetCustomColors(RGB(228, 243, 254), RGB(0, 0, 0), RGB(200, 236, 209), RGB(33, 102, 49),
                             RGB(255, 229, 216), RGB(128, 0, 0), RGB(159, 159, 255));
        grid.SetNetLook(i == 1);
        grid.SetFocus();
        grid.SelectItem(query->GetSubItem(0));
    }
    // The first grid shows its selected row's list open.
    CKtvPProp* selected = grids[0].GetCurSel();
    ASSERT_TRUE(grids[0].EditItem(selected));
    selected->OnButtonClick(CPoint(-1, -1));
    host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    ASSERT_NE(nullptr, selected->GetCombo());
    EXPECT_TRUE(selected->GetCombo()->GetDroppedState());

    CRect rectWindow;
    host.GetWindowRect(rectWindow);
    ASSERT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(PictureNextToProgram("prop-grid-screenshot.png"),
                                                                       &rectWindow));
    // The value side of an unselected row is in the custom background.
    CKtvPProp* nocount = grids[1].GetProperty(0)->GetSubItem(1);
    const CPoint pt(grids[1].GetListRect().right - 5, nocount->GetRect().CenterPoint().y + 2);
    EXPECT_EQ(RGB(228, 243, 254), ScreenPixel(grids[1].GetSafeHwnd(), pt.x, pt.y));
    grids[0].EndEditItem(FALSE);
}

TEST_F(GridScreenshot, CaptionBarWithBitmapAndText)
{
    CKtvPCaptionBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, &host, 9201, -1));
    std::vector<DWORD> bits(24 * 24, 0x00C04000);
    HBITMAP hbmp = ::CreateBitmap(24, 24, 1, 32, bits.data());
    bar.SetBitmap(hbmp, (COLORREF)-1, FALSE, CKtvPCaptionBar::ALIGN_LEFT);
    ::DeleteObject(hbmp);
    bar.SetText(_T("Object browser: double-click an object to script it"), CKtvPCaptionBar::ALIGN_LEFT);
    bar.m_clrBarBackground = RGB(255, 255, 225);
    bar.m_clrBarText = RGB(0, 0, 128);
    const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
    bar.SetWindowPos(nullptr, 0, 0, 500, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    CRect rectBar;
    bar.GetWindowRect(rectBar);
    ASSERT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(PictureNextToProgram("caption-bar-screenshot.png"),
                                                                       &rectBar));
    const CPoint image = bar.GetImageRect().CenterPoint();
    EXPECT_EQ(RGB(0xC0, 0x40, 0), ScreenPixel(bar.GetSafeHwnd(), image.x, image.y));
    EXPECT_EQ(RGB(255, 255, 225), ScreenPixel(bar.GetSafeHwnd(), bar.GetTextRect().right + 20, 2));
    bar.DestroyWindow();
}

}  // namespace
