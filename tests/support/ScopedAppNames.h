// Gives the test program's application object the names a program sets at
// start-up (its name, then SetRegistryKey) for one scope, and puts the old
// ones back after. Without an application object it makes one for the scope.
#pragma once

#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/mfc/CWinApp.h"

namespace tw::test {

class ScopedAppNames {
public:
    // A NULL registry key leaves SetRegistryKey uncalled.
    ScopedAppNames(LPCTSTR lpszAppName, LPCTSTR lpszRegistryKey)
    {
        if (AfxGetApp() == nullptr)
            owned_.emplace(lpszAppName);
        app_ = AfxGetApp();
        for (int i = 0; i < kFields; ++i) {
            saved_[i] = *Field(i);
            *Field(i) = nullptr;  // ownership moves to saved_
        }
        Replace(app_->m_pszAppName, lpszAppName);
        if (lpszRegistryKey != nullptr)
            app_->SetRegistryKey(lpszRegistryKey);
    }
    ~ScopedAppNames()
    {
        for (int i = 0; i < kFields; ++i) {
            std::free(const_cast<char*>(*Field(i)));
            *Field(i) = saved_[i];
        }
    }
    ScopedAppNames(const ScopedAppNames&) = delete;
    ScopedAppNames& operator=(const ScopedAppNames&) = delete;

    CWinApp& App() { return *app_; }

private:
    static constexpr int kFields = 3;
    LPCTSTR* Field(int i)
    {
        LPCTSTR* fields[kFields] = {&app_->m_pszAppName, &app_->m_pszRegistryKey, &app_->m_pszProfileName};
        return fields[i];
    }
    // The application's names are heap strings (strdup/free).
    static void Replace(LPCTSTR& field, LPCTSTR lpszValue)
    {
        std::free(const_cast<char*>(field));
        field = lpszValue ? ::strdup(lpszValue) : nullptr;
    }

    std::optional<CWinApp> owned_;
    CWinApp* app_ = nullptr;
    LPCTSTR saved_[kFields] = {};
};

}  // namespace tw::test
