// One command item of a command bar: a toolbar button, a menu-bar item, a
// popup-menu item or an entry of the customisation command list. It owns no
// window; its bar places it, routes input to it and deletes it. Every other
// button kind derives from it and overrides part of its virtuals.
#pragma once

#include "platform/mfc/CList.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "platform/comctl/commctrl.h"
#include "ui/frames/KtvPCodes.h"

class CArchive;
class CDC;
class CMenu;
class CToolTipCtrl;
class CWnd;
class COleDataObject;
class COleDataSource;
class CKtvPToolBar;
class CKtvPToolBarImages;
class CKtvPToolbarMenuButton;

class CKtvPToolbarButton : public CObject {
    DECLARE_SERIAL(CKtvPToolbarButton)

public:
    CKtvPToolbarButton();
    CKtvPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserImage = FALSE,
                       BOOL bLocked = FALSE);
    CKtvPToolbarButton(const CKtvPToolbarButton&) = delete;
    CKtvPToolbarButton& operator=(const CKtvPToolbarButton&) = delete;

    // Virtuals in slot order (after GetRuntimeClass).
    ~CKtvPToolbarButton() override;
    void Serialize(CArchive& ar) override;
    virtual BOOL CanBeDropped(CKtvPToolBar* pToolbar);
    virtual void CopyFrom(const CKtvPToolbarButton& src);
    virtual void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                        BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                        BOOL bGrayDisabledButtons = TRUE);
    virtual CSize OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz);
    virtual BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE);
    virtual BOOL OnClickUp();
    virtual void OnChangeParentWnd(CWnd* pWndParent);
    virtual BOOL ExportToMenuButton(CKtvPToolbarMenuButton& menuButton) const;
    virtual void OnMove();
    virtual void OnSize(int iSize);
    virtual HWND GetHwnd();
    virtual BOOL CanBeStretched() const;
    virtual BOOL NotifyCommand(int iNotifyCode);
    virtual void OnAddToCustomizePage();
    virtual HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor);
    virtual void OnDblClick(CWnd* pWnd);
    virtual BOOL CanBeStored() const;
    virtual BOOL HaveHotBorder() const;
    virtual void OnCancelMode();
    virtual void OnGlobalFontsChanged();
    virtual BOOL IsEditable() const;
    virtual BOOL OnContextHelp(CWnd* pWnd);
    virtual BOOL OnCustomizeMenu(CMenu* pPopup);
    virtual int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected);
    virtual BOOL IsDroppedDown() const;
    virtual BOOL OnBeforeDrag() const;
    virtual BOOL OnBeforeDrop(CKtvPToolBar* pTarget);
    virtual INT_PTR OnToolHitTest(const CWnd* pWnd, TOOLINFO* pTI);
    virtual void OnAfterAltDrop();
    virtual void OnShow(BOOL bShow);
    virtual const CRect GetInvalidateRect() const;
    virtual void SetStyle(UINT nStyle);
    virtual void ResetImageToDefault();
    virtual BOOL CompareWith(const CKtvPToolbarButton& other) const;
    virtual void EnableWindow(BOOL bEnable = TRUE);
    virtual BOOL IsWindowVisible();
    virtual BOOL IsOwnerOf(HWND hwnd);
    virtual BOOL HasFocus() const;
    virtual BOOL GetToolTipText(CString& strTTText);
    virtual BOOL AddToolTip(CKtvPToolBar* pWndBar, int iIndex, CToolTipCtrl* pToolTip, LPCTSTR lpszText);
    virtual void SetImage(int iImage);
    virtual void SetRadio();
    virtual BOOL IsExtraSize() const;

    void FillInterior(CDC* pDC, const CRect& rect, BOOL bHighlight = FALSE);
    BOOL PrepareDrag(COleDataSource& srcItem);
    static UINT GetClipboardFormat();
    static CKtvPToolbarButton* CreateFromOleData(COleDataObject* pDataObject);

    // The image in use: the user image when m_bUserImage, else the standard one.
    int GetImage() const { return m_bUserImage ? m_iUserImage : m_iImage; }

    // Fields, in declared order.
    BOOL m_bUserImage = FALSE;
    UINT m_nID = 0;               // 0 a separator; (UINT)-1 an item that only opens a sub-menu
    UINT m_nStyle = 0;            // TBBS_ bits and KTVP_TBBS_BREAK
    CString m_strText;            // '&' marks the mnemonic, "&&" is one ampersand
    BOOL m_bTextShown = FALSE;
    BOOL m_bImageShown = TRUE;
    BOOL m_bRowBreak = FALSE;     // the next button starts a new row
    BOOL m_bWholeText = TRUE;     // FALSE lets the menu-item painter shorten the label
    BOOL m_bTextBelow = FALSE;
    CString m_strSecondText;      // the command's path in the command catalogue
    BOOL m_bStoredFlag = FALSE;
    CRect m_rect;
    int m_iImage = -1;            // a separator's width
    int m_iUserImage = -1;
    BOOL m_bLocked = FALSE;       // on a locked bar: never registers images
    BOOL m_bOverflow = FALSE;     // did not fit; not drawn
    CSize m_sizeText;
    BOOL m_bNoFill = FALSE;
    BOOL m_bExtraSize = FALSE;
    BOOL m_bHorz = TRUE;
    BOOL m_bVisible = TRUE;

    static CString m_strClipboardFormatName;
    static UINT m_nClipboardFormat;
    static CString m_strAmpersandPlaceholder;   // two characters of code 1
    static CList<UINT, UINT> m_lstProtectedCommands;
    static BOOL m_bRegisterImages;

private:
    void DrawVerticalLabel(CDC* pDC, const CRect& rectInternal, int tx, int ty, UINT uiFormat);
};
