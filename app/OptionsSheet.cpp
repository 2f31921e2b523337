#include "app/OptionsSheet.h"

#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPWorkspace.h"

IMPLEMENT_DYNAMIC(COptionsMainDlg, CKtvPPropertySheet)

BEGIN_MESSAGE_MAP(COptionsMainDlg, CKtvPPropertySheet)
END_MESSAGE_MAP()

COptionsMainDlg::COptionsMainDlg(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CKtvPPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    SetLook(SHEETLOOK_TREE, 150);
    SetIconsList(IDB_TW_OPTIONS_TREE, 16, RGB(255, 0, 255));
    CKtvPPropSheetCategory* pEnvironment = AddTreeCategory("Environment", 0, 1);
    AddPageToTree(pEnvironment, &m_pageEnvGeneral, -1, 2);
    CKtvPPropSheetCategory* pScriptEditor = AddTreeCategory("Script Editor", 0, 1);
    AddPageToTree(pScriptEditor, &m_pageScriptFont, -1, 2);
}

COptionsMainDlg::~COptionsMainDlg() = default;

void COptionsMainDlg::WriteOptions()
{
    auto* pWorkspace = dynamic_cast<CKtvPWorkspace*>(AfxGetApp());
    if (pWorkspace == nullptr)
        return;

    constexpr const char* kEnvGroup = "EnvironmentGeneral";
    const COptionsEnvGeneralPage& env = m_pageEnvGeneral;
    pWorkspace->WriteSectionString("Startup", kEnvGroup, env.m_strStartup);
    const struct {
        const char* key;
        int value;
    } envOptions[] = {
        {"HideSysObj", env.m_bHideSysObj},
        {"TabLayout", env.m_nTabbedDocs},
        {"MDILayout", env.m_nMDIEnvironment},
        {"DockToolbarBehaviorClose", env.m_bCloseActiveTabOnly},
        {"DockToolbarBehaviorHide", env.m_bAutoHideActiveTabOnly},
        {"APPLookVS", env.m_nLookVS},
        {"APPLookNet", env.m_nLookNet},
        {"APPLookOff2003", env.m_nLookOffice2003},
        {"APPLookOff23OneNote", env.m_bOneNoteTabs},
        {"APPLookOff23TabClr", env.m_bTabColor},
    };
    for (const auto& option : envOptions)
        pWorkspace->WriteSectionInt(option.key, kEnvGroup, option.value);

    // Records of a page never shown hold no stored values: the stored ones stay.
    if (!m_pageScriptFont.WasShown())
        return;
    constexpr const char* kFontGroup = "SRTFontClr";
    for (const FontClrItem& item : m_pageScriptFont.m_items) {
        const CString strPrefix = "SRT" + item.m_strName;
        pWorkspace->WriteSectionString(strPrefix + "Font", kFontGroup, item.m_strFace);
        pWorkspace->WriteSectionString(strPrefix + "Size", kFontGroup, item.m_strSize);
        pWorkspace->WriteSectionInt(strPrefix + "Bold", kFontGroup, item.m_nBold);
        pWorkspace->WriteSectionString(strPrefix + "ForeClr", kFontGroup, item.m_strFore);
        pWorkspace->WriteSectionString(strPrefix + "BackClr", kFontGroup, item.m_strBack);
    }
}
