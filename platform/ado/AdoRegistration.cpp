#include "platform/ado/AdoCommand.h"
#include "platform/ado/AdoConnection.h"
#include "platform/ado/AdoRecordset.h"
#include "platform/com/ClassRegistry.h"

namespace tw::ado {

void RegisterClasses()
{
    auto& registry = tw::com::ClassRegistry::Instance();
    registry.Register(ADODB::CLSID_Connection, {"ADODB.Connection", "ADODB.Connection.2.8"},
                      tw::com::ClassRegistry::FactoryOf<ConnectionObject>());
    registry.Register(ADODB::CLSID_Recordset, {"ADODB.Recordset", "ADODB.Recordset.2.8"},
                      tw::com::ClassRegistry::FactoryOf<RecordsetObject>());
    registry.Register(ADODB::CLSID_Command, {"ADODB.Command", "ADODB.Command.2.8"},
                      tw::com::ClassRegistry::FactoryOf<CommandObject>());
}

} // namespace tw::ado
