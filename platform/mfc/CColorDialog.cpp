#include "platform/mfc/CColorDialog.h"

#include <algorithm>
#include <mutex>

#include "platform/win32/gdi/wingdi.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

namespace tw::mfc::color_detail {

std::mutex& CustomColorsLock()
{
    static std::mutex lock;
    return lock;
}

}  // namespace tw::mfc::color_detail

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
    static COLORREF colors[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    };
    return colors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags | CC_ENABLEHOOK;
    m_cc.lpfnHook = &CCommonDialog::HookProc;
    if ((m_cc.rgbResult = clrInit) != 0)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = PreModal();
    COLORREF* shared = GetSavedCustomColors();
    const bool usesShared = m_cc.lpCustColors == shared;
    if (usesShared) {
        std::lock_guard guard(tw::mfc::color_detail::CustomColorsLock());
        std::copy(shared, shared + 16, m_custColors);
        m_cc.lpCustColors = m_custColors;
    }
    const BOOL bResult = ::ChooseColor(&m_cc);
    PostModal();
    if (usesShared) {
        std::lock_guard guard(tw::mfc::color_detail::CustomColorsLock());
        if (bResult)
            std::copy(m_custColors, m_custColors + 16, shared);
        m_cc.lpCustColors = shared;
    }
    return bResult ? IDOK : IDCANCEL;
}
