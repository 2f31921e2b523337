// The customise sheet's Commands page: the categories of the sheet's
// command catalogue on the left, the commands of the chosen one on the
// right (with their images), the chosen command's description below. A
// command dragged out of the list is dropped onto a bar in customise mode.
#pragma once

#include "platform/mfc/CListBox.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CString.h"

class CKtvPToolbarButton;

class CKtvPCommandsListBox : public CListBox {
public:
    CKtvPCommandsListBox() = default;
    ~CKtvPCommandsListBox() override = default;

    void PreSubclassWindow() override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

    int m_iItemWidth = 0;
    int m_iItemHeight = 0;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

class CKtvPCustomizePage : public CPropertyPage {
    DECLARE_DYNCREATE(CKtvPCustomizePage)
public:
    CKtvPCustomizePage();
    ~CKtvPCustomizePage() override;

    void SetAllCommandsCategory(LPCTSTR lpszCategory) { m_strAllCategory = lpszCategory; }

    CListBox m_wndCategory;
    CKtvPCommandsListBox m_wndTools;
    CString m_strButtonDescription;
    CKtvPToolbarButton* m_pSelButton = nullptr;
    CString m_strAllCategory;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSelchangeCategory();
    void OnSelchangeCommands();
    DECLARE_MESSAGE_MAP()
};
