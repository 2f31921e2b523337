// The settings path every library state key is built on:
// "SOFTWARE\<registry key>\<profile name>\<section>\".
#pragma once

#include "platform/mfc/CString.h"

// A non-empty profile is returned unchanged (callers pass complete paths that
// way); otherwise the section's path, made of the running application's
// registry key and profile name (SetRegistryKey makes the profile name the
// application's name). The key and its backslash are left out while no key
// is set. The result of the section form ends in a backslash.
CString KtvGetRegPath(LPCTSTR lpszSection, LPCTSTR lpszProfile = nullptr);
// The same into an out-string, the form some callers use. All three
// arguments are required, so a two-argument call is never taken for it.
void KtvGetRegPath(CString& strPath, LPCTSTR lpszSection, LPCTSTR lpszProfile);
