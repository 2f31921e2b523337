// A button that holds down to drop a palette toolbar of alternative commands
// and then stands for the command last chosen from it; the palette bar and
// the small frame it drops in.
#pragma once

#include "platform/mfc/CMiniFrameWnd.h"
#include "platform/win32/user/winuser.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"

class CKtvPDropDownFrame;
class CKtvPDropDownToolBar;

class CKtvPDropDownToolbarButton : public CKtvPToolbarButton {
    DECLARE_SERIAL(CKtvPDropDownToolbarButton)
public:
    CKtvPDropDownToolbarButton();
    ~CKtvPDropDownToolbarButton() override;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKtvPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CSize OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    BOOL OnClickUp() override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    BOOL ExportToMenuButton(CKtvPToolbarMenuButton& menuButton) const override;
    void OnCancelMode() override;
    BOOL OnContextHelp(CWnd* pWnd) override;
    BOOL OnCustomizeMenu(CMenu* pPopup) override;
    int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    BOOL IsExtraSize() const override;

    void SetDefaultCommand(UINT uiCmd);
    BOOL DropDownToolbar(CWnd* pWnd);

    // Fields, in declared order.
    CKtvPDropDownToolBar* m_pToolBar = nullptr;   // the palette; not owned
    CString m_strName;
    CKtvPDropDownFrame* m_pPopupMenu = nullptr;
    CWnd* m_pWndParent = nullptr;
    UINT m_uiTimer = 0;
    int m_iSelectedImage = 0;
    BOOL m_bInternalDraw = FALSE;
    BOOL m_bLocalUserButton = FALSE;

    static CKtvPDropDownToolbarButton* m_pBtnDown;   // whose hold timer runs
};

class CKtvPDropDownToolBar : public CKtvPToolBar {
    DECLARE_SERIAL(CKtvPDropDownToolBar)
public:
    CKtvPDropDownToolBar();
    ~CKtvPDropDownToolBar() override;

    // Always into the bar's own strips.
    BOOL LoadBitmap(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                    UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0) override;
    BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                     UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiBmpResID = 0) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnSendCommand(const CKtvPToolbarButton* pButton) override;

protected:
    // Where the palette's commands and prompts go: the owner set on the bar,
    // else, for the bar shown in a drop-down frame, the palette bar's own owner.
    CWnd* CommandOwner() const;

    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CKtvPDropDownFrame : public CMiniFrameWnd {
    DECLARE_SERIAL(CKtvPDropDownFrame)
public:
    CKtvPDropDownFrame();
    ~CKtvPDropDownFrame() override;

    BOOL Create(CWnd* pWndParent, int x, int y, CKtvPDropDownToolBar* pWndOriginToolbar);
    using CMiniFrameWnd::Create;

    // Fields, in declared order.
    CKtvPDropDownToolBar m_wndToolBar;
    CKtvPDropDownToolbarButton* m_pParentBtn = nullptr;
    CKtvPDropDownToolBar* m_pWndOriginToolbar = nullptr;
    int m_x = 0;
    int m_y = 0;
    BOOL m_bAutoDestroy = TRUE;
    CString m_strTitle;

    static CString m_strClassName;   // registered by the first Create

protected:
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void PostNcDestroy() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// Asks for WM_MOUSELEAVE (TME_LEAVE) for a window, emulated with a 100 ms timer.
BOOL EmulateTrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack);
