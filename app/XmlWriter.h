// Writes an XML file line by line: the declaration before the first text,
// then whatever the elements write, indented by the writer's depth. The text
// goes to a temporary file beside the target, which Close renames over the
// target, so a reader never sees half a file; after Discard, Close drops the
// temporary file and the old file stays as it was.
#pragma once

#include <string>

#include "platform/mfc/CFile.h"

class CXmlWriter {
public:
    CXmlWriter();
    // Closes (and so completes the file) when the caller did not.
    virtual ~CXmlWriter();
    CXmlWriter(const CXmlWriter&) = delete;
    CXmlWriter& operator=(const CXmlWriter&) = delete;

    // Ignored once the file is open.
    void SetFilePath(const std::string& strPath);
    // Opens the file on first use (FALSE when it cannot be created; nothing
    // is written then) and writes the text as it is.
    virtual BOOL Write(const std::string& strText);
    // Completes the file. FALSE when it could not be completed or was
    // discarded; the old file is then untouched.
    BOOL Close();
    // What is written so far is not to replace the file: an export that
    // failed or was cancelled.
    void Discard() { m_bDiscard = TRUE; }

    int GetDepth() const { return m_nDepth; }
    void ChangeDepth(int nChange) { m_nDepth += nChange; }

private:
    BOOL OpenTemporaryFile();

    CFile* m_pFile;
    BOOL m_bOpen;
    BOOL m_bDeclarationWritten;
    BOOL m_bDiscard;
    BOOL m_bWriteFailed;
    std::string m_strFilePath;
    std::string m_strTempPath;
    int m_nDepth;
};
