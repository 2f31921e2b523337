#include "session/GoToDlg.h"

#include "platform/mfc/CDataExchange.h"

CGoToDlg::CGoToDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CGoToDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LINE, m_nLine);
    DDV_MinMaxInt(pDX, m_nLine, 0, kMaxLine);
}
