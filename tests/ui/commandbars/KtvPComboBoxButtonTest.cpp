// Combo boxes and edit boxes on toolbars: the items, selection and text a
// button keeps, every box of one command kept in step across bars, the keys
// of the flat edit, vertical bars, stored records and moves between bars.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"
#include "platform/mfc/afxmsg.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/HelpComboBoxButton.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"
#include "ui/commandbars/KtvPToolbarEditBoxButton.h"

namespace {

using namespace tw::test;

constexpr UINT kBoxCmd = 32901;
constexpr UINT kOtherCmd = 32902;

// A frame whose commands are recorded and whose controls' notifications are
// reflected back to them, as the framework's frames do.
class ReflectingFrame : public KtvRecordingFrame {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam != 0 && ReflectLastMsg((HWND)lParam))
            return TRUE;
        codes.push_back(HIWORD(wParam));
        return KtvRecordingFrame::OnCommand(wParam, lParam);
    }
    // Ctrl with an editing key is one of the frame's accelerators here, so
    // only a box that keeps those keys to itself gets them.
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam != VK_CONTROL && ::GetKeyState(VK_CONTROL) < 0) {
            accelerators++;
            return TRUE;
        }
        // Only posted commands pass through here: the ones a button posts.
        if (pMsg->message == WM_COMMAND && pMsg->hwnd == m_hWnd)
            posted.push_back({LOWORD(pMsg->wParam), HIWORD(pMsg->wParam)});
        return KtvRecordingFrame::PreTranslateMessage(pMsg);
    }
    std::vector<UINT> codes;  // the notification code of each recorded command
    std::vector<std::pair<UINT, UINT>> posted;  // id and code of each posted command
    int accelerators = 0;
};

// Stores a button's record, as a bar stores its buttons.
std::vector<BYTE> StoreRecord(CKtvPToolbarButton& button)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        button.Serialize(ar);
    }
    const ULONGLONG n = file.GetLength();
    std::vector<BYTE> bytes((size_t)n);
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)n);
    return bytes;
}

void LoadRecord(CKtvPToolbarButton& button, const std::vector<BYTE>& bytes)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    button.Serialize(ar);
}

class BoxButtonTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        KtvPrepareUiTest();
        HeadlessWindowTest::SetUp();
        CKtvPToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        frame = new ReflectingFrame;
        ASSERT_TRUE(frame->CreateFrame(20, 20, 600, 400));
        ASSERT_TRUE(frame->m_dockManager.EnableDocking(CBRS_ALIGN_ANY));
        CKtvPToolbarComboBoxButton::m_bFlat = TRUE;
    }
    ReflectingFrame* Frame() { return static_cast<ReflectingFrame*>(frame); }

    // A bar with one plain button, then the given box; docked at the top, or on the left.
    CKtvPToolBar* BarWith(CKtvPToolbarButton* pBox, UINT nBarID, UINT nDockBar = AFX_IDW_DOCKBAR_TOP)
    {
        CKtvPToolBar* pBar = MakeBar({kOtherCmd}, FALSE, nBarID);
        pBar->InsertButton(pBox);
        frame->DockControlBar(pBar, nDockBar);
        pBar->AdjustLayout();
        Pump();
        return pBar;
    }
    static CKtvPToolbarComboBoxButton* NewCombo(DWORD dwStyle, int iImage = -1)
    {
        auto* pCombo = new CKtvPToolbarComboBoxButton(kBoxCmd, iImage, dwStyle, 120);
        pCombo->AddItem("master", 1);
        pCombo->AddItem("model", 2);
        pCombo->AddItem("msdb", 3);
        return pCombo;
    }
    // Types into a window as a user does, through the program's message loop.
    void TypeInto(CWnd* pWnd, const std::string& text)
    {
        pWnd->SetFocus();
        TypeKeys(text);
        PumpFiltered();
    }
    void PumpFiltered()
    {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (CWnd::WalkPreTranslateTree(nullptr, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    void Chord(UINT vk)
    {
        input.KeyDown(VK_CONTROL);
        input.KeyStroke(vk);
        input.KeyUp(VK_CONTROL);
        PumpFiltered();
    }
    // The commands of one id and notification code posted to the frame.
    size_t CommandsOf(UINT nID, UINT nCode)
    {
        size_t n = 0;
        for (const auto& command : Frame()->posted)
            n += command.first == nID && command.second == nCode;
        return n;
    }
};

// --- combo boxes ---------------------------------------------------------------------------------

TEST_F(BoxButtonTest, ComboKeepsItemsDataAndSelectionWithAndWithoutItsWindow)
{
    CKtvPToolbarComboBoxButton loose(kBoxCmd, -1, CBS_DROPDOWNLIST, 100);
    for (CKtvPToolbarComboBoxButton* pCombo : {&loose, NewCombo(CBS_DROPDOWNLIST)}) {
        SCOPED_TRACE(pCombo == &loose ? "without a window" : "on a bar");
        if (pCombo == &loose) {
            loose.AddItem("master", 1);
            loose.AddItem("model", 2);
            loose.AddItem("msdb", 3);
        } else {
            BarWith(pCombo, 0xE820);
            ASSERT_NE(pCombo->GetHwnd(), nullptr);
            EXPECT_EQ(pCombo->m_pWndCombo->GetCount(), 3);
        }
        EXPECT_EQ(pCombo->GetCount(), 3);
        EXPECT_STREQ(pCombo->m_strEdit, "master") << "the first item gives the empty box its text";

        // Listed again: no new item, and the lists take the new data as the window does.
        EXPECT_EQ(pCombo->AddItem("model", 20), 2);
        EXPECT_EQ(pCombo->GetCount(), 3);
        EXPECT_EQ(pCombo->GetItemData(1), 20u);
        EXPECT_EQ(pCombo->m_lstItemData.GetAt(pCombo->m_lstItemData.FindIndex(1)), 20u);

        EXPECT_TRUE(pCombo->SelectItemByText("msdb"));
        EXPECT_EQ(pCombo->m_iSelIndex, 2);
        EXPECT_STREQ(pCombo->GetItem(), "msdb");
        EXPECT_EQ(pCombo->GetItemData(), 3u);
        EXPECT_FALSE(pCombo->SelectItemByText("MSDB")) << "names compare with case";
        EXPECT_FALSE(pCombo->SelectItem(3)) << "one past the end";
        EXPECT_EQ(pCombo->m_iSelIndex, 2);
        EXPECT_EQ(pCombo->GetItem(7), nullptr);

        pCombo->RemoveAllItems();
        EXPECT_EQ(pCombo->GetCount(), 0);
        EXPECT_EQ(pCombo->GetItem(), nullptr);
        EXPECT_TRUE(pCombo->m_strEdit.IsEmpty());
    }
}

TEST_F(BoxButtonTest, FlatComboHidesTheRealBoxAndLaysTheEditOverItsText)
{
    auto* pList = NewCombo(CBS_DROPDOWNLIST);
    auto* pEditable = new CKtvPToolbarComboBoxButton(kOtherCmd + 1, -1, CBS_DROPDOWN, 150);
    CKtvPToolBar* pBar = BarWith(pList, 0xE820);
    pBar->InsertButton(pEditable);
    pBar->AdjustLayout();
    Pump();

    for (CKtvPToolbarComboBoxButton* pCombo : {pList, pEditable}) {
        EXPECT_FALSE(pCombo->m_pWndCombo->GetStyle() & WS_VISIBLE);
        EXPECT_EQ(pCombo->m_rect.Width(), pCombo->m_rectCombo.Width() + 2);
        EXPECT_EQ(pCombo->m_rectButton.right, pCombo->m_rectCombo.right - 2);
    }
    EXPECT_EQ(pList->m_pWndEdit, nullptr) << "a drop-down list has no edit";
    EXPECT_FALSE(pList->IsWindowVisible());
    EXPECT_TRUE(pEditable->IsWindowVisible());
    ASSERT_NE(pEditable->m_pWndEdit, nullptr);
    CRect rectEdit;
    pEditable->m_pWndEdit->GetWindowRect(rectEdit);
    pBar->ScreenToClient(rectEdit);
    EXPECT_EQ(rectEdit.left, pEditable->m_rectCombo.left + 3);
    EXPECT_LT(rectEdit.right, pEditable->m_rectButton.left);

    // A click drops the hidden box's list.
    const CPoint centre = pList->m_rect.CenterPoint();
    Click(pBar->m_hWnd, centre.x, centre.y);
    Pump();
    EXPECT_TRUE(pList->m_pWndCombo->GetDroppedState());
}

TEST_F(BoxButtonTest, TypingInOneFlatComboReachesEveryComboOfTheCommand)
{
    auto* pFirst = NewCombo(CBS_DROPDOWN);
    auto* pSecond = NewCombo(CBS_DROPDOWN);
    BarWith(pFirst, 0xE820);
    BarWith(pSecond, 0xE821);
    ASSERT_NE(pFirst->m_pWndEdit, nullptr);
    pFirst->m_pWndEdit->SetWindowText("");
    PumpFiltered();

    TypeInto(pFirst->m_pWndEdit, "mo");
    EXPECT_STREQ(pFirst->m_strEdit, "mo");
    EXPECT_EQ(pFirst->m_pWndCombo->GetCurSel(), 1) << "the first item in list order that begins so";
    EXPECT_STREQ(pSecond->m_strEdit, "mo");
    CString text;
    pSecond->m_pWndEdit->GetWindowText(text);
    EXPECT_EQ(text, "mo");

    TypeInto(pFirst->m_pWndEdit, "del");
    EXPECT_STREQ(pSecond->m_strEdit, "model");
    EXPECT_EQ(pFirst->m_pWndCombo->GetCurSel(), 1);
}

// Counts what it is told of chosen items, as a box that acts on them would.
class CountingCombo : public CKtvPToolbarComboBoxButton {
public:
    explicit CountingCombo(DWORD dwStyle) : CKtvPToolbarComboBoxButton(kBoxCmd, -1, dwStyle, 120)
    {
        AddItem("master", 1);
        AddItem("model", 2);
        AddItem("msdb", 3);
    }
    BOOL NotifyCommand(int iNotifyCode) override
    {
        selEndOks += iNotifyCode == CBN_SELENDOK;
        return CKtvPToolbarComboBoxButton::NotifyCommand(iNotifyCode);
    }
    int selEndOks = 0;
};

TEST_F(BoxButtonTest, ChoosingAnItemSelectsItInTheOthersWithOneNotification)
{
    auto* pFirst = new CountingCombo(CBS_DROPDOWNLIST);
    auto* pSecond = new CountingCombo(CBS_DROPDOWNLIST);
    CKtvPToolBar* pBar = BarWith(pFirst, 0xE820);
    BarWith(pSecond, 0xE821);

    // The user picks "model" from the dropped list with the keyboard.
    const CPoint centre = pFirst->m_rect.CenterPoint();
    Click(pBar->m_hWnd, centre.x, centre.y);
    PumpFiltered();
    ASSERT_TRUE(pFirst->m_pWndCombo->GetDroppedState());
    input.KeyStroke(VK_DOWN);
    input.KeyStroke(VK_DOWN);
    input.KeyStroke(VK_RETURN);
    PumpFiltered();

    EXPECT_EQ(pFirst->m_iSelIndex, 1);
    EXPECT_STREQ(pFirst->m_strEdit, "model");
    EXPECT_EQ(pSecond->m_iSelIndex, 1);
    EXPECT_STREQ(pSecond->m_strEdit, "model");
    EXPECT_EQ(pSecond->m_pWndCombo->GetCurSel(), 1);
    EXPECT_EQ(pFirst->selEndOks, 1);
    EXPECT_EQ(pSecond->selEndOks, 0) << "the other box is not told again";
}

TEST_F(BoxButtonTest, EnterInTheFlatEditPostsTheCommand)
{
    auto* pCombo = NewCombo(CBS_DROPDOWN);
    BarWith(pCombo, 0xE820);
    Frame()->posted.clear();
    TypeInto(pCombo->m_pWndEdit, "x");
    EXPECT_EQ(CommandsOf(kBoxCmd, 0), 0u) << "typing alone runs nothing";
    input.KeyStroke(VK_RETURN);
    PumpFiltered();
    PumpFiltered();
    EXPECT_EQ(CommandsOf(kBoxCmd, 0), 1u);
    CString typed;
    pCombo->m_pWndEdit->GetWindowText(typed);
    EXPECT_EQ(typed.GetLength(), 7);
    EXPECT_EQ(pCombo->m_strEdit, typed);
}

TEST_F(BoxButtonTest, OnAVerticalBarABoxIsAPlainButton)
{
    // With images, so that they show as the bar's other buttons do.
    auto* pCombo = NewCombo(CBS_DROPDOWN, 1);
    auto* pEdit = new CKtvPToolbarEditBoxButton;
    pEdit->m_nID = kBoxCmd + 10;
    pEdit->SetImage(2);
    CKtvPToolBar* pBar = MakeBar({kOtherCmd}, FALSE);
    pBar->InsertButton(pCombo);
    pBar->InsertButton(pEdit);
    pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
    pBar->SetWindowPos(nullptr, 0, 0, 23, 200, SWP_NOMOVE | SWP_NOZORDER);
    pBar->AdjustLocations();
    Pump();

    EXPECT_FALSE(pCombo->m_bHorzMeasured);
    EXPECT_FALSE(pCombo->IsWindowVisible());
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_EQ(pCombo->m_rect.Size(), pBar->GetButton(0)->m_rect.Size()) << "as large as a plain button";
    EXPECT_EQ(pEdit->m_rect.Size(), pBar->GetButton(0)->m_rect.Size());

    // Back on a horizontal bar, the boxes come back.
    pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP);
    pBar->SetWindowPos(nullptr, 0, 0, 400, 24, SWP_NOMOVE | SWP_NOZORDER);
    pBar->AdjustLocations();
    Pump();
    EXPECT_TRUE(pCombo->IsWindowVisible());
    EXPECT_TRUE(pEdit->IsWindowVisible());
    EXPECT_EQ(pCombo->m_rect.Width(), 120);
}

TEST_F(BoxButtonTest, StoredComboLoadsBackByteForByte)
{
    // With an image of its own, the button's common record stores back unchanged too.
    auto* pCombo = NewCombo(CBS_DROPDOWNLIST, 4);
    BarWith(pCombo, 0xE820);
    // An item put straight into the window is stored too.
    const int i = pCombo->m_pWndCombo->AddString("tempdb");
    pCombo->m_pWndCombo->SetItemData(i, 0x12345678);
    pCombo->SelectItem(1, FALSE);
    const std::vector<BYTE> bytes = StoreRecord(*pCombo);

    CKtvPToolbarComboBoxButton copy;
    LoadRecord(copy, bytes);
    EXPECT_EQ(copy.GetCount(), 4);
    EXPECT_STREQ(copy.GetItem(3), "tempdb");
    EXPECT_EQ(copy.GetItemData(3), 0x12345678u);
    EXPECT_EQ(copy.m_iSelIndex, 1);
    EXPECT_EQ(copy.m_nWidth, 120);
    EXPECT_EQ(StoreRecord(copy), bytes);

    CHelpComboBoxButton help(kBoxCmd, 4, CBS_DROPDOWN, 90, "Type a question");
    help.AddItem("index");
    CHelpComboBoxButton helpCopy;
    LoadRecord(helpCopy, StoreRecord(help));
    EXPECT_EQ(helpCopy.GetPrompt(), "Type a question");
    EXPECT_EQ(StoreRecord(helpCopy), StoreRecord(help));
}

TEST_F(BoxButtonTest, AComboMovedToAnotherBarTakesItsItems)
{
    auto* pCombo = NewCombo(CBS_DROPDOWN);
    CKtvPToolBar* pFrom = BarWith(pCombo, 0xE820);
    pCombo->SelectItem(2, FALSE);
    CKtvPToolBar* pTo = MakeBar({kOtherCmd}, TRUE, 0xE821);

    pTo->InsertButtonCopy(*pCombo);
    pFrom->RemoveButton(1);
    pTo->AdjustLayout();
    Pump();

    auto* pMoved = static_cast<CKtvPToolbarComboBoxButton*>(pTo->GetButton(1));
    ASSERT_NE(pMoved->GetHwnd(), nullptr);
    EXPECT_EQ(pMoved->m_pWndCombo->GetParent(), pTo);
    EXPECT_EQ(pMoved->m_pWndCombo->GetCount(), 3);
    EXPECT_EQ(pMoved->m_pWndCombo->GetCurSel(), 2);
    CString text;
    pMoved->m_pWndEdit->GetWindowText(text);
    EXPECT_EQ(text, "msdb");
}

// --- edit boxes ----------------------------------------------------------------------------------

class EditBoxTest : public BoxButtonTest {
protected:
    static CKtvPToolbarEditBoxButton* NewEdit()
    {
        auto* pEdit = new CKtvPToolbarEditBoxButton;
        pEdit->m_nID = kBoxCmd;
        return pEdit;
    }
    static CString TextOf(CKtvPToolbarEditBoxButton* pEdit)
    {
        CString text;
        pEdit->m_pWndEdit->GetWindowText(text);
        return text;
    }
};

TEST_F(EditBoxTest, TypingUpdatesTheOtherBoxesWithoutTheirCommands)
{
    auto* pFirst = NewEdit();
    auto* pSecond = NewEdit();
    BarWith(pFirst, 0xE820);
    BarWith(pSecond, 0xE821);
    ASSERT_NE(pFirst->GetHwnd(), nullptr);
    Frame()->posted.clear();

    TypeInto(pFirst->m_pWndEdit, "abc");
    PumpFiltered();
    EXPECT_EQ(pFirst->m_strContents, "abc");
    EXPECT_EQ(pSecond->m_strContents, "abc");
    EXPECT_EQ(TextOf(pSecond), "abc");
    EXPECT_EQ(CommandsOf(kBoxCmd, EN_UPDATE), 3u) << "one command per key typed, none from the copies";
}

TEST_F(EditBoxTest, EditingKeysStayInTheBox)
{
    auto* pEdit = NewEdit();
    BarWith(pEdit, 0xE820);
    TypeInto(pEdit->m_pWndEdit, "select");
    pEdit->m_pWndEdit->SetSel(0, 3);

    Chord('C');
    Chord('X');
    EXPECT_EQ(TextOf(pEdit), "ect");
    pEdit->m_pWndEdit->SetSel(3, 3);
    Chord('V');
    EXPECT_EQ(TextOf(pEdit), "ectsel");
    Chord('Z');
    EXPECT_EQ(TextOf(pEdit), "ect");
    pEdit->m_pWndEdit->SetSel(0, 1);
    Chord(VK_DELETE);
    EXPECT_EQ(TextOf(pEdit), "ct");
    EXPECT_EQ(Frame()->accelerators, 0);
}

TEST_F(EditBoxTest, ContentsSurviveWithoutAWindowAndAcrossMoves)
{
    CKtvPToolbarEditBoxButton loose;
    loose.m_nID = kBoxCmd;
    loose.SetContents("orders");
    CKtvPToolbarEditBoxButton loaded;
    LoadRecord(loaded, StoreRecord(loose));
    EXPECT_EQ(loose.m_strContents, "orders") << "storing keeps what it holds";
    EXPECT_EQ(loaded.m_strContents, "orders");

    auto* pEdit = NewEdit();
    CKtvPToolBar* pFrom = BarWith(pEdit, 0xE820);
    TypeInto(pEdit->m_pWndEdit, "customers");
    CKtvPToolBar* pTo = MakeBar({kOtherCmd}, TRUE, 0xE821);
    pTo->InsertButtonCopy(*pEdit);
    pFrom->RemoveButton(1);
    pTo->AdjustLayout();
    Pump();
    auto* pMoved = static_cast<CKtvPToolbarEditBoxButton*>(pTo->GetButton(1));
    ASSERT_NE(pMoved->GetHwnd(), nullptr);
    EXPECT_EQ(TextOf(pMoved), "customers");
}

}  // namespace
