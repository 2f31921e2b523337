// Tools/Options: a sheet with a tree of categories over its two pages,
// Environment / General and Script Editor / Fonts and Colors. The pages read
// the stored options when first shown; WriteOptions stores them after OK.
#pragma once

#include "app/OptionsConnPages.h"
#include "app/OptionsEnvGeneralPage.h"
#include "app/OptionsScriptFontPage.h"
#include "ui/controls/KtvPPropertySheet.h"

enum : UINT {
    IDB_TW_OPTIONS_TREE = 606,
};

class COptionsMainDlg : public CKtvPPropertySheet {
    DECLARE_DYNAMIC(COptionsMainDlg)
public:
    COptionsMainDlg(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~COptionsMainDlg() override;

    // Stores every option of the pages; the editor items only when their page was shown.
    void WriteOptions();

    COptionsEnvGeneralPage m_pageEnvGeneral;
    COptionsScriptFontPage m_pageScriptFont;
    COptionsConnGeneralPage m_pageConnGeneral;
    COptionsConnThreadPage m_pageConnThread;
    COptionsConnAdvancePage m_pageConnAdvance;
    COptionsConnAnsiPage m_pageConnAnsi;

protected:
    DECLARE_MESSAGE_MAP()
};
