// Long and deeply nested text: long chains of operators give SQL Server's
// answers, and text nested past the server's limits is refused with SQL
// Server's errors instead of exhausting the stack.
#include <pthread.h>

#include "ServerFixture.h"
#include "platform/server/Lexer.h"
#include "platform/server/Parser.h"
#include "platform/server/SqlError.h"
#include "platform/server/Translator.h"

namespace tw::server::test {

namespace {

std::string Repeat(const std::string& s, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += s;
    return out;
}

// "first op t op t ... op t" with `count` operators.
std::string Chain(const std::string& first, const std::string& op, const std::string& term, int count)
{
    return first + Repeat(" " + op + " " + term, count);
}

std::string NestedCase(int depth)
{
    return Repeat("CASE WHEN 1 = 1 THEN ", depth) + "7" + Repeat(" END", depth);
}

} // namespace

struct ChainCase {
    const char* name;
    std::string batch;
    const char* expected; // the single value, as text
};

class LongChainTest : public ServerTest, public ::testing::WithParamInterface<ChainCase> {};

TEST_P(LongChainTest, GivesSqlServersAnswer)
{
    const ResultSet r = Query(GetParam().batch);
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][0].ToText(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Chains, LongChainTest,
    ::testing::Values(
        ChainCase{"TwentyFiveAddedTerms", "SELECT " + Chain("1", "+", "1", 24), "25"},
        ChainCase{"NinetyNineOrs",
                  "SELECT CASE WHEN " + Chain("1 = 0", "OR", "1 = 0", 98) + " OR 2 = 2 THEN 'yes' ELSE 'no' END",
                  "yes"},
        ChainCase{"NinetyNineAnds",
                  "SELECT CASE WHEN " + Chain("1 = 1", "AND", "1 = 1", 98) + " AND 2 = 3 THEN 'yes' ELSE 'no' END",
                  "no"},
        ChainCase{"HundredConcatenations", "SELECT LEN(" + Chain("'a'", "+", "'b'", 100) + ")", "101"},
        ChainCase{"NinetyNineParentheses", "SELECT " + Repeat("(", 99) + "6 * 7" + Repeat(")", 99), "42"},
        ChainCase{"ThousandTermSum", "SELECT " + Chain("1", "+", "1", 999), "1000"},
        ChainCase{"ThousandTermOr",
                  "SELECT CASE WHEN " + Chain("1 = 0", "OR", "1 = 0", 998) + " OR 1 = 1 THEN 1 ELSE 0 END", "1"},
        // The chain folds from the left with each step's own rules.
        ChainCase{"NumbersThenText", "SELECT 1 + 2 + '3' + 4", "10"},
        ChainCase{"TextThenNumbers", "SELECT '1' + '2' + 3 + 4", "19"},
        ChainCase{"NullInAConcatenation", "SELECT 'a' + NULL + 'b' + 'c'", "NULL"},
        ChainCase{"SubtractionFromTheLeft", "SELECT 10 - 3 - 2 - 1", "4"},
        ChainCase{"BitOperatorsFromTheLeft", "SELECT 1 | 2 | 4 ^ 1", "6"},
        ChainCase{"MixedOperators", "SELECT 100 - 1 + 2 & 255 - 3", "98"}),
    [](const ::testing::TestParamInfo<ChainCase>& info) { return std::string(info.param.name); });

TEST_F(ServerTest, ConcatenatedVariablesGiveTheWholeString)
{
    const ResultSet r = Query("DECLARE @s varchar(10) SET @s = 'x' SELECT " + Chain("@s", "+", "@s", 100) + " + '!'");
    EXPECT_EQ(r.rows[0][0].ToText(), std::string(101, 'x') + "!");
    // Comparing a chained string follows the server's rules: no case.
    EXPECT_EQ(Query("SELECT CASE WHEN 'a' + 'b' + 'c' = 'ABC' THEN 1 ELSE 0 END").rows[0][0].ToText(), "1");
}

TEST_F(ServerTest, ChainsOfColumnsGiveEveryRowsValue)
{
    const ResultSet r = Query("CREATE TABLE #c (a varchar(5), b int, c int)\n"
                              "INSERT #c VALUES ('x', 1, 2) INSERT #c VALUES ('y', NULL, 5)\n"
                              "SELECT a + '-' + a + '-' + a, b + c + b + c, c - 1 - 1 - 1 FROM #c ORDER BY a");
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0][0].ToText(), "x-x-x");
    EXPECT_EQ(r.rows[0][1].ToText(), "6");
    EXPECT_EQ(r.rows[0][2].ToText(), "-1");
    EXPECT_EQ(r.rows[1][1].ToText(), "NULL");
    EXPECT_EQ(r.rows[1][2].ToText(), "2");
}

TEST_F(ServerTest, ChainStepsCheckEachIntermediateResult)
{
    // SQL Server overflows at the first step, though the whole would fit.
    const BufferedSink overflow = Run("SELECT 2147483647 + 1 - 1 + 0");
    ASSERT_TRUE(overflow.HasError());
    EXPECT_EQ(overflow.FirstError()->number, 8115);
    EXPECT_EQ(overflow.FirstError()->text, "Arithmetic overflow error converting expression to data type int.");
    const BufferedSink conversion = Run("SELECT 1 + 2 + 'x' + 3");
    ASSERT_TRUE(conversion.HasError());
    EXPECT_EQ(conversion.FirstError()->number, 245);
    EXPECT_EQ(conversion.FirstError()->text, "Conversion failed when converting the varchar value 'x' to data type int.");
    EXPECT_EQ(Query("SELECT CAST(2147483647 AS bigint) + 1 + 1 + 1").rows[0][0].ToText(), "2147483650");
}

struct DeepCase {
    const char* name;
    std::string batch;
    int error;
};

class TooDeepTest : public ServerTest, public ::testing::WithParamInterface<DeepCase> {};

TEST_P(TooDeepTest, IsRefusedWithSqlServersError)
{
    const BufferedSink sink = Run("PRINT 'ran'\n" + GetParam().batch);
    ASSERT_TRUE(sink.HasError());
    EXPECT_EQ(sink.FirstError()->number, GetParam().error);
    EXPECT_EQ(sink.FirstError()->severity, 15);
    // A compile error: nothing in the batch ran.
    for (const Message& m : sink.messages)
        EXPECT_NE(m.text, "ran");
    EXPECT_EQ(Query("SELECT 1 + 1").rows[0][0].ToText(), "2");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TooDeepTest,
    ::testing::Values(
        DeepCase{"Parentheses", "SELECT " + Repeat("(", 5000) + "1" + Repeat(")", 5000), 191},
        DeepCase{"UnclosedParentheses", "SELECT " + Repeat("(", 100000), 191},
        DeepCase{"Subqueries", "SELECT " + Repeat("(SELECT ", 3000) + "1" + Repeat(")", 3000), 191},
        DeepCase{"DerivedTables", "SELECT * FROM " + Repeat("(SELECT * FROM ", 3000) + "sysobjects" +
                                      Repeat(") AS t", 3000), 191},
        DeepCase{"BracketedJoins", "SELECT * FROM " + Repeat("(", 3000) + "sysobjects" + Repeat(")", 3000), 191},
        DeepCase{"Nots", "SELECT 1 WHERE " + Repeat("NOT ", 5000) + "1 = 1", 191},
        DeepCase{"Minuses", "SELECT " + Repeat("- ", 5000) + "1", 191},
        DeepCase{"FunctionCalls", "SELECT " + Repeat("ABS(", 3000) + "1" + Repeat(")", 3000), 191},
        DeepCase{"ThreeThousandCases", "SELECT " + NestedCase(3000), 125},
        DeepCase{"ElevenCases", "SELECT " + NestedCase(11), 125},
        DeepCase{"Ifs", Repeat("IF 1 = 1 ", 3000) + "PRINT 'deep'", 191},
        DeepCase{"Blocks", Repeat("BEGIN ", 3000) + "PRINT 'deep'" + Repeat(" END", 3000), 191},
        DeepCase{"Whiles", Repeat("WHILE 1 = 0 ", 3000) + "PRINT 'deep'", 191}),
    [](const ::testing::TestParamInfo<DeepCase>& info) { return std::string(info.param.name); });

TEST_F(ServerTest, CasesNestTenDeep)
{
    EXPECT_EQ(Query("SELECT " + NestedCase(10)).rows[0][0].ToText(), "7");
}

TEST_F(ServerTest, DynamicBatchesNestLikeProcedures)
{
    // Each EXEC of a string is a nesting level; the 33rd is refused, as SQL Server does.
    ASSERT_FALSE(Run("CREATE PROCEDURE SelfExec AS EXEC('EXEC SelfExec')").HasError());
    const BufferedSink sink = Run("EXEC SelfExec");
    Run("DROP PROCEDURE SelfExec");
    ASSERT_TRUE(sink.HasError());
    EXPECT_EQ(sink.FirstError()->number, 217);
    EXPECT_EQ(Query("SELECT @@NESTLEVEL").rows[0][0].ToText(), "0");
    EXPECT_EQ(Query("EXEC('SELECT @@NESTLEVEL')").rows[0][0].ToText(), "1");
}

namespace {

// Runs each batch on a thread of its own with the given stack and gives the
// first error of each ("" when it ran).
std::vector<std::string> RunOnAStackOf(size_t stackBytes, Session* session, const std::vector<std::string>& batches)
{
    struct Job {
        Session* session;
        const std::vector<std::string>& batches;
        std::vector<std::string> errors = {};
    };
    Job job{session, batches};
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, stackBytes);
    pthread_t thread;
    auto run = [](void* arg) -> void* {
        auto* j = static_cast<Job*>(arg);
        for (const std::string& batch : j->batches) {
            BufferedSink sink;
            j->session->Execute(batch, sink);
            j->errors.push_back(sink.HasError() ? sink.FirstError()->text : "");
        }
        return nullptr;
    };
    EXPECT_EQ(pthread_create(&thread, &attr, run, &job), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    return job.errors;
}

// The deepest text of each kind the server accepts.
std::vector<std::string> DeepestAccepted()
{
    return {"SELECT " + Repeat("(", 190) + "1" + Repeat(")", 190),
            "SELECT * FROM " + Repeat("(", 190) + "sysobjects" + Repeat(")", 190),
            Repeat("IF 1 = 1 BEGIN ", 99) + "SELECT 1" + Repeat(" END", 99)};
}

// The address checker's frames are several times larger than a plain build's.
#if defined(__SANITIZE_ADDRESS__)
constexpr size_t kFrameGrowth = 4;
#else
constexpr size_t kFrameGrowth = 1;
#endif

} // namespace

// The deepest text the server accepts runs on a thread with half of
// the usual 8 MB stack (it needs under 1 MB); under the address checker
// the stack grows with its frames.
TEST_F(ServerTest, DeepestAcceptedNestingFitsInHalfAStack)
{
    const std::vector<std::string> batches = DeepestAccepted();
    const std::vector<std::string> errors = RunOnAStackOf(kFrameGrowth * 4 * 1024 * 1024, session.get(), batches);
    ASSERT_EQ(errors.size(), batches.size());
    for (size_t i = 0; i < errors.size(); ++i)
        EXPECT_EQ(errors[i], "") << batches[i].substr(0, 40);
}

// A thread whose stack cannot hold text the server otherwise accepts is told
// it is nested too deeply, as text past the limit is, and the server still
// answers afterwards.
TEST_F(ServerTest, NestingBeyondTheThreadsStackIsRefusedNotOverflowed)
{
    const std::vector<std::string> batches = DeepestAccepted();
    const std::vector<std::string> errors = RunOnAStackOf(kNestingStackReserve + 64 * 1024, session.get(), batches);
    ASSERT_EQ(errors.size(), batches.size());
    for (size_t i = 0; i < errors.size(); ++i)
        EXPECT_EQ(errors[i], SqlError::NestedTooDeeply().what()) << batches[i].substr(0, 40);
    EXPECT_EQ(Query("SELECT " + Repeat("(", 20) + "6 * 7" + Repeat(")", 20)).rows[0][0].ToText(), "42");
}

TEST(NestingParserTest, NeverExhaustsTheStack)
{
    // Through the lexer and parser alone, as the fuzz target drives them.
    const std::string texts[] = {Repeat("(", 200000), Repeat("CASE WHEN ", 50000), Repeat("BEGIN ", 50000),
                                 Repeat("/* ", 100000), Repeat("IF 1=1 ", 50000) + "SELECT 1",
                                 "SELECT " + Repeat("1 + ", 100000) + "1", "SELECT " + Repeat("NOT ", 100000)};
    for (const std::string& text : texts) {
        try {
            const auto tokens = Lexer(text, true).Tokenize();
            Parser(tokens, text).ParseBatch();
        } catch (const SqlError& e) {
            EXPECT_GT(e.number, 0);
        }
    }
}

} // namespace tw::server::test
