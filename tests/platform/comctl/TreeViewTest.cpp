#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/kernel/ProcessClock.h"
#include "tests/platform/comctl/CommonControlTest.h"

namespace tw::comctl::test {
namespace {

// A tree of
//   Databases (master, model)
//   Logins
//   Jobs        (children announced by cChildren, none inserted)
// whose notifications are written as readable lines.
class TreeTest : public CommonControlTest {
protected:
    void SetUp() override
    {
        CommonControlTest::SetUp();
        tree = Make(WC_TREEVIEW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                    RECT{10, 10, 260, 210});
        databases = Add(TVI_ROOT, "Databases");
        master = Add(databases, "master");
        model = Add(databases, "model");
        logins = Add(TVI_ROOT, "Logins");
        jobs = Add(TVI_ROOT, "Jobs", 1);
        onNotify = [this](NMHDR* nm) { return OnNotify(nm); };
        SetFocus(tree);
        Pump();
        transcript.clear();
    }

    HTREEITEM Add(HTREEITEM parent, const char* text, int children = 0)
    {
        TVINSERTSTRUCT insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM;
        insert.item.pszText = const_cast<LPSTR>(text);
        insert.item.cChildren = children;
        insert.item.lParam = LPARAM(names.size() + 1);
        auto item = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
        names[item] = text;
        return item;
    }
    std::string Name(HTREEITEM item) { return item ? names[item] : "-"; }
    static std::string How(UINT action)
    {
        switch (action) {
        case TVC_BYKEYBOARD: return "key";
        case TVC_BYMOUSE: return "mouse";
        default: return std::to_string(action);
        }
    }
    static std::string ExpandHow(UINT action) { return action == TVE_EXPAND ? "expand" : "collapse"; }

    LRESULT OnNotify(NMHDR* nm)
    {
        auto* tv = reinterpret_cast<NMTREEVIEW*>(nm);
        auto* disp = reinterpret_cast<NMTVDISPINFO*>(nm);
        switch (nm->code) {
        case TVN_SELCHANGING:
        case TVN_SELCHANGED:
            transcript.push_back(std::string(nm->code == TVN_SELCHANGING ? "SELCHANGING " : "SELCHANGED ") +
                                 How(tv->action) + " " + Name(tv->itemOld.hItem) + ">" + Name(tv->itemNew.hItem));
            break;
        case TVN_ITEMEXPANDING:
        case TVN_ITEMEXPANDED:
            transcript.push_back(std::string(nm->code == TVN_ITEMEXPANDING ? "EXPANDING " : "EXPANDED ") +
                                 ExpandHow(tv->action) + " " + Name(tv->itemNew.hItem) +
                                 ((tv->itemNew.state & TVIS_EXPANDED) ? " open" : " shut"));
            return nm->code == TVN_ITEMEXPANDING && refuseExpand;
        case TVN_DELETEITEM:
            transcript.push_back("DELETE " + Name(tv->itemOld.hItem) + " " + std::to_string(tv->itemOld.lParam));
            break;
        case TVN_BEGINLABELEDIT:
            transcript.push_back("BEGINEDIT " + Name(disp->item.hItem) + " " + disp->item.pszText);
            break;
        case TVN_ENDLABELEDIT:
            transcript.push_back("ENDEDIT " + Name(disp->item.hItem) + " " +
                                 (disp->item.pszText ? disp->item.pszText : "(null)"));
            return TRUE;
        case TVN_BEGINDRAG:
            transcript.push_back("BEGINDRAG " + Name(tv->itemNew.hItem));
            break;
        case TVN_KEYDOWN:
            break;
        case NM_CLICK:
            transcript.push_back("CLICK");
            break;
        case NM_DBLCLK:
            transcript.push_back("DBLCLK");
            break;
        default:
            break;
        }
        return 0;
    }

    HTREEITEM Selected()
    {
        return reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    }
    UINT State(HTREEITEM item) { return UINT(SendMessage(tree, TVM_GETITEMSTATE, WPARAM(item), 0xFFFF)); }
    std::string Text(HTREEITEM item)
    {
        char buffer[64] = {};
        TVITEM tvi{};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = item;
        tvi.pszText = buffer;
        tvi.cchTextMax = sizeof buffer;
        SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tvi));
        return buffer;
    }
    RECT LabelRect(HTREEITEM item)
    {
        RECT rect{};
        std::memcpy(&rect, &item, sizeof item);  // the item goes in where the rectangle comes out
        SendMessage(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    void Select(HTREEITEM item) { SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)); }
    using Lines = std::vector<std::string>;

    HWND tree = nullptr;
    HTREEITEM databases, master, model, logins, jobs;
    std::map<HTREEITEM, std::string> names;
    Lines transcript;
    bool refuseExpand = false;
};

TEST_F(TreeTest, PlusAndMinusExpandAndCollapseTheSelectedItem)
{
    Select(databases);
    transcript.clear();
    Key(VK_ADD);
    Key(VK_SUBTRACT);
    EXPECT_EQ(transcript, (Lines{"EXPANDING expand Databases shut", "EXPANDED expand Databases open",
                                 "EXPANDING collapse Databases open", "EXPANDED collapse Databases shut"}));
    EXPECT_FALSE(State(databases) & TVIS_EXPANDED);
    EXPECT_TRUE(State(databases) & TVIS_EXPANDEDONCE);
}

TEST_F(TreeTest, ArrowKeysWalkTheVisibleItems)
{
    Select(databases);
    transcript.clear();
    Key(VK_RIGHT);  // expands
    Key(VK_RIGHT);  // first child
    Key(VK_DOWN);
    Key(VK_LEFT);  // to the parent
    Key(VK_LEFT);  // collapses
    Key(VK_DOWN);
    EXPECT_EQ(transcript, (Lines{"EXPANDING expand Databases shut", "EXPANDED expand Databases open",
                                 "SELCHANGING key Databases>master", "SELCHANGED key Databases>master",
                                 "SELCHANGING key master>model", "SELCHANGED key master>model",
                                 "SELCHANGING key model>Databases", "SELCHANGED key model>Databases",
                                 "EXPANDING collapse Databases open", "EXPANDED collapse Databases shut",
                                 "SELCHANGING key Databases>Logins", "SELCHANGED key Databases>Logins"}));
    EXPECT_EQ(Selected(), logins);
}

TEST_F(TreeTest, RefusedExpansionAndOneTimeNotificationsOfMessages)
{
    refuseExpand = true;
    EXPECT_FALSE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(databases)));
    EXPECT_FALSE(State(databases) & TVIS_EXPANDED);
    refuseExpand = false;
    EXPECT_TRUE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(databases)));
    EXPECT_TRUE(SendMessage(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(databases)));
    EXPECT_TRUE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(databases)));
    EXPECT_EQ(transcript, (Lines{"EXPANDING expand Databases shut", "EXPANDING expand Databases shut",
                                 "EXPANDED expand Databases open"}))
        << "once expanded, messages no longer notify";
    // An item with neither children nor cChildren does not expand.
    EXPECT_FALSE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(logins)));
}

TEST_F(TreeTest, CollapseResetDeletesTheChildren)
{
    SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(databases));
    Select(model);
    transcript.clear();
    EXPECT_TRUE(SendMessage(tree, TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, reinterpret_cast<LPARAM>(databases)));
    ASSERT_GE(transcript.size(), 4u);
    EXPECT_EQ(transcript[0], "EXPANDING collapse Databases open");
    EXPECT_EQ(transcript[1], "DELETE master 2");
    EXPECT_EQ(transcript[2], "DELETE model 3");
    EXPECT_EQ(Selected(), databases) << "the selection leaves the deleted children";
    EXPECT_EQ(transcript.back(), "EXPANDED collapse Databases shut");
    EXPECT_FALSE(State(databases) & TVIS_EXPANDEDONCE);
    EXPECT_EQ(SendMessage(tree, TVM_GETCOUNT, 0, 0), 3);
}

TEST_F(TreeTest, MouseOnTheButtonTogglesAndOnTheLabelSelects)
{
    const RECT label = LabelRect(databases);
    const int middleY = (label.top + label.bottom) / 2;
    TVHITTESTINFO hit{};
    hit.pt = POINT{label.left - 20 + 10, middleY};
    SendMessage(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    ASSERT_EQ(hit.flags, UINT(TVHT_ONITEMBUTTON));
    Click(tree, hit.pt.x, hit.pt.y);
    EXPECT_TRUE(State(databases) & TVIS_EXPANDED);

    transcript.clear();
    const RECT modelLabel = LabelRect(model);
    Click(tree, modelLabel.left + 3, (modelLabel.top + modelLabel.bottom) / 2);
    EXPECT_EQ(transcript, (Lines{"SELCHANGING mouse ->model", "SELCHANGED mouse ->model", "CLICK"}));
    EXPECT_EQ(Selected(), model);

    transcript.clear();
    DoubleClick(tree, label.left + 3, middleY);
    EXPECT_FALSE(State(databases) & TVIS_EXPANDED) << "a double click toggles the item";
}

struct TreeHitCase {
    int dx;  // from the label's left edge
    UINT flags;
};

TEST_F(TreeTest, HitTestFlags)
{
    const RECT label = LabelRect(logins);
    const int y = (label.top + label.bottom) / 2;
    const TreeHitCase cases[] = {{2, TVHT_ONITEMLABEL}, {150, TVHT_ONITEMRIGHT}, {-10, TVHT_ONITEMINDENT}};
    for (const TreeHitCase& c : cases) {
        TVHITTESTINFO hit{};
        hit.pt = POINT{label.left + c.dx, y};
        EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))),
                  logins);
        EXPECT_EQ(hit.flags, c.flags) << c.dx;
    }
    TVHITTESTINFO below{};
    below.pt = POINT{20, 190};
    EXPECT_EQ(SendMessage(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&below)), 0);
    EXPECT_EQ(below.flags, UINT(TVHT_NOWHERE));
}

TEST_F(TreeTest, F2TypingAndEnterRenameAndEscCancels)
{
    Select(logins);
    transcript.clear();
    Key(VK_F2);
    HWND edit = reinterpret_cast<HWND>(SendMessage(tree, TVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetFocus(), edit);
    Type("Users");
    Key(VK_RETURN);
    EXPECT_EQ(transcript, (Lines{"BEGINEDIT Logins Logins", "ENDEDIT Logins Users"}));
    EXPECT_EQ(Text(logins), "Users");
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(GetFocus(), tree);

    transcript.clear();
    Key(VK_F2);
    Type("Nobody");
    Key(VK_ESCAPE);
    EXPECT_EQ(transcript, (Lines{"BEGINEDIT Logins Users", "ENDEDIT Logins (null)"}));
    EXPECT_EQ(Text(logins), "Users");
}

int CALLBACK ByParamDescending(LPARAM a, LPARAM b, LPARAM) { return int(b - a); }

TEST_F(TreeTest, CallbackTextAndSorting)
{
    TVINSERTSTRUCT insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_FIRST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = LPSTR_TEXTCALLBACK;
    insert.item.lParam = 42;
    auto asked = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
    onNotify = [](NMHDR* nm) -> LRESULT {
        if (nm->code == TVN_GETDISPINFO) {
            auto* disp = reinterpret_cast<NMTVDISPINFO*>(nm);
            if (disp->item.mask & TVIF_TEXT)
                snprintf(disp->item.pszText, size_t(disp->item.cchTextMax), "item %d", int(disp->item.lParam));
        }
        return 0;
    };
    EXPECT_EQ(Text(asked), "item 42");

    TVSORTCB sort{TVI_ROOT, ByParamDescending, 0};
    ASSERT_TRUE(SendMessage(tree, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)));
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), asked);
    HTREEITEM second =
        reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(asked)));
    EXPECT_EQ(second, jobs) << "jobs has the highest lParam of the rest";
}

TEST_F(TreeTest, DeletingTheSelectionSelectsTheNextSibling)
{
    Select(logins);
    transcript.clear();
    ASSERT_TRUE(SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(logins)));
    EXPECT_EQ(Selected(), jobs);
    EXPECT_EQ(transcript.back(), "DELETE Logins 4");
    EXPECT_FALSE(SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(logins))) << "a stale handle";
}

TEST_F(TreeTest, DraggingAnItemBeginsADrag)
{
    const RECT label = LabelRect(jobs);
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.Drag(tw::display::MouseButton::Left, ScreenPointOf(tree, label.left + 3, label.top + 5),
               ScreenPointOf(tree, label.left + 3, label.top + 60), 4);
    Pump();
    ASSERT_FALSE(transcript.empty());
    EXPECT_EQ(transcript[1], "SELCHANGED mouse ->Jobs");
    EXPECT_EQ(transcript[2], "BEGINDRAG Jobs");
}

TEST_F(TreeTest, CustomDrawAsksPerItemWithItsHandle)
{
    std::vector<DWORD_PTR> drawn;
    onNotify = [&](NMHDR* nm) -> LRESULT {
        if (nm->code != NM_CUSTOMDRAW)
            return 0;
        auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(nm);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            drawn.push_back(cd->nmcd.dwItemSpec);
            EXPECT_EQ(cd->iLevel, 0);
        }
        return CDRF_DODEFAULT;
    };
    InvalidateRect(tree, nullptr, TRUE);
    UpdateWindow(tree);
    EXPECT_EQ(drawn, (std::vector<DWORD_PTR>{DWORD_PTR(databases), DWORD_PTR(logins), DWORD_PTR(jobs)}));
}

// A right click tells the parent, and only when the parent leaves it
// unanswered asks for a context menu at the click, once.
TEST_F(TreeTest, ARightClickAsksForOneContextMenuUnlessTheParentTookIt)
{
    struct Menu {
        HWND from;
        POINT at;
    };
    for (const LRESULT answer : {LRESULT(0), LRESULT(1)}) {
        std::vector<UINT> clicks;
        std::vector<Menu> menus;
        onNotify = [&](NMHDR* nm) -> LRESULT {
            if (nm->code != NM_RCLICK)
                return 0;
            clicks.push_back(nm->code);
            return answer;
        };
        onMessage = [&](UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
            if (message != WM_CONTEXTMENU)
                return false;
            menus.push_back(Menu{reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}});
            *result = 0;
            return true;
        };
        const RECT label = LabelRect(logins);
        const POINT at = ScreenPointOf(tree, label.left + 3, label.top + 5);
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        input.Click(tw::display::MouseButton::Right, at.x, at.y);
        Pump();
        EXPECT_EQ(clicks.size(), 1u) << answer;
        if (answer != 0) {
            EXPECT_TRUE(menus.empty()) << "the parent handled the click";
            continue;
        }
        ASSERT_EQ(menus.size(), 1u);
        EXPECT_EQ(menus[0].from, tree);
        EXPECT_EQ(menus[0].at.x, at.x);
        EXPECT_EQ(menus[0].at.y, at.y);
    }
}

// Items added while drawing is off reach the scroll bar when drawing comes back.
TEST_F(TreeTest, TheScrollBarCatchesUpWhenDrawingComesBack)
{
    auto range = [this] {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE;
        GetScrollInfo(tree, SB_VERT, &info);
        return info.nMax;
    };
    const int before = range();
    SendMessage(tree, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < 40; i++)
        Add(TVI_ROOT, ("Item " + std::to_string(i)).c_str());
    SendMessage(tree, WM_SETREDRAW, TRUE, 0);
    EXPECT_EQ(range(), before + 40);
}

}  // namespace
}  // namespace tw::comctl::test
