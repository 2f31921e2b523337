#include "tests/platform/ado/AdoTestSupport.h"

using namespace ADODB;
using adotest::OpenEmbedded;
using adotest::Text;

TEST(AdoCommand, ParametersStandInForMarkersAsLiterals)
{
    _ConnectionPtr connection = OpenEmbedded();
    connection->Execute("create table Notes (id int, body varchar(40))", nullptr, adCmdText);
    _CommandPtr command("ADODB.Command");
    command->PutRefActiveConnection(connection);
    command->PutCommandText("insert into Notes values (?, ?)");
    ParametersPtr parameters = command->GetParameters();
    parameters->Append(command->CreateParameter("id", adInteger, adParamInput, 4, 1L));
    parameters->Append(command->CreateParameter("body", adVarChar, adParamInput, 40, "it's ? here"));
    _variant_t affected;
    command->Execute(&affected, nullptr, adCmdText);
    EXPECT_EQ(1, static_cast<long>(affected));

    _RecordsetPtr rs = connection->Execute("select body from Notes where id = 1", nullptr, adCmdText);
    EXPECT_EQ("it's ? here", Text(rs->GetCollect(0L)));
    EXPECT_EQ(connection.GetInterfacePtr(), command->GetActiveConnection().GetInterfacePtr());
}

TEST(AdoCommand, MarkersAndValuesMustAgree)
{
    _ConnectionPtr connection = OpenEmbedded();
    _CommandPtr command("ADODB.Command");
    command->PutRefActiveConnection(connection);
    command->PutCommandText("select ? + ?");
    command->GetParameters()->Append(command->CreateParameter("a", adInteger, adParamInput, 4, 1L));
    EXPECT_THROW(command->Execute(nullptr, nullptr, adCmdText), _com_error);
    command->GetParameters()->Append(command->CreateParameter("b", adInteger, adParamInput, 4, 2L));
    EXPECT_EQ(3, static_cast<long>(command->Execute(nullptr, nullptr, adCmdText)->GetCollect(0L)));
}

TEST(AdoCommand, WithoutAConnectionItFails)
{
    tw::ado::RegisterClasses();
    _CommandPtr command("ADODB.Command");
    command->PutCommandText("select 1");
    EXPECT_THROW(command->Execute(nullptr, nullptr, adCmdText), _com_error);
}
