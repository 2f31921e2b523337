#include "platform/mfc/CCommandLineInfo.h"

#include <strings.h>

#include <string>

#include "platform/mfc/CDocument.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxres.h"

namespace tw::mfc::cmdline_detail {

bool SameText(const CString& a, const char* b)
{
    return ::strcasecmp(a, b) == 0;
}

const char* const kKnownSwitches[] = {"p",        "pt",         "dde",      "Automation", "Embedding",
                                      "Register", "Regserver", "Unregister", "Unregserver"};

}  // namespace tw::mfc::cmdline_detail

namespace cmdline_detail = tw::mfc::cmdline_detail;

// The platform's rules: backslashes are plain unless a quote follows them; then
// each pair gives one backslash, and an odd one out makes the quote plain too.
std::vector<CString> tw::mfc::SplitCommandLine(LPCTSTR lpCmdLine)
{
    std::vector<CString> params;
    if (!lpCmdLine)
        return params;
    const char* p = lpCmdLine;
    while (*p) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        CString param;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            int backslashes = 0;
            while (*p == '\\') {
                ++backslashes;
                ++p;
            }
            if (*p != '"') {
                for (int i = 0; i < backslashes; ++i)
                    param += '\\';
                if (*p && (quoted || (*p != ' ' && *p != '\t')))
                    param += *p++;
                continue;
            }
            for (int i = 0; i < backslashes / 2; ++i)
                param += '\\';
            if (backslashes % 2)
                param += '"';
            else
                quoted = !quoted;
            ++p;
        }
        params.push_back(param);
    }
    return params;
}

CString tw::mfc::JoinCommandLine(int argc, const char* const* argv)
{
    CString line;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i] ? argv[i] : "";
        if (!line.IsEmpty())
            line += ' ';
        if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
            line += arg.c_str();
            continue;
        }
        std::string quoted = "\"";
        int backslashes = 0;
        for (char c : arg) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            // Backslashes before a quote are doubled, and the quote escaped.
            quoted.append(static_cast<size_t>(c == '"' ? backslashes * 2 + 1 : backslashes), '\\');
            backslashes = 0;
            quoted += c;
        }
        // Those before the closing quote are doubled too.
        quoted.append(static_cast<size_t>(backslashes * 2), '\\');
        quoted += '"';
        line += quoted.c_str();
    }
    return line;
}

BOOL tw::mfc::IsCommandLineSwitch(const CString& param, CString& name)
{
    if (param.GetLength() < 2)
        return FALSE;
    if (param[0] == '-') {
        name = param.Mid(1);
        return TRUE;
    }
    if (param[0] != '/')
        return FALSE;
    const CString rest = param.Mid(1);
    for (const char* known : cmdline_detail::kKnownSwitches) {
        if (cmdline_detail::SameText(rest, known)) {
            name = rest;
            return TRUE;
        }
    }
    return FALSE;
}

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const TCHAR* pszParam)
{
    const CString flag(pszParam);
    using cmdline_detail::SameText;
    if (SameText(flag, "pt")) {
        m_nShellCommand = FilePrintTo;
    } else if (SameText(flag, "p")) {
        m_nShellCommand = FilePrint;
    } else if (SameText(flag, "Register") || SameText(flag, "Regserver")) {
        m_nShellCommand = AppRegister;
    } else if (SameText(flag, "Unregister") || SameText(flag, "Unregserver")) {
        m_nShellCommand = AppUnregister;
    } else if (SameText(flag, "dde")) {
        m_nShellCommand = FileDDE;
    } else if (SameText(flag, "Embedding")) {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    } else if (SameText(flag, "Automation")) {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const TCHAR* pszParam)
{
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        return;
    }
    if (m_nShellCommand != FilePrintTo)
        return;
    if (m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
}

// --- the application's side --------------------------------------------------------------------

void CWinApp::EnableShellOpen() {}
void CWinApp::RegisterShellFileTypes(BOOL) {}
void CWinApp::UnregisterShellFileTypes() {}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    const std::vector<CString> params = tw::mfc::SplitCommandLine(m_lpCmdLine);
    for (size_t i = 0; i < params.size(); ++i) {
        CString name;
        const BOOL bFlag = tw::mfc::IsCommandLineSwitch(params[i], name);
        const BOOL bLast = i + 1 == params.size();
        rCmdInfo.ParseParam(bFlag ? static_cast<LPCTSTR>(name) : static_cast<LPCTSTR>(params[i]), bFlag, bLast);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        // A program's own File New handler comes first.
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrint: {
        // Printed from the file's view, unseen; the program then has nothing more to do.
        m_nCmdShow = SW_HIDE;
        CDocument* pDoc = OpenDocumentFile(rCmdInfo.m_strFileName);
        if (!pDoc)
            return FALSE;
        POSITION pos = pDoc->GetFirstViewPosition();
        if (CView* pView = pos ? pDoc->GetNextView(pos) : nullptr)
            pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        pDoc->OnCloseDocument();
        return FALSE;
    }
    case CCommandLineInfo::FileDDE:
        // No DDE conversation can come here: the program starts as it is.
        return TRUE;
    case CCommandLineInfo::AppRegister:
    case CCommandLineInfo::AppUnregister:
        // Registration has no meaning here; the program has nothing left to do.
        return FALSE;
    case CCommandLineInfo::FileNothing:
    default:
        return TRUE;
    }
}
