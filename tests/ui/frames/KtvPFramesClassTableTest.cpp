// The run-time class records of the frames, dialogs, looks and stores: names
// as archives and class tests spell them, bases, record kinds, creation by
// name; and how the library finds the hooks of a frame of any kind.
#include <gtest/gtest.h>

#include <memory>

#include "platform/mfc/afxwin.h"
#include "tests/support/ui/KtvClassTable.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/frames/KtvPDialog.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"
#include "ui/frames/KtvPMainClientAreaWnd.h"
#include "ui/frames/KtvPOleCntrFrameWnd.h"
#include "ui/frames/KtvPOleDocIPFrameWnd.h"
#include "ui/frames/KtvPOleIPFrameWnd.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPVisualManager.h"

namespace {

using tw::test::KtvClassRow;

class KtvPFramesClassTable : public testing::TestWithParam<KtvClassRow> {};

TEST_P(KtvPFramesClassTable, RecordMatchesTheTable)
{
    EXPECT_TRUE(tw::test::CheckClassRecord(GetParam()));
}

TEST_P(KtvPFramesClassTable, CreatableClassesCreateThemselvesByName)
{
    EXPECT_TRUE(tw::test::CheckCreatesByName(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Frames, KtvPFramesClassTable,
                         testing::Values(KTV_CLASS_ROW(CKtvPDialog, CDialog, Dynamic),
                                         KTV_CLASS_ROW(CKtvPMainClientAreaWnd, CWnd, Dynamic),
                                         KTV_CLASS_ROW(CKtvPMDIFrameWnd, CMDIFrameWnd, DynCreate),
                                         KTV_CLASS_ROW(CKtvPMDIChildWnd, CMDIChildWnd, DynCreate),
                                         KTV_CLASS_ROW(CKtvPFrameWnd, CFrameWnd, DynCreate),
                                         KTV_CLASS_ROW(CKtvPOleIPFrameWnd, COleIPFrameWnd, DynCreate),
                                         KTV_CLASS_ROW(CKtvPOleDocIPFrameWnd, COleDocIPFrameWnd, DynCreate),
                                         KTV_CLASS_ROW(CKtvPOleCntrFrameWnd, COleCntrFrameWnd, Dynamic),
                                         KTV_CLASS_ROW(CKtvPVisualManager, CObject, DynCreate),
                                         KTV_CLASS_ROW(CKtvPRegistry, CObject, DynCreate)),
                         tw::test::KtvClassRowName);

// The table checks themselves refuse rows that do not match the record.
TEST(KtvClassTableChecks, RefuseAWrongBaseKindSchemaOrName)
{
    using tw::test::KtvRecordKind;
    const KtvClassRow wrongBase{RUNTIME_CLASS(CKtvPMDIFrameWnd), "CKtvPMDIFrameWnd", RUNTIME_CLASS(CFrameWnd),
                                KtvRecordKind::DynCreate};
    const KtvClassRow wrongKind{RUNTIME_CLASS(CKtvPDialog), "CKtvPDialog", RUNTIME_CLASS(CDialog),
                                KtvRecordKind::DynCreate};
    const KtvClassRow wrongSchema{RUNTIME_CLASS(CKtvPRegistry), "CKtvPRegistry", RUNTIME_CLASS(CObject),
                                  KtvRecordKind::Serial, 1};
    const KtvClassRow wrongName{RUNTIME_CLASS(CKtvPFrameWnd), "CKtvPFrameWindow", RUNTIME_CLASS(CFrameWnd),
                                KtvRecordKind::DynCreate};
    EXPECT_FALSE(tw::test::CheckClassRecord(wrongBase));
    EXPECT_FALSE(tw::test::CheckClassRecord(wrongKind));
    EXPECT_FALSE(tw::test::CheckClassRecord(wrongSchema));
    EXPECT_FALSE(tw::test::CheckClassRecord(wrongName));
    EXPECT_FALSE(tw::test::CheckCreatesByName(wrongName));
    EXPECT_FALSE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPFrameWnd), RUNTIME_CLASS(CMDIFrameWnd)));
}

// The chains other parts test frames against: every library frame is a
// framework frame of the matching kind, and none is another library kind.
TEST(KtvPFramesClassChains, EachFrameKindIsItsFrameworkKindAndNoOtherLibraryKind)
{
    const CRuntimeClass* kinds[] = {RUNTIME_CLASS(CKtvPMDIFrameWnd),    RUNTIME_CLASS(CKtvPMDIChildWnd),
                                    RUNTIME_CLASS(CKtvPFrameWnd),       RUNTIME_CLASS(CKtvPOleIPFrameWnd),
                                    RUNTIME_CLASS(CKtvPOleDocIPFrameWnd), RUNTIME_CLASS(CKtvPOleCntrFrameWnd)};
    for (const CRuntimeClass* kind : kinds) {
        EXPECT_TRUE(tw::test::CheckDerivesFrom(kind, RUNTIME_CLASS(CFrameWnd)));
        for (const CRuntimeClass* other : kinds) {
            if (other != kind) {
                EXPECT_FALSE(kind->IsDerivedFrom(other)) << kind->m_lpszClassName << " / " << other->m_lpszClassName;
            }
        }
    }
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPMDIFrameWnd), RUNTIME_CLASS(CMDIFrameWnd)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPOleDocIPFrameWnd), RUNTIME_CLASS(COleIPFrameWnd)));
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPDialog), RUNTIME_CLASS(CWnd)));
}

// A frame of each kind answers its own hooks with its own dock manager; the
// frames that embed no frame implementation answer none.
TEST(KtvGetFrameHooksTest, EveryLibraryFrameKindAnswersItsHooks)
{
    CKtvPMDIFrameWnd mdi;
    CKtvPMDIChildWnd child;
    CKtvPFrameWnd sdi;
    CKtvPOleIPFrameWnd inPlace;
    CKtvPOleDocIPFrameWnd docInPlace;
    CKtvPOleCntrFrameWnd container(&inPlace);

    struct Case {
        CFrameWnd* frame;
        CKtvPDockManager* dockManager;
        CKtvPFrameImpl* impl;
    };
    const Case cases[] = {
        {&mdi, &mdi.m_dockManager, &mdi.m_Impl},
        {&child, &child.m_dockManager, nullptr},
        {&sdi, &sdi.m_dockManager, &sdi.m_Impl},
        {&inPlace, &inPlace.m_dockManager, &inPlace.m_Impl},
        {&docInPlace, &docInPlace.m_dockManager, &docInPlace.m_Impl},
        {&container, &container.m_dockManager, nullptr},
    };
    for (const Case& c : cases) {
        const char* name = c.frame->GetRuntimeClass()->m_lpszClassName;
        CKtvPFrameHooks* hooks = KtvGetFrameHooks(c.frame);
        ASSERT_NE(hooks, nullptr) << name;
        EXPECT_EQ(hooks->GetHookedFrame(), c.frame) << name;
        EXPECT_EQ(hooks->GetDockManager(), c.dockManager) << name;
        EXPECT_EQ(hooks->GetFrameImpl(), c.impl) << name;
        if (c.impl != nullptr) {
            EXPECT_EQ(c.impl->m_pFrame, c.frame) << name;
        }
    }
    EXPECT_EQ(container.m_pInPlaceFrame, &inPlace);
}

TEST(KtvGetFrameHooksTest, AnyOtherWindowHasNone)
{
    CFrameWnd plainFrame;
    CMDIFrameWnd plainMdi;
    CKtvPMainClientAreaWnd clientArea;
    EXPECT_EQ(KtvGetFrameHooks(nullptr), nullptr);
    EXPECT_EQ(KtvGetFrameHooks(&plainFrame), nullptr);
    EXPECT_EQ(KtvGetFrameHooks(&plainMdi), nullptr);
    EXPECT_EQ(KtvGetFrameHooks(&clientArea), nullptr);
}

// A frame of no library kind: nothing to join, nothing vetoed, no tooltip
// or image of its own.
class CNoKindHooks : public CKtvPFrameHooks {
public:
    CFrameWnd* GetHookedFrame() override { return nullptr; }
    CKtvPDockManager* GetDockManager() override { return nullptr; }
};

TEST(KtvPFrameHooksTest, DefaultsAreTheAnswersForAFrameOfNoKind)
{
    CNoKindHooks hooks;
    CString text;
    DWORD alignment = 0;
    BOOL outerEdge = FALSE;
    EXPECT_EQ(hooks.GetFrameImpl(), nullptr);
    EXPECT_FALSE(hooks.OnMoveMiniFrame(nullptr));
    EXPECT_FALSE(hooks.OnSetMenu(nullptr));
    EXPECT_TRUE(hooks.OnShowPopupMenu(nullptr));
    EXPECT_TRUE(hooks.ShowPopupMenu(nullptr));
    EXPECT_TRUE(hooks.OnShowCustomizeMenu(nullptr, 0));
    EXPECT_FALSE(hooks.OnDrawMenuImage(nullptr, nullptr, CRect()));
    EXPECT_FALSE(hooks.OnButtonToolHitTest(nullptr, nullptr));
    EXPECT_FALSE(hooks.GetToolbarButtonToolTipText(nullptr, text));
    EXPECT_FALSE(hooks.OnReservedFrameHook(nullptr, nullptr));
    EXPECT_FALSE(hooks.OnEraseMDIClientBackground(nullptr));
    EXPECT_TRUE(hooks.OnTearOffMenu(nullptr, nullptr));
    EXPECT_FALSE(hooks.ShowControlBars(TRUE));
    EXPECT_TRUE(hooks.OnCloseMiniFrame(nullptr));
    EXPECT_TRUE(hooks.OnCloseDockingBar(nullptr));
    EXPECT_EQ(hooks.GetInPlaceActiveItem(), nullptr);
    EXPECT_FALSE(hooks.AddControlBar(nullptr));
    EXPECT_FALSE(hooks.InsertControlBar(nullptr, nullptr));
    EXPECT_EQ(hooks.ControlBarFromPoint(CPoint(0, 0), 0, FALSE, nullptr), nullptr);
    EXPECT_FALSE(hooks.IsPointNearDockBar(CPoint(0, 0), alignment, outerEdge));
    EXPECT_EQ(hooks.GetControlBar(59392), nullptr);
    EXPECT_TRUE(text.IsEmpty());
}

// The hooks every frame with a frame implementation answers alike: no image,
// tooltip or logo of its own, nothing vetoed; closing a popup forgets it only
// when it is the open top-level one.
TEST(KtvPFrameHooksTest, FramesWithAnImplementationAnswerTheirConstantHooks)
{
    CKtvPMDIFrameWnd mdi;
    CKtvPFrameWnd sdi;
    CKtvPOleIPFrameWnd inPlace;
    CKtvPOleDocIPFrameWnd docInPlace;
    CKtvPFrameHooks* frames[] = {&mdi, &sdi, &inPlace, &docInPlace};
    // Only the pointers are compared; a real popup needs the look.
    alignas(CKtvPPopupMenu) unsigned char storage[2][sizeof(CKtvPPopupMenu)];
    CKtvPPopupMenu* open = reinterpret_cast<CKtvPPopupMenu*>(storage[0]);
    CKtvPPopupMenu* other = reinterpret_cast<CKtvPPopupMenu*>(storage[1]);
    for (CKtvPFrameHooks* hooks : frames) {
        const char* name = hooks->GetHookedFrame()->GetRuntimeClass()->m_lpszClassName;
        CString text;
        EXPECT_TRUE(hooks->OnShowPopupMenu(nullptr)) << name;
        EXPECT_FALSE(hooks->OnDrawMenuImage(nullptr, nullptr, CRect())) << name;
        EXPECT_FALSE(hooks->OnButtonToolHitTest(nullptr, nullptr)) << name;
        EXPECT_FALSE(hooks->GetToolbarButtonToolTipText(nullptr, text)) << name;
        EXPECT_FALSE(hooks->OnReservedFrameHook(nullptr, nullptr)) << name;
        EXPECT_TRUE(hooks->OnTearOffMenu(nullptr, nullptr)) << name;
        EXPECT_TRUE(hooks->OnCloseMiniFrame(nullptr)) << name;
        EXPECT_TRUE(hooks->OnCloseDockingBar(nullptr)) << name;
        hooks->OnDrawMenuLogo(nullptr, nullptr, CRect());

        CKtvPPopupMenu::m_pActivePopupMenu = open;
        hooks->OnClosePopupMenu(other);
        EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, open) << name;
        hooks->OnClosePopupMenu(open);
        EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr) << name;
    }
    EXPECT_FALSE(mdi.OnEraseMDIClientBackground(nullptr));
    CKtvPMDIChildWnd child;
    EXPECT_FALSE(child.OnReservedFrameHook(nullptr, nullptr));
}

}  // namespace
