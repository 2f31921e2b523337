#include "ui/frames/KtvPKeyboardManager.h"

#include <cctype>
#include <set>
#include <vector>

#include "platform/mfc/CDocManager.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWinThread.h"
#include "platform/win32/kernel/Locale.h"
#include "platform/win32/menu/AcceleratorStore.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPKeyHelper.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvRegPath.h"

CKtvPKeyboardManager* g_pKeyboardManager = nullptr;

LPACCEL CKtvPKeyboardManager::m_lpAccelDefault = nullptr;
int CKtvPKeyboardManager::m_nAccelDefaultSize = 0;
HACCEL CKtvPKeyboardManager::m_hAccelDefaultLast = nullptr;
LPACCEL CKtvPKeyboardManager::m_lpAccel = nullptr;
int CKtvPKeyboardManager::m_nAccelSize = 0;
HACCEL CKtvPKeyboardManager::m_hAccelLast = nullptr;

namespace {

constexpr UINT kAccelRecordSize = 6;  // fVirt, a zero byte, key, cmd; little-endian

// The multi-document templates of the application, in the document manager's order.
std::vector<CMultiDocTemplate*> MultiDocTemplates()
{
    std::vector<CMultiDocTemplate*> templates;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || pApp->m_pDocManager == nullptr)
        return templates;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
        auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
        if (pTemplate != nullptr)
            templates.push_back(pTemplate);
    }
    return templates;
}

CFrameWnd* MainFrame()
{
    return dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
}

CString KeyboardBase(LPCTSTR lpszProfileName)
{
    return KtvGetRegPath("KtvPKeyboardManager", lpszProfileName);
}

CString AcceleratorKey(LPCTSTR lpszProfileName, UINT uiResId)
{
    CString strKey;
    strKey.Format("%sKtvKeyboard-%d", lpszProfileName, uiResId);
    return strKey;
}

void StoreRecord(const ACCEL& accel, BYTE* pRecord)
{
    pRecord[0] = accel.fVirt;
    pRecord[1] = 0;
    pRecord[2] = static_cast<BYTE>(accel.key & 0xFF);
    pRecord[3] = static_cast<BYTE>(accel.key >> 8);
    pRecord[4] = static_cast<BYTE>(accel.cmd & 0xFF);
    pRecord[5] = static_cast<BYTE>(accel.cmd >> 8);
}

ACCEL LoadRecord(const BYTE* pRecord)
{
    ACCEL accel{};
    accel.fVirt = pRecord[0];
    accel.key = static_cast<WORD>(pRecord[2] | (pRecord[3] << 8));
    accel.cmd = static_cast<WORD>(pRecord[4] | (pRecord[5] << 8));
    return accel;
}

BOOL IsNonPermitted(UINT uiCmd)
{
    return CKtvPToolBar::m_NonPermittedCommands.Find(uiCmd) != nullptr;
}

// One more holder takes the table: the template or frame that it goes into
// lets go of it with DestroyAcceleratorTable when it is replaced or destroyed.
HACCEL HoldTable(HACCEL hAccel)
{
    tw::menu::AcceleratorStore::Instance().Hold(hAccel);
    return hAccel;
}

void ReleaseTable(HACCEL hAccel)
{
    if (hAccel != nullptr)
        ::DestroyAcceleratorTable(hAccel);
}

// The frames of the template's open documents (through their views) that
// use the given table.
std::vector<CFrameWnd*> FramesUsingTable(CDocTemplate* pTemplate, HACCEL hAccel)
{
    std::vector<CFrameWnd*> frames;
    if (hAccel == nullptr)
        return frames;
    for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != nullptr;) {
        CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
        for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;) {
            CView* pView = pDoc->GetNextView(posView);
            CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
            if (pFrame == nullptr || pFrame->m_hAccelTable != hAccel)
                continue;
            bool bListed = false;
            for (CFrameWnd* pListed : frames)
                bListed = bListed || pListed == pFrame;
            if (!bListed)
                frames.push_back(pFrame);
        }
    }
    return frames;
}

}  // namespace

CKtvPKeyboardManager::CKtvPKeyboardManager()
{
    g_pKeyboardManager = this;
}

CKtvPKeyboardManager::~CKtvPKeyboardManager()
{
    if (g_pKeyboardManager == this)
        g_pKeyboardManager = nullptr;
}

// --- the stored tables -----------------------------------------------------------------------------

BOOL CKtvPKeyboardManager::LoadState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame)
{
    const CString strBase = KeyboardBase(lpszProfileName);

    // Templates of one resource share one stored table; the first load of an
    // id installs it in all of them.
    std::set<UINT> loadedIds;
    for (CMultiDocTemplate* pTemplate : MultiDocTemplates()) {
        if (pTemplate->m_hAccelTable == nullptr || loadedIds.count(pTemplate->GetResourceID()) != 0)
            continue;
        loadedIds.insert(pTemplate->GetResourceID());
        HACCEL hAccel = nullptr;
        if (LoadAcceleratorState(strBase, pTemplate->GetResourceID(), hAccel))
            SetAccelTable(pTemplate, hAccel, nullptr);
    }

    CFrameWnd* pFrame = pDefaultFrame != nullptr ? pDefaultFrame : MainFrame();
    if (pFrame == nullptr || pFrame->m_hAccelTable == nullptr)
        return TRUE;
    HACCEL hAccel = nullptr;
    if (LoadAcceleratorState(strBase, 0, hAccel))
        SetAccelTable(nullptr, hAccel, pFrame);
    return TRUE;
}

BOOL CKtvPKeyboardManager::SaveState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame)
{
    const CString strBase = KeyboardBase(lpszProfileName);

    std::set<UINT> savedIds;
    for (CMultiDocTemplate* pTemplate : MultiDocTemplates()) {
        if (pTemplate->m_hAccelTable == nullptr || savedIds.count(pTemplate->GetResourceID()) != 0)
            continue;
        savedIds.insert(pTemplate->GetResourceID());
        SaveAcceleratorState(strBase, pTemplate->GetResourceID(), pTemplate->m_hAccelTable);
    }

    CFrameWnd* pFrame = pDefaultFrame != nullptr ? pDefaultFrame : MainFrame();
    if (pFrame != nullptr && pFrame->m_hAccelTable != nullptr)
        SaveAcceleratorState(strBase, 0, pFrame->m_hAccelTable);
    return TRUE;
}

BOOL CKtvPKeyboardManager::LoadAcceleratorState(LPCTSTR lpszProfileName, UINT uiResId, HACCEL& hAccelTable)
{
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.Open(AcceleratorKey(lpszProfileName, uiResId)))
        return FALSE;

    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (reg.Read("Accelerators", &pData, &nBytes) && pData != nullptr) {
        const UINT nCount = nBytes / kAccelRecordSize;  // trailing bytes are ignored
        std::vector<ACCEL> entries;
        entries.reserve(nCount);
        for (UINT i = 0; i < nCount; i++) {
            ACCEL accel = LoadRecord(pData + i * kAccelRecordSize);
            if (IsNonPermitted(accel.cmd))
                accel.cmd = 0;
            entries.push_back(accel);
        }
        // No entries: no table, and the one in use stays.
        if (!entries.empty())
            hAccelTable = ::CreateAcceleratorTable(entries.data(), static_cast<int>(entries.size()));
    }
    delete[] pData;
    return hAccelTable != nullptr;
}

BOOL CKtvPKeyboardManager::SaveAcceleratorState(LPCTSTR lpszProfileName, UINT uiResId, HACCEL hAccelTable)
{
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);

    const int nCount = ::CopyAcceleratorTable(hAccelTable, nullptr, 0);
    if (nCount <= 0 || !reg.CreateKey(AcceleratorKey(lpszProfileName, uiResId)))
        return FALSE;

    std::vector<ACCEL> entries(static_cast<size_t>(nCount));
    ::CopyAcceleratorTable(hAccelTable, entries.data(), nCount);
    std::vector<BYTE> data(static_cast<size_t>(nCount) * kAccelRecordSize);
    for (int i = 0; i < nCount; i++)
        StoreRecord(entries[static_cast<size_t>(i)], data.data() + i * kAccelRecordSize);
    return reg.Write("Accelerators", data.data(), static_cast<UINT>(data.size()));
}

// --- replacing tables --------------------------------------------------------------------------------

BOOL CKtvPKeyboardManager::UpdateAcceleratorTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                                  CFrameWnd* pDefaultFrame)
{
    // A table of no entries cannot exist: the last key of a table stays.
    HACCEL hAccelNew = ::CreateAcceleratorTable(lpAccel, nSize);
    if (hAccelNew == nullptr)
        return FALSE;
    return SetAccelTable(pTemplate, hAccelNew, pDefaultFrame);
}

BOOL CKtvPKeyboardManager::SetAccelTable(CMultiDocTemplate* pTemplate, HACCEL hAccelNew, CFrameWnd* pFrame)
{
    if (hAccelNew == nullptr)
        return FALSE;

    if (pTemplate != nullptr) {
        // Every template of the same resource shares the stored table, so it
        // gets the new one too; their child frames that used a template's old
        // table follow it, frames with a table of their own keep theirs.
        std::vector<CMultiDocTemplate*> targets;
        for (CMultiDocTemplate* pOther : MultiDocTemplates()) {
            // A template without a table keeps having none.
            if (pOther == pTemplate ||
                (pOther->GetResourceID() == pTemplate->GetResourceID() && pOther->m_hAccelTable != nullptr))
                targets.push_back(pOther);
        }
        bool bListed = false;
        for (CMultiDocTemplate* pTarget : targets)
            bListed = bListed || pTarget == pTemplate;
        if (!bListed)
            targets.push_back(pTemplate);

        for (CMultiDocTemplate* pTarget : targets) {
            const HACCEL hAccelOld = pTarget->m_hAccelTable;
            for (CFrameWnd* pChild : FramesUsingTable(pTarget, hAccelOld)) {
                pChild->m_hAccelTable = HoldTable(hAccelNew);
                ReleaseTable(hAccelOld);
            }
            pTarget->m_hAccelTable = HoldTable(hAccelNew);
            ReleaseTable(hAccelOld);
        }
    } else {
        CFrameWnd* pTarget = pFrame != nullptr ? pFrame : MainFrame();
        if (pTarget == nullptr) {
            ReleaseTable(hAccelNew);
            return FALSE;
        }
        const HACCEL hAccelOld = pTarget->m_hAccelTable;
        pTarget->m_hAccelTable = HoldTable(hAccelNew);
        ReleaseTable(hAccelOld);
    }

    // The caller's own hold ends here: only the templates and frames hold the table now.
    ReleaseTable(hAccelNew);
    // A changed table must never be answered from a copy of the old one.
    CleanUp();
    return TRUE;
}

void CKtvPKeyboardManager::ResetAll()
{
    const HINSTANCE hInstance = AfxGetResourceHandle();
    std::set<UINT> resetIds;
    for (CMultiDocTemplate* pTemplate : MultiDocTemplates()) {
        if (pTemplate->m_hAccelTable == nullptr || resetIds.count(pTemplate->GetResourceID()) != 0)
            continue;
        resetIds.insert(pTemplate->GetResourceID());
        HACCEL hAccel = ::LoadAccelerators(hInstance, MAKEINTRESOURCE(pTemplate->GetResourceID()));
        if (hAccel != nullptr)
            SetAccelTable(pTemplate, hAccel, nullptr);
    }

    CFrameWnd* pFrame = MainFrame();
    if (pFrame == nullptr || pFrame->m_hAccelTable == nullptr)
        return;
    auto* pHooks = dynamic_cast<CKtvPFrameHooks*>(pFrame);
    CKtvPFrameImpl* pImpl = pHooks != nullptr ? pHooks->GetFrameImpl() : nullptr;
    if (pImpl == nullptr || pImpl->m_nIDDefaultResource == 0)
        return;
    HACCEL hAccel = ::LoadAccelerators(hInstance, MAKEINTRESOURCE(pImpl->m_nIDDefaultResource));
    if (hAccel != nullptr)
        SetAccelTable(nullptr, hAccel, pFrame);
}

// --- questions about keys ------------------------------------------------------------------------------

namespace {

// The copy of the frame's default table that answers look-ups; NULL when the
// frame has no table.
BOOL RefreshCache(CFrameWnd* pFrame, BOOL bIsDefaultFrame, LPACCEL& lpAccel, int& nSize)
{
    if (pFrame == nullptr)
        return FALSE;
    const HACCEL hAccel = pFrame->GetDefaultAccelerator();
    if (hAccel == nullptr)
        return FALSE;

    LPACCEL& lpCache = bIsDefaultFrame ? CKtvPKeyboardManager::m_lpAccelDefault : CKtvPKeyboardManager::m_lpAccel;
    int& nCacheSize = bIsDefaultFrame ? CKtvPKeyboardManager::m_nAccelDefaultSize : CKtvPKeyboardManager::m_nAccelSize;
    HACCEL& hCacheTable =
        bIsDefaultFrame ? CKtvPKeyboardManager::m_hAccelDefaultLast : CKtvPKeyboardManager::m_hAccelLast;

    if (lpCache == nullptr || hCacheTable != hAccel) {
        delete[] lpCache;
        lpCache = nullptr;
        nCacheSize = 0;
        hCacheTable = nullptr;
        const int nCount = ::CopyAcceleratorTable(hAccel, nullptr, 0);
        if (nCount <= 0)
            return FALSE;
        lpCache = new ACCEL[static_cast<size_t>(nCount)];
        nCacheSize = ::CopyAcceleratorTable(hAccel, lpCache, nCount);
        hCacheTable = hAccel;
    }
    lpAccel = lpCache;
    nSize = nCacheSize;
    return TRUE;
}

}  // namespace

BOOL CKtvPKeyboardManager::FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame,
                                                  BOOL bIsDefaultFrame)
{
    str.Empty();
    LPACCEL lpAccel = nullptr;
    int nSize = 0;
    if (!RefreshCache(pWndFrame, bIsDefaultFrame, lpAccel, nSize))
        return FALSE;
    for (int i = 0; i < nSize; i++) {
        if (lpAccel[i].cmd == uiCmd) {
            CKtvPKeyHelper helper(&lpAccel[i]);
            helper.Format(str);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CKtvPKeyboardManager::IsKeyHandled(WORD nKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame)
{
    LPACCEL lpAccel = nullptr;
    int nSize = 0;
    if (!RefreshCache(pWndFrame, bIsDefaultFrame, lpAccel, nSize))
        return FALSE;
    for (int i = 0; i < nSize; i++) {
        if (lpAccel[i].key == nKey && lpAccel[i].fVirt == fVirt)
            return TRUE;
    }
    return FALSE;
}

UINT CKtvPKeyboardManager::TranslateCharToUpper(const UINT nChar)
{
    const BOOL bAlt = (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
    if (nChar >= VK_NUMPAD0 && nChar <= VK_NUMPAD9 && !bAlt) {
        // Keypad digits stand for the characters the layout makes of them.
        BYTE keyState[256] = {};
        ::GetKeyboardState(keyState);
        const UINT nScan = ::MapVirtualKey(nChar, 0);
        WORD wChar = 0;
        ::ToAsciiEx(nChar, nScan, keyState, &wChar, 1, ::GetKeyboardLayout(0));
        TCHAR szChar[2] = {static_cast<TCHAR>(wChar & 0xFF), 0};
        ::CharUpper(szChar);
        return static_cast<BYTE>(szChar[0]);
    }
    if ((nChar >= 'A' && nChar <= 'Z') || bAlt)
        return nChar;
    return static_cast<UINT>(::toupper(static_cast<int>(nChar)));
}

void CKtvPKeyboardManager::CleanUp()
{
    delete[] m_lpAccelDefault;
    m_lpAccelDefault = nullptr;
    m_nAccelDefaultSize = 0;
    m_hAccelDefaultLast = nullptr;
    delete[] m_lpAccel;
    m_lpAccel = nullptr;
    m_nAccelSize = 0;
    m_hAccelLast = nullptr;
}
