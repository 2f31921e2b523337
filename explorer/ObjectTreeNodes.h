// How a node of the object tree is read. A node carries only its text and
// image; what it stands for follows from its depth and its ancestors' texts:
// 0 server, 1 database, 2 folder, 3 object ("owner.name"), 4 sub-folder,
// 5 entry. A node not yet filled has the placeholder child.
#pragma once

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CString.h"

class CTreeCtrl;

// The text of the placeholder child of a node that is not yet filled.
#define OBJTREE_DUMMY_ITEM "*!*!*!*?*?@?@^@^@^@~#~#~#&#&#&"

// Images of the tree's image list (bitmap 603).
enum ObjectTreeImage : int {
    OBJTREE_IMG_SERVER = 0,
    OBJTREE_IMG_DATABASE = 1,
    OBJTREE_IMG_TABLE = 2,
    OBJTREE_IMG_FOLDER = 3,
    OBJTREE_IMG_VIEW = 4,
    OBJTREE_IMG_PROCEDURE = 5,
    OBJTREE_IMG_XPROCEDURE = 6,
    OBJTREE_IMG_FUNCTION = 7,
    OBJTREE_IMG_INDEX = 8,
    OBJTREE_IMG_TRIGGER = 9,
    OBJTREE_IMG_DEPEND = 10,
    OBJTREE_IMG_FOREIGNKEY = 11,
    OBJTREE_IMG_CONSTRAINT = 12,
    OBJTREE_IMG_COLUMN = 14,
};

enum : UINT {
    IDB_OBJTREE_IMAGES = 603,
    IDR_OBJTREE_POPUP = 146,
};

// The depths of the node kinds.
enum ObjectTreeDepth : int {
    OBJTREE_DEPTH_SERVER = 0,
    OBJTREE_DEPTH_DATABASE = 1,
    OBJTREE_DEPTH_FOLDER = 2,
    OBJTREE_DEPTH_OBJECT = 3,
    OBJTREE_DEPTH_SUBFOLDER = 4,
    OBJTREE_DEPTH_ENTRY = 5,
};

// What a node stands for, read from the node and its ancestors. Texts of
// levels the node does not reach are empty.
struct CObjectTreeNode {
    HTREEITEM hItem = nullptr;
    int nDepth = -1;          // -1: no node
    CString strText;          // the node's own text
    CString strServer;        // depth 0
    CString strDatabase;      // depth 1
    CString strFolder;        // depth 2: "User Table", "View", ...
    CString strObject;        // depth 3: "owner.name"
    CString strOwner;         // the object text before its first full stop
    CString strName;          // the object's bare name: the text after its first full stop
    CString strSubFolder;     // depth 4: "Columns", "Index", ...
    CString strEntry;         // depth 5
};

// The number of parent steps from the node to the root; -1 for no node.
int ObjectTreeDepth(const CTreeCtrl& tree, HTREEITEM hItem);
// The node's ancestor (or the node itself) at the given depth, or null.
HTREEITEM ObjectTreeAncestor(const CTreeCtrl& tree, HTREEITEM hItem, int nDepth);
// Everything the node stands for.
CObjectTreeNode ReadObjectTreeNode(const CTreeCtrl& tree, HTREEITEM hItem);
// The text after the first full stop, or the whole text without one.
CString ObjectTreeBareName(const CString& strObject);
// The text before the first full stop, or empty without one.
CString ObjectTreeOwner(const CString& strObject);
// Whether the node still has its placeholder child.
BOOL ObjectTreeIsUnfilled(const CTreeCtrl& tree, HTREEITEM hItem);
// Appends a folder (image 3) with its placeholder child of the given image.
HTREEITEM InsertObjectTreeFolder(CTreeCtrl& tree, HTREEITEM hParent, LPCTSTR lpszText, int nPlaceholderImage);
// Deletes every child of the node, each with its subtree.
void DeleteObjectTreeChildren(CTreeCtrl& tree, HTREEITEM hItem);
