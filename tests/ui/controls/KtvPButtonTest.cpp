// The owner-drawn button, the menu button and the link as a user meets them:
// their size, their borders pixel by pixel, check states, radio groups moved
// by arrow keys, auto-repeat on the virtual clock, tooltips, menus and links.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/window/RecordingSpawner.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/controls/KtvPButton.h"
#include "ui/controls/KtvPMenuButton.h"
#include "ui/controls/KtvPURLLinkButton.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::test::KtvControlTest;
using tw::test::RecordingSpawner;

// A button that remembers where its content went and can be put in a mouse state.
class ProbeButton : public CKtvPButton {
public:
    void SetMouseState(BOOL bPushed, BOOL bHighlighted)
    {
        m_Pushed = bPushed;
        m_Highlighted = bHighlighted;
    }
    CRect m_rectContent;

protected:
    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override
    {
        m_rectContent = rect;
        CKtvPButton::OnDraw(pDC, rect, uiState);
    }
};

class ButtonTest : public KtvControlTest {
protected:
    template <class T = ProbeButton>
    T* Make(const char* caption, DWORD style, CRect rect, UINT id)
    {
        auto button = std::make_unique<T>();
        EXPECT_TRUE(button->Create(caption, WS_CHILD | WS_VISIBLE | style, rect, &host, id));
        T* p = button.get();
        buttons.push_back(std::move(button));
        return p;
    }
    std::vector<std::unique_ptr<CWnd>> buttons;

    void TearDown() override
    {
        buttons.clear();
        KtvControlTest::TearDown();
    }
    // Commands the parent got from one button (notification code 0).
    int CommandsFrom(CWnd* pButton)
    {
        int n = 0;
        for (const auto& m : Received(WM_COMMAND))
            n += (HWND)m.lParam == pButton->GetSafeHwnd() && HIWORD(m.wParam) == 0 ? 1 : 0;
        return n;
    }
};

// --- size --------------------------------------------------------------------------------------------

TEST_F(ButtonTest, SizeToContentAddsMarginsAroundImageAndText)
{
    CClientDC dc(&host);
    CGdiObject* pOld = dc.SelectStockObject(DEFAULT_GUI_FONT);
    const CSize text = dc.GetTextExtent("Connect");
    dc.SelectObject(pOld);
    const CSize glyph = CKtvPMenuImages::Size();
    struct {
        const char* caption;
        bool image;
        CSize expected;
    } cases[] = {
        {"Connect", false, CSize(10 + text.cx + 10, text.cy + 10)},
        {"", true, CSize(10 + glyph.cx, glyph.cy + 10)},
        {"Connect", true, CSize(20 + glyph.cx + text.cx, std::max(glyph.cy, text.cy) + 10)},
    };
    for (const auto& c : cases) {
        ProbeButton* pButton = Make(c.caption, 0, CRect(0, 0, 5, 5), 10);
        if (c.image)
            pButton->SetGlyph(CKtvPMenuImages::IdArowDown);
        EXPECT_EQ(c.expected, pButton->SizeToContent(TRUE)) << c.caption;
        EXPECT_EQ(c.expected, pButton->SizeToContent());
        CRect rect;
        pButton->GetWindowRect(rect);
        EXPECT_EQ(c.expected, rect.Size()) << "resized in place";
    }
}

// --- borders -----------------------------------------------------------------------------------------

struct BorderCase {
    const char* name;
    int style;
    BOOL pushed;
    BOOL highlighted;
    // Colours down the left edge from x = 0 to 2: 'H' highlight, 'D' dark shadow, 'S' shadow, 'L' light, 'F' face.
    const char* leftEdge;
    int contentOffset;  // the push offset applied to the content
};

COLORREF ColourOf(char c)
{
    switch (c) {
    case 'H':
        return globalData.clrBtnHilite;
    case 'D':
        return globalData.clrBtnDkShadow;
    case 'S':
        return globalData.clrBtnShadow;
    case 'L':
        return globalData.clrBtnLight;
    default:
        return globalData.clrBtnFace;
    }
}

class ButtonBorders : public ButtonTest, public ::testing::WithParamInterface<BorderCase> {};

TEST_P(ButtonBorders, DrawTheirFramesAndMoveTheContent)
{
    const BorderCase& c = GetParam();
    ProbeButton* pButton = Make("", 0, CRect(0, 0, 40, 20), 10);
    pButton->m_FlatStyle = c.style;
    pButton->m_DrawFocus = FALSE;
    pButton->SetMouseState(c.pushed, c.highlighted);

    CClientDC dcScreen(pButton);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcScreen, 40, 20);
    CBitmap* pOld = dc.SelectObject(&bmp);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = pButton->GetSafeHwnd();
    dis.hDC = dc.GetSafeHdc();
    dis.rcItem = CRect(0, 0, 40, 20);
    pButton->DrawItem(&dis);

    for (int x = 0; x < 3; x++) {
        EXPECT_EQ(ColourOf(c.leftEdge[x]), dc.GetPixel(x, 10)) << "left edge x=" << x;
        EXPECT_EQ(ColourOf(c.leftEdge[x]), dc.GetPixel(10, x)) << "top edge y=" << x;
    }
    // The right and bottom edges take the other colour of each frame.
    // A pressed flat button draws one frame, every other state takes two pixels.
    const int inset = c.style == CKtvPButton::BUTTONSTYLE_FLAT && c.pushed ? 1 : 2;
    CRect expected(inset, inset, 40 - inset, 20 - inset);
    expected.left += c.contentOffset;
    expected.top += c.contentOffset;
    EXPECT_EQ(expected, pButton->m_rectContent);
    dc.SelectObject(pOld);
}

INSTANTIATE_TEST_SUITE_P(
    FourStyles, ButtonBorders,
    ::testing::Values(BorderCase{"ThreeDNormal", 0, FALSE, FALSE, "HLF", 0},
                      BorderCase{"ThreeDPressed", 0, TRUE, TRUE, "DSF", 2},
                      BorderCase{"FlatNormal", 1, FALSE, FALSE, "FFF", 0},
                      BorderCase{"FlatHot", 1, FALSE, TRUE, "HFF", 0},
                      BorderCase{"FlatPressed", 1, TRUE, TRUE, "DFF", 2},
                      BorderCase{"SemiFlatNormal", 2, FALSE, FALSE, "HFF", 0},
                      BorderCase{"SemiFlatHot", 2, FALSE, TRUE, "HLF", 0},
                      BorderCase{"SemiFlatPressed", 2, TRUE, TRUE, "DSF", 2},
                      BorderCase{"NoBordersPressed", 3, TRUE, TRUE, "FFF", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// --- check state and radio groups ------------------------------------------------------------------

TEST_F(ButtonTest, CheckMessagesFollowTheButtonKind)
{
    struct {
        DWORD style;
        WPARAM set;
        LRESULT expected;
    } cases[] = {
        {BS_AUTOCHECKBOX, BST_CHECKED, BST_CHECKED},
        {BS_AUTOCHECKBOX, BST_INDETERMINATE, BST_CHECKED},  // indeterminate shows checked
        {BS_CHECKBOX, BST_UNCHECKED, BST_UNCHECKED},
        {BS_RADIOBUTTON, BST_CHECKED, BST_CHECKED},
        {BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED},  // a push button has no check
    };
    UINT id = 20;
    for (const auto& c : cases) {
        ProbeButton* pButton = Make("x", c.style | WS_GROUP, CRect(0, 0, 50, 20), id++);
        EXPECT_EQ((DWORD)BS_OWNERDRAW, pButton->GetStyle() & BS_TYPEMASK) << "always owner-drawn";
        EXPECT_EQ(0, pButton->SendMessage(BM_SETCHECK, c.set));
        EXPECT_EQ(c.expected, pButton->SendMessage(BM_GETCHECK)) << std::hex << c.style << " " << c.set;
    }
}

TEST_F(ButtonTest, ArrowKeysMoveTheRadioCheckOverDisabledAndHiddenMembers)
{
    ProbeButton* r0 = Make("a", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, CRect(0, 0, 50, 20), 30);
    ProbeButton* r1 = Make("b", BS_AUTORADIOBUTTON | WS_DISABLED, CRect(0, 20, 50, 40), 31);
    ProbeButton* r2 = Make("c", BS_AUTORADIOBUTTON, CRect(0, 40, 50, 60), 32);
    ProbeButton* r3 = Make("d", BS_AUTORADIOBUTTON, CRect(0, 60, 50, 80), 33);
    Make("next group", BS_PUSHBUTTON | WS_GROUP, CRect(0, 80, 50, 100), 34);
    r2->ShowWindow(SW_HIDE);
    r0->SendMessage(BM_SETCHECK, 1);
    r0->SetFocus();

    ClearReceived();
    KeyFiltered(VK_RIGHT);
    EXPECT_TRUE(r3->IsChecked());
    EXPECT_FALSE(r0->IsChecked());
    EXPECT_EQ(r3->GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(1, CommandsFrom(r3));

    KeyFiltered(VK_DOWN);
    EXPECT_TRUE(r0->IsChecked()) << "past the last, round to the first enabled and visible";
    EXPECT_FALSE(r3->IsChecked());

    // With every other member out of reach the check stays and the key goes on.
    r3->EnableWindow(FALSE);
    ClearReceived();
    KeyFiltered(VK_LEFT);
    EXPECT_TRUE(r0->IsChecked());
    EXPECT_TRUE(Received(WM_COMMAND).empty());
    (void)r1;
}

// --- mouse -------------------------------------------------------------------------------------------

TEST_F(ButtonTest, AutoRepeatClicksEveryPeriodOnlyWhileOverTheButton)
{
    ProbeButton* pButton = Make("Scroll", 0, CRect(10, 10, 70, 30), 40);
    pButton->SetAutoRepeatDelay(100);
    const POINT over = ScreenPointOf(pButton->GetSafeHwnd(), 20, 10);
    const POINT away = ScreenPointOf(pButton->GetSafeHwnd(), 200, 150);
    input.MouseMove(over.x, over.y);
    input.ButtonDown(tw::display::MouseButton::Left, over.x, over.y);
    Pump();
    ClearReceived();
    for (int i = 0; i < 3; i++) {
        tw::ProcessClock::Advance(100);
        Pump();
    }
    EXPECT_EQ(3, CommandsFrom(pButton));

    input.MouseMove(away.x, away.y);
    Pump();
    EXPECT_FALSE(pButton->IsPushed());
    for (int i = 0; i < 3; i++) {
        tw::ProcessClock::Advance(100);
        Pump();
    }
    EXPECT_EQ(3, CommandsFrom(pButton)) << "paused off the button";
    EXPECT_EQ(pButton->GetSafeHwnd(), ::GetCapture()) << "still held";

    input.MouseMove(over.x, over.y);
    Pump();
    tw::ProcessClock::Advance(100);
    Pump();
    EXPECT_EQ(4, CommandsFrom(pButton)) << "resumed on the way back";
    input.ButtonUp(tw::display::MouseButton::Left, over.x, over.y);
    Pump();
    tw::ProcessClock::Advance(300);
    Pump();
    EXPECT_EQ(5, CommandsFrom(pButton)) << "the release clicks once and the repeat stops";
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ButtonTest, FullTextTooltipFollowsTheWidth)
{
    const char* kCaption = "A caption far wider than its button";
    ProbeButton* pButton = Make(kCaption, 0, CRect(0, 0, 300, 20), 50);
    pButton->m_FullTextTooltip = TRUE;
    pButton->SetWindowPos(nullptr, 0, 0, 60, 20, SWP_NOMOVE | SWP_NOZORDER);
    pButton->RedrawWindow();
    EXPECT_STREQ(kCaption, pButton->GetTooltipText());

    ProbeButton* pShort = Make("OK", 0, CRect(0, 30, 100, 50), 51);
    pShort->m_FullTextTooltip = TRUE;
    pShort->SetWindowPos(nullptr, 0, 0, 90, 20, SWP_NOMOVE | SWP_NOZORDER);
    pShort->RedrawWindow();
    EXPECT_STREQ("", pShort->GetTooltipText()) << "a caption that fits gets none";
}

// --- menu button -------------------------------------------------------------------------------------

class MenuButtonTest : public ButtonTest {
protected:
    void SetUp() override
    {
        ButtonTest::SetUp();
        menu = ::CreatePopupMenu();
        ::AppendMenu(menu, MF_STRING, 501, "&Profiles...");
        ::AppendMenu(menu, MF_STRING, 502, "&Servers...");
        button = Make<CKtvPMenuButton>("Options", 0, CRect(20, 20, 120, 44), 60);
        button->m_Menu = menu;
    }
    void TearDown() override
    {
        ::DestroyMenu(menu);
        ButtonTest::TearDown();
    }
    HMENU menu = nullptr;
    CKtvPMenuButton* button = nullptr;
};

TEST_F(MenuButtonTest, OpensBelowOrToTheRightAndReportsTheChoice)
{
    for (BOOL bRight : {FALSE, TRUE}) {
        button->m_MenuOnRight = bRight;
        CRect rect;
        button->GetWindowRect(rect);
        // The first item lies just inside the menu's top-left corner, wherever the menu opens.
        const CPoint anchor = bRight ? CPoint(rect.right, rect.top) : CPoint(rect.left, rect.bottom);
        input.Click(tw::display::MouseButton::Left, anchor.x + 12, anchor.y + 8);
        ClearReceived();
        button->OnShowMenu();
        EXPECT_EQ(501, button->m_MenuResult) << (bRight ? "right" : "below");
        EXPECT_EQ(1, CommandsFrom(button));
        EXPECT_FALSE(button->m_MenuActive);
    }
}

TEST_F(MenuButtonTest, DownOpensUpDoesNotAndADismissalSendsNothing)
{
    button->SetFocus();
    ClearReceived();
    KeyFiltered(VK_UP);
    EXPECT_EQ(0, button->m_MenuResult);
    EXPECT_TRUE(Received(WM_COMMAND).empty());

    input.KeyStroke(VK_DOWN);  // opens
    input.KeyStroke(VK_DOWN);  // first item
    input.KeyStroke(VK_DOWN);  // second item
    input.KeyStroke(VK_RETURN);
    PumpFiltered();
    EXPECT_EQ(502, button->m_MenuResult);
    EXPECT_EQ(1, CommandsFrom(button));

    ClearReceived();
    input.KeyStroke(VK_DOWN);
    input.KeyStroke(VK_ESCAPE);
    PumpFiltered();
    EXPECT_EQ(0, button->m_MenuResult);
    EXPECT_TRUE(Received(WM_COMMAND).empty());
}

// --- link --------------------------------------------------------------------------------------------

class LinkTest : public ButtonTest {
protected:
    void SetUp() override
    {
        ButtonTest::SetUp();
        spawner = std::make_shared<RecordingSpawner>();
        tw::shell::SetProcessSpawner(spawner);
        link = Make<CKtvPURLLinkButton>("example.org/tarnwick", 0, CRect(10, 10, 200, 30), 70);
        link->m_UrlPrefix = "https://";
    }
    void TearDown() override
    {
        tw::shell::SetProcessSpawner(nullptr);
        ButtonTest::TearDown();
    }
    std::string LastAddress() { return spawner->runs.empty() ? "" : spawner->runs.back().back(); }

    std::shared_ptr<RecordingSpawner> spawner;
    CKtvPURLLinkButton* link = nullptr;
};

TEST_F(LinkTest, OpensThePrefixedAddressAsOneArgument)
{
    Click(link->GetSafeHwnd(), 5, 5);
    ASSERT_EQ(1u, spawner->runs.size());
    EXPECT_EQ("https://example.org/tarnwick", LastAddress()) << "the caption is the address";

    link->m_Url = "tarnwick.example.com/help?a=1&b=2";
    Click(link->GetSafeHwnd(), 5, 5);
    ASSERT_EQ(2u, spawner->runs.size());
    EXPECT_EQ("https://tarnwick.example.com/help?a=1&b=2", LastAddress()) << "m_Url wins, passed whole";

    link->EnableWindow(FALSE);
    link->SendMessage(WM_COMMAND);
    ::SendMessage(host.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(70, BN_CLICKED), (LPARAM)link->GetSafeHwnd());
    EXPECT_EQ(2u, spawner->runs.size()) << "a disabled link does not open";
}

TEST_F(LinkTest, SpaceDoesNothingAndEnterOpens)
{
    link->SetFocus();
    KeyFiltered(VK_SPACE);
    EXPECT_TRUE(spawner->runs.empty());
    KeyFiltered(VK_RETURN);
    ASSERT_EQ(1u, spawner->runs.size());
    EXPECT_EQ("https://example.org/tarnwick", LastAddress());
    EXPECT_NE(nullptr, globalData.GetHandCursor()) << "the library's own hand";
}

}  // namespace
