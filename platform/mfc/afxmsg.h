// Message maps: the tables a class declares to map window messages, commands,
// notifications and thread messages to its member functions, the macros that
// build them, and the framework's own private messages.
#pragma once

#include <cstring>

#include "platform/mfc/CRect.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/user/winuser.h"
#include "platform/win32/windef.h"

class CCmdTarget;
class CCmdUI;
class CDC;
class CListBox;
class CScrollBar;
class CWinThread;
class CWnd;
struct tagNMHDR;
typedef struct tagNMHDR NMHDR;

// --- the framework's private messages --------------------------------------------------
#define WM_SIZEPARENT 0x0361
#define WM_SETMESSAGESTRING 0x0362
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D
#define WM_ACTIVATETOPLEVEL 0x036E
#define WM_QUERY3DCONTROLS 0x036F
#define WM_SOCKET_NOTIFY 0x0373
#define WM_SOCKET_DEAD 0x0374
#define WM_POPMESSAGESTRING 0x0375
#define WM_OCC_LOADFROMSTREAM 0x0376
#define WM_QUERYAFXWNDPROC 0x0360

// A child's message handed back to it by its parent arrives as this plus the message.
#define WM_REFLECT_BASE 0xBC00
// The single entry every WM_CTLCOLORxxx message is looked up under.
#define WM_CTLCOLOR 0x0019

// Command codes of OnCmdMsg; control notifications pack MAKELONG(code, WM_COMMAND or WM_NOTIFY).
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_EVENT ((UINT)(-2))
#define CN_OLECOMMAND ((UINT)(-3))
#define CN_OLE_UNREGISTER ((UINT)(-4))

// The kind of control a WM_CTLCOLOR handler is asked about.
#ifndef CTLCOLOR_MSGBOX
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
#endif

// What a reflected WM_CTLCOLORxxx carries in its lParam.
struct AFX_CTLCOLOR {
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

typedef void (CCmdTarget::*AFX_PMSG)();
typedef void (CWnd::*AFX_PMSGW)();
typedef void (CWinThread::*AFX_PMSGT)();

// The shape of each handler, by which the dispatcher cracks the message.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,

    // commands and notifications (OnCmdMsg)
    AfxSigCmd_v,        // void ()
    AfxSigCmd_b,        // BOOL ()
    AfxSigCmd_RANGE,    // void (UINT nID)
    AfxSigCmd_EX,       // BOOL (UINT nID)
    AfxSigCmdUI,        // void (CCmdUI*)
    AfxSigNotify_v,     // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,     // BOOL (NMHDR*, LRESULT*)
    AfxSigNotify_RANGE, // void (UINT nID, NMHDR*, LRESULT*)
    AfxSigNotify_EX,    // BOOL (UINT nID, NMHDR*, LRESULT*)

    // window messages (OnWndMsg)
    AfxSig_l_w_l,            // LRESULT (WPARAM, LPARAM)
    AfxSig_v_w_l,            // void (WPARAM, LPARAM): thread messages
    AfxSig_v_v,              // void ()
    AfxSig_b_v,              // BOOL ()
    AfxSig_u_v,              // UINT ()
    AfxSig_i_CREATE,         // int (LPCREATESTRUCT)
    AfxSig_b_CREATE,         // BOOL (LPCREATESTRUCT)
    AfxSig_v_u_ii,           // void (UINT, int, int)
    AfxSig_v_ii,             // void (int, int)
    AfxSig_v_u_p,            // void (UINT, CPoint)
    AfxSig_b_u_s_p,          // BOOL (UINT, short, CPoint)
    AfxSig_v_u_u_u,          // void (UINT, UINT, UINT)
    AfxSig_v_TIMER,          // void (UINT_PTR)
    AfxSig_v_W,              // void (CWnd*)
    AfxSig_b_W_u_u,          // BOOL (CWnd*, UINT, UINT)
    AfxSig_i_W_u_u,          // int (CWnd*, UINT, UINT)
    AfxSig_v_u_W_b,          // void (UINT, CWnd*, BOOL)
    AfxSig_v_b_dw,           // void (BOOL, DWORD)
    AfxSig_b_b,              // BOOL (BOOL)
    AfxSig_v_b_NCCALCSIZE,   // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_l_p,              // LRESULT (CPoint)
    AfxSig_v_WINDOWPOS,      // void (WINDOWPOS*)
    AfxSig_v_MINMAXINFO,     // void (MINMAXINFO*)
    AfxSig_v_W_p,            // void (CWnd*, CPoint)
    AfxSig_v_b_u,            // void (BOOL, UINT)
    AfxSig_v_u_s,            // void (UINT, LPCTSTR)
    AfxSig_hbr_D_W_u,        // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_v_u_u_SB,         // void (UINT, UINT, CScrollBar*)
    AfxSig_v_b,              // void (BOOL)
    AfxSig_v_u_l,            // void (UINT, LPARAM)
    AfxSig_b_D,              // BOOL (CDC*)
    AfxSig_v_i_DRAWITEM,     // void (int, LPDRAWITEMSTRUCT)
    AfxSig_v_i_MEASUREITEM,  // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_v_i_STYLESTRUCT,  // void (int, LPSTYLESTRUCT)
    AfxSig_v_i_DELETEITEM,   // void (int, LPDELETEITEMSTRUCT)
    AfxSig_i_i_COMPAREITEM,  // int (int, LPCOMPAREITEMSTRUCT)
    AfxSig_i_u_W_u,          // int (UINT, CListBox*, UINT)

    // reflected to the child (OnChildNotify)
    AfxSig_hbr_D_u,          // HBRUSH (CDC*, UINT)
    AfxSig_v_DRAWITEM,       // void (LPDRAWITEMSTRUCT)
    AfxSig_v_MEASUREITEM,    // void (LPMEASUREITEMSTRUCT)
    AfxSig_v_u_u,            // void (UINT, UINT)

    AfxSig_registered = 0x10000  // values above this are the address of a registered message id
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // window message, WM_COMMAND or WM_NOTIFY, or 0xC000 for a registered one
    UINT nCode;      // control or notification code
    UINT nID;        // control id, or 0 for window messages
    UINT nLastID;    // last id of a range
    UINT_PTR nSig;   // handler shape, or the address of a registered message's id
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

namespace tw::mfc {
// Reinterprets one handler pointer as another of the same size; a handler is
// always called back through the exact type it was stored from.
template <typename To, typename From>
To PmfCast(From from)
{
    static_assert(sizeof(To) == sizeof(From), "handler pointers differ in size");
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

// The first entry of a table matching the message, code and id; NULL when none does.
const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID);
// The entry of a message registered at run time (ON_REGISTERED_MESSAGE); NULL when none.
const AFX_MSGMAP_ENTRY* FindRegisteredEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg);
}  // namespace tw::mfc

// --- declaring and building a map ---------------------------------------------------------
#define DECLARE_MESSAGE_MAP()                           \
protected:                                              \
    static const AFX_MSGMAP* GetThisMessageMap();       \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                   \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }            \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                               \
    {                                                                                             \
        typedef theClass ThisClass;                                                               \
        typedef baseClass TheBaseClass;                                                           \
        (void)sizeof(ThisClass*);                                                                 \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                    \
    {0, 0, 0, 0, AfxSig_end, nullptr}                                                         \
    };                                                                                        \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                       \
    }

// Casts of a handler to the table's pointer type; the static_cast inside each
// macro makes a handler of the wrong shape a compile error.
#define TW_PMSG(type, fn) tw::mfc::PmfCast<AFX_PMSG>(static_cast<type>(fn))

// --- commands ------------------------------------------------------------------------------
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, TW_PMSG(void (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                              \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
     TW_PMSG(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_EX(id, memberFxn)                                  \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX, \
     TW_PMSG(BOOL (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                        \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_EX, \
     TW_PMSG(BOOL (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                   \
    {WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI, \
     TW_PMSG(void (CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                         \
    {WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmdUI, \
     TW_PMSG(void (CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},

// --- control notifications ------------------------------------------------------------------
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                  \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, \
     TW_PMSG(void (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                          \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
     TW_PMSG(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                        \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v, \
     TW_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE, \
     TW_PMSG(void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                      \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_EX, \
     TW_PMSG(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                          \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_EX, \
     TW_PMSG(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_LBN_ERRSPACE(id, memberFxn) ON_CONTROL(LBN_ERRSPACE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_ERRSPACE(id, memberFxn) ON_CONTROL(CBN_ERRSPACE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)

// --- notifications handed back to the control that sent them -----------------------------------
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                 \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v, \
     TW_PMSG(void (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                              \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b, \
     TW_PMSG(BOOL (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                        \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v, \
     TW_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                     \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b, \
     TW_PMSG(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_WM_CTLCOLOR_REFLECT()                                         \
    {WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0, AfxSig_hbr_D_u, \
     TW_PMSG(HBRUSH (CWnd::*)(CDC*, UINT), &ThisClass::CtlColor)},
#define ON_WM_DRAWITEM_REFLECT()                                          \
    {WM_DRAWITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_DRAWITEM, \
     TW_PMSG(void (CWnd::*)(LPDRAWITEMSTRUCT), &ThisClass::DrawItem)},
#define ON_WM_MEASUREITEM_REFLECT()                                          \
    {WM_MEASUREITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_MEASUREITEM, \
     TW_PMSG(void (CWnd::*)(LPMEASUREITEMSTRUCT), &ThisClass::MeasureItem)},
#define ON_WM_HSCROLL_REFLECT()                                   \
    {WM_HSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_u_u, \
     TW_PMSG(void (CWnd::*)(UINT, UINT), &ThisClass::HScroll)},
#define ON_WM_VSCROLL_REFLECT()                                   \
    {WM_VSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_u_u, \
     TW_PMSG(void (CWnd::*)(UINT, UINT), &ThisClass::VScroll)},
#define ON_WM_PARENTNOTIFY_REFLECT()                                    \
    {WM_PARENTNOTIFY + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_u_l, \
     TW_PMSG(void (CWnd::*)(UINT, LPARAM), &ThisClass::ParentNotify)},

// --- user-defined, registered and thread messages -------------------------------------------------
#define ON_MESSAGE(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, AfxSig_l_w_l, TW_PMSG(LRESULT (CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                    \
    {0xC000, 0, 0, 0, reinterpret_cast<UINT_PTR>(&(nMessageVariable)), \
     TW_PMSG(LRESULT (CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},
#define ON_THREAD_MESSAGE(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, AfxSig_v_w_l, TW_PMSG(void (CWinThread::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn)            \
    {0xC000, 0, 0, 0, reinterpret_cast<UINT_PTR>(&(nMessageVariable)), \
     TW_PMSG(void (CWinThread::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},

// --- window messages with the framework's cracked handlers ------------------------------------------
#define TW_ON_WM(message, sig, type, fn) {(UINT)(message), 0, 0, 0, sig, TW_PMSG(type, &ThisClass::fn)},

#define ON_WM_CREATE() TW_ON_WM(WM_CREATE, AfxSig_i_CREATE, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() TW_ON_WM(WM_NCCREATE, AfxSig_b_CREATE, BOOL (CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() TW_ON_WM(WM_DESTROY, AfxSig_v_v, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() TW_ON_WM(WM_NCDESTROY, AfxSig_v_v, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_MOVE() TW_ON_WM(WM_MOVE, AfxSig_v_ii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_SIZE() TW_ON_WM(WM_SIZE, AfxSig_v_u_ii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_ACTIVATE() TW_ON_WM(WM_ACTIVATE, AfxSig_v_u_W_b, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP() TW_ON_WM(WM_ACTIVATEAPP, AfxSig_v_b_dw, void (CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_SETFOCUS() TW_ON_WM(WM_SETFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() TW_ON_WM(WM_KILLFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_ENABLE() TW_ON_WM(WM_ENABLE, AfxSig_v_b, void (CWnd::*)(BOOL), OnEnable)
#define ON_WM_PAINT() TW_ON_WM(WM_PAINT, AfxSig_v_v, void (CWnd::*)(), OnPaint)
#define ON_WM_CLOSE() TW_ON_WM(WM_CLOSE, AfxSig_v_v, void (CWnd::*)(), OnClose)
#define ON_WM_ERASEBKGND() TW_ON_WM(WM_ERASEBKGND, AfxSig_b_D, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_SYSCOLORCHANGE() TW_ON_WM(WM_SYSCOLORCHANGE, AfxSig_v_v, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_SHOWWINDOW() TW_ON_WM(WM_SHOWWINDOW, AfxSig_v_b_u, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_SETTINGCHANGE() TW_ON_WM(WM_SETTINGCHANGE, AfxSig_v_u_s, void (CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_CANCELMODE() TW_ON_WM(WM_CANCELMODE, AfxSig_v_v, void (CWnd::*)(), OnCancelMode)
#define ON_WM_SETCURSOR() TW_ON_WM(WM_SETCURSOR, AfxSig_b_W_u_u, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_MOUSEACTIVATE() \
    TW_ON_WM(WM_MOUSEACTIVATE, AfxSig_i_W_u_u, int (CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_GETMINMAXINFO() \
    TW_ON_WM(WM_GETMINMAXINFO, AfxSig_v_MINMAXINFO, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_DRAWITEM() \
    TW_ON_WM(WM_DRAWITEM, AfxSig_v_i_DRAWITEM, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() \
    TW_ON_WM(WM_MEASUREITEM, AfxSig_v_i_MEASUREITEM, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_DELETEITEM() \
    TW_ON_WM(WM_DELETEITEM, AfxSig_v_i_DELETEITEM, void (CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_COMPAREITEM() \
    TW_ON_WM(WM_COMPAREITEM, AfxSig_i_i_COMPAREITEM, int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_VKEYTOITEM() \
    TW_ON_WM(WM_VKEYTOITEM, AfxSig_i_u_W_u, int (CWnd::*)(UINT, CListBox*, UINT), OnVKeyToItem)
#define ON_WM_CHARTOITEM() \
    TW_ON_WM(WM_CHARTOITEM, AfxSig_i_u_W_u, int (CWnd::*)(UINT, CListBox*, UINT), OnCharToItem)
#define ON_WM_WINDOWPOSCHANGING() \
    TW_ON_WM(WM_WINDOWPOSCHANGING, AfxSig_v_WINDOWPOS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() \
    TW_ON_WM(WM_WINDOWPOSCHANGED, AfxSig_v_WINDOWPOS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_CONTEXTMENU() TW_ON_WM(WM_CONTEXTMENU, AfxSig_v_W_p, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_STYLECHANGING() \
    TW_ON_WM(WM_STYLECHANGING, AfxSig_v_i_STYLESTRUCT, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_STYLECHANGED() \
    TW_ON_WM(WM_STYLECHANGED, AfxSig_v_i_STYLESTRUCT, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)
#define ON_WM_NCCALCSIZE() \
    TW_ON_WM(WM_NCCALCSIZE, AfxSig_v_b_NCCALCSIZE, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCHITTEST() TW_ON_WM(WM_NCHITTEST, AfxSig_l_p, LRESULT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCPAINT() TW_ON_WM(WM_NCPAINT, AfxSig_v_v, void (CWnd::*)(), OnNcPaint)
#define ON_WM_NCACTIVATE() TW_ON_WM(WM_NCACTIVATE, AfxSig_b_b, BOOL (CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_GETDLGCODE() TW_ON_WM(WM_GETDLGCODE, AfxSig_u_v, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_NCMOUSEMOVE() TW_ON_WM(WM_NCMOUSEMOVE, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() \
    TW_ON_WM(WM_NCLBUTTONDOWN, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() TW_ON_WM(WM_NCLBUTTONUP, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() \
    TW_ON_WM(WM_NCLBUTTONDBLCLK, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() \
    TW_ON_WM(WM_NCRBUTTONDOWN, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() TW_ON_WM(WM_NCRBUTTONUP, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnNcRButtonUp)
#define ON_WM_KEYDOWN() TW_ON_WM(WM_KEYDOWN, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() TW_ON_WM(WM_KEYUP, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() TW_ON_WM(WM_CHAR, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN() TW_ON_WM(WM_SYSKEYDOWN, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP() TW_ON_WM(WM_SYSKEYUP, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_SYSCHAR() TW_ON_WM(WM_SYSCHAR, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnSysChar)
#define ON_WM_SYSCOMMAND() TW_ON_WM(WM_SYSCOMMAND, AfxSig_v_u_l, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_TIMER() TW_ON_WM(WM_TIMER, AfxSig_v_TIMER, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_HSCROLL() TW_ON_WM(WM_HSCROLL, AfxSig_v_u_u_SB, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() TW_ON_WM(WM_VSCROLL, AfxSig_v_u_u_SB, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_CTLCOLOR() TW_ON_WM(WM_CTLCOLOR, AfxSig_hbr_D_W_u, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_MOUSEMOVE() TW_ON_WM(WM_MOUSEMOVE, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_MOUSEWHEEL() TW_ON_WM(WM_MOUSEWHEEL, AfxSig_b_u_s_p, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_LBUTTONDOWN() TW_ON_WM(WM_LBUTTONDOWN, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() TW_ON_WM(WM_LBUTTONUP, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() TW_ON_WM(WM_LBUTTONDBLCLK, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() TW_ON_WM(WM_RBUTTONDOWN, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() TW_ON_WM(WM_RBUTTONUP, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() TW_ON_WM(WM_RBUTTONDBLCLK, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() TW_ON_WM(WM_MBUTTONDOWN, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP() TW_ON_WM(WM_MBUTTONUP, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MOUSELEAVE() TW_ON_WM(WM_MOUSELEAVE, AfxSig_v_v, void (CWnd::*)(), OnMouseLeave)
#define ON_WM_CAPTURECHANGED() TW_ON_WM(WM_CAPTURECHANGED, AfxSig_v_W, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_PARENTNOTIFY() TW_ON_WM(WM_PARENTNOTIFY, AfxSig_v_u_l, void (CWnd::*)(UINT, LPARAM), OnParentNotify)
