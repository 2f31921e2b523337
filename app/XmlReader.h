// Reads an XML file one small step at a time: every Read returns the next
// node (a start or end of an element, one attribute, text, a declaration,
// comment or CDATA) or kind 0 when the step completed nothing. It reads what
// the export writes, lines of any length, with attribute values that run
// over several lines (their line breaks come back as CR LF).
#pragma once

#include "platform/mfc/CStdioFile.h"
#include "platform/mfc/CString.h"

class CXmlReader {
public:
    enum NodeKind {
        nodeNone = 0,
        nodeStartElement = 1,
        nodeEndElement = 2,
        nodeAttribute = 3,
        nodeText = 4,
        nodeDeclaration = 5,
        nodeComment = 6,
        nodeCData = 7,
    };

    CXmlReader();
    virtual ~CXmlReader();
    CXmlReader(const CXmlReader&) = delete;
    CXmlReader& operator=(const CXmlReader&) = delete;

    // Ignored while the file is open.
    void SetFilePath(LPCTSTR lpszPath);
    // Parse errors also go to a message box (through the error-box hook).
    void SetShowErrors(BOOL bShow) { m_bShowErrors = bShow; }

    // FALSE at the end of the file, when the file cannot be opened (silently)
    // and after a parse error ("Parse error in line %d : (%s)").
    virtual BOOL Read();
    void Close();

    int GetNodeKind() const { return m_nKind; }
    const CString& GetElementName() const { return m_strElementName; }
    const CString& GetAttributeName() const { return m_strAttrName; }
    const CString& GetAttributeValue() const { return m_strAttrValue; }
    const CString& GetText() const { return m_strText; }
    const CString& GetDeclarationName() const { return m_strDeclName; }
    const CString& GetErrorText() const { return m_strError; }
    int GetLineNumber() const { return m_nLine; }

private:
    void ResetState();
    BOOL Open();
    // One tokenizing step from m_nPos; FALSE with m_strStepError on a fault.
    BOOL Step();
    BOOL StepInComment(const char* pszEnd, int nKind, BOOL& bInSection);
    void StepWaitingForValue();
    void StepInValue();
    void StepAfterTag();
    BOOL StepOpenTag();
    BOOL StepInTag(char ch);
    void EndValue();

    int LineLength() const { return m_strLine.GetLength(); }
    BOOL AtLineEnd() const { return m_nPos >= LineLength(); }
    char Current() const { return m_strLine[m_nPos]; }
    void SkipBlanks();

    CStdioFile m_file;
    BOOL m_bOpen;
    CString m_strPath;
    BOOL m_bShowErrors;
    CString m_strError;
    CString m_strStepError;

    CString m_strLine;
    int m_nPos;  // -1: the next line must be read
    int m_nLine;

    int m_nKind;
    CString m_strElementName;
    CString m_strText;
    CString m_strAttrName;
    CString m_strAttrValue;
    CString m_strDeclName;

    BOOL m_bInTag;
    BOOL m_bInComment;
    BOOL m_bInCData;
    BOOL m_bWaitingForValue;
    BOOL m_bAfterTag;
    // Inside an attribute value; m_chQuote is its quote, or 0 when unquoted.
    BOOL m_bInValue;
    char m_chQuote;
};
