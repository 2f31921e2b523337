// The edit control's settings text: delimiters, colours, keywords, colour
// blocks, and the outlining and hyperlink sections.
#include <cstring>

#include "editctrl/KtvPEditCtrl.h"
#include "editctrl/KtvPEditSettingsText.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CStdioFile.h"
#include "platform/win32/kernel/Modules.h"

namespace ktvp_settings {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

// A bare name is looked for beside the executable; any name with a folder
// or drive stays as it is.
CString ResolveSettingsPath(const CString& strFileName)
{
    if (strFileName.FindOneOf("\\/:") >= 0)
        return strFileName;
    char module[MAX_PATH] = {};
    const DWORD length = GetModuleFileName(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return strFileName;
    CString strFolder(module);
    const int slash = std::max(strFolder.ReverseFind('/'), strFolder.ReverseFind('\\'));
    return strFolder.Left(slash + 1) + strFileName;
}

COLORREF OptionalColor(CString& strSource, LPCTSTR lpszName)
{
    CString strValue;
    return ExtractXMLTagValue(strSource, lpszName, strValue, FALSE) ? ParseXMLColor(strValue) : kNoColor;
}

BOOL OptionalBool(CString& strSource, LPCTSTR lpszName, BOOL bDefault)
{
    CString strValue;
    return ExtractXMLTagValue(strSource, lpszName, strValue, FALSE) ? ParseXMLBool(strValue) : bDefault;
}

}  // namespace ktvp_settings

BOOL CKtvPEditCtrl::LoadXMLSettings(const CString& strFileName)
{
    CStdioFile file;
    if (!file.Open(ktvp_settings::ResolveSettingsPath(strFileName), CFile::modeRead | CFile::typeText))
        return FALSE;
    CString strText;
    try {
        CString strLine;
        while (file.ReadString(strLine))
            strText += strLine;
        file.Close();
    } catch (CFileException* pError) {
        // Nothing is applied from a file that could not be read whole.
        pError->ReportError();
        pError->Delete();
        return FALSE;
    }
    return LoadXMLSettingsFromBuffer(strText);
}

BOOL CKtvPEditCtrl::LoadXMLSettingsFromBuffer(const CString& strBuffer)
{
    using namespace ktvp_settings;
    RemoveXMLSettings();
    CString strText = strBuffer;
    CString strSection;
    CString strValue;
    if (ExtractXMLTagValue(strText, "OPTIONS", strSection, FALSE)) {
        if (ExtractXMLTagValue(strSection, "WordDelimeters", strValue, TRUE))
            m_strWordDelimiters = strValue;
        if (ExtractXMLTagValue(strSection, "SpecialDelimiters", strValue, TRUE))
            m_strSpecialDelimiters = strValue;
        if (ExtractXMLTagValue(strSection, "IntelliSenseChars", strValue, TRUE))
            m_strIntelliSenseChars = strValue;
    }
    if (ExtractXMLTagValue(strText, "COLOR_DATA", strSection, FALSE)) {
        if (ExtractXMLTagValue(strSection, "EditTextColor", strValue, FALSE))
            m_clrText = ParseXMLColor(strValue);
        if (ExtractXMLTagValue(strSection, "EditBackColor", strValue, FALSE))
            m_clrBack = ParseXMLColor(strValue);
        if (ExtractXMLTagValue(strSection, "SelTextColor", strValue, FALSE))
            m_clrSelText = m_clrSelTextUnfocused = ParseXMLColor(strValue);
        if (ExtractXMLTagValue(strSection, "SelBackColor", strValue, FALSE))
            m_clrSelBack = m_clrSelBackUnfocused = ParseXMLColor(strValue);
        CString strKeywords;
        if (ExtractXMLTagValue(strSection, "KEYWORDS", strKeywords, FALSE)) {
            const BOOL caseSensitive = OptionalBool(strKeywords, "CaseSensitive", TRUE);
            if (ExtractXMLTagValue(strKeywords, "Color", strValue, FALSE)) {
                const COLORREF text = ParseXMLColor(strValue);
                const COLORREF back = OptionalColor(strKeywords, "BackColor");
                while (ExtractXMLTagValue(strKeywords, "Keyword", strValue, FALSE))
                    SetWordColor(strValue, text, back, caseSensitive);
            }
        }
        CString strWords;
        if (ExtractXMLTagValue(strSection, "WORDS", strWords, FALSE)) {
            CString strWord;
            while (ExtractXMLTagValue(strWords, "WORD", strWord, FALSE)) {
                CString strVal;
                CString strColor;
                if (!ExtractXMLTagValue(strWord, "Val", strVal, FALSE) ||
                    !ExtractXMLTagValue(strWord, "Color", strColor, FALSE))
                    break;
                const COLORREF back = OptionalColor(strWord, "BackColor");
                SetWordColor(strVal, ParseXMLColor(strColor), back, OptionalBool(strWord, "CaseSensitive", TRUE));
            }
        }
        CString strBlocks;
        if (ExtractXMLTagValue(strSection, "BLOCKS", strBlocks, FALSE)) {
            CString strBlock;
            while (ExtractXMLTagValue(strBlocks, "BLOCK", strBlock, FALSE)) {
                CString strStart;
                CString strEnd;
                if (!ExtractXMLTagValue(strBlock, "Start", strStart, FALSE))
                    break;
                ExtractXMLTagValue(strBlock, "End", strEnd, FALSE);
                const COLORREF text = OptionalColor(strBlock, "Color");
                const COLORREF back = OptionalColor(strBlock, "BackColor");
                AddColorBlock(strStart, strEnd, OptionalBool(strBlock, "WholeText", FALSE), text, back);
            }
        }
    }
    if (ExtractXMLTagValue(strText, "OUTLINE_DATA", strSection, FALSE) && !LoadOutlineSettings(strSection))
        return FALSE;
    if (ExtractXMLTagValue(strText, "HYPERLINKS", strSection, FALSE) && !LoadHyperlinkSettings(strSection))
        return FALSE;
    return TRUE;
}

BOOL CKtvPEditCtrl::LoadOutlineSettings(const CString&)
{
    // Without an outline parser the section is ignored.
    return TRUE;
}

BOOL CKtvPEditCtrl::LoadHyperlinkSettings(const CString& strContent)
{
    using namespace ktvp_settings;
    CString strSection = strContent;
    CString strValue;
    m_bEnableHyperlinkSupport = OptionalBool(strSection, "EnableHyperlinkSupport", FALSE);
    m_bHighlightHyperlinks = OptionalBool(strSection, "HighlightWithColor", TRUE);
    m_clrHyperlink = m_clrSelBack;
    if (ExtractXMLTagValue(strSection, "Color", strValue, FALSE))
        m_clrHyperlink = ParseXMLColor(strValue);
    CString strPrefixes;
    if (ExtractXMLTagValue(strSection, "URLPrefixes", strPrefixes, FALSE)) {
        m_arrUrlPrefixes.RemoveAll();
        while (ExtractXMLTagValue(strPrefixes, "URLPrefix", strValue, FALSE))
            m_arrUrlPrefixes.Add(strValue);
    }
    return TRUE;
}
