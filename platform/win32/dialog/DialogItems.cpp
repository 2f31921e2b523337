// The dialog-item helpers: each finds a control by id and sends it the
// message the platform documents for the call.
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/win32/dialog/windlg.h"
#include "platform/win32/kernel/KernelObjects.h"

namespace tw::dlg::dialog_items_detail {

HWND ItemOrError(HWND dialog, int id)
{
    if (!IsWindow(dialog)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    HWND item = GetDlgItem(dialog, id);
    if (!item)
        SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return item;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The whole text as a number: optional blanks around it, a sign only when
// signed, and nothing else; false when it does not fit.
bool ParseInteger(const std::string& text, bool isSigned, long long& value)
{
    size_t at = 0;
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        if (!isSigned && text[at] == '-')
            return false;
        negative = text[at] == '-';
        ++at;
    }
    const size_t digitsStart = at;
    unsigned long long magnitude = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        magnitude = magnitude * 10 + static_cast<unsigned>(text[at] - '0');
        if (magnitude > 0xFFFFFFFFull)
            return false;
        ++at;
    }
    if (at == digitsStart)
        return false;
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    if (at != text.size())
        return false;
    if (isSigned) {
        const long long limit = negative ? 2147483648LL : 2147483647LL;
        if (static_cast<long long>(magnitude) > limit)
            return false;
        value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
        return true;
    }
    value = static_cast<long long>(magnitude);
    return true;
}

std::string TextOf(HWND control)
{
    const int length = GetWindowTextLength(control);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowText(control, text.data(), length + 1)));
    return text;
}

}  // namespace tw::dlg::dialog_items_detail

namespace dialog_items = tw::dlg::dialog_items_detail;

LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    HWND item = dialog_items::ItemOrError(hDlg, nIDDlgItem);
    return item ? SendMessage(item, Msg, wParam, lParam) : 0;
}

BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCSTR lpString)
{
    HWND item = dialog_items::ItemOrError(hDlg, nIDDlgItem);
    return item ? SetWindowText(item, lpString ? lpString : "") : FALSE;
}

UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax)
{
    if (lpString && cchMax > 0)
        *lpString = '\0';
    HWND item = dialog_items::ItemOrError(hDlg, nIDDlgItem);
    if (!item || !lpString || cchMax <= 0)
        return 0;
    return static_cast<UINT>(GetWindowText(item, lpString, cchMax));
}

BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned)
{
    char text[16];
    if (bSigned)
        std::snprintf(text, sizeof text, "%d", static_cast<int>(uValue));
    else
        std::snprintf(text, sizeof text, "%u", uValue);
    return SetDlgItemText(hDlg, nIDDlgItem, text);
}

UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned)
{
    if (lpTranslated)
        *lpTranslated = FALSE;
    HWND item = dialog_items::ItemOrError(hDlg, nIDDlgItem);
    if (!item)
        return 0;
    long long value = 0;
    if (!dialog_items::ParseInteger(dialog_items::TextOf(item), bSigned != FALSE, value))
        return 0;
    if (lpTranslated)
        *lpTranslated = TRUE;
    return static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    HWND item = dialog_items::ItemOrError(hDlg, nIDButton);
    if (!item)
        return FALSE;
    SendMessage(item, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    HWND item = dialog_items::ItemOrError(hDlg, nIDButton);
    return item ? static_cast<UINT>(SendMessage(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    if (!IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    bool found = false;
    for (HWND button = GetWindow(hDlg, GW_CHILD); button; button = GetWindow(button, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(button);
        if (id < nIDFirstButton || id > nIDLastButton)
            continue;
        found = true;
        SendMessage(button, BM_SETCHECK, id == nIDCheckButton ? 1 : 0, 0);
    }
    if (!found)
        SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return found ? TRUE : FALSE;
}
