// The edit control's settings text: delimiters, colours, keywords, colour
// blocks, and the outlining and hyperlink sections.
#include <cstring>
#include <vector>

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

struct OutlineBlockRule {
    CString strStart;
    CString strEnd;
    CString strReplace;
    BOOL bNested = TRUE;
    BOOL bIgnore = FALSE;
    std::vector<CString> keywords;
};

// Takes the escape sequences and the complete blocks out of the section;
// the first block without a start or an end ends the blocks.
void ReadOutlineRules(CString& strSection, std::vector<OutlineBlockRule>& rules, std::vector<CString>& escapes)
{
    CString strValue;
    CString strEscapes;
    if (ExtractXMLTagValue(strSection, "EscapeSequences", strEscapes, FALSE)) {
        while (ExtractXMLTagValue(strEscapes, "EscapeSequence", strValue, TRUE))
            escapes.push_back(strValue);
    }
    CString strBlocks;
    if (!ExtractXMLTagValue(strSection, "BLOCKS", strBlocks, FALSE))
        return;
    CString strBlock;
    while (ExtractXMLTagValue(strBlocks, "BLOCK", strBlock, FALSE)) {
        OutlineBlockRule rule;
        if (!ExtractXMLTagValue(strBlock, "Start", rule.strStart, TRUE) ||
            !ExtractXMLTagValue(strBlock, "End", rule.strEnd, TRUE))
            break;
        rule.strReplace = "...";
        ExtractXMLTagValue(strBlock, "ReplaceString", rule.strReplace, TRUE);
        rule.bNested = OptionalBool(strBlock, "AllowNestedBlocks", TRUE);
        rule.bIgnore = OptionalBool(strBlock, "Ignore", FALSE);
        CString strKeywords;
        if (ExtractXMLTagValue(strBlock, "KEYWORDS", strKeywords, FALSE)) {
            while (ExtractXMLTagValue(strKeywords, "Keyword", strValue, FALSE))
                rule.keywords.push_back(strValue);
        }
        rules.push_back(std::move(rule));
    }
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

BOOL CKtvPEditCtrl::LoadOutlineSettings(const CString& strContent)
{
    using namespace ktvp_settings;
    CKtvPOutlineParser* pParser = GetOutlineParser();
    if (pParser == nullptr)
        return TRUE;
    CString strSection = strContent;
    std::vector<OutlineBlockRule> rules;
    std::vector<CString> escapes;
    ReadOutlineRules(strSection, rules, escapes);
    // A section that yields no block type would leave nothing to fold: the
    // rules in force are kept and the section refused.
    if (rules.empty())
        return FALSE;
    pParser->RemoveAllBlockTypes();
    for (const CString& strEscape : escapes)
        pParser->AddEscapeSequence(strEscape);
    for (const OutlineBlockRule& rule : rules) {
        CStringList keywords;
        for (const CString& strKeyword : rule.keywords)
            keywords.AddTail(strKeyword);
        pParser->AddBlockType(rule.strStart, rule.strEnd, rule.strReplace, rule.bNested, rule.bIgnore, &keywords);
    }
    pParser->m_strDelimiters = m_strWordDelimiters;
    pParser->m_bCaseSensitive = OptionalBool(strSection, "CaseSensitive", TRUE);
    pParser->m_bWholeWords = OptionalBool(strSection, "WholeWords", FALSE);
    GetOutlineRoot().RemoveAllNodes();
    // The tree follows edits only while outlining is on; a tree parsed while
    // it is off would go stale.
    if (m_bOutlining)
        ReparseOutline();
    else
        ReplaceOutline(FALSE);
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
