#include "platform/mfc/CReBarCtrl.h"

IMPLEMENT_DYNAMIC(CReBarCtrl, CWnd)

BOOL CReBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    tw::InitCommonControls();
    return CWnd::Create(REBARCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID);
}

UINT CReBarCtrl::GetBandCount() const { return static_cast<UINT>(SendMessage(RB_GETBANDCOUNT)); }

BOOL CReBarCtrl::GetBandInfo(UINT uBand, REBARBANDINFO* prbbi) const
{
    return static_cast<BOOL>(SendMessage(RB_GETBANDINFO, uBand, reinterpret_cast<LPARAM>(prbbi)));
}

BOOL CReBarCtrl::SetBandInfo(UINT uBand, REBARBANDINFO* prbbi)
{
    return static_cast<BOOL>(SendMessage(RB_SETBANDINFO, uBand, reinterpret_cast<LPARAM>(prbbi)));
}

BOOL CReBarCtrl::InsertBand(UINT uIndex, REBARBANDINFO* prbbi)
{
    return static_cast<BOOL>(SendMessage(RB_INSERTBAND, uIndex, reinterpret_cast<LPARAM>(prbbi)));
}

BOOL CReBarCtrl::DeleteBand(UINT uBand) { return static_cast<BOOL>(SendMessage(RB_DELETEBAND, uBand)); }
BOOL CReBarCtrl::MoveBand(UINT uFrom, UINT uTo) { return static_cast<BOOL>(SendMessage(RB_MOVEBAND, uFrom, uTo)); }
BOOL CReBarCtrl::ShowBand(UINT uBand, BOOL fShow) { return static_cast<BOOL>(SendMessage(RB_SHOWBAND, uBand, fShow)); }
int CReBarCtrl::IDToIndex(UINT uBandID) const { return static_cast<int>(SendMessage(RB_IDTOINDEX, uBandID)); }
void CReBarCtrl::GetRect(UINT uBand, LPRECT prc) const { SendMessage(RB_GETRECT, uBand, reinterpret_cast<LPARAM>(prc)); }
UINT CReBarCtrl::GetRowCount() const { return static_cast<UINT>(SendMessage(RB_GETROWCOUNT)); }
UINT CReBarCtrl::GetRowHeight(UINT uRow) const { return static_cast<UINT>(SendMessage(RB_GETROWHEIGHT, uRow)); }
UINT CReBarCtrl::GetBarHeight() const { return static_cast<UINT>(SendMessage(RB_GETBARHEIGHT)); }

BOOL CReBarCtrl::GetBarInfo(REBARINFO* prbi) const
{
    return static_cast<BOOL>(SendMessage(RB_GETBARINFO, 0, reinterpret_cast<LPARAM>(prbi)));
}

BOOL CReBarCtrl::SetBarInfo(REBARINFO* prbi)
{
    return static_cast<BOOL>(SendMessage(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(prbi)));
}

CWnd* CReBarCtrl::SetOwner(CWnd* pWnd)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(RB_SETPARENT, reinterpret_cast<WPARAM>((pWnd ? pWnd->m_hWnd : nullptr)))));
}
