#include "ui/frames/KtvRegPath.h"

#include <mutex>

namespace ktvregpath_detail {

struct RegistryNames {
    std::mutex mutex;
    CString strRegistryKey;
    CString strProfileName;
};

RegistryNames& Names()
{
    static RegistryNames names;
    return names;
}

}  // namespace ktvregpath_detail

void KtvSetRegistryNames(LPCTSTR lpszRegistryKey, LPCTSTR lpszProfileName)
{
    auto& names = ktvregpath_detail::Names();
    std::lock_guard lock(names.mutex);
    names.strRegistryKey = lpszRegistryKey;
    names.strProfileName = lpszProfileName;
}

CString KtvGetRegPath(LPCTSTR lpszSection, LPCTSTR lpszProfile)
{
    if (lpszProfile != nullptr && *lpszProfile != '\0')
        return CString(lpszProfile);

    auto& names = ktvregpath_detail::Names();
    std::lock_guard lock(names.mutex);
    CString strPath("SOFTWARE\\");
    if (!names.strRegistryKey.IsEmpty())
        strPath += names.strRegistryKey + "\\";
    strPath += names.strProfileName + "\\" + lpszSection + "\\";
    return strPath;
}

void KtvGetRegPath(CString& strPath, LPCTSTR lpszSection, LPCTSTR lpszProfile)
{
    strPath = KtvGetRegPath(lpszSection, lpszProfile);
}
