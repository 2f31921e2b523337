// The colour dialog: the colour chosen by swatch and by its components, the
// custom colours kept and written back, the full and compact forms, Esc.
#include "platform/comctl/dialogs/ColorDialog.h"
#include "platform/win32/gdi/wingdi.h"
#include "tests/platform/comctl/dialogs/ComDlgTest.h"

namespace tw::comdlg::test {
namespace {

class ColorDialogTest : public ComDlgTest {
protected:
    void SetUp() override
    {
        ComDlgTest::SetUp();
        cc.lStructSize = sizeof cc;
        cc.hwndOwner = owner;
        cc.lpCustColors = custom;
        for (int i = 0; i < 16; ++i)
            custom[i] = RGB(i * 10, i * 10, i * 10);
    }
    static int ClientWidth(HWND dialog)
    {
        RECT r;
        GetClientRect(dialog, &r);
        return r.right;
    }

    CHOOSECOLOR cc{};
    COLORREF custom[16];
};

TEST_F(ColorDialogTest, AClickedBasicColourIsReturned)
{
    OnIdle([&](HWND dialog, int count) {
        if (count != 1)
            return;
        const POINT at = CentreOf(GetDlgItem(dialog, ColorDialog::kBasicFirstId + 8));
        input.Click(tw::display::MouseButton::Left, at.x, at.y);
        Key(VK_RETURN);
    });
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(255, 0, 0));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(ColorDialogTest, TypedComponentsMakeTheColour)
{
    cc.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ANYCOLOR;
    cc.rgbResult = RGB(1, 2, 3);
    OnIdle([&](HWND dialog, int count) {
        if (count == 1) {
            EXPECT_EQ(TextOf(GetDlgItem(dialog, COLOR_RED)), "1");
            EXPECT_EQ(TextOf(GetDlgItem(dialog, COLOR_BLUE)), "3");
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, COLOR_MIX))) << "already open";
            Key('R', true);
        } else if (count == 2) {
            Type("12");
            Key('G', true);
        } else if (count == 3) {
            Type("34");
            Key('U', true);
        } else if (count == 4) {
            Type("300");  // beyond a component's range: the most it can be
            Key(VK_RETURN);
        }
    });
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(12, 34, 255));
}

TEST_F(ColorDialogTest, AddedCustomColoursAreWrittenBackOnOk)
{
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    cc.rgbResult = custom[3];
    OnIdle([&](HWND dialog, int count) {
        if (count == 1) {
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, ColorDialog::kCustomFirstId + 3))
                << "the swatch of the starting colour has the focus";
            const POINT at = CentreOf(GetDlgItem(dialog, ColorDialog::kBasicFirstId + 28));
            input.Click(tw::display::MouseButton::Left, at.x, at.y);
            Key('A', true);
            Key(VK_RETURN);
        }
    });
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(0, 0, 255));
    EXPECT_EQ(custom[3], RGB(0, 0, 255)) << "added in the slot of the custom swatch last chosen";
    EXPECT_EQ(custom[4], RGB(40, 40, 40));
}

TEST_F(ColorDialogTest, EscapeCancelsAndLeavesEverythingAlone)
{
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    cc.rgbResult = RGB(9, 9, 9);
    OnIdle([&](HWND dialog, int count) {
        if (count != 1)
            return;
        const POINT at = CentreOf(GetDlgItem(dialog, ColorDialog::kBasicFirstId));
        input.Click(tw::display::MouseButton::Left, at.x, at.y);
        Key('A', true);
        Key(VK_ESCAPE);
    });
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(cc.rgbResult, RGB(9, 9, 9));
    EXPECT_EQ(custom[0], RGB(0, 0, 0));
}

TEST_F(ColorDialogTest, TheDefineButtonOpensTheFullDialogUnlessPrevented)
{
    int compact = 0;
    int full = 0;
    OnIdle([&](HWND dialog, int count) {
        if (count == 1) {
            compact = ClientWidth(dialog);
            Key('D', true);
        } else if (count == 2) {
            full = ClientWidth(dialog);
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, COLOR_MIX)));
            Key(VK_ESCAPE);
        }
    });
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_GT(full, compact + 100);

    cc.Flags = CC_PREVENTFULLOPEN;
    OnIdle([&](HWND dialog, int count) {
        if (count != 1)
            return;
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, COLOR_MIX)));
        EXPECT_EQ(ClientWidth(dialog), compact);
        Key(VK_ESCAPE);
    });
    EXPECT_FALSE(ChooseColor(&cc));
}

TEST_F(ColorDialogTest, TheChosenSwatchIsFramedAndTheSampleShowsTheColour)
{
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    cc.rgbResult = RGB(0, 128, 128);
    OnIdle([&](HWND dialog, int count) {
        if (count != 1)
            return;
        HWND sample = GetDlgItem(dialog, COLOR_CURRENT);
        HWND chosen = GetDlgItem(dialog, ColorDialog::kBasicFirstId + 19);
        HWND other = GetDlgItem(dialog, ColorDialog::kBasicFirstId + 20);
        HDC dc = GetDC(nullptr);
        const POINT mid = CentreOf(sample);
        EXPECT_EQ(GetPixel(dc, mid.x, mid.y), RGB(0, 128, 128));
        RECT r;
        GetWindowRect(chosen, &r);
        EXPECT_EQ(GetPixel(dc, r.left, (r.top + r.bottom) / 2), RGB(0, 0, 0));
        GetWindowRect(other, &r);
        EXPECT_NE(GetPixel(dc, r.left, (r.top + r.bottom) / 2), RGB(0, 0, 0));
        ReleaseDC(nullptr, dc);
        Key(VK_ESCAPE);
    });
    EXPECT_FALSE(ChooseColor(&cc));
}

struct ColorRefusal {
    const char* name;
    std::function<void(CHOOSECOLOR&)> spoil;
    DWORD error;
};

class ColorRefusals : public ColorDialogTest, public ::testing::WithParamInterface<ColorRefusal> {};

TEST_P(ColorRefusals, FailWithTheirExtendedError)
{
    GetParam().spoil(cc);
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_EQ(CommDlgExtendedError(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    BadRequests, ColorRefusals,
    ::testing::Values(ColorRefusal{"StructSize", [](CHOOSECOLOR& c) { c.lStructSize = 8; }, CDERR_STRUCTSIZE},
                      ColorRefusal{"NoCustomColours", [](CHOOSECOLOR& c) { c.lpCustColors = nullptr; },
                                   CDERR_INITIALIZATION},
                      ColorRefusal{"HookFlagWithoutHook", [](CHOOSECOLOR& c) { c.Flags = CC_ENABLEHOOK; },
                                   CDERR_NOHOOK}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tw::comdlg::test
