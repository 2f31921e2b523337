#include "platform/mfc/CFindReplaceDialog.h"

#include <map>
#include <mutex>

#include "platform/mfc/CWinThread.h"

IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

namespace tw::mfc::find_detail {

// The dialogs alive now, by the address of their request structure.
struct LiveDialogs {
    std::mutex lock;
    std::map<const FINDREPLACE*, CFindReplaceDialog*> requests;
};

LiveDialogs& Live()
{
    static LiveDialogs live;
    return live;
}

}  // namespace tw::mfc::find_detail

CFindReplaceDialog::CFindReplaceDialog() : CCommonDialog(nullptr)
{
    m_fr.lStructSize = sizeof m_fr;
    m_fr.Flags = FR_ENABLEHOOK;
    m_fr.lpfnHook = &CCommonDialog::HookProc;
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = sizeof m_szFindWhat;
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = sizeof m_szReplaceWith;
    auto& live = tw::mfc::find_detail::Live();
    std::lock_guard guard(live.lock);
    live.requests.emplace(&m_fr, this);
}

CFindReplaceDialog::~CFindReplaceDialog()
{
    auto& live = tw::mfc::find_detail::Live();
    std::lock_guard guard(live.lock);
    live.requests.erase(&m_fr);
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith, DWORD dwFlags,
                                CWnd* pParentWnd)
{
    m_fr.Flags = dwFlags | FR_ENABLEHOOK;
    m_fr.lpfnHook = &CCommonDialog::HookProc;
    CopyText(m_szFindWhat, sizeof m_szFindWhat, lpszFindWhat);
    CopyText(m_szReplaceWith, sizeof m_szReplaceWith, lpszReplaceWith);
    if (!pParentWnd)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    // The requests go to the owner itself, even a child window.
    m_fr.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;

    PreModal();
    HWND hWnd = bFindDialogOnly ? ::FindText(&m_fr) : ::ReplaceText(&m_fr);
    PostModal();
    return hWnd && m_hWnd == hWnd;
}

CFindReplaceDialog* PASCAL CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    const auto* request = reinterpret_cast<const FINDREPLACE*>(lParam);
    auto& live = tw::mfc::find_detail::Live();
    std::lock_guard guard(live.lock);
    const auto found = live.requests.find(request);
    return found == live.requests.end() ? nullptr : found->second;
}

CString CFindReplaceDialog::GetFindString() const
{
    return CString(m_fr.lpstrFindWhat);
}

CString CFindReplaceDialog::GetReplaceString() const
{
    return CString(m_fr.lpstrReplaceWith);
}

void CFindReplaceDialog::PostNcDestroy()
{
    delete this;
}
