// The customise sheet's Mouse page: for each kind of view the application
// registered with the mouse manager, either no double-click command or one
// command of the whole catalogue. Every choice goes to the manager at once.
#pragma once

#include "platform/mfc/CImageList.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/CListCtrl.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/CString.h"

class CKtvPMousePage : public CPropertyPage {
    DECLARE_DYNCREATE(CKtvPMousePage)
public:
    CKtvPMousePage();
    ~CKtvPMousePage() override;

    // Fields, in declared order.
    int m_iCurrViewId = -1;
    CImageList m_ViewsImages;
    CListCtrl m_wndListOfViews;
    CListBox m_wndListOfCommands;
    CStatic m_wndCommandDescription;
    CString m_strCommandDescription;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnNoDblClick();
    void OnUseDblClick();
    void OnSelchangeListOfCommands();
    void OnItemChangedListOfViews(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The command list and description: usable with a command, else empty and greyed.
    void EnableDblClickControls(BOOL bEnable);
    CString CommandDescription(UINT uiCmd) const;
};
