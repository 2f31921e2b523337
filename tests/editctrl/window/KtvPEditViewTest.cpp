// The edit view in a frame with its document: typing marks the document,
// the text goes through the control to the file, and the find and replace
// dialog runs its requests, keeps the main window disabled while it is open
// and always enables it again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "editctrl/KtvPEditView.h"
#include "editctrl/KtvPFindReplaceDialog.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace ktvp_edit_view_test {
namespace {

class ScriptDoc : public CDocument {
    DECLARE_DYNCREATE(ScriptDoc)
public:
    void Serialize(CArchive& ar) override
    {
        POSITION pos = GetFirstViewPosition();
        static_cast<CKtvPEditView*>(GetNextView(pos))->SerializeRaw(ar);
    }
};
IMPLEMENT_DYNCREATE(ScriptDoc, CDocument)

// The view tests need a main window to disable; the application object
// names it.
CWinApp& TestApp()
{
    static CWinApp app("Tarnwick");
    return app;
}

class EditViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::ProcessClock::Freeze();
        tw::RegisterStandardControlClasses();
        ASSERT_TRUE(mainWnd.CreateEx(0, AfxRegisterWndClass(0), "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                     100, nullptr, nullptr));
        TestApp().m_pMainWnd = &mainWnd;
        doc = new ScriptDoc;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CKtvPEditView);
        context.m_pCurrentDoc = doc;
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Script", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 450, 350),
                                  &mainWnd, nullptr, 0, &context));
        frameWindow = frame->m_hWnd;
        frame->InitialUpdateFrame(doc, TRUE);
        view = dynamic_cast<CKtvPEditView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
        ASSERT_NE(view->m_pEdit, nullptr);
        edit = view->m_pEdit;
        Pump();
    }
    void TearDown() override
    {
        // The frame deletes itself with its window.
        if (frameWindow != nullptr && ::IsWindow(frameWindow))
            ::DestroyWindow(frameWindow);
        Pump();
        TestApp().m_pMainWnd = nullptr;
        if (mainWnd.m_hWnd != nullptr)
            mainWnd.DestroyWindow();
        Pump();
        tw::ProcessClock::Resume();
    }
    static void Pump()
    {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    void SetText(const char* text) { ::SendMessage(edit->m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
    std::string Text() const { return std::string(edit->GetText().GetString()); }
    void Command(UINT id) { view->SendMessage(WM_COMMAND, id); }
    HWND Dialog() const { return view->m_pFindReplaceDlg != nullptr ? view->m_pFindReplaceDlg->m_hWnd : nullptr; }
    void Click(HWND dialog, int id)
    {
        ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
        Pump();
    }
    static std::string DialogText(HWND dialog, int id)
    {
        char text[128] = {};
        ::GetDlgItemText(dialog, id, text, sizeof text);
        return text;
    }
    BOOL MainWindowDisabled() const { return (mainWnd.GetStyle() & WS_DISABLED) != 0; }

    CWnd mainWnd;
    ScriptDoc* doc = nullptr;
    CFrameWnd* frame = nullptr;
    HWND frameWindow = nullptr;
    CKtvPEditView* view = nullptr;
    CKtvPEditCtrl* edit = nullptr;
};

TEST_F(EditViewTest, TheControlFillsTheViewAndTypingMarksTheDocument)
{
    CRect viewClient;
    view->GetClientRect(&viewClient);
    CRect editWindow;
    edit->GetWindowRect(&editWindow);
    EXPECT_EQ(editWindow.Size(), viewClient.Size());
    EXPECT_EQ(edit->GetDlgCtrlID(), 1);

    EXPECT_FALSE(doc->IsModified());
    view->SetFocus();
    EXPECT_EQ(::GetFocus(), edit->m_hWnd) << "the view passes the focus on";
    ::SendMessage(edit->m_hWnd, WM_CHAR, 'x', 0);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(EditViewTest, TheDocumentSavesAndOpensItsTextThroughTheControl)
{
    SetText("select 1\ngo");
    ASSERT_TRUE(doc->DoSave("script.sql"));
    FILE* f = std::fopen("script.sql", "rb");
    ASSERT_NE(f, nullptr);
    char bytes[64] = {};
    const size_t n = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    EXPECT_EQ(std::string(bytes, n), "select 1\r\ngo");

    SetText("");
    ASSERT_TRUE(doc->OnOpenDocument("script.sql"));
    EXPECT_EQ(Text(), "select 1\ngo");
}

TEST_F(EditViewTest, InitialFindTextComesFromAOneLineSelectionOrTheWordAtTheCaret)
{
    struct Case {
        const char* text;
        int selStart;  // -1: no selection
        int selEnd;
        int caret;
        const char* expected;
    };
    const Case cases[] = {
        {"select\tcol from t", 0, 10, 0, "select col"},  // a tab becomes a space
        {"select\nfrom t", 2, 9, 0, "previous"},         // two lines: left alone
        {"select col from t", -1, -1, 8, "col"},
        {"", -1, -1, 0, "previous"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetText(c.text);
        edit->SetCaret(c.caret);
        if (c.selStart >= 0)
            edit->SetSelection(c.selStart, c.selEnd);
        CString strText("previous");
        view->GetFindInitialText(strText);
        EXPECT_EQ(strText, c.expected);
    }
}

TEST_F(EditViewTest, FindDialogFindsKeepsTheMainWindowDisabledAndEnablesItWhenClosed)
{
    SetText("one two one two");
    edit->SetCaret(0);
    Command(ID_EDIT_FIND);
    const HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(MainWindowDisabled());
    EXPECT_EQ(DialogText(dialog, edt1), "one") << "the word at the caret";

    CKtvPFindReplaceDialog* first = view->m_pFindReplaceDlg;
    Command(ID_EDIT_FIND);
    EXPECT_EQ(view->m_pFindReplaceDlg, first) << "a second Find only focuses the open dialog";

    ::SetDlgItemText(dialog, edt1, "two");
    Click(dialog, IDOK);
    int start = -1, end = -1;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 7);
    EXPECT_EQ(CKtvPEditView::GetLastFindText(), "two");

    Click(dialog, IDCANCEL);
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(view->m_pFindReplaceDlg, nullptr);
    EXPECT_FALSE(MainWindowDisabled());
    EXPECT_EQ(::GetFocus(), edit->m_hWnd);
}

TEST_F(EditViewTest, ReplaceAllFromTheDialogAndALaterFindWithoutItOnlyFinds)
{
    SetText("a-a-a");
    Command(ID_EDIT_REPLACE);
    const HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    ::SetDlgItemText(dialog, edt1, "a");
    ::SetDlgItemText(dialog, edt2, "bb");
    Click(dialog, psh2);
    EXPECT_EQ(Text(), "bb-bb-bb");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(CKtvPEditView::GetLastReplaceText(), "bb");
    EXPECT_EQ(CKtvPEditView::GetLastFindFlags() & (FR_REPLACE | FR_REPLACEALL | FR_FINDNEXT), 0u);
    Click(dialog, IDCANCEL);

    // A find request with no dialog open runs the kept text and options.
    SetText("x a x a");
    edit->SetCaret(0);
    view->SendMessage(::RegisterWindowMessage(FINDMSGSTRING), 0, 0);
    EXPECT_EQ(Text(), "x a x a") << "the earlier Replace All is not run again";
    int start = -1, end = -1;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 3);
}

TEST_F(EditViewTest, AViewClosedWhileItsDialogIsOpenStillEnablesTheMainWindow)
{
    SetText("text");
    Command(ID_EDIT_REPLACE);
    const HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(MainWindowDisabled());
    ::DestroyWindow(frameWindow);
    Pump();
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_FALSE(MainWindowDisabled());
}

TEST_F(EditViewTest, EditCommandsReachTheControlAndFollowItsState)
{
    SetText("abc");
    Command(ID_EDIT_SELECT_ALL);
    int start = -1, end = -1;
    edit->GetSel(start, end);
    EXPECT_EQ(std::max(start, end) - std::min(start, end), 3);
    ::SendMessage(edit->m_hWnd, WM_CHAR, 'z', 0);
    ASSERT_EQ(Text(), "z");

    struct Probe : CCmdUI {
        BOOL enabled = -1;
        void Enable(BOOL bOn) override { enabled = bOn; }
    };
    Probe undo;
    undo.m_nID = ID_EDIT_UNDO;
    undo.DoUpdate(view, FALSE);
    EXPECT_TRUE(undo.enabled);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), "abc");
    Probe redo;
    redo.m_nID = ID_EDIT_REDO;
    redo.DoUpdate(view, FALSE);
    EXPECT_TRUE(redo.enabled);
    Command(ID_EDIT_REDO);
    EXPECT_EQ(Text(), "z");
}

TEST_F(EditViewTest, TheControlTakesEveryKeyOfADialogUnlessItsCodeLeavesItToTheDefault)
{
    EXPECT_EQ(::SendMessage(edit->m_hWnd, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
    edit->m_nDlgCode = -1;
    EXPECT_EQ(::SendMessage(edit->m_hWnd, WM_GETDLGCODE, 0, 0), ::DefWindowProc(edit->m_hWnd, WM_GETDLGCODE, 0, 0));
}

}  // namespace
}  // namespace ktvp_edit_view_test
