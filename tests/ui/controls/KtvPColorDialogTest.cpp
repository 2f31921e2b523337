// The library's Colors dialog run modally and used as its user uses it: the
// state it opens in for a colour, values typed on the Custom page moving the
// frames of the Standard page, the pages' own field writes changing nothing,
// a double-click ending it with OK, and Cancel.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/mfc/afxmsg.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPColorDialog.h"
#include "ui/frames/KtvPDrawManager.h"

namespace {

using tw::test::KtvControlTest;

class ScriptedColorDialog : public CKtvPColorDialog {
public:
    ScriptedColorDialog(COLORREF color, CWnd* pParent) : CKtvPColorDialog(color, pParent) {}

    std::vector<std::function<void(ScriptedColorDialog&)>> steps;

    CColorPage2& Custom()
    {
        m_Sheet->SetActivePage(1);
        Paint();
        return *m_CustomPage;
    }
    CColorPage1& Standard()
    {
        m_Sheet->SetActivePage(0);
        Paint();
        return *m_StandardPage;
    }
    std::string Field(int nID) const
    {
        CString text;
        m_CustomPage->GetDlgItemText(nID, text);
        return (LPCTSTR)text;
    }
    void Type(int nID, const char* text) { m_CustomPage->GetDlgItem(nID)->SetWindowText(text); }
    // The six values as the Custom page shows them: R, G, B, hue, saturation, lightness.
    std::vector<std::string> Fields() const
    {
        return {Field(IDC_KTVP_COLOR_RED), Field(IDC_KTVP_COLOR_GREEN), Field(IDC_KTVP_COLOR_BLUE),
                Field(IDC_KTVP_COLOR_HUE), Field(IDC_KTVP_COLOR_SAT),   Field(IDC_KTVP_COLOR_LUM)};
    }
    // Everything painted, as it is once the dialog has been idle.
    void Paint() { RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }
    void Press(int nID)
    {
        SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(m_hWnd, nID));
    }

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM lCount)
    {
        if (lCount == 0 && next_ < steps.size())
            steps[next_++](*this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    size_t next_ = 0;
};

BEGIN_MESSAGE_MAP(ScriptedColorDialog, CKtvPColorDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

class ColorDialogTest : public KtvControlTest {
protected:
    // The preview's upper (new) and lower (current) halves.
    COLORREF NewShown(ScriptedColorDialog& d)
    {
        CRect rect;
        d.m_Preview.GetClientRect(rect);
        return ScreenPixel(d.m_Preview.GetSafeHwnd(), rect.Width() / 2, rect.Height() / 4);
    }
    COLORREF CurrentShown(ScriptedColorDialog& d)
    {
        CRect rect;
        d.m_Preview.GetClientRect(rect);
        return ScreenPixel(d.m_Preview.GetSafeHwnd(), rect.Width() / 2, rect.Height() * 3 / 4);
    }
    static void ClickCell(ColorDialogTest* test, CKtvPColorChooserCtrl& ctrl, int nCell, bool twice = false)
    {
        const CColorCell* pCell = ctrl.GetCell(nCell);
        if (twice)
            test->DoubleClick(ctrl.GetSafeHwnd(), pCell->m_X, pCell->m_Y);
        else
            test->Click(ctrl.GetSafeHwnd(), pCell->m_X, pCell->m_Y);
    }
};

constexpr int kRing4Red = 1 + 6 + 12 + 18;      // first cell of ring 4: pure red
constexpr int kRing6Red = 1 + 6 + 12 + 18 + 24 + 30;  // first cell of ring 6: RGB(128, 0, 0)

TEST_F(ColorDialogTest, OpensShowingTheColourOnBothPagesAndThePreview)
{
    struct {
        COLORREF color;
        int hexagon;  // the honeycomb cell framed, -1 none
        int grey;     // the strip cell framed, -1 none
        std::vector<std::string> fields;
    } cases[] = {
        {RGB(255, 255, 255), 0, 0, {"255", "255", "255", "0", "0", "255"}},
        {RGB(0, 0, 0), -1, 16, {"0", "0", "0", "0", "0", "0"}},
        {RGB(255, 0, 0), kRing4Red, -1, {"255", "0", "0", "0", "255", "128"}},
        {RGB(180, 180, 180), -1, 5, {"180", "180", "180", "0", "0", "180"}},
    };
    for (const auto& c : cases) {
        ScriptedColorDialog dlg(c.color, &host);
        dlg.steps.push_back([&](ScriptedColorDialog& d) {
            d.Paint();
            EXPECT_EQ(c.color, NewShown(d));
            EXPECT_EQ(c.color, CurrentShown(d));
            EXPECT_EQ(c.hexagon, d.m_StandardPage->m_Hexagons.FindSelectedCell());
            EXPECT_EQ(c.grey, d.m_StandardPage->m_Greys.FindSelectedCell());
            d.Custom();
            EXPECT_EQ(c.fields, d.Fields());
            EXPECT_EQ(c.color, d.GetColor());
            d.Press(IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(c.color, dlg.GetColor());
    }
}

TEST_F(ColorDialogTest, TypedValuesMoveTheFramesOfTheStandardPage)
{
    ScriptedColorDialog dlg(RGB(0, 0, 0), &host);
    dlg.steps.push_back([&](ScriptedColorDialog& d) {
        d.Paint();
        d.Custom();
        d.Type(IDC_KTVP_COLOR_RED, "128");
        EXPECT_EQ(RGB(128, 0, 0), d.GetColor());
        EXPECT_EQ(RGB(128, 0, 0), NewShown(d));
        EXPECT_EQ(RGB(0, 0, 0), CurrentShown(d));
        EXPECT_EQ((std::vector<std::string>{"128", "0", "0", "0", "255", "64"}), d.Fields());
        EXPECT_EQ(kRing6Red, d.m_StandardPage->m_Hexagons.FindSelectedCell());
        EXPECT_EQ(-1, d.m_StandardPage->m_Greys.FindSelectedCell());

        d.Type(IDC_KTVP_COLOR_GREEN, "200");
        EXPECT_EQ(RGB(128, 200, 0), d.GetColor());
        EXPECT_EQ(-1, d.m_StandardPage->m_Hexagons.FindSelectedCell());

        // A grey typed by its components is exactly grey.
        d.Type(IDC_KTVP_COLOR_SAT, "0");
        d.Type(IDC_KTVP_COLOR_LUM, "255");
        EXPECT_EQ(RGB(255, 255, 255), d.GetColor());
        const std::vector<std::string> fields = d.Fields();
        EXPECT_EQ((std::vector<std::string>{"255", "255", "255"}),
                  std::vector<std::string>(fields.begin(), fields.begin() + 3));
        EXPECT_EQ(0, d.m_StandardPage->m_Hexagons.FindSelectedCell());
        EXPECT_EQ(0, d.m_StandardPage->m_Greys.FindSelectedCell());
        d.Type(IDC_KTVP_COLOR_LUM, "0");
        EXPECT_EQ(RGB(0, 0, 0), d.GetColor());
        EXPECT_EQ(16, d.m_StandardPage->m_Greys.FindSelectedCell());

        d.Press(IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(RGB(0, 0, 0), dlg.GetColor());
}

TEST_F(ColorDialogTest, PagesWritingTheirOwnFieldsChangeNothing)
{
    ScriptedColorDialog dlg(RGB(0, 0, 255), &host);
    dlg.steps.push_back([&](ScriptedColorDialog& d) {
        d.Paint();
        d.Custom();
        d.Standard();
        ClickCell(this, d.m_StandardPage->m_Hexagons, kRing6Red);
        EXPECT_EQ(RGB(128, 0, 0), d.GetColor());
        EXPECT_EQ(-1, d.m_StandardPage->m_Greys.FindSelectedCell());
        // Showing the Custom page again writes all six fields.
        d.Custom();
        EXPECT_EQ((std::vector<std::string>{"128", "0", "0", "0", "255", "64"}), d.Fields());
        EXPECT_EQ(RGB(128, 0, 0), d.GetColor());
        EXPECT_EQ(kRing6Red, d.m_StandardPage->m_Hexagons.FindSelectedCell());

        d.Standard();
        ClickCell(this, d.m_StandardPage->m_Greys, 3);
        EXPECT_EQ(RGB(210, 210, 210), d.GetColor());
        EXPECT_EQ(3, d.m_StandardPage->m_Greys.FindSelectedCell());
        EXPECT_EQ(-1, d.m_StandardPage->m_Hexagons.FindSelectedCell());
        d.Custom();
        EXPECT_EQ((std::vector<std::string>{"210", "210", "210", "0", "0", "210"}), d.Fields());
        EXPECT_EQ(RGB(210, 210, 210), d.GetColor());
        d.Press(IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(RGB(210, 210, 210), dlg.GetColor());
}

TEST_F(ColorDialogTest, TheFieldPicksWithTheRampsLightness)
{
    ScriptedColorDialog dlg(RGB(0, 0, 0), &host);
    dlg.steps.push_back([&](ScriptedColorDialog& d) {
        CColorPage2& page = d.Custom();
        CRect rectRamp;
        page.m_LumBar.GetClientRect(rectRamp);
        Click(page.m_LumBar.GetSafeHwnd(), 3, 5);  // the top of the band: white
        double hue = 0, lum = 0, sat = 0;
        page.m_Spectrum.GetHLS(&hue, &lum, &sat);
        EXPECT_DOUBLE_EQ(1.0, lum);
        EXPECT_EQ("255", d.Field(IDC_KTVP_COLOR_LUM));

        Click(page.m_LumBar.GetSafeHwnd(), 3, (5 + rectRamp.bottom - 5) / 2);
        page.m_LumBar.GetHLS(&hue, &lum, &sat);
        const double lumRamp = lum;
        CRect rectField;
        page.m_Spectrum.GetClientRect(rectField);
        Click(page.m_Spectrum.GetSafeHwnd(), rectField.Width() / 3, 0);
        page.m_Spectrum.GetHLS(&hue, &lum, &sat);
        EXPECT_DOUBLE_EQ(lumRamp, lum);
        EXPECT_DOUBLE_EQ(1.0, sat);
        const COLORREF expected = CKtvPDrawManager::HlsToRgb(hue, lumRamp, 1.0);
        EXPECT_EQ(expected, d.GetColor());
        EXPECT_EQ(std::to_string(GetGValue(expected)), d.Field(IDC_KTVP_COLOR_GREEN));
        // The ramp now shows the field's hue and saturation.
        double hueRamp = 0, satRamp = 0;
        page.m_LumBar.GetHLS(&hueRamp, &lum, &satRamp);
        EXPECT_DOUBLE_EQ(hue, hueRamp);
        EXPECT_DOUBLE_EQ(1.0, satRamp);
        d.Press(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST_F(ColorDialogTest, DoubleClickingAColourEndsWithOk)
{
    struct {
        int page;  // 0 honeycomb, 1 grey strip, 2 field
        COLORREF expected;
    } cases[] = {{0, RGB(128, 0, 0)}, {1, RGB(0, 0, 0)}, {2, (COLORREF)-1}};
    for (const auto& c : cases) {
        ScriptedColorDialog dlg(RGB(10, 20, 30), &host);
        COLORREF picked = (COLORREF)-1;
        dlg.steps.push_back([&](ScriptedColorDialog& d) {
            d.Paint();
            if (c.page == 0) {
                ClickCell(this, d.m_StandardPage->m_Hexagons, kRing6Red, true);
            } else if (c.page == 1) {
                ClickCell(this, d.m_StandardPage->m_Greys, 16, true);
            } else {
                CColorPage2& page = d.Custom();
                DoubleClick(page.m_Spectrum.GetSafeHwnd(), 40, 20);
                picked = page.m_Spectrum.GetColor();
            }
        });
        EXPECT_EQ(IDOK, dlg.DoModal()) << c.page;
        EXPECT_EQ(c.expected == (COLORREF)-1 ? picked : c.expected, dlg.GetColor()) << c.page;
    }
}

TEST(ColorDialogUnits, BytesAndUnitsConvertBothWays)
{
    EXPECT_EQ(0, CKtvPColorDialog::ToByte(0.0));
    EXPECT_EQ(128, CKtvPColorDialog::ToByte(0.5));
    EXPECT_EQ(255, CKtvPColorDialog::ToByte(1.0));
    EXPECT_EQ(255, CKtvPColorDialog::ToByte(1.2));
    EXPECT_DOUBLE_EQ(0.0, CKtvPColorDialog::ToUnit(0));
    EXPECT_DOUBLE_EQ(1.0, CKtvPColorDialog::ToUnit(255));
    EXPECT_DOUBLE_EQ(1.0, CKtvPColorDialog::ToUnit(300));
    for (UINT v = 0; v <= 255; v++)
        EXPECT_EQ((int)v, CKtvPColorDialog::ToByte(CKtvPColorDialog::ToUnit(v))) << v;
}

}  // namespace
