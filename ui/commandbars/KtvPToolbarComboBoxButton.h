// A combo box hosted as a toolbar button. The button keeps the items, their
// data, the selection and the text itself, so that the box is stored with its
// bar, copied during customisation and re-created on another bar.
#pragma once

#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CStringList.h"
#include "ui/commandbars/KtvPToolbarButton.h"

class CKtvPComboEdit;

class CKtvPToolbarComboBoxButton : public CKtvPToolbarButton {
    DECLARE_SERIAL(CKtvPToolbarComboBoxButton)
public:
    CKtvPToolbarComboBoxButton();
    CKtvPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = CBS_DROPDOWNLIST, int iWidth = 0);
    ~CKtvPToolbarComboBoxButton() override;

    // --- overrides ------------------------------------------------------------------------------
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKtvPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CSize OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    BOOL ExportToMenuButton(CKtvPToolbarMenuButton& menuButton) const override;
    void OnMove() override;
    void OnSize(int iSize) override;
    HWND GetHwnd() override;
    BOOL CanBeStretched() const override;
    BOOL NotifyCommand(int iNotifyCode) override;
    void OnAddToCustomizePage() override;
    HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) override;
    void OnGlobalFontsChanged() override;
    int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    void OnShow(BOOL bShow) override;
    void SetStyle(UINT nStyle) override;
    void EnableWindow(BOOL bEnable = TRUE) override;
    BOOL IsWindowVisible() override;
    BOOL IsOwnerOf(HWND hwnd) override;
    BOOL HasFocus() const override;
    BOOL AddToolTip(CKtvPToolBar* pWndBar, int iIndex, CToolTipCtrl* pToolTip, LPCTSTR lpszText) override;

    // --- new virtuals, in slot order ------------------------------------------------------------
    virtual CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect);
    virtual CEdit* GetEditCtrl();
    virtual void OnItemListReplaced();
    // Derived buttons free what their item data point to.
    virtual void ClearData();
    virtual int Compare(LPCTSTR lpszItem1, LPCTSTR lpszItem2);
    // The grey prompt an empty edit shows.
    virtual CString GetPrompt() const;

    int AddItem(LPCTSTR lpszItem, DWORD_PTR dwData = 0);
    LPCTSTR GetItem(int iIndex = -1) const;
    DWORD_PTR GetItemData(int iIndex = -1) const;
    void RemoveAllItems();
    int GetCount() const;
    BOOL SelectItem(int iIndex, BOOL bNotify = TRUE);
    BOOL SelectItemByText(LPCTSTR lpszText);
    void SetHotEdit(BOOL bHot = TRUE);
    void AdjustRect();

    // Fields, in declared order.
    DWORD m_dwStyle = 0x50200403;          // WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_DROPDOWNLIST
    CComboBox* m_pWndCombo = nullptr;      // owned
    CKtvPComboEdit* m_pWndEdit = nullptr;  // owned; flat mode, editable combo only
    CStringList m_lstItems;
    CList<DWORD_PTR, DWORD_PTR> m_lstItemData;
    int m_nWidth = 150;
    int m_iSelIndex = -1;
    BOOL m_bHorzMeasured = TRUE;
    CString m_strEdit;
    CRect m_rectCombo;
    CRect m_rectButton;
    int m_nDropDownHeight = 150;
    BOOL m_bIsHotEdit = FALSE;
    UINT m_uiMenuResID = 0;

    // Flat mode; the main frame sets it again when it is created.
    static BOOL m_bFlat;

protected:
    void DestroyWindows();
    BOOL HasCombo() const;
    // Disabled: in customise mode when not editable, else by its style.
    BOOL IsDisabled() const;
    void OnEditChange();
};

// The flat edit over an editable combo's text area.
class CKtvPComboEdit : public CEdit {
public:
    explicit CKtvPComboEdit(CKtvPToolbarComboBoxButton& combo);
    ~CKtvPComboEdit() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CKtvPToolbarComboBoxButton& m_combo;
    BOOL m_bTracked = FALSE;

protected:
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnChange();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};
