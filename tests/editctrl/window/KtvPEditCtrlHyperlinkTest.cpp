// Hyperlinks found by their prefixes, painted in the link colour and opened
// by Ctrl+click through the shell (argument vectors recorded, nothing
// started); tooltips of links and of the word under the resting mouse.
#include "tests/editctrl/window/EditWindowFixture.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/display/InputInjector.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/window/RecordingSpawner.h"

namespace ktvp_window_test {
namespace {

using tw::test::RecordingSpawner;

class EditHyperlinkTest : public EditWindowTest {
protected:
    void SetUp() override
    {
        tw::InitCommonControls();
        EditWindowTest::SetUp();
        spawner = std::make_shared<RecordingSpawner>();
        previous = tw::shell::SetProcessSpawner(spawner);
        edit.m_bEnableHyperlinkSupport = TRUE;
    }
    void TearDown() override
    {
        tw::shell::SetProcessSpawner(previous);
        EditWindowTest::TearDown();
    }

    void SetText(const std::string& text) { ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, LPARAM(text.c_str())); }
    int Offset(const std::string& what) const { return static_cast<int>(Text().find(what)); }
    std::string LinkIn(const std::string& text)
    {
        SetText(text);
        CString url;
        int start = -1;
        if (!edit.FindHyperlink(0, edit.GetTextLength(), url, start))
            return "<none>";
        return std::to_string(start) + ":" + url.GetString();
    }
    void Paint()
    {
        CRect client;
        edit.GetClientRect(&client);
        canvas.DeleteDC();
        bitmap.DeleteObject();
        ASSERT_TRUE(canvas.Attach(::CreateCompatibleDC(nullptr)));
        ASSERT_TRUE(bitmap.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr));
        canvas.SelectObject(&bitmap);
        edit.PaintClient(&canvas);
    }
    // The real mouse, so that the tooltip and GetCursorPos agree.
    void MouseTo(POINT client)
    {
        ::ClientToScreen(edit.m_hWnd, &client);
        input.MouseMove(client.x, client.y);
        Pump();
    }
    void Rest()
    {
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        Pump();
    }
    bool TipShown() const { return ::IsWindowVisible(edit.GetToolTipWindow()) != FALSE; }
    void CtrlClick(POINT pt)
    {
        ::SendMessage(edit.m_hWnd, WM_MOUSEMOVE, 0, MAKELONG(pt.x, pt.y));
        ::SendMessage(edit.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELONG(pt.x, pt.y));
        ::SendMessage(edit.m_hWnd, WM_LBUTTONUP, MK_CONTROL, MAKELONG(pt.x, pt.y));
    }

    std::shared_ptr<RecordingSpawner> spawner;
    std::shared_ptr<tw::shell::ProcessSpawner> previous;
    tw::display::InputInjector input;
    CDC canvas;
    CBitmap bitmap;
};

TEST_F(EditHyperlinkTest, FindsLinksByTheirPrefixes)
{
    EXPECT_EQ(LinkIn("see http://a.b/c/d.e."), "4:http://a.b/c/d.e") << "inner stops stay, the last goes";
    EXPECT_EQ(LinkIn("xhttp://a.b"), "<none>") << "a letter before the prefix is no delimiter";
    EXPECT_EQ(LinkIn("mailto:"), "0:mailto:");
    EXPECT_EQ(LinkIn("(http://x.y)"), "1:http://x.y");
    edit.m_arrUrlPrefixes.RemoveAll();
    edit.m_arrUrlPrefixes.Add("ftp://");
    edit.m_arrUrlPrefixes.Add("mailto:");
    EXPECT_EQ(LinkIn("mailto:a@b,ftp://c"), "0:mailto:a@b,ftp://c") << "the earliest occurrence wins";
}

TEST_F(EditHyperlinkTest, SettingsTurnLinksOnWithTheirOwnPrefixes)
{
    edit.m_bEnableHyperlinkSupport = FALSE;
    ASSERT_TRUE(edit.LoadXMLSettingsFromBuffer("<HYPERLINKS><EnableHyperlinkSupport>true</EnableHyperlinkSupport>"
                                               "<URLPrefixes><URLPrefix>www.</URLPrefix></URLPrefixes></HYPERLINKS>"));
    EXPECT_TRUE(edit.IsHyperlinkSupportEnabled());
    EXPECT_EQ(LinkIn("(www.example.org),"), "1:www.example.org");
    SetText("see www.example.org and http://x.y");
    Paint();
    EXPECT_EQ(edit.GetHyperlinkCount(), 1) << "http:// is no longer a prefix";
}

TEST_F(EditHyperlinkTest, PaintingFindsTheVisibleLinksAndColoursThem)
{
    edit.m_clrHyperlink = RGB(255, 0, 0);
    SetText("go http://www.example.org now\nplain\n");
    Paint();
    ASSERT_EQ(edit.GetHyperlinkCount(), 1);
    EXPECT_EQ(edit.GetHyperlinkIndexAt(Offset("www")), 0);
    EXPECT_EQ(edit.GetHyperlinkIndexAt(Offset("now")), -1);
    POINT from{};
    POINT to{};
    edit.OffsetToPoint(Offset("http"), from);
    edit.OffsetToPoint(Offset(" now"), to);
    int linkPixels = 0;
    for (int x = from.x; x < to.x; ++x) {
        for (int y = from.y; y < from.y + edit.m_nRowHeight; ++y) {
            const COLORREF pixel = canvas.GetPixel(x, y);
            if (GetRValue(pixel) > 160 && GetGValue(pixel) < 100 && GetBValue(pixel) < 100)
                ++linkPixels;
        }
    }
    EXPECT_GT(linkPixels, 0) << "the link is drawn in the link colour";

    edit.m_bEnableHyperlinkSupport = FALSE;
    Paint();
    EXPECT_EQ(edit.GetHyperlinkIndexAt(Offset("www")), 0) << "the table is left as it was";
}

TEST_F(EditHyperlinkTest, CtrlClickOpensTheLinkThroughTheShell)
{
    SetText("go http://www.example.org now");
    Paint();
    CtrlClick(PointOf(Offset("example")));
    ASSERT_EQ(spawner->runs.size(), 1u);
    ASSERT_EQ(spawner->runs[0].size(), 2u);
    EXPECT_EQ(spawner->runs[0][1], "http://www.example.org");
    EXPECT_EQ(edit.GetHotHyperlink(), -1);

    // A plain click only places the caret.
    Paint();
    Click(PointOf(Offset("example")));
    EXPECT_EQ(spawner->runs.size(), 1u);
}

TEST_F(EditHyperlinkTest, OnlyWebAndMailLinksEverReachTheShell)
{
    edit.m_arrUrlPrefixes.RemoveAll();
    edit.m_arrUrlPrefixes.Add("file:");
    edit.m_arrUrlPrefixes.Add("/");
    edit.m_arrUrlPrefixes.Add("https://");
    // An executable the shell would run itself, and a file address.
    SetText("/bin/sh file:/bin/true https://a.b");
    Paint();
    ASSERT_EQ(edit.GetHyperlinkCount(), 3);
    CtrlClick(PointOf(Offset("in/sh")));
    CtrlClick(PointOf(Offset("true")));
    EXPECT_TRUE(spawner->runs.empty()) << "a settings prefix never launches a program";
    Paint();
    CtrlClick(PointOf(Offset("a.b")));
    ASSERT_EQ(spawner->runs.size(), 1u);
    EXPECT_EQ(spawner->runs[0].back(), "https://a.b");
}

TEST_F(EditHyperlinkTest, LinkTipHasTheAddressAndTheHint)
{
    SetText("go http://x.y now");
    Paint();
    ::SendMessage(edit.m_hWnd, WM_MOUSEMOVE, 0, MAKELONG(PointOf(Offset("x.y")).x, PointOf(Offset("x.y")).y));
    CString tip;
    ASSERT_TRUE(edit.GetHyperlinkTipText(tip));
    EXPECT_STREQ(tip, "http://x.y\nCTRL + click to follow link");
    edit.m_bEnableHyperlinkSupport = FALSE;
    EXPECT_FALSE(edit.GetHyperlinkTipText(tip));
    EXPECT_TRUE(tip.IsEmpty());
}

TEST_F(EditHyperlinkTest, WordTipShowsAfterTheMouseRests)
{
    SetText("alpha beta\n");
    edit.ActivateToolTips(TRUE);
    MouseTo(PointOf(Offset("eta")));
    EXPECT_FALSE(TipShown());
    Rest();
    ASSERT_TRUE(TipShown());
    EXPECT_STREQ(CKtvPEditCtrl::GetTipBuffer(), "beta");

    // A key hides it; resting on the same word does not bring it back.
    Key(VK_RIGHT);
    EXPECT_FALSE(TipShown());
    MouseTo(PointOf(Offset("ta")));
    Rest();
    EXPECT_FALSE(TipShown());
    // Over nothing and back, it shows again.
    MouseTo(POINT{edit.GetTextArea().right - 5, edit.GetTextArea().bottom - 5});
    Rest();
    EXPECT_FALSE(TipShown());
    MouseTo(PointOf(Offset("alpha")));
    Rest();
    ASSERT_TRUE(TipShown());
    EXPECT_STREQ(CKtvPEditCtrl::GetTipBuffer(), "alpha");
}

TEST_F(EditHyperlinkTest, RestingOnALinkShowsItsTwoLineTipAtFullWidth)
{
    edit.m_nTipMaxWidth = 120;
    SetText("go http://x.y now\n");
    Paint();
    edit.ActivateToolTips(TRUE);
    MouseTo(PointOf(Offset("x.y")));
    Rest();
    ASSERT_TRUE(TipShown());
    EXPECT_STREQ(CKtvPEditCtrl::GetTipBuffer(), "http://x.y\nCTRL + click to follow link");
    EXPECT_EQ(::SendMessage(edit.GetToolTipWindow(), TTM_GETMAXTIPWIDTH, 0, 0), 0x7FFF);

    // A word's tip goes back to the control's own width.
    MouseTo(POINT{edit.GetTextArea().right - 5, edit.GetTextArea().bottom - 5});
    MouseTo(PointOf(Offset("now")));
    Rest();
    ASSERT_TRUE(TipShown());
    EXPECT_STREQ(CKtvPEditCtrl::GetTipBuffer(), "now");
    EXPECT_EQ(::SendMessage(edit.GetToolTipWindow(), TTM_GETMAXTIPWIDTH, 0, 0), 120);
}

TEST_F(EditHyperlinkTest, InactiveTooltipsShowNothingAndPopAtOnce)
{
    SetText("alpha beta\n");
    edit.ActivateToolTips(TRUE);
    MouseTo(PointOf(Offset("beta")));
    Rest();
    ASSERT_TRUE(TipShown());
    edit.ActivateToolTips(FALSE);
    EXPECT_FALSE(TipShown());
    MouseTo(PointOf(Offset("alpha")));
    Rest();
    EXPECT_FALSE(TipShown());
}

TEST(EditHyperlinkText, EscapeHtmlTextReplacesInOrder)
{
    CString text = "a <b> c";
    CKtvPEditCtrl::EscapeHtmlText(text);
    EXPECT_STREQ(text, "a&nbsp;&lt;b&gt;&nbsp;c");
}

}  // namespace
}  // namespace ktvp_window_test
