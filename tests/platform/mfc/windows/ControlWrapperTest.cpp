// The standard control wrappers: made with the control's class, speaking its
// messages, and owner-drawn ones getting their own drawing messages back.
#include <string>

#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

class ControlWrappers : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    }
    static std::string ClassOf(const CWnd& wnd)
    {
        char name[32] = {};
        GetClassName(wnd.m_hWnd, name, sizeof name);
        return name;
    }
    CWnd parent;
};

TEST_F(ControlWrappers, ButtonChecksThroughItsMessages)
{
    CButton check;
    ASSERT_TRUE(check.Create("Option", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(5, 5, 100, 25), &parent, 40));
    EXPECT_EQ(ClassOf(check), "Button");
    EXPECT_EQ(check.GetButtonStyle(), static_cast<UINT>(BS_AUTOCHECKBOX));
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(parent.IsDlgButtonChecked(40), static_cast<UINT>(BST_CHECKED));
}

TEST_F(ControlWrappers, EditSelectsReplacesAndReadsLines)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE, CRect(5, 30, 200, 100), &parent, 41));
    EXPECT_EQ(ClassOf(edit), "Edit");
    edit.SetWindowText("select 1\r\nfrom t");
    EXPECT_EQ(edit.GetLineCount(), 2);
    edit.SetSel(7, 8);
    edit.ReplaceSel("42");
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 9);
    EXPECT_EQ(end, 9);
    char line[32] = {};
    const int n = edit.GetLine(0, line, sizeof line - 1);
    EXPECT_EQ(std::string(line, static_cast<size_t>(n)), "select 42");
    char tiny[1] = {};
    EXPECT_EQ(edit.GetLine(0, tiny, 1), 0);
}

TEST_F(ControlWrappers, StaticKeepsItsText)
{
    CStatic label;
    ASSERT_TRUE(label.Create("Server:", WS_VISIBLE | SS_LEFT, CRect(5, 110, 100, 130), &parent));
    EXPECT_EQ(ClassOf(label), "Static");
    CString text;
    label.GetWindowText(text);
    EXPECT_STREQ(text, "Server:");
    EXPECT_EQ(label.GetDlgCtrlID(), 0xFFFF);
}

// Owner-drawn controls receive the parent's WM_DRAWITEM and the rest as their own virtuals.
class DrawnList : public CListBox {
public:
    UINT drawnItem = 0;
    UINT measured = 0;
    int compared = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override { drawnItem = lpDrawItemStruct->itemID; }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
    {
        measured = lpMeasureItemStruct->itemID;
        lpMeasureItemStruct->itemHeight = 21;
    }
    int CompareItem(LPCOMPAREITEMSTRUCT) override { return ++compared; }
};

class DrawnButton : public CButton {
public:
    UINT action = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override { action = lpDrawItemStruct->itemAction; }
};

TEST_F(ControlWrappers, OwnerDrawMessagesComeBackToTheControl)
{
    HWND listHandle = CreateWindowEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                     parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(50)), nullptr, nullptr);
    DrawnList list;
    ASSERT_TRUE(list.SubclassWindow(listHandle));

    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_LISTBOX;
    draw.CtlID = 50;
    draw.itemID = 3;
    draw.hwndItem = listHandle;
    EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, 50, reinterpret_cast<LPARAM>(&draw)), TRUE);
    EXPECT_EQ(list.drawnItem, 3u);

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = 50;
    measure.itemID = 4;
    parent.SendMessage(WM_MEASUREITEM, 50, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(list.measured, 4u);
    EXPECT_EQ(measure.itemHeight, 21u);

    DrawnButton button;
    ASSERT_TRUE(button.Create("Drawn", WS_VISIBLE | BS_OWNERDRAW, CRect(60, 0, 120, 20), &parent, 51));
    DRAWITEMSTRUCT buttonDraw{};
    buttonDraw.CtlType = ODT_BUTTON;
    buttonDraw.CtlID = 51;
    buttonDraw.itemAction = ODA_SELECT;
    buttonDraw.hwndItem = button.m_hWnd;
    parent.SendMessage(WM_DRAWITEM, 51, reinterpret_cast<LPARAM>(&buttonDraw));
    EXPECT_EQ(button.action, static_cast<UINT>(ODA_SELECT));
}

}  // namespace
}  // namespace tw::mfc::test
