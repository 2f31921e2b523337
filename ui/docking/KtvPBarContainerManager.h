// The owner of one split layout of resizable docking bars: its tree of nodes,
// its bars and its inner sliders, with the layout operations: add, insert next
// to a bar, remove, merge another layout, lay out in a rectangle, move an inner
// slider and report its limits, store and load the tree.
#pragma once

#include "platform/mfc/CObList.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"

class CKtvPBarContainer;
class CKtvPBaseControlBar;
class CKtvPDockManager;
class CKtvPDockingControlBar;
class CKtvPSlider;
class CWnd;
struct CRuntimeClass;

class CKtvPBarContainerManager : public CObject {
public:
    CKtvPBarContainerManager();
    ~CKtvPBarContainerManager() override;

    // --- virtual operations, in slot order -----------------------------------------------------
    void Serialize(CArchive& ar) override;
    virtual BOOL Create(CWnd* pParentWnd, CKtvPSlider* pDefaultSlider, CRuntimeClass* pContainerRTC = nullptr);
    virtual BOOL AddContainerManagerToBar(CKtvPDockingControlBar* pTargetBar, DWORD dwAlignment,
                                          CKtvPBarContainerManager& srcManager, BOOL bCopy);
    virtual BOOL AddContainerManager(CKtvPBarContainerManager& srcManager, BOOL bOuterEdge);
    virtual BOOL AddContainerManagerAsTabs(CKtvPDockingControlBar* pTargetBar,
                                           CKtvPBarContainerManager& srcManager);
    virtual void AddControlBar(CKtvPBaseControlBar* pBar);
    virtual CKtvPBaseControlBar* AddControlBarToRecentContainer(CKtvPBaseControlBar* pBarToAdd,
                                                                CKtvPBarContainer* pRecentContainer);
    virtual BOOL InsertControlBar(CKtvPBaseControlBar* pBarToInsert, CKtvPBaseControlBar* pTargetBar,
                                  DWORD dwAlignment);
    virtual void OnMoveInnerSlider(CKtvPSlider* pSlider, UINT nFlags, int nOffset, HDWP& hdwp);
    virtual void GetWindowRect(CRect& rect) const;
    virtual void GetAvailableSpace(CRect& rect) const;
    virtual BOOL RemoveControlBarFromContainer(CKtvPBaseControlBar* pBar);
    virtual void ResizeBarContainers(CRect rect, HDWP& hdwp);
    virtual void StretchBarContainers(int nType, BOOL bGrow, int nOffset, HDWP& hdwp);
    virtual BOOL ReplaceControlBar(CKtvPBaseControlBar* pBarOld, CKtvPBaseControlBar* pBarNew);
    virtual void GetMinMaxOffset(CKtvPSlider* pSlider, int& nMinOffset, int& nMaxOffset, int& nStep);
    virtual BOOL OnShowControlBar(CKtvPBaseControlBar* pBar, BOOL bShow);
    virtual BOOL IsRootContainerVisible() const;
    virtual void GetMinSize(CSize& size) const;
    virtual int GetVisibleBarCount() const;
    virtual void ShowCaptions(BOOL bShow);
    virtual void HideAll();
    virtual BOOL CanFloat() const;
    virtual BOOL AllowsInsertBefore() const;
    virtual CKtvPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                     BOOL& bIsTabArea, BOOL& bCaption);
    virtual BOOL CheckTitle(CPoint point, CWnd*& pBar) const;
    virtual CKtvPBaseControlBar* GetFirstBar() const;
    virtual CWnd* GetDockSite() const { return m_pDockSite; }
    virtual CKtvPBaseControlBar* GetFirstVisibleBar() const;
    virtual BOOL CanBeAttached() const;
    virtual void NotifySliderTracking(BOOL bTracking);
    virtual void RemoveSlider(CKtvPSlider* pSlider);
    virtual void StoreRecentDockInfo(CKtvPDockingControlBar* pBar);
    virtual CKtvPBarContainer* FindContainer(CKtvPBaseControlBar* pBar, BOOL& bLeftBar);

    // --- non-virtual operations ----------------------------------------------------------------
    CKtvPSlider* CreateSlider(CRect rectSlider, DWORD dwSliderStyle, int nSliderID = -1);
    BOOL IsEmpty() const { return m_lstControlBars.IsEmpty(); }
    int GetNodeCount() const;
    int GetTotalRefCount() const;
    void AddControlBarsToList(CObList* plstControlBars, CObList* plstSliders);
    void RemoveNonBars();
    BOOL CheckBarValid(CKtvPBaseControlBar* pBar);
    void RemoveInvalidBars();
    void OnRootEmpty();

    CKtvPBarContainer* GetRootContainer() const { return m_pRootContainer; }
    CKtvPSlider* GetDefaultSlider() const { return m_pDefaultSlider; }
    const CObList& GetControlBars() const { return m_lstControlBars; }
    const CObList& GetSliders() const { return m_lstSliders; }
    void SetDestroyRootContainer(BOOL bDestroy) { m_bDestroyRootContainer = bDestroy; }

    // The bar leaves the list; its siblings are remembered for its way back.
    void ForgetBar(CKtvPBaseControlBar* pBar);

    // The id the next inner slider gets.
    static int m_nNextSliderID;

protected:
    CKtvPBarContainer* NewNode();
    void RecreateSlider(CKtvPBarContainer* pNode);
    BOOL PlaceNodeNextToBar(CKtvPBarContainer* pTree, CKtvPDockingControlBar* pTarget, DWORD dwAlignment);
    CKtvPBarContainer* SplitTargetRect(CKtvPDockingControlBar* pTarget, CSize sizeNew, DWORD dwAlignment,
                                       CKtvPDockingControlBar* pNewBar, CKtvPBarContainer* pNewTree);
    CKtvPDockManager* LoadingDockManager() const;
    static BOOL IsTablessTabbedBar(const CKtvPBaseControlBar* pBar);

    CObList m_lstControlBars;
    CObList m_lstSliders;
    CKtvPBarContainer* m_pRootContainer;
    CRuntimeClass* m_pContainerRTC;
    CKtvPSlider* m_pDefaultSlider;
    BOOL m_bDestroyRootContainer;
    CWnd* m_pDockSite;

    friend class CKtvPBarContainer;
};
