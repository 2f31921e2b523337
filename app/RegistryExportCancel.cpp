#include "app/RegistryExportCancel.h"

#include <atomic>

namespace regcancel_detail {
std::atomic<CRegistryExportCancel*> g_pInstalled{nullptr};
}

CRegistryExportCancel* CRegistryExportCancel::Install(CRegistryExportCancel* pCancel)
{
    return regcancel_detail::g_pInstalled.exchange(pCancel);
}

CRegistryExportCancel* CRegistryExportCancel::Installed()
{
    return regcancel_detail::g_pInstalled.load();
}
