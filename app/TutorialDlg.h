// The Tutorial: the guide in the program's folder shown in a browser under a
// Back / Forward / Stop toolbar, with the choice whether it appears at start-up.
#pragma once

#include "app/WebBrowser2.h"
#include "platform/mfc/CButton.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/CString.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPDialog.h"

enum : UINT {
    IDD_TW_TUTORIAL = 202,
    IDC_TW_TUTORIAL_SHOW = 1114,
    IDC_TW_TUTORIAL_BROWSER = 1115,
    IDC_TW_TUTORIAL_BAR_PLACE = 1116,
    IDR_TW_TUTORIAL_BAR = 150,
    IDW_TW_TUTORIAL_BAR = 90023,
    ID_TW_TUTORIAL_FORWARD = 40136,
    ID_TW_TUTORIAL_BACK = 40137,
    ID_TW_TUTORIAL_STOP = 40138,
};

class CTutorialDlg : public CKtvPDialog {
public:
    // Where the start-up choice is kept, below HKEY_CURRENT_USER.
    static constexpr const char* kConfigureKey = "Software\\Corvane\\Tarnwick\\Configure";
    static constexpr const char* kStartupValue = "StartupDispHow";
    // The start page, relative to the program's folder.
    static constexpr const char* kStartPage = "Tutorial/overview.htm";

    explicit CTutorialDlg(CWnd* pParent = nullptr);

    CStatic m_wndBarPlace;
    CButton m_wndShowAtStartup;
    CWebBrowser2 m_wndBrowser;
    CKtvPToolBar m_wndToolBar;
    BOOL m_bFromMenu;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void OnBack();
    void OnForward();
    void OnStop();
    void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    void CreateToolBar();
    void CreateBrowser();
    void StoreStartupChoice();
};
