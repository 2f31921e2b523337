#include "ui/controls/KtvPDateTimeCtrl.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNAMIC(CKtvPDateTimeCtrl, CButton)

BEGIN_MESSAGE_MAP(CKtvPDateTimeCtrl, CButton)
END_MESSAGE_MAP()

CKtvPDateTimeCtrl::CKtvPDateTimeCtrl() {}
CKtvPDateTimeCtrl::~CKtvPDateTimeCtrl() = default;
void CKtvPDateTimeCtrl::SetDate(const COleDateTime&) { KTVP_NOT_BUILT("CKtvPDateTimeCtrl::SetDate"); }
void CKtvPDateTimeCtrl::OnCalendarClosed() { KTVP_NOT_BUILT("CKtvPDateTimeCtrl::OnCalendarClosed"); }
void CKtvPDateTimeCtrl::OnDateChanged() {}
void CKtvPDateTimeCtrl::OnShowCalendarPopup() {}
void CKtvPDateTimeCtrl::OnCloseUp() {}
