// The modeless find and replace dialog of the framework. Each request
// reaches the owner as the registered "commdlg_FindReplace" message, whose
// handler asks GetNotifier for the dialog and reads its state. The object
// is made with new and deletes itself when its window goes.
#pragma once

#include "platform/mfc/CCommonDialog.h"
#include "platform/mfc/CString.h"

class CFindReplaceDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFindReplaceDialog)
public:
    CFindReplaceDialog();
    ~CFindReplaceDialog() override;

    // The find-only or the find-and-replace dialog, owned by pParentWnd (the
    // main window when NULL), which receives the requests. FALSE when the
    // dialog could not be made; the object is then the caller's to delete.
    virtual BOOL Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith = nullptr,
                        DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = nullptr);

    // The dialog a request message came from: its lParam is that dialog's
    // m_fr. NULL for any other lParam, so a stray message cannot be taken
    // for a dialog.
    static CFindReplaceDialog* PASCAL GetNotifier(LPARAM lParam);

    CString GetFindString() const;
    CString GetReplaceString() const;
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) ? TRUE : FALSE; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) ? TRUE : FALSE; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) ? TRUE : FALSE; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) ? TRUE : FALSE; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) ? TRUE : FALSE; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) ? TRUE : FALSE; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) ? TRUE : FALSE; }

    FINDREPLACE m_fr{};

protected:
    void PostNcDestroy() override;

    TCHAR m_szFindWhat[128] = {};
    TCHAR m_szReplaceWith[128] = {};
};
