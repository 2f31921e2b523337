#include "platform/mfc/CPrintDialog.h"

#include <cstring>
#include <mutex>

#include "platform/win32/kernel/GlobalMemory.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

namespace tw::mfc::printdlg_detail {

// The application's printer: DEVMODE and DEVNAMES blocks, NULL until the
// first print or setup.
struct AppPrinter {
    // The global memory table is made first, so it outlives this and the
    // blocks are given back at exit.
    AppPrinter() { ::GlobalFree(::GlobalAlloc(GMEM_FIXED, 1)); }
    ~AppPrinter()
    {
        ::GlobalFree(devMode);
        ::GlobalFree(devNames);
    }
    std::mutex lock;
    HGLOBAL devMode = nullptr;
    HGLOBAL devNames = nullptr;
};

AppPrinter& TheAppPrinter()
{
    static AppPrinter printer;
    return printer;
}

HGLOBAL CopyBlock(HGLOBAL source)
{
    const SIZE_T size = source ? ::GlobalSize(source) : 0;
    if (!size)
        return nullptr;
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    void* to = copy ? ::GlobalLock(copy) : nullptr;
    const void* from = to ? ::GlobalLock(source) : nullptr;
    if (!from) {
        if (to)
            ::GlobalUnlock(copy);
        return copy ? ::GlobalFree(copy), nullptr : nullptr;
    }
    std::memcpy(to, from, size);
    ::GlobalUnlock(source);
    ::GlobalUnlock(copy);
    return copy;
}

}  // namespace tw::mfc::printdlg_detail

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
    m_pd.lpfnPrintHook = &CCommonDialog::HookProc;
    m_pd.lpfnSetupHook = &CCommonDialog::HookProc;
    m_pd.Flags |= bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC;
    m_pd.nCopies = 1;
    m_pd.nFromPage = m_pd.nToPage = 1;
    m_pd.nMinPage = m_pd.nMaxPage = 1;
}

CPrintDialog::~CPrintDialog()
{
    for (HGLOBAL block : {m_pd.hDevMode, m_pd.hDevNames}) {
        if (block)
            ::GlobalFree(block);
    }
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = PreModal();
    const BOOL bResult = ::PrintDlg(&m_pd);
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    m_pd.Flags |= PD_RETURNDEFAULT;
    const BOOL bResult = ::PrintDlg(&m_pd);
    m_pd.Flags &= ~PD_RETURNDEFAULT;
    return bResult;
}

HDC CPrintDialog::CreatePrinterDC()
{
    LPDEVMODE mode = GetDevMode();
    const CString device = GetDeviceName();
    m_pd.hDC = device.IsEmpty() ? nullptr : ::CreateDC(GetDriverName(), device, nullptr, mode);
    if (mode)
        ::GlobalUnlock(m_pd.hDevMode);
    return m_pd.hDC;
}

LPDEVMODE CPrintDialog::GetDevMode() const
{
    return m_pd.hDevMode ? static_cast<LPDEVMODE>(::GlobalLock(m_pd.hDevMode)) : nullptr;
}

CString CPrintDialog::DevNamesField(WORD DEVNAMES::*field) const
{
    const SIZE_T size = m_pd.hDevNames ? ::GlobalSize(m_pd.hDevNames) : 0;
    const auto* bytes = size >= sizeof(DEVNAMES) ? static_cast<const char*>(::GlobalLock(m_pd.hDevNames)) : nullptr;
    if (!bytes)
        return CString();
    const WORD offset = reinterpret_cast<const DEVNAMES*>(bytes)->*field;
    // A name must lie inside the block, NUL included.
    CString name;
    if (offset < size)
        name = CString(bytes + offset, static_cast<int>(strnlen(bytes + offset, size - offset)));
    ::GlobalUnlock(m_pd.hDevNames);
    return name;
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesField(&DEVNAMES::wDriverOffset);
}

CString CPrintDialog::GetDeviceName() const
{
    return DevNamesField(&DEVNAMES::wDeviceOffset);
}

CString CPrintDialog::GetPortName() const
{
    return DevNamesField(&DEVNAMES::wOutputOffset);
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.Flags & PD_USEDEVMODECOPIES) {
        LPDEVMODE mode = GetDevMode();
        if (mode) {
            const int copies = mode->dmCopies;
            ::GlobalUnlock(m_pd.hDevMode);
            return copies;
        }
    }
    return m_pd.nCopies;
}

BOOL CPrintDialog::GetAppPrinterDefaults(PRINTDLG* pd)
{
    for (HGLOBAL* block : {&pd->hDevMode, &pd->hDevNames}) {
        if (*block)
            ::GlobalFree(*block);
        *block = nullptr;
    }
    auto& printer = tw::mfc::printdlg_detail::TheAppPrinter();
    {
        std::lock_guard guard(printer.lock);
        if (printer.devNames) {
            pd->hDevMode = tw::mfc::printdlg_detail::CopyBlock(printer.devMode);
            pd->hDevNames = tw::mfc::printdlg_detail::CopyBlock(printer.devNames);
            return pd->hDevNames != nullptr;
        }
    }
    PRINTDLG defaults{};
    defaults.lStructSize = sizeof defaults;
    defaults.Flags = PD_RETURNDEFAULT;
    if (!::PrintDlg(&defaults))
        return FALSE;
    SetAppPrinter(defaults);
    pd->hDevMode = defaults.hDevMode;
    pd->hDevNames = defaults.hDevNames;
    return TRUE;
}

void CPrintDialog::SetAppPrinter(const PRINTDLG& pd)
{
    HGLOBAL mode = tw::mfc::printdlg_detail::CopyBlock(pd.hDevMode);
    HGLOBAL names = tw::mfc::printdlg_detail::CopyBlock(pd.hDevNames);
    auto& printer = tw::mfc::printdlg_detail::TheAppPrinter();
    std::lock_guard guard(printer.lock);
    ::GlobalFree(printer.devMode);
    ::GlobalFree(printer.devNames);
    printer.devMode = mode;
    printer.devNames = names;
}
