#include "app/OptionsScriptFontPage.h"

#include <cctype>
#include <cstdlib>

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "ui/controls/KtvPColorDialog.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

constexpr const char* kScriptFontGroup = "SRTFontClr";
constexpr const char* kScriptFontItemNames[COptionsScriptFontPage::kItemCount] = {"Text", "Selected Text",
                                                                                  "Inactive Selected Text"};
constexpr const char* kBlackText = "000000";
constexpr const char* kWhiteText = "ffffff";

CString ScriptFontStoredString(LPCTSTR lpszKey)
{
    auto* pWorkspace = dynamic_cast<CKtvPWorkspace*>(AfxGetApp());
    return pWorkspace != nullptr ? pWorkspace->GetSectionString(lpszKey, kScriptFontGroup, "") : CString();
}

int ScriptFontStoredInt(LPCTSTR lpszKey)
{
    auto* pWorkspace = dynamic_cast<CKtvPWorkspace*>(AfxGetApp());
    return pWorkspace != nullptr ? pWorkspace->GetSectionInt(lpszKey, kScriptFontGroup, 0) : 0;
}

// An empty or one-character colour is the item's default.
CString ScriptFontColorOrDefault(const CString& strColor, LPCTSTR lpszDefault)
{
    return strColor.GetLength() <= 1 ? CString(lpszDefault) : strColor;
}

// The automatic entry of a colour button stands for its automatic colour.
COLORREF ScriptFontButtonColor(const CKtvPColorButton& button)
{
    const COLORREF color = button.GetColor();
    return color == static_cast<COLORREF>(-1) ? button.GetAutomaticColor() : color;
}

}  // namespace

COLORREF OptionsColorFromText(const CString& strText)
{
    if (strText.GetLength() != 6)
        return RGB(0, 0, 0);
    for (int i = 0; i < 6; ++i) {
        if (std::isxdigit(static_cast<unsigned char>(strText[i])) == 0)
            return RGB(0, 0, 0);
    }
    const unsigned long value = std::strtoul(strText, nullptr, 16);
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

CString OptionsColorToText(COLORREF color)
{
    CString text;
    text.Format("%02x%02x%02x", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

IMPLEMENT_DYNCREATE(COptionsScriptFontPage, CKtvPPropertyPage)

BEGIN_MESSAGE_MAP(COptionsScriptFontPage, CKtvPPropertyPage)
    ON_LBN_SELCHANGE(IDC_TW_OPT_ITEMS, OnSelChangeItems)
    ON_CBN_SELENDOK(IDC_TW_OPT_FONT, OnSelFont)
    ON_CBN_SELENDOK(IDC_TW_OPT_SIZE, OnSelSize)
    ON_BN_CLICKED(IDC_TW_OPT_BOLD, OnBold)
    ON_BN_CLICKED(IDC_TW_OPT_FORE, OnForeColor)
    ON_BN_CLICKED(IDC_TW_OPT_BACK, OnBackColor)
    ON_BN_CLICKED(IDC_TW_OPT_FORE_CUSTOM, OnForeCustom)
    ON_BN_CLICKED(IDC_TW_OPT_BACK_CUSTOM, OnBackCustom)
END_MESSAGE_MAP()

COptionsScriptFontPage::COptionsScriptFontPage() : CKtvPPropertyPage(IDD_TW_OPTIONS_SCRIPT_FONT), m_bShown(FALSE)
{
    for (int i = 0; i < kItemCount; ++i) {
        m_items[i].m_strName = kScriptFontItemNames[i];
        m_items[i].m_strFace = "Arial";
        m_items[i].m_strSize = "16";
        m_items[i].m_strFore = "0";
        m_items[i].m_strBack = kWhiteText;
    }
}

void COptionsScriptFontPage::DoDataExchange(CDataExchange* pDX)
{
    CKtvPPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_OPT_SAMPLE, m_wndSample);
    DDX_Control(pDX, IDC_TW_OPT_ITEMS, m_wndItems);
    DDX_Control(pDX, IDC_TW_OPT_BOLD, m_wndBold);
    DDX_Control(pDX, IDC_TW_OPT_SIZE, m_wndSize);
    DDX_Control(pDX, IDC_TW_OPT_FORE, m_wndFore);
    DDX_Control(pDX, IDC_TW_OPT_BACK, m_wndBack);
    DDX_Control(pDX, IDC_TW_OPT_FONT, m_wndFont);
}

BOOL COptionsScriptFontPage::OnInitDialog()
{
    CKtvPPropertyPage::OnInitDialog();
    m_bShown = TRUE;
    m_wndFont.Setup(DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE, DEFAULT_CHARSET, 0);

    m_wndFore.EnableAutomaticButton("Automatic", RGB(0, 0, 0));
    m_wndFore.EnableOtherButton("Other...");
    m_wndFore.m_Columns = 9;
    m_wndBack.EnableOtherButton("Other...");
    m_wndBack.m_Columns = 9;

    for (const FontClrItem& item : m_items)
        m_wndItems.AddString(item.m_strName);
    m_wndItems.SetCurSel(0);
    m_wndFont.SetCurSel(0);

    LoadStoredItems();
    return TRUE;
}

int COptionsScriptFontPage::FindFontEntry(const CString& strFace) const
{
    return m_wndFont.FindString(0, strFace);
}

int COptionsScriptFontPage::FindSizeEntry(const CString& strSize) const
{
    return m_wndSize.FindString(0, strSize);
}

void COptionsScriptFontPage::LoadStoredItems()
{
    // The face and size every editor item shares. With nothing stored the
    // page shows what the editors then use.
    CString strFace = ScriptFontStoredString("SRTTextFont");
    if (strFace.IsEmpty())
        strFace = "Courier New";
    CString strSize = ScriptFontStoredString("SRTTextSize");
    if (strSize.IsEmpty())
        strSize = "16";
    for (FontClrItem& item : m_items) {
        item.m_strFace = strFace;
        item.m_strSize = strSize;
    }
    const int iFont = FindFontEntry(strFace);
    if (iFont >= 0)
        m_wndFont.SetCurSel(iFont);
    ShowSelectedFont();
    const int iSize = FindSizeEntry(strSize);
    m_wndSize.SetCurSel(iSize);
    m_wndSample.SetFontSize(std::atoi(strSize));

    FontClrItem& text = m_items[0];
    text.m_nBold = ScriptFontStoredInt("SRTTextBold");
    m_wndBold.SetCheck(text.m_nBold != 0 ? BST_CHECKED : BST_UNCHECKED);
    m_wndSample.SetFontBold(text.m_nBold != 0);

    text.m_strFore = ScriptFontStoredString("SRTTextForeClr");
    if (text.m_strFore.GetLength() != 6)
        text.m_strFore = kBlackText;
    const COLORREF crFore = OptionsColorFromText(text.m_strFore);
    m_wndSample.SetTextColor(crFore);
    m_wndFore.SetColor(crFore);

    text.m_strBack = ScriptFontStoredString("SRTTextBackClr");
    if (text.m_strBack.GetLength() <= 1)
        text.m_strBack = kWhiteText;
    else if (text.m_strBack.GetLength() != 6)
        text.m_strBack = kBlackText;
    const COLORREF crBack = OptionsColorFromText(text.m_strBack);
    m_wndSample.SetBkColor(crBack);
    m_wndBack.SetColor(crBack);

    for (int i = 1; i < kItemCount; ++i) {
        FontClrItem& item = m_items[i];
        CString strPrefix = "SRT" + item.m_strName;
        strPrefix.Remove(' ');
        item.m_strFore = ScriptFontColorOrDefault(ScriptFontStoredString(strPrefix + "ForeClr"), kBlackText);
        item.m_strBack = ScriptFontColorOrDefault(ScriptFontStoredString(strPrefix + "BackClr"), kWhiteText);
        item.m_nBold = ScriptFontStoredInt(strPrefix + "Bold");
    }
}

FontClrItem* COptionsScriptFontPage::SelectedItem()
{
    const int iSel = m_wndItems.GetCurSel();
    if (iSel < 0)
        return nullptr;
    CString strName;
    m_wndItems.GetText(iSel, strName);
    for (FontClrItem& item : m_items) {
        if (item.m_strName == strName)
            return &item;
    }
    return nullptr;
}

void COptionsScriptFontPage::ShowSelectedFont()
{
    CKtvPFontDesc* pFont = m_wndFont.GetSelFont();
    if (pFont == nullptr)
        return;
    m_wndSample.SetFontName(pFont->m_strName, pFont->m_nCharSet);
    m_wndSize.FillSizes(pFont->m_strName);
}

void COptionsScriptFontPage::OnSelChangeItems()
{
    FontClrItem* pItem = SelectedItem();
    if (pItem == nullptr)
        return;
    m_wndBold.SetCheck(pItem->m_nBold != 0 ? BST_CHECKED : BST_UNCHECKED);
    pItem->m_strFore = ScriptFontColorOrDefault(pItem->m_strFore, kBlackText);
    const COLORREF crFore = OptionsColorFromText(pItem->m_strFore);
    m_wndFore.SetColor(crFore);
    m_wndSample.SetTextColor(crFore);
    pItem->m_strBack = ScriptFontColorOrDefault(pItem->m_strBack, kWhiteText);
    const COLORREF crBack = OptionsColorFromText(pItem->m_strBack);
    m_wndBack.SetColor(crBack);
    m_wndSample.SetBkColor(crBack);
    m_wndSample.SetFontBold(pItem->m_nBold != 0);
}

void COptionsScriptFontPage::OnSelFont()
{
    ShowSelectedFont();
    CKtvPFontDesc* pFont = m_wndFont.GetSelFont();
    if (pFont == nullptr)
        return;
    for (FontClrItem& item : m_items)
        item.m_strFace = pFont->m_strName;
}

void COptionsScriptFontPage::OnSelSize()
{
    const int iSel = m_wndSize.GetCurSel();
    if (iSel < 0)
        return;
    CString strSize;
    m_wndSize.GetLBText(iSel, strSize);
    m_wndSample.SetFontSize(std::atoi(strSize));
    for (FontClrItem& item : m_items)
        item.m_strSize = strSize;
}

void COptionsScriptFontPage::OnBold()
{
    const int nBold = m_wndBold.GetCheck() == BST_CHECKED ? 1 : 0;
    m_wndSample.SetFontBold(nBold);
    if (FontClrItem* pItem = SelectedItem())
        pItem->m_nBold = nBold;
}

void COptionsScriptFontPage::ApplyForeColor(COLORREF color)
{
    m_wndSample.SetTextColor(color);
    if (FontClrItem* pItem = SelectedItem())
        pItem->m_strFore = OptionsColorToText(color);
}

void COptionsScriptFontPage::ApplyBackColor(COLORREF color)
{
    m_wndSample.SetBkColor(color);
    if (FontClrItem* pItem = SelectedItem())
        pItem->m_strBack = OptionsColorToText(color);
}

void COptionsScriptFontPage::OnForeColor() { ApplyForeColor(ScriptFontButtonColor(m_wndFore)); }

void COptionsScriptFontPage::OnBackColor() { ApplyBackColor(ScriptFontButtonColor(m_wndBack)); }

void COptionsScriptFontPage::OnForeCustom()
{
    CKtvPColorDialog dlg(ScriptFontButtonColor(m_wndFore), this);
    if (dlg.DoModal() != IDOK)
        return;
    m_wndFore.SetColor(dlg.GetColor());
    ApplyForeColor(dlg.GetColor());
}

void COptionsScriptFontPage::OnBackCustom()
{
    CKtvPColorDialog dlg(ScriptFontButtonColor(m_wndBack), this);
    if (dlg.DoModal() != IDOK)
        return;
    m_wndBack.SetColor(dlg.GetColor());
    ApplyBackColor(dlg.GetColor());
}
