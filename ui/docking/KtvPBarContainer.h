// One node of the two-way split layout of resizable docking bars: its
// rectangle is split in two parts along a slider, each part a bar or a further
// node. Nodes are counted by the bars' recent dock information, so a bar that
// left can come back to the same place with the same share.
#pragma once

#include "platform/mfc/CList.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"

class CKtvPBarContainerManager;
class CKtvPBaseControlBar;
class CKtvPDockingControlBar;
class CKtvPSlider;
class CWnd;

class CKtvPBarContainer : public CObject {
    DECLARE_DYNAMIC(CKtvPBarContainer)
public:
    // What FindContainer looks for.
    enum BC_FIND_CRITERIA { BC_FIND_BY_LEFT_BAR = 0, BC_FIND_BY_RIGHT_BAR = 1, BC_FIND_BY_SLIDER = 2, BC_FIND_BY_CONTAINER = 3 };

    CKtvPBarContainer(CKtvPBarContainerManager* pManager = nullptr, CKtvPDockingControlBar* pLeftBar = nullptr,
                      CKtvPDockingControlBar* pRightBar = nullptr, CKtvPSlider* pSlider = nullptr);
    // Releases the tree below this node.
    ~CKtvPBarContainer() override;

    // --- virtual operations, in slot order -----------------------------------------------------
    void Serialize(CArchive& ar) override;
    virtual void GetWindowRect(CRect& rect, BOOL bIgnoreVisibility = FALSE) const;
    virtual void GetMinSize(CSize& size) const;
    virtual void GetMinSizeLeft(CSize& size) const;
    virtual void GetMinSizeRight(CSize& size) const;
    virtual int GetResizeStep() const;
    virtual void FillWithRemaining(CKtvPBaseControlBar* pBarToExclude, HDWP* pHdwp = nullptr);
    virtual void RemoveControlBar(CKtvPBaseControlBar* pBar);
    virtual void DeleteControlBar(CKtvPBaseControlBar* pBar, int nSide);
    virtual void StoreRecentDockInfo(CKtvPDockingControlBar* pBar);
    virtual void Move(int x, int y);

    // --- non-virtual operations ----------------------------------------------------------------
    void ResizeContainer(CRect rect, HDWP& hdwp, BOOL bRedraw = FALSE);
    int StretchContainer(int nOffset, BOOL bHorz, BOOL bLeftBar, BOOL bMoveSlider, HDWP& hdwp);
    int MoveInnerSlider(int nOffset);
    int ResizePart(int nOffset, BOOL bHorz, BOOL bLeftPart, HDWP& hdwp);
    int CalcAvailableSpace(CSize sizeStretch, BOOL bLeftBar) const;
    int CalcAvailablePartSpace(BOOL bHorz, BOOL bLeftPart) const;
    CKtvPBarContainer* AddRecentBar(CKtvPDockingControlBar* pBar);
    void AdjustParentSlider(int nOffset, HDWP& hdwp);
    void StoreRecentPercents();
    void CheckSliderVisibility();
    BOOL IsEmpty() const;
    BOOL IsLeftPartEmpty(BOOL bCheckVisibility = FALSE) const;
    BOOL IsRightPartEmpty(BOOL bCheckVisibility = FALSE) const;
    BOOL IsVisible() const;
    CKtvPBarContainer* FindContainer(const void* pObject, BC_FIND_CRITERIA findCriteria);
    void SetBar(CKtvPDockingControlBar* pBar, BOOL bLeft);
    void SetContainer(CKtvPBarContainer* pContainer, BOOL bLeft);
    void ReplaceBarByNode(CKtvPDockingControlBar* pTargetBar, CKtvPBarContainer* pNode);
    void AddRef();
    DWORD Release();
    void CollapseIfEmpty();
    void ReleaseEmptyContainers();
    void ReleaseTree();
    void CopyVisible(const CKtvPBarContainer& src, CKtvPBarContainerManager& manager);
    void SetManager(CKtvPBarContainerManager* pManager, BOOL bRecursive = TRUE);
    BOOL SetBarByID(UINT nID, CKtvPDockingControlBar* pBar);
    CKtvPDockingControlBar* FindBarByTabID(UINT nID);
    CList<UINT, UINT>* GetSiblingBarIDs(CKtvPDockingControlBar* pBar);
    int CountNodes() const;
    int GetTotalRefCount() const;
    void RemoveInvalidBars();
    BOOL IsSliderHorz() const;

    CKtvPDockingControlBar* m_pBarLeft;
    CKtvPDockingControlBar* m_pBarRight;
    CKtvPSlider* m_pSlider;
    CKtvPBarContainer* m_pLeftContainer;
    CKtvPBarContainer* m_pRightContainer;
    CKtvPBarContainer* m_pParentContainer;
    CKtvPBarContainerManager* m_pContainerManager;
    int m_nSavedPercent;
    BOOL m_bSavedSliderHorz;
    int m_dwRefCount;
    DWORD m_dwSavedSliderStyle;
    CRect m_rectSavedSlider;
    int m_nSavedLeftBarID;
    int m_nSavedRightBarID;
    int m_nSavedSliderID;
    CList<UINT, UINT> m_lstLeftBarTabIDs;
    CList<UINT, UINT> m_lstRightBarTabIDs;
    CRect m_rectSaved;
    DWORD m_dwReserved;

private:
    CWnd* DockSite() const;
    // In an auto-hide layout every part counts as visible.
    BOOL AllVisible() const;
    BOOL IsBarVisible(const CKtvPBaseControlBar* pBar) const;
    int SliderWidth() const;
    CRect PartRect(BOOL bLeft) const;
    int PartPercent(BOOL bLeft) const;
    void SetPartPercent(BOOL bLeft, int nPercent);
    void PartMinSize(BOOL bLeft, CSize& size) const;
    BOOL IsPartEmpty(BOOL bLeft, BOOL bCheckVisibility) const;
    void PlacePart(BOOL bLeft, const CRect& rect, HDWP& hdwp, BOOL bRedraw);
    void LayoutParts(const CRect& rect, int nLeftExtent, HDWP& hdwp, BOOL bRedraw);
    int CountVisibleBarsExcept(const CKtvPBaseControlBar* pExcluded) const;
    int CountParts() const;
    // The root, its direct children and the node of the default slider never collapse.
    BOOL IsRoot() const;
    void CollapseInto();
    void SerializeBarField(CArchive& ar, CKtvPDockingControlBar* pBar);
    void LoadBarField(CArchive& ar, int& nSavedID, CList<UINT, UINT>& lstTabIDs, CKtvPDockingControlBar*& pBar);
    CRect StoredRectInDockSite(CKtvPDockingControlBar* pBar) const;

    CKtvPBarContainer(const CKtvPBarContainer&) = delete;
    CKtvPBarContainer& operator=(const CKtvPBarContainer&) = delete;
};
