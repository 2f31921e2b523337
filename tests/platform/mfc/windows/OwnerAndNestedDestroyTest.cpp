// The owner an object keeps for its window, and children destroyed from their
// parent's WM_DESTROY handler: their objects still see their own end.
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

struct OwnerCase {
    const char* label;
    DWORD style;
};

class WindowOwner : public WindowTest, public ::testing::WithParamInterface<OwnerCase> {};

TEST_P(WindowOwner, SetOwnerIsKeptByTheObjectAndFallsBackToTheParent)
{
    CWnd frame;
    CWnd other;
    CWnd wnd;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "Frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200), nullptr, 0));
    ASSERT_TRUE(other.CreateEx(0, nullptr, "Other", WS_POPUP | WS_VISIBLE, CRect(300, 0, 400, 100), nullptr, 0));
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Wnd", GetParam().style | WS_VISIBLE, CRect(0, 0, 50, 50), &frame, 0));
    const HWND systemOwner = ::GetWindow(wnd.m_hWnd, GW_OWNER);
    EXPECT_EQ(wnd.GetOwner(), &frame);

    wnd.SetOwner(&other);
    EXPECT_EQ(wnd.GetOwner(), &other);
    // The window system's relations stay as they were.
    EXPECT_EQ(wnd.GetParent(), &frame);
    EXPECT_EQ(::GetWindow(wnd.m_hWnd, GW_OWNER), systemOwner);

    wnd.SetOwner(nullptr);
    EXPECT_EQ(wnd.GetOwner(), &frame);
}

INSTANTIATE_TEST_SUITE_P(WindowTest, WindowOwner,
                         ::testing::Values(OwnerCase{"Child", WS_CHILD}, OwnerCase{"Popup", WS_POPUP}),
                         [](const ::testing::TestParamInfo<OwnerCase>& info) { return std::string(info.param.label); });

TEST_F(WindowTest, OwnerSetBeforeCreationHoldsForTheWindow)
{
    CWnd frame;
    CWnd other;
    CWnd child;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "Frame", WS_POPUP, CRect(0, 0, 200, 200), nullptr, 0));
    ASSERT_TRUE(other.CreateEx(0, nullptr, "Other", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0));
    child.SetOwner(&other);
    ASSERT_TRUE(child.Create(nullptr, "Child", WS_VISIBLE, CRect(0, 0, 10, 10), &frame, 1));
    EXPECT_EQ(child.GetOwner(), &other);
}

// Notes its own WM_DESTROY and end, and whether the object was still attached then.
class EndWatchingWnd : public CWnd {
public:
    struct Seen {
        int destroys = 0;
        int attachedAtDestroy = 0;
        int postNcDestroys = 0;
        bool deleted = false;
    };
    EndWatchingWnd(Seen* seen, bool deleteSelf) : m_seen(seen), m_deleteSelf(deleteSelf) {}
    ~EndWatchingWnd() override { m_seen->deleted = true; }

protected:
    void OnDestroy()
    {
        ++m_seen->destroys;
        if (CWnd::FromHandlePermanent(m_hWnd) == this)
            ++m_seen->attachedAtDestroy;
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override
    {
        ++m_seen->postNcDestroys;
        if (m_deleteSelf)
            delete this;
    }
    DECLARE_MESSAGE_MAP()

private:
    Seen* m_seen;
    bool m_deleteSelf;
};

BEGIN_MESSAGE_MAP(EndWatchingWnd, CWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// Destroys its child in its own WM_DESTROY, deleting the object afterwards if asked.
class ChildDestroyingWnd : public CWnd {
public:
    CWnd* child = nullptr;
    bool deleteChild = false;
    BOOL childDestroyed = FALSE;

protected:
    void OnDestroy()
    {
        childDestroyed = child->DestroyWindow();
        if (deleteChild)
            delete child;
        child = nullptr;
        CWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChildDestroyingWnd, CWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

enum class ChildKind { Member, DeletedByParent, SelfDeleting };

struct NestedDestroyCase {
    const char* label;
    ChildKind kind;
};

class ChildDestroyedByParent : public WindowTest, public ::testing::WithParamInterface<NestedDestroyCase> {};

TEST_P(ChildDestroyedByParent, ChildObjectSeesItsOwnEnd)
{
    const ChildKind kind = GetParam().kind;
    EndWatchingWnd::Seen seen;
    EndWatchingWnd member(&seen, false);
    EndWatchingWnd* child = kind == ChildKind::Member ? &member
                                                      : new EndWatchingWnd(&seen, kind == ChildKind::SelfDeleting);
    EndWatchingWnd::Seen sibling;
    EndWatchingWnd siblingWnd(&sibling, false);

    ChildDestroyingWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200), nullptr, 0));
    ASSERT_TRUE(child->Create(nullptr, "Child", WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 1));
    ASSERT_TRUE(siblingWnd.Create(nullptr, "Sibling", WS_VISIBLE, CRect(60, 0, 110, 50), &parent, 2));
    const HWND hChild = child->m_hWnd;
    parent.child = child;
    parent.deleteChild = kind == ChildKind::DeletedByParent;

    EXPECT_TRUE(parent.DestroyWindow());

    EXPECT_TRUE(parent.childDestroyed);
    EXPECT_EQ(seen.destroys, 1);
    EXPECT_EQ(seen.attachedAtDestroy, 1);
    EXPECT_EQ(seen.postNcDestroys, 1);
    EXPECT_EQ(seen.deleted, kind != ChildKind::Member);
    if (kind == ChildKind::Member) {
        EXPECT_EQ(member.m_hWnd, nullptr);
    }
    EXPECT_FALSE(::IsWindow(hChild));
    EXPECT_EQ(CWnd::FromHandlePermanent(hChild), nullptr);
    // The rest of the family ends as usual.
    EXPECT_EQ(sibling.destroys, 1);
    EXPECT_EQ(sibling.attachedAtDestroy, 1);
    EXPECT_EQ(sibling.postNcDestroys, 1);
    EXPECT_EQ(siblingWnd.m_hWnd, nullptr);
    EXPECT_EQ(parent.m_hWnd, nullptr);
}

INSTANTIATE_TEST_SUITE_P(WindowTest, ChildDestroyedByParent,
                         ::testing::Values(NestedDestroyCase{"Member", ChildKind::Member},
                                           NestedDestroyCase{"DeletedByParent", ChildKind::DeletedByParent},
                                           NestedDestroyCase{"SelfDeleting", ChildKind::SelfDeleting}),
                         [](const ::testing::TestParamInfo<NestedDestroyCase>& info) {
                             return std::string(info.param.label);
                         });

TEST_F(WindowTest, WindowDestroyingItselfFromItsOwnDestroyStaysAttachedToTheEnd)
{
    // DestroyWindow again from inside its own WM_DESTROY must not cut the
    // object off before WM_NCDESTROY.
    class Reentrant : public EndWatchingWnd {
    public:
        using EndWatchingWnd::EndWatchingWnd;
        BOOL again = FALSE;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_DESTROY)
                again = DestroyWindow();
            return EndWatchingWnd::WindowProc(message, wParam, lParam);
        }
    };
    EndWatchingWnd::Seen seen;
    Reentrant wnd(&seen, false);
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Self", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0));
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_TRUE(wnd.again);
    EXPECT_EQ(seen.destroys, 1);
    EXPECT_EQ(seen.attachedAtDestroy, 1);
    EXPECT_EQ(seen.postNcDestroys, 1);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

}  // namespace
}  // namespace tw::mfc::test
