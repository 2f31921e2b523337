#include "session/ProfileFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "platform/mfc/CWinApp.h"
#include "platform/win32/kernel/Files.h"

namespace {

constexpr long kProfileTextSize = 1024;

_variant_t ProfileVariantArray(const std::vector<_variant_t>& items)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(items.size()));
    LONG index = 0;
    for (const _variant_t& item : items) {
        SafeArrayPutElement(array, &index, const_cast<_variant_t*>(&item));
        ++index;
    }
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_VARIANT;
    v.parray = array;
    return _variant_t(v, false);
}

std::vector<_variant_t> ProfileValues(const CProfileRow& row)
{
    return {_variant_t(static_cast<LPCTSTR>(row.m_NickName)),
            _variant_t(static_cast<LPCTSTR>(row.m_ServerName)),
            _variant_t(static_cast<LPCTSTR>(row.m_DatabaseName)),
            _variant_t(static_cast<LPCTSTR>(row.m_UserName)),
            _variant_t(static_cast<LPCTSTR>(row.m_PasswordName)),
            _variant_t(row.m_Identified != FALSE),
            _variant_t(row.m_Default != FALSE),
            _variant_t(row.m_AutoConn != FALSE),
            _variant_t(row.m_SavePwd != FALSE),
            _variant_t(row.m_Lock != FALSE)};
}

// A _com_error whose description is the text, as the user is to read it.
[[noreturn]] void RaiseProfileError(HRESULT hr, const CString& text)
{
    ICreateErrorInfo* create = nullptr;
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(::CreateErrorInfo(&create)) && create != nullptr) {
        create->SetDescription(_bstr_t(static_cast<LPCTSTR>(text)));
        create->SetSource(_bstr_t("Tarnwick"));
        create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
        create->Release();
    }
    _com_raise_error(hr, info);
}

// A fresh file with the ten fields and the one embedded-server row.
void MakeProfileFile(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    ADODB::_RecordsetPtr rs("ADODB.Recordset");
    rs->PutCursorLocation(ADODB::adUseClient);
    ADODB::FieldsPtr fields = rs->GetFields();
    for (int i = 0; i < 5; i++)
        fields->Append(kProfileFields[i], ADODB::adVarWChar, kProfileTextSize, ADODB::adFldIsNullable);
    for (int i = 5; i < 10; i++)
        fields->Append(kProfileFields[i], ADODB::adBoolean, 2, ADODB::adFldUnspecified);
    rs->Open(vtMissing, vtMissing, ADODB::adOpenStatic, ADODB::adLockBatchOptimistic, ADODB::adCmdUnspecified);
    CProfileFile::Append(rs, CProfileFile::EmbeddedProfile());
    rs->Save(path.c_str(), ADODB::adPersistXML);
    rs->Close();
}

void OpenProfileRecordset(const ADODB::_RecordsetPtr& rs)
{
    rs->Open(kProfileFile, "Provider=MSPersist;", ADODB::adOpenDynamic, ADODB::adLockOptimistic, ADODB::adCmdFile);
}

// TRUE when the open recordset has every profile field.
BOOL HasProfileFields(const ADODB::_RecordsetPtr& rs)
{
    ADODB::FieldsPtr fields = rs->GetFields();
    for (const char* name : kProfileFields) {
        ADODB::Field* field = nullptr;
        if (FAILED(fields->get_Item(_variant_t(name), &field)) || field == nullptr)
            return FALSE;
        field->Release();
    }
    return TRUE;
}

}  // namespace

CProfileRow CProfileFile::EmbeddedProfile()
{
    CProfileRow row;
    row.m_NickName = "Embedded";
    row.m_ServerName = "(embedded)";
    row.m_DatabaseName = "TarnSample";
    row.m_Identified = TRUE;
    row.m_Default = TRUE;
    return row;
}

void CProfileFile::Open(ADODB::_RecordsetPtr& rs)
{
    if (rs == nullptr)
        rs.CreateInstance("ADODB.Recordset");
    Close(rs);
    const std::string path = tw::MapPath(kProfileFile);
    std::error_code missing;
    if (!std::filesystem::exists(path, missing)) {
        MakeProfileFile(kProfileFile);
    } else if (!std::filesystem::is_regular_file(path, missing) || ::access(path.c_str(), R_OK) != 0) {
        // Nothing to put aside: it may be the user's, and it is not damaged.
        CString text;
        text.Format("The connection profiles in \"%s\" cannot be read: %s.", kProfileFile,
                    std::filesystem::is_regular_file(path, missing) ? std::strerror(errno) : "it is not a file");
        RaiseProfileError(E_ACCESSDENIED, text);
    }

    CString damage;
    try {
        OpenProfileRecordset(rs);
        if (HasProfileFields(rs))
            return;
        damage = "it lacks the profile fields";
        Close(rs);
    } catch (const _com_error& error) {
        damage = ErrorText(error);
    }

    // Not a profile file: kept beside it for whoever wants its text, and
    // replaced by a fresh one so the logon goes on.
    const std::string aside = tw::MapPath(kProfileFileAside);
    std::error_code failed;
    std::filesystem::rename(path, aside, failed);
    if (failed) {
        CString text;
        text.Format("The connection profiles in \"%s\" are damaged (%s) and cannot be put aside: %s.",
                    kProfileFile, static_cast<LPCTSTR>(damage), failed.message().c_str());
        RaiseProfileError(E_FAIL, text);
    }
    CString notice;
    notice.Format("The connection profiles in \"%s\" were damaged (%s).\n\nThe file was kept as \"%s\" and a new "
                  "one was made with the embedded server's profile.",
                  kProfileFile, static_cast<LPCTSTR>(damage), kProfileFileAside);
    AfxMessageBox(notice, MB_OK | MB_ICONEXCLAMATION);
    MakeProfileFile(kProfileFile);
    OpenProfileRecordset(rs);
}

void CProfileFile::Save(const ADODB::_RecordsetPtr& rs) { rs->Save(kProfileFile, ADODB::adPersistXML); }

void CProfileFile::Close(const ADODB::_RecordsetPtr& rs)
{
    if (rs != nullptr && rs->GetState() != ADODB::adStateClosed)
        rs->raw_Close();
}

BOOL CProfileFile::Find(const ADODB::_RecordsetPtr& rs, const std::function<BOOL(const CProfileRow&)>& visit)
{
    if (rs == nullptr || rs->GetState() == ADODB::adStateClosed || rs->GetRecordCount() == 0)
        return FALSE;
    rs->MoveFirst();
    for (; !rs->GetadoEOF(); rs->MoveNext()) {
        if (visit(Read(rs)))
            return TRUE;
    }
    return FALSE;
}

CString CProfileFile::Text(const ADODB::_RecordsetPtr& rs, LPCTSTR lpszField)
{
    const _variant_t value = rs->GetCollect(lpszField);
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return CString();
    return CString(static_cast<LPCTSTR>(static_cast<_bstr_t>(value)));
}

BOOL CProfileFile::Flag(const ADODB::_RecordsetPtr& rs, LPCTSTR lpszField)
{
    const _variant_t value = rs->GetCollect(lpszField);
    return value.vt == VT_BOOL && value.boolVal == VARIANT_TRUE;
}

CProfileRow CProfileFile::Read(const ADODB::_RecordsetPtr& rs)
{
    CProfileRow row;
    row.m_NickName = Text(rs, "m_NickName");
    row.m_ServerName = Text(rs, "m_ServerName");
    row.m_DatabaseName = Text(rs, "m_DatabaseName");
    row.m_UserName = Text(rs, "m_UserName");
    row.m_PasswordName = Text(rs, "m_PasswordName");
    row.m_Identified = Flag(rs, "m_Identified");
    row.m_Default = Flag(rs, "m_Default");
    row.m_AutoConn = Flag(rs, "m_AutoConn");
    row.m_SavePwd = Flag(rs, "m_SavePwd");
    row.m_Lock = Flag(rs, "m_Lock");
    return row;
}

void CProfileFile::Write(const ADODB::_RecordsetPtr& rs, const CProfileRow& row)
{
    const std::vector<_variant_t> values = ProfileValues(row);
    for (size_t i = 0; i < values.size(); i++)
        rs->PutCollect(kProfileFields[i], values[i]);
    rs->Update();
}

void CProfileFile::Append(const ADODB::_RecordsetPtr& rs, const CProfileRow& row)
{
    std::vector<_variant_t> names;
    for (const char* name : kProfileFields)
        names.emplace_back(name);
    rs->AddNew(ProfileVariantArray(names), ProfileVariantArray(ProfileValues(row)));
}

CString CProfileFile::ErrorText(const _com_error& error)
{
    const _bstr_t description = error.Description();
    if (description.length() > 0)
        return CString(static_cast<LPCTSTR>(description));
    return CString(error.ErrorMessage());
}
