// Bounded random input through the lexer, parser and a live session: every
// batch ends with an answer or an error, never a crash or a hang.
#include <random>

#include "ServerFixture.h"
#include "platform/server/Lexer.h"
#include "platform/server/Parser.h"
#include "platform/server/SqlError.h"

namespace tw::server::test {

namespace {

const char* const kWords[] = {
    "SELECT", "FROM", "WHERE", "INSERT", "INTO", "VALUES", "UPDATE", "SET", "DELETE", "CREATE", "TABLE", "PROCEDURE",
    "AS", "BEGIN", "END", "IF", "ELSE", "WHILE", "DECLARE", "EXEC", "PRINT", "RAISERROR", "RETURN", "TOP", "ORDER",
    "BY", "GROUP", "HAVING", "UNION", "ALL", "JOIN", "ON", "LEFT", "CASE", "WHEN", "THEN", "NULL", "NOT", "AND", "OR",
    "IN", "LIKE", "BETWEEN", "IS", "CAST", "CONVERT", "int", "varchar(10)", "t1", "#t", "[a b]", "\"q\"", "@v", "@@ROWCOUNT",
    "'s'", "N'x'", "'unterminated", "0x1F", "1", "2.5", "-", "+", "*", "/", "%", "=", "<>", "(", ")", ",", ".", ";",
    "::", "--c\n", "/*", "*/", "GO", "USE", "TarnSample", "db_name()", "len", "object_id('t1')", "\n", "COMMIT",
    "ROLLBACK", "TRAN", "DBCC", "KILL", "WAITFOR", "DELAY", "'00:00:00.001'"};

std::string RandomBatch(std::mt19937& rng)
{
    std::uniform_int_distribution<size_t> word(0, std::size(kWords) - 1);
    std::uniform_int_distribution<int> length(1, 25), noise(0, 30);
    std::string batch;
    for (int i = length(rng); i > 0; --i) {
        if (noise(rng) == 0)
            batch += static_cast<char>(rng() % 256);
        else
            batch += kWords[word(rng)];
        batch += ' ';
    }
    return batch;
}

} // namespace

TEST(RandomInputTest, LexerAndParserNeverCrash)
{
    std::mt19937 rng(20261210);
    for (int i = 0; i < 20000; ++i) {
        const std::string batch = RandomBatch(rng);
        try {
            const auto tokens = Lexer(batch, i % 2 == 0).Tokenize();
            Parser(tokens, batch).ParseBatch();
        } catch (const SqlError& e) {
            EXPECT_GT(e.number, 0) << batch;
        }
    }
}

TEST_F(ServerTest, RandomBatchesEndWithAnAnswerOrAnError)
{
    session = NewSession("tempdb");
    ASSERT_TRUE(session);
    std::mt19937 rng(42);
    for (int i = 0; i < 1500; ++i) {
        const std::string batch = RandomBatch(rng);
        BufferedSink sink;
        const bool ok = session->Execute(batch, sink);
        EXPECT_EQ(ok, !sink.HasError()) << batch;
        // Whatever the batch did, the session still answers.
        if (session->TranCount() > 0) {
            BufferedSink rollback;
            session->Execute("ROLLBACK", rollback);
        }
    }
    EXPECT_EQ(Query("SELECT 1 + 1").rows[0][0].ToText(), "2");
}

} // namespace tw::server::test
