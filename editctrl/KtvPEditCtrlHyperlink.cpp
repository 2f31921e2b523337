// The edit control's hyperlinks and tooltips: links found by their
// prefixes in the painted text, followed on Ctrl+click, and the tip that
// shows a link's address, a folded block's text or the word under the mouse.
#include <algorithm>
#include <cstring>

#include "editctrl/KtvPEditCtrl.h"
#include "platform/shell/shellapi.h"

namespace ktvp_hyperlink {

// Only these open: a link of any other scheme (a settings prefix such as
// "file:") would hand a local path or program to the shell.
constexpr const char* kOpenableSchemes[] = {"http://", "https://", "ftp://", "mailto:"};

bool IsOpenableUrl(const CString& strUrl)
{
    for (const char* scheme : kOpenableSchemes) {
        const int length = static_cast<int>(std::strlen(scheme));
        if (strUrl.GetLength() > length && strUrl.Left(length).CompareNoCase(scheme) == 0)
            return true;
    }
    return false;
}

// The tip's text is handed to the tooltip by pointer: one buffer for the
// controls of a thread, as only one tip shows at a time.
CString& TipBuffer()
{
    thread_local CString buffer;
    return buffer;
}

}  // namespace ktvp_hyperlink

namespace khl = ktvp_hyperlink;

const CString& CKtvPEditCtrl::GetTipBuffer()
{
    return khl::TipBuffer();
}

// ---------------------------------------------------------------- finding links

BOOL CKtvPEditCtrl::FindHyperlink(int nStart, int nEnd, CString& strUrl, int& nUrlStart) const
{
    const std::string_view text = m_text.View();
    nStart = std::clamp(nStart, 0, static_cast<int>(text.size()));
    nEnd = std::clamp(nEnd, nStart, static_cast<int>(text.size()));
    const std::string_view stretch = text.substr(static_cast<size_t>(nStart), static_cast<size_t>(nEnd - nStart));
    int found = -1;
    for (int i = 0; i < m_arrUrlPrefixes.GetSize(); ++i) {
        const CString& strPrefix = m_arrUrlPrefixes[i];
        if (strPrefix.IsEmpty())
            continue;
        const size_t at = stretch.find(std::string_view(strPrefix, static_cast<size_t>(strPrefix.GetLength())));
        if (at == std::string_view::npos)
            continue;
        // Only the first occurrence counts, and only after a delimiter.
        if (at > 0 && !IsWordDelimiter(stretch[at - 1]))
            continue;
        if (found < 0 || static_cast<int>(at) < found)
            found = static_cast<int>(at);
    }
    if (found < 0)
        return FALSE;
    int last = static_cast<int>(stretch.size()) - 1;
    const int prefixEnd = found;
    // Trailing punctuation does not belong to the address; the prefix always does.
    while (last > prefixEnd && IsWordDelimiter(stretch[static_cast<size_t>(last)]))
        --last;
    int linkEnd = last + 1;
    for (int i = 0; i < m_arrUrlPrefixes.GetSize(); ++i) {
        const CString& strPrefix = m_arrUrlPrefixes[i];
        if (stretch.substr(static_cast<size_t>(found)).starts_with(std::string_view(strPrefix.GetString())))
            linkEnd = std::max(linkEnd, found + strPrefix.GetLength());
    }
    nUrlStart = nStart + found;
    strUrl = CString(stretch.data() + found, linkEnd - found);
    return TRUE;
}

void CKtvPEditCtrl::AddFoundHyperlink(const CString& strUrl, int nStart)
{
    m_arrHyperlinks.push_back(FoundLink{strUrl, nStart});
}

void CKtvPEditCtrl::ClearFoundHyperlinks()
{
    m_arrHyperlinks.clear();
}

int CKtvPEditCtrl::GetHyperlinkIndexAt(int nOffset) const
{
    for (size_t i = 0; i < m_arrHyperlinks.size(); ++i) {
        const FoundLink& link = m_arrHyperlinks[i];
        if (link.nStart <= nOffset && nOffset <= link.nStart + link.strUrl.GetLength())
            return static_cast<int>(i);
    }
    return -1;
}

void CKtvPEditCtrl::UpdateHotLink(POINT pt)
{
    if (!IsHyperlinkSupportEnabled())
        return;
    POINT hit = pt;
    const int offset = OffsetFromPoint(hit, FALSE, FALSE);
    m_nHotLink = offset < 0 ? -1 : GetHyperlinkIndexAt(offset);
}

// ---------------------------------------------------------------- following a link

void CKtvPEditCtrl::OnHyperlinkClick(int nOffset, const CString& strUrl)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    HCURSOR hOldCursor = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    if (khl::IsOpenableUrl(strUrl))
        ::ShellExecute(nullptr, nullptr, strUrl, nullptr, nullptr, SW_SHOWNORMAL);
    m_nHotLink = -1;
    const int line = m_text.RowOfOffset(nOffset);
    RedrawRows(line, line);
    ::SetCursor(hOldCursor);
}

void CKtvPEditCtrl::CreateHyperlinkFont()
{
    m_fontHyperlink.DeleteObject();
    if (m_hFont == nullptr)
        return;
    LOGFONT logFont{};
    if (::GetObject(m_hFont, sizeof(logFont), &logFont) == 0)
        return;
    logFont.lfUnderline = TRUE;
    m_fontHyperlink.CreateFontIndirect(&logFont);
}

void CKtvPEditCtrl::EscapeHtmlText(CString& strText)
{
    strText.Replace(" ", "&nbsp;");
    strText.Replace("<", "&lt;");
    strText.Replace(">", "&gt;");
}

// ---------------------------------------------------------------- tooltips

void CKtvPEditCtrl::CreateToolTip()
{
    m_hToolTip = ::CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, nullptr, nullptr);
    if (m_hToolTip == nullptr)
        return;
    if (m_nTipMaxWidth != -1)
        ::SendMessage(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, m_nTipMaxWidth);
    TOOLINFO tool{};
    tool.cbSize = sizeof(tool);
    // Mouse messages are relayed by the control after it has chosen the tip.
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = LPSTR_TEXTCALLBACK;
    ::SendMessage(m_hToolTip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&tool));
    // Tips stay off until the owner turns them on.
    ::SendMessage(m_hToolTip, TTM_ACTIVATE, m_bToolTipsActive, 0);
}

void CKtvPEditCtrl::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hToolTip == nullptr)
        return;
    MSG msg{m_hWnd, message, wParam, lParam, 0, {}};
    ::SendMessage(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void CKtvPEditCtrl::ActivateToolTips(BOOL bOn)
{
    if (!m_bToolTipsActive == !bOn)
        return;
    m_bToolTipsActive = bOn;
    if (!bOn)
        HideToolTip();
    if (m_hToolTip != nullptr)
        ::SendMessage(m_hToolTip, TTM_ACTIVATE, bOn ? TRUE : FALSE, 0);
}

void CKtvPEditCtrl::HideToolTip()
{
    if (m_hToolTip != nullptr)
        ::SendMessage(m_hToolTip, TTM_POP, 0, 0);
    khl::TipBuffer().Empty();
    m_bTipPopped = TRUE;
}

BOOL CKtvPEditCtrl::GetHyperlinkTipText(CString& strText)
{
    if (!IsHyperlinkSupportEnabled() || m_nHotLink < 0 || m_nHotLink >= GetHyperlinkCount()) {
        strText.Empty();
        return FALSE;
    }
    const FoundLink& link = m_arrHyperlinks[static_cast<size_t>(m_nHotLink)];
    strText.Format("%s\nCTRL + click to follow link", link.strUrl.GetString());
    return OnGetHyperlinkTip(link.nStart, strText);
}

BOOL CKtvPEditCtrl::GetWordTipText(POINT pt, CString& strText)
{
    POINT hit = pt;
    const int offset = OffsetFromPoint(hit, FALSE, FALSE);
    if (offset < 0 || offset >= GetTextLength())
        return FALSE;
    POINT at{};
    OffsetToPoint(offset, at);
    // Past the end of a row there is no word under the mouse.
    if (pt.x - at.x > m_nMaxCharWidth)
        return FALSE;
    return GetWordAtOffset(offset, strText);
}

BOOL CKtvPEditCtrl::ChooseTipText(POINT pt, CString& strText, BOOL& bWide)
{
    bWide = TRUE;
    if (IsHyperlinkSupportEnabled()) {
        UpdateHotLink(pt);
        if (GetHyperlinkTipText(strText))
            return TRUE;
    }
    if (m_bOutlining && GetCollapsedBlockTipText(pt, strText))
        return TRUE;
    bWide = FALSE;
    return GetWordTipText(pt, strText);
}

BOOL CKtvPEditCtrl::OnNeedToolTipText(NMHDR* pHeader)
{
    if (!m_bToolTipsActive)
        return FALSE;
    POINT pt{};
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    CString strText;
    BOOL bWide = FALSE;
    const BOOL found = ChooseTipText(pt, strText, bWide);
    if (m_hToolTip != nullptr) {
        // A link or a block shapes its tip by its own line breaks.
        if (bWide && found)
            ::SendMessage(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 0x7FFF);
        else if (m_nTipMaxWidth != -1)
            ::SendMessage(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, m_nTipMaxWidth);
    }
    if (!found) {
        HideToolTip();
        return FALSE;
    }
    if (!OnGetTipText(strText))
        return FALSE;
    if (m_bTipPopped && strText == m_strLastTip)
        return FALSE;
    CString& buffer = khl::TipBuffer();
    buffer = strText;
    reinterpret_cast<NMTTDISPINFO*>(pHeader)->lpszText = const_cast<LPSTR>(buffer.GetString());
    m_bTipPopped = FALSE;
    m_strLastTip = strText;
    return TRUE;
}

void CKtvPEditCtrl::UpdateTipOnMouseMove(CPoint point)
{
    if (!m_bToolTipsActive)
        return;
    CString strText;
    BOOL bWide = FALSE;
    if (!ChooseTipText(point, strText, bWide)) {
        HideToolTip();
        m_strLastTip.Empty();
        return;
    }
    const CString& buffer = khl::TipBuffer();
    if (strText == buffer)
        return;
    CString strOffered = strText;
    if (!(OnGetTipText(strOffered) && strOffered == buffer))
        HideToolTip();
}
