// Help/About: the product with its version, the legal notice and warning, a
// link to the product's web page and a button that writes a mail to its makers.
#pragma once

#include "app/LabelCtrl.h"
#include "platform/mfc/CDialog.h"
#include "ui/controls/KtvPURLLinkButton.h"

enum : UINT {
    IDD_TW_ABOUT = 100,
    IDC_TW_ABOUT_WARNING = 1241,
    IDC_TW_ABOUT_LINK = 1051,
    IDC_TW_ABOUT_MAIL = 1053,
};

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    CKtvPURLLinkButton m_wndWebPage;
    CLabelCtrl m_wndWarning;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnWriteMail();
    DECLARE_MESSAGE_MAP()
};
