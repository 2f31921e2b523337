// Where a control bar was last docked and where it last floated, so that a
// double click, a restored layout or a return from auto-hide puts it back.
// Each layout record holds a counted reference to the split-layout node that
// held the bar, so the node survives while the bar may still return to it.
#pragma once

#include "platform/mfc/CList.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"

class CKtvPBarContainer;
class CKtvPControlBar;
class CKtvPDockBar;
class CKtvPDockBarRow;
class CKtvPDockingControlBar;
class CKtvPSlider;

class CKtvPRecentLayoutRecord : public CObject {
public:
    CKtvPRecentLayoutRecord();
    // Frees the list only: the node references stay counted.
    ~CKtvPRecentLayoutRecord() override;

    virtual void Store(CKtvPBarContainer* pNode, CKtvPDockingControlBar* pBar,
                       CKtvPDockingControlBar* pTabbedBar);
    virtual void Assign(const CKtvPRecentLayoutRecord& src);

    void Init();

    CKtvPBarContainer* m_pLayoutNode;
    CRect m_rectBar;
    int m_nBarPercent;
    BOOL m_bWasLeftPart;
    CList<HWND, HWND> m_lstSiblingWnds;
    CKtvPBarContainer* m_pTabbedBarNode;

private:
    // Drops the record's reference to the node, if any, and clears the pointer.
    static void ReleaseNode(CKtvPBarContainer*& pNode);

    CKtvPRecentLayoutRecord(const CKtvPRecentLayoutRecord&) = delete;
    CKtvPRecentLayoutRecord& operator=(const CKtvPRecentLayoutRecord&) = delete;
};

class CKtvPRecentDockInfo : public CObject {
public:
    explicit CKtvPRecentDockInfo(CKtvPControlBar* pOwnerBar);
    ~CKtvPRecentDockInfo() override;

    virtual void StoreLayoutPlace(CKtvPBarContainer* pNode, CKtvPDockingControlBar* pTabbedBar = nullptr);
    virtual void CopyPart(BOOL bDocked, const CKtvPRecentDockInfo& src);

    void Init();

    // bDocked TRUE selects the docked record, FALSE the floating record.
    CKtvPRecentLayoutRecord& GetRecord(BOOL bDocked) { return bDocked ? m_dockedLayout : m_floatingLayout; }
    const CKtvPRecentLayoutRecord& GetRecord(BOOL bDocked) const
    {
        return bDocked ? m_dockedLayout : m_floatingLayout;
    }
    CKtvPBarContainer* GetLayoutNode(BOOL bDocked) const { return GetRecord(bDocked).m_pLayoutNode; }
    CKtvPBarContainer* GetTabbedBarNode(BOOL bDocked) const { return GetRecord(bDocked).m_pTabbedBarNode; }
    CRect& GetLayoutRect(BOOL bDocked) { return GetRecord(bDocked).m_rectBar; }
    int GetLayoutPercent(BOOL bDocked) const { return GetRecord(bDocked).m_nBarPercent; }
    BOOL WasLeftPart(BOOL bDocked) const { return GetRecord(bDocked).m_bWasLeftPart; }
    void SetSiblingWnds(const CList<HWND, HWND>& lst, BOOL bDocked);
    CList<HWND, HWND>& GetSiblingWnds(BOOL bDocked) { return GetRecord(bDocked).m_lstSiblingWnds; }
    CKtvPSlider* GetLastDefaultSlider() const;

    CRect m_rectLastFloat;
    DWORD m_dwLastAlignment;
    int m_nLastRowIndex;
    CKtvPDockBar* m_pLastDockBar;
    CKtvPDockBarRow* m_pLastRow;
    HWND m_hLastDefaultSlider;
    HWND m_hLastMiniFrame;
    CKtvPRecentLayoutRecord m_dockedLayout;
    CKtvPRecentLayoutRecord m_floatingLayout;
    CKtvPControlBar* m_pOwnerBar;

private:
    CKtvPRecentDockInfo(const CKtvPRecentDockInfo&) = delete;
    CKtvPRecentDockInfo& operator=(const CKtvPRecentDockInfo&) = delete;
};
