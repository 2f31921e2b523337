#include "tests/platform/mfc/sheets/SheetTestSupport.h"

#include <mutex>

#include "platform/comctl/commctrl.h"
#include "platform/display/Display.h"
#include "platform/win32/resource/ResourceLoader.h"

namespace tw::mfc::sheets_test {

SheetsApp& TheApp()
{
    static SheetsApp app;
    return app;
}

std::vector<std::string>& Log()
{
    static std::vector<std::string> lines;
    return lines;
}

// --- the page ------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(LogPage, CPropertyPage)
    ON_EN_CHANGE(IDC_PAGE_EDIT, OnEditChange)
    ON_BN_CLICKED(IDC_PAGE_BUTTON, OnButton)
    ON_MESSAGE(PSM_QUERYSIBLINGS, OnQuerySiblings)
END_MESSAGE_MAP()

LogPage::LogPage(UINT nIDTemplate, std::string pageName, bool isNumeric, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption), name(std::move(pageName)), numeric(isNumeric)
{
}

void LogPage::Write(const std::string& what) const
{
    Log().push_back(name + " " + what);
}

std::string LogPage::Value() const
{
    return numeric ? std::to_string(number) : std::string(static_cast<LPCTSTR>(text));
}

void LogPage::DoDataExchange(CDataExchange* pDX)
{
    if (numeric) {
        DDX_Text(pDX, IDC_PAGE_EDIT, number);
        DDV_MinMaxInt(pDX, number, 1, 10);
    } else {
        DDX_Text(pDX, IDC_PAGE_EDIT, text);
    }
}

BOOL LogPage::OnInitDialog()
{
    Write("INIT");
    return CPropertyPage::OnInitDialog();
}

BOOL LogPage::OnSetActive()
{
    Write("SETACTIVE");
    return CPropertyPage::OnSetActive();
}

BOOL LogPage::OnKillActive()
{
    const BOOL bOK = CPropertyPage::OnKillActive();
    Write(bOK ? "KILLACTIVE" : "KILLACTIVE refused");
    return bOK;
}

BOOL LogPage::OnApply()
{
    if (refuseApply || (validateOnApply && !UpdateData(TRUE))) {
        Write("APPLY refused");
        return FALSE;
    }
    Write("APPLY " + Value());
    return CPropertyPage::OnApply();
}

void LogPage::OnReset()
{
    Write("RESET");
    CPropertyPage::OnReset();
}

BOOL LogPage::OnQueryCancel()
{
    Write("QUERYCANCEL");
    return allowCancel;
}

void LogPage::OnOK()
{
    ++oks;
    CPropertyPage::OnOK();
}

void LogPage::OnCancel()
{
    ++cancels;
    CPropertyPage::OnCancel();
}

BOOL LogPage::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (handlesHelp && nID == ID_HELP && nCode == CN_COMMAND) {
        if (!pHandlerInfo)
            Write("HELP");
        return TRUE;
    }
    return CPropertyPage::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT LogPage::OnQuerySiblings(WPARAM wParam, LPARAM)
{
    Write("SIBLINGS " + std::to_string(wParam));
    return siblingAnswer;
}

void LogPage::OnEditChange()
{
    SetModified();
}

void LogPage::OnButton()
{
    Write("BUTTON");
}

// --- the sheet -----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(ScriptedSheet, CPropertySheet)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

BOOL ScriptedSheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        ++keysSeen;
    return CPropertySheet::PreTranslateMessage(pMsg);
}

LRESULT ScriptedSheet::OnKickIdle(WPARAM, LPARAM)
{
    if (next_ < steps.size()) {
        steps[next_++](*this);
        return TRUE;
    }
    // Every script ends the sheet; one that did not would wait for input forever.
    ADD_FAILURE() << "the script ran out with the sheet still open";
    EndDialog(-2);
    return FALSE;
}

// --- the fixture ---------------------------------------------------------------------------------

void SheetTest::SetUp()
{
    static std::once_flag once;
    std::call_once(once, [] {
        InitCommonControls();
        tw::RegisterResources(tw::ProgramInstance(), SheetFixtureResources());
    });
    HeadlessWindowTest::SetUp();
    TheApp().prompts.clear();
    Log().clear();
    owner.Attach(parent);
    TheApp().m_pMainWnd = &owner;
}

void SheetTest::TearDown()
{
    TheApp().m_pMainWnd = nullptr;
    owner.Detach();
    HeadlessWindowTest::TearDown();
    AfxDeleteTempMaps();
}

void SheetTest::PumpThroughApp()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (AfxGetApp()->PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

void SheetTest::CtrlKey(UINT vk, bool shift)
{
    input.KeyDown(VK_CONTROL);
    if (shift)
        input.KeyDown(VK_SHIFT);
    input.KeyStroke(vk);
    if (shift)
        input.KeyUp(VK_SHIFT);
    input.KeyUp(VK_CONTROL);
}

void SheetTest::AltKey(UINT vk)
{
    input.KeyDown(VK_MENU);
    input.KeyStroke(vk);
    input.KeyUp(VK_MENU);
}

std::string SheetTest::Text(HWND hWnd)
{
    char text[128] = {};
    ::GetWindowText(hWnd, text, sizeof text);
    return text;
}

std::string SheetTest::TabText(CPropertySheet& sheet, int index)
{
    char text[64] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    sheet.GetTabControl()->GetItem(index, &item);
    return text;
}

size_t SheetTest::TopLevelCount()
{
    size_t count = 0;
    for (HWND hWnd : tw::test::TopLevelWindows(true))
        count += ::IsWindow(hWnd) ? 1 : 0;
    return count;
}

}  // namespace tw::mfc::sheets_test
