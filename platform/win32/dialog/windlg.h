// The dialog manager: dialogs made from templates, modal and modeless, their
// default processing and keyboard interface, the dialog-item helpers, and
// message boxes. Values are the platform's, since templates and the
// program's tables carry them.
#pragma once

#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/user/winuser.h"
#include "platform/win32/windef.h"

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// --- messages (WM_NEXTDLGCTL and the DLGC_ answers come with stdctrl.h) -----
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
// The high word of a DM_GETDEFID answer that names a default button.
#define DC_HASDEFID 0x534B

// WM_ENTERIDLE wParam: the idle loop is a dialog's.
#define MSGF_DIALOGBOX 0

// --- dialog styles ----------------------------------------------------------
#define DS_ABSALIGN 0x01L
#define DS_SYSMODAL 0x02L
#define DS_3DLOOK 0x04L
#define DS_FIXEDSYS 0x08L
#define DS_NOFAILCREATE 0x10L
#define DS_LOCALEDIT 0x20L
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_NOIDLEMSG 0x100L
#define DS_SETFOREGROUND 0x200L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

// The dialog class's window extra bytes: DWLP_MSGRESULT, DWLP_DLGPROC and
// DWLP_USER (winuser.h) live in them.
#define DLGWINDOWEXTRA 30
// The class of dialogs whose template names none.
#define WC_DIALOG "#32770"

// --- dialog and message box results ------------------------------------------
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9

// --- message box styles (MB_OK and the four icons come with winuser.h) -------
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONSTOP MB_ICONHAND
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_DEFBUTTON4 0x00000300L
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_HELP 0x00004000L
#define MB_NOFOCUS 0x00008000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_DEFAULT_DESKTOP_ONLY 0x00020000L
#define MB_TOPMOST 0x00040000L
#define MB_RIGHT 0x00080000L
#define MB_RTLREADING 0x00100000L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONMASK 0x000000F0L
#define MB_DEFMASK 0x00000F00L
#define MB_MODEMASK 0x00003000L
#define MB_MISCMASK 0x0000C000L

// --- templates -----------------------------------------------------------------
// The fixed head of a template in memory; the names, font and items follow
// it in the platform's layout (tw::res::WriteDialogTemplate makes one).
#pragma pack(push, 2)
typedef struct {
    DWORD style;
    DWORD dwExtendedStyle;
    WORD cdit;
    short x;
    short y;
    short cx;
    short cy;
} DLGTEMPLATE, *LPDLGTEMPLATE;
#pragma pack(pop)
typedef const DLGTEMPLATE* LPCDLGTEMPLATE;

// --- creating dialogs --------------------------------------------------------------
HWND CreateDialogParam(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                       LPARAM dwInitParam);
HWND CreateDialog(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc);
HWND CreateDialogIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE lpTemplate, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam);
HWND CreateDialogIndirect(HINSTANCE hInstance, LPCDLGTEMPLATE lpTemplate, HWND hWndParent, DLGPROC lpDialogFunc);

// Modal: -1 when the dialog could not be made, else EndDialog's result (0
// when the dialog, or its owner, was destroyed without it, or WM_QUIT came).
INT_PTR DialogBoxParam(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                       LPARAM dwInitParam);
INT_PTR DialogBox(HINSTANCE hInstance, LPCSTR lpTemplate, HWND hWndParent, DLGPROC lpDialogFunc);
INT_PTR DialogBoxIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE hDialogTemplate, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam);
INT_PTR DialogBoxIndirect(HINSTANCE hInstance, LPCDLGTEMPLATE hDialogTemplate, HWND hWndParent,
                          DLGPROC lpDialogFunc);
BOOL EndDialog(HWND hDlg, INT_PTR nResult);

LRESULT DefDlgProc(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg);

// --- dialog units ------------------------------------------------------------------
LONG GetDialogBaseUnits();
BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);

// --- dialog items ---------------------------------------------------------------------
// GetDlgItem and GetDlgCtrlID come with winuser.h.
LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCSTR lpString);
UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax);
BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned);
UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned);
BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck);
UINT IsDlgButtonChecked(HWND hDlg, int nIDButton);
BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious);

// --- message boxes ---------------------------------------------------------------------
// The button chosen (IDOK..IDNO), or 0 when the box could not be shown.
int MessageBox(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
int MessageBoxEx(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType, WORD wLanguageId);

namespace tw {

// The framework's error box (CException::ReportError and the framework's own
// prompts) as a message box: the text, or the string resource nIDPrompt when
// text is NULL, under the program's title. When no box can be shown the text
// goes to standard error and the default button is the answer.
int ShowFrameworkErrorBox(LPCTSTR text, UINT nType, UINT nIDPrompt);

}  // namespace tw
