// The library's property grid: rows of named values (CKtvPProp) shown as a
// tree of groups or as one list sorted by name, with a two-column header, a
// description area and in-place editors (edit, drop-down list, spin).
#pragma once

#include "platform/com/Variant.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CScrollBar.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringList.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/afxmsg.h"
#include "ui/controls/KtvPHeaderCtrl.h"

class CDC;
class CComboBox;
class CKtvPSpinButton;
class CKtvPPropList;

class CKtvPProp : public CObject {
    DECLARE_DYNAMIC(CKtvPProp)
    friend class CKtvPPropList;

public:
    // Flag bits.
    enum { PROP_HAS_LIST = 0x0001, PROP_HAS_BUTTON = 0x0002, PROP_HAS_SPIN = 0x0004 };
    // Hit areas.
    enum ClickArea { ClickExpandBox = 0, ClickName = 1, ClickValue = 2 };

    CKtvPProp(const CString& strName, const VARIANT& varValue, LPCTSTR lpszDescr = nullptr, DWORD dwData = 0,
              LPCTSTR lpszEditMask = nullptr, LPCTSTR lpszEditTemplate = nullptr,
              LPCTSTR lpszValidChars = nullptr);
    CKtvPProp(const CString& strGroupName, DWORD dwData = 0, BOOL bIsValueList = FALSE);
    ~CKtvPProp() override;
    CKtvPProp(const CKtvPProp&) = delete;
    CKtvPProp& operator=(const CKtvPProp&) = delete;

    // --- virtual operations, in table order ---
    virtual void DrawName(CDC* pDC, CRect rect);
    virtual void DrawValue(CDC* pDC, CRect rect);
    virtual void DrawExpandBox(CDC* pDC, CRect rect);
    virtual void DrawButton(CDC* pDC, CRect rect);
    virtual CString FormatValue();
    // Takes the editor's text into the value; FALSE when the text is refused.
    virtual BOOL ApplyEditorText();
    virtual BOOL BeginEdit(LPPOINT lptClick);
    virtual CWnd* CreateEditor(CRect rectEdit, BOOL& bDefaultFormat);
    virtual CKtvPSpinButton* CreateSpin(CRect rectSpin);
    virtual BOOL EndEdit();
    virtual void OnButtonClick(CPoint point);
    virtual BOOL OnValueDblClick(CPoint point);
    virtual void OnComboSelect();
    virtual void OnComboClose();
    virtual BOOL SetValueCursor() const;
    virtual BOOL OnTypedChar(UINT nChar);
    virtual CString GetNameTip();
    virtual CString GetValueTip();
    virtual void OnNameClick(CPoint /*point*/) {}
    virtual void OnNameRightClick(CPoint /*point*/) {}
    virtual void OnValueRightClick(CPoint /*point*/, BOOL /*bSelChanged*/) {}
    virtual void OnRectChanged(CRect /*rectOld*/) {}
    virtual void OnSelected(CKtvPProp* /*pOldSel*/) {}
    virtual void OnDeselected(CKtvPProp* /*pNewSel*/) {}
    virtual HBRUSH GetEditorBrush(CDC* pDC, UINT nCtlColor);
    virtual CComboBox* CreateCombo(CWnd* pWndParent, CRect rect);
    virtual void DestroyEditors();
    virtual BOOL OnListKillFocus(CWnd* /*pNewWnd*/) { return TRUE; }
    virtual BOOL HasButton() const { return (m_dwFlags & (PROP_HAS_LIST | PROP_HAS_BUTTON)) != 0; }
    virtual BOOL ForwardFirstClick() const { return TRUE; }
    virtual BOOL HasValueColumn() const { return TRUE; }
    // Converts a text into the value; FALSE (value unchanged) when it does not read as the value's type.
    virtual BOOL ParseValue(const CString& strText);

    // The other name of ApplyEditorText, kept for callers that use it.
    BOOL OnUpdateValue() { return ApplyEditorText(); }

    // --- tree and options ---
    BOOL AddSubItem(CKtvPProp* pProp);
    int GetSubItemsCount() const { return (int)m_lstSubItems.GetCount(); }
    CKtvPProp* GetSubItem(int nIndex) const;
    CKtvPProp* GetParent() const { return m_pParent; }
    BOOL AddOption(LPCTSTR lpszOption);
    void RemoveAllOptions() { m_lstOptions.RemoveAll(); }
    int GetOptionCount() const { return (int)m_lstOptions.GetCount(); }
    LPCTSTR GetOption(int nIndex) const;
    void EnableSpinControl(BOOL bEnable = TRUE, int nMin = 0, int nMax = 0);
    BOOL ContainsItem(const CKtvPProp* pProp) const;
    int GetLevel() const;
    BOOL AreParentsExpanded() const;
    int GetExpandedCount() const;
    void SetOwnerList(CKtvPPropList* pList);

    // --- value and state ---
    const VARIANT& GetValue() const { return m_varValue; }
    void SetValue(const VARIANT& varValue);
    const CString& GetName() const { return m_strName; }
    void SetName(LPCTSTR lpszName) { m_strName = lpszName; }
    const CString& GetDescription() const { return m_strDescr; }
    void SetDescription(const CString& strDescr) { m_strDescr = strDescr; }
    DWORD_PTR GetData() const { return m_dwData; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
    DWORD GetFlags() const { return m_dwFlags; }
    BOOL IsGroup() const { return m_bGroup; }
    BOOL IsValueList() const { return m_bIsValueList; }
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void Enable(BOOL bEnable = TRUE) { m_bEnabled = bEnable; }
    BOOL IsAllowEdit() const { return m_bAllowEdit; }
    void AllowEdit(BOOL bAllow = TRUE) { m_bAllowEdit = bAllow; }
    BOOL IsInPlaceEditing() const { return m_bInPlaceEdit; }
    CWnd* GetEditor() const { return m_pWndInPlace; }
    CComboBox* GetCombo() const { return m_pWndCombo; }
    CKtvPSpinButton* GetSpin() const { return m_pWndSpin; }
    int GetSpinMin() const { return m_nMinValue; }
    int GetSpinMax() const { return m_nMaxValue; }
    CRect GetRect() const { return m_Rect; }
    CRect GetButtonRect() const { return m_rectButton; }
    BOOL IsNameTruncated() const { return m_bNameIsTrancated; }
    BOOL IsValueTruncated() const { return m_bValueIsTrancated; }
    CKtvPPropList* GetOwnerList() const { return m_pWndList; }

    void Expand(BOOL bExpand = TRUE);
    void Redraw();
    BOOL IsSelected() const;
    CKtvPProp* HitTest(CPoint point, int* pnArea = nullptr);
    void Reposition(int& y);
    void AddToSortedList(CList<CKtvPProp*, CKtvPProp*>& lst);

protected:
    void Init();
    // Formats a value held in this item's type; "*** error ***" for other types.
    CString FormatOwnValue(const VARIANT& var) const;
    void SetButtonRectFromRow();
    // Sends the change notification when the text of the value differs from strBefore.
    void NotifyIfChanged(const CString& strBefore);

    CString m_strName;
    VARIANT m_varValue;
    CKtvPPropList* m_pWndList;
    DWORD_PTR m_dwData;
    CString m_strDescr;
    CString m_strEditMask;
    CString m_strEditTempl;
    CString m_strValidChars;
    CStringList m_lstOptions;
    BOOL m_bInPlaceEdit;
    CWnd* m_pWndInPlace;
    CComboBox* m_pWndCombo;
    CKtvPSpinButton* m_pWndSpin;
    CRect m_Rect;
    CRect m_rectButton;
    BOOL m_bButtonIsDown;
    BOOL m_bGroup;
    BOOL m_bExpanded;
    BOOL m_bEnabled;
    BOOL m_bAllowEdit;
    BOOL m_bIsValueList;
    DWORD m_dwFlags;
    CKtvPProp* m_pParent;
    CList<CKtvPProp*, CKtvPProp*> m_lstSubItems;
    BOOL m_bNameIsTrancated;
    BOOL m_bValueIsTrancated;
    int m_nMinValue;
    int m_nMaxValue;
};

class CKtvPPropList : public CWnd {
    DECLARE_DYNAMIC(CKtvPPropList)
    friend class CKtvPProp;

public:
    CKtvPPropList();
    ~CKtvPPropList() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PreSubclassWindow() override;
    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    virtual CKtvPHeaderCtrl& GetHeaderCtrl() { return m_wndHeader; }
    virtual void OnPropertyChanged(CKtvPProp* pProp) const;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual void OnSelectionChanged(CKtvPProp* /*pNewSel*/, CKtvPProp* /*pOldSel*/) {}
    // Opens an editor on the item; TRUE only when one is open afterwards.
    virtual BOOL EditItem(CKtvPProp* pProp, LPPOINT lptClick = nullptr);
    virtual void OnClickButton(CPoint point);
    virtual BOOL EndEditItem(BOOL bUpdateData = TRUE);
    virtual BOOL ValidateItem(CKtvPProp* /*pProp*/) { return TRUE; }

protected:
    virtual BOOL DrawProperty(CDC* pDC, CKtvPProp* pProp) const;
    virtual void CreateHeader();
    virtual void Init();
    virtual void FillBackground(CDC* pDC, CRect rect) const;
    virtual void DrawList(CDC* pDC);
    virtual void DrawDescription(CDC* pDC, CRect rect);
    virtual BOOL ProcessClipboardKeys(UINT nChar);

public:
    virtual void AdjustLayout();

    void EnableHeaderCtrl(BOOL bEnable = TRUE, LPCTSTR lpszLeftColumn = _T("Property"),
                          LPCTSTR lpszRightColumn = _T("Value"));
    BOOL IsHeaderCtrl() const { return m_bHeaderCtrl; }
    void EnableDescriptionArea(BOOL bEnable = TRUE);
    BOOL IsDescriptionArea() const { return m_bDescriptionArea; }
    int GetDescriptionHeight() const { return m_nDescrHeight; }
    void SetAlphabeticMode(BOOL bSet = TRUE);
    BOOL IsAlphabeticMode() const { return m_bAlphabeticMode; }
    void SetNetLook(BOOL bSet = TRUE);
    BOOL IsNetLook() const { return m_bVSDotNetLook; }
    void SetLiveColumnTracking(BOOL bSet = TRUE) { m_bTrackColumnLive = bSet; }
    void SetGroupNameFullWidth(BOOL bSet = TRUE) { m_bGroupNameFullWidth = bSet; }
    void SetCustomColors(COLORREF clrBackground, COLORREF clrText, COLORREF clrGroupBackground,
                         COLORREF clrGroupText, COLORREF clrDescriptionBackground, COLORREF clrDescriptionText,
                         COLORREF clrLine);
    void SetBoolLabels(LPCTSTR lpszTrue, LPCTSTR lpszFalse);
    const CString& GetTrueText() const { return m_strTrue; }
    const CString& GetFalseText() const { return m_strFalse; }
    TCHAR GetListDelimiter() const { return m_cListDelimeter; }

    int AddProperty(CKtvPProp* pProp, BOOL bRedraw = TRUE);
    void RemoveAll();
    CKtvPProp* GetProperty(int nIndex) const;
    int GetPropertyCount() const { return (int)m_lstProps.GetCount(); }
    CKtvPProp* HitTest(CPoint pt, int* pnArea = nullptr) const;
    void SelectItem(CKtvPProp* pProp, BOOL bRedraw = TRUE);
    CKtvPProp* GetCurSel() const { return m_pSel; }
    void EnsureVisible(CKtvPProp* pProp);

    int GetRowHeight() const { return m_nRowHeight; }
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    int GetNameColumnWidth() const { return m_nLeftColumnWidth; }
    CRect GetListRect() const { return m_rectList; }
    int GetScrollOffset() const { return m_nVertScrollOffset; }
    int GetScrollTotal() const { return m_nVertScrollTotal; }
    int GetPageSize() const { return m_nVertScrollPage; }
    BOOL IsUsingBarColors() const { return m_bControlBarColors; }
    int GetToolCount() const { return m_nTooltipsCount; }
    const CList<CKtvPProp*, CKtvPProp*>& GetSortedItems() const { return m_lstTerminalProps; }

    // Column width for a requested one: at least a row, at most the client width less the scroll bar and 5.
    int LimitColumnWidth(int nWidth) const;

protected:
    void UpdateBoldFont();
    void UpdateScrollBar();
    int GetVisibleRowCount() const;
    void RepositionItems();
    void TrackColumnDivider(int nOffset);
    void TrackDescriptionDivider(int y);
    void SetColumnWidthFromHeader(int nWidth);
    // Name column + 2 and client width + 10, as the rows are laid out.
    void SetHeaderWidths();
    void ScrollTo(int nCode, int nPos);
    HFONT GetFontHandle() const;
    CBrush* GetBackgroundBrush() const;
    COLORREF ShadowColor() const;
    void RunButton(CKtvPProp* pProp, CPoint point);
    CKtvPProp* FirstItem() const;
    CKtvPProp* LastItem() const;

    CKtvPHeaderCtrl m_wndHeader;
    BOOL m_bHeaderCtrl;
    BOOL m_bDescriptionArea;
    int m_nDescrHeight;
    CToolTipCtrl m_ToolTip;
    int m_nTooltipsCount;
    BOOL m_bAlphabeticMode;
    BOOL m_bVSDotNetLook;
    CString m_strTrue;
    CString m_strFalse;
    TCHAR m_cListDelimeter;
    CScrollBar m_wndScrollVert;
    HFONT m_hFont;
    CFont m_fontBold;
    int m_nHeaderHeight;
    CRect m_rectList;
    int m_nRowHeight;
    int m_nLeftColumnWidth;
    int m_nVertScrollOffset;
    int m_nVertScrollTotal;
    int m_nVertScrollPage;
    CRect m_rectTrackHeader;
    CRect m_rectTrackDescr;
    BOOL m_bTracking;
    BOOL m_bTrackingDescr;
    CList<CKtvPProp*, CKtvPProp*> m_lstProps;
    CList<CKtvPProp*, CKtvPProp*> m_lstTerminalProps;
    CKtvPProp* m_pSel;
    BOOL m_bFocused;
    COLORREF m_clrGray;
    BOOL m_bControlBarColors;
    BOOL m_bGroupNameFullWidth;
    BOOL m_bTrackColumnLive;
    COLORREF m_clrBackground;
    COLORREF m_clrText;
    COLORREF m_clrGroupBackground;
    COLORREF m_clrGroupText;
    COLORREF m_clrDescriptionBackground;
    COLORREF m_clrDescriptionText;
    COLORREF m_clrLine;
    CBrush m_brBackground;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnKillFocus(CWnd* pNewWnd);
    void OnSetFocus(CWnd* pOldWnd);
    UINT OnGetDlgCode();
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnDestroy();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnHeaderItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHeaderTrack(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHeaderEndTrack(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelectCombo();
    void OnCloseCombo();
    BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
