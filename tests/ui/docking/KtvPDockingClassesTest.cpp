// The docking classes' records (what the docking-layout archive and creation
// by name rely on) and the chains the dock manager and the frames test along.
#include <gtest/gtest.h>

#include <vector>

#include "platform/mfc/CFrameWnd.h"
#include "tests/support/ui/KtvClassTable.h"
#include "ui/docking/KtvPAutoHideButton.h"
#include "ui/docking/KtvPAutoHideDockBar.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/docking/KtvPBarContainer.h"
#include "ui/docking/KtvPDockingCBWrapper.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/docking/KtvPSlider.h"
#include "ui/docking/KtvPTabbedControlBar.h"

namespace {

using tw::test::KtvClassRow;

const std::vector<KtvClassRow>& DockingClasses()
{
    static const std::vector<KtvClassRow> rows = {
        KTV_CLASS_ROW(CKtvPBaseControlBar, CWnd, Dynamic),
        KTV_CLASS_ROW(CKtvPControlBar, CKtvPBaseControlBar, DynCreate),
        KTV_CLASS_ROW(CKtvPDockingControlBar, CKtvPControlBar, Serial, VERSIONABLE_SCHEMA | 2),
        KTV_CLASS_ROW(CKtvPBaseTabbedBar, CKtvPDockingControlBar, Dynamic),
        KTV_CLASS_ROW(CKtvPTabbedControlBar, CKtvPBaseTabbedBar, Serial, VERSIONABLE_SCHEMA | 2),
        KTV_CLASS_ROW(CKtvPOutlookBar, CKtvPBaseTabbedBar, Serial, 1),
        KTV_CLASS_ROW(CKtvPDockingCBWrapper, CKtvPDockingControlBar, DynCreate),
        KTV_CLASS_ROW(CKtvPDockBar, CKtvPBaseControlBar, DynCreate),
        KTV_CLASS_ROW(CKtvPAutoHideDockBar, CKtvPDockBar, DynCreate),
        KTV_CLASS_ROW(CKtvPAutoHideToolBar, CKtvPControlBar, DynCreate),
        KTV_CLASS_ROW(CKtvPAutoHideButton, CObject, DynCreate),
        KTV_CLASS_ROW(CKtvPSlider, CKtvPBaseControlBar, DynCreate),
        KTV_CLASS_ROW(CKtvPBarContainer, CObject, Dynamic),
        KTV_CLASS_ROW(CKtvPMiniFrameWnd, CWnd, Serial, VERSIONABLE_SCHEMA | 2),
        KTV_CLASS_ROW(CKtvPMultiMiniFrameWnd, CKtvPMiniFrameWnd, Serial, VERSIONABLE_SCHEMA | 2),
    };
    return rows;
}

class DockingClassRecord : public ::testing::TestWithParam<KtvClassRow> {};

TEST_P(DockingClassRecord, HasItsNameBaseAndKind) { EXPECT_TRUE(tw::test::CheckClassRecord(GetParam())); }

TEST_P(DockingClassRecord, CreatesItselfByName) { EXPECT_TRUE(tw::test::CheckCreatesByName(GetParam())); }

INSTANTIATE_TEST_SUITE_P(Docking, DockingClassRecord, ::testing::ValuesIn(DockingClasses()),
                         tw::test::KtvClassRowName);

// The kind tests of the dock manager: an auto-hide strip is a dock bar, every
// pane kind is a docking bar, a multi frame is a mini frame, and a slider or
// dock bar is never taken for a control bar.
TEST(DockingClassChains, KindTestsAnswerAlongThePartsChains)
{
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPAutoHideDockBar), RUNTIME_CLASS(CKtvPDockBar)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPOutlookBar), RUNTIME_CLASS(CKtvPDockingControlBar)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPDockingCBWrapper), RUNTIME_CLASS(CKtvPControlBar)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPAutoHideToolBar), RUNTIME_CLASS(CKtvPBaseControlBar)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd), RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(RUNTIME_CLASS(CKtvPSlider)->IsDerivedFrom(RUNTIME_CLASS(CKtvPControlBar)));
    EXPECT_FALSE(RUNTIME_CLASS(CKtvPDockBar)->IsDerivedFrom(RUNTIME_CLASS(CKtvPControlBar)));
    EXPECT_FALSE(RUNTIME_CLASS(CKtvPAutoHideToolBar)->IsDerivedFrom(RUNTIME_CLASS(CKtvPDockingControlBar)));
    EXPECT_FALSE(RUNTIME_CLASS(CKtvPMiniFrameWnd)->IsDerivedFrom(RUNTIME_CLASS(CFrameWnd)));
}

// A docking bar floats into a multi frame or a plain one, and tabs onto another
// bar as the tabbed class its creation chose; new bars start with the defaults.
TEST(DockingClassChains, NewBarsMakeTheLibraryFramesAndTabbedBars)
{
    CKtvPDockingControlBar bar;
    EXPECT_EQ(RUNTIME_CLASS(CKtvPTabbedControlBar), bar.GetTabbedControlBarRTC());
    EXPECT_EQ(RUNTIME_CLASS(CKtvPMiniFrameWnd), bar.GetMiniFrameRTC());
    CKtvPAutoHideToolBar toolbar;
    EXPECT_EQ(RUNTIME_CLASS(CKtvPAutoHideButton), CKtvPAutoHideToolBar::m_pButtonRTC);
}

}  // namespace
