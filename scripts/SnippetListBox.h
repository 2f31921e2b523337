// One page of the Snippets pane: the item names of a snippet page, each drawn
// with the pane's snippet image in front of it. The list's window text is the
// page name; a double-click inserts the item into the active editor.
#pragma once

#include "platform/mfc/CImageList.h"
#include "platform/mfc/CListBox.h"

class CSnippetListBox : public CListBox {
public:
    explicit CSnippetListBox(CImageList* pImages = nullptr) : m_pImages(pImages) {}

    void SetImageList(CImageList* pImages) { m_pImages = pImages; }
    // Appends a row; its item data is the index of its image (-1: none).
    // The row's index, or a negative value when it could not be added.
    int AddItem(LPCTSTR lpszText, DWORD dwData = 0);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CImageList* m_pImages;
};
