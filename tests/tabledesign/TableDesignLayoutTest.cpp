// The designer page's layout: the 25-pixel toolbar band and the splitter
// below it, with the list view above and the detail view below.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/tabledesign/TableDesignFixture.h"

namespace tw::test {
namespace {

struct PageSize {
    int width;
    int height;
};

TEST_F(TableDesignTest, ThePageKeepsTheBandAndSplitsTheRestInHalves)
{
    CTableDesignColumn* page = ColumnsPage(Open("dbo.Products"));
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(page->m_bPanesCreated);
    const PageSize sizes[] = {{400, 300}, {320, 27}, {300, 26}, {300, 25}, {200, 10}, {500, 601}};
    for (const PageSize& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        page->MoveWindow(0, 0, size.width, size.height, TRUE);
        CRect client;
        page->GetClientRect(client);
        CRect splitter;
        page->m_wndSplitter.GetWindowRect(splitter);
        page->ScreenToClient(splitter);
        const int expected = std::max(0, client.Height() - CTableDesignPage::kToolBarBand);
        EXPECT_EQ(splitter.top, client.top + CTableDesignPage::kToolBarBand);
        EXPECT_EQ(splitter.left, client.left);
        EXPECT_EQ(splitter.Width(), client.Width());
        EXPECT_EQ(splitter.Height(), expected);

        CRect bar;
        page->m_wndToolBar.GetWindowRect(bar);
        page->ScreenToClient(bar);
        EXPECT_EQ(bar.top, client.top);
        EXPECT_LE(bar.bottom, client.top + CTableDesignPage::kToolBarBand);
    }
}

TEST_F(TableDesignTest, TheToolbarCommandsOfTheColumnsPage)
{
    CTableDesignColumn* page = ColumnsPage(Open("dbo.Products"));
    ASSERT_NE(page, nullptr);
    CKtvPToolBar& bar = page->m_wndToolBar;
    const UINT expected[] = {32782, 32781, 32783, 32784, 32785, 32780, 32827, 32828};
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        if (bar.GetButton(i)->m_nID != 0)
            ids.push_back(bar.GetButton(i)->m_nID);
    EXPECT_EQ(ids, std::vector<UINT>(std::begin(expected), std::end(expected)));

    // The idle update disables the buttons the page does not handle.
    page->SendMessage(WM_KICKIDLE);
    for (int i = 0; i < bar.GetCount(); ++i) {
        const UINT id = bar.GetButton(i)->m_nID;
        if (id == 0)
            continue;
        const bool handled = id == 32782 || id == 32781 || id == 32783 || id == 32780;
        EXPECT_EQ((bar.GetButtonStyle(i) & TBBS_DISABLED) == 0, handled) << id;
    }
}

}  // namespace
}  // namespace tw::test
