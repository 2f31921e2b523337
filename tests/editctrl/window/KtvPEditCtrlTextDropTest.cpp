// Text dropped on the program's window by another program, injected as the
// desktop reports it, with OLE started as the program starts it.
#include "tests/editctrl/window/EditWindowFixture.h"

#include "platform/display/Display.h"
#include "platform/display/InputInjector.h"
#include "platform/mfc/afxole.h"

namespace ktvp_window_test {
namespace {

class EditTextDropTest : public EditWindowTest {
protected:
    void SetUp() override
    {
        tw::display::Display::Instance().Input().Clear();
        ASSERT_TRUE(AfxOleInit());
        EditWindowTest::SetUp();
    }
    void TearDown() override
    {
        EditWindowTest::TearDown();
        tw::display::Display::Instance().Input().Clear();
        OleUninitialize();
    }

    void DropAt(const CWnd& wnd, POINT client, const std::string& text)
    {
        ::ClientToScreen(wnd.m_hWnd, &client);
        input.DropText(client.x, client.y, text);
        Pump();
    }

    tw::display::InputInjector input;
};

struct DropCase {
    const char* name;
    const char* before;
    int offset;
    const char* dropped;
    const char* after;
};

TEST_F(EditTextDropTest, DroppedTextLandsAtThePointAsOneUndoStep)
{
    const DropCase cases[] = {
        {"into a word", "select from t", 7, "* ", "select * from t"},
        {"rows, with the platform's line ends", "ab", 1, "one\r\ntwo\r\n", "aone\ntwo\nb"},
        {"several-byte characters", "[]", 1, "\xC3\xA9t\xC3\xA9", "[\xC3\xA9t\xC3\xA9]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.before));
        DropAt(edit, PointOf(c.offset), c.dropped);
        EXPECT_EQ(Text(), c.after);
        ASSERT_TRUE(edit.Undo());
        EXPECT_EQ(Text(), c.before);
        EXPECT_FALSE(edit.CanUndo());
    }
}

TEST_F(EditTextDropTest, AReadOnlyControlRefuses)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("fixed"));
    edit.m_bReadOnly = TRUE;
    DropAt(edit, PointOf(2), "no");
    EXPECT_EQ(Text(), "fixed");
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(EditTextDropTest, AWindowWithoutADropTargetIsUnchanged)
{
    ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("kept"));
    ::SendMessage(parent.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("parent"));
    // Below the control, on the parent, which takes no drops.
    DropAt(parent, POINT{100, 300}, "lost");
    EXPECT_EQ(Text(), "kept");
    EXPECT_FALSE(edit.CanUndo());
    char title[32] = {};
    ::GetWindowText(parent.m_hWnd, title, sizeof title);
    EXPECT_STREQ(title, "parent");
}

}  // namespace
}  // namespace ktvp_window_test
