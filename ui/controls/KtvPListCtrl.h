// The library's report list: per-cell colours and fonts through overridable
// hooks, sorting by a header click with sort marks in its header, and an
// optional shaded sort column.
#pragma once

#include "platform/mfc/CListCtrl.h"
#include "ui/controls/KtvPHeaderCtrl.h"

class CFont;

class CKtvPListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CKtvPListCtrl)
public:
    CKtvPListCtrl();
    ~CKtvPListCtrl() override;

    virtual CKtvPHeaderCtrl& GetHeaderCtrl() { return m_wndHeader; }
    virtual void Sort(int iColumn, BOOL bAscending = TRUE, BOOL bAdd = FALSE);
    virtual int OnCompareItems(LPARAM /*lParam1*/, LPARAM /*lParam2*/, int /*iColumn*/) { return 0; }
    virtual COLORREF OnGetCellTextColor(int nRow, int nColum);
    virtual COLORREF OnGetCellBkColor(int nRow, int nColum);
    virtual HFONT OnGetCellFont(int /*nRow*/, int /*nColum*/, DWORD_PTR /*dwData*/ = 0) { return nullptr; }

protected:
    virtual BOOL InitHeader();

public:
    void SetSortColumn(int iColumn, BOOL bAscending = TRUE, BOOL bAdd = FALSE);
    void RemoveSortColumn(int iColumn);
    void EnableMultipleSort(BOOL bEnable = TRUE);
    BOOL IsMultipleSort() const;
    void EnableMarkSortedColumn(BOOL bMark = TRUE, BOOL bRedraw = TRUE);
    int GetSortColumn() const { return m_iSortedColumn; }
    BOOL IsAscending() const { return m_bAscending; }

protected:
    CKtvPHeaderCtrl m_wndHeader;
    int m_iSortedColumn;
    BOOL m_bAscending;
    BOOL m_bMarkSortedColumn;
    COLORREF m_clrSortedColumn;  // the list's background scaled by 0.97
    HFONT m_hOldFont;            // put back after a cell's own font

    BOOL InitList();
    void InitColors();

    void PreSubclassWindow() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSysColorChange();
    void OnSize(UINT nType, int cx, int cy);
    void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
