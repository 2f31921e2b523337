#include "app/XmlWriter.h"

#include "app/XmlElement.h"
#include "platform/win32/kernel/Files.h"

CXmlWriter::CXmlWriter()
    : m_pFile(new CFile),
      m_bOpen(FALSE),
      m_bDeclarationWritten(FALSE),
      m_bDiscard(FALSE),
      m_bWriteFailed(FALSE),
      m_nDepth(0)
{
}

CXmlWriter::~CXmlWriter()
{
    Close();
    delete m_pFile;
}

void CXmlWriter::SetFilePath(const std::string& strPath)
{
    if (!m_bOpen)
        m_strFilePath = strPath;
}

BOOL CXmlWriter::OpenTemporaryFile()
{
    m_strTempPath = m_strFilePath + ".tmp";
    if (!m_pFile->Open(m_strTempPath.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone))
        return FALSE;
    m_bOpen = TRUE;
    m_bWriteFailed = FALSE;
    return TRUE;
}

BOOL CXmlWriter::Write(const std::string& strText)
{
    if (!m_bOpen && !OpenTemporaryFile())
        return FALSE;
    if (!m_bDeclarationWritten) {
        m_bDeclarationWritten = TRUE;
        const int nDepth = m_nDepth;
        m_nDepth = 0;
        CXmlElement declaration("xml");
        declaration.SetAttribute("version", "1.0");
        declaration.SetAttribute("encoding", "UTF-8");
        declaration.WriteDeclaration(this, 0);
        m_nDepth = nDepth;
    }
    try {
        m_pFile->Write(strText.data(), static_cast<UINT>(strText.size()));
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        m_bWriteFailed = TRUE;
        return FALSE;
    }
}

BOOL CXmlWriter::Close()
{
    BOOL bCompleted = TRUE;
    if (m_bOpen) {
        try {
            m_pFile->Flush();
            m_pFile->Close();
        } catch (CException* e) {
            e->Delete();
            m_pFile->Abort();
            m_bWriteFailed = TRUE;
        }
        bCompleted = !m_bDiscard && !m_bWriteFailed &&
                     MoveFileEx(m_strTempPath.c_str(), m_strFilePath.c_str(), MOVEFILE_REPLACE_EXISTING);
        if (!bCompleted)
            DeleteFile(m_strTempPath.c_str());
    }
    m_bOpen = FALSE;
    m_bDeclarationWritten = FALSE;
    m_bDiscard = FALSE;
    m_bWriteFailed = FALSE;
    m_nDepth = 0;
    return bCompleted;
}
