#include "app/RegistryXml.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "app/RegistryExportCancel.h"
#include "app/RegistryValueText.h"
#include "app/XmlElement.h"
#include "platform/mfc/CException.h"
#include "platform/win32/registry/Registry.h"
#include "platform/win32/user/winuser.h"

namespace regxml_detail {

struct RootName {
    const char* name;
    HKEY hKey;
};

const RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT}, {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {"HKEY_USERS", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
};

HKEY RootFromName(const CString& strName)
{
    for (const auto& root : kRoots) {
        if (strName.CompareNoCase(root.name) == 0)
            return root.hKey;
    }
    return nullptr;
}

constexpr const char* kDefaultName = "(Default)";
constexpr const char* kValueNotSet = "(value not set)";
constexpr unsigned kCancelCheckInterval = 50;

// Keys dumped by every export of the run: the cancel check falls on the
// first and every 50th after it.
std::atomic<unsigned> g_nKeysDumped{0};

bool CancelRequested()
{
    if (g_nKeysDumped.fetch_add(1) % kCancelCheckInterval != 0)
        return false;
    CRegistryExportCancel* pCancel = CRegistryExportCancel::Installed();
    return pCancel != nullptr && pCancel->IsCancelRequested();
}

struct ValueEntry {
    CString strName;
    CString strText;
    DWORD dwType;
};

// The key's values sorted by name without case, the default value first.
// FALSE when they cannot be read.
BOOL ReadValueList(HKEY hKey, std::vector<ValueEntry>& values)
{
    DWORD nMaxName = 0;
    DWORD nMaxData = 0;
    if (RegQueryInfoKey(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &nMaxName, &nMaxData,
                        nullptr, nullptr) != ERROR_SUCCESS)
        return FALSE;
    std::vector<char> name(nMaxName + 1);
    std::vector<BYTE> data(nMaxData + 1);
    for (DWORD nIndex = 0;; ++nIndex) {
        DWORD nNameChars = nMaxName + 1;
        DWORD nDataBytes = nMaxData + 1;
        DWORD dwType = 0;
        const LSTATUS status =
            RegEnumValue(hKey, nIndex, name.data(), &nNameChars, nullptr, &dwType, data.data(), &nDataBytes);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            return FALSE;
        ValueEntry entry{CString(name.data(), static_cast<int>(nNameChars)),
                         CRegistryValueText::DataToText(dwType, data.data(), nDataBytes), dwType};
        if (entry.strName.IsEmpty()) {
            entry.strName = kDefaultName;
            if (nDataBytes == 0) {
                entry.strText = kValueNotSet;
                entry.dwType = REG_SZ;
            }
        }
        values.push_back(entry);
    }
    std::stable_sort(values.begin(), values.end(), [](const ValueEntry& a, const ValueEntry& b) {
        const bool bDefaultA = a.strName == kDefaultName;
        const bool bDefaultB = b.strName == kDefaultName;
        if (bDefaultA != bDefaultB)
            return bDefaultA;
        return a.strName.CompareNoCase(b.strName) < 0;
    });
    return TRUE;
}

bool IsUnsetDefault(const ValueEntry& entry)
{
    return entry.strName == kDefaultName && entry.strText == kValueNotSet;
}

std::string Escaped(const CString& strText)
{
    return CRegistryValueText::Escape(strText).GetString();
}

class TreeDumper {
public:
    TreeDumper(CXmlWriter* pWriter, BOOL bKeysAsTags) : m_pWriter(pWriter), m_bKeysAsTags(bKeysAsTags) {}

    BOOL Dump(HKEY hKey, const CString& strName);

private:
    BOOL WriteValueElements(const std::vector<ValueEntry>& values);
    BOOL DumpSubKeys(HKEY hKey);

    CXmlWriter* m_pWriter;
    BOOL m_bKeysAsTags;
};

BOOL TreeDumper::Dump(HKEY hKey, const CString& strName)
{
    DWORD nSubKeys = 0;
    DWORD nValues = 0;
    if (RegQueryInfoKey(hKey, nullptr, nullptr, nullptr, &nSubKeys, nullptr, nullptr, &nValues, nullptr, nullptr,
                        nullptr, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const BOOL bNamed = !strName.IsEmpty();
    BOOL bOpened = FALSE;
    CXmlElement element(m_bKeysAsTags ? Escaped(strName) : std::string("k"));
    if (bNamed && !m_bKeysAsTags) {
        element.SetAttribute("name", Escaped(strName));
        bOpened = nSubKeys > 0 || nValues > 0;
        const BOOL bWritten = bOpened ? element.WriteStartTag(m_pWriter, 1, TRUE, TRUE)
                                      : element.WriteEmptyElement(m_pWriter, 1, TRUE, TRUE);
        if (!bWritten)
            return FALSE;
    }
    if (CancelRequested())
        return FALSE;

    std::vector<ValueEntry> values;
    if (!ReadValueList(hKey, values))
        return FALSE;
    if (!m_bKeysAsTags) {
        if (!WriteValueElements(values))
            return FALSE;
    } else if (bNamed) {
        for (const ValueEntry& entry : values) {
            if (!IsUnsetDefault(entry))
                element.SetAttribute(Escaped(entry.strName), Escaped(entry.strText));
        }
        bOpened = nSubKeys > 0;
        const BOOL bWritten = bOpened ? element.WriteStartTag(m_pWriter, 1, TRUE, TRUE)
                                      : element.WriteEmptyElement(m_pWriter, 1, TRUE, TRUE);
        if (!bWritten)
            return FALSE;
    }
    if (!DumpSubKeys(hKey))
        return FALSE;
    if (bOpened && !element.WriteEndTag(m_pWriter, -1, TRUE, TRUE))
        return FALSE;
    return TRUE;
}

BOOL TreeDumper::WriteValueElements(const std::vector<ValueEntry>& values)
{
    for (const ValueEntry& entry : values) {
        if (IsUnsetDefault(entry))
            continue;
        CXmlElement value("v");
        value.SetAttribute("name", Escaped(entry.strName));
        value.SetAttribute("value", Escaped(entry.strText));
        if (entry.dwType != REG_SZ && entry.dwType != REG_NONE)
            value.SetAttribute("type", Escaped(CRegistryValueText::TypeName(entry.dwType)));
        if (!value.WriteEmptyElement(m_pWriter, 1, TRUE, TRUE))
            return FALSE;
    }
    return TRUE;
}

BOOL TreeDumper::DumpSubKeys(HKEY hKey)
{
    for (DWORD nIndex = 0;; ++nIndex) {
        char szName[1024];
        DWORD nChars = sizeof szName;
        const LSTATUS status = RegEnumKeyEx(hKey, nIndex, szName, &nChars, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            return TRUE;
        if (status != ERROR_SUCCESS)
            return FALSE;
        HKEY hSubKey = nullptr;
        if (RegOpenKeyEx(hKey, szName, 0, KEY_READ, &hSubKey) != ERROR_SUCCESS)
            return FALSE;
        const BOOL bDumped = Dump(hSubKey, szName);
        RegCloseKey(hSubKey);
        if (!bDumped)
            return FALSE;
    }
}

std::vector<CString> SplitKeyPath(const CString& strPath)
{
    std::vector<CString> parts;
    int nStart = 0;
    for (;;) {
        const int nSlash = strPath.Find('\\', nStart);
        const CString strPart = nSlash < 0 ? strPath.Mid(nStart) : strPath.Mid(nStart, nSlash - nStart);
        if (!strPart.IsEmpty())
            parts.push_back(strPart);
        if (nSlash < 0)
            return parts;
        nStart = nSlash + 1;
    }
}

BOOL ExportOpenKey(CXmlWriter* pWriter, BOOL bKeysAsTags, HKEY hKey, const std::vector<CString>& parts)
{
    TreeDumper dumper(pWriter, bKeysAsTags);
    const size_t nWrapping = bKeysAsTags ? parts.size() - 1 : parts.size();
    std::vector<std::unique_ptr<CXmlElement>> wrappers;
    for (size_t i = 0; i < nWrapping; ++i) {
        wrappers.push_back(std::make_unique<CXmlElement>(bKeysAsTags ? Escaped(parts[i]) : std::string("k")));
        if (!bKeysAsTags)
            wrappers.back()->SetAttribute("name", Escaped(parts[i]));
        if (!wrappers.back()->WriteStartTag(pWriter, 1, TRUE, TRUE))
            return FALSE;
    }
    if (!dumper.Dump(hKey, bKeysAsTags ? parts.back() : CString()))
        return FALSE;
    for (size_t i = wrappers.size(); i-- > 0;) {
        if (!wrappers[i]->WriteEndTag(pWriter, -1, TRUE, TRUE))
            return FALSE;
    }
    return TRUE;
}

}  // namespace regxml_detail

BOOL ExportRegistryToXml(CXmlWriter* pWriter, BOOL bKeysAsTags, const std::string& strKeyPath)
{
    const CString strPath(strKeyPath.c_str());
    const std::vector<CString> parts = regxml_detail::SplitKeyPath(strPath);
    const int nSlash = strPath.Find('\\');
    const HKEY hRoot = parts.empty() ? nullptr
                                     : regxml_detail::RootFromName(nSlash < 0 ? strPath : strPath.Left(nSlash));
    HKEY hKey = nullptr;
    if (hRoot == nullptr ||
        RegOpenKeyEx(hRoot, nSlash < 0 ? "" : strPath.Mid(nSlash + 1).GetString(), 0, KEY_READ, &hKey) !=
            ERROR_SUCCESS) {
        pWriter->Discard();
        return FALSE;
    }
    const BOOL bExported = regxml_detail::ExportOpenKey(pWriter, bKeysAsTags, hKey, parts);
    RegCloseKey(hKey);
    if (!bExported)
        pWriter->Discard();
    return bExported;
}

// --- import ---------------------------------------------------------------------

namespace regxml_detail {

void ShowImportMessage(const CString& strText)
{
    tw::ShowErrorBox(strText, MB_OK, 0);
}

class TreeImporter {
public:
    ~TreeImporter() { CloseAll(); }

    // FALSE when the import must stop.
    BOOL OnNode(CXmlReader& reader);
    BOOL Succeeded() const { return m_bSucceeded; }

private:
    struct OpenKey {
        CString strPart;
        HKEY hKey;
    };

    BOOL PushKey(const CString& strPart);
    void PopKey();
    void CloseAll();
    void WritePendingValue();
    void ClearPendingValue();

    std::vector<OpenKey> m_keys;
    CString m_strValueName;
    CString m_strValueText;
    CString m_strValueType;
    BOOL m_bSucceeded = TRUE;
};

BOOL TreeImporter::OnNode(CXmlReader& reader)
{
    const CString strElement = CRegistryValueText::Unescape(reader.GetElementName());
    const bool bKey = strElement.CompareNoCase("k") == 0;
    const bool bValue = strElement.CompareNoCase("v") == 0;
    switch (reader.GetNodeKind()) {
    case CXmlReader::nodeAttribute: {
        const CString strName = CRegistryValueText::Unescape(reader.GetAttributeName());
        const CString strText = CRegistryValueText::Unescape(reader.GetAttributeValue());
        if (bKey && strName.CompareNoCase("name") == 0)
            return PushKey(strText);
        if (!bValue)
            return TRUE;
        if (strName.CompareNoCase("name") == 0) {
            ClearPendingValue();
            m_strValueName = strText;
        } else if (strName.CompareNoCase("value") == 0) {
            m_strValueText = strText;
            m_strValueType.Empty();
        } else if (strName.CompareNoCase("type") == 0) {
            m_strValueType = strText;
        }
        return TRUE;
    }
    case CXmlReader::nodeEndElement:
        if (bValue && !m_keys.empty()) {
            WritePendingValue();
            ClearPendingValue();
        } else if (bKey && !m_keys.empty()) {
            PopKey();
        }
        return TRUE;
    default:
        return TRUE;
    }
}

BOOL TreeImporter::PushKey(const CString& strPart)
{
    m_keys.push_back({strPart, nullptr});
    const HKEY hRoot = RootFromName(m_keys.front().strPart);
    if (hRoot == nullptr) {
        m_bSucceeded = FALSE;
        return FALSE;
    }
    CString strSubKey;
    for (size_t i = 1; i < m_keys.size(); ++i) {
        if (i > 1)
            strSubKey += "\\";
        strSubKey += m_keys[i].strPart;
    }
    if (RegCreateKeyEx(hRoot, strSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                       &m_keys.back().hKey, nullptr) != ERROR_SUCCESS) {
        m_keys.back().hKey = nullptr;
        CString strMessage;
        strMessage.Format("couldn't create key %s\\%s", m_keys.front().strPart.GetString(), strSubKey.GetString());
        ShowImportMessage(strMessage);
        m_bSucceeded = FALSE;
        return FALSE;
    }
    return TRUE;
}

void TreeImporter::PopKey()
{
    if (m_keys.back().hKey != nullptr)
        RegCloseKey(m_keys.back().hKey);
    m_keys.pop_back();
}

void TreeImporter::CloseAll()
{
    while (!m_keys.empty())
        PopKey();
}

void TreeImporter::ClearPendingValue()
{
    m_strValueName.Empty();
    m_strValueText.Empty();
    m_strValueType.Empty();
}

void TreeImporter::WritePendingValue()
{
    const HKEY hKey = m_keys.back().hKey;
    if (hKey == nullptr)
        return;
    const bool bDefault = m_strValueName.CompareNoCase(kDefaultName) == 0;
    const DWORD dwType = CRegistryValueText::TypeFromName(m_strValueType);
    std::vector<BYTE> data;
    if (!CRegistryValueText::TextToData(dwType, m_strValueText, data) ||
        RegSetValueEx(hKey, bDefault ? "" : m_strValueName.GetString(), 0, dwType, data.data(),
                      static_cast<DWORD>(data.size())) != ERROR_SUCCESS) {
        CString strMessage;
        strMessage.Format("couldn't set value %s", m_strValueName.GetString());
        ShowImportMessage(strMessage);
    }
}

}  // namespace regxml_detail

BOOL ImportRegistryFromXml(CXmlReader& reader, const std::string& strFilePath)
{
    reader.SetShowErrors(TRUE);
    reader.SetFilePath(strFilePath.c_str());
    BOOL bSucceeded = TRUE;
    {
        regxml_detail::TreeImporter importer;
        while (reader.Read()) {
            if (!importer.OnNode(reader))
                break;
        }
        bSucceeded = importer.Succeeded();
    }
    reader.Close();
    return bSucceeded;
}
