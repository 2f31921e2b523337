// The SET text that takes a session from one record of options to another:
// changed options only, in grid order, SHOWPLAN_TEXT apart.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "session/SessionOptions.h"

namespace {

struct SetTextCase {
    const char* name;
    std::function<void(CSessionOptions&)> change;
    const char* options;
    const char* showPlan;
};

class SessionSetTextTest : public ::testing::TestWithParam<SetTextCase> {};

TEST_P(SessionSetTextTest, ChangedOptionsInGridOrder)
{
    const SetTextCase& c = GetParam();
    const CSessionOptions from;
    CSessionOptions to = from;
    c.change(to);
    const CSessionSetText text = BuildSessionSetText(from, to);
    EXPECT_EQ(c.options, std::string(text.strOptions));
    EXPECT_EQ(c.showPlan, std::string(text.strShowPlan));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SessionSetTextTest,
    ::testing::Values(
        SetTextCase{"Nothing", [](CSessionOptions&) {}, "", ""},
        SetTextCase{"ArithabortNocountRowCount",
                    [](CSessionOptions& o) {
                        o.m_RowCount = 0;
                        o.m_Nocount = 1;
                        o.m_Arithabort = 0;
                    },
                    " Set Arithabort off Set Nocount on Set ROWCOUNT 0", ""},
        SetTextCase{"StatementWordsOfTheRows",
                    [](CSessionOptions& o) {
                        o.m_Quoted_Identifier = 0;
                        o.m_Concat_Null_Yields_Null = 0;
                        o.m_Statistics_Time = 1;
                        o.m_Statistics_IO = 1;
                        o.m_ANSI_NULL_DFLT_ON = 0;
                    },
                    " Set CONCAT_NULL_YIELDS_NULL off Set STATISTICS TIME on Set STATISTICS IO on"
                    " Set ANSI_NULL_DFLT_ON off Set Quoted_Identifier off",
                    ""},
        SetTextCase{"ShowPlanAlone",
                    [](CSessionOptions& o) {
                        o.m_ShowPlan_Text = 1;
                        o.m_Noexec = 1;
                    },
                    " Set Noexec on", " Set SHOWPLAN_TEXT on"},
        SetTextCase{"RowCountAtTheSpinsTop", [](CSessionOptions& o) { o.m_RowCount = 32765; }, " Set ROWCOUNT 32765",
                    ""}),
    [](const ::testing::TestParamInfo<SetTextCase>& info) { return std::string(info.param.name); });

}  // namespace
