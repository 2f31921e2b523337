#include "ui/frames/KtvPRebarState.h"

#include <vector>

#include "platform/comctl/Rebar.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/commandbars/KtvPTabbedToolbar.h"
#include "ui/frames/KtvPRegistryFactory.h"

namespace {

// What is kept of a band: style, child sizes, size, id, ideal size and header.
constexpr UINT kStoredBandMask =
    RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE | RBBIM_HEADERSIZE;
// A fixed-size band reports its minimum child width 4 narrower than it is stored.
constexpr UINT kFixedSizeExtraWidth = 4;

CKtvPReBar* LibraryRebar(HWND hwnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hwnd);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPReBar)) ? static_cast<CKtvPReBar*>(pWnd) : nullptr;
}

CString RebarKey(LPCTSTR lpszProfileName, HWND hwndRebar)
{
    CString strKey;
    strKey.Format("%sKtvRebar-%ld", lpszProfileName, static_cast<long>(::GetDlgCtrlID(hwndRebar)));
    return strKey;
}

int BandCount(HWND hwndRebar)
{
    return static_cast<int>(::SendMessage(hwndRebar, RB_GETBANDCOUNT, 0, 0));
}

// The control id of the child of a band; 0 when it has none.
DWORD BandChildId(HWND hwndRebar, int nBand)
{
    REBARBANDINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_CHILD;
    if (!::SendMessage(hwndRebar, RB_GETBANDINFO, static_cast<WPARAM>(nBand), reinterpret_cast<LPARAM>(&info)) ||
        info.hwndChild == nullptr)
        return 0;
    return static_cast<DWORD>(::GetDlgCtrlID(info.hwndChild));
}

DWORD ReadId(const BYTE* pIds, int nIndex)
{
    const BYTE* p = pIds + nIndex * 4;
    return static_cast<DWORD>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24));
}

void WriteId(BYTE* pIds, int nIndex, DWORD dwId)
{
    BYTE* p = pIds + nIndex * 4;
    for (int i = 0; i < 4; i++)
        p[i] = static_cast<BYTE>(dwId >> (8 * i));
}

struct RebarWalk {
    LPCTSTR lpszProfileName;
};

}  // namespace

namespace {

BOOL WalkFrame(LPCTSTR lpszProfileName, CFrameWnd* pFrame, WNDENUMPROC lpfnStep)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return FALSE;
    RebarWalk walk{lpszProfileName != nullptr ? lpszProfileName : ""};
    ::EnumChildWindows(pFrame->GetSafeHwnd(), lpfnStep, reinterpret_cast<LPARAM>(&walk));
    return TRUE;
}

}  // namespace

BOOL CKtvPRebarState::LoadRebarState(LPCTSTR lpszProfileName, CFrameWnd* pFrame)
{
    return WalkFrame(lpszProfileName, pFrame, LoadRebarStateProc);
}

BOOL CKtvPRebarState::SaveRebarState(LPCTSTR lpszProfileName, CFrameWnd* pFrame)
{
    return WalkFrame(lpszProfileName, pFrame, SaveRebarStateProc);
}

// A rebar without stored state, or with state that does not fit its bands,
// keeps its layout; the walk goes on to the next one either way.
BOOL CALLBACK CKtvPRebarState::LoadRebarStateProc(HWND hwnd, LPARAM lParam)
{
    if (LibraryRebar(hwnd) == nullptr)
        return TRUE;
    const auto* pWalk = reinterpret_cast<const RebarWalk*>(lParam);

    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(RebarKey(pWalk->lpszProfileName, hwnd)))
        return TRUE;

    BYTE* pRecords = nullptr;
    UINT nRecordBytes = 0;
    BYTE* pIds = nullptr;
    UINT nIdBytes = 0;
    const BOOL bRead = reg.Read("RBI", &pRecords, &nRecordBytes) && reg.Read("IDs", &pIds, &nIdBytes);
    const int nCount = static_cast<int>(nIdBytes / 4);
    // Every id needs its whole record: a shorter "RBI" is a damaged value.
    if (bRead && nCount > 0 && nIdBytes == static_cast<UINT>(nCount) * 4 &&
        nRecordBytes == static_cast<UINT>(nCount) * tw::comctl::kStoredBandInfoSize && BandCount(hwnd) == nCount) {
        for (int i = 0; i < nCount; i++) {
            int nFound = -1;
            for (int j = i; j < nCount && nFound < 0; j++) {
                if (BandChildId(hwnd, j) == ReadId(pIds, i))
                    nFound = j;
            }
            if (nFound < 0)
                continue;
            if (nFound != i)
                ::SendMessage(hwnd, RB_MOVEBAND, static_cast<WPARAM>(nFound), static_cast<LPARAM>(i));

            REBARBANDINFO info{};
            if (!tw::comctl::LoadBandInfo(pRecords + i * tw::comctl::kStoredBandInfoSize,
                                          tw::comctl::kStoredBandInfoSize, &info))
                continue;
            // Only the fields that were stored, never a child, text or pointer.
            info.cbSize = sizeof(REBARBANDINFO);
            info.fMask = kStoredBandMask;
            ::SendMessage(hwnd, RB_SETBANDINFO, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        }
    }
    delete[] pRecords;
    delete[] pIds;
    return TRUE;
}

BOOL CALLBACK CKtvPRebarState::SaveRebarStateProc(HWND hwnd, LPARAM lParam)
{
    if (LibraryRebar(hwnd) == nullptr)
        return TRUE;
    const auto* pWalk = reinterpret_cast<const RebarWalk*>(lParam);

    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(RebarKey(pWalk->lpszProfileName, hwnd)))
        return TRUE;

    const int nCount = BandCount(hwnd);
    if (nCount <= 0)
        return TRUE;

    std::vector<BYTE> records(static_cast<size_t>(nCount) * tw::comctl::kStoredBandInfoSize);
    std::vector<BYTE> ids(static_cast<size_t>(nCount) * 4);
    for (int i = 0; i < nCount; i++) {
        REBARBANDINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = kStoredBandMask | RBBIM_CHILD;
        ::SendMessage(hwnd, RB_GETBANDINFO, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        if (info.fStyle & RBBS_FIXEDSIZE)
            info.cxMinChild += kFixedSizeExtraWidth;
        WriteId(ids.data(), i, info.hwndChild != nullptr ? static_cast<DWORD>(::GetDlgCtrlID(info.hwndChild)) : 0);
        info.hwndChild = nullptr;
        info.fMask &= ~RBBIM_CHILD;

        BYTE record[tw::comctl::kStoredBandInfoSize];
        tw::comctl::StoreBandInfo(info, record);
        std::copy(record, record + tw::comctl::kStoredBandInfoSize, records.begin() + i * tw::comctl::kStoredBandInfoSize);
    }
    reg.Write("RBI", records.data(), static_cast<UINT>(records.size()));
    reg.Write("IDs", ids.data(), static_cast<UINT>(ids.size()));
    return TRUE;
}
