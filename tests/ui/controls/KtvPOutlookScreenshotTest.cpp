// Pictures for a person to look at, written next to the test program: an
// outlook bar of three list-box pages with the middle one active, the same
// page torn off into a floating frame, a sheet in its tree look shaped as the
// program's Options sheet, and a caption bar in a library MDI child. Each
// test also checks a few things of the picture that must hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/display/Display.h"
#include "platform/mfc/CListBox.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/ui/controls/KtvPOutlookBarFixture.h"
#include "ui/controls/KtvPCaptionBar.h"
#include "ui/controls/KtvPOutlookBarDockingPane.h"
#include "ui/controls/KtvPOutlookWnd.h"
#include "ui/controls/KtvPPropertySheet.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace {

std::string PictureShotPath(const char* name)
{
    return (std::filesystem::canonical("/proc/self/exe").parent_path() / name).string();
}

bool SavePictureOf(CWnd* pWnd, const char* name)
{
    CRect rect;
    pWnd->GetWindowRect(rect);
    return tw::display::Display::Instance().GetScreen().SavePng(PictureShotPath(name), &rect);
}

using OutlookScreenshotTest = tw::test::KtvOutlookBarFixture<CKtvPOutlookBar>;

TEST_F(OutlookScreenshotTest, ThreeListPagesThenOneTornOff)
{
    MakeListBar({"Queries", "Procedures", "Comments"}, FALSE, KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE, 4);
    wnd->SetActiveTab(1);
    frame->RecalcLayout();
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump();
    ASSERT_TRUE(SavePictureOf(frame, "outlook-pages.png"));
    // The middle page shows between the first page's button and the last one's.
    CRect rectList;
    lists[1]->GetWindowRect(rectList);
    CRect rectFirst, rectLast;
    wnd->GetTabRect(0, rectFirst);
    wnd->GetTabRect(2, rectLast);
    wnd->ClientToScreen(rectFirst);
    wnd->ClientToScreen(rectLast);
    EXPECT_TRUE(lists[1]->IsWindowVisible());
    EXPECT_LE(rectFirst.bottom, rectList.top);
    EXPECT_GE(rectLast.top, rectList.bottom);

    auto* pPane = dynamic_cast<CKtvPOutlookBarDockingPane*>(wnd->GetTabWnd(1));
    ASSERT_NE(nullptr, pPane);
    ASSERT_TRUE(wnd->DetachTab(KTVP_DM_DBL_CLICK, 1));
    Pump();
    CKtvPMiniFrameWnd* pMiniFrame = pPane->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, pMiniFrame);
    pMiniFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump();
    CRect rectShot, rectFloat;
    frame->GetWindowRect(rectShot);
    pMiniFrame->GetWindowRect(rectFloat);
    rectShot.UnionRect(rectShot, rectFloat);
    ASSERT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(PictureShotPath("outlook-torn-off.png"), &rectShot));
    EXPECT_EQ(2, wnd->GetTabsNum());
    EXPECT_TRUE(lists[1]->IsWindowVisible());
    EXPECT_TRUE(pMiniFrame->IsWindowVisible());
}

class SheetAndCaptionScreenshotTest : public tw::test::KtvControlTest {};

TEST_F(SheetAndCaptionScreenshotTest, AnOptionsShapedSheetInTreeLook)
{
    InitCommonControls();
    CKtvPPropertySheet sheet("Options");
    std::vector<std::unique_ptr<CKtvPPropertyPage>> pages;
    for (int i = 0; i < 2; i++)
        pages.push_back(std::make_unique<CKtvPPropertyPage>(IDD_KTVP_WINDOWS));
    sheet.SetLook(CKtvPPropertySheet::SHEETLOOK_TREE, 150);
    sheet.SetIconsList(131, 16);  // any 16-pixel strip of the resources stands in for the program's icons
    CKtvPPropSheetCategory* pEnvironment = sheet.AddTreeCategory("Environment", 0, 1);
    CKtvPPropSheetCategory* pEditor = sheet.AddTreeCategory("Script Editor", 2, 3);
    sheet.AddPageToTree(pEnvironment, pages[0].get(), 4, 5);
    sheet.AddPageToTree(pEditor, pages[1].get(), 6, 7);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    ASSERT_TRUE(sheet.Create(&host));
    sheet.ShowWindow(SW_SHOW);
    sheet.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    PumpFiltered();
    ASSERT_TRUE(SavePictureOf(&sheet, "options-sheet.png"));
    // The tree stands left of the page, the page is shown.
    CRect rectTree, rectPage;
    sheet.GetTree().GetWindowRect(rectTree);
    pages[0]->GetWindowRect(rectPage);
    EXPECT_TRUE(sheet.GetTree().IsWindowVisible());
    EXPECT_TRUE(pages[0]->IsWindowVisible());
    EXPECT_LE(rectTree.right, rectPage.left);
    sheet.DestroyWindow();
}

// A library MDI child whose caption bar shows a bitmap and a text.
TEST_F(SheetAndCaptionScreenshotTest, ACaptionBarInALibraryMDIChild)
{
    auto* pFrame = new CKtvPMDIFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 530, 380)));
    ASSERT_TRUE(pFrame->EnableDocking(CBRS_ALIGN_ANY));
    auto* pChild = new CKtvPMDIChildWnd;
    ASSERT_TRUE(pChild->Create(nullptr, "Query 1", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_OVERLAPPEDWINDOW,
                               CRect(10, 10, 410, 260), pFrame));
    pChild->InitialUpdateFrame(nullptr, TRUE);
    Pump();

    CKtvPCaptionBar caption;
    ASSERT_TRUE(caption.Create(0x54000000, pChild, 9201, -1));
    std::vector<DWORD> bits(16 * 16, 0x0000C000u);
    HBITMAP hbmp = ::CreateBitmap(16, 16, 1, 32, bits.data());
    caption.SetBitmap(hbmp, (COLORREF)-1, FALSE, CKtvPCaptionBar::ALIGN_LEFT);
    ::DeleteObject(hbmp);
    caption.SetText("Results of the last batch", CKtvPCaptionBar::ALIGN_LEFT);
    pChild->RecalcLayout();
    pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump();
    ASSERT_TRUE(SavePictureOf(pFrame, "caption-bar-mdi.png"));

    // The bar sits at the top of the child's client area and shows its bitmap.
    CRect rectBar, rectChildClient;
    caption.GetWindowRect(rectBar);
    pChild->GetClientRect(rectChildClient);
    pChild->ClientToScreen(rectChildClient);
    EXPECT_EQ(rectChildClient.top, rectBar.top);
    EXPECT_EQ(rectChildClient.Width(), rectBar.Width());
    const CPoint center = caption.GetImageRect().CenterPoint();
    EXPECT_EQ(RGB(0, 192, 0), ScreenPixel(caption.GetSafeHwnd(), center.x, center.y));
    caption.DestroyWindow();
    pFrame->DestroyWindow();
}

}  // namespace
