// The part of a tab window that does not depend on how tabs look: the tab
// records, insertion and removal, visibility, activation and its
// notifications, images, per-tab and automatic colours, tooltips, in-place
// rename, reordering and detaching by dragging, the drop target and the
// archive form of the tab state. The tab window and the outlook window lay
// out and paint the tabs.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CImageList.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CObArray.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/COleDropTarget.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/afxmsg.h"

class CArchive;
class CEdit;
class COleDataObject;
class CKtvPBaseTabWnd;
class CKtvPBaseTabbedBar;

// One tab. Owned by its tab window.
class CKtvPTabInfo : public CObject {
public:
    CKtvPTabInfo(const CString& strText, int iImage, CWnd* pWnd, int iTabID, BOOL bDetachable,
                 BOOL bIsListView);
    ~CKtvPTabInfo() override;

    CString m_strText;
    int m_uiIcon;          // index in the tab image list, -1 for none
    HICON m_hIcon;         // own copy of an icon set by handle
    CRect m_rect;
    BOOL m_bVisible;
    CWnd* m_pWnd;          // possibly a docking wrapper around the caller's window
    BOOL m_bIsListView;    // "SysListView32": the shared scroll bar scrolls it
    int m_nFullWidth;
    int m_iTabID;
    COLORREF m_clrText;
    COLORREF m_clrBack;    // also caches the automatic colour
    BOOL m_bIconOnly;
    BOOL m_bAlwaysShowToolTip;
    BOOL m_bIsDetachable;
};

// A tab's saved state, matched to a live tab by its window's control id.
struct CKtvPTabState {
    CString m_strLabel;
    int m_bVisible = TRUE;
    int m_nControlID = 0;
    int m_bDetachable = FALSE;
    int m_clrText = -1;
    int m_clrBack = -1;
};

class CKtvPTabDropTarget : public COleDropTarget {
public:
    CKtvPTabDropTarget() : m_pOwner(nullptr) {}

    BOOL Register(CKtvPBaseTabWnd* pOwner);

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

    CKtvPBaseTabWnd* m_pOwner;

private:
    void ActivateTabAt(CPoint point);
    BOOL IsToolbarButtonDrag(COleDataObject* pDataObject) const;
};

class CKtvPBaseTabWnd : public CWnd {
    DECLARE_DYNAMIC(CKtvPBaseTabWnd)
public:
    enum Location { LOCATION_BOTTOM = 0, LOCATION_TOP = 1 };

    // Shared with the looks, which draw the tabs.
    static constexpr int TAB_TEXT_MARGIN = 4;
    static constexpr int TAB_IMAGE_MARGIN = 4;

    CKtvPBaseTabWnd();
    ~CKtvPBaseTabWnd() override;

    // --- virtual operations, in slot order ---
    virtual BOOL IsPtInTabArea(CPoint point) const = 0;
    virtual void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const = 0;

    virtual BOOL SetImageList(HIMAGELIST hImageList);
    virtual BOOL LoadImageList(UINT uiID, int cx = 15, COLORREF clrTransp = RGB(255, 0, 255));
    virtual void UpdateTabsHeight();
    virtual int GetTabsHeight() const { return m_nTabsHeight; }
    virtual void GetTabsRect(CRect& rect) const { rect.SetRectEmpty(); }
    virtual void RecalcLayout() = 0;

    virtual void AddTabWithResLabel(CWnd* pTabWnd, UINT uiResTabLabel, UINT uiImageId = (UINT)-1,
                                    BOOL bDetachable = TRUE);
    virtual void AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId = (UINT)-1,
                        BOOL bDetachable = TRUE);
    virtual void InsertTabWithResLabel(CWnd* pNewWnd, UINT uiResTabLabel, int nInsertAt,
                                       UINT uiImageId = (UINT)-1, BOOL bDetachable = TRUE);
    virtual void InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId = (UINT)-1,
                           BOOL bDetachable = TRUE);
    virtual BOOL RemoveTab(int iTab, BOOL bRecalcLayout = TRUE);
    virtual void RemoveAllTabs();
    virtual BOOL DetachTab(int dockMethod, int nTabNum = -1, BOOL bHide = FALSE);
    virtual int GetVisibleTabsNum() const;
    virtual BOOL ShowTab(int iTab, BOOL bShow = TRUE, BOOL bRecalcLayout = TRUE, BOOL bActivate = FALSE);
    virtual int GetTabsNum() const { return m_iTabsNum; }
    virtual CWnd* GetTabWnd(int iTab) const;
    virtual CWnd* GetTabContentWnd(int iTab) const;
    virtual BOOL GetTabRect(int iTab, CRect& rect) const;
    virtual BOOL GetTabLabel(int iTab, CString& strLabel) const;
    virtual BOOL SetTabLabel(int iTab, const CString& strLabel);
    virtual UINT GetTabIcon(int iTab) const;
    virtual BOOL SetTabIcon(int iTab, UINT uiIcon);
    virtual BOOL IsTabTextHidden(int iTab) const;
    virtual BOOL HideTabText(int iTab, BOOL bHide = TRUE, BOOL bAlwaysShowToolTip = FALSE);
    virtual BOOL SetTabIconHandle(int iTab, HICON hIcon);
    virtual HICON GetTabIconHandle(int iTab) const;
    virtual COLORREF GetTabBkColor(int iTab);
    virtual BOOL SetTabBkColor(int iTab, COLORREF color = (COLORREF)-1);
    virtual COLORREF GetTabTextColor(int iTab) const;
    virtual BOOL SetTabTextColor(int iTab, COLORREF color = (COLORREF)-1);
    virtual BOOL IsTabDetachable(int iTab) const;
    virtual BOOL SetTabDetachable(int iTab, BOOL bDetachable = TRUE);
    virtual BOOL StartRenameTab(int iTab);
    virtual BOOL CommitTabRename();
    // A hook that may veto (FALSE) or change the new label.
    virtual BOOL OnRenameTab(int /*iTab*/, CString& /*strName*/) { return TRUE; }
    virtual void EnableInPlaceEdit(BOOL bEnable) = 0;
    virtual void AdjustRenameEditRect(CRect& rectEdit) = 0;
    virtual int GetActiveTab() const { return m_iActiveTab; }
    virtual CWnd* GetActiveWnd() const;
    virtual BOOL SetActiveTab(int iTab) = 0;
    virtual int GetTabFromPoint(CPoint pt) const;
    virtual int GetTabFromHwnd(HWND hwnd) const;
    virtual int GetTabByID(int id) const;
    virtual BOOL EnsureVisible(int /*iTab*/) { return FALSE; }
    virtual void SetActiveTabColor(COLORREF clr);
    virtual void SetActiveTabTextColor(COLORREF clr) { m_clrActiveTabFg = clr; }
    virtual COLORREF GetActiveTabColor() const;
    virtual COLORREF GetActiveTabTextColor() const;
    virtual CSize GetImageSize() const { return m_sizeImage; }
    virtual CImageList* GetImageList() const;
    virtual void SetTabBorderSize(int nTabBorderSize, BOOL bRepaint = TRUE);
    virtual int GetTabBorderSize() const;
    virtual CWnd* FindDragTargetWnd(const CPoint& point) = 0;
    virtual void ApplySavedTabState(BOOL bReorder);
    virtual CWnd* GetFirstVisibleTabFrom(int iStart, int& iTab) const;
    virtual CWnd* GetFirstVisibleTab(int& iTab) const;
    virtual CWnd* GetLastVisibleTab(int& iTab) const;
    virtual void SwapTabs(int nFisrtTabID, int nSecondTabID);
    virtual void MoveTab(int nSource, int nDest);
    virtual CSize GetLargestTabWndSize();
    virtual void OnTabsChanged() {}
    virtual void NotifyActiveTabChanged(int iTab);
    virtual void SetLocation(int location);
    virtual BOOL IsTabVisible(int iTab) const;
    virtual BOOL IsFlatTabs() const { return FALSE; }
    virtual BOOL IsSlantedTabs() const { return FALSE; }
    virtual BOOL IsDrawFrame() const { return FALSE; }
    virtual BOOL IsInPlaceEditEnabled() const { return m_bIsInPlaceEdit; }
    virtual int GetFirstScrolledTab() const { return -1; }
    virtual BOOL IsHideSingleTab() const { return m_bHideSingleTab; }
    virtual void SetHideSingleTab(BOOL bHide = TRUE) { m_bHideSingleTab = bHide; }
    virtual BOOL HasColoredTabs();
    virtual BOOL OnDrop(COleDataObject* /*pDataObject*/, DROPEFFECT /*dropEffect*/, CPoint /*point*/)
    {
        return FALSE;
    }
    virtual DROPEFFECT OnDragEnter(COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/, CPoint /*point*/)
    {
        return DROPEFFECT_NONE;
    }
    virtual void OnDragLeave() {}
    virtual DROPEFFECT OnDragOver(COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/, CPoint /*point*/)
    {
        return DROPEFFECT_NONE;
    }
    virtual void ReleaseTabs();
    virtual int GetTabToDetach(int nTabNum) const;
    virtual CWnd* WrapTabWindow(CWnd* pTabWnd, LPCTSTR lpszTabLabel, BOOL bDetachable);
    virtual void BuildDefaultAutoColors();
    virtual BOOL IsActivateOnButtonUp() const { return m_bActivateOnBtnUp; }

    // --- framework overrides ---
    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // --- other operations ---
    int GetTabID(int iTab) const;
    BOOL SetTabsOrder(const CArray<int, int>& arOrder);
    void SetDrawNoPrefix(BOOL bNoPrefix, BOOL bRedraw = TRUE);
    // The MDI tab strip's name for SetDrawNoPrefix: its document titles may hold "&".
    void SetRedrawFlag(BOOL bNoPrefix, BOOL bRepaint) { SetDrawNoPrefix(bNoPrefix, bRepaint); }
    void EnableAutoColor(BOOL bEnable = TRUE);
    void SetAutoColors(const CArray<COLORREF, COLORREF>& arColors);
    int FindTabByCtrlID(UINT nCtrlID, CKtvPTabInfo** ppTab = nullptr) const;
    void InvalidateTab(int iTab);

    BOOL IsAutoColor() const { return m_bIsAutoColor; }
    BOOL IsDrawNoPrefix() const { return m_bDrawNoPrefix; }
    int GetLocation() const { return m_location; }
    int GetHighlightedTab() const { return m_iHighlighted; }
    int GetPressedTab() const { return m_iPressed; }
    CRuntimeClass* GetDockingBarWrapperRTC() const { return m_pDockingBarWrapperRTC; }
    void SetDockingBarWrapperRTC(CRuntimeClass* pRTC) { m_pDockingBarWrapperRTC = pRTC; }

    // Fields the tabbed bars, the MDI tab strip, the tab view and the looks
    // read or set directly; defaults from the constructor.
    BOOL m_bEnableWrapping;              // wrap detachable non-bar windows in a docking wrapper
    BOOL m_bActivateLastVisibleTab;      // removing the active tab activates the last visible one
    BOOL m_bHighLightTabs;               // hot tracking
    int m_location;
    CObArray m_arTabs;                   // CKtvPTabInfo*
    int m_iTabsNum;
    int m_iActiveTab;
    int m_iTabBeforeDrag;
    CImageList m_Images;                 // own list; wins over m_hImageList
    HIMAGELIST m_hImageList;             // external list, not owned
    CSize m_sizeImage;
    CToolTipCtrl m_ToolTip;              // one tool per tab id, created by the subclass
    int m_iCurTab;                       // the tab being painted
    int m_iTabIdCounter;
    int m_nTabBorderSize;
    int m_nTabsHeight;
    BOOL m_bAutoDestroyWindow;
    BOOL m_bHideInactiveWnd;
    int m_iHighlighted;
    int m_iPressed;
    BOOL m_bActivateOnBtnUp;
    BOOL m_bEnableTabSwap;               // reorder by drag
    BOOL m_bHideSingleTab;
    COLORREF m_clrActiveTabBk;
    COLORREF m_clrActiveTabFg;
    CBrush m_brActiveTab;
    CFont m_fntTabs;                     // fonts of flat strips
    CFont m_fntTabsBold;
    BOOL m_bDrawNoPrefix;
    BOOL m_bFlatFrame2003;               // plain tab area: the 2003 look fills it with the face colour
    int m_iEditedTab;
    CEdit* m_pInPlaceEdit;
    BOOL m_bIsInPlaceEdit;
    BOOL m_bReadyToDetach;               // a press on the active tab may start a drag
    CPoint m_ptHot;                      // screen point of the press
    int m_nOffsetFromTabLeft;
    CList<CKtvPTabState, const CKtvPTabState&> m_lstRestoredTabInfo;
    int m_nRestoredActiveTab;
    int m_nRestoredLocation;
    CRuntimeClass* m_pDockingBarWrapperRTC;  // NULL: CKtvPDockingCBWrapper
    CKtvPTabDropTarget m_DropTarget;
    CArray<COLORREF, COLORREF> m_arAutoColors;
    BOOL m_bIsAutoColor;
    BOOL m_bIsDefaultAutoColor;
    int m_iLastActiveTab;                // before the last click activation or insertion
    BOOL m_bActivateLastActiveTab;       // removing the active tab returns to m_iLastActiveTab
    BOOL m_bIsDlgControl;                // the looks use dialog colours

protected:
    CKtvPTabInfo* TabAt(int iTab) const;
    // After the tab at iGone went or was hidden: the first visible tab from it on, else the last before it.
    int NextActiveCandidate(int iGone) const;
    void ResetTabColors();
    // Closes the rename editor without committing it.
    void EndRename();
    void DragActiveTab(CPoint point);
    BOOL GiveTabbedBarPlaceToLastTab(CKtvPBaseTabbedBar* pTabbed);
    void GatherSavedTabBars();

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnSysColorChange();
    DECLARE_MESSAGE_MAP()
};
