// The edit control's clipboard: CF_TEXT always, and the "KTVP_TEXT" format
// beside it for a column block.
#include <cstring>

#include "editctrl/KtvPEditCtrl.h"
#include "platform/win32/kernel/GlobalMemory.h"

namespace ktvp_clipboard {

UINT BlockFormat()
{
    static const UINT format = RegisterClipboardFormat("KTVP_TEXT");
    return format;
}

HGLOBAL CreateTextGlobal(LPCTSTR lpszText, int nLength, BOOL bCrLf)
{
    const CString strText = CKtvPEditModel::MakeClipboardText(lpszText, nLength, bCrLf);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(strText.GetLength()) + 1);
    if (block == nullptr)
        return nullptr;
    char* bytes = static_cast<char*>(GlobalLock(block));
    if (bytes == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(bytes, static_cast<LPCTSTR>(strText), static_cast<size_t>(strText.GetLength()) + 1);
    GlobalUnlock(block);
    return block;
}

BOOL PutText(UINT format, LPCTSTR lpszText, int nLength, BOOL bCrLf)
{
    HGLOBAL block = CreateTextGlobal(lpszText, nLength, bCrLf);
    if (block == nullptr)
        return FALSE;
    if (SetClipboardData(format, block) == nullptr) {
        GlobalFree(block);
        return FALSE;
    }
    return TRUE;
}

BOOL ReadText(UINT format, CString& strText)
{
    HANDLE data = GetClipboardData(format);
    if (data == nullptr)
        return FALSE;
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (bytes == nullptr)
        return FALSE;
    // The block need not end in a zero byte: never read past its size.
    const SIZE_T size = GlobalSize(data);
    strText = CString(bytes, static_cast<int>(strnlen(bytes, size)));
    GlobalUnlock(data);
    return TRUE;
}

}  // namespace ktvp_clipboard

BOOL CKtvPEditCtrl::CopyTextToClipboard(LPCTSTR lpszText, int nLength)
{
    if (lpszText == nullptr || !OpenClipboard(m_hWnd))
        return FALSE;
    if (!EmptyClipboard()) {
        CloseClipboard();
        return FALSE;
    }
    BOOL done = TRUE;
    if (m_bBlockMode)
        done = ktvp_clipboard::PutText(ktvp_clipboard::BlockFormat(), lpszText, nLength, m_bClipboardCrLf);
    done = done && ktvp_clipboard::PutText(CF_TEXT, lpszText, nLength, m_bClipboardCrLf);
    CloseClipboard();
    return done;
}

BOOL CKtvPEditCtrl::GetClipboardText(CString& strText, BOOL& bBlock)
{
    if (!IsClipboardTextAvailable() || !OpenClipboard(m_hWnd))
        return FALSE;
    bBlock = IsClipboardFormatAvailable(ktvp_clipboard::BlockFormat());
    const BOOL read = ktvp_clipboard::ReadText(bBlock ? ktvp_clipboard::BlockFormat() : CF_TEXT, strText);
    CloseClipboard();
    if (read)
        strText.Remove('\r');
    return read;
}

BOOL CKtvPEditCtrl::IsClipboardTextAvailable()
{
    return IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(ktvp_clipboard::BlockFormat());
}
