// The colour palette bar, the colour button with its popup and the colour
// menu button, used as their user uses them: the grid for the default colours
// and for set columns, the swatch of a colour outside the palette, the
// automatic entry, separators, cell tooltips, the stored bar, choosing and
// dismissing, and buttons of one command sharing their colour.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CMemFile.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/ui/KtvClassTable.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/controls/KtvPColorDialog.h"
#include "ui/controls/KtvPColorBar.h"
#include "ui/controls/KtvPColorButton.h"
#include "ui/controls/KtvPColorMenuButton.h"

namespace {

using tw::test::KtvControlTest;

constexpr UINT kButtonId = 601;

// The stock default palette in its order.
const COLORREF kDefaultColors[] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
    RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
    RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),
    RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255),
};

class ColorButtonTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        button = std::make_unique<CKtvPColorButton>();
        ASSERT_TRUE(button->Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 120, 44), &host, kButtonId));
    }
    void TearDown() override
    {
        button.reset();
        KtvControlTest::TearDown();
    }

    CKtvPColorBar* Open()
    {
        Click(button->GetSafeHwnd(), 10, 10);
        return button->GetPopup() != nullptr ? &button->GetPopup()->m_wndColorBar : nullptr;
    }
    static CColorButton* Cell(CKtvPColorBar* pBar, int i) { return dynamic_cast<CColorButton*>(pBar->GetButton(i)); }
    static int Find(CKtvPColorBar* pBar, bool (*match)(const CColorButton*))
    {
        for (int i = 0; i < pBar->GetCount(); i++) {
            const CColorButton* pCell = Cell(pBar, i);
            if (pCell != nullptr && match(pCell))
                return i;
        }
        return -1;
    }
    static int FindOther(CKtvPColorBar* pBar) { return Find(pBar, [](const CColorButton* p) { return p->m_IsOther != FALSE; }); }
    static int FindSwatch(CKtvPColorBar* pBar)
    {
        return Find(pBar, [](const CColorButton* p) { return p->m_IsOtherColor != FALSE; });
    }
    static std::vector<int> Selected(CKtvPColorBar* pBar)
    {
        std::vector<int> cells;
        for (int i = 0; i < pBar->GetCount(); i++) {
            const CColorButton* pCell = Cell(pBar, i);
            if (pCell != nullptr && pCell->m_Selected && pCell->m_bVisible)
                cells.push_back(i);
        }
        return cells;
    }
    // A click as the program's message loop delivers it, through the windows' filters.
    void ClickFiltered(HWND hwnd, int x, int y)
    {
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        const POINT pt = ScreenPointOf(hwnd, x, y);
        input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
        PumpFiltered();
    }
    void ClickCell(CKtvPColorBar* pBar, int i)
    {
        const CPoint pt = pBar->GetButton(i)->m_rect.CenterPoint();
        Click(pBar->GetSafeHwnd(), pt.x, pt.y);
        Pump();
    }
    size_t CommandsFromButton() const
    {
        size_t n = 0;
        for (const auto& m : Received(WM_COMMAND))
            n += (LOWORD(m.wParam) == kButtonId && (HWND)m.lParam == button->GetSafeHwnd()) ? 1 : 0;
        return n;
    }

    std::unique_ptr<CKtvPColorButton> button;
};

TEST_F(ColorButtonTest, GridLaysOutTheDefaultColoursOrTheSetColumns)
{
    struct {
        int columns;
        const char* automatic;
        const char* other;
        int expectColumns, expectRows;
    } cases[] = {
        {-1, nullptr, nullptr, 5, 4},       // square root of 20 is 4, plus one
        {9, nullptr, nullptr, 9, 3},
        {9, "Automatic", "Other...", 9, 3},
        {4, "Automatic", nullptr, 4, 5},
    };
    for (const auto& c : cases) {
        button->m_Columns = c.columns;
        button->EnableAutomaticButton(c.automatic, RGB(0, 0, 0));
        button->EnableOtherButton(c.other);
        button->SetColor(RGB(0, 0, 128));
        CKtvPColorBar* pBar = Open();
        ASSERT_NE(nullptr, pBar);
        const int bw = pBar->m_BoxWidth, bh = pBar->m_BoxHeight;
        EXPECT_EQ(17, bw);
        EXPECT_EQ(16, bh);
        const int first = c.automatic != nullptr ? 1 : 0;
        const int top = 4 + (c.automatic != nullptr ? pBar->m_TextButtonHeight - 2 : 0);
        for (int i = 0; i < 20; i++) {
            const CColorButton* pCell = Cell(pBar, first + i);
            ASSERT_NE(nullptr, pCell);
            EXPECT_EQ(kDefaultColors[i], pCell->m_Color) << i;
            const int col = i % c.expectColumns, row = i / c.expectColumns;
            EXPECT_EQ(CRect(4 + col * bw, top + row * bh, 4 + (col + 1) * bw, top + (row + 1) * bh), pCell->m_rect)
                << "columns " << c.columns << " cell " << i;
        }
        CRect rectClient;
        pBar->GetClientRect(rectClient);
        EXPECT_EQ(c.expectColumns * bw + 8, rectClient.Width()) << c.columns;
        int height = c.expectRows * bh + 8;
        if (c.automatic != nullptr)
            height += pBar->m_TextButtonHeight;
        else if (c.other != nullptr)
            height += 4;
        if (c.other != nullptr)
            height += pBar->m_TextButtonHeight;
        EXPECT_EQ(height, rectClient.Height()) << c.columns;
        EXPECT_EQ((std::vector<int>{first + 4}), Selected(pBar));

        button->GetPopup()->SendMessage(WM_CLOSE);
        Pump();
        EXPECT_EQ(nullptr, button->GetPopup());
    }
}

TEST_F(ColorButtonTest, AColourOutsideThePaletteShowsBesideOther)
{
    button->EnableOtherButton("Other...");
    button->SetColor(RGB(1, 2, 3));
    CKtvPColorBar* pBar = Open();
    ASSERT_NE(nullptr, pBar);
    const int iOther = FindOther(pBar);
    const int iSwatch = FindSwatch(pBar);
    ASSERT_EQ(iOther + 1, iSwatch);
    const CRect rectOther = pBar->GetButton(iOther)->m_rect;
    const CRect rectSwatch = pBar->GetButton(iSwatch)->m_rect;
    EXPECT_FALSE(rectSwatch.IsRectEmpty());
    EXPECT_EQ(RGB(1, 2, 3), Cell(pBar, iSwatch)->m_Color);
    EXPECT_LE(rectOther.right, rectSwatch.left) << "the swatch sits right of the button";
    EXPECT_EQ(pBar->m_BoxWidth, rectSwatch.Width());
    EXPECT_EQ((std::vector<int>{iSwatch}), Selected(pBar));
    // The separator above spans the work width, two pixels high.
    const CRect rectSeparator = pBar->GetButton(iOther - 1)->m_rect;
    EXPECT_EQ(2, rectSeparator.Height());
    EXPECT_EQ(4, rectSeparator.left);

    pBar->SetColor(RGB(255, 0, 0));
    EXPECT_TRUE(pBar->GetButton(iSwatch)->m_rect.IsRectEmpty()) << "a palette colour hides the swatch";
    EXPECT_EQ((std::vector<int>{13}), Selected(pBar));
    EXPECT_GT(pBar->GetButton(iOther)->m_rect.Width(), rectOther.Width()) << "the button takes the whole row";

    pBar->SetColor(RGB(7, 7, 7));
    EXPECT_FALSE(pBar->GetButton(iSwatch)->m_rect.IsRectEmpty());
    EXPECT_EQ(RGB(7, 7, 7), Cell(pBar, iSwatch)->m_Color);
}

TEST_F(ColorButtonTest, AutomaticIsSelectedOnlyWithItsButton)
{
    button->EnableAutomaticButton("Automatic", RGB(0, 0, 0));
    button->SetColor((COLORREF)-1);
    CKtvPColorBar* pBar = Open();
    ASSERT_NE(nullptr, pBar);
    ASSERT_TRUE(Cell(pBar, 0)->m_IsAutomatic);
    EXPECT_EQ((std::vector<int>{0}), Selected(pBar));
    button->GetPopup()->SendMessage(WM_CLOSE);

    // Without the automatic entry and with no automatic colour nothing is selected.
    button->EnableAutomaticButton(nullptr, (COLORREF)-1);
    pBar = Open();
    ASSERT_NE(nullptr, pBar);
    EXPECT_TRUE(Selected(pBar).empty());
    EXPECT_EQ(-1, FindSwatch(pBar));
}

TEST_F(ColorButtonTest, EnableFalseRemovesTheEntries)
{
    button->EnableAutomaticButton("Automatic", RGB(0, 0, 0), FALSE);
    button->EnableOtherButton("Other...", TRUE, FALSE);
    CKtvPColorBar* pBar = Open();
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(20, pBar->GetCount()) << "colour cells only";
}

TEST_F(ColorButtonTest, ChoosingACellStoresItAndTellsTheParentOnce)
{
    button->EnableAutomaticButton("Automatic", RGB(0, 0, 0));
    button->EnableOtherButton("Other...");
    CKtvPColorBar* pBar = Open();
    ASSERT_NE(nullptr, pBar);
    ClearReceived();
    ClickCell(pBar, 1 + 16);
    EXPECT_EQ(RGB(0, 0, 255), button->GetColor());
    EXPECT_EQ(1u, CommandsFromButton());
    EXPECT_EQ(nullptr, button->GetPopup());

    pBar = Open();
    ASSERT_NE(nullptr, pBar);
    ClearReceived();
    ClickCell(pBar, 0);
    EXPECT_EQ((COLORREF)-1, button->GetColor());
    EXPECT_EQ(1u, CommandsFromButton());
    EXPECT_EQ(nullptr, button->GetPopup());
}

TEST_F(ColorButtonTest, DocumentColoursFollowTheirCaptionWhichIsNoChoice)
{
    button->m_DocColorsLabel = "Document colours";
    button->m_DocColors.AddTail(RGB(1, 1, 1));
    button->m_DocColors.AddTail(RGB(255, 0, 0));
    button->SetColor(RGB(255, 0, 0));
    CKtvPColorBar* pBar = Open();
    ASSERT_NE(nullptr, pBar);
    // Twenty cells, a separator, the caption and the two document colours.
    ASSERT_EQ(24, pBar->GetCount());
    const CColorButton* pCaption = Cell(pBar, 21);
    ASSERT_TRUE(pCaption->m_IsLabel);
    EXPECT_EQ(pBar->GetButton(20)->m_rect.bottom + 2, pCaption->m_rect.top);
    EXPECT_EQ(pCaption->m_rect.bottom, Cell(pBar, 22)->m_rect.top);
    EXPECT_EQ(RGB(1, 1, 1), Cell(pBar, 22)->m_Color);
    // Red is already in the palette: the document's red is not selected again.
    EXPECT_EQ((std::vector<int>{13}), Selected(pBar));

    ClearReceived();
    ClickCell(pBar, 21);
    EXPECT_NE(nullptr, button->GetPopup()) << "the caption keeps the popup open";
    EXPECT_EQ(0u, CommandsFromButton());
    ClickCell(pBar, 22);
    EXPECT_EQ(RGB(1, 1, 1), button->GetColor());
    EXPECT_EQ(1u, CommandsFromButton());
}

// What the user does in the Colors dialog once it is up: pick a colour and
// press OK, or cancel. The dialog runs its own loop; a thread timer reaches it.
struct ColorsDialogAnswer {
    static inline COLORREF pick = (COLORREF)-1;
    static inline int seen = 0;
    static inline COLORREF opened = 0;
    static void CALLBACK Answer(HWND, UINT, UINT_PTR idEvent, DWORD)
    {
        auto* pDlg = dynamic_cast<CKtvPColorDialog*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
        if (pDlg == nullptr)
            return;
        ::KillTimer(nullptr, idEvent);
        seen++;
        opened = pDlg->m_InitialColor;
        if (pick == (COLORREF)-1) {
            pDlg->EndDialog(IDCANCEL);
            return;
        }
        pDlg->SetNewColor(pick);
        pDlg->EndDialog(IDOK);
    }
};

TEST_F(ColorButtonTest, OtherOpensTheColorsDialogWithTheCurrentColour)
{
    button->EnableOtherButton("Other...");
    button->SetColor(RGB(0, 128, 0));
    struct {
        COLORREF pick;
        COLORREF after;
        size_t commands;
    } cases[] = {{(COLORREF)-1, RGB(0, 128, 0), 0}, {RGB(12, 34, 56), RGB(12, 34, 56), 1}};
    for (const auto& c : cases) {
        CKtvPColorBar* pBar = Open();
        ASSERT_NE(nullptr, pBar);
        ColorsDialogAnswer::pick = c.pick;
        ColorsDialogAnswer::seen = 0;
        ::SetTimer(nullptr, 0, 0, ColorsDialogAnswer::Answer);
        ClearReceived();
        ClickCell(pBar, FindOther(pBar));
        PumpFiltered();
        EXPECT_EQ(1, ColorsDialogAnswer::seen);
        EXPECT_EQ(RGB(0, 128, 0), ColorsDialogAnswer::opened);
        EXPECT_EQ(nullptr, button->GetPopup());
        EXPECT_EQ(c.after, button->GetColor());
        EXPECT_EQ(c.commands, CommandsFromButton());
    }
}

TEST_F(ColorButtonTest, DismissingChoosesNothing)
{
    button->SetColor(RGB(0, 128, 0));
    struct {
        const char* how;
    } ways[] = {{"second click"}, {"escape"}, {"click elsewhere"}};
    for (const auto& way : ways) {
        CKtvPColorBar* pBar = Open();
        ASSERT_NE(nullptr, pBar) << way.how;
        ClearReceived();
        const std::string how = way.how;
        if (how == "second click")
            ClickFiltered(button->GetSafeHwnd(), 10, 10);
        else if (how == "escape")
            KeyFiltered(VK_ESCAPE);
        else
            ClickFiltered(host.GetSafeHwnd(), 300, 300);
        EXPECT_EQ(nullptr, button->GetPopup()) << way.how;
        EXPECT_EQ(0u, CommandsFromButton()) << way.how;
        EXPECT_EQ(RGB(0, 128, 0), button->GetColor()) << way.how;
    }
}

// The window that holds a library popup (a library frame or dialog) hands it
// the keys while it is open; here the test does so.
TEST_F(ColorButtonTest, KeysOpenThePopupAndEnterChoosesTheHotCell)
{
    button->SetFocus();
    KeyFiltered(VK_DOWN);
    ASSERT_NE(nullptr, button->GetPopup());
    CColorPopup* pPopup = button->GetPopup();
    CKtvPColorBar* pBar = &pPopup->m_wndColorBar;
    pPopup->SendMessage(WM_KEYDOWN, VK_DOWN);
    pPopup->SendMessage(WM_KEYDOWN, VK_DOWN);
    ASSERT_GE(pBar->m_iHighlighted, 0);
    const COLORREF hot = dynamic_cast<CColorButton*>(pBar->GetButton(pBar->m_iHighlighted))->m_Color;
    ClearReceived();
    pPopup->SendMessage(WM_KEYDOWN, VK_RETURN);
    PumpFiltered();
    EXPECT_EQ(hot, button->GetColor());
    EXPECT_EQ(1u, CommandsFromButton());
    EXPECT_EQ(nullptr, button->GetPopup());
}

TEST_F(ColorButtonTest, CellTooltipsNameTheColour)
{
    CKtvPColorBar* pBar = Open();
    ASSERT_NE(nullptr, pBar);
    auto tip = [&](int i) {
        TOOLINFO ti{};
        const INT_PTR hit = pBar->GetButton(i)->OnToolHitTest(pBar, &ti);
        std::string text = ti.lpszText != nullptr ? ti.lpszText : "";
        free(ti.lpszText);
        return hit > 0 ? text : std::string("<none>");
    };
    EXPECT_EQ("Hex={FF,00,00}", tip(13));
    EXPECT_EQ("Hex={A6,CA,F0}", tip(9));
    CKtvPColorBar::m_ColorNames.SetAt(RGB(255, 0, 0), "Red");
    EXPECT_EQ("Red", tip(13));
    CKtvPColorBar::m_ColorNames.RemoveAll();
    pBar->GetButton(13)->m_nStyle |= TBBS_DISABLED;
    EXPECT_EQ("<none>", tip(13));
}

TEST_F(ColorButtonTest, ButtonShowsTheAutomaticColourBesideItsCaption)
{
    button->EnableAutomaticButton("Automatic", RGB(255, 255, 255));
    button->SetColor((COLORREF)-1);
    button->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CRect rect;
    button->GetClientRect(rect);
    // A white square at the left, inside the two-pixel border and the swatch frames.
    EXPECT_EQ(RGB(255, 255, 255), ScreenPixel(button->GetSafeHwnd(), rect.Height() / 2, rect.Height() / 2));
    button->SetColor(RGB(0, 0, 255));
    button->UpdateWindow();
    EXPECT_EQ(RGB(0, 0, 255), ScreenPixel(button->GetSafeHwnd(), rect.Width() / 3, rect.Height() / 2));
}

// --- the bar as a child control and in an archive ---------------------------------------------------

class ColorBarControlTest : public KtvControlTest {};

TEST_F(ColorBarControlTest, ChildControlFitsSquareCellsAndSendsItsId)
{
    CKtvPColorBar bar;
    ASSERT_TRUE(bar.CreateControl(&host, CRect(10, 10, 210, 110), 700));
    EXPECT_EQ(20, bar.GetCount());
    EXPECT_EQ(bar.m_BoxWidth, bar.m_BoxHeight);
    CRect rectClient;
    bar.GetClientRect(rectClient);
    const CSize size = bar.CalcMaxButtonSize(TRUE);
    EXPECT_LE(size.cx, rectClient.Width());
    EXPECT_LE(size.cy, rectClient.Height());
    // Centred: the free space is shared on both sides.
    const CRect first = bar.GetButton(0)->m_rect;
    EXPECT_EQ(4 + bar.m_OffsetX, first.left);
    EXPECT_EQ(4 + bar.m_OffsetY, first.top);
    EXPECT_LE(std::abs(rectClient.Width() - size.cx - 2 * bar.m_OffsetX), 1);

    ClearReceived();
    const CPoint pt = bar.GetButton(13)->m_rect.CenterPoint();
    Click(bar.GetSafeHwnd(), pt.x, pt.y);
    PumpFiltered();
    EXPECT_EQ(RGB(255, 0, 0), bar.GetColor());
    const auto commands = Received(WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(700u, commands[0].wParam);
    EXPECT_EQ(0, commands[0].lParam);
    COLORREF stored = 0;
    EXPECT_TRUE(CKtvPColorBar::m_CommandColors.Lookup(700, stored));
    EXPECT_EQ(RGB(255, 0, 0), stored);
    bar.DestroyWindow();
}

TEST_F(ColorBarControlTest, ArchiveRoundTripsByteForByte)
{
    auto store = [](CKtvPColorBar& bar) {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            bar.Serialize(ar);
        }
        const ULONGLONG n = file.GetLength();
        std::vector<BYTE> bytes((size_t)n);
        file.SeekToBegin();
        file.Read(bytes.data(), (UINT)n);
        return bytes;
    };

    CArray<COLORREF, COLORREF> colors;
    colors.Add(RGB(1, 2, 3));
    colors.Add(RGB(40, 50, 60));
    colors.Add(RGB(255, 255, 255));
    CList<COLORREF, COLORREF> docs;
    docs.AddTail(RGB(9, 9, 9));
    CKtvPColorBar source(colors, RGB(40, 50, 60), "Automatic", "More Colors...", "Document", docs, 3, 2, 1,
                         RGB(0, 0, 0), 4242, nullptr);
    source.Rebuild();
    const std::vector<BYTE> first = store(source);

    CMemFile file;
    file.Write(first.data(), (UINT)first.size());
    file.SeekToBegin();
    CKtvPColorBar loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(3, loaded.m_Columns);
    EXPECT_EQ(2, loaded.m_RowsDockHorz);
    EXPECT_EQ(1, loaded.m_ColumnsDockVert);
    EXPECT_EQ("More Colors...", std::string(loaded.m_OtherLabel));
    EXPECT_EQ(4242u, loaded.m_CommandId);
    ASSERT_EQ(3, loaded.m_Colors.GetSize());
    EXPECT_EQ(RGB(40, 50, 60), loaded.m_Colors[1]);
    EXPECT_FALSE(loaded.m_IsToolbar) << "the flag is stored";
    EXPECT_TRUE(loaded.m_DocColors.IsEmpty()) << "document colours are not stored";
    loaded.m_SelectedColor = RGB(40, 50, 60);
    loaded.m_DocColors.AddTail(RGB(9, 9, 9));
    loaded.Rebuild();
    EXPECT_EQ(first, store(loaded));
}

// A frame whose handler enables the bar's command, or not.
class CommandStateFrame : public CFrameWnd {
public:
    BOOL enable = TRUE;
    std::vector<UINT> commands;

protected:
    void OnUpdateColor(CCmdUI* pCmdUI) { pCmdUI->Enable(enable); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandStateFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(750, OnUpdateColor)
END_MESSAGE_MAP()

TEST_F(ColorBarControlTest, TheCommandsStateEnablesTheCells)
{
    auto* pFrame = new CommandStateFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, "Colours", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 320, 260)));
    CKtvPColorBar bar;
    ASSERT_TRUE(bar.CreateControl(pFrame, CRect(10, 10, 210, 110), 750));
    auto disabledCells = [&] {
        int n = 0;
        for (int i = 0; i < bar.GetCount(); i++)
            n += (bar.GetButton(i)->m_nStyle & TBBS_DISABLED) ? 1 : 0;
        return n;
    };

    pFrame->enable = FALSE;
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(20, disabledCells());
    const CPoint pt = bar.GetButton(13)->m_rect.CenterPoint();
    Click(bar.GetSafeHwnd(), pt.x, pt.y);
    PumpFiltered();
    EXPECT_EQ((COLORREF)-1, bar.GetColor()) << "a disabled cell is no choice";
    EXPECT_TRUE(pFrame->commands.empty());

    pFrame->enable = TRUE;
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(0, disabledCells());
    Click(bar.GetSafeHwnd(), pt.x, pt.y);
    PumpFiltered();
    EXPECT_EQ(RGB(255, 0, 0), bar.GetColor());
    EXPECT_EQ(std::vector<UINT>{750}, pFrame->commands);
    bar.DestroyWindow();
    pFrame->DestroyWindow();
}

// --- colour menu buttons of one command -------------------------------------------------------------

class ColorMenuButtonTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        CKtvPColorBar::m_CommandColors.RemoveAll();
        ASSERT_TRUE(bar1.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 511));
        ASSERT_TRUE(bar2.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 512));
    }
    void TearDown() override
    {
        bar1.DestroyWindow();
        bar2.DestroyWindow();
        CKtvPColorBar::m_CommandColors.RemoveAll();
        KtvControlTest::TearDown();
    }
    CKtvPColorMenuButton* Add(CKtvPToolBar& bar, UINT id)
    {
        const int i = bar.InsertButton(new CKtvPColorMenuButton(id, "Colour"));
        return dynamic_cast<CKtvPColorMenuButton*>(bar.GetButton(i));
    }
    static constexpr UINT kCmd = 33001;
    CKtvPToolBar bar1;
    CKtvPToolBar bar2;
};

TEST_F(ColorMenuButtonTest, ButtonsAndTornOffBarsOfOneCommandShareTheColour)
{
    CKtvPColorMenuButton* pOne = Add(bar1, kCmd);
    CKtvPColorMenuButton* pTwo = Add(bar2, kCmd);
    CKtvPColorMenuButton* pOther = Add(bar2, kCmd + 1);
    EXPECT_EQ((COLORREF)-1, pOne->GetColor());
    EXPECT_EQ(20, pOne->m_Colors.GetSize());

    // A torn-off bar of the command, floating in the host.
    CList<COLORREF, COLORREF> noDocs;
    CKtvPColorBar source(pOne->m_Colors, (COLORREF)-1, nullptr, nullptr, nullptr, noDocs, -1, 0, 0, RGB(0, 0, 0),
                         kCmd, nullptr);
    CKtvPColorBar tornOff(source, kCmd);
    ASSERT_TRUE(tornOff.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 513, nullptr));
    const CSize size = tornOff.CalcMaxButtonSize(FALSE);
    tornOff.SetWindowPos(nullptr, 10, 200, size.cx + 20, size.cy + 20, SWP_NOZORDER | SWP_NOACTIVATE);
    tornOff.AdjustLocations();

    pOne->SetColor(RGB(0, 255, 0), TRUE);
    EXPECT_EQ(RGB(0, 255, 0), pTwo->GetColor());
    EXPECT_EQ((COLORREF)-1, pOther->GetColor());
    EXPECT_EQ(RGB(0, 255, 0), tornOff.GetColor());
    EXPECT_EQ(RGB(0, 255, 0), CKtvPColorMenuButton::GetColorByCmdID(kCmd));

    // A choice on the torn-off bar reaches the buttons and the command's owner.
    ClearReceived();
    tornOff.SetOwner(&host);
    const CPoint pt = tornOff.GetButton(16)->m_rect.CenterPoint();
    Click(tornOff.GetSafeHwnd(), pt.x, pt.y);
    PumpFiltered();
    EXPECT_EQ(RGB(0, 0, 255), pOne->GetColor());
    EXPECT_EQ(RGB(0, 0, 255), pTwo->GetColor());
    size_t commands = 0;
    for (const auto& m : Received(WM_COMMAND))
        commands += m.wParam == kCmd ? 1 : 0;
    EXPECT_EQ(1u, commands);

    // A button made later, or loaded, joins the command's colour.
    CKtvPColorMenuButton later(kCmd, "Colour");
    EXPECT_EQ(RGB(0, 0, 255), later.GetColor());
    pOne->m_Columns = 7;
    pOne->EnableOtherButton("Other...");
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pOne->Serialize(ar);
    }
    file.SeekToBegin();
    CKtvPColorMenuButton loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(kCmd, loaded.m_nID);
    EXPECT_EQ(7, loaded.m_Columns);
    EXPECT_TRUE(loaded.m_ShowOther);
    EXPECT_EQ("Other...", std::string(loaded.m_OtherLabel));
    EXPECT_EQ(20, loaded.m_Colors.GetSize());
    EXPECT_EQ(RGB(0, 0, 255), loaded.GetColor());
    tornOff.DestroyWindow();
}

TEST_F(ColorMenuButtonTest, AColourChosenInTheDropDownRunsTheCommand)
{
    CKtvPColorMenuButton* pOne = Add(bar1, kCmd);
    CKtvPColorMenuButton* pTwo = Add(bar2, kCmd);
    pOne->EnableAutomaticButton("Automatic", RGB(0, 0, 0));
    bar1.SetOwner(&host);
    bar1.SetWindowPos(nullptr, 0, 0, 200, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    bar1.AdjustLayout();
    ASSERT_FALSE(pOne->m_rect.IsRectEmpty());

    // The arrow part drops the colours; the rest of the button runs the command.
    Click(bar1.GetSafeHwnd(), pOne->m_rect.right - 3, pOne->m_rect.CenterPoint().y);
    auto* pPopup = dynamic_cast<CColorPopup*>(pOne->m_pPopupMenu);
    ASSERT_NE(nullptr, pPopup);
    CKtvPColorBar& bar = pPopup->m_wndColorBar;
    EXPECT_EQ(kCmd, bar.m_CommandId);
    ASSERT_TRUE(dynamic_cast<CColorButton*>(bar.GetButton(0))->m_IsAutomatic);
    EXPECT_EQ((std::vector<int>{0}), [&] {
        std::vector<int> selected;
        for (int i = 0; i < bar.GetCount(); i++)
            if (dynamic_cast<CColorButton*>(bar.GetButton(i))->m_Selected)
                selected.push_back(i);
        return selected;
    }()) << "no colour yet: automatic";

    ClearReceived();
    const CPoint pt = bar.GetButton(1 + 15)->m_rect.CenterPoint();
    Click(bar.GetSafeHwnd(), pt.x, pt.y);
    PumpFiltered();
    EXPECT_EQ(nullptr, pOne->m_pPopupMenu);
    EXPECT_EQ(RGB(255, 255, 0), pOne->GetColor());
    EXPECT_EQ(RGB(255, 255, 0), pTwo->GetColor());
    size_t commands = 0;
    for (const auto& m : Received(WM_COMMAND))
        commands += LOWORD(m.wParam) == kCmd ? 1 : 0;
    EXPECT_EQ(1u, commands);
}

// The colour classes' run-time records: stored bars and buttons name them.
TEST(ColorClassRecords, NamesBasesAndKinds)
{
    const tw::test::KtvClassRow rows[] = {
        KTV_CLASS_ROW(CKtvPColorMenuButton, CKtvPToolbarMenuButton, Serial, VERSIONABLE_SCHEMA | 1),
        KTV_CLASS_ROW(CColorPopup, CKtvPPopupMenu, Dynamic),
        KTV_CLASS_ROW(CKtvPColorButton, CKtvPButton, Dynamic),
        KTV_CLASS_ROW(CColorPage1, CPropertyPage, DynCreate),
        KTV_CLASS_ROW(CColorPage2, CPropertyPage, DynCreate),
        KTV_CLASS_ROW(CPropertySheetCtrl, CPropertySheet, Dynamic),
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(tw::test::CheckClassRecord(row));
        EXPECT_TRUE(tw::test::CheckCreatesByName(row));
    }
}

}  // namespace
