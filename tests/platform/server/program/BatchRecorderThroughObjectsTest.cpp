// A test driving the object models sees, through the recorder, the exact
// texts they hand the embedded server, per connection.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/ado/AdoInterfaces.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/server/BatchRecorder.h"

namespace recorder_through_objects {

bool Holds(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(BatchRecorderThroughObjects, SeesWhatAdoAndDmoSendAndTellsTheirConnectionsApart)
{
    tw::ado::RegisterClasses();
    tw::dmo::RegisterClasses();
    SQLDMO::_SQLServerPtr server;
    server.CreateInstance(SQLDMO::CLSID_SQLServer);
    ASSERT_TRUE(server);
    server->Connect("(embedded)", "sa", "");
    ADODB::_ConnectionPtr connection("ADODB.Connection");
    connection->Open("Provider=SQLOLEDB.1;User ID=sa;Password=;Initial Catalog=TarnSample;Data Source=(embedded)",
                     "", "", -1);

    tw::server::BatchRecorder recorder;
    const std::string dmoText = "use master;select name from sysusers where status > 0";
    SQLDMO::_QueryResultsPtr results = server->ExecuteWithResults(dmoText.c_str());
    ASSERT_TRUE(results);
    EXPECT_GT(results->GetRows(), 0);
    const std::string adoText = "use TarnSample; Select name From syscolumns Where id = object_id('orders');";
    _variant_t affected;
    connection->Execute(adoText.c_str(), &affected, ADODB::adCmdText);

    const auto spids = recorder.Spids();
    ASSERT_EQ(spids.size(), 2u) << "one connection each";
    const auto dmoTexts = recorder.TextsOf(spids[0]);
    const auto adoTexts = recorder.TextsOf(spids[1]);
    EXPECT_TRUE(Holds(dmoTexts, dmoText));
    EXPECT_FALSE(Holds(dmoTexts, adoText));
    EXPECT_EQ(adoTexts, std::vector<std::string>{adoText});
}

} // namespace recorder_through_objects
