// The multiple-document interface: the "MDICLIENT" window class, its
// messages, and the default processing of MDI frames and children.
#pragma once

#include "platform/win32/menu/winmenu.h"

#define WM_CHILDACTIVATE 0x0022
#define WM_MDIRESTORE 0x0223
#define WM_MDINEXT 0x0224
#define WM_MDIMAXIMIZE 0x0225
#define WM_MDITILE 0x0226
#define WM_MDICASCADE 0x0227
#define WM_MDIICONARRANGE 0x0228
#define WM_MDIGETACTIVE 0x0229
#define WM_MDISETMENU 0x0230
#define WM_MDIREFRESHMENU 0x0234

#define MDITILE_VERTICAL 0x0000
#define MDITILE_HORIZONTAL 0x0001
#define MDITILE_SKIPDISABLED 0x0002
#define MDITILE_ZORDER 0x0004

#define MDIS_ALLCHILDSTYLES 0x0001

#define SC_ARRANGE 0xF110

typedef struct tagCLIENTCREATESTRUCT {
    HANDLE hWindowMenu;
    UINT idFirstChild;
} CLIENTCREATESTRUCT, *LPCLIENTCREATESTRUCT;

typedef struct tagMDICREATESTRUCTA {
    LPCSTR szClass;
    LPCSTR szTitle;
    HANDLE hOwner;
    int x;
    int y;
    int cx;
    int cy;
    DWORD style;
    LPARAM lParam;
} MDICREATESTRUCT, MDICREATESTRUCTA, *LPMDICREATESTRUCT;

LRESULT DefFrameProc(HWND hWnd, HWND hWndMDIClient, UINT uMsg, WPARAM wParam, LPARAM lParam);
LRESULT DefMDIChildProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
BOOL TranslateMDISysAccel(HWND hWndClient, LPMSG lpMsg);
HWND CreateMDIWindow(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                     HWND hWndParent, HINSTANCE hInstance, LPARAM lParam);

namespace tw::mdi {
// Registers the "MDICLIENT" class; the default frame and child processing
// do it too, so a frame that creates its client in WM_CREATE finds it.
bool RegisterMdiClientClass();
}  // namespace tw::mdi
