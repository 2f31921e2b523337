// A font entry of the font combo boxes: face, script and the font's kind.
#pragma once

#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"
#include "platform/win32/user/winuser.h"

class CKtvPFontDesc : public CObject {
public:
    CKtvPFontDesc(LPCTSTR lpszName, LPCTSTR lpszScript, int nType, BYTE nCharSet, BYTE nPitchAndFamily);
    ~CKtvPFontDesc() override;

    // The face, followed by " (script)" when the script is not empty.
    CString GetFullName() const;

    CString m_strName;
    CString m_strScript;
    int m_nType;  // DEVICE_FONTTYPE, RASTER_FONTTYPE or TRUETYPE_FONTTYPE
    BYTE m_nCharSet;
    BYTE m_nPitchAndFamily;
};
