#include "sqleditor/QueryEditView.h"

#include <algorithm>
#include <cstdio>

#include "platform/mfc/COleDateTime.h"
#include "sqleditor/SqlEditorFont.h"
#include "ui/controls/KtvPCalendarMenuButton.h"

namespace {

// A rule line of the description headers: two hyphens, a blank, 45 equals signs.
#define SQLED_RULE "-- =============================================\r\n"

const char* const kSqlDescriptionTemplates[] = {
    "\r\n" SQLED_RULE "-- public comment\r\n" SQLED_RULE,
    "\r\n-- PARAMETERS\r\n" SQLED_RULE "-- @PARAMETER1\t\t\tcontent...\r\n-- @PARAMETER2\t\t\tcontent...\r\n" SQLED_RULE,
    "\r\n-- Name\r\n" SQLED_RULE "-- Creator\t\t\tcontent...\r\n-- Version\t\t\t1.0\r\n-- Date created\t\t1900-01-01\r\n" SQLED_RULE,
    "\r\n-- REMARKS\r\n" SQLED_RULE "-- \r\n-- \r\n-- \r\n-- \r\n-- \r\n" SQLED_RULE,
    "\r\n-- RETURN VALUES\r\n" SQLED_RULE "-- 0 = success\r\n-- 1 = \r\n-- 2 = \r\n" SQLED_RULE,
};

#undef SQLED_RULE

} // namespace

CString SqlDescriptionTemplate(UINT nID)
{
    if (nID < ID_SQLED_DESCRIPTION_FIRST || nID > ID_SQLED_DESCRIPTION_LAST)
        return CString();
    return CString(kSqlDescriptionTemplates[nID - ID_SQLED_DESCRIPTION_FIRST]);
}

IMPLEMENT_DYNCREATE(CQueryEditView, CKtvPEditView)

BEGIN_MESSAGE_MAP(CQueryEditView, CKtvPEditView)
    ON_WM_CONTEXTMENU()
    ON_WM_CREATE()
    ON_COMMAND(ID_SQLED_CLEAR_ALL, OnClearAll)
    ON_UPDATE_COMMAND_UI(ID_SQLED_CLEAR_ALL, OnUpdateClearAll)
    ON_COMMAND(ID_SQLED_COMMENT, OnComment)
    ON_UPDATE_COMMAND_UI(ID_SQLED_COMMENT, OnUpdateComment)
    ON_COMMAND(ID_SQLED_UNCOMMENT, OnUncomment)
    ON_UPDATE_COMMAND_UI(ID_SQLED_UNCOMMENT, OnUpdateComment)
    ON_COMMAND(ID_SQLED_LOWERCASE, OnLowercase)
    ON_UPDATE_COMMAND_UI(ID_SQLED_LOWERCASE, OnUpdateChangeCase)
    ON_COMMAND(ID_SQLED_UPPERCASE, OnUppercase)
    ON_UPDATE_COMMAND_UI(ID_SQLED_UPPERCASE, OnUpdateChangeCase)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateSelectAll)
    ON_COMMAND(ID_SQLED_TABIFY, OnTabify)
    ON_UPDATE_COMMAND_UI(ID_SQLED_TABIFY, OnUpdateTabify)
    ON_COMMAND(ID_SQLED_UNTABIFY, OnUntabify)
    ON_UPDATE_COMMAND_UI(ID_SQLED_UNTABIFY, OnUpdateTabify)
    ON_COMMAND(ID_SQLED_READ_ONLY, OnReadOnly)
    ON_UPDATE_COMMAND_UI(ID_SQLED_READ_ONLY, OnUpdateReadOnly)
    ON_COMMAND(ID_SQLED_DATE, OnDate)
    ON_UPDATE_COMMAND_UI(ID_SQLED_DATE, OnUpdateDate)
    ON_COMMAND_RANGE(ID_SQLED_DESCRIPTION_FIRST, ID_SQLED_DESCRIPTION_LAST, OnDescription)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SQLED_DESCRIPTION_FIRST, ID_SQLED_DESCRIPTION_LAST, OnUpdateDescription)
    ON_COMMAND(ID_SQLED_TOGGLE_BOOKMARK, OnToggleBookmark)
    ON_COMMAND(ID_SQLED_NEXT_BOOKMARK, OnNextBookmark)
    ON_COMMAND(ID_SQLED_PREV_BOOKMARK, OnPrevBookmark)
    ON_COMMAND(ID_SQLED_CLEAR_BOOKMARKS, OnClearBookmarks)
    ON_UPDATE_COMMAND_UI(ID_SQLED_CLEAR_BOOKMARKS, OnUpdateClearBookmarks)
END_MESSAGE_MAP()

CQueryEditView::CQueryEditView() = default;

CQueryEditView::~CQueryEditView()
{
    m_font.DeleteObject();
}

CKtvPEditCtrl* CQueryEditView::CreateEdit()
{
    m_pEdit = new CCustomerEditCtrl;
    return m_pEdit;
}

int CQueryEditView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPEditView::OnCreate(lpCreateStruct) == -1)
        return -1;
    LoadFontAndColors();
    m_pEdit->ActivateToolTips(TRUE);
    m_pEdit->m_bOutlining = TRUE;
    m_pEdit->m_bAutoOutlining = TRUE;
    m_pEdit->m_bOutlineOption = FALSE;
    return 0;
}

void CQueryEditView::OnInitialUpdate()
{
    CKtvPEditView::OnInitialUpdate();
    CCustomerEditCtrl* pEdit = GetSqlEdit();
    pEdit->RebuildNameMaps();
    pEdit->InitTipMap();
    pEdit->EnableIntelliSense(TRUE);
}

void CQueryEditView::LoadFontAndColors()
{
    SqlEditorApplyFontAndColors(*m_pEdit, m_font);
}

void CQueryEditView::OnContextMenu(CWnd* /*pWnd*/, CPoint /*point*/) {}

CString CQueryEditView::GetExecuteText()
{
    int nStart = -1;
    int nEnd = -1;
    m_pEdit->GetSel(nStart, nEnd);
    const CString strSelected =
        nStart >= 0 ? m_pEdit->GetTextRange(std::min(nStart, nEnd), std::max(nStart, nEnd)) : CString();
    return strSelected.IsEmpty() ? m_pEdit->GetText() : strSelected;
}

void CQueryEditView::InsertText(LPCTSTR lpszText)
{
    m_pEdit->InsertText(lpszText, -1, TRUE, FALSE, TRUE, FALSE, TRUE);
}

BOOL CQueryEditView::RefuseWhenReadOnly()
{
    if (!m_pEdit->m_bReadOnly)
        return FALSE;
    ::MessageBeep(static_cast<UINT>(-1));
    return TRUE;
}

// ---------------------------------------------------------------- commands

void CQueryEditView::OnClearAll()
{
    if (!RefuseWhenReadOnly())
        m_pEdit->DeleteText(0, m_pEdit->GetTextLength(), TRUE);
}

void CQueryEditView::OnUpdateClearAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pEdit->GetTextLength() > 0 && !m_pEdit->m_bReadOnly);
}

void CQueryEditView::OnComment()
{
    GetSqlEdit()->CommentSelection(TRUE);
}

void CQueryEditView::OnUncomment()
{
    GetSqlEdit()->CommentSelection(FALSE);
}

void CQueryEditView::OnUpdateComment(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pEdit->GetTextLength() > 0 && !m_pEdit->m_bReadOnly);
}

void CQueryEditView::OnLowercase()
{
    GetSqlEdit()->ChangeSelectionCase(FALSE);
}

void CQueryEditView::OnUppercase()
{
    GetSqlEdit()->ChangeSelectionCase(TRUE);
}

void CQueryEditView::OnUpdateChangeCase(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pEdit->m_nSelEnd != -1 && !m_pEdit->m_bReadOnly);
}

void CQueryEditView::OnSelectAll()
{
    m_pEdit->SetSel(0, m_pEdit->GetTextLength());
}

void CQueryEditView::OnUpdateSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CQueryEditView::OnTabify()
{
    if (RefuseWhenReadOnly())
        return;
    // Without a selection Tab puts the indent text at the caret.
    if (!m_pEdit->HasSelection()) {
        m_pEdit->InsertTab(TRUE);
        return;
    }
    m_pEdit->IndentSelection(TRUE);
}

void CQueryEditView::OnUntabify()
{
    if (RefuseWhenReadOnly())
        return;
    if (m_pEdit->HasSelection()) {
        m_pEdit->IndentSelection(FALSE);
        return;
    }
    // Without a selection Shift+Tab unindents the caret's row.
    GetSqlEdit()->UnindentCaretRow();
}

void CQueryEditView::OnUpdateTabify(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_pEdit->m_bReadOnly);
}

void CQueryEditView::OnReadOnly()
{
    m_bReadOnly = m_bReadOnly ? 0 : 1;
    m_pEdit->m_bReadOnly = m_bReadOnly;
}

void CQueryEditView::OnUpdateReadOnly(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_bReadOnly ? 1 : 0);
}

void CQueryEditView::OnDate()
{
    if (RefuseWhenReadOnly())
        return;
    COleDateTime date = CKtvPCalendarMenuButton::GetCommandDate(ID_SQLED_DATE);
    // No date chosen on the toolbar yet: today.
    if (date.GetStatus() != COleDateTime::valid || static_cast<DATE>(date) == 0.0)
        date = COleDateTime::GetCurrentTime();
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.GetMonth(), date.GetDay(), date.GetYear());
    InsertText(text);
}

void CQueryEditView::OnUpdateDate(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_pEdit->m_bReadOnly);
}

void CQueryEditView::OnDescription(UINT nID)
{
    const CString strTemplate = SqlDescriptionTemplate(nID);
    if (strTemplate.IsEmpty() || RefuseWhenReadOnly())
        return;
    InsertText(strTemplate);
}

void CQueryEditView::OnUpdateDescription(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bReadOnly == 0 && !m_pEdit->m_bReadOnly);
}

void CQueryEditView::OnToggleBookmark()
{
    const int nRow = m_pEdit->OffsetToRow(m_pEdit->GetCaretOffset());
    m_pEdit->ToggleMarker(nRow, SQLED_MARKER_BOOKMARK, 0, TRUE, 0);
}

void CQueryEditView::OnNextBookmark()
{
    m_pEdit->GoToNextMarker(SQLED_MARKER_BOOKMARK, TRUE);
}

void CQueryEditView::OnPrevBookmark()
{
    m_pEdit->GoToNextMarker(SQLED_MARKER_BOOKMARK, FALSE);
}

void CQueryEditView::OnClearBookmarks()
{
    m_pEdit->DeleteAllMarkers(SQLED_MARKER_BOOKMARK, TRUE);
}

void CQueryEditView::OnUpdateClearBookmarks(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pEdit->HasMarkers(SQLED_MARKER_BOOKMARK));
}
