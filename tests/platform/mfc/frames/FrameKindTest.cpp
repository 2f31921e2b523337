// The library tells frames and bars apart by their run-time classes; the
// kinds this platform never makes must still be nameable and sit in the
// framework's hierarchy.
#include <gtest/gtest.h>

#include "platform/mfc/afxwin.h"

namespace {

struct KindCase {
    CRuntimeClass* kind;
    CRuntimeClass* base;
    const char* name;
};

TEST(FrameKindTest, RecordsSitUnderTheirFrameworkBases)
{
    const KindCase cases[] = {
        {RUNTIME_CLASS(COleIPFrameWnd), RUNTIME_CLASS(CFrameWnd), "COleIPFrameWnd"},
        {RUNTIME_CLASS(COleDocIPFrameWnd), RUNTIME_CLASS(COleIPFrameWnd), "COleDocIPFrameWnd"},
        {RUNTIME_CLASS(COleCntrFrameWnd), RUNTIME_CLASS(CFrameWnd), "COleCntrFrameWnd"},
        {RUNTIME_CLASS(COleServerDoc), RUNTIME_CLASS(CDocument), "COleServerDoc"},
        {RUNTIME_CLASS(CDockBar), RUNTIME_CLASS(CWnd), "CDockBar"},
        {RUNTIME_CLASS(CMiniDockFrameWnd), RUNTIME_CLASS(CMiniFrameWnd), "CMiniDockFrameWnd"},
        {RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CFrameWnd), "CMDIChildWnd"},
        {RUNTIME_CLASS(CMDIFrameWnd), RUNTIME_CLASS(CFrameWnd), "CMDIFrameWnd"},
    };
    CMiniFrameWnd mini;
    CMDIChildWnd child;
    for (const KindCase& c : cases) {
        EXPECT_STREQ(c.kind->m_lpszClassName, c.name);
        EXPECT_TRUE(c.kind->IsDerivedFrom(c.base)) << c.name;
        EXPECT_FALSE(c.base->IsDerivedFrom(c.kind)) << c.name;
    }
    EXPECT_FALSE(mini.IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_FALSE(child.IsKindOf(RUNTIME_CLASS(COleIPFrameWnd)));
    EXPECT_TRUE(child.IsFrameWnd());
}

}  // namespace
