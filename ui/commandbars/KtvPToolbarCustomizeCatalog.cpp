// The customise sheet's command catalogue: every command the application
// offers for dragging, grouped into categories (one per top-level menu when
// built from the menus) plus the category that holds every command.
#include "ui/commandbars/KtvPToolbarCustomize.h"

#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CWinApp.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace {

// The window-arrangement commands of a Window menu.
constexpr UINT kCatalogWindowCmdFirst = 0xE130;
constexpr UINT kCatalogWindowCmdLast = 0xE13F;

CObList* CatalogList(const CMapStringToPtr& map, LPCTSTR lpszCategory)
{
    void* pValue = nullptr;
    if (lpszCategory == nullptr || !map.Lookup(lpszCategory, pValue))
        return nullptr;
    return static_cast<CObList*>(pValue);
}

CKtvPToolbarButton* CatalogNewCopy(const CKtvPToolbarButton& button)
{
    CObject* pObject = button.GetRuntimeClass()->CreateObject();
    CKtvPToolbarButton* pCopy = dynamic_cast<CKtvPToolbarButton*>(pObject);
    if (pCopy == nullptr) {
        delete pObject;
        return nullptr;
    }
    pCopy->CopyFrom(button);
    return pCopy;
}

// "File" + "New Query Window\tCtrl+N" -> "FileNewQueryWindow": the ASCII letter after
// each blank goes to upper case, blanks go, and the accelerator part is cut. Bytes of
// multi-byte characters are never touched, so they stay whole.
CString CatalogPathName(const CString& strPath)
{
    CString strResult;
    BOOL bAfterBlank = FALSE;
    for (int i = 0; i < strPath.GetLength(); i++) {
        char ch = strPath[i];
        if (ch == '\t')
            break;
        if (ch == ' ') {
            bAfterBlank = TRUE;
            continue;
        }
        if (bAfterBlank && ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
        bAfterBlank = FALSE;
        strResult += ch;
    }
    return strResult;
}

// The frame's library menu bar, when it is the library's MDI or SDI frame.
CKtvPMenuBar* CatalogFrameMenuBar(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return nullptr;
    if (auto* pMDIFrame = dynamic_cast<CKtvPMDIFrameWnd*>(pFrame))
        return pMDIFrame->GetFrameImpl()->m_pMenuBar;
    if (auto* pSDIFrame = dynamic_cast<CKtvPFrameWnd*>(pFrame))
        return pSDIFrame->GetFrameImpl()->m_pMenuBar;
    return nullptr;
}

}  // namespace

CKtvPMenuBar* CKtvPToolbarCustomize::GetFrameMenuBar(CFrameWnd* pFrame) { return CatalogFrameMenuBar(pFrame); }

void CKtvPToolbarCustomize::AddButton(LPCTSTR lpszCategory, const CKtvPToolbarButton& button, int iInsertBefore)
{
    if (lpszCategory == nullptr || !button.IsEditable())
        return;
    if (CKtvPToolBar::m_NonPermittedCommands.Find(button.m_nID) != nullptr)
        return;

    CString strName = button.m_strText;
    strName.Trim();
    BOOL bTool = FALSE;
    if (g_pUserToolsManager != nullptr && button.m_nID >= g_pUserToolsManager->GetFirstCmdId() &&
        button.m_nID <= g_pUserToolsManager->GetLastCmdId()) {
        CKtvPUserTool* pTool = g_pUserToolsManager->FindTool(button.m_nID);
        if (pTool == nullptr)
            return;
        strName = pTool->m_strLabel;
        bTool = TRUE;
    }

    const BOOL bAllCommands = m_strAllCommands == lpszCategory;
    if (!strName.IsEmpty()) {
        if (!m_bSaveMenuAmps)
            strName.Remove('&');
        const int iTab = strName.Find('\t');
        if (iTab >= 0)
            strName = strName.Left(iTab);
    } else {
        CString strPrompt;
        if (button.m_nID != 0 && button.m_nID != (UINT)-1 && strPrompt.LoadString(button.m_nID)) {
            const int iBreak = strPrompt.Find('\n');
            if (iBreak >= 0)
                strName = strPrompt.Mid(iBreak + 1);
        }
        if (strName.IsEmpty() && bAllCommands)
            return;
    }
    if (strName.IsEmpty())
        return;

    CObList* pList = CatalogList(m_ButtonsByCategory, lpszCategory);
    if (pList != nullptr) {
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
            auto* pOld = static_cast<CKtvPToolbarButton*>(pList->GetNext(pos));
            const BOOL bSameCommand = button.m_nID != (UINT)-1 && pOld->m_nID == button.m_nID;
            const BOOL bSameSubMenu =
                button.m_nID == (UINT)-1 && pOld->m_nID == (UINT)-1 && pOld->m_strText == button.m_strText;
            if (bSameCommand || bSameSubMenu) {
                if (pOld->m_strText.IsEmpty())
                    pOld->m_strText = button.m_strText;
                return;
            }
        }
    } else {
        pList = new CObList(10);
        m_ButtonsByCategory.SetAt(lpszCategory, pList);
        if (!bAllCommands)
            m_strCategoriesList.AddTail(lpszCategory);
    }

    CKtvPToolbarButton* pCopy = CatalogNewCopy(button);
    if (pCopy == nullptr)
        return;
    pCopy->m_strText = strName;
    if (bTool)
        pCopy->SetImage(0);

    POSITION posBefore = iInsertBefore < 0 ? nullptr : pList->FindIndex(iInsertBefore);
    if (posBefore == nullptr)
        pList->AddTail(pCopy);
    else
        pList->InsertBefore(posBefore, pCopy);

    if (!bAllCommands)
        AddButton(m_strAllCommands, button, -1);
    pCopy->OnAddToCustomizePage();
}

void CKtvPToolbarCustomize::AddMenuCommands(const CMenu* pMenu, BOOL bPopup, LPCTSTR lpszCategory,
                                            LPCTSTR lpszMenuPath)
{
    if (pMenu == nullptr)
        return;
    BOOL bWindowMenu = FALSE;
    const int nCount = static_cast<int>(pMenu->GetMenuItemCount());
    for (int i = 0; i < nCount; i++) {
        const UINT uiCmd = pMenu->GetMenuItemID(i);
        CString strText;
        pMenu->GetMenuString(i, strText, MF_BYPOSITION);
        if (!m_bSaveMenuAmps)
            strText.Remove('&');
        if (uiCmd == 0)
            continue;

        if (uiCmd == (UINT)-1) {
            CMenu* pSubMenu = pMenu->GetSubMenu(i);
            UINT uiTearOffId = 0;
            if (g_pTearOffMenuManager != nullptr)
                uiTearOffId = CKtvPTearOffManager::Parse(strText);
            CString strSubCategory = strText;
            strSubCategory.Remove('&');
            if (lpszCategory != nullptr)
                strSubCategory = lpszCategory;
            if (m_bAutoSetFromMenus) {
                if (bPopup) {
                    CKtvPToolbarMenuButton menuButton((UINT)-1, CMenu::GetSafeHmenuOf(pSubMenu), -1, strText);
                    menuButton.SetTearOffMenu(uiTearOffId);
                    AddButton(strSubCategory, menuButton);
                }
                CString strPath = lpszMenuPath != nullptr ? lpszMenuPath : _T("");
                strPath += strText;
                AddMenuCommands(pSubMenu, bPopup, strSubCategory, strPath);
            } else {
                AddMenuCommands(pSubMenu, bPopup, nullptr, nullptr);
            }
            continue;
        }

        if (bPopup && uiCmd >= kCatalogWindowCmdFirst && uiCmd <= kCatalogWindowCmdLast)
            bWindowMenu = TRUE;
        if (lpszCategory != nullptr && g_pUserToolsManager != nullptr &&
            uiCmd == g_pUserToolsManager->GetToolsEntryCmd()) {
            AddUserTools(lpszCategory);
            continue;
        }
        CKtvPToolbarButton button(uiCmd, -1, strText);
        if (lpszMenuPath != nullptr)
            button.m_strSecondText = CatalogPathName(CString(lpszMenuPath) + strText);
        AddButton(lpszCategory != nullptr ? lpszCategory : static_cast<LPCTSTR>(m_strAllCommands), button);
    }

    if (bWindowMenu && lpszCategory != nullptr) {
        auto* pMDIFrame = dynamic_cast<CKtvPMDIFrameWnd*>(m_pParentFrame);
        if (pMDIFrame != nullptr && pMDIFrame->m_uiWindowsDlgMenuId != 0 && pMDIFrame->m_bShowWindowsDlgAlways) {
            CKtvPToolbarButton button(pMDIFrame->m_uiWindowsDlgMenuId, -1, pMDIFrame->m_strWindowsDlgMenuText);
            AddButton(lpszCategory, button);
        }
    }
}

void CKtvPToolbarCustomize::SetupFromMenus()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
            auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
            if (pTemplate != nullptr && pTemplate->m_hMenuShared != nullptr)
                AddMenuCommands(CMenu::FromHandle(pTemplate->m_hMenuShared), FALSE);
        }
    }
    if (m_pParentFrame == nullptr)
        return;
    HMENU hDefault = m_pParentFrame->m_hMenuDefault;
    if (hDefault == nullptr) {
        if (CKtvPMenuBar* pMenuBar = GetFrameMenuBar(m_pParentFrame))
            hDefault = pMenuBar->m_hDefaultMenu;
    }
    if (hDefault != nullptr)
        AddMenuCommands(CMenu::FromHandle(hDefault), FALSE);
}

void CKtvPToolbarCustomize::AddUserTools(LPCTSTR lpszCategory)
{
    if (g_pUserToolsManager == nullptr)
        return;
    const CObList& tools = g_pUserToolsManager->GetUserTools();
    for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
        auto* pTool = static_cast<CKtvPUserTool*>(tools.GetNext(pos));
        CKtvPToolbarButton button(pTool->m_uiCmdId, 0, pTool->m_strLabel);
        AddButton(lpszCategory, button);
    }
}

void CKtvPToolbarCustomize::ReplaceButton(UINT uiCmd, const CKtvPToolbarButton& button)
{
    CStringList categories;
    categories.AddTail(&m_strCategoriesList);
    categories.AddTail(m_strAllCommands);
    for (POSITION posCat = categories.GetHeadPosition(); posCat != nullptr;) {
        CObList* pList = CatalogList(m_ButtonsByCategory, categories.GetNext(posCat));
        if (pList == nullptr)
            continue;
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr; pList->GetNext(pos)) {
            auto* pOld = static_cast<CKtvPToolbarButton*>(pList->GetAt(pos));
            if (pOld->m_nID != uiCmd)
                continue;
            CKtvPToolbarButton* pNew = CatalogNewCopy(button);
            if (pNew == nullptr)
                continue;
            if (pNew->m_strText.IsEmpty())
                pNew->m_strText = pOld->m_strText;
            pList->SetAt(pos, pNew);
            delete pOld;
        }
    }
}

namespace {

template <class TBox>
void CatalogFillCategories(const CMapStringToPtr& map, const CStringList& names, const CString& strAll, TBox& box,
                           BOOL bAddEmpty)
{
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;) {
        const CString& strName = names.GetNext(pos);
        CObList* pList = CatalogList(map, strName);
        if (pList == nullptr)
            continue;
        if (!bAddEmpty) {
            BOOL bHasCommand = FALSE;
            for (POSITION posB = pList->GetHeadPosition(); posB != nullptr && !bHasCommand;) {
                auto* pButton = static_cast<CKtvPToolbarButton*>(pList->GetNext(posB));
                bHasCommand = pButton->m_nID != 0 && pButton->m_nID != (UINT)-1;
            }
            if (!bHasCommand)
                continue;
        }
        const int iItem = box.AddString(strName);
        box.SetItemDataPtr(iItem, pList);
    }
    const int iItem = box.AddString(strAll);
    box.SetItemDataPtr(iItem, CatalogList(map, strAll));
}

}  // namespace

void CKtvPToolbarCustomize::FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty) const
{
    CatalogFillCategories(m_ButtonsByCategory, m_strCategoriesList, m_strAllCommands, wndCategory, bAddEmpty);
}

void CKtvPToolbarCustomize::FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty) const
{
    CatalogFillCategories(m_ButtonsByCategory, m_strCategoriesList, m_strAllCommands, wndCategory, bAddEmpty);
}

void CKtvPToolbarCustomize::FillAllCommandsList(CListBox& wndListOfCommands) const
{
    wndListOfCommands.ResetContent();
    CObList* pList = CatalogList(m_ButtonsByCategory, m_strAllCommands);
    if (pList == nullptr)
        return;
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(pList->GetNext(pos));
        const CString& strShown = pButton->m_strSecondText.IsEmpty() ? pButton->m_strText : pButton->m_strSecondText;
        const int iItem = wndListOfCommands.AddString(strShown);
        wndListOfCommands.SetItemData(iItem, pButton->m_nID);
    }
}

LPCTSTR CKtvPToolbarCustomize::GetCommandName(UINT uiCmd) const
{
    CObList* pList = CatalogList(m_ButtonsByCategory, m_strAllCommands);
    if (pList == nullptr)
        return nullptr;
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(pList->GetNext(pos));
        if (pButton->m_nID == uiCmd)
            return pButton->m_strText;
    }
    return nullptr;
}

int CKtvPToolbarCustomize::GetCountInCategory(LPCTSTR lpszItemName, const CObList& lstButtons) const
{
    int nCount = 0;
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(lstButtons.GetNext(pos));
        if (pButton->m_strText == lpszItemName)
            nCount++;
    }
    return nCount;
}
