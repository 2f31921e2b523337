// Each ON_WM_ handler, ON_MESSAGE and ON_REGISTERED_MESSAGE receives the
// message cracked into the framework's arguments, and its return value is
// the message's answer.
#include <string>

#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

const UINT kRegisteredMessage = RegisterWindowMessage("TarnwickTestRegistered");
const HBRUSH kCtlBrush = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(0x7B00));

// Records each handler's name and arguments; windows print as self, other or null.
class CrackWnd : public CWnd {
public:
    std::string record;
    HWND other = nullptr;

    std::string Name(CWnd* pWnd) const
    {
        if (!pWnd)
            return "null";
        if (pWnd->m_hWnd == m_hWnd)
            return pWnd == this ? "self" : "self?";
        return pWnd->m_hWnd == other ? "other" : "?";
    }
    template <typename... Args>
    void Note(const char* name, Args... args)
    {
        record = name;
        ((record += " " + Text(args)), ...);
    }
    std::string Text(const std::string& s) { return s; }
    std::string Text(const char* s) { return s ? s : "(null)"; }
    std::string Text(long long v) { return std::to_string(v); }
    std::string Text(int v) { return std::to_string(v); }
    std::string Text(UINT v) { return std::to_string(v); }
    std::string Text(unsigned long v) { return std::to_string(v); }
    std::string Text(short v) { return std::to_string(v); }
    std::string Text(CPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

protected:
    void OnSize(UINT nType, int cx, int cy) { Note("OnSize", nType, cx, cy); }
    void OnMove(int x, int y) { Note("OnMove", x, y); }
    void OnLButtonDown(UINT nFlags, CPoint point) { Note("OnLButtonDown", nFlags, point); }
    void OnRButtonUp(UINT nFlags, CPoint point) { Note("OnRButtonUp", nFlags, point); }
    void OnLButtonDblClk(UINT nFlags, CPoint point) { Note("OnLButtonDblClk", nFlags, point); }
    void OnMouseMove(UINT nFlags, CPoint point) { Note("OnMouseMove", nFlags, point); }
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        Note("OnMouseWheel", nFlags, zDelta, pt);
        return TRUE;
    }
    void OnNcLButtonDown(UINT nHitTest, CPoint point) { Note("OnNcLButtonDown", nHitTest, point); }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Note("OnKeyDown", nChar, nRepCnt, nFlags); }
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Note("OnSysKeyDown", nChar, nRepCnt, nFlags); }
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Note("OnChar", nChar, nRepCnt, nFlags); }
    void OnTimer(UINT_PTR nIDEvent) { Note("OnTimer", static_cast<unsigned long>(nIDEvent)); }
    void OnSetFocus(CWnd* pOldWnd) { Note("OnSetFocus", Name(pOldWnd)); }
    void OnKillFocus(CWnd* pNewWnd) { Note("OnKillFocus", Name(pNewWnd)); }
    void OnCaptureChanged(CWnd* pWnd) { Note("OnCaptureChanged", Name(pWnd)); }
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
    {
        Note("OnActivate", nState, Name(pWndOther), bMinimized);
    }
    void OnActivateApp(BOOL bActive, DWORD dwThreadID) { Note("OnActivateApp", bActive, dwThreadID); }
    BOOL OnNcActivate(BOOL bActive)
    {
        Note("OnNcActivate", bActive);
        return TRUE;
    }
    void OnContextMenu(CWnd* pWnd, CPoint pos) { Note("OnContextMenu", Name(pWnd), pos); }
    LRESULT OnNcHitTest(CPoint point)
    {
        Note("OnNcHitTest", point);
        return HTCAPTION;
    }
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        Note("OnHScroll", nSBCode, nPos, Name(reinterpret_cast<CWnd*>(pScrollBar)));
    }
    void OnSysCommand(UINT nID, LPARAM lParam) { Note("OnSysCommand", nID, static_cast<long long>(lParam)); }
    void OnShowWindow(BOOL bShow, UINT nStatus) { Note("OnShowWindow", bShow, nStatus); }
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        Note("OnSetCursor", Name(pWnd), nHitTest, message);
        return TRUE;
    }
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
    {
        Note("OnMouseActivate", Name(pDesktopWnd), nHitTest, message);
        return MA_NOACTIVATE;
    }
    UINT OnGetDlgCode()
    {
        Note("OnGetDlgCode");
        return DLGC_WANTARROWS;
    }
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        Note("OnEraseBkgnd", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(pDC->m_hDC)));
        return TRUE;
    }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        Note("OnCtlColor", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(pDC->m_hDC)), Name(pWnd), nCtlColor);
        return kCtlBrush;
    }
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection) { Note("OnSettingChange", uFlags, lpszSection); }
    void OnEnable(BOOL bEnable) { Note("OnEnable", bEnable); }
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI)
    {
        Note("OnGetMinMaxInfo");
        lpMMI->ptMinTrackSize = CPoint(123, 45);
    }
    void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
    {
        Note("OnStyleChanged", nStyleType, static_cast<unsigned long>(lpStyleStruct->styleNew));
    }
    void OnSysColorChange() { Note("OnSysColorChange"); }
    void OnCancelMode() { Note("OnCancelMode"); }
    void OnMouseLeave() { Note("OnMouseLeave"); }
    void OnParentNotify(UINT message, LPARAM lParam) { Note("OnParentNotify", message, static_cast<long long>(lParam)); }
    LRESULT OnUserFive(WPARAM wParam, LPARAM lParam)
    {
        Note("OnUserFive", static_cast<unsigned long>(wParam), static_cast<long long>(lParam));
        return 99;
    }
    LRESULT OnRegistered(WPARAM wParam, LPARAM lParam)
    {
        Note("OnRegistered", static_cast<unsigned long>(wParam), static_cast<long long>(lParam));
        return 77;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CrackWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_CHAR()
    ON_WM_TIMER()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_NCACTIVATE()
    ON_WM_CONTEXTMENU()
    ON_WM_NCHITTEST()
    ON_WM_HSCROLL()
    ON_WM_SYSCOMMAND()
    ON_WM_SHOWWINDOW()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEACTIVATE()
    ON_WM_GETDLGCODE()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_SETTINGCHANGE()
    ON_WM_ENABLE()
    ON_WM_GETMINMAXINFO()
    ON_WM_STYLECHANGED()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CANCELMODE()
    ON_WM_MOUSELEAVE()
    ON_WM_PARENTNOTIFY()
    ON_MESSAGE(WM_USER + 5, OnUserFive)
    ON_REGISTERED_MESSAGE(kRegisteredMessage, OnRegistered)
END_MESSAGE_MAP()

// An argument that may name the window under test or the other window.
struct Arg {
    enum Kind { Value, Self, Other } kind = Value;
    LPARAM value = 0;
    Arg(LPARAM v) : value(v) {}  // NOLINT: table literals
    Arg(Kind k) : kind(k) {}     // NOLINT
};

struct CrackCase {
    const char* name;
    UINT message;
    Arg wParam;
    Arg lParam;
    const char* expected;
    LRESULT result;
};

const STYLESTRUCT kStyles{WS_CHILD, WS_POPUP | WS_VISIBLE};
const char kSection[] = "Windows";

const CrackCase kCrackCases[] = {
    {"Size", WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(300, 200), "OnSize 2 300 200", 0},
    {"MoveNegative", WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(-5), 7), "OnMove -5 7", 0},
    {"LButtonDown", WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(static_cast<WORD>(-3), 40),
     "OnLButtonDown 5 -3,40", 0},
    {"RButtonUp", WM_RBUTTONUP, 0, MAKELPARAM(9, 8), "OnRButtonUp 0 9,8", 0},
    {"LButtonDblClk", WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 2), "OnLButtonDblClk 1 1,2", 0},
    {"MouseMove", WM_MOUSEMOVE, MK_CONTROL, MAKELPARAM(30, 31), "OnMouseMove 8 30,31", 0},
    {"MouseWheel", WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), MAKELPARAM(10, 20),
     "OnMouseWheel 8 -120 10,20", TRUE},
    {"NcLButtonDown", WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(150, 105), "OnNcLButtonDown 2 150,105", 0},
    {"KeyDown", WM_KEYDOWN, VK_F2, MAKELPARAM(3, 0x41), "OnKeyDown 113 3 65", 0},
    {"SysKeyDown", WM_SYSKEYDOWN, VK_DOWN, MAKELPARAM(1, 0x2050), "OnSysKeyDown 40 1 8272", 0},
    {"Char", WM_CHAR, 'x', MAKELPARAM(1, 0x2D), "OnChar 120 1 45", 0},
    {"Timer", WM_TIMER, 77, 0, "OnTimer 77", 0},
    {"SetFocus", WM_SETFOCUS, Arg::Other, 0, "OnSetFocus other", 0},
    {"KillFocusToNobody", WM_KILLFOCUS, 0, 0, "OnKillFocus null", 0},
    {"CaptureChangedNamesLParam", WM_CAPTURECHANGED, 0, Arg::Other, "OnCaptureChanged other", 0},
    {"Activate", WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), Arg::Other, "OnActivate 2 other 1", 0},
    {"ActivateApp", WM_ACTIVATEAPP, TRUE, 4242, "OnActivateApp 1 4242", 0},
    {"NcActivate", WM_NCACTIVATE, FALSE, 0, "OnNcActivate 0", TRUE},
    {"ContextMenu", WM_CONTEXTMENU, Arg::Self, MAKELPARAM(100, 50), "OnContextMenu self 100,50", 0},
    {"NcHitTest", WM_NCHITTEST, 0, MAKELPARAM(222, 111), "OnNcHitTest 222,111", HTCAPTION},
    {"HScrollOfWindowBar", WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 42), 0, "OnHScroll 5 42 null", 0},
    {"SysCommand", WM_SYSCOMMAND, SC_CLOSE, 0, "OnSysCommand 61536 0", 0},
    {"ShowWindow", WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, "OnShowWindow 1 3", 0},
    {"SetCursor", WM_SETCURSOR, Arg::Self, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), "OnSetCursor self 1 512", TRUE},
    {"MouseActivate", WM_MOUSEACTIVATE, Arg::Other, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN),
     "OnMouseActivate other 1 513", MA_NOACTIVATE},
    {"GetDlgCode", WM_GETDLGCODE, 0, 0, "OnGetDlgCode", DLGC_WANTARROWS},
    {"EraseBkgnd", WM_ERASEBKGND, 0x5150, 0, "OnEraseBkgnd 20816", TRUE},
    {"CtlColorStatic", WM_CTLCOLORSTATIC, 0x5151, Arg::Other, "OnCtlColor 20817 other 6",
     reinterpret_cast<LRESULT>(kCtlBrush)},
    {"CtlColorEdit", WM_CTLCOLOREDIT, 0x5152, Arg::Other, "OnCtlColor 20818 other 1",
     reinterpret_cast<LRESULT>(kCtlBrush)},
    {"SettingChange", WM_SETTINGCHANGE, 47, reinterpret_cast<LPARAM>(kSection), "OnSettingChange 47 Windows", 0},
    {"Enable", WM_ENABLE, FALSE, 0, "OnEnable 0", 0},
    {"StyleChanged", WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE), reinterpret_cast<LPARAM>(&kStyles),
     "OnStyleChanged -16 2415919104", 0},
    {"SysColorChange", WM_SYSCOLORCHANGE, 0, 0, "OnSysColorChange", 0},
    {"CancelMode", WM_CANCELMODE, 0, 0, "OnCancelMode", 0},
    {"MouseLeave", WM_MOUSELEAVE, 0, 0, "OnMouseLeave", 0},
    {"ParentNotify", WM_PARENTNOTIFY, WM_LBUTTONDOWN, MAKELPARAM(4, 5), "OnParentNotify 513 327684", 0},
    {"UserMessage", WM_USER + 5, 6, -7, "OnUserFive 6 -7", 99},
};

class MessageCracking : public WindowTest, public ::testing::WithParamInterface<CrackCase> {};

TEST_P(MessageCracking, HandlerGetsTheFrameworkArguments)
{
    const CrackCase& c = GetParam();
    CrackWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Crack", WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 200), nullptr, 0));
    wnd.other = MakePlainWindow();
    auto resolve = [&](const Arg& a) -> LPARAM {
        if (a.kind == Arg::Self)
            return reinterpret_cast<LPARAM>(wnd.m_hWnd);
        if (a.kind == Arg::Other)
            return reinterpret_cast<LPARAM>(wnd.other);
        return a.value;
    };
    wnd.record.clear();
    const LRESULT result =
        ::SendMessage(wnd.m_hWnd, c.message, static_cast<WPARAM>(resolve(c.wParam)), resolve(c.lParam));
    EXPECT_EQ(wnd.record, c.expected);
    EXPECT_EQ(result, c.result);
}

INSTANTIATE_TEST_SUITE_P(EveryHandler, MessageCracking, ::testing::ValuesIn(kCrackCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, RegisteredMessageReachesItsHandlerAndOthersDoNot)
{
    CrackWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Crack", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    wnd.record.clear();
    EXPECT_EQ(wnd.SendMessage(kRegisteredMessage, 3, 4), 77);
    EXPECT_EQ(wnd.record, "OnRegistered 3 4");

    wnd.record.clear();
    const UINT unrelated = RegisterWindowMessage("TarnwickTestUnrelated");
    EXPECT_EQ(wnd.SendMessage(unrelated, 3, 4), 0);
    EXPECT_EQ(wnd.record, "");
}

TEST_F(WindowTest, MinMaxHandlerCanChangeTheAnswer)
{
    CrackWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Crack", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    MINMAXINFO info{};
    wnd.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 123);
    EXPECT_EQ(info.ptMinTrackSize.y, 45);
}

// Default and GetCurrentMessage inside a handler see the message being handled,
// also when another message was sent and handled meanwhile.
class NestingWnd : public CWnd {
public:
    UINT seenBefore = 0;
    UINT seenAfter = 0;
    LRESULT defaultAnswer = 0;

protected:
    LRESULT OnOuter(WPARAM, LPARAM)
    {
        seenBefore = GetCurrentMessage()->message;
        SendMessage(WM_USER + 2);
        seenAfter = GetCurrentMessage()->message;
        return 5;
    }
    LRESULT OnInner(WPARAM, LPARAM) { return 0; }
    void OnSetText() {}
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        // WM_CREATE's default answer is 0: creation goes on.
        defaultAnswer = Default();
        return CWnd::OnCreate(lpCreateStruct);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NestingWnd, CWnd)
    ON_MESSAGE(WM_USER + 1, OnOuter)
    ON_MESSAGE(WM_USER + 2, OnInner)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(WindowTest, CurrentMessageSurvivesANestedSend)
{
    NestingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Nest", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    EXPECT_EQ(wnd.defaultAnswer, 0);
    EXPECT_EQ(wnd.SendMessage(WM_USER + 1), 5);
    EXPECT_EQ(wnd.seenBefore, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(wnd.seenAfter, static_cast<UINT>(WM_USER + 1));
}

}  // namespace
}  // namespace tw::mfc::test
