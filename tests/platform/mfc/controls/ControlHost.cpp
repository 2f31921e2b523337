#include "tests/platform/mfc/controls/ControlHost.h"

#include "platform/win32/kernel/ProcessClock.h"

namespace tw::mfc::test {

namespace {
const UINT kDragListMessage = RegisterWindowMessage(DRAGLISTMSGSTRING);
}

BEGIN_MESSAGE_MAP(ControlHost, CWnd)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_LIST, OnColumnClick)
    ON_NOTIFY(TVN_ITEMEXPANDING, IDC_TREE, OnItemExpanding)
    ON_NOTIFY(TVN_ITEMEXPANDED, IDC_TREE, OnItemExpanded)
    ON_NOTIFY(TVN_SELCHANGED, IDC_TREE, OnTreeSelChanged)
    ON_NOTIFY(TCN_SELCHANGE, IDC_TAB, OnTabSelChange)
    ON_EN_CHANGE(IDC_EDITOR, OnEditorChange)
    ON_NOTIFY(EN_SELCHANGE, IDC_EDITOR, OnEditorSelChange)
    ON_REGISTERED_MESSAGE(kDragListMessage, OnDragList)
END_MESSAGE_MAP()

void ControlHost::Record(const char* what, UINT id, int code)
{
    received.push_back(std::string(what) + " " + std::to_string(id) + " " + std::to_string(code));
}

void ControlHost::OnColumnClick(NMHDR* pNMHDR, LRESULT*)
{
    received.push_back("COLUMNCLICK " + std::to_string(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem));
}

void ControlHost::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    received.push_back("EXPANDING " + std::to_string(reinterpret_cast<NMTREEVIEW*>(pNMHDR)->action));
    *pResult = FALSE;
}

void ControlHost::OnItemExpanded(NMHDR* pNMHDR, LRESULT*)
{
    received.push_back("EXPANDED " + std::to_string(reinterpret_cast<NMTREEVIEW*>(pNMHDR)->action));
}

void ControlHost::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT*)
{
    const auto* tree = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    received.push_back("SELCHANGED " + std::to_string(tree->itemNew.lParam));
}

void ControlHost::OnTabSelChange(NMHDR* pNMHDR, LRESULT*)
{
    received.push_back("TABSELCHANGE " + std::to_string(::SendMessage(pNMHDR->hwndFrom, TCM_GETCURSEL, 0, 0)));
}

void ControlHost::OnEditorChange() { received.push_back("EN_CHANGE"); }

void ControlHost::OnEditorSelChange(NMHDR* pNMHDR, LRESULT*)
{
    const auto* change = reinterpret_cast<SELCHANGE*>(pNMHDR);
    received.push_back("EN_SELCHANGE " + std::to_string(change->chrg.cpMin) + " " + std::to_string(change->chrg.cpMax));
}

// The list box hears about its own drag through the framework's reflection.
LRESULT ControlHost::OnDragList(WPARAM, LPARAM lParam)
{
    LRESULT result = 0;
    ReflectLastMsg(reinterpret_cast<const DRAGLISTINFO*>(lParam)->hWnd, &result);
    return result;
}

void ControlsTest::SetUp()
{
    WindowTest::SetUp();
    ASSERT_TRUE(host.CreateEx(0, nullptr, "Host", WS_POPUP | WS_VISIBLE, 50, 50, 600, 400, nullptr, nullptr));
    SetActiveWindow(host.m_hWnd);
}

std::string ControlsTest::ClassOf(const CWnd& wnd)
{
    char name[64] = {};
    GetClassName(wnd.m_hWnd, name, sizeof name);
    return name;
}

void ControlsTest::Click(CWnd& wnd, CPoint clientPoint)
{
    wnd.ClientToScreen(&clientPoint);
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.Click(tw::display::MouseButton::Left, clientPoint.x, clientPoint.y);
    Pump();
}

void ControlsTest::Type(const std::string& letters)
{
    for (char letter : letters)
        input.KeyStroke(static_cast<UINT>(letter - 'a' + 'A'));
    Pump();
}

}  // namespace tw::mfc::test
