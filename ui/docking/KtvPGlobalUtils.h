// Docking helpers of the whole process: side hit tests, the dock manager of a
// window, rectangle rotation, re-parenting of bars, the expected docked
// rectangle inside a split layout, and keeping a rectangle on the work area.
#pragma once

#include "platform/mfc/CRect.h"

class CKtvPBarContainerManager;
class CKtvPBaseControlBar;
class CKtvPDockManager;
class CKtvPDockingControlBar;
class CObList;
class CWnd;

class CKtvPGlobalUtils {
public:
    CKtvPGlobalUtils();
    virtual ~CKtvPGlobalUtils();

    CKtvPDockManager* GetDockManager(CWnd* pWnd);
    BOOL CheckAlignment(CPoint pt, CKtvPBaseControlBar* pBar, int nSensitivity, BOOL bOuterEdge,
                        DWORD& dwAlignment, DWORD dwEnabledAlignment = 0xF000, LPCRECT lpRect = nullptr) const;
    CRect& RotateRect(CRect& rect, int nAngle) const;
    void SetNewParent(CObList& lstBars, CWnd* pNewParent, BOOL bVisibleOnly = TRUE);
    void CalcExpectedDockedRect(CKtvPBarContainerManager& manager, CWnd* pWndToDock, CPoint pt, CRect& rectResult,
                                BOOL& bDrawTab, CKtvPDockingControlBar** ppTargetBar);
    BOOL CanBeAttached(CWnd* pWnd) const;
    BOOL CanJoinMultiMiniFrame(CWnd* pWnd) const;
    BOOL FindTargetAtPoint(CKtvPBarContainerManager& manager, CPoint pt, CKtvPDockingControlBar** ppTargetBar,
                           DWORD& dwAlignment, BOOL& bTabArea, BOOL& bCaption);
    void AdjustRectToWorkArea(CRect& rect, const CRect* pMargins = nullptr);

    // Set once a dialog or property sheet is met as a bar's parent; never cleared.
    BOOL m_bDialogParent;
    // Set while a floating frame handles a mouse move, so the work area is the cursor's monitor's.
    BOOL m_bUseCursorMonitor;
};

extern CKtvPGlobalUtils globalUtils;
