// A form view in a frame: its controls come from the template, its values
// from DoDataExchange at the initial update, and its buttons' commands reach
// the document.
#include <gtest/gtest.h>

#include <mutex>

#include "platform/mfc/afxwin.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "tests/platform/mfc/frames/fixtures/FrameFixtures.h"

namespace {

constexpr UINT IDC_NAME = 1001;
constexpr UINT IDC_GO = 1002;

class FormDoc : public CDocument {
    DECLARE_DYNCREATE(FormDoc)
public:
    int goes = 0;

protected:
    void OnGo() { ++goes; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(FormDoc, CDocument)
BEGIN_MESSAGE_MAP(FormDoc, CDocument)
    ON_BN_CLICKED(IDC_GO, OnGo)
END_MESSAGE_MAP()

class NameForm : public CFormView {
    DECLARE_DYNCREATE(NameForm)
public:
    NameForm() : CFormView(IDD_TEST_FORM) {}
    CString name = "initial";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_NAME, name); }
};
IMPLEMENT_DYNCREATE(NameForm, CFormView)

class PopupForm : public CFormView {
    DECLARE_DYNCREATE(PopupForm)
public:
    PopupForm() : CFormView(IDD_TEST_POPUP_FORM) {}
};
IMPLEMENT_DYNCREATE(PopupForm, CFormView)

class FormViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::once_flag once;
        std::call_once(once, [] {
            tw::RegisterStandardControlClasses();
            tw::RegisterResources(tw::ProgramInstance(), FrameFixtureResources());
        });
        tw::ProcessClock::Freeze();
    }
    void TearDown() override
    {
        if (frameHwnd && IsWindow(frameHwnd))
            DestroyWindow(frameHwnd);
        AfxDeleteTempMaps();
        tw::ProcessClock::Resume();
    }
    CFrameWnd* MakeFrame(CRuntimeClass* viewClass, CDocument* doc, CRect rect = CRect(0, 0, 400, 300))
    {
        CCreateContext context;
        context.m_pNewViewClass = viewClass;
        context.m_pCurrentDoc = doc;
        auto* frame = new CFrameWnd;
        if (!frame->Create(nullptr, "Form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect, nullptr, nullptr, 0, &context))
            return nullptr;
        frameHwnd = frame->m_hWnd;
        return frame;
    }
    HWND frameHwnd = nullptr;
};

TEST_F(FormViewTest, TemplateControlsValuesAndCommands)
{
    auto* doc = new FormDoc;
    CFrameWnd* frame = MakeFrame(RUNTIME_CLASS(NameForm), doc);
    ASSERT_NE(frame, nullptr);
    frame->InitialUpdateFrame(doc, TRUE);
    auto* form = dynamic_cast<NameForm*>(frame->GetActiveView());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(form->GetDocument(), doc);
    ASSERT_NE(form->GetDlgItem(IDC_NAME), nullptr);

    CString text;
    form->GetDlgItemText(IDC_NAME, text);
    EXPECT_STREQ(text, "initial");
    form->SetDlgItemText(IDC_NAME, "typed");
    EXPECT_TRUE(form->UpdateData(TRUE));
    EXPECT_STREQ(form->name, "typed");

    SendMessage(form->GetDlgItem(IDC_GO)->m_hWnd, BM_CLICK, 0, 0);
    EXPECT_EQ(doc->goes, 1);
}

TEST_F(FormViewTest, PopupTemplateCannotBeAPane)
{
    auto* doc = new FormDoc;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = MakeFrame(RUNTIME_CLASS(PopupForm), doc);
    EXPECT_EQ(frame, nullptr);  // the frame refuses to be made without its view
    EXPECT_EQ(doc->GetFirstViewPosition(), nullptr);
    delete doc;
}

CPoint ControlOrigin(CWnd* form, UINT id)
{
    CRect rect;
    form->GetDlgItem(static_cast<int>(id))->GetWindowRect(&rect);
    form->ScreenToClient(&rect);
    return rect.TopLeft();
}

TEST_F(FormViewTest, AFormLargerThanItsWindowScrollsItsControls)
{
    auto* doc = new FormDoc;
    CFrameWnd* frame = MakeFrame(RUNTIME_CLASS(NameForm), doc, CRect(0, 0, 160, 110));
    ASSERT_NE(frame, nullptr);
    frame->InitialUpdateFrame(doc, TRUE);
    auto* form = dynamic_cast<NameForm*>(frame->GetActiveView());
    ASSERT_NE(form, nullptr);
    const CSize total = form->GetTotalSize();
    CRect client;
    form->GetClientRect(&client);
    ASSERT_GT(total.cx, client.Width());
    ASSERT_GT(total.cy, client.Height());
    EXPECT_TRUE(form->GetStyle() & WS_VSCROLL);
    EXPECT_TRUE(form->GetStyle() & WS_HSCROLL);

    const CPoint before = ControlOrigin(form, IDC_GO);
    form->SendMessage(WM_VSCROLL, SB_BOTTOM);
    const CPoint scrolled = form->GetScrollPosition();
    EXPECT_EQ(scrolled.y, total.cy - client.Height());
    EXPECT_EQ(ControlOrigin(form, IDC_GO), before - CSize(0, scrolled.y));

    // Room enough: the bars go and the form is back at its origin.
    ::SetWindowPos(frameHwnd, nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_FALSE(form->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(form->GetScrollPosition(), CPoint(0, 0));
    EXPECT_EQ(ControlOrigin(form, IDC_GO), before);
}

}  // namespace
