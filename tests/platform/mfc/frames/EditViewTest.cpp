// An edit view in a frame: it belongs to its document, typing marks the
// document modified, and its text goes through the archive byte for byte.
#include <gtest/gtest.h>

#include <mutex>

#include "platform/mfc/afxwin.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace {

class TextDoc : public CDocument {
    DECLARE_DYNCREATE(TextDoc)
public:
    void Serialize(CArchive& ar) override
    {
        POSITION pos = GetFirstViewPosition();
        static_cast<CEditView*>(GetNextView(pos))->SerializeRaw(ar);
    }
};
IMPLEMENT_DYNCREATE(TextDoc, CDocument)

TEST(EditViewTest, TypingMarksTheDocumentAndTextRoundTripsRaw)
{
    static std::once_flag once;
    std::call_once(once, [] { tw::RegisterStandardControlClasses(); });
    tw::ProcessClock::Freeze();
    auto* doc = new TextDoc;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CEditView);
    context.m_pCurrentDoc = doc;
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Text", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr,
                              nullptr, 0, &context));
    HWND frameHwnd = frame->m_hWnd;
    frame->InitialUpdateFrame(doc, TRUE);
    auto* view = dynamic_cast<CEditView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_FALSE(doc->IsModified());

    view->GetEditCtrl().ReplaceSel("SELECT 1\r\nGO");
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(doc->DoSave("script.sql"));

    FILE* f = fopen("script.sql", "rb");
    ASSERT_NE(f, nullptr);
    char bytes[64] = {};
    const size_t n = fread(bytes, 1, sizeof bytes, f);
    fclose(f);
    EXPECT_EQ(std::string(bytes, n), "SELECT 1\r\nGO");

    view->SetWindowText("");
    ASSERT_TRUE(doc->OnOpenDocument("script.sql"));
    CString text;
    view->GetWindowText(text);
    EXPECT_STREQ(text, "SELECT 1\r\nGO");

    doc->SetModifiedFlag(FALSE);
    DestroyWindow(frameHwnd);
    AfxDeleteTempMaps();
    tw::ProcessClock::Resume();
}

}  // namespace
