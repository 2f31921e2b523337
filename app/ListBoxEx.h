// A list whose rows the user edits in place: F2 or a double click opens an
// edit over the row, with a "..." browse button at its right end when the
// style asks for it; rows are reordered by dragging or Alt and the arrows.
// The in-place controls tell the list about keys, clicks and focus loss
// through the registered "ipc_CtrlMsg" message.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CDragListBox.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/afxmsg.h"

// "ipc_CtrlMsg": wParam 0, lParam the address of a CtrlMsgInfo. A non-zero
// answer tells the reporting control to hide itself.
extern const UINT WM_IPC_CTRLMSG;

// What an in-place control reports; five 32-bit fields.
struct CtrlMsgInfo {
    enum : DWORD { KeyPressed = 1, ButtonClicked = 2, FocusLost = 3 };
    DWORD hwndSender;  // the reporting control; 0 in the button's click and focus-loss reports
    DWORD nCode;
    DWORD nParam;  // the key, the button's id, or the window that takes the focus
    LONG x;        // screen position of the message
    LONG y;
};
static_assert(sizeof(CtrlMsgInfo) == 20, "five 32-bit fields");

// Window handles travel in the record's 32-bit fields.
DWORD CtrlMsgHandleField(HWND hwnd);
HWND CtrlMsgFieldHandle(DWORD field);

class CInPlaceEdit : public CEdit {
    DECLARE_DYNCREATE(CInPlaceEdit)
public:
    CInPlaceEdit() = default;

    void Show(const RECT& rect);
    void Hide();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    HWND m_hWndNotify = nullptr;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bLosingFocus = FALSE;
};

class CInPlaceButton : public CButton {
    DECLARE_DYNCREATE(CInPlaceButton)
public:
    CInPlaceButton() = default;

    void Show(const RECT& rect);
    void Hide();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    HWND m_hWndNotify = nullptr;
    BOOL m_bInClick = FALSE;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnKillFocus(CWnd* pNewWnd);
    BOOL OnClicked();
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bLosingFocus = FALSE;
};

class CListBoxEx : public CDragListBox {
    DECLARE_DYNCREATE(CListBoxEx)
public:
    // The edit style bit that shows the browse button.
    static constexpr DWORD kBrowseStyle = 0x4000;
    static constexpr UINT kEditId = 1;
    static constexpr UINT kBrowseId = 2;

    CListBoxEx();
    ~CListBoxEx() override;

    void SetEditStyle(DWORD dwStyle);
    DWORD GetEditStyle() const { return m_dwEditStyle; }
    void AllowEdit(BOOL bAllow) { m_bAllowEdit = bAllow; }
    void AllowReorder(BOOL bAllow) { m_bAllowReorder = bAllow; }

    void BeginEdit(int nRow);
    void EditNew();
    void EndEdit(BOOL bCancel);
    // Ends an edit under way as if the user had pressed Enter.
    void CommitEdit();
    BOOL IsEditing() const { return m_nEditing != -1; }
    int GetEditingRow() const { return m_nEditing; }
    void SetEditText(LPCTSTR lpszText);
    void SetItemText(int nRow, LPCTSTR lpszText);
    void SwapItems(int nFirst, int nSecond);
    int MoveItemUp(int nRow);
    int MoveItemDown(int nRow);
    // Deletes a row and selects the one that takes its place (or the new last one).
    void DeleteRow(int nRow);

    CInPlaceEdit* GetInPlaceEdit() const { return m_pEdit; }
    CInPlaceButton* GetBrowseButton() const { return m_pBrowse; }

    virtual BOOL CanEdit(int nRow);
    // FALSE refuses the edited text: the row keeps what it had.
    virtual BOOL OnEndEdit(int nRow, BOOL bCancel);
    virtual void OnBrowse(int nRow);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    void DrawInsert(int nItem) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    LRESULT OnCtrlMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    DWORD m_dwEditStyle;
    CInPlaceEdit* m_pEdit;
    CRect m_rcEdit;
    CInPlaceButton* m_pBrowse;
    CRect m_rcBrowse;
    int m_nCurrent;
    int m_nEditing;
    BOOL m_bAllowEdit;
    BOOL m_bAllowReorder;

private:
    void CreateEditControls();
    void DestroyEditControls();
    int RowAt(CPoint point) const;
    void DrawInsertMark(int nRow);
    void EndEditAsEnter();

    // The row being edited was made by EditNew: a cancelled edit removes it.
    BOOL m_bEditingNewRow = FALSE;
};
