// The fixed system objects the editor knows without asking the server: the
// general names every server holds and, while msdb is current, msdb's own
// tables and views.
#include "sqleditor/CustomerEditCtrl.h"

#include "sqleditor/BuiltinObjectNames.inc"
#include "sqleditor/CustomerEditCtrlCatalogue.h"

namespace tw::sqleditor {

namespace {

template <size_t N>
constexpr BuiltinNameGroup CatalogueGroup(const char* const (&names)[N], const char* group, int code)
{
    return {names, static_cast<int>(N), group, code};
}

constexpr BuiltinNameGroup kGeneralGroups[] = {
    CatalogueGroup(kBuiltinTables, "Table", CompletionTable),
    CatalogueGroup(kBuiltinViews, "View", CompletionView),
    CatalogueGroup(kBuiltinXPProcedures, "XPProcedure", CompletionXPProcedure),
    CatalogueGroup(kBuiltinFunctions, "Function", CompletionFunction),
    CatalogueGroup(kBuiltinProcedures, "Procedure", CompletionProcedure),
};

constexpr BuiltinNameGroup kMsdbGroups[] = {
    CatalogueGroup(kMsdbTables, "Table", CompletionTable),
    CatalogueGroup(kMsdbViews, "View", CompletionView),
};

} // namespace

std::span<const BuiltinNameGroup> GeneralCatalogue() { return kGeneralGroups; }

std::span<const BuiltinNameGroup> MsdbCatalogue() { return kMsdbGroups; }

} // namespace tw::sqleditor

namespace {

void AddCatalogueGroups(CCustomerEditCtrl& edit, std::span<const tw::sqleditor::BuiltinNameGroup> groups)
{
    for (const tw::sqleditor::BuiltinNameGroup& group : groups) {
        // While a group goes in, the member list holds only the group's name.
        edit.m_mapMemberList.RemoveAll();
        CString strCode;
        strCode.Format("%d", group.code);
        edit.m_mapMemberList.SetAt(group.group, strCode);
        for (int i = 0; i < group.count; ++i) {
            edit.m_mapKnownNames.SetAt(group.names[i], nullptr);
            edit.m_mapObjectTypes.SetAt(group.names[i], reinterpret_cast<void*>(static_cast<INT_PTR>(group.code)));
        }
    }
}

} // namespace

void CCustomerEditCtrl::AddBuiltinNames()
{
    AddCatalogueGroups(*this, tw::sqleditor::GeneralCatalogue());
}

void CCustomerEditCtrl::AddMsdbNames()
{
    AddCatalogueGroups(*this, tw::sqleditor::MsdbCatalogue());
}
