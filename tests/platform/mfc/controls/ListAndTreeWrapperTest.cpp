// The list view, tree view and header wrappers: their members reach the
// controls, and the controls' notifications reach the host's message map.
#include "tests/platform/mfc/controls/ControlHost.h"

namespace tw::mfc::test {
namespace {

class ListWrapper : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 410, 210), &host, IDC_LIST));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Owner", LVCFMT_LEFT, 80);
        for (const char* name : {"authors", "titles", "sales"}) {
            const int item = list.InsertItem(list.GetItemCount(), name);
            list.SetItemText(item, 1, "dbo");
            list.SetItemData(item, 100u + static_cast<DWORD_PTR>(item));
        }
        Pump();
        host.Clear();
    }
    CListCtrl list;
};

TEST_F(ListWrapper, ItemsTextsAndDataReachTheControl)
{
    EXPECT_EQ(ClassOf(list), WC_LISTVIEW);
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_STREQ(list.GetItemText(1, 0), "titles");
    EXPECT_STREQ(list.GetItemText(1, 1), "dbo");
    EXPECT_EQ(list.GetItemData(2), 102u);
    EXPECT_EQ(list.GetColumnWidth(0), 120);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);

    const CString longText(std::string(600, 'x').c_str());
    list.SetItemText(0, 0, longText);
    EXPECT_EQ(list.GetItemText(0, 0).GetLength(), 600) << "longer than the first buffer";
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_STREQ(list.GetItemText(0, 0), "titles");
}

TEST_F(ListWrapper, SelectedItemsAreWalkedByPosition)
{
    EXPECT_EQ(list.GetFirstSelectedItemPosition(), nullptr);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{0, 2}));
    EXPECT_EQ(list.GetSelectedCount(), 2u);
}

TEST_F(ListWrapper, CheckBoxesAreTheStateImages)
{
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
    EXPECT_FALSE(list.GetCheck(1));
    list.SetCheck(1);
    EXPECT_TRUE(list.GetCheck(1));
    list.SetCheck(1, FALSE);
    EXPECT_FALSE(list.GetCheck(1));
}

TEST_F(ListWrapper, AHeaderClickReachesTheHostsHandlerWithItsColumn)
{
    CRect column;
    list.GetHeaderCtrl()->GetItemRect(1, &column);
    CPoint inHeader = column.CenterPoint();
    list.GetHeaderCtrl()->ClientToScreen(&inHeader);
    host.ScreenToClient(&inHeader);
    Click(host, inHeader);
    EXPECT_EQ(host.received, (std::vector<std::string>{"COLUMNCLICK 1"}));
}

TEST_F(ListWrapper, ImageListsAreHandedBackAsTheirObjects)
{
    CImageList small;
    ASSERT_TRUE(small.Create(16, 16, ILC_COLOR32, 1, 1));
    EXPECT_EQ(list.SetImageList(&small, LVSIL_SMALL), nullptr);
    EXPECT_EQ(list.GetImageList(LVSIL_SMALL), &small);
    list.SetImageList(nullptr, LVSIL_SMALL);
}

class TreeWrapper : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                CRect(10, 10, 300, 300), &host, IDC_TREE));
        server = tree.InsertItem("server");
        tree.SetItemData(server, 1);
        databases = tree.InsertItem("Databases", 2, 3, server);
        tree.SetItemData(databases, 2);
        tables = tree.InsertItem("Tables", databases);
        tree.SetItemData(tables, 3);
        Pump();
        host.Clear();
    }
    CTreeCtrl tree;
    HTREEITEM server = nullptr;
    HTREEITEM databases = nullptr;
    HTREEITEM tables = nullptr;
};

TEST_F(TreeWrapper, ItemsAreInsertedWalkedAndRead)
{
    EXPECT_EQ(ClassOf(tree), WC_TREEVIEW);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetRootItem(), server);
    EXPECT_EQ(tree.GetChildItem(server), databases);
    EXPECT_EQ(tree.GetParentItem(tables), databases);
    EXPECT_EQ(tree.GetNextSiblingItem(databases), nullptr);
    EXPECT_STREQ(tree.GetItemText(databases), "Databases");
    int image = -1;
    int selected = -1;
    ASSERT_TRUE(tree.GetItemImage(databases, image, selected));
    EXPECT_EQ(image, 2);
    EXPECT_EQ(selected, 3);
    EXPECT_TRUE(tree.ItemHasChildren(server));
    tree.SetItemText(tables, "Views");
    EXPECT_STREQ(tree.GetItemText(tables), "Views");
    EXPECT_TRUE(tree.DeleteItem(tables));
    EXPECT_EQ(tree.GetCount(), 2u);
}

TEST_F(TreeWrapper, ExpandingAndSelectingReachTheHostsHandlers)
{
    tree.Expand(server, TVE_EXPAND);
    EXPECT_EQ(host.received, (std::vector<std::string>{"EXPANDING 2", "EXPANDED 2"}));
    EXPECT_TRUE(tree.GetItemState(server, TVIS_EXPANDED) & TVIS_EXPANDED);
    host.Clear();
    tree.SelectItem(databases);
    EXPECT_EQ(host.received, (std::vector<std::string>{"SELCHANGED 2"}));
    EXPECT_EQ(tree.GetSelectedItem(), databases);

    tree.SelectDropTarget(databases);
    EXPECT_EQ(tree.GetDropHilightItem(), databases);
    CRect row;
    ASSERT_TRUE(tree.GetItemRect(databases, &row, TRUE));
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(row.CenterPoint(), &flags), databases);
    EXPECT_TRUE(flags & TVHT_ONITEMLABEL);
}

// The program limits the label editor through the wrapper it gets back.
TEST_F(TreeWrapper, TheLabelEditorComesBackAsAnEdit)
{
    tree.ModifyStyle(0, TVS_EDITLABELS);
    tree.SetFocus();
    CEdit* editor = tree.EditLabel(server);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->IsKindOf(RUNTIME_CLASS(CEdit)));
    EXPECT_EQ(tree.GetEditControl(), editor);
    editor->LimitText(127);
    EXPECT_EQ(editor->GetLimitText(), 127u);
    CString text;
    editor->GetWindowText(text);
    EXPECT_STREQ(text, "server");
}

TEST_F(ListWrapper, TheHeaderComesBackAsAHeaderOrAsTheProgramsOwnObject)
{
    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(header->IsKindOf(RUNTIME_CLASS(CHeaderCtrl)));
    CHeaderCtrl own;
    ASSERT_TRUE(own.SubclassWindow(header->m_hWnd));
    EXPECT_EQ(list.GetHeaderCtrl(), &own);
    own.UnsubclassWindow();
}

TEST_F(ControlsTest, HeaderItemsAndTheirOrder)
{
    CHeaderCtrl header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS, CRect(0, 0, 300, 20), &host, 705));
    EXPECT_EQ(ClassOf(header), WC_HEADER);
    for (const char* text : {"one", "two", "three"}) {
        HDITEM item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = const_cast<LPSTR>(text);
        item.cxy = 50;
        header.InsertItem(header.GetItemCount(), &item);
    }
    int order[3] = {2, 0, 1};
    ASSERT_TRUE(header.SetOrderArray(3, order));
    int read[3] = {};
    ASSERT_TRUE(header.GetOrderArray(read));
    EXPECT_EQ(std::vector<int>(read, read + 3), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(header.OrderToIndex(0), 2);
    CRect first;
    header.GetItemRect(2, &first);
    EXPECT_EQ(first.left, 0) << "the third item is shown first";
}

// An owner-drawn heading comes back to the header's own DrawItem through its
// parent, whatever its id: a list view's header has id 0, as menus do.
TEST_F(ControlsTest, OwnerDrawnHeadingsAreDrawnByTheHeadersObject)
{
    class DrawnHeader : public CHeaderCtrl {
    public:
        std::vector<UINT> drawn;
        void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override { drawn.push_back(lpDrawItemStruct->itemID); }
    };
    for (UINT id : {706u, 0u}) {
        SCOPED_TRACE(id);
        DrawnHeader header;
        ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 20), &host, id));
        for (int fmt : {HDF_STRING, HDF_OWNERDRAW}) {
            HDITEM item{};
            item.mask = HDI_FORMAT | HDI_WIDTH | HDI_TEXT;
            item.fmt = fmt;
            item.cxy = 80;
            item.pszText = const_cast<LPSTR>("name");
            header.InsertItem(header.GetItemCount(), &item);
        }
        header.Invalidate();
        header.UpdateWindow();
        EXPECT_EQ(header.drawn, (std::vector<UINT>{1}));
        header.DestroyWindow();
    }
}

}  // namespace
}  // namespace tw::mfc::test
