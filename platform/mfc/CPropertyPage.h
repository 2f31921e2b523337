// A page of a property sheet: a child dialog made from its template when the
// sheet first shows it. The sheet tells it when it becomes active, when it is
// left, and when the sheet applies, resets or is about to be cancelled; each
// of these reaches one virtual below.
#pragma once

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CString.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    // For pages built with the default constructor.
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // What the sheet is given for this page when the sheet is built: a caller
    // may add PSP_ flags (PSP_HASHELP, PSP_USETITLE with pszTitle) before then.
    PROPSHEETPAGE m_psp{};

    // The sheet's Apply button follows the pages that hold unapplied changes.
    void SetModified(BOOL bChanged = TRUE);
    BOOL IsModified() const { return m_bChanged; }
    // After a change that cannot be undone: OK is disabled and Cancel reads "Close".
    void CancelToClose();
    // PSM_QUERYSIBLINGS through the sheet: the first non-zero answer of a created page.
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);
    // The sheet this page is shown in, NULL while it has no window.
    CPropertySheet* GetParentSheet() const;

    // The page became the active one; the first time only records that, later
    // times show the members again. FALSE keeps the sheet from showing it.
    virtual BOOL OnSetActive();
    // The page is being left (another page, OK or Apply): takes the values in;
    // FALSE keeps the page, with the failing control focused.
    virtual BOOL OnKillActive();
    // Apply or OK: the values are to be used. FALSE refuses: the sheet shows
    // this page and applies no page after it. The default calls OnOK.
    virtual BOOL OnApply();
    // Cancel: the sheet is closed without applying. The default calls OnCancel.
    virtual void OnReset();
    void OnOK() override;
    void OnCancel() override;
    // Cancel was asked for while this page is active; FALSE keeps the sheet open.
    virtual BOOL OnQueryCancel();

    // Keys go to the sheet, whose keyboard interface covers every page.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CString m_strCaption;
    BOOL m_bFirstSetActive = TRUE;

private:
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);
    // The page's PROPSHEETPAGE as the sheet is given it, or NULL when its
    // template is missing: found before any window is made.
    const PROPSHEETPAGE* PreparePage();

    BOOL m_bChanged = FALSE;
    friend class CPropertySheet;
};
