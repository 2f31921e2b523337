// What bars, floating frames, popup menus and pages ask of the frame that
// hosts them. The six library frame kinds derive from this class beside
// their framework base, so a caller that found its frame asks it here once
// instead of testing its run-time class against each kind. The defaults are
// the answers for a frame that is none of the kinds: no dock manager to
// join, nothing to veto.
#pragma once

#include "platform/mfc/CRect.h"
#include "platform/win32/user/winuser.h"

class CDC;
class CFrameWnd;
class COleClientItem;
class CWnd;
struct CRuntimeClass;
struct tagTOOLINFOA;
class CKtvPBaseControlBar;
class CKtvPControlBar;
class CKtvPDockingControlBar;
class CKtvPDockManager;
class CKtvPFrameImpl;
class CKtvPMiniFrameWnd;
class CKtvPPopupMenu;
class CKtvPToolbarButton;
class CKtvPToolbarMenuButton;
class CString;

class CKtvPFrameHooks {
public:
    virtual ~CKtvPFrameHooks() = default;

    // --- the frame and what it embeds --------------------------------------------------------
    virtual CFrameWnd* GetHookedFrame() = 0;
    virtual CKtvPDockManager* GetDockManager() = 0;
    // NULL for the frames that embed none (the MDI child, the container frame).
    virtual CKtvPFrameImpl* GetFrameImpl() { return nullptr; }

    // --- hooks ---------------------------------------------------------------------------------
    virtual void AdjustDockingLayout(HDWP hdwp = nullptr);
    virtual BOOL OnMoveMiniFrame(CWnd* pFrame);
    virtual BOOL OnSetMenu(HMENU hmenu);
    virtual BOOL OnShowPopupMenu(CKtvPPopupMenu* pMenuPopup);
    virtual BOOL OnShowCustomizeMenu(CKtvPPopupMenu* pMenuPopup, UINT uiToolbarID);
    virtual void OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup);
    virtual BOOL OnDrawMenuImage(CDC* pDC, const CKtvPToolbarMenuButton* pMenuButton, const CRect& rectImage);
    virtual BOOL OnButtonToolHitTest(const CKtvPToolbarButton* pButton, tagTOOLINFOA* pTI);
    virtual BOOL GetToolbarButtonToolTipText(CKtvPToolbarButton* pButton, CString& strTTText);
    virtual BOOL OnReservedFrameHook(void* pArg1, void* pArg2);
    virtual BOOL OnEraseMDIClientBackground(CDC* pDC);
    virtual void OnDrawMenuLogo(CDC* pDC, CKtvPPopupMenu* pMenu, const CRect& rectLogo);
    virtual BOOL OnTearOffMenu(CKtvPPopupMenu* pMenuPopup, CKtvPControlBar* pBar);
    virtual BOOL ShowControlBars(BOOL bShow);
    virtual void AdjustClientArea();
    virtual BOOL OnCloseMiniFrame(CKtvPMiniFrameWnd* pWnd);
    virtual BOOL OnCloseDockingBar(CKtvPDockingControlBar* pWnd);
    virtual COleClientItem* GetInPlaceActiveItem();

    // --- docking, forwarded to the frame's dock manager ----------------------------------------
    virtual BOOL AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail = TRUE);
    virtual BOOL InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget,
                                  BOOL bAfter = TRUE);
    virtual void RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy = TRUE,
                                                 BOOL bAdjustLayout = FALSE, BOOL bAutoHide = FALSE);
    virtual void DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    virtual CKtvPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                     CRuntimeClass* pRTCBarType);
    virtual BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge);
    // NULL where the frame kind has no such lookup (the container frame).
    virtual CKtvPBaseControlBar* GetControlBar(UINT nID);
    virtual void ShowControlBar(CKtvPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    virtual BOOL ShowPopupMenu(CKtvPPopupMenu* pMenuPopup);
};

// The hooks of a library frame window; NULL for any other window and for NULL.
CKtvPFrameHooks* KtvGetFrameHooks(CWnd* pWnd);

// The frame to use in place of GetTopLevelFrame while an OLE in-place frame
// is active; NULL otherwise. Only the in-place frames change it.
extern CFrameWnd* g_pKtvTopLevelFrameOverride;
