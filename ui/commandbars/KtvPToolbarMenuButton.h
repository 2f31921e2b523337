// A toolbar button or menu item that opens a popup menu of its child items;
// on a popup menu bar it paints itself as a menu item. Base of the colour and
// calendar menu buttons, of the customize chevron and of the show-all item.
#pragma once

#include "platform/mfc/CObList.h"
#include "ui/commandbars/KtvPToolbarButton.h"

class CKtvPPopupMenu;

class CKtvPToolbarMenuButton : public CKtvPToolbarButton {
    DECLARE_SERIAL(CKtvPToolbarMenuButton)
public:
    CKtvPToolbarMenuButton();
    CKtvPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr,
                           BOOL bUserImage = FALSE);
    ~CKtvPToolbarMenuButton() override;

    // --- overrides ------------------------------------------------------------------------------
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKtvPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CSize OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnCancelMode() override;
    int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    BOOL IsDroppedDown() const override;
    BOOL OnBeforeDrag() const override;
    void OnAfterAltDrop() override;
    void ResetImageToDefault() override;
    BOOL CompareWith(const CKtvPToolbarButton& other) const override;
    void SetRadio() override;
    // A click in context-help mode still opens the menu.
    BOOL OnContextHelp(CWnd* pWnd) override;
    BOOL HaveHotBorder() const override;

    // --- new virtuals, in slot order ------------------------------------------------------------
    virtual BOOL OpenPopupMenu(CWnd* pWnd = nullptr);
    virtual void CreateFromMenu(HMENU hMenu);
    virtual HMENU CreateMenu() const;
    virtual CKtvPPopupMenu* CreatePopupMenu();
    virtual BOOL IsEmptyMenuAllowed() const;
    virtual BOOL IsConnectedToPopup() const;
    virtual BOOL OnClickMenuItem();
    virtual BOOL IsTearOffMenu() const;
    virtual void SetTearOffMenu(UINT uiBarID);

    void GetImageRect(CRect& rectImage);
    static void GetMenuItemOffsets(int& nTextOffset, int& nArrowWidth);
    const CObList& GetCommands() const { return m_listChildren; }

    // Fields, in declared order.
    CObList m_listChildren;                // owned; id 0 a separator, -1 a sub-menu
    BOOL m_bShowArrow = FALSE;
    BOOL m_bMenuMode = FALSE;              // painted as a menu item
    CKtvPPopupMenu* m_pPopupMenu = nullptr;
    CWnd* m_pWndParent = nullptr;
    BOOL m_bDefault = FALSE;
    BOOL m_bClickedOnMenu = FALSE;
    BOOL m_bHorzMeasured = TRUE;
    BOOL m_bToBeClosed = FALSE;
    BOOL m_bMenuOnly = FALSE;
    UINT m_uiTearOffId = 0;
    BOOL m_bRadio = FALSE;
    CWnd* m_pWndMessage = nullptr;         // NULL: the frame gets the commands
    BOOL m_bPaletteMenu = FALSE;
    int m_nPaletteRows = 1;
    BOOL m_bArrowDown = FALSE;
    BOOL m_bOpenRight = FALSE;

protected:
    // The label loses its old key text and gets the keys the frame knows now.
    void AppendAcceleratorText();
    // The menu-item painter.
    void DrawMenuItem(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bCustomizeMode,
                      BOOL bHighlight, BOOL bGrayDisabledButtons);
};
