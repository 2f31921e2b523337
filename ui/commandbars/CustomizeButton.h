// The "Toolbar Options" chevron at the end of a toolbar (its popup lists the
// buttons that did not fit and the customise command), and the double-chevron
// item that expands a personalised menu to all its items.
#pragma once

#include "platform/mfc/CMap.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"

class CKtvPPopupMenuBar;
class CKtvPToolBar;

class CCustomizeButton : public CKtvPToolbarMenuButton {
    DECLARE_SERIAL(CCustomizeButton)
public:
    CCustomizeButton();
    CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText);
    ~CCustomizeButton() override;

    void CopyFrom(const CKtvPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CSize OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnCancelMode() override;
    CKtvPPopupMenu* CreatePopupMenu() override;
    BOOL CanBeStored() const override;
    BOOL HaveHotBorder() const override;
    BOOL IsEditable() const override;
    BOOL IsEmptyMenuAllowed() const override;
    BOOL IsConnectedToPopup() const override;

    // After the menu button's virtuals.
    virtual BOOL InvokeCommand(CKtvPPopupMenuBar* pMenuBar, const CKtvPToolbarButton* pButton);

    // Fields, in declared order.
    int m_iCustomizeCmdId = 0;             // <= 0: no customise item
    CString m_strCustomizeText;
    CKtvPToolBar* m_pWndParentToolbar = nullptr;
    BOOL m_bIsEmpty = FALSE;               // takes no room
    BOOL m_bDrawn = TRUE;
    CSize m_sizeExtra;
    BOOL m_bExtraValid = TRUE;
    BOOL m_bMenuRightAlign = TRUE;
    CObList m_lstHiddenButtons;            // not owned, in bar order

private:
    // Each item of the open popup and the hidden button it stands for.
    CMap<CKtvPToolbarButton*, CKtvPToolbarButton*, CKtvPToolbarButton*, CKtvPToolbarButton*> m_mapItemButtons;
};

class CKtvPShowAllButton : public CKtvPToolbarMenuButton {
    DECLARE_DYNCREATE(CKtvPShowAllButton)
public:
    CKtvPShowAllButton();
    ~CKtvPShowAllButton() override;

    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CSize OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    INT_PTR OnToolHitTest(const CWnd* pWnd, TOOLINFO* pTI) override;
    BOOL OpenPopupMenu(CWnd* pWnd = nullptr) override;
};
