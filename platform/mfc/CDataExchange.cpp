#include "platform/mfc/CDataExchange.h"

#include <cerrno>
#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/mfc/CException.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/controls/stdctrl.h"

namespace tw::mfc::ddx_detail {

struct Prompt {
    UINT id;
    const char* text;
};

// The framework's own wording, used when the program's string table has none.
constexpr Prompt kPrompts[] = {
    {AFX_IDP_PARSE_INT, "Please enter an integer."},
    {AFX_IDP_PARSE_REAL, "Please enter a number."},
    {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
    {AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2."},
    {AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."},
    {AFX_IDP_PARSE_RADIO_BUTTON, "Please select a button."},
    {AFX_IDP_PARSE_BYTE, "Please enter an integer between 0 and 255."},
    {AFX_IDP_PARSE_UINT, "Please enter a positive integer."},
};

CString PromptText(UINT nIDPrompt)
{
    CString text;
    if (text.LoadString(nIDPrompt))
        return text;
    for (const Prompt& prompt : kPrompts) {
        if (prompt.id == nIDPrompt)
            return CString(prompt.text);
    }
    return CString();
}

[[noreturn]] void FailWith(CDataExchange* pDX, UINT nIDPrompt, LPCTSTR lpsz1 = nullptr, LPCTSTR lpsz2 = nullptr)
{
    AfxMessageBox(AfxFormatPrompt(nIDPrompt, lpsz1, lpsz2), MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

CString WindowText(HWND hWnd)
{
    CString text;
    const int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, text.GetBufferSetLength(nLen), nLen + 1);
    text.ReleaseBuffer();
    return text;
}

// Sets the text only when it differs, so that unchanged controls do not flicker or notify.
void SetWindowTextIfChanged(HWND hWnd, LPCTSTR lpszNew)
{
    if (WindowText(hWnd) != lpszNew)
        ::SetWindowText(hWnd, lpszNew);
}

bool IsBlank(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p == '\0';
}

// A whole signed number with optional blanks around it, within [lo, hi].
bool ParseSigned(const CString& text, long long lo, long long hi, long long& out)
{
    const char* start = text;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(start, &end, 10);
    if (end == start || errno == ERANGE || !IsBlank(end) || value < lo || value > hi)
        return false;
    out = value;
    return true;
}

bool ParseUnsigned(const CString& text, unsigned long long hi, unsigned long long& out)
{
    const char* start = text;
    while (*start == ' ' || *start == '\t')
        ++start;
    if (*start == '-')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(start, &end, 10);
    if (end == start || errno == ERANGE || !IsBlank(end) || value > hi)
        return false;
    out = value;
    return true;
}

bool ParseReal(const CString& text, double& out)
{
    const char* start = text;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(start, &end);
    if (end == start || errno == ERANGE || !IsBlank(end))
        return false;
    out = value;
    return true;
}

template <typename T>
void TextSigned(CDataExchange* pDX, int nIDC, T& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
        SetWindowTextIfChanged(hWndCtrl, buffer);
        return;
    }
    // Out of range is refused rather than wrapped around.
    long long parsed = 0;
    if (!ParseSigned(WindowText(hWndCtrl), std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), parsed))
        FailWith(pDX, AFX_IDP_PARSE_INT);
    value = static_cast<T>(parsed);
}

template <typename T>
void TextUnsigned(CDataExchange* pDX, int nIDC, T& value, UINT nIDPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%llu", static_cast<unsigned long long>(value));
        SetWindowTextIfChanged(hWndCtrl, buffer);
        return;
    }
    unsigned long long parsed = 0;
    if (!ParseUnsigned(WindowText(hWndCtrl), std::numeric_limits<T>::max(), parsed))
        FailWith(pDX, nIDPrompt);
    value = static_cast<T>(parsed);
}

template <typename T>
void TextReal(CDataExchange* pDX, int nIDC, T& value, int nDigits)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*g", nDigits, static_cast<double>(value));
        SetWindowTextIfChanged(hWndCtrl, buffer);
        return;
    }
    double parsed = 0;
    if (!ParseReal(WindowText(hWndCtrl), parsed))
        FailWith(pDX, AFX_IDP_PARSE_REAL);
    value = static_cast<T>(parsed);
}

template <typename T>
void MinMaxSigned(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char szMin[32];
    char szMax[32];
    std::snprintf(szMin, sizeof szMin, "%lld", static_cast<long long>(minVal));
    std::snprintf(szMax, sizeof szMax, "%lld", static_cast<long long>(maxVal));
    FailWith(pDX, AFX_IDP_PARSE_INT_RANGE, szMin, szMax);
}

template <typename T>
void MinMaxUnsigned(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char szMin[32];
    char szMax[32];
    std::snprintf(szMin, sizeof szMin, "%llu", static_cast<unsigned long long>(minVal));
    std::snprintf(szMax, sizeof szMax, "%llu", static_cast<unsigned long long>(maxVal));
    FailWith(pDX, AFX_IDP_PARSE_INT_RANGE, szMin, szMax);
}

void MinMaxReal(CDataExchange* pDX, double value, double minVal, double maxVal, int nDigits)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char szMin[64];
    char szMax[64];
    std::snprintf(szMin, sizeof szMin, "%.*g", nDigits, minVal);
    std::snprintf(szMax, sizeof szMax, "%.*g", nDigits, maxVal);
    FailWith(pDX, AFX_IDP_PARSE_REAL_RANGE, szMin, szMax);
}

}  // namespace tw::mfc::ddx_detail

namespace ddx = tw::mfc::ddx_detail;

CString AfxFormatPrompt(UINT nIDPrompt, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    const CString format = ddx::PromptText(nIDPrompt);
    CString result;
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
            LPCTSTR insert = p[1] == '1' ? lpsz1 : lpsz2;
            result += insert ? insert : "";
            ++p;
            continue;
        }
        result += *p;
    }
    return result;
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!hWndCtrl)
        AfxThrowNotSupportedException();
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (HWND hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl)) {
        ::SetFocus(hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

// --- text --------------------------------------------------------------------------------

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ddx::WindowText(hWndCtrl);
    else
        ddx::SetWindowTextIfChanged(hWndCtrl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ddx::TextSigned(pDX, nIDC, value); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ddx::TextSigned(pDX, nIDC, value); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { ddx::TextSigned(pDX, nIDC, value); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ddx::TextUnsigned(pDX, nIDC, value, AFX_IDP_PARSE_UINT); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { ddx::TextUnsigned(pDX, nIDC, value, AFX_IDP_PARSE_BYTE); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { ddx::TextReal(pDX, nIDC, value, FLT_DIG); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { ddx::TextReal(pDX, nIDC, value, DBL_DIG); }

// --- buttons ---------------------------------------------------------------------------------

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0));
        return;
    }
    // Only the three states a check box has; anything else shows unchecked.
    if (value < 0 || value > 2)
        value = 0;
    ::SendMessage(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0 && value == -1)
                    value = iButton;
            } else {
                ::SendMessage(hWndCtrl, BM_SETCHECK, iButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

// --- combo and list boxes -------------------------------------------------------------------

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ddx::WindowText(hWndCtrl);
        return;
    }
    // The first item starting with the value, else the text itself in the edit field.
    if (::SendMessage(hWndCtrl, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(LPCTSTR(value))) ==
        CB_ERR)
        ddx::SetWindowTextIfChanged(hWndCtrl, value);
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ddx::WindowText(hWndCtrl);
        return;
    }
    const LRESULT index =
        ::SendMessage(hWndCtrl, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(LPCTSTR(value)));
    if (index != CB_ERR)
        ::SendMessage(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else
        ddx::SetWindowTextIfChanged(hWndCtrl, value);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        ::SendMessage(hWndCtrl, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(LPCTSTR(value)));
        return;
    }
    const LRESULT index = ::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        value.Empty();
        return;
    }
    const int nLen = static_cast<int>(::SendMessage(hWndCtrl, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0));
    ::SendMessage(hWndCtrl, LB_GETTEXT, static_cast<WPARAM>(index),
                  reinterpret_cast<LPARAM>(value.GetBufferSetLength(nLen < 0 ? 0 : nLen)));
    value.ReleaseBuffer();
}

void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bSaveAndValidate) {
        DDX_LBString(pDX, nIDC, value);
        return;
    }
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    const LRESULT index =
        ::SendMessage(hWndCtrl, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(LPCTSTR(value)));
    if (index != LB_ERR)
        ::SendMessage(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0));
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

// --- checks ------------------------------------------------------------------------------------

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        // Showing: the edit control takes no more than that.
        if (pDX->m_bEditLastControl) {
            HWND hWndLastControl = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, pDX->m_idLastControl);
            ::SendMessage(hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        }
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    char szT[32];
    std::snprintf(szT, sizeof szT, "%d", nChars);
    ddx::FailWith(pDX, AFX_IDP_PARSE_STRING_SIZE, szT);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) { ddx::MinMaxSigned(pDX, value, minVal, maxVal); }
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    ddx::MinMaxSigned(pDX, value, minVal, maxVal);
}
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    ddx::MinMaxSigned(pDX, value, minVal, maxVal);
}
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    ddx::MinMaxUnsigned(pDX, value, minVal, maxVal);
}
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    ddx::MinMaxUnsigned(pDX, value, minVal, maxVal);
}
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    ddx::MinMaxUnsigned(pDX, value, minVal, maxVal);
}
void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    ddx::MinMaxReal(pDX, value, minVal, maxVal, FLT_DIG);
}
void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    ddx::MinMaxReal(pDX, value, minVal, maxVal, DBL_DIG);
}
