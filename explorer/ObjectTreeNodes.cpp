#include "explorer/ObjectTreeNodes.h"

#include "platform/mfc/CTreeCtrl.h"

int ObjectTreeDepth(const CTreeCtrl& tree, HTREEITEM hItem)
{
    if (hItem == nullptr)
        return -1;
    int nDepth = 0;
    for (HTREEITEM hParent = tree.GetParentItem(hItem); hParent != nullptr; hParent = tree.GetParentItem(hParent))
        ++nDepth;
    return nDepth;
}

HTREEITEM ObjectTreeAncestor(const CTreeCtrl& tree, HTREEITEM hItem, int nDepth)
{
    const int nOwn = ObjectTreeDepth(tree, hItem);
    if (nDepth < 0 || nDepth > nOwn)
        return nullptr;
    for (int i = nOwn; i > nDepth; --i)
        hItem = tree.GetParentItem(hItem);
    return hItem;
}

CString ObjectTreeBareName(const CString& strObject)
{
    const int nStop = strObject.Find('.');
    return nStop < 0 ? strObject : strObject.Mid(nStop + 1);
}

CString ObjectTreeOwner(const CString& strObject)
{
    const int nStop = strObject.Find('.');
    return nStop < 0 ? CString() : strObject.Left(nStop);
}

CObjectTreeNode ReadObjectTreeNode(const CTreeCtrl& tree, HTREEITEM hItem)
{
    CObjectTreeNode node;
    node.hItem = hItem;
    node.nDepth = ObjectTreeDepth(tree, hItem);
    if (node.nDepth < 0)
        return node;
    node.strText = tree.GetItemText(hItem);
    CString* levels[] = {&node.strServer, &node.strDatabase, &node.strFolder, &node.strObject, &node.strSubFolder,
                         &node.strEntry};
    HTREEITEM hLevel = hItem;
    for (int nDepth = node.nDepth; nDepth >= 0 && hLevel != nullptr; --nDepth) {
        if (nDepth < 6)
            *levels[nDepth] = tree.GetItemText(hLevel);
        hLevel = tree.GetParentItem(hLevel);
    }
    node.strOwner = ObjectTreeOwner(node.strObject);
    node.strName = node.nDepth >= OBJTREE_DEPTH_OBJECT ? ObjectTreeBareName(node.strObject) : CString();
    return node;
}

BOOL ObjectTreeIsUnfilled(const CTreeCtrl& tree, HTREEITEM hItem)
{
    for (HTREEITEM hChild = tree.GetChildItem(hItem); hChild != nullptr; hChild = tree.GetNextSiblingItem(hChild)) {
        if (tree.GetItemText(hChild) == OBJTREE_DUMMY_ITEM)
            return TRUE;
    }
    return FALSE;
}

HTREEITEM InsertObjectTreeFolder(CTreeCtrl& tree, HTREEITEM hParent, LPCTSTR lpszText, int nPlaceholderImage)
{
    HTREEITEM hFolder = tree.InsertItem(lpszText, OBJTREE_IMG_FOLDER, OBJTREE_IMG_FOLDER, hParent, TVI_LAST);
    if (hFolder != nullptr)
        tree.InsertItem(OBJTREE_DUMMY_ITEM, nPlaceholderImage, nPlaceholderImage, hFolder, TVI_LAST);
    return hFolder;
}

void DeleteObjectTreeChildren(CTreeCtrl& tree, HTREEITEM hItem)
{
    HTREEITEM hChild = tree.GetChildItem(hItem);
    while (hChild != nullptr) {
        HTREEITEM hNext = tree.GetNextSiblingItem(hChild);
        tree.DeleteItem(hChild);
        hChild = hNext;
    }
}
