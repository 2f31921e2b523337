// The rebar control.
#pragma once

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CWnd.h"

class CReBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CReBarCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    UINT GetBandCount() const;
    BOOL GetBandInfo(UINT uBand, REBARBANDINFO* prbbi) const;
    BOOL SetBandInfo(UINT uBand, REBARBANDINFO* prbbi);
    BOOL InsertBand(UINT uIndex, REBARBANDINFO* prbbi);
    BOOL DeleteBand(UINT uBand);
    BOOL MoveBand(UINT uFrom, UINT uTo);
    BOOL ShowBand(UINT uBand, BOOL fShow = TRUE);
    int IDToIndex(UINT uBandID) const;
    void GetRect(UINT uBand, LPRECT prc) const;
    UINT GetRowCount() const;
    UINT GetRowHeight(UINT uRow) const;
    UINT GetBarHeight() const;
    BOOL GetBarInfo(REBARINFO* prbi) const;
    BOOL SetBarInfo(REBARINFO* prbi);
    // The window that gets the rebar's notifications; the previous one.
    CWnd* SetOwner(CWnd* pWnd);
};
