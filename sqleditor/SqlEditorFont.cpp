#include "sqleditor/SqlEditorFont.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "editctrl/KtvPEditCtrl.h"
#include "platform/mfc/CWinApp.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

constexpr const char* kSqlFontGroup = "SRTFontClr";

CString SqlFontSetting(CKtvPWorkspace* pWorkspace, LPCTSTR lpszKey)
{
    return pWorkspace != nullptr ? pWorkspace->GetSectionString(lpszKey, kSqlFontGroup, "") : CString();
}

} // namespace

COLORREF SqlEditorParseColor(LPCTSTR lpszText)
{
    if (lpszText == nullptr || std::strlen(lpszText) != 6)
        return RGB(0, 0, 0);
    for (const char* p = lpszText; *p != '\0'; ++p) {
        if (std::isxdigit(static_cast<unsigned char>(*p)) == 0)
            return RGB(0, 0, 0);
    }
    const unsigned long value = std::strtoul(lpszText, nullptr, 16);
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int SqlEditorFaceNameLength(LPCTSTR lpszFace)
{
    const size_t nLimit = sizeof(LOGFONT::lfFaceName) - 1;
    const size_t nLength = lpszFace != nullptr ? std::strlen(lpszFace) : 0;
    if (nLength <= nLimit)
        return int(nLength);
    // Back to the start of the character the limit falls in: no half of a
    // UTF-8 sequence is kept.
    size_t nCut = nLimit;
    while (nCut > 0 && (static_cast<unsigned char>(lpszFace[nCut]) & 0xC0) == 0x80)
        --nCut;
    return int(nCut);
}

void SqlEditorApplyFontAndColors(CKtvPEditCtrl& edit, CFont& rFont)
{
    auto* pWorkspace = dynamic_cast<CKtvPWorkspace*>(AfxGetApp());

    LOGFONT lf{};
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    CString strFace = SqlFontSetting(pWorkspace, "SRTTextFont");
    if (strFace.IsEmpty())
        strFace = "Courier New";
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    std::strncpy(lf.lfFaceName, strFace, SqlEditorFaceNameLength(strFace));
    lf.lfWidth = 0;
    lf.lfEscapement = 0;
    lf.lfOrientation = 0;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    lf.lfStrikeOut = FALSE;
    CString strSize = SqlFontSetting(pWorkspace, "SRTTextSize");
    if (strSize.IsEmpty())
        strSize = "16";
    lf.lfHeight = std::atoi(strSize);
    const int nBold = pWorkspace != nullptr ? pWorkspace->GetSectionInt("SRTTextBold", kSqlFontGroup, 0) : 0;
    lf.lfWeight = nBold != 0 ? FW_BOLD : FW_NORMAL;

    rFont.DeleteObject();
    if (rFont.CreateFontIndirect(&lf))
        ::SendMessage(edit.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(rFont.GetSafeHandle()), TRUE);

    const struct {
        const char* key;
        COLORREF* target;
    } colors[] = {
        {"SRTTextForeClr", &edit.m_clrText},
        {"SRTTextBackClr", &edit.m_clrBack},
        {"SRTSelectedTextForeClr", &edit.m_clrSelText},
        {"SRTSelectedTextBackClr", &edit.m_clrSelBack},
        {"SRTInactiveSelectedTextForeClr", &edit.m_clrSelTextUnfocused},
        {"SRTInactiveSelectedTextBackClr", &edit.m_clrSelBackUnfocused},
    };
    bool bChanged = false;
    for (const auto& c : colors) {
        const CString strValue = SqlFontSetting(pWorkspace, c.key);
        if (strValue.IsEmpty())
            continue;
        *c.target = SqlEditorParseColor(strValue);
        bChanged = true;
    }
    if (bChanged && edit.m_hWnd != nullptr)
        edit.Invalidate();
}
