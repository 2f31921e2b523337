#include "ui/commandbars/KtvPMouseManager.h"

#include "platform/mfc/CArchive.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvRegPath.h"

IMPLEMENT_SERIAL(CKtvPMouseManager, CObject, 1)

CKtvPMouseManager* g_pMouseManager = nullptr;

namespace {

constexpr LPCTSTR kMouseSection = _T("KtvMouseManager");
constexpr LPCTSTR kMouseValue = _T("Mouse");

}  // namespace

CKtvPMouseManager::CKtvPMouseManager() : m_ViewsNames(10), m_ViewsToCommands(10), m_ViewsToIcons(10)
{
    g_pMouseManager = this;
}

CKtvPMouseManager::~CKtvPMouseManager() { g_pMouseManager = nullptr; }

void CKtvPMouseManager::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<int>(m_ViewsToCommands.GetCount());
        for (POSITION pos = m_ViewsToCommands.GetStartPosition(); pos != nullptr;) {
            UINT uiView = 0;
            UINT uiCmd = 0;
            m_ViewsToCommands.GetNextAssoc(pos, uiView, uiCmd);
            ar << uiView << uiCmd;
        }
        return;
    }
    m_ViewsToCommands.RemoveAll();
    int nCount = 0;
    ar >> nCount;
    if (nCount < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    // Pair by pair: a value cut short keeps the pairs before the cut.
    for (int i = 0; i < nCount; i++) {
        UINT uiView = 0;
        UINT uiCmd = 0;
        ar >> uiView >> uiCmd;
        m_ViewsToCommands[uiView] = uiCmd;
    }
}

BOOL CKtvPMouseManager::AddView(int iViewId, LPCTSTR lpszViewName, UINT uiIconId)
{
    int iExisting = 0;
    if (m_ViewsNames.Lookup(lpszViewName, iExisting))
        return FALSE;
    m_ViewsNames[lpszViewName] = iViewId;
    if (uiIconId != 0)
        m_ViewsToIcons[static_cast<UINT>(iViewId)] = uiIconId;
    return TRUE;
}

void CKtvPMouseManager::GetViewNames(CStringList& listOfNames) const
{
    listOfNames.RemoveAll();
    for (POSITION pos = m_ViewsNames.GetStartPosition(); pos != nullptr;) {
        CString strName;
        int iViewId = 0;
        m_ViewsNames.GetNextAssoc(pos, strName, iViewId);
        listOfNames.AddTail(strName);
    }
}

int CKtvPMouseManager::GetViewIdByName(LPCTSTR lpszName) const
{
    int iViewId = -1;
    if (!m_ViewsNames.Lookup(lpszName, iViewId))
        return -1;
    return iViewId;
}

UINT CKtvPMouseManager::GetViewIconId(int iViewId) const
{
    UINT uiIconId = 0;
    m_ViewsToIcons.Lookup(static_cast<UINT>(iViewId), uiIconId);
    return uiIconId;
}

UINT CKtvPMouseManager::GetViewDblClickCommand(int iId) const
{
    UINT uiCmd = 0;
    m_ViewsToCommands.Lookup(static_cast<UINT>(iId), uiCmd);
    return uiCmd;
}

void CKtvPMouseManager::SetCommandForDblClick(int iViewId, UINT uiCmd)
{
    const UINT uiView = static_cast<UINT>(iViewId);
    if (uiCmd == 0) {
        if (!m_ViewsToCommands.RemoveKey(uiView))
            return;
    } else {
        UINT uiOld = 0;
        if (m_ViewsToCommands.Lookup(uiView, uiOld) && uiOld == uiCmd)
            return;
        m_ViewsToCommands[uiView] = uiCmd;
    }
    m_bKeepStoredValue = FALSE;
}

BOOL CKtvPMouseManager::LoadState(LPCTSTR lpszProfileName)
{
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(KtvGetRegPath(kMouseSection, lpszProfileName)) || !reg.VerifyValue(kMouseValue))
        return FALSE;
    if (!reg.Read(kMouseValue, *this)) {
        m_bKeepStoredValue = TRUE;
        return FALSE;
    }
    m_bKeepStoredValue = FALSE;
    return TRUE;
}

BOOL CKtvPMouseManager::SaveState(LPCTSTR lpszProfileName)
{
    // A stored value we could not read whole holds more than we know.
    if (m_bKeepStoredValue)
        return TRUE;
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(KtvGetRegPath(kMouseSection, lpszProfileName)))
        return FALSE;
    return reg.Write(kMouseValue, *this);
}
