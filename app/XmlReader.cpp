#include "app/XmlReader.h"

#include <cstring>

#include "platform/mfc/CException.h"
#include "platform/win32/user/winuser.h"

namespace xmlreader_detail {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

constexpr const char* kCommentStart = "!--";
constexpr const char* kCDataStart = "![CDATA[";
constexpr const char* kCommentEnd = "-->";
constexpr const char* kCDataEnd = "]]>";
constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace xmlreader_detail

CXmlReader::CXmlReader() : m_bOpen(FALSE), m_bShowErrors(FALSE)
{
    ResetState();
}

CXmlReader::~CXmlReader()
{
    Close();
}

void CXmlReader::SetFilePath(LPCTSTR lpszPath)
{
    if (!m_bOpen)
        m_strPath = lpszPath;
}

void CXmlReader::ResetState()
{
    m_strError.Empty();
    m_strLine.Empty();
    m_nPos = -1;
    m_nLine = 0;
    m_nKind = nodeNone;
    m_strElementName.Empty();
    m_strText.Empty();
    m_strAttrName.Empty();
    m_strAttrValue.Empty();
    m_strDeclName.Empty();
    m_bInTag = m_bInComment = m_bInCData = m_bWaitingForValue = m_bAfterTag = m_bInValue = FALSE;
    m_chQuote = 0;
}

void CXmlReader::Close()
{
    if (m_bOpen)
        m_file.Abort();
    m_bOpen = FALSE;
    ResetState();
}

BOOL CXmlReader::Open()
{
    ResetState();
    if (!m_file.Open(m_strPath, CFile::modeRead | CFile::shareDenyNone | CFile::typeText))
        return FALSE;
    m_bOpen = TRUE;
    return TRUE;
}

BOOL CXmlReader::Read()
{
    if (!m_bOpen && !Open())
        return FALSE;
    if (m_nPos < 0) {
        try {
            if (!m_file.ReadString(m_strLine))
                return FALSE;
        } catch (CFileException* e) {
            e->Delete();
            return FALSE;
        }
        if (m_nLine == 0 && strncmp(m_strLine, xmlreader_detail::kUtf8Bom, 3) == 0)
            m_strLine = m_strLine.Mid(3);
        ++m_nLine;
        m_nPos = 0;
    }
    if (Step())
        return TRUE;
    m_strError.Format("Parse error in line %d : (%s)", m_nLine, m_strStepError.GetString());
    if (m_bShowErrors)
        tw::ShowErrorBox(m_strError, MB_OK, 0);
    return FALSE;
}

void CXmlReader::SkipBlanks()
{
    while (!AtLineEnd() && xmlreader_detail::IsBlank(Current()))
        ++m_nPos;
}

BOOL CXmlReader::Step()
{
    m_nKind = nodeNone;
    if (m_bInValue) {
        StepInValue();
        return TRUE;
    }
    if (AtLineEnd()) {
        m_nPos = -1;
        return TRUE;
    }
    if (m_bInComment)
        return StepInComment(xmlreader_detail::kCommentEnd, nodeComment, m_bInComment);
    if (m_bInCData)
        return StepInComment(xmlreader_detail::kCDataEnd, nodeCData, m_bInCData);
    if (m_bWaitingForValue) {
        StepWaitingForValue();
        return TRUE;
    }
    if (m_bInTag) {
        SkipBlanks();
        if (AtLineEnd()) {
            m_nPos = -1;
            return TRUE;
        }
    }
    if (m_bAfterTag) {
        StepAfterTag();
        return TRUE;
    }
    if (Current() == '<')
        return StepOpenTag();
    return StepInTag(Current());
}

BOOL CXmlReader::StepInComment(const char* pszEnd, int nKind, BOOL& bInSection)
{
    const int nEnd = m_strLine.Find(pszEnd, m_nPos);
    if (nEnd < 0) {
        m_nKind = nKind;
        m_nPos = LineLength();
        return TRUE;
    }
    bInSection = FALSE;
    m_bInTag = FALSE;
    m_bAfterTag = TRUE;
    m_strText.Empty();
    m_nPos = nEnd + static_cast<int>(strlen(pszEnd));
    return TRUE;
}

// A value may begin on a later line than its "=".
void CXmlReader::StepWaitingForValue()
{
    SkipBlanks();
    if (AtLineEnd()) {
        m_nPos = -1;
        return;
    }
    m_bWaitingForValue = FALSE;
    m_bInValue = TRUE;
    m_strAttrValue.Empty();
    const char ch = Current();
    if (ch == '"' || ch == '\'') {
        m_chQuote = ch;
        ++m_nPos;
    } else {
        m_chQuote = 0;
    }
    StepInValue();
}

// Collects value characters up to the value's end, or to the end of the line,
// where the value goes on with a line break.
void CXmlReader::StepInValue()
{
    if (AtLineEnd()) {
        m_strAttrValue += "\r\n";
        m_nPos = -1;
        return;
    }
    const int nStart = m_nPos;
    const char* pszEnds = m_chQuote == '"' ? "\"" : (m_chQuote == '\'' ? "'" : "\"'>");
    while (!AtLineEnd() && strchr(pszEnds, Current()) == nullptr)
        ++m_nPos;
    m_strAttrValue += m_strLine.Mid(nStart, m_nPos - nStart);
    if (AtLineEnd()) {
        m_strAttrValue += "\r\n";
        m_nPos = -1;
        return;
    }
    if (Current() != '>')
        ++m_nPos;  // the closing quote
    EndValue();
}

void CXmlReader::EndValue()
{
    m_bInValue = FALSE;
    m_chQuote = 0;
    m_nKind = nodeAttribute;
}

void CXmlReader::StepAfterTag()
{
    const int nStart = m_nPos;
    while (!AtLineEnd() && Current() != '<')
        ++m_nPos;
    m_strText = m_strLine.Mid(nStart, m_nPos - nStart);
    m_nKind = m_strText.IsEmpty() ? nodeNone : nodeText;
    if (!AtLineEnd())
        m_bAfterTag = FALSE;
}

BOOL CXmlReader::StepOpenTag()
{
    if (m_bInTag) {
        m_strStepError = "Bad '<' symbol";
        return FALSE;
    }
    m_bInTag = TRUE;
    m_bInComment = m_bInCData = m_bWaitingForValue = m_bAfterTag = FALSE;
    ++m_nPos;
    SkipBlanks();
    if (AtLineEnd()) {
        m_strStepError = "'<' symbol not allowed at the end of a line";
        return FALSE;
    }
    const char* pszRest = m_strLine.GetString() + m_nPos;
    if (strncmp(pszRest, xmlreader_detail::kCommentStart, 3) == 0) {
        m_bInComment = TRUE;
        m_nKind = nodeComment;
        m_nPos += 3;
        return TRUE;
    }
    if (strncmp(pszRest, xmlreader_detail::kCDataStart, 8) == 0) {
        m_bInCData = TRUE;
        m_nKind = nodeCData;
        m_nPos += 8;
        return TRUE;
    }
    const int nStart = m_nPos;
    while (!AtLineEnd()) {
        const char ch = Current();
        if (xmlreader_detail::IsBlank(ch) || ch == '>' || (ch == '/' && m_nPos > nStart))
            break;
        ++m_nPos;
    }
    const CString strName = m_strLine.Mid(nStart, m_nPos - nStart);
    if (strName.IsEmpty()) {
        m_strStepError = "Empty element name";
        return FALSE;
    }
    if (strName[0] == '!' || strName[0] == '?') {
        m_strDeclName = strName;
        m_strElementName.Empty();
        m_nKind = nodeDeclaration;
    } else if (strName[0] == '/') {
        m_strElementName = strName.Mid(1);
        m_nKind = nodeEndElement;
    } else {
        m_strElementName = strName;
        m_nKind = nodeStartElement;
    }
    return TRUE;
}

BOOL CXmlReader::StepInTag(char ch)
{
    switch (ch) {
    case '?':
        ++m_nPos;
        return TRUE;
    case '/':
        while (!AtLineEnd() && !xmlreader_detail::IsBlank(Current()) && Current() != '>')
            ++m_nPos;
        m_nKind = nodeEndElement;
        return TRUE;
    case '>':
        ++m_nPos;
        m_bInTag = FALSE;
        m_bAfterTag = TRUE;
        m_strText.Empty();
        return TRUE;
    default:
        break;
    }
    if (!m_bInTag) {
        m_strStepError = "Syntax error";
        return FALSE;
    }
    if (ch == '=') {
        ++m_nPos;
        m_bWaitingForValue = TRUE;
        return TRUE;
    }
    const int nStart = m_nPos;
    while (!AtLineEnd()) {
        const char c = Current();
        if (xmlreader_detail::IsBlank(c) || c == '=' || c == '>')
            break;
        ++m_nPos;
    }
    m_strAttrName = m_strLine.Mid(nStart, m_nPos - nStart);
    m_strAttrValue.Empty();
    if (m_strAttrName.IsEmpty()) {
        m_strStepError = "Missing attribute name before '='";
        return FALSE;
    }
    return TRUE;
}
