// The view that shows one SQL editor: the batch and edit-mode tabs of the
// query windows and the repository file windows derive from it. It makes
// the SQL editor in place of the plain edit control, fills its name maps
// when first shown, applies the editor font and colours from the settings,
// and runs the Edit menu's SQL commands.
#pragma once

#include "editctrl/KtvPEditView.h"
#include "platform/mfc/CGdiObject.h"
#include "sqleditor/CustomerEditCtrl.h"

// The Edit menu's SQL commands.
enum : UINT {
    ID_SQLED_CLEAR_ALL = 57633,
    ID_SQLED_COMMENT = 37131,
    ID_SQLED_UNCOMMENT = 37132,
    ID_SQLED_LOWERCASE = 37128,
    ID_SQLED_UPPERCASE = 37127,
    ID_SQLED_TABIFY = 37003,
    ID_SQLED_UNTABIFY = 37004,
    ID_SQLED_READ_ONLY = 37133,
    ID_SQLED_DATE = 40280,
    ID_SQLED_DESCRIPTION_FIRST = 40296,  // common comment
    ID_SQLED_DESCRIPTION_LAST = 40300,   // return comment
    ID_SQLED_TOGGLE_BOOKMARK = 37223,
    ID_SQLED_NEXT_BOOKMARK = 37224,
    ID_SQLED_PREV_BOOKMARK = 37225,
    ID_SQLED_CLEAR_BOOKMARKS = 37226,
};

// The bookmark marker type of the SQL editors.
constexpr DWORD SQLED_MARKER_BOOKMARK = 1;

// The text a description command inserts; empty outside the range.
CString SqlDescriptionTemplate(UINT nID);

class CQueryEditView : public CKtvPEditView {
    DECLARE_DYNCREATE(CQueryEditView)
public:
    CQueryEditView();
    ~CQueryEditView() override;

    void OnInitialUpdate() override;
    CKtvPEditCtrl* CreateEdit() override;

    CCustomerEditCtrl* GetSqlEdit() const { return static_cast<CCustomerEditCtrl*>(m_pEdit); }
    // The selected text, or the whole text when nothing (or nothing but an
    // empty range) is selected.
    CString GetExecuteText();
    // Inserted at the caret as one undoable step.
    void InsertText(LPCTSTR lpszText);
    void LoadFontAndColors();

    CFont m_font;
    int m_bReadOnly = 0;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnContextMenu(CWnd* pWnd, CPoint point);

    // The read-only state refuses a change with a beep.
    BOOL RefuseWhenReadOnly();

    void OnClearAll();
    void OnUpdateClearAll(CCmdUI* pCmdUI);
    void OnComment();
    void OnUncomment();
    void OnUpdateComment(CCmdUI* pCmdUI);
    void OnLowercase();
    void OnUppercase();
    void OnUpdateChangeCase(CCmdUI* pCmdUI);
    void OnSelectAll();
    void OnUpdateSelectAll(CCmdUI* pCmdUI);
    void OnTabify();
    void OnUntabify();
    void OnUpdateTabify(CCmdUI* pCmdUI);
    void OnReadOnly();
    void OnUpdateReadOnly(CCmdUI* pCmdUI);
    void OnDate();
    void OnUpdateDate(CCmdUI* pCmdUI);
    void OnDescription(UINT nID);
    void OnUpdateDescription(CCmdUI* pCmdUI);
    void OnToggleBookmark();
    void OnNextBookmark();
    void OnPrevBookmark();
    void OnClearBookmarks();
    void OnUpdateClearBookmarks(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
