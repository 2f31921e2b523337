// What the program's command line asks for: a shell command (new document,
// open or print a file, DDE, registration) and the switches that go with it.
// ParseParam sees one parameter at a time; a program may override it for
// switches of its own.
#pragma once

#include <vector>

#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"

class CCommandLineInfo : public CObject {
public:
    CCommandLineInfo() = default;
    ~CCommandLineInfo() override = default;

    // bFlag: the parameter was a switch, given here without its '-' or '/'.
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand = FileNew;

    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const TCHAR* pszParam);
    void ParseParamNotFlag(const TCHAR* pszParam);
    void ParseLast(BOOL bLast);
};

namespace tw::mfc {
// The parameters of a command line: blanks separate them, double quotes group
// blanks into one, and backslashes escape a quote (the platform's rules).
std::vector<CString> SplitCommandLine(LPCTSTR lpCmdLine);
// The command line for AfxWinMain from a program's arguments (argv[1] on),
// quoted so that SplitCommandLine gives them back as they were.
CString JoinCommandLine(int argc, const char* const* argv);
// Whether a parameter is a switch: "-name" always; "/name" only for a switch
// the framework knows, since "/..." is also an absolute path here.
BOOL IsCommandLineSwitch(const CString& param, CString& name);
}  // namespace tw::mfc
