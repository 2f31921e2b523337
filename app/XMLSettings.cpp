#include "app/XMLSettings.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/mfc/CStdioFile.h"
#include "platform/win32/kernel/Files.h"
#include "platform/win32/kernel/KernelObjects.h"

IMPLEMENT_DYNCREATE(CXMLSettings, CKtvPRegistry)

namespace xmlsettings_detail {

std::recursive_mutex& TreeMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// The path's parts: a missing final backslash is supplied, so "A\B" and
// "A\B\" name the same node; a doubled backslash is an empty part.
std::vector<CString> SplitPath(LPCTSTR lpszPath)
{
    std::vector<CString> parts;
    CString strPath(lpszPath);
    if (strPath.IsEmpty())
        return parts;
    if (strPath[strPath.GetLength() - 1] != '\\')
        strPath += '\\';
    int nStart = 0;
    for (int nSlash = strPath.Find('\\'); nSlash >= 0; nSlash = strPath.Find('\\', nStart)) {
        parts.push_back(CXmlSettingsNode::RemoveBlanks(strPath.Mid(nStart, nSlash - nStart)));
        nStart = nSlash + 1;
    }
    return parts;
}

void ReportFileError(DWORD dwError, LPCTSTR lpszPath)
{
    CFileException error(CFileException::OsErrorToException(static_cast<LONG>(dwError)),
                         static_cast<LONG>(dwError), lpszPath);
    error.ReportError();
}

}  // namespace xmlsettings_detail

CXMLSettings::CXMLSettings() : m_pCurrentNode(nullptr)
{
    std::lock_guard lock(xmlsettings_detail::TreeMutex());
    if (Tree(FALSE).m_strName.IsEmpty())
        Tree(FALSE).m_strName = "CURRENT_USER";
    if (Tree(TRUE).m_strName.IsEmpty())
        Tree(TRUE).m_strName = "LOCAL_MACHINE";
}

CXMLSettings::~CXMLSettings()
{
    // The base destructor would close a registry key; this store holds none.
    m_hKey = nullptr;
}

CXmlSettingsNode& CXMLSettings::Tree(BOOL bAdmin)
{
    static CXmlSettingsNode currentUser;
    static CXmlSettingsNode localMachine;
    return bAdmin ? localMachine : currentUser;
}

CXmlSettingsNode* CXMLSettings::GetRootNode()
{
    return &Tree(m_bAdmin);
}

CXmlSettingsNode* CXMLSettings::WalkPath(CXmlSettingsNode& root, LPCTSTR lpszPath, BOOL bCreate)
{
    CXmlSettingsNode* pNode = &root;
    for (const CString& strPart : xmlsettings_detail::SplitPath(lpszPath)) {
        CXmlSettingsNode* pChild = pNode->FindChild(strPart);
        if (pChild == nullptr) {
            if (!bCreate)
                return nullptr;
            pChild = pNode->AddChild(strPart);
        }
        pNode = pChild;
    }
    return pNode;
}

// --- keys ------------------------------------------------------------------------

// The library's walks over stored keys and values take this store's answer
// as "nothing to enumerate" and keep to the keys they know by name.
BOOL CXMLSettings::ReadValues(CStringArray&)
{
    return FALSE;
}

BOOL CXMLSettings::ReadSubKeys(CStringArray&)
{
    return FALSE;
}

BOOL CXMLSettings::VerifyKey(LPCTSTR)
{
    return TRUE;
}

BOOL CXMLSettings::VerifyValue(LPCTSTR)
{
    return TRUE;
}

BOOL CXMLSettings::CreateKey(LPCTSTR lpszPath)
{
    if (m_bReadOnly)
        return FALSE;
    std::lock_guard lock(xmlsettings_detail::TreeMutex());
    m_pCurrentNode = WalkPath(*GetRootNode(), lpszPath, TRUE);
    return TRUE;
}

BOOL CXMLSettings::Open(LPCTSTR lpszPath)
{
    m_strPath = lpszPath;
    std::lock_guard lock(xmlsettings_detail::TreeMutex());
    m_pCurrentNode = WalkPath(*GetRootNode(), lpszPath, FALSE);
    return m_pCurrentNode != nullptr;
}

void CXMLSettings::Close() {}

BOOL CXMLSettings::DeleteValue(LPCTSTR lpszValueName)
{
    std::lock_guard lock(xmlsettings_detail::TreeMutex());
    if (m_pCurrentNode == nullptr)
        return FALSE;
    CXmlSettingsNode* pChild = m_pCurrentNode->FindChild(CString(lpszValueName));
    if (pChild == nullptr)
        return FALSE;
    m_pCurrentNode->DeleteChild(pChild);
    return TRUE;
}

BOOL CXMLSettings::DeleteKey(LPCTSTR lpszPath, BOOL bAdmin)
{
    if (m_bReadOnly)
        return FALSE;
    std::lock_guard lock(xmlsettings_detail::TreeMutex());
    CXmlSettingsNode* pNode = WalkPath(Tree(bAdmin), lpszPath, FALSE);
    if (pNode == nullptr || pNode->m_pParent == nullptr)
        return FALSE;
    // An object whose current node goes with the key must not keep it.
    for (const CXmlSettingsNode* p = m_pCurrentNode; p != nullptr; p = p->m_pParent) {
        if (p == pNode) {
            m_pCurrentNode = nullptr;
            break;
        }
    }
    pNode->m_pParent->DeleteChild(pNode);
    return TRUE;
}

// --- values ----------------------------------------------------------------------

BOOL CXMLSettings::SetValue(LPCTSTR lpszValueName, const CString& strValue)
{
    if (m_bReadOnly)
        return FALSE;
    std::lock_guard lock(xmlsettings_detail::TreeMutex());
    if (m_pCurrentNode == nullptr)
        return FALSE;
    const CString strName = CXmlSettingsNode::RemoveBlanks(lpszValueName);
    CXmlSettingsNode* pChild = m_pCurrentNode->FindChild(strName);
    if (pChild == nullptr)
        pChild = m_pCurrentNode->AddChild(strName);
    pChild->m_strValue = strValue;
    return TRUE;
}

const CXmlSettingsNode* CXMLSettings::FindValue(LPCTSTR lpszValueName) const
{
    if (m_pCurrentNode == nullptr)
        return nullptr;
    return m_pCurrentNode->FindChild(CXmlSettingsNode::RemoveBlanks(lpszValueName));
}

BOOL CXMLSettings::Write(LPCTSTR lpszValueName, LPBYTE pData, UINT nBytes)
{
    std::string hex;
    hex.reserve(static_cast<size_t>(nBytes) * 2);
    for (UINT i = 0; i < nBytes; ++i) {
        char pair[3];
        snprintf(pair, sizeof pair, "%02x", pData[i]);
        hex += pair;
    }
    return SetValue(lpszValueName, CString(hex.c_str()));
}

BOOL CXMLSettings::Write(LPCTSTR lpszValueName, const CPoint& point)
{
    if (m_bReadOnly)
        return FALSE;
    std::vector<BYTE> image;
    if (!BuildPointImage(point, image))
        return FALSE;
    return Write(lpszValueName, image.data(), static_cast<UINT>(image.size()));
}

BOOL CXMLSettings::Write(LPCTSTR lpszValueName, LPCTSTR lpszValue)
{
    return SetValue(lpszValueName, CString(lpszValue));
}

BOOL CXMLSettings::Write(LPCTSTR lpszValueName, DWORD dwValue)
{
    return Write(lpszValueName, static_cast<int>(dwValue));
}

BOOL CXMLSettings::Write(LPCTSTR lpszValueName, int nValue)
{
    char szValue[16];
    snprintf(szValue, sizeof szValue, "%d", nValue);
    return SetValue(lpszValueName, CString(szValue));
}

BOOL CXMLSettings::Read(LPCTSTR lpszValueName, BYTE** ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    std::lock_guard lock(xmlsettings_detail::TreeMutex());
    const CXmlSettingsNode* pValue = FindValue(lpszValueName);
    if (pValue == nullptr)
        return FALSE;
    const CString& strHex = pValue->m_strValue;
    if (strHex.GetLength() % 2 != 0)
        return FALSE;
    const UINT nBytes = static_cast<UINT>(strHex.GetLength() / 2);
    std::vector<BYTE> bytes(nBytes);
    for (UINT i = 0; i < nBytes; ++i) {
        const int nHigh = xmlsettings_detail::HexDigit(strHex[static_cast<int>(2 * i)]);
        const int nLow = xmlsettings_detail::HexDigit(strHex[static_cast<int>(2 * i + 1)]);
        if (nHigh < 0 || nLow < 0)
            return FALSE;
        bytes[i] = static_cast<BYTE>(nHigh * 16 + nLow);
    }
    // Never a null buffer for an empty value: callers test the pointer.
    *ppData = new BYTE[nBytes + 1];
    std::copy(bytes.begin(), bytes.end(), *ppData);
    *pBytes = nBytes;
    return TRUE;
}

BOOL CXMLSettings::Read(LPCTSTR lpszValueName, CPoint& point)
{
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!Read(lpszValueName, &pData, &nBytes))
        return FALSE;
    const BOOL bLoaded = LoadPointImage(pData, nBytes, point);
    delete[] pData;
    return bLoaded;
}

BOOL CXMLSettings::Read(LPCTSTR lpszValueName, CString& strValue)
{
    std::lock_guard lock(xmlsettings_detail::TreeMutex());
    const CXmlSettingsNode* pValue = FindValue(lpszValueName);
    if (pValue == nullptr) {
        strValue.Empty();
        return FALSE;
    }
    strValue = pValue->m_strValue;
    return TRUE;
}

BOOL CXMLSettings::Read(LPCTSTR lpszValueName, DWORD& dwValue)
{
    std::lock_guard lock(xmlsettings_detail::TreeMutex());
    const CXmlSettingsNode* pValue = FindValue(lpszValueName);
    if (pValue == nullptr)
        return FALSE;
    dwValue = static_cast<DWORD>(atol(pValue->m_strValue));
    return TRUE;
}

BOOL CXMLSettings::Read(LPCTSTR lpszValueName, int& nValue)
{
    std::lock_guard lock(xmlsettings_detail::TreeMutex());
    const CXmlSettingsNode* pValue = FindValue(lpszValueName);
    if (pValue == nullptr)
        return FALSE;
    nValue = atoi(pValue->m_strValue);
    return TRUE;
}

// --- the file ----------------------------------------------------------------------

BOOL CXMLSettings::LoadFromFile(BOOL bAdmin, LPCTSTR lpszPath)
{
    CStdioFile file;
    if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
        return FALSE;
    std::string text;
    try {
        CString strLine;
        while (file.ReadString(strLine))
            text += strLine.GetString();
        file.Close();
    } catch (CFileException* e) {
        e->ReportError();
        e->Delete();
        file.Abort();
        return FALSE;
    }

    std::lock_guard lock(xmlsettings_detail::TreeMutex());
    std::string_view rest = text;
    if (Tree(bAdmin).Parse(rest))
        return TRUE;
    CopyFile(lpszPath, CString(lpszPath) + ".bad", FALSE);
    return FALSE;
}

BOOL CXMLSettings::SaveToFile(BOOL bAdmin, LPCTSTR lpszPath)
{
    CString strText;
    {
        std::lock_guard lock(xmlsettings_detail::TreeMutex());
        Tree(bAdmin).AppendText(strText);
    }
    strText.Replace("\n", "\r\n");
    if (tw::WriteFileAtomically(lpszPath, std::string_view(strText.GetString(), strText.GetLength())))
        return TRUE;
    xmlsettings_detail::ReportFileError(GetLastError(), lpszPath);
    return FALSE;
}
