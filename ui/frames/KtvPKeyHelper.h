// The display text of one accelerator entry, such as "Ctrl+Shift+F5".
#pragma once

#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"
#include "platform/win32/menu/winmenu.h"

class CKtvPKeyHelper : public CObject {
public:
    // The entry is not owned.
    explicit CKtvPKeyHelper(LPACCEL lpAccel);
    ~CKtvPKeyHelper() override;

    void Format(CString& str) const;
    // Appends one key's name, then "+" unless it is the last.
    void AddVirtKeyStr(CString& str, UINT uiVirtKey, BOOL bLast = FALSE) const;

    LPACCEL m_lpAccel;
};
