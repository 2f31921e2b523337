// The preview's keys: Page Down and Page Up move through the pages as the
// bar's Next and Prev do, stopping at the ends, and Esc ends the preview.
#include "tests/platform/mfc/print/PagesView.h"
#include "tests/platform/mfc/print/PrintTest.h"

namespace tw::mfc::print_test {
namespace {

class PreviewKeysTest : public PrintTest {
protected:
    void SetUp() override
    {
        doc = new PagesDoc;
        doc->SetTitle("Report");
        viewClass = RUNTIME_CLASS(PagesView);
        PrintTest::SetUp();
        view = static_cast<PagesView*>(frame->GetActiveView());
        view->numPreviewPages = 1;
        view->PrintNow(ID_FILE_PRINT_PREVIEW);
        Pump();
    }
    CPreviewView* Preview() const { return DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()); }
    void Key(UINT vk)
    {
        input.KeyStroke(vk);
        Pump();
    }

    PagesView* view = nullptr;
};

TEST_F(PreviewKeysTest, PageKeysMoveByAPageWithinTheDocument)
{
    ASSERT_NE(Preview(), nullptr);
    ASSERT_EQ(::GetFocus(), Preview()->m_hWnd);
    struct Step {
        UINT vk;
        UINT page;
    };
    const Step steps[] = {{VK_NEXT, 2}, {VK_NEXT, 3}, {VK_NEXT, 3}, {VK_PRIOR, 2}, {VK_PRIOR, 1}, {VK_PRIOR, 1}};
    for (const Step& step : steps) {
        Key(step.vk);
        EXPECT_EQ(Preview()->GetCurrentPage(), step.page) << "after key " << step.vk;
    }
    EXPECT_EQ(frame->messageStrings.back(), "Page 1");
}

TEST_F(PreviewKeysTest, EscEndsThePreviewAndGivesTheViewBack)
{
    ASSERT_NE(Preview(), nullptr);
    Key(VK_ESCAPE);
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_TRUE(::IsWindowVisible(view->m_hWnd));
    EXPECT_EQ(::GetDlgItem(frameHwnd, AFX_IDW_PREVIEW_BAR), nullptr);
}

}  // namespace
}  // namespace tw::mfc::print_test
