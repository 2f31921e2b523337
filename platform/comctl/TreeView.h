// The tree view: a hierarchy of labelled items with images, expanded and
// collapsed by mouse, keyboard or message, with single selection, drop
// highlight, hit testing, label editing in place, custom draw and the
// TVN_ notifications.
#pragma once

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/comctl/LabelEditor.h"
#include "platform/comctl/commctrl.h"

namespace tw::comctl {

class TreeView {
public:
    explicit TreeView(HWND hwnd);
    ~TreeView();
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Item {
        Item* parent = nullptr;
        std::vector<Item*> children;
        std::string text;
        bool textCallback = false;
        int image = 0;
        int selectedImage = 0;
        int childrenFlag = 0;  // cChildren: 0, 1 or I_CHILDRENCALLBACK
        UINT state = 0;
        LPARAM lParam = 0;
        // Where the item last stood among its siblings: walking siblings in
        // order finds each one here at once, however many there are.
        size_t positionHint = 0;
    };

    // --- the item tree
    Item* FromHandle(HTREEITEM handle) const;
    static HTREEITEM HandleOf(const Item* item) { return reinterpret_cast<HTREEITEM>(const_cast<Item*>(item)); }
    Item* Insert(const TVINSERTSTRUCT& insert);
    // Deletes the item and its subtree; bDetach takes it out of its parent's
    // list (a subtree deleted whole leaves that to the list's owner).
    void DeleteItem(Item* item, bool notify, bool bDetach = true);
    // The item's index among its siblings.
    size_t Position(Item* item);
    bool Delete(HTREEITEM handle);
    bool HasChildren(Item& item);
    int Level(const Item* item) const;
    std::vector<Item*>& Siblings(Item* item);
    Item* NextSibling(Item* item);
    Item* PrevSibling(Item* item);
    void SortChildren(Item* parent, PFNTVCOMPARE compare, LPARAM lParamSort, bool recurse);
    HTREEITEM GetNext(UINT code, Item* item);

    // --- item data
    void FillNotifyItem(Item* item, TVITEM& out, UINT mask);
    std::string TextOf(Item* item);
    int ImageOf(Item* item, bool selected);
    bool GetItem(TVITEM* item);
    bool SetItem(const TVITEM* item);
    void Store(Item* item, const TVITEM& from);

    // --- expansion and selection
    bool Expand(Item* item, UINT action, bool byUser);
    bool Select(Item* item, UINT cause);
    bool SetDropHighlight(Item* item);
    void EnsureVisible(Item* item);

    // --- layout
    const std::vector<Item*>& Visible();
    void InvalidateLayout();
    int VisibleIndex(Item* item);
    int RowHeight() const;
    int PageRows() const;
    int ItemLeft(Item* item) const;
    int LabelWidth(Item* item);
    bool ItemRect(Item* item, bool textOnly, RECT& rect);
    Item* HitTest(POINT point, UINT& flags);
    void SetTop(int index);
    void UpdateScrollBar();
    void OnVScroll(UINT code);

    // --- input
    void OnKeyDown(UINT vk);
    void OnChar(UINT ch);
    void OnButtonDown(POINT point, bool right);
    void OnMouseMove(POINT point, WPARAM keys);
    void OnButtonUp(POINT point, bool right);
    void OnDoubleClick(POINT point);
    HWND EditLabel(Item* item);
    void EndEdit(Item* item, const char* text);

    // --- notifications and painting
    LRESULT Notify(UINT code, NMHDR* header);
    LRESULT NotifyTree(UINT code, UINT action, Item* oldItem, Item* newItem, POINT pt = {});
    LRESULT NotifySimple(UINT code);
    void Paint(HDC dc, const RECT& update);
    void PaintItem(HDC dc, Item* item, int row, DWORD customDraw);
    void PaintLinesAndButton(HDC dc, Item* item, const RECT& row);
    DWORD CustomDraw(HDC dc, DWORD stage, Item* item, const RECT& rect, NMTVCUSTOMDRAW& info);
    DWORD Style() const { return DWORD(GetWindowLong(hwnd_, GWL_STYLE)); }

    HWND hwnd_;
    Item root_;
    std::unordered_set<const Item*> live_;
    std::vector<Item*> visible_;
    bool visibleDirty_ = true;
    bool redrawOff_ = false;        // WM_SETREDRAW FALSE is in force
    bool scrollBarStale_ = false;   // the scroll bar waits for drawing to come back
    int top_ = 0;
    Item* selected_ = nullptr;
    Item* dropHighlight_ = nullptr;
    Item* editing_ = nullptr;
    LabelEditor editor_;
    HIMAGELIST images_ = nullptr;
    HIMAGELIST stateImages_ = nullptr;
    HFONT font_ = nullptr;
    int indent_ = 19;
    int itemHeight_ = -1;  // -1: from the font and images
    COLORREF background_ = CLR_NONE;
    COLORREF textColor_ = CLR_NONE;
    UINT scrollTime_ = 100;
    bool hasFocus_ = false;
    // A press on an item that may turn into a drag.
    Item* pressed_ = nullptr;
    POINT pressPoint_{};
    bool pressRight_ = false;
    bool pressedWasSelected_ = false;
    Item* pendingEdit_ = nullptr;  // a label to edit once the double-click time has passed
    // Type-ahead search.
    std::string search_;
    unsigned long long lastChar_ = 0;
};

LRESULT CALLBACK TreeViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tw::comctl
