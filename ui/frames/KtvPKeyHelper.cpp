#include "ui/frames/KtvPKeyHelper.h"

#include "ui/frames/KtvPNotBuilt.h"

CKtvPKeyHelper::CKtvPKeyHelper(LPACCEL lpAccel) : m_lpAccel(lpAccel) {}

CKtvPKeyHelper::~CKtvPKeyHelper() = default;

void CKtvPKeyHelper::Format(CString&) const
{
    KTVP_NOT_BUILT("CKtvPKeyHelper::Format");
}

void CKtvPKeyHelper::AddVirtKeyStr(CString&, UINT, BOOL) const
{
    KTVP_NOT_BUILT("CKtvPKeyHelper::AddVirtKeyStr");
}
