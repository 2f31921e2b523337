#include "platform/com/ClassRegistry.h"
#include "platform/dmo/CatalogObjects.h"
#include "platform/dmo/DatabaseObject.h"
#include "platform/dmo/SqlServerObject.h"

namespace tw::dmo {

void RegisterClasses()
{
    using tw::com::ClassRegistry;
    ClassRegistry& registry = ClassRegistry::Instance();
    registry.Register(SQLDMO::CLSID_SQLServer, {"SQLDMO.SQLServer"}, ClassRegistry::FactoryOf<SqlServerObject>());
    registry.Register(SQLDMO::CLSID_Database, {"SQLDMO.Database"}, ClassRegistry::FactoryOf<DatabaseObject>());
    registry.Register(SQLDMO::CLSID_Table, {"SQLDMO.Table"}, ClassRegistry::FactoryOf<TableObject>());
    registry.Register(SQLDMO::CLSID_Column, {"SQLDMO.Column"}, ClassRegistry::FactoryOf<ColumnObject>());
    registry.Register(SQLDMO::CLSID_View, {"SQLDMO.View"}, ClassRegistry::FactoryOf<ViewObject>());
    registry.Register(SQLDMO::CLSID_UserDefinedDatatype, {"SQLDMO.UserDefinedDatatype"},
                      ClassRegistry::FactoryOf<UserDefinedDatatypeObject>());
    registry.Register(SQLDMO::CLSID_Default, {"SQLDMO.Default"}, ClassRegistry::FactoryOf<DefaultObject>());
    registry.Register(SQLDMO::CLSID_Rule, {"SQLDMO.Rule"}, ClassRegistry::FactoryOf<RuleObject>());
    registry.Register(SQLDMO::CLSID_User, {"SQLDMO.User"}, ClassRegistry::FactoryOf<UserObject>());
    registry.Register(SQLDMO::CLSID_StoredProcedure, {"SQLDMO.StoredProcedure"},
                      ClassRegistry::FactoryOf<StoredProcedureObject>());
    registry.Register(SQLDMO::CLSID_Index, {"SQLDMO.Index"}, ClassRegistry::FactoryOf<IndexObject>());
    registry.Register(SQLDMO::CLSID_Key, {"SQLDMO.Key"}, ClassRegistry::FactoryOf<KeyObject>());
    registry.Register(SQLDMO::CLSID_Trigger, {"SQLDMO.Trigger"}, ClassRegistry::FactoryOf<TriggerObject>());
    registry.Register(SQLDMO::CLSID_Check, {"SQLDMO.Check"}, ClassRegistry::FactoryOf<CheckObject>());
    registry.Register(SQLDMO::CLSID_Login, {"SQLDMO.Login"}, ClassRegistry::FactoryOf<LoginObject>());
    registry.Register(SQLDMO::CLSID_UserDefinedFunction, {"SQLDMO.UserDefinedFunction"},
                      ClassRegistry::FactoryOf<UserDefinedFunctionObject>());
}

} // namespace tw::dmo
