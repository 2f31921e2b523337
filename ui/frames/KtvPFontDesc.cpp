#include "ui/frames/KtvPFontDesc.h"

CKtvPFontDesc::CKtvPFontDesc(LPCTSTR lpszName, LPCTSTR lpszScript, int nType, BYTE nCharSet, BYTE nPitchAndFamily)
    : m_strName(lpszName), m_strScript(lpszScript), m_nType(nType), m_nCharSet(nCharSet), m_nPitchAndFamily(nPitchAndFamily)
{
}

CKtvPFontDesc::~CKtvPFontDesc() = default;

CString CKtvPFontDesc::GetFullName() const
{
    if (m_strScript.IsEmpty())
        return m_strName;
    return m_strName + " (" + m_strScript + ")";
}
