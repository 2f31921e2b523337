// Walking and deleting among many siblings: the tree remembers where an item
// stood, so these stay right after inserts and deletes anywhere in the list.
#include <string>
#include <vector>

#include "tests/platform/comctl/CommonControlTest.h"

namespace tw::comctl::test {
namespace {

class TreeSiblingsTest : public CommonControlTest {
protected:
    void SetUp() override
    {
        CommonControlTest::SetUp();
        tree = Make(WC_TREEVIEW, TVS_HASBUTTONS | TVS_HASLINES, RECT{10, 10, 260, 210});
        onNotify = [this](NMHDR* nm) {
            if (nm->code == TVN_DELETEITEM) {
                auto* tv = reinterpret_cast<NMTREEVIEW*>(nm);
                deleted.push_back(Text(tv->itemOld.hItem));
            }
            return LRESULT(0);
        };
    }

    HTREEITEM Add(HTREEITEM parent, const std::string& text, HTREEITEM after = TVI_LAST)
    {
        TVINSERTSTRUCT insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<LPSTR>(text.c_str());
        return reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
    }

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

    HTREEITEM Next(HTREEITEM item, UINT code)
    {
        return reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }

    // The children's texts walked forwards, and walked backwards from the last.
    HTREEITEM FirstChild(HTREEITEM parent)
    {
        return parent == TVI_ROOT ? Next(nullptr, TVGN_ROOT) : Next(parent, TVGN_CHILD);
    }
    std::string Forwards(HTREEITEM parent)
    {
        std::string texts;
        for (HTREEITEM item = FirstChild(parent); item; item = Next(item, TVGN_NEXT))
            texts += Text(item) + " ";
        return texts;
    }
    std::string Backwards(HTREEITEM parent)
    {
        HTREEITEM last = FirstChild(parent);
        for (HTREEITEM item = last; item; item = Next(item, TVGN_NEXT))
            last = item;
        std::string texts;
        for (HTREEITEM item = last; item; item = Next(item, TVGN_PREVIOUS))
            texts = Text(item) + " " + texts;
        return texts;
    }

    HWND tree = nullptr;
    std::vector<std::string> deleted;
};

TEST_F(TreeSiblingsTest, WalkingStaysRightAfterInsertsAndDeletesAnywhere)
{
    HTREEITEM parent = Add(TVI_ROOT, "p");
    std::vector<HTREEITEM> items;
    for (int i = 0; i < 6; ++i)
        items.push_back(Add(parent, "i" + std::to_string(i)));
    EXPECT_EQ(Forwards(parent), "i0 i1 i2 i3 i4 i5 ");
    // Every item's remembered place moves: one in front, one after the third, the second gone.
    Add(parent, "first", TVI_FIRST);
    Add(parent, "mid", items[2]);
    SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(items[1]));
    EXPECT_EQ(Forwards(parent), "first i0 i2 mid i3 i4 i5 ");
    EXPECT_EQ(Backwards(parent), "first i0 i2 mid i3 i4 i5 ");
    EXPECT_EQ(Text(Next(items[0], TVGN_PREVIOUS)), "first");
    EXPECT_EQ(Text(Next(items[5], TVGN_PREVIOUS)), "i4");
    EXPECT_EQ(Next(items[5], TVGN_NEXT), nullptr);
    // Sorting reorders the list under the remembered places.
    SendMessage(tree, TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(parent));
    EXPECT_EQ(Forwards(parent), "first i0 i2 i3 i4 i5 mid ");
    EXPECT_EQ(Backwards(parent), "first i0 i2 i3 i4 i5 mid ");
}

TEST_F(TreeSiblingsTest, DeletingASubtreeNotifiesEveryItemChildrenFirstAndKeepsItsSiblings)
{
    HTREEITEM a = Add(TVI_ROOT, "a");
    HTREEITEM b = Add(TVI_ROOT, "b");
    Add(TVI_ROOT, "c");
    HTREEITEM b1 = Add(b, "b1");
    Add(b1, "b1x");
    Add(b, "b2");
    deleted.clear();
    SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(b));
    EXPECT_EQ(deleted, (std::vector<std::string>{"b1x", "b1", "b2", "b"}));
    EXPECT_EQ(Forwards(TVI_ROOT), "a c ");
    EXPECT_EQ(SendMessage(tree, TVM_GETCOUNT, 0, 0), 2);

    Add(a, "a1");
    deleted.clear();
    SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    EXPECT_EQ(deleted, (std::vector<std::string>{"a1", "a", "c"}));
    EXPECT_EQ(SendMessage(tree, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(Next(nullptr, TVGN_ROOT), nullptr);
}

}  // namespace
}  // namespace tw::comctl::test
