// A list of named items edited in place: a caption strip with the control's
// title and small flat buttons (New, Delete, Move Item Up, Move Item Down,
// each with a key) over a one-column list whose labels are typed into
// directly. The base keeps the caption, the buttons, their keys and the
// standard commands; the list itself is left to the virtual operations,
// which CKtvPEditListCtrl serves with a list-view control.
#pragma once

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CMap.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/CString.h"
#include "ui/controls/KtvPBrowseEdit.h"

class CKtvPButton;
class CListCtrl;

// Standard caption buttons (SetStandardButtons).
enum : UINT {
    KTVEDITLIST_NEW = 0x01,
    KTVEDITLIST_DELETE = 0x02,
    KTVEDITLIST_MOVE_UP = 0x04,
    KTVEDITLIST_MOVE_DOWN = 0x08,
};

class CKtvPEditListBox : public CStatic {
public:
    CKtvPEditListBox();
    ~CKtvPEditListBox() override;

    BOOL SetStandardButtons(UINT uiBtns = KTVEDITLIST_NEW | KTVEDITLIST_DELETE | KTVEDITLIST_MOVE_UP |
                                          KTVEDITLIST_MOVE_DOWN);
    BOOL AddButton(UINT uiImageId, LPCTSTR lpszTooltip = nullptr, WORD wKeyAccelerator = 0, BYTE fVirt = 0,
                   UINT uiButtonID = 0);
    int GetButtonsCount() const { return static_cast<int>(m_lstButtons.GetCount()); }
    CKtvPButton* GetButton(int iIndex) const;

    // --- the list, in slot order -----------------------------------------------------------------
    virtual int AddItem(const CString& strIext, DWORD_PTR dwData = 0, int iIndex = -1) = 0;
    virtual BOOL RemoveItem(int iIndex) = 0;
    virtual int GetCount() const = 0;
    virtual int GetSelItem() const = 0;
    virtual BOOL SelectItem(int iItem) = 0;
    virtual CString GetItemText(int iIndex) const = 0;
    virtual void SetItemText(int iIndex, const CString& strText) = 0;
    virtual DWORD_PTR GetItemData(int iIndex) const = 0;
    virtual void SetItemData(int iIndex, DWORD_PTR dwData) = 0;
    virtual BOOL EditItem(int iIndex) = 0;
    virtual void OnClickButton(int iButton);
    virtual void OnKey(WORD wKey, BYTE fFlags);
    virtual void OnEndEditLabel(LPCTSTR lpszLabel);
    virtual int OnGetItemImage(LVITEM* /*pItem*/) { return -1; }
    virtual void OnSelectionChanged() {}
    virtual BOOL OnBeforeRemoveItem(int /*iItem*/) { return TRUE; }
    virtual void OnAfterAddItem(int /*iItem*/) {}
    virtual void OnAfterRenameItem(int /*iItem*/) {}
    virtual void OnAfterMoveItemUp(int /*iItem*/) {}
    virtual void OnAfterMoveItemDown(int /*iItem*/) {}
    virtual void OnBrowse() {}
    virtual void CreateNewItem();
    virtual HWND GetListHwnd() const = 0;
    virtual CWnd* CreateList() = 0;
    virtual void OnSizeList() {}

    // Fields, in declared order.
    CList<CKtvPButton*, CKtvPButton*> m_lstButtons;
    CList<DWORD, DWORD> m_lstKeyAccell;
    CMap<int, int, UINT, UINT> m_mapButtonIDs;
    CSize m_sizeButton;
    CRect m_rectCaption;
    UINT m_uiStandardBtns = 0;
    BOOL m_bNewItem = FALSE;
    CFont m_font;
    BOOL m_bGrayDisabledButtons = FALSE;

protected:
    void PreSubclassWindow() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnSetFocus(CWnd* pOldWnd);
    void OnEnable(BOOL bEnable);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Builds the list and lays the control out.
    void Init();
    void AdjustLayout();
    CFont* CaptionFont();
    // The index of the button whose key this is, -1 when none.
    int FindButtonOfKey(WORD wKey, BYTE fFlags) const;
};

class CKtvPEditListLabelEdit : public CKtvPBrowseEdit {
public:
    CKtvPEditListLabelEdit() = default;
    ~CKtvPEditListLabelEdit() override = default;

    void DoBrowse() override;

    BOOL m_bIsActive = FALSE;              // editing a label now
    CKtvPEditListBox* m_pParentList = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CKtvPEditListCtrl : public CKtvPEditListBox {
public:
    CKtvPEditListCtrl();
    ~CKtvPEditListCtrl() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    int AddItem(const CString& strIext, DWORD_PTR dwData = 0, int iIndex = -1) override;
    BOOL RemoveItem(int iIndex) override;
    int GetCount() const override;
    int GetSelItem() const override;
    BOOL SelectItem(int iItem) override;
    CString GetItemText(int iIndex) const override;
    void SetItemText(int iIndex, const CString& strText) override;
    DWORD_PTR GetItemData(int iIndex) const override;
    void SetItemData(int iIndex, DWORD_PTR dwData) override;
    BOOL EditItem(int iIndex) override;
    HWND GetListHwnd() const override;
    CWnd* CreateList() override;
    void OnSizeList() override;

    CListCtrl* m_pWndList = nullptr;        // owned
    CPoint m_ptClick{-1, -1};               // a press on the selected label waiting for its release
    CKtvPEditListLabelEdit m_wndEdit;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void EnableCaptionButtons(BOOL bEnable);
};
