#include "ui/frames/KtvPKeyHelper.h"

#include <cctype>

#include "platform/win32/kernel/Locale.h"

namespace {

// Key names come in the layout's own case ("CTRL", "PAGE UP"); menus show
// them lower case with the first letter raised: "Ctrl", "Page up", "F5".
void ApplyKeyNameCase(CString& strName)
{
    strName.MakeLower();
    for (int i = 0; i < strName.GetLength(); i++) {
        if (::IsCharLower(strName[i])) {
            strName.SetAt(i, static_cast<TCHAR>(::toupper(static_cast<unsigned char>(strName[i]))));
            return;
        }
    }
}

}  // namespace

CKtvPKeyHelper::CKtvPKeyHelper(LPACCEL lpAccel) : m_lpAccel(lpAccel) {}

CKtvPKeyHelper::~CKtvPKeyHelper() = default;

void CKtvPKeyHelper::Format(CString& str) const
{
    str.Empty();
    if (m_lpAccel == nullptr)
        return;

    // Modifiers always in this order, whatever order they were pressed in.
    if (m_lpAccel->fVirt & FCONTROL)
        AddVirtKeyStr(str, VK_CONTROL);
    if (m_lpAccel->fVirt & FSHIFT)
        AddVirtKeyStr(str, VK_SHIFT);
    if (m_lpAccel->fVirt & FALT)
        AddVirtKeyStr(str, VK_MENU);

    if (m_lpAccel->fVirt & FVIRTKEY) {
        AddVirtKeyStr(str, m_lpAccel->key, TRUE);
        return;
    }
    // The Escape character has no glyph of its own: it is shown by its key's
    // name, so that modifiers never end in a dangling "+".
    if (m_lpAccel->key == 27) {
        AddVirtKeyStr(str, VK_ESCAPE, TRUE);
        return;
    }
    str += static_cast<TCHAR>(m_lpAccel->key & 0xFF);
}

void CKtvPKeyHelper::AddVirtKeyStr(CString& str, UINT uiVirtKey, BOOL bLast) const
{
    const UINT nScan = ::MapVirtualKeyEx(uiVirtKey, 0, ::GetKeyboardLayout(0));
    LONG lParam = static_cast<LONG>((nScan << 16) | 1);
    // Page Up to Help are named as the separate keys, not as their keypad twins.
    if (uiVirtKey >= 0x21 && uiVirtKey <= 0x2F)
        lParam |= 0x01000000;

    TCHAR szName[50] = {};
    ::GetKeyNameText(lParam, szName, 50);
    CString strName(szName);
    ApplyKeyNameCase(strName);

    str += strName;
    if (!bLast)
        str += '+';
}
