// The header band of a dialog: its height rule, the dialog growing under it
// with every control moved down, and what it paints.
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "session/DialogBanner.h"
#include "session/LogonIds.h"
#include "tests/session/LogonTestSupport.h"

namespace {

class BannerTest : public logontest::LogonTest {
protected:
    void SetUp() override
    {
        LogonTest::SetUp();
        ASSERT_TRUE(host.Create(IDD_TW_SERVER_LIST, nullptr));
        host.ShowWindow(SW_SHOW);
        host.GetWindowRect(before);
        ::GetWindowRect(::GetDlgItem(host.m_hWnd, IDOK), okBefore);
        host.ScreenToClient(okBefore);
    }
    void TearDown() override
    {
        if (host.m_hWnd)
            host.DestroyWindow();
        LogonTest::TearDown();
    }
    void Place(CDialogBanner& banner)
    {
        banner.CreateInDialog(&host);
        banner.MoveSiblingsDown(&host);
        Pump();
    }

    CDialog host;
    CRect before;
    CRect okBefore;
};

TEST_F(BannerTest, BandIsAsHighAsItsIconAndLinesNeed)
{
    struct Case {
        const char* name;
        bool icon;
        int requested;
        int titleHeight;
        int expected;
    };
    const int icon = ::GetSystemMetrics(SM_CYICON);
    const Case cases[] = {
        {"default with an icon", true, 30, 15, icon + 11},
        {"default without an icon", false, 30, 15, icon + 11},
        {"tall title", false, 30, 40, 1 + 13 + 10 + 40 + 2},
        {"tall request", true, 90, 15, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDialogBanner banner;
        banner.m_nTitleHeight = c.titleHeight;
        if (c.icon)
            banner.SetIcon(::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_TW_LOGON_BANNER)));
        banner.SetBandHeight(c.requested);
        EXPECT_EQ(c.expected, banner.GetBandHeight());
    }
    EXPECT_EQ(43, icon + 11) << "a 32-pixel icon makes a 43-pixel band";
}

TEST_F(BannerTest, DialogGrowsAndEveryControlMovesBelowTheBand)
{
    CDialogBanner banner;
    banner.SetTitle("Connect to SQL Server");
    Place(banner);
    const int band = banner.GetBandHeight();
    CRect after;
    host.GetWindowRect(after);
    EXPECT_EQ(before.Height() + band, after.Height());
    EXPECT_EQ(before.Width(), after.Width());
    EXPECT_EQ(before.TopLeft(), after.TopLeft());

    CRect bandRect;
    banner.GetWindowRect(bandRect);
    host.ScreenToClient(bandRect);
    EXPECT_EQ(CRect(0, 0, before.Width(), band), bandRect);
    CRect okAfter;
    ::GetWindowRect(::GetDlgItem(host.m_hWnd, IDOK), okAfter);
    host.ScreenToClient(okAfter);
    EXPECT_EQ(okBefore.top + band, okAfter.top);
    EXPECT_EQ(okBefore.left, okAfter.left);
    EXPECT_EQ(okBefore.Size(), okAfter.Size());
}

TEST_F(BannerTest, PaintsBackgroundLowerEdgeAndTextAfterTheIconPlace)
{
    CDialogBanner banner;
    banner.SetTitle("WWWWWWWW");
    banner.SetDescription("A description long enough to need a second line in a band as narrow as this dialog's "
                          "band is, so it wraps onto the next line below the first one");
    banner.SetBackColor(RGB(192, 187, 255));
    banner.SetBandHeight(80);
    Place(banner);
    const HWND hBand = banner.m_hWnd;
    CRect client;
    banner.GetClientRect(client);
    EXPECT_EQ(RGB(192, 187, 255), ScreenPixel(hBand, 2, 2));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), ScreenPixel(hBand, client.Width() / 2, client.bottom - 1));

    // No icon: the title still starts after the icon's place.
    const int textLeft = banner.m_nMargin + banner.m_nTextIndent + banner.m_nIconWidth;
    auto inked = [&](int x0, int x1, int y0, int y1) {
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++)
                if (ScreenPixel(hBand, x, y) != RGB(192, 187, 255))
                    return true;
        return false;
    };
    const int titleTop = banner.m_nMargin;
    const int titleBottom = titleTop + banner.m_nTitleHeight;
    EXPECT_FALSE(inked(1, textLeft, titleTop, titleBottom));
    EXPECT_TRUE(inked(textLeft, textLeft + 40, titleTop, titleBottom));
    // The description wraps: ink on its second line too.
    const int secondLine = titleBottom + banner.m_nDescHeight + 2;
    EXPECT_TRUE(inked(textLeft, client.right - 10, secondLine, secondLine + banner.m_nDescHeight - 2));

    // A change after creation shows at once, before any message is pumped.
    banner.SetBackColor(RGB(255, 255, 0));
    EXPECT_EQ(RGB(255, 255, 0), ScreenPixel(hBand, 2, 2));
}

}  // namespace
