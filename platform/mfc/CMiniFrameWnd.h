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
    // The window system's form, by position and size; the rectangle form above
    // stands for the framework's, so a call with a rectangle has one meaning.
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr) override
    {
        return CFrameWnd::CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                                   hWndParent, nIDorHMenu, lpParam);
    }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    BOOL OnNcActivate(BOOL bActive);
    DECLARE_MESSAGE_MAP()
};
