// One page of the Snippets pane: the snippet names of a group, each drawn
// with the pane's snippet image in front of it.
#pragma once

#include "platform/mfc/CImageList.h"
#include "platform/mfc/CListBox.h"

class CSnippetListBox : public CListBox {
public:
    explicit CSnippetListBox(CImageList* pImages = nullptr) : m_pImages(pImages) {}

    void SetImageList(CImageList* pImages) { m_pImages = pImages; }
    // Appends a snippet name; its index, or LB_ERR.
    int AddItem(LPCTSTR lpszName);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

private:
    CImageList* m_pImages;
};
