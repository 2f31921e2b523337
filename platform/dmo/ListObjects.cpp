#include "platform/dmo/ListObjects.h"

#include "platform/dmo/ServerLink.h"

namespace tw::dmo {

void* NamesObject::FindInterface(REFIID riid)
{
    if (IsEqualIID(riid, SQLDMO::IID_NameList))
        return static_cast<SQLDMO::NameList*>(this);
    return ComObject::FindInterface(riid);
}

long NamesObject::GetCount() { return static_cast<long>(m_names.size()); }

_bstr_t NamesObject::Item(long index)
{
    if (index < 1 || index > GetCount())
        RaiseDmoError(kDmoIndexOutOfRange, "The list has no item " + std::to_string(index) + ".");
    return m_names[static_cast<size_t>(index - 1)].c_str();
}

_bstr_t NamesObject::GetText()
{
    std::string text;
    for (const std::string& name : m_names)
        text += (text.empty() ? "" : ", ") + name;
    return text.c_str();
}

const char* PrivilegeName(SQLDMO::SQLDMO_PRIVILEGE_TYPE privilege)
{
    switch (privilege) {
    case SQLDMO::SQLDMOPriv_Select: return "Select";
    case SQLDMO::SQLDMOPriv_Insert: return "Insert";
    case SQLDMO::SQLDMOPriv_Update: return "Update";
    case SQLDMO::SQLDMOPriv_Delete: return "Delete";
    case SQLDMO::SQLDMOPriv_Execute: return "Execute";
    case SQLDMO::SQLDMOPriv_References: return "References";
    default: return "";
    }
}

_bstr_t PermissionObject::GetPrivilegeTypeName() { return PrivilegeName(m_facts.privilege); }

IUnknownPtr ObjectListObject::Item(long index)
{
    if (index < 1 || index > GetCount())
        RaiseDmoError(kDmoIndexOutOfRange, "The list has no item " + std::to_string(index) + ".");
    return m_items[static_cast<size_t>(index - 1)];
}

} // namespace tw::dmo
