// A framework window that hosts the wrapped controls of a test and writes
// what its message map receives from them as text: "NOTIFY id code",
// "COMMAND id code" or a handler's own line.
#pragma once

#include <string>
#include <vector>

#include "platform/display/InputInjector.h"
#include "platform/mfc/afxcmn.h"
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {

constexpr UINT IDC_LIST = 700;
constexpr UINT IDC_TREE = 701;
constexpr UINT IDC_TAB = 702;
constexpr UINT IDC_EDITOR = 703;
constexpr UINT IDC_DRAGLIST = 704;

class ControlHost : public CWnd {
public:
    std::vector<std::string> received;
    void Clear() { received.clear(); }

protected:
    void Record(const char* what, UINT id, int code);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEditorChange();
    void OnEditorSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnDragList(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The window tests' fixture with a visible host and injected input.
class ControlsTest : public WindowTest {
protected:
    void SetUp() override;
    static std::string ClassOf(const CWnd& wnd);
    void Click(CWnd& wnd, CPoint clientPoint);
    // Lower-case letters typed as keys, which TranslateMessage makes characters.
    void Type(const std::string& letters);

    ControlHost host;
    tw::display::InputInjector input;
};

}  // namespace tw::mfc::test
