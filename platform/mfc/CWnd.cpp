#include "platform/mfc/CWnd.h"

#include "platform/mfc/CFrameWnd.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <string>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CImageList.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CScrollBar.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWinThread.h"
#include "platform/mfc/HandleMap.h"
#include "platform/win32/dialog/windlg.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace tw::mfc {

ThreadState& CurrentThreadState()
{
    thread_local ThreadState state;
    return state;
}

namespace wnd_detail {

using WindowMap = HandleMap<CWnd, HWND>;

WindowMap& Map()
{
    thread_local WindowMap map([](CWnd* w, HWND h) { w->m_hWnd = h; }, [](CWnd* w) { w->m_hWnd = nullptr; });
    return map;
}

// The parent of a child, the owner of anything else.
HWND ParentOrOwner(HWND hWnd)
{
    if (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

// Records the message being handled for Default and GetCurrentMessage, and puts
// the previous one back afterwards, so nested sends see their own.
class CurrentMessageScope {
public:
    CurrentMessageScope(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
        : m_state(CurrentThreadState()), m_saved(m_state.lastSentMsg)
    {
        m_state.lastSentMsg.hwnd = hWnd;
        m_state.lastSentMsg.message = nMsg;
        m_state.lastSentMsg.wParam = wParam;
        m_state.lastSentMsg.lParam = lParam;
    }
    ~CurrentMessageScope() { m_state.lastSentMsg = m_saved; }
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

private:
    ThreadState& m_state;
    MSG m_saved;
};

}  // namespace wnd_detail
}  // namespace tw::mfc

using tw::mfc::CurrentThreadState;
namespace wnd_detail = tw::mfc::wnd_detail;

// --- the window procedure -----------------------------------------------------------------

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    wnd_detail::CurrentMessageScope scope(hWnd, nMsg, wParam, lParam);
    return pWnd->WindowProc(nMsg, wParam, lParam);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

// Takes the window the thread's pending object waits for before the window has
// seen any message, whatever its class: a control's own WM_NCCREATE and WM_CREATE
// then reach the object's message map.
LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    tw::mfc::ThreadState& state = CurrentThreadState();
    const HHOOK hook = state.hHookCbtFilter;
    if (code != HCBT_CREATEWND || !state.pWndInit || state.initIsDialog)
        return ::CallNextHookEx(hook, code, wParam, lParam);
    CWnd* pWnd = state.pWndInit;
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (pWnd->Attach(hWnd)) {
        // Still pending while PreSubclassWindow runs: an override tells a window
        // being created (pWndInit is the object) from one being subclassed (NULL).
        pWnd->PreSubclassWindow();
        auto oldWndProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        WNDPROC* lplpfn = pWnd->GetSuperWndProcAddr();
        if (!*lplpfn && oldWndProc != &AfxWndProc)
            *lplpfn = oldWndProc;
    }
    state.pWndInit = nullptr;
    return ::CallNextHookEx(hook, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    tw::mfc::ThreadState& state = CurrentThreadState();
    if (!state.hHookCbtFilter)
        state.hHookCbtFilter = ::SetWindowsHookEx(WH_CBT, &AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    ++state.cbtHookUsers;
    state.pWndInit = pWnd;
    state.initIsDialog = false;
}

BOOL AfxUnhookWindowCreate()
{
    tw::mfc::ThreadState& state = CurrentThreadState();
    if (state.cbtHookUsers > 0 && --state.cbtHookUsers == 0 && state.hHookCbtFilter) {
        ::UnhookWindowsHookEx(state.hHookCbtFilter);
        state.hHookCbtFilter = nullptr;
    }
    if (state.pWndInit && !state.initIsDialog) {
        // No window was made for it.
        state.pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

WNDPROC AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex namesLock;
    static std::set<std::string> names;

    char name[128];
    std::snprintf(name, sizeof name, "Afx:%llx:%x:%llx:%llx:%llx",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(AfxGetInstanceHandle())),
                  nClassStyle, static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hCursor)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hbrBackground)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hIcon)));

    std::lock_guard<std::mutex> guard(namesLock);
    auto [it, inserted] = names.insert(name);
    if (!inserted)
        return it->c_str();
    WNDCLASS wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = &AfxWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = it->c_str();
    if (!::RegisterClass(&wc)) {
        names.erase(it);
        return nullptr;
    }
    return it->c_str();
}

void AfxDeleteTempMaps()
{
    if (CurrentThreadState().tempMapLock > 0)
        return;
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}

void AfxLockTempMaps()
{
    ++CurrentThreadState().tempMapLock;
}

BOOL AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    int& lock = CurrentThreadState().tempMapLock;
    if (lock > 0)
        --lock;
    if (lock > 0)
        return FALSE;
    if (bDeleteTemps)
        AfxDeleteTempMaps();
    return TRUE;
}

// --- handle maps --------------------------------------------------------------------------

CWnd::~CWnd()
{
    if (m_hWnd && wnd_detail::Map().LookupPermanent(m_hWnd) == this)
        DestroyWindow();
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return wnd_detail::Map().FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? wnd_detail::Map().LookupPermanent(hWnd) : nullptr;
}

void PASCAL CWnd::DeleteTempMap()
{
    wnd_detail::Map().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || wnd_detail::Map().LookupPermanent(hWndNew))
        return FALSE;
    m_hWnd = hWndNew;
    wnd_detail::Map().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && wnd_detail::Map().LookupPermanent(hWnd) == this)
        wnd_detail::Map().RemoveHandle(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

// --- creation and destruction --------------------------------------------------------------

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    CWnd::ExtentOf(rect.left, rect.right), CWnd::ExtentOf(rect.top, rect.bottom),
                    CWnd::GetSafeHwndOf(pParentWnd), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    CWnd::ExtentOf(rect.left, rect.right), CWnd::ExtentOf(rect.top, rect.bottom),
                    CWnd::GetSafeHwndOf(pParentWnd), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    tw::mfc::ThreadState& state = CurrentThreadState();
    CWnd* outerInit = state.pWndInit;
    const bool outerIsDialog = state.initIsDialog;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                 cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    const BOOL attached = AfxUnhookWindowCreate();
    state.pWndInit = outerInit;
    state.initIsDialog = outerIsDialog;
    if (!hWnd) {
        // A window that was attached went with its object at WM_NCDESTROY; one
        // that was never made leaves the object to clean up.
        if (!attached)
            PostNcDestroy();
        return FALSE;
    }
    return m_hWnd == hWnd;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
        if (!cs.lpszClass)
            return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND hWndOrig = m_hWnd;
    const bool permanent = wnd_detail::Map().LookupPermanent(hWndOrig) == this;
    const BOOL bResult = ::DestroyWindow(hWndOrig);
    // A self-deleting object is gone by now; only touch this when the map still names it.
    if (!permanent) {
        m_hWnd = nullptr;
        return bResult;
    }
    // An attached window lets go of its object at WM_NCDESTROY. One still alive here
    // is on its way out (its own WM_DESTROY is running) or stayed: it keeps the object
    // so the rest of its messages reach it. A window that died without passing
    // through our handlers (attached, never subclassed) is let go here.
    if (wnd_detail::Map().LookupPermanent(hWndOrig) == this && !::IsWindow(hWndOrig))
        Detach();
    return bResult;
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC oldWndProc =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    if (!*lplpfn && oldWndProc != &AfxWndProc)
        *lplpfn = oldWndProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(CWnd::GetSafeHwndOf(pParent), static_cast<int>(nID));
    if (!hWndControl)
        return FALSE;
    return SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    if (m_hWnd && *lplpfn)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*lplpfn));
    *lplpfn = nullptr;
    return Detach();
}

void CWnd::PreSubclassWindow()
{
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

// --- messages --------------------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = CurrentThreadState().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    MSG& msg = CurrentThreadState().lastSentMsg;
    msg.time = static_cast<DWORD>(::GetMessageTime());
    const DWORD pos = ::GetMessagePos();
    msg.pt = CPoint(pos);
    return &msg;
}

const AFX_MSGMAP_ENTRY* CWnd::FindWindowMessageEntry(UINT message) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* entry = message < 0xC000 ? tw::mfc::FindMessageEntry(map->lpEntries, message, 0, 0)
                                                         : tw::mfc::FindRegisteredEntry(map->lpEntries, message);
        if (entry)
            return entry;
    }
    return nullptr;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult)
            *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (!pNMHDR || !pNMHDR->hwndFrom || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult)
            *pResult = lResult;
        return TRUE;
    }

    // Every WM_CTLCOLORxxx is looked up as WM_CTLCOLOR with its kind.
    AFX_CTLCOLOR ctlColor{};
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        ctlColor.hDC = reinterpret_cast<HDC>(wParam);
        ctlColor.hWnd = reinterpret_cast<HWND>(lParam);
        ctlColor.nCtlType = message - WM_CTLCOLORMSGBOX;
        message = WM_CTLCOLOR;
        lParam = reinterpret_cast<LPARAM>(&ctlColor);
    }

    const AFX_MSGMAP_ENTRY* entry = FindWindowMessageEntry(message);
    if (!entry)
        return ReflectDragListMessage(message, lParam, pResult);
    if (!DispatchWindowMessage(entry, message, wParam, lParam, &lResult))
        return FALSE;
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::DispatchWindowMessage(const AFX_MSGMAP_ENTRY* entry, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* pResult)
{
    const AFX_PMSG pfn = entry->pfn;
    const UINT nSig = entry->nSig > AfxSig_registered ? static_cast<UINT>(AfxSig_l_w_l) : static_cast<UINT>(entry->nSig);
    const CPoint point(static_cast<DWORD>(lParam));
    LRESULT lResult = 0;
    switch (nSig) {
    case AfxSig_l_w_l:
        lResult = (this->*tw::mfc::PmfCast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_v_v:
        (this->*tw::mfc::PmfCast<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_b_v:
        lResult = (this->*tw::mfc::PmfCast<BOOL (CWnd::*)()>(pfn))();
        break;
    case AfxSig_u_v:
        lResult = (this->*tw::mfc::PmfCast<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_i_CREATE:
        lResult = (this->*tw::mfc::PmfCast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(
                      reinterpret_cast<LPCREATESTRUCT>(lParam)) == -1
                      ? -1
                      : 0;
        break;
    case AfxSig_b_CREATE:
        lResult = (this->*tw::mfc::PmfCast<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_v_u_ii:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(UINT, int, int)>(pfn))(
            static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_v_ii:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(int, int)>(pfn))(static_cast<short>(LOWORD(lParam)),
                                                                 static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_v_u_p:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), point);
        break;
    case AfxSig_b_u_s_p:
        lResult = (this->*tw::mfc::PmfCast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), static_cast<short>(HIWORD(wParam)), point);
        break;
    case AfxSig_v_u_u_u:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(
            static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_v_TIMER:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig_v_W: {
        // WM_CAPTURECHANGED names the window in lParam, the focus messages in wParam.
        HWND other = message == WM_CAPTURECHANGED ? reinterpret_cast<HWND>(lParam) : reinterpret_cast<HWND>(wParam);
        (this->*tw::mfc::PmfCast<void (CWnd::*)(CWnd*)>(pfn))(FromHandle(other));
        break;
    }
    case AfxSig_b_W_u_u:
        lResult = (this->*tw::mfc::PmfCast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_i_W_u_u:
        lResult = (this->*tw::mfc::PmfCast<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_v_u_W_b:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
            LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
        break;
    case AfxSig_v_b_dw:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(BOOL, DWORD)>(pfn))(static_cast<BOOL>(wParam),
                                                                    static_cast<DWORD>(lParam));
        break;
    case AfxSig_b_b:
        lResult = (this->*tw::mfc::PmfCast<BOOL (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_v_b_NCCALCSIZE:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))(
            static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_l_p:
        lResult = (this->*tw::mfc::PmfCast<LRESULT (CWnd::*)(CPoint)>(pfn))(point);
        break;
    case AfxSig_v_WINDOWPOS:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case AfxSig_v_MINMAXINFO:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case AfxSig_v_W_p:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                      point);
        break;
    case AfxSig_v_b_u:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam),
                                                                   static_cast<UINT>(lParam));
        break;
    case AfxSig_v_u_s:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(UINT, LPCTSTR)>(pfn))(static_cast<UINT>(wParam),
                                                                      reinterpret_cast<LPCTSTR>(lParam));
        break;
    case AfxSig_hbr_D_W_u: {
        auto* ctl = reinterpret_cast<AFX_CTLCOLOR*>(lParam);
        lResult = reinterpret_cast<LRESULT>((this->*tw::mfc::PmfCast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle(ctl->hDC), FromHandle(ctl->hWnd), ctl->nCtlType));
        break;
    }
    case AfxSig_hbr_D_u: {
        auto* ctl = reinterpret_cast<AFX_CTLCOLOR*>(lParam);
        lResult = reinterpret_cast<LRESULT>((this->*tw::mfc::PmfCast<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
            CDC::FromHandle(ctl->hDC), ctl->nCtlType));
        break;
    }
    case AfxSig_v_u_u_SB:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), static_cast<short>(HIWORD(wParam)),
            reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_v_u_u:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(UINT, UINT)>(pfn))(LOWORD(wParam),
                                                                   static_cast<short>(HIWORD(wParam)));
        break;
    case AfxSig_v_b:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_v_u_l:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(UINT, LPARAM)>(pfn))(static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_b_D:
        lResult = (this->*tw::mfc::PmfCast<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case AfxSig_v_i_DRAWITEM:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_i_MEASUREITEM:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_i_STYLESTRUCT:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(int, LPSTYLESTRUCT)>(pfn))(static_cast<int>(wParam),
                                                                           reinterpret_cast<LPSTYLESTRUCT>(lParam));
        break;
    case AfxSig_v_i_DELETEITEM:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(int, LPDELETEITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_i_i_COMPAREITEM:
        lResult = (this->*tw::mfc::PmfCast<int (CWnd::*)(int, LPCOMPAREITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case AfxSig_i_u_W_u:
        lResult = (this->*tw::mfc::PmfCast<int (CWnd::*)(UINT, CListBox*, UINT)>(pfn))(
            LOWORD(wParam), reinterpret_cast<CListBox*>(FromHandle(reinterpret_cast<HWND>(lParam))), HIWORD(wParam));
        break;
    case AfxSig_v_DRAWITEM:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_MEASUREITEM:
        (this->*tw::mfc::PmfCast<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(pfn))(
            reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    default:
        return FALSE;
    }
    *pResult = lResult;
    return TRUE;
}

// A command of a disabled item is not carried out, whatever sent it.
namespace tw::mfc::wnd_detail {
class EnabledProbe : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL m_bEnabled = TRUE;
};
}  // namespace tw::mfc::wnd_detail

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndCtrl) {
        if (nID == 0)
            return FALSE;
        wnd_detail::EnabledProbe probe;
        probe.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, nullptr);
        if (!probe.m_bEnabled)
            return FALSE;
        nCode = CN_COMMAND;
    } else {
        if (CurrentThreadState().hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    const UINT nID = static_cast<UINT>(::GetDlgCtrlID(hWndCtrl));
    const int nCode = static_cast<int>(pNMHDR->code);
    if (CurrentThreadState().hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, pNMHDR};
    return OnCmdMsg(nID, static_cast<int>(MAKELONG(nCode, WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
        const int nCode = HIWORD(wParam);
        if (!CWnd::OnCmdMsg(0, static_cast<int>(MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr))
            return FALSE;
        if (pResult)
            *pResult = 1;
        return TRUE;
    }
    case WM_NOTIFY: {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify{pResult, pNMHDR};
        return CWnd::OnCmdMsg(0, static_cast<int>(MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify,
                              nullptr);
    }
    default:
        break;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        AFX_CTLCOLOR ctl{m_hWnd, reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
        const AFX_MSGMAP_ENTRY* entry = FindWindowMessageEntry(WM_REFLECT_BASE + WM_CTLCOLOR);
        LRESULT lResult = 0;
        if (!entry || !DispatchWindowMessage(entry, WM_REFLECT_BASE + WM_CTLCOLOR, 0,
                                             reinterpret_cast<LPARAM>(&ctl), &lResult))
            return FALSE;
        // A reflected colour handler that answers no brush lets the parent decide.
        if (lResult == 0)
            return FALSE;
        if (pResult)
            *pResult = lResult;
        return TRUE;
    }
    return FALSE;
}

// A drag list reports to its parent; unless the parent handles the report
// itself, the list's own object gets it back.
BOOL CWnd::ReflectDragListMessage(UINT message, LPARAM lParam, LRESULT* pResult)
{
    static const UINT dragListMessage = ::RegisterWindowMessage(DRAGLISTMSGSTRING);
    const auto* pInfo = reinterpret_cast<const DRAGLISTINFO*>(lParam);
    if (message != dragListMessage || !pInfo)
        return FALSE;
    return ReflectLastMsg(pInfo->hWnd, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (!pWnd)
        return FALSE;
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = CurrentThreadState().lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
}

namespace tw::mfc::wnd_detail {
void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            if (CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild))
                AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        } else {
            ::SendMessage(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hWndChild))
            SendToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}
}  // namespace tw::mfc::wnd_detail

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    wnd_detail::SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
        const UINT nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (nID == 0 || LOWORD(nID) == 0xFFFF)
            continue;
        CWnd* pControl = FromHandle(hWndChild);
        state.m_pOther = pControl;
        state.m_nID = nID;

        // A control that updates itself through a reflected handler is left to it.
        if (CWnd* pPermanent = FromHandlePermanent(hWndChild)) {
            if (pPermanent->OnCmdMsg(0, static_cast<int>(MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE)), &state,
                                     nullptr))
                continue;
        }

        // Only push buttons are disabled for want of a handler: check boxes,
        // radio buttons, group boxes and other controls keep working.
        BOOL bDisableThis = bDisableIfNoHndler;
        if (bDisableThis) {
            if (!(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
                bDisableThis = FALSE;
            } else {
                const UINT style = static_cast<UINT>(::GetWindowLong(hWndChild, GWL_STYLE)) & 0x0F;
                if (style == BS_AUTOCHECKBOX || style == BS_AUTO3STATE || style == BS_GROUPBOX ||
                    style == BS_AUTORADIOBUTTON)
                    bDisableThis = FALSE;
            }
        }
        state.DoUpdate(pTarget, bDisableThis);
    }
}

// --- styles --------------------------------------------------------------------------------------

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE));
}

namespace tw::mfc::wnd_detail {
BOOL ModifyStyleAt(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLong(hWnd, nStyleOffset));
    const DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLong(hWnd, nStyleOffset, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}
}  // namespace tw::mfc::wnd_detail

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return wnd_detail::ModifyStyleAt(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return wnd_detail::ModifyStyleAt(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

// --- relations -----------------------------------------------------------------------------------

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, CWnd::GetSafeHwndOf(pWndNewParent)));
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    m_hWndOwner = CWnd::GetSafeHwndOf(pOwnerWnd);
}

CWnd* CWnd::GetParentOwner() const
{
    return FromHandle(wnd_detail::ParentOrOwner(m_hWnd));
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (!m_hWnd)
        return nullptr;
    HWND hWndTop = m_hWnd;
    for (HWND hWndNext; (hWndNext = wnd_detail::ParentOrOwner(hWndTop)) != nullptr;)
        hWndTop = hWndNext;
    return FromHandle(hWndTop);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (!m_hWnd)
        return nullptr;
    HWND hWndOwner = m_hWnd;
    for (HWND hWndNext; (hWndNext = ::GetWindow(hWndOwner, GW_OWNER)) != nullptr;)
        hWndOwner = hWndNext;
    return FromHandle(hWndOwner);
}

CWnd* CWnd::FindParentFrameWnd() const
{
    for (CWnd* pParent = GetParent(); pParent; pParent = pParent->GetParent()) {
        if (pParent->IsFrameWnd())
            return pParent;
    }
    return nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const
{
    return dynamic_cast<CFrameWnd*>(FindParentFrameWnd());
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    const CWnd* pFrame = IsFrameWnd() ? this : FindParentFrameWnd();
    if (!pFrame)
        return nullptr;
    while (CWnd* pOuter = pFrame->FindParentFrameWnd())
        pFrame = pOuter;
    return dynamic_cast<CFrameWnd*>(const_cast<CWnd*>(pFrame));
}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLong(m_hWnd, GWL_ID, nID));
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::GetTopWindow() const
{
    return FromHandle(::GetTopWindow(m_hWnd));
}

CWnd* CWnd::GetNextWindow(UINT nFlag) const
{
    return FromHandle(::GetNextWindow(m_hWnd, nFlag));
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, CWnd::GetSafeHwndOf(pWndCtl), bPrevious));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, CWnd::GetSafeHwndOf(pWndCtl), bPrevious));
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return ::IsChild(m_hWnd, CWnd::GetSafeHwndOf(pWnd));
}

CWnd* PASCAL CWnd::GetDesktopWindow()
{
    return FromHandle(::GetDesktopWindow());
}

CWnd* PASCAL CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
{
    return FromHandle(::FindWindow(lpszClassName, lpszWindowName));
}

// --- text ------------------------------------------------------------------------------------------

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    ::SetWindowText(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    const int nLen = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLength(m_hWnd);
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
    ::SetDlgItemText(m_hWnd, nID, lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
    if (!hWndItem)
        return 0;
    FromHandle(hWndItem)->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(CGdiObject::GetSafeHandleOf(pFont)), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)));
}

// --- position and size ------------------------------------------------------------------------------

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, CWnd::GetSafeHwndOf(pwndTo), lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, CWnd::GetSafeHwndOf(pwndTo), reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    HWND hWndInsertAfter = pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr;
    return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    const DWORD dwStyle = GetStyle();
    HWND hWndCenter = CWnd::GetSafeHwndOf(pAlternateOwner);
    if (!pAlternateOwner) {
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndCenter) {
            // The owner may name another window to center on.
            if (HWND hWndTemp = reinterpret_cast<HWND>(::SendMessage(hWndCenter, WM_QUERYCENTERWND, 0, 0)))
                hWndCenter = hWndTemp;
        }
    }

    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (!(dwStyle & WS_CHILD)) {
        // Never center on a hidden or minimized window: use the work area.
        if (hWndCenter) {
            const DWORD centerStyle = static_cast<DWORD>(::GetWindowLong(hWndCenter, GWL_STYLE));
            if (!(centerStyle & WS_VISIBLE) || (centerStyle & WS_MINIMIZE))
                hWndCenter = nullptr;
        }
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (!hWndCenter) {
            HWND hWndDefault = CWnd::GetSafeHwndOf(AfxGetMainWnd());
            ::GetMonitorInfo(::MonitorFromWindow(hWndDefault, MONITOR_DEFAULTTOPRIMARY), &mi);
            rcCenter = mi.rcWork;
        } else {
            ::GetWindowRect(hWndCenter, &rcCenter);
            ::GetMonitorInfo(::MonitorFromWindow(hWndCenter, MONITOR_DEFAULTTONEAREST), &mi);
        }
        rcArea = mi.rcWork;
    } else {
        HWND hWndParent = ::GetParent(m_hWnd);
        if (!hWndCenter)
            hWndCenter = hWndParent;
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
    }

    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    return ::SetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::IsZoomed() const
{
    return ::IsZoomed(m_hWnd);
}

void CWnd::BringWindowToTop()
{
    ::BringWindowToTop(m_hWnd);
}

// --- painting --------------------------------------------------------------------------------------

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    ::ValidateRect(m_hWnd, lpRect);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, static_cast<HRGN>(CGdiObject::GetSafeHandleOf(prgnUpdate)), flags);
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    ::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0);
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase)
{
    return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, CDC::GetSafeHdcOf(pDC));
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
    ::EndPaint(m_hWnd, lpPaint);
}

BOOL CWnd::LockWindowUpdate()
{
    return ::LockWindowUpdate(m_hWnd);
}

void CWnd::UnlockWindowUpdate()
{
    ::LockWindowUpdate(nullptr);
}

// --- focus, capture, timers ------------------------------------------------------------------------

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* PASCAL CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* PASCAL CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

CWnd* CWnd::SetActiveWindow()
{
    return FromHandle(::SetActiveWindow(m_hWnd));
}

CWnd* PASCAL CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}

BOOL CWnd::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}

CWnd* PASCAL CWnd::GetForegroundWindow()
{
    return FromHandle(::GetForegroundWindow());
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

// --- scroll bars --------------------------------------------------------------------------------------

// A window whose bar is a scroll-bar control of its own (GetScrollBarCtrl)
// has these calls act on that control, as its SB_CTL bar.
namespace tw::mfc::scrollbar_detail {

struct BarTarget {
    HWND hWnd;
    int nBar;
};

BarTarget TargetOf(const CWnd* pWnd, int nBar)
{
    CScrollBar* pBar = (nBar == SB_HORZ || nBar == SB_VERT) ? pWnd->GetScrollBarCtrl(nBar) : nullptr;
    return pBar ? BarTarget{pBar->m_hWnd, SB_CTL} : BarTarget{pWnd->m_hWnd, nBar};
}

}  // namespace tw::mfc::scrollbar_detail

namespace scrollbar_detail = tw::mfc::scrollbar_detail;

CScrollBar* CWnd::GetScrollBarCtrl(int) const
{
    return nullptr;
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    const auto target = scrollbar_detail::TargetOf(this, nBar);
    return ::SetScrollPos(target.hWnd, target.nBar, nPos, bRedraw);
}

int CWnd::GetScrollPos(int nBar) const
{
    const auto target = scrollbar_detail::TargetOf(this, nBar);
    return ::GetScrollPos(target.hWnd, target.nBar);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    const auto target = scrollbar_detail::TargetOf(this, nBar);
    ::SetScrollRange(target.hWnd, target.nBar, nMinPos, nMaxPos, bRedraw);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    const auto target = scrollbar_detail::TargetOf(this, nBar);
    ::SetScrollInfo(target.hWnd, target.nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    const auto target = scrollbar_detail::TargetOf(this, nBar);
    return ::GetScrollInfo(target.hWnd, target.nBar, lpScrollInfo);
}

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    if (nBar == SB_BOTH) {
        EnableScrollBarCtrl(SB_HORZ, bEnable);
        EnableScrollBarCtrl(SB_VERT, bEnable);
        return;
    }
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar)) {
        pBar->EnableWindow(bEnable);
        return;
    }
    ShowScrollBar(static_cast<UINT>(nBar), bEnable);
}

// The window rectangle that gives this client rectangle, from the window's own
// styles; adjustBorder leaves a client edge out, adjustOutside adds the room
// of the scroll bars the window shows.
void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    const DWORD dwStyle = GetStyle();
    ::AdjustWindowRectEx(lpClientRect, dwStyle, FALSE, dwExStyle);
    if (nAdjustType != adjustOutside)
        return;
    if (dwStyle & WS_VSCROLL)
        lpClientRect->right += ::GetSystemMetrics(SM_CXVSCROLL);
    if (dwStyle & WS_HSCROLL)
        lpClientRect->bottom += ::GetSystemMetrics(SM_CYHSCROLL);
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (!lpszCaption)
        lpszCaption = AfxGetAppName();
    return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

void CWnd::PrepareForHelp()
{
    // Help mode ends, and every tracking loop of this window's tree lets go,
    // as before a help window would take the foreground.
    CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(this) : GetParentFrame();
    if (pFrame)
        pFrame->ExitHelpMode();
    SendMessage(WM_CANCELMODE);
    SendMessageToDescendants(WM_CANCELMODE, 0, 0, TRUE, TRUE);
    CWnd* pTop = GetTopLevelParent();
    if (pTop && pTop != this) {
        pTop->SendMessage(WM_CANCELMODE);
        pTop->SendMessageToDescendants(WM_CANCELMODE, 0, 0, TRUE, TRUE);
    }
    if (HWND hCapture = ::GetCapture())
        ::SendMessage(hCapture, WM_CANCELMODE, 0, 0);
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWinApp* pApp = AfxGetApp();
    CWaitCursor wait;
    PrepareForHelp();
    HWND hTop = CWnd::GetSafeHwndOf(GetTopLevelParent());
    if (!::WinHelp(hTop ? hTop : m_hWnd, pApp ? pApp->m_pszHelpFilePath : nullptr, nCmd, dwData))
        tw::mfc::ReportHelpUnavailable();
}

void CWnd::HtmlHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWinApp* pApp = AfxGetApp();
    CWaitCursor wait;
    PrepareForHelp();
    HWND hTop = CWnd::GetSafeHwndOf(GetTopLevelParent());
    if (!::HtmlHelp(hTop ? hTop : m_hWnd, pApp ? pApp->m_pszHelpFilePath : nullptr, nCmd, dwData) &&
        nCmd != HH_CLOSE_ALL)
        tw::mfc::ReportHelpUnavailable();
}

// --- default handlers -----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_PARENTNOTIFY()
    ON_WM_DELETEITEM()
    ON_WM_COMPAREITEM()
    ON_WM_VKEYTOITEM()
    ON_WM_CHARTOITEM()
END_MESSAGE_MAP()

void CWnd::OnNcDestroy()
{
    if (m_nFlags & WF_TOOLTIPS)
        EnableToolTips(FALSE);
    if (CWinThread* pThread = AfxGetThread()) {
        if (pThread->m_pMainWnd == this) {
            // The main window's end is the thread's end.
            ::PostQuitMessage(0);
            pThread->m_pMainWnd = nullptr;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = nullptr;
    }
    Default();
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd && pWnd->SendChildNotifyLastMsg(&lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && reinterpret_cast<CWnd*>(pScrollBar)->SendChildNotifyLastMsg())
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && reinterpret_cast<CWnd*>(pScrollBar)->SendChildNotifyLastMsg())
        return;
    Default();
}

// Menu items have no control to hand the message to; a control with id 0
// (a list view's header) has.
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU && ReflectLastMsg(::GetDlgItem(m_hWnd, nIDCtl)))
        return;
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
        ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return;
    Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult = 0;
    if (pListBox && reinterpret_cast<CWnd*>(pListBox)->SendChildNotifyLastMsg(&lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult = 0;
    if (pListBox && reinterpret_cast<CWnd*>(pListBox)->SendChildNotifyLastMsg(&lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

BOOL CWnd::OnNcCreate(LPCREATESTRUCT)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnDestroy() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnClose() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnCancelMode() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
