#include "ui/docking/KtvPRecentDockInfo.h"

#include "platform/mfc/afxbarcodes.h"
#include "ui/frames/KtvPNotBuilt.h"

CKtvPRecentLayoutRecord::CKtvPRecentLayoutRecord()
    : m_pLayoutNode(nullptr), m_nBarPercent(50), m_bWasLeftPart(TRUE), m_pTabbedBarNode(nullptr)
{
    Init();
}

CKtvPRecentLayoutRecord::~CKtvPRecentLayoutRecord() = default;

void CKtvPRecentLayoutRecord::Init()
{
    m_pLayoutNode = nullptr;
    m_rectBar.SetRect(0, 0, 30, 30);
    m_nBarPercent = 50;
    m_bWasLeftPart = TRUE;
    m_pTabbedBarNode = nullptr;
}

void CKtvPRecentLayoutRecord::Store(CKtvPBarContainer*, CKtvPDockingControlBar*, CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPRecentLayoutRecord::Store");
}

void CKtvPRecentLayoutRecord::Assign(const CKtvPRecentLayoutRecord&)
{
    KTVP_NOT_BUILT("CKtvPRecentLayoutRecord::Assign");
}

CKtvPRecentDockInfo::CKtvPRecentDockInfo(CKtvPControlBar* pOwnerBar)
    : m_dwLastAlignment(CBRS_ALIGN_LEFT),
      m_nLastRowIndex(0),
      m_pLastDockBar(nullptr),
      m_pLastRow(nullptr),
      m_hLastDefaultSlider(nullptr),
      m_hLastMiniFrame(nullptr),
      m_pOwnerBar(pOwnerBar)
{
    Init();
}

CKtvPRecentDockInfo::~CKtvPRecentDockInfo() = default;

void CKtvPRecentDockInfo::Init()
{
    m_rectLastFloat.SetRect(10, 10, 110, 110);
    m_dwLastAlignment = CBRS_ALIGN_LEFT;
    m_nLastRowIndex = 0;
    m_pLastDockBar = nullptr;
    m_pLastRow = nullptr;
    m_hLastDefaultSlider = nullptr;
    m_hLastMiniFrame = nullptr;
}

void CKtvPRecentDockInfo::StoreLayoutPlace(CKtvPBarContainer*, CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPRecentDockInfo::StoreLayoutPlace");
}

void CKtvPRecentDockInfo::CopyPart(BOOL, const CKtvPRecentDockInfo&)
{
    KTVP_NOT_BUILT("CKtvPRecentDockInfo::CopyPart");
}

void CKtvPRecentDockInfo::SetSiblingWnds(const CList<HWND, HWND>&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPRecentDockInfo::SetSiblingWnds");
}

CKtvPSlider* CKtvPRecentDockInfo::GetLastDefaultSlider() const
{
    KTVP_NOT_BUILT("CKtvPRecentDockInfo::GetLastDefaultSlider");
}
