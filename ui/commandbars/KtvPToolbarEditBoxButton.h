// A single-line edit box hosted as a toolbar button; it keeps its contents
// itself and keeps every edit box of the same command in step.
#pragma once

#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/controls/KtvPBrowseEdit.h"

class CEdit;
class CKtvPEditBoxEdit;

class CKtvPToolbarEditBoxButton : public CKtvPToolbarButton {
    DECLARE_SERIAL(CKtvPToolbarEditBoxButton)
public:
    CKtvPToolbarEditBoxButton();
    ~CKtvPToolbarEditBoxButton() override;

    // --- overrides ------------------------------------------------------------------------------
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKtvPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CSize OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnMove() override;
    void OnSize(int iSize) override;
    HWND GetHwnd() override;
    BOOL CanBeStretched() const override;
    BOOL NotifyCommand(int iNotifyCode) override;
    void OnAddToCustomizePage() override;
    HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) override;
    BOOL HaveHotBorder() const override;
    void OnGlobalFontsChanged() override;
    int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    void OnShow(BOOL bShow) override;
    const CRect GetInvalidateRect() const override;
    void SetStyle(UINT nStyle) override;
    void EnableWindow(BOOL bEnable = TRUE) override;
    BOOL IsWindowVisible() override;
    BOOL IsOwnerOf(HWND hwnd) override;
    BOOL HasFocus() const override;
    BOOL AddToolTip(CKtvPToolBar* pWndBar, int iIndex, CToolTipCtrl* pToolTip, LPCTSTR lpszText) override;

    // --- new virtuals, in slot order ------------------------------------------------------------
    virtual CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect);
    virtual void SetContents(const CString& sContents);
    virtual void GetEditBorder(CRect& rectBorder);

    void SetHotEdit(BOOL bHot = TRUE);

    // Fields, in declared order.
    DWORD m_dwStyle = 0x50000080;          // WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL
    CKtvPEditBoxEdit* m_pWndEdit = nullptr;  // owned
    CString m_strContents;
    BOOL m_bChangingText = FALSE;          // the button itself is setting the window text
    int m_nWidth = 150;
    BOOL m_bHorzMeasured = TRUE;
    BOOL m_bIsHotEdit = FALSE;
    UINT m_uiMenuResID = 0;
    BOOL m_bCalculator = FALSE;

protected:
    void DestroyEdit();
    // Disabled: in customise mode when not editable, else by its style.
    BOOL IsDisabled() const;
};

// The window an edit-box button hosts.
class CKtvPEditBoxEdit : public CKtvPBrowseEdit {
public:
    explicit CKtvPEditBoxEdit(CKtvPToolbarEditBoxButton& edit);
    ~CKtvPEditBoxEdit() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CKtvPToolbarEditBoxButton& m_buttonEdit;
    BOOL m_bTracked = FALSE;

protected:
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
