// The model's plain lists: names (a key's columns, the servers found) and
// lists of objects (permissions).
#pragma once

#include <string>
#include <vector>

#include "platform/com/Unknown.h"
#include "platform/dmo/DmoInterfaces.h"

namespace tw::dmo {

class NamesObject final : public tw::ComObject<SQLDMO::Names> {
public:
    explicit NamesObject(std::vector<std::string> names) : m_names(std::move(names)) {}

    long GetCount() override;
    _bstr_t Item(long index) override;
    _bstr_t GetText() override;

protected:
    void* FindInterface(REFIID riid) override;

private:
    std::vector<std::string> m_names;
};

struct PermissionFacts {
    SQLDMO::SQLDMO_PRIVILEGE_TYPE privilege = SQLDMO::SQLDMOPriv_Unknown;
    std::string grantee;
    bool granted = true;
    std::string objectName;
    std::string objectOwner;
};

class PermissionObject final : public tw::ComObject<SQLDMO::_Permission> {
public:
    explicit PermissionObject(PermissionFacts facts) : m_facts(std::move(facts)) {}

    SQLDMO::SQLDMO_PRIVILEGE_TYPE GetPrivilegeType() override { return m_facts.privilege; }
    _bstr_t GetPrivilegeTypeName() override;
    _bstr_t GetGrantee() override { return m_facts.grantee.c_str(); }
    VARIANT_BOOL GetGranted() override { return m_facts.granted ? VARIANT_TRUE : VARIANT_FALSE; }
    _bstr_t GetObjectName() override { return m_facts.objectName.c_str(); }
    _bstr_t GetObjectOwner() override { return m_facts.objectOwner.c_str(); }

private:
    PermissionFacts m_facts;
};

class ObjectListObject final : public tw::ComObject<SQLDMO::SQLObjectList> {
public:
    explicit ObjectListObject(std::vector<IUnknownPtr> items) : m_items(std::move(items)) {}

    long GetCount() override { return static_cast<long>(m_items.size()); }
    IUnknownPtr Item(long index) override;

private:
    std::vector<IUnknownPtr> m_items;
};

// The privilege's word ("Select", ...), or "" for an unknown one.
const char* PrivilegeName(SQLDMO::SQLDMO_PRIVILEGE_TYPE privilege);

} // namespace tw::dmo
