// Asks for the name of a new snippet page or item, a new name for one, or
// the name of a repository folder; OK checks it against its siblings.
#pragma once

#include "platform/mfc/CStatic.h"
#include "platform/mfc/CString.h"
#include "ui/frames/KtvPDialog.h"

class CSnippetNameDlg : public CKtvPDialog {
public:
    enum { IDD = 629, IDC_LABEL = 1915, IDC_NAME = 1862 };
    // Which siblings OK compares the name with.
    enum Mode { kFolder = 0, kNewPage = 1, kNewItem = 2, kRenameItem = 3, kRenamePage = 4 };
    static constexpr int kMaxName = 255;

    explicit CSnippetNameDlg(CWnd* pParent = nullptr);

    CStatic m_wndLabel;
    CString m_strName;
    CString m_strLabel = "Snippet page name:";
    CString m_strCaption = "Input new snippet page name,please";
    CString m_strContext;  // the page (new item) or the old name (renames)
    CString m_strPage;     // the page of the item being renamed
    int m_nMode = kFolder;

    // The message refusing the name, empty when it may be used. The name is
    // used as typed; blanks only are refused, and so is a "\".
    static CString CheckName(const CString& strName, int nMode, const CString& strContext, const CString& strPage);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
