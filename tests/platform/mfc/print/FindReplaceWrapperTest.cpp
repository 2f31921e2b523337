// The modeless find and replace dialog of the framework: typed requests
// reach the owner's handler of the registered message with the dialog's
// flags and texts, and the dialog deletes itself once it is closed.
#include "tests/platform/mfc/print/PrintTest.h"

namespace tw::mfc::print_test {
namespace {

// Tells the test when the framework deletes it.
class WatchedFindDialog : public CFindReplaceDialog {
public:
    explicit WatchedFindDialog(bool* deleted) : deleted_(deleted) {}
    ~WatchedFindDialog() override { *deleted_ = true; }

private:
    bool* deleted_;
};

// A child window that owns a find dialog, as an editing view does.
class FindOwnerChild : public CWnd {
public:
    std::vector<std::string> found;

protected:
    LRESULT OnFindReplace(WPARAM, LPARAM lParam)
    {
        if (CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam); dialog && dialog->FindNext())
            found.emplace_back(dialog->GetFindString());
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

const UINT kChildFindMessage = ::RegisterWindowMessage(FINDMSGSTRING);
BEGIN_MESSAGE_MAP(FindOwnerChild, CWnd)
    ON_REGISTERED_MESSAGE(kChildFindMessage, OnFindReplace)
END_MESSAGE_MAP()

class FindReplaceWrapperTest : public PrintTest {
protected:
    void Click(int id)
    {
        ::SendMessage(::GetDlgItem(dialog->m_hWnd, id), BM_CLICK, 0, 0);
        Pump();
    }
    bool deleted = false;
    WatchedFindDialog* dialog = new WatchedFindDialog(&deleted);
};

TEST_F(FindReplaceWrapperTest, RequestsReachTheOwnerWithFlagsAndTextsAndCloseDeletesTheDialog)
{
    ASSERT_TRUE(dialog->Create(FALSE, "old", "new", FR_DOWN | FR_MATCHCASE, frame));
    Pump();
    ASSERT_EQ(CWnd::FromHandlePermanent(dialog->m_hWnd), dialog);
    // The find box starts selected: typing replaces its text.
    Type("needle");
    Key(VK_RETURN);
    Pump();
    Click(psh2);
    const LPARAM request = reinterpret_cast<LPARAM>(&dialog->m_fr);
    Key(VK_ESCAPE);
    Pump();

    ASSERT_EQ(frame->findCalls.size(), 3u);
    const OwnerFrame::FindCall& find = frame->findCalls[0];
    EXPECT_EQ(find.notifier, dialog);
    EXPECT_EQ(find.findText, "needle");
    EXPECT_EQ(find.replaceText, "new");
    EXPECT_EQ(find.flags & (FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL), DWORD(FR_FINDNEXT));
    EXPECT_TRUE(find.flags & FR_MATCHCASE);
    EXPECT_TRUE(find.flags & FR_DOWN);
    EXPECT_FALSE(find.flags & FR_WHOLEWORD);
    EXPECT_EQ(frame->findCalls[1].flags & (FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL), DWORD(FR_REPLACEALL));
    EXPECT_FALSE(frame->findCalls[1].terminating);
    EXPECT_TRUE(frame->findCalls[2].terminating);
    EXPECT_TRUE(deleted) << "the dialog deletes itself when its window goes";
    EXPECT_EQ(CFindReplaceDialog::GetNotifier(request), nullptr) << "a deleted dialog is no notifier";
}

TEST_F(FindReplaceWrapperTest, AChildWindowOwnerGetsTheRequestsOfATopLevelDialog)
{
    FindOwnerChild child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), frame, 1));
    ASSERT_TRUE(dialog->Create(TRUE, "word", nullptr, FR_DOWN, &child));
    Pump();
    EXPECT_EQ(GetAncestor(dialog->m_hWnd, GA_ROOT), dialog->m_hWnd) << "a window of its own, not inside the child";
    Key(VK_RETURN);
    Pump();
    EXPECT_EQ(child.found, (std::vector<std::string>{"word"}));
    EXPECT_TRUE(frame->findCalls.empty());
    dialog->DestroyWindow();
    child.DestroyWindow();
}

TEST_F(FindReplaceWrapperTest, LongTextsAreCutToTheBufferAtAWholeCharacter)
{
    std::string longText(126, 'a');
    longText += "\xC3\xA9";  // a two-byte character across the 127-byte limit
    longText += "tail";
    ASSERT_TRUE(dialog->Create(TRUE, longText.c_str(), nullptr, FR_DOWN, frame));
    EXPECT_EQ(std::string(dialog->GetFindString()), std::string(126, 'a'));
    EXPECT_EQ(std::string(dialog->GetReplaceString()), "");
    dialog->DestroyWindow();
    EXPECT_TRUE(deleted);
}

TEST_F(FindReplaceWrapperTest, AFailedCreateLeavesTheObjectToTheCaller)
{
    // The platform refuses a dialog without an owner window.
    TheApp().m_pMainWnd = nullptr;
    EXPECT_FALSE(dialog->Create(TRUE, "x", nullptr, FR_DOWN, nullptr));
    EXPECT_FALSE(deleted);
    EXPECT_EQ(dialog->m_hWnd, nullptr);
    delete dialog;
}

TEST_F(FindReplaceWrapperTest, AStrayRegisteredMessageHasNoNotifier)
{
    FINDREPLACE unrelated{};
    EXPECT_EQ(CFindReplaceDialog::GetNotifier(reinterpret_cast<LPARAM>(&unrelated)), nullptr);
    EXPECT_EQ(CFindReplaceDialog::GetNotifier(0), nullptr);
    delete dialog;
}

}  // namespace
}  // namespace tw::mfc::print_test
