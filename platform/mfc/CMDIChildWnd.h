// A frame inside the MDI client. It keeps the menu and keys of its document
// type and lends them to the MDI frame while it is the active child.
#pragma once

#include "platform/mfc/CFrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd() = default;

    HMENU m_hMenuShared = nullptr;  // belongs to the document template; not destroyed here

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW |
                                                            FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // Puts this child's menu (bActivate) or the frame's own in the frame's bar.
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    LRESULT OnMDIActivateMessage(WPARAM wParam, LPARAM lParam);
    void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
