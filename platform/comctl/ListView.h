// The list view: rows of items with sub-items under a header of columns
// (report view), selection and focus states, check boxes, sorting, hit
// testing, callback text, custom draw per item and sub-item, label editing in
// place, keyboard and mouse, and the LVN_ notifications. The icon, small-icon
// and list views lay their items out as one column of rows.
#pragma once

#include <string>
#include <vector>

#include "platform/comctl/LabelEditor.h"
#include "platform/comctl/commctrl.h"

namespace tw::comctl {

class ListView {
public:
    explicit ListView(HWND hwnd);
    ~ListView();
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Cell {
        std::string text;
        bool callback = false;
    };
    struct Row {
        std::vector<Cell> cells;  // sub-item 0 is the item's label
        int image = 0;
        UINT state = 0;
        LPARAM lParam = 0;
        int indent = 0;
    };
    struct Column {
        int format = LVCFMT_LEFT;
        int subItem = 0;
        int image = -1;
        std::string text;
    };

    DWORD Style() const { return DWORD(GetWindowLong(hwnd_, GWL_STYLE)); }
    bool Report() const { return (Style() & LVS_TYPEMASK) == LVS_REPORT; }
    int Count() const { return int(rows_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    int ColumnCount() const { return int(columns_.size()); }

    // --- items and columns
    LRESULT InsertItem(const LVITEM* item);
    bool DeleteItem(int index);
    bool DeleteAllItems();
    bool SetItem(const LVITEM* item);
    bool GetItem(LVITEM* item);
    bool SetItemText(int index, int subItem, LPCSTR text);
    std::string TextOf(int index, int subItem);
    int ImageOf(int index);
    LRESULT InsertColumn(int index, const LVCOLUMN* column);
    bool DeleteColumn(int index);
    bool SetColumn(int index, const LVCOLUMN* column);
    bool GetColumn(int index, LVCOLUMN* column);
    int ColumnWidth(int index) const;
    bool SetColumnWidth(int index, int width);
    int ColumnLeft(int index) const;
    int ColumnAt(int x) const;
    bool SortItems(PFNLVCOMPARE compare, LPARAM lParamSort);
    int FindItem(int start, const LVFINDINFO* find);
    int NextItem(int start, UINT flags);

    // --- states
    bool SetState(int index, UINT state, UINT mask);
    bool ChangeState(int index, UINT state, UINT mask);
    void SelectOnly(int index);
    void MoveFocus(int index, bool extend, bool keepSelection);

    // --- geometry
    int RowHeight() const;
    int HeaderHeight() const;
    RECT ListArea() const;
    int PageRows() const;
    int TotalWidth() const;
    int StringWidth(const std::string& text) const;
    int LabelLeft(int index) const;
    bool ItemRect(int index, int code, RECT& rect);
    bool SubItemRect(int index, int subItem, int code, RECT& rect);
    int HitTest(POINT point, UINT& flags, int* subItem);
    void SetTop(int index);
    void SetScrollX(int x);
    void EnsureVisible(int index);
    void Layout();
    void UpdateScrollBars();
    void OnScroll(int bar, UINT code);

    // --- input
    void OnKeyDown(UINT vk);
    void OnChar(UINT ch);
    void OnButtonDown(POINT point, WPARAM keys, bool right, bool doubleClick);
    void OnMouseMove(POINT point, WPARAM keys);
    // LVS_EX_LABELTIP: the full text of a cut-off cell in a tip over it.
    void UpdateLabelTip(POINT point, WPARAM wParam, LPARAM lParam);
    void OnButtonUp(POINT point, bool right);
    HWND EditLabel(int index);
    void EndEdit(int index, const char* text);
    LRESULT OnHeaderNotify(NMHDR* header);

    // --- notifications and painting
    LRESULT Notify(UINT code, NMHDR* header);
    LRESULT NotifyItem(UINT code, int index, int subItem = 0, UINT newState = 0, UINT oldState = 0,
                       UINT changed = 0, POINT pt = {});
    LRESULT NotifyActivate(UINT code, int index, int subItem, POINT pt);
    void Paint(HDC dc, const RECT& update);
    void PaintRow(HDC dc, int index, DWORD customDraw);
    void PaintCell(HDC dc, int index, int column, const RECT& cell, COLORREF text, COLORREF back, bool selected);
    DWORD CustomDraw(HDC dc, DWORD stage, int index, int subItem, const RECT& rect, NMLVCUSTOMDRAW& info);

    HWND hwnd_;
    HWND header_ = nullptr;
    std::vector<Row> rows_;
    std::vector<Column> columns_;
    DWORD exStyle_ = 0;
    HIMAGELIST normalImages_ = nullptr;
    HIMAGELIST smallImages_ = nullptr;
    HIMAGELIST stateImages_ = nullptr;
    HFONT font_ = nullptr;
    COLORREF background_;
    COLORREF textColor_;
    COLORREF textBackground_;
    int top_ = 0;
    int scrollX_ = 0;
    int focused_ = -1;
    int selectionMark_ = -1;
    bool hasFocus_ = false;
    LabelEditor editor_;
    int editing_ = -1;
    // A press that may become a drag or a second click that edits.
    int pressed_ = -1;
    POINT pressPoint_{};
    bool pressRight_ = false;
    bool pressedWasSelected_ = false;
    bool armed_ = false;    // a button went down here: its release is a click
    int pendingEdit_ = -1;  // a label to edit once the double-click time has passed
    HWND labelTip_ = nullptr;
    std::string labelTipText_;
    std::string search_;
    unsigned long long lastChar_ = 0;
};

LRESULT CALLBACK ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tw::comctl
