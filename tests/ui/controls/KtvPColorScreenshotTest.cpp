// Pictures of the colour pickers for a person to look at: a dialog-like
// window whose colour button has its popup open, and the Colors dialog on
// each of its pages. They go next to the test program; the tests check a few
// pixels that must hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/afxmsg.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPColorButton.h"
#include "ui/controls/KtvPColorDialog.h"

namespace {

using tw::test::KtvControlTest;

std::string PicturePath(const char* name)
{
    return (std::filesystem::canonical("/proc/self/exe").parent_path() / name).string();
}

class ShownColorDialog : public CKtvPColorDialog {
public:
    ShownColorDialog(COLORREF color, CWnd* pParent) : CKtvPColorDialog(color, pParent) {}
    std::function<void(ShownColorDialog&)> onIdle;

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM lCount)
    {
        if (lCount == 0 && onIdle) {
            auto step = std::move(onIdle);
            onIdle = nullptr;
            step(*this);
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ShownColorDialog, CKtvPColorDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

class ColorScreenshot : public KtvControlTest {
protected:
    void TearDown() override
    {
        windows.clear();
        KtvControlTest::TearDown();
    }
    template <class T>
    T* Keep(std::unique_ptr<T> p)
    {
        T* raw = p.get();
        windows.push_back(std::move(p));
        return raw;
    }
    void Label(const char* text, const CRect& rect)
    {
        Keep(std::make_unique<CStatic>())->Create(text, WS_CHILD | WS_VISIBLE, rect, &host, 0xFFFF);
    }
    std::vector<std::unique_ptr<CWnd>> windows;
};

TEST_F(ColorScreenshot, ColourButtonWithItsPopupOpen)
{
    host.SetWindowPos(nullptr, 10, 10, 420, 320, SWP_NOZORDER);
    Label("Foreground:", CRect(16, 20, 110, 40));
    auto* pText = Keep(std::make_unique<CKtvPColorButton>());
    ASSERT_TRUE(pText->Create("", WS_CHILD | WS_VISIBLE, CRect(120, 16, 250, 40), &host, 701));
    pText->EnableAutomaticButton("Automatic", RGB(0, 0, 0));
    pText->EnableOtherButton("Other...");
    pText->m_Columns = 9;
    pText->SetColor((COLORREF)-1);

    Label("Background:", CRect(16, 250, 110, 270));
    auto* pBack = Keep(std::make_unique<CKtvPColorButton>());
    ASSERT_TRUE(pBack->Create("", WS_CHILD | WS_VISIBLE, CRect(120, 246, 250, 270), &host, 702));
    pBack->EnableOtherButton("Other...");
    pBack->SetColor(RGB(255, 251, 240));

    host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Click(pText->GetSafeHwnd(), 10, 10);
    ASSERT_NE(nullptr, pText->GetPopup());
    CKtvPColorBar& bar = pText->GetPopup()->m_wndColorBar;
    pText->GetPopup()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();

    CRect rectHost, rectPopup;
    host.GetWindowRect(rectHost);
    pText->GetPopup()->GetWindowRect(rectPopup);
    CRect rectShot;
    rectShot.UnionRect(rectHost, rectPopup);
    ASSERT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(PicturePath("colour-popup-screenshot.png"),
                                                                       &rectShot));

    // Pure red is the 14th palette cell (after the automatic entry); its centre shows it.
    const CPoint ptRed = bar.GetButton(1 + 13)->m_rect.CenterPoint();
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(bar.GetSafeHwnd(), ptRed.x, ptRed.y));
    // The background button shows its colour left of the arrow.
    EXPECT_EQ(RGB(255, 251, 240), ScreenPixel(pBack->GetSafeHwnd(), 30, 12));
}

TEST_F(ColorScreenshot, ColorsDialogOnBothPages)
{
    struct {
        int page;
        const char* file;
    } shots[] = {{0, "colors-dialog-standard.png"}, {1, "colors-dialog-custom.png"}};
    for (const auto& shot : shots) {
        ShownColorDialog dlg(RGB(0, 128, 192), &host);
        dlg.onIdle = [&](ShownColorDialog& d) {
            d.m_Sheet->SetActivePage(shot.page);
            if (shot.page == 0)
                d.SetNewColor(RGB(255, 0, 0));
            d.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            CRect rect;
            d.GetWindowRect(rect);
            EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(PicturePath(shot.file), &rect));

            CRect rectPreview;
            d.m_Preview.GetClientRect(rectPreview);
            EXPECT_EQ(RGB(0, 128, 192),
                      ScreenPixel(d.m_Preview.GetSafeHwnd(), rectPreview.Width() / 2, rectPreview.Height() * 3 / 4));
            if (shot.page == 1) {
                CString text;
                d.m_CustomPage->GetDlgItemText(IDC_KTVP_COLOR_BLUE, text);
                EXPECT_EQ("192", std::string(text));
            }
            d.EndDialog(IDCANCEL);
        };
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
}

}  // namespace
