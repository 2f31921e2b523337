// One item of the "Add or Remove Buttons" list: a check square that shows or
// hides one button of a toolbar, the reset item, or the one-or-two-rows item.
#pragma once

#include "platform/mfc/CMap.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"

class CKtvPToolBar;

class CKtvPCustomizeMenuButton : public CKtvPToolbarMenuButton {
    DECLARE_DYNCREATE(CKtvPCustomizeMenuButton)
public:
    CKtvPCustomizeMenuButton();
    CKtvPCustomizeMenuButton(int uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr,
                             BOOL bUserImage = FALSE);
    ~CKtvPCustomizeMenuButton() override;

    void CopyFrom(const CKtvPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CSize OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClickMenuItem() override;

    // After the menu button's virtuals.
    virtual void DrawItem(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHighlight,
                          BOOL bGrayDisabledButtons);
    virtual void DrawCheck(CDC* pDC, const CRect& rect, BOOL bHighlight);

    void SetItemIndex(int iIndex, BOOL bExist = TRUE, BOOL bAddSeparator = FALSE);
    void RedrawCustomizeButton();

    // Fields, in declared order.
    int m_iIndex = -1;                     // the bar button; 17016 marks the reset item
    BOOL m_bChecked = FALSE;
    BOOL m_bSeparator = FALSE;
    BOOL m_bExist = FALSE;
    BOOL m_bAddSeparator = FALSE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bBrothersBtn = FALSE;

    static CKtvPToolBar* m_pWndToolBar;
    static CMap<UINT, UINT, int, int> m_mapPresentIDs;
};
