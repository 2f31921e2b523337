// The customise sheet's Tools, Keyboard and Mouse pages: made with the sheet,
// shown only when the library manages user tools, keys or the mouse.
#include "platform/mfc/CFrameWnd.h"
#include "ui/commandbars/KtvPKeyboardPage.h"
#include "ui/commandbars/KtvPMouseManager.h"
#include "ui/commandbars/KtvPMousePage.h"
#include "ui/commandbars/KtvPToolsPage.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/frames/KtvPKeyboardManager.h"

void CKtvPToolbarCustomize::CustomizeAddToolsAndKeyboardPages()
{
    if (!(m_uiFlags & KTVCUSTOMIZE_NO_TOOLS)) {
        m_pToolsPage = new CKtvPToolsPage;
        if (g_pUserToolsManager != nullptr)
            AddPage(m_pToolsPage);
    }
    if (g_pKeyboardManager != nullptr && m_pParentFrame != nullptr && m_pParentFrame->m_hAccelTable != nullptr)
        AddPage(m_pKeyboardPage);
}

void CKtvPToolbarCustomize::CustomizeAddMousePage()
{
    m_pMousePage = new CKtvPMousePage;
    if (g_pMouseManager != nullptr)
        AddPage(m_pMousePage);
}

void CKtvPToolbarCustomize::CustomizeDeleteOwnPages()
{
    delete m_pKeyboardPage;
    m_pKeyboardPage = nullptr;
    delete m_pMousePage;
    m_pMousePage = nullptr;
    delete m_pToolsPage;
    m_pToolsPage = nullptr;
}

CPropertyPage* CKtvPToolbarCustomize::CustomizeToolsPage() const
{
    return m_pToolsPage;
}
