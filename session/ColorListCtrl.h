// A report list whose cells can carry their own text and background colours,
// and whose rows sort by the text of a column in byte order.
//
// A cell's colours belong to its row's item data, not to its position, so a
// highlight stays on its row when the list is sorted again. Rows of such a
// list carry distinct item data.
#pragma once

#include "platform/mfc/CObList.h"
#include "platform/mfc/CObject.h"
#include "ui/controls/KtvPListCtrl.h"

// The colours of one cell; -1 stands for the list's own colour.
class CListCellColor : public CObject {
public:
    CListCellColor(int nColumn, int nRow, COLORREF clrText, COLORREF clrBk)
        : m_nColumn(nColumn), m_nRow(nRow), m_clrText(clrText), m_clrBk(clrBk)
    {
    }
    ~CListCellColor() override = default;

    int m_nColumn;
    int m_nRow;  // the row's item data
    COLORREF m_clrText;
    COLORREF m_clrBk;
};

class CColorListCtrl : public CKtvPListCtrl {
public:
    static constexpr COLORREF kListColor = static_cast<COLORREF>(-1);

    CColorListCtrl();
    ~CColorListCtrl() override;

    // Gives the cell at the row position and column its colours; the caller
    // redraws the list.
    void SetCellColors(int nRow, int nColumn, COLORREF clrText, COLORREF clrBk);
    // The number of colour records, one per coloured cell.
    int GetCellColorCount() const { return static_cast<int>(m_CellColors.GetCount()); }

    int OnCompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn) override;
    COLORREF OnGetCellTextColor(int nRow, int nColum) override;
    COLORREF OnGetCellBkColor(int nRow, int nColum) override;

protected:
    CPtrList m_CellColors{10};
    DECLARE_MESSAGE_MAP()

private:
    CListCellColor* FindCellColor(int nRow, int nColumn) const;
    int RowOfItemData(LPARAM lParam) const;
};
