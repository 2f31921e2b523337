// A small-captioned floating frame owned by another frame. With
// MFS_SYNCACTIVE its caption follows its owner's, and activating it leaves
// the owner's caption active.
#pragma once

#include "platform/mfc/CFrameWnd.h"

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;

    virtual BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd = nullptr, UINT nID = 0);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd = nullptr, UINT nID = 0);
    using CFrameWnd::CreateEx;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    BOOL OnNcActivate(BOOL bActive);
    DECLARE_MESSAGE_MAP()
};
