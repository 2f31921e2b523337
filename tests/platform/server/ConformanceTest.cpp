// Every statement text the program sends, run against the sample database and
// checked against SQL Server's answer: column names and types in order, rows,
// messages and errors. The list is conformance/statements.list; each entry's
// expectations are in conformance/<name>.case.
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "ServerFixture.h"

namespace tw::server::test {

struct ListedText {
    std::string name;
    std::string text;
};

namespace {

const std::filesystem::path kFolder = std::filesystem::path(TW_SOURCE_DIR) / "tests/platform/server/conformance";

std::string Unescape(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 'r' || s[i + 1] == 'n')) {
            out += s[i + 1] == 'r' ? '\r' : '\n';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::vector<ListedText> ListedTexts()
{
    std::vector<ListedText> texts;
    std::ifstream in(kFolder / "statements.list");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        texts.push_back({line.substr(0, tab), Unescape(line.substr(tab + 1))});
    }
    return texts;
}

std::map<std::string, std::string> ReadCase(const std::string& name)
{
    std::map<std::string, std::string> keys;
    std::ifstream in(kFolder / (name + ".case"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const size_t colon = line.find(": ");
        if (colon != std::string::npos)
            keys[line.substr(0, colon)] = Unescape(line.substr(colon + 2));
    }
    return keys;
}

std::vector<std::string> Split(const std::string& s, const std::string& separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = s.find(separator, start)) != std::string::npos; start = at + separator.size())
        parts.push_back(s.substr(start, at - start));
    parts.push_back(s.substr(start));
    return parts;
}

bool HasMessage(const BufferedSink& sink, int number, bool error)
{
    for (const Message& m : sink.messages)
        if (m.number == number && m.IsError() == error)
            return true;
    return false;
}

bool ContainsCell(const BufferedSink& sink, const std::string& text)
{
    for (const ResultSet& r : sink.resultSets)
        for (const Row& row : r.rows)
            for (const Value& v : row)
                if (v.ToText().find(text) != std::string::npos)
                    return true;
    return false;
}

} // namespace

TEST(ConformanceList, EveryListedTextHasACase)
{
    const auto texts = ListedTexts();
    ASSERT_GE(texts.size(), 45u);
    for (const ListedText& t : texts)
        EXPECT_TRUE(std::filesystem::exists(kFolder / (t.name + ".case"))) << "no case for " << t.name;
}

class ConformanceTest : public ServerTest, public ::testing::WithParamInterface<ListedText> {};

TEST_P(ConformanceTest, AnswersAsSqlServer)
{
    const ListedText& listed = GetParam();
    auto c = ReadCase(listed.name);
    ASSERT_FALSE(c.empty()) << "no case file for " << listed.name;
    session = NewSession(c["database"]);
    ASSERT_TRUE(session);
    if (c.count("setup")) {
        const BufferedSink setup = Run(c["setup"]);
        ASSERT_FALSE(setup.HasError()) << Describe(setup);
    }
    std::string text = listed.text;
    const size_t spid = text.find("{spid}");
    if (spid != std::string::npos)
        text.replace(spid, 6, std::to_string(session->Spid()));

    const BufferedSink sink = Run(text);
    if (c.count("cleanup"))
        Run(c["cleanup"]);

    if (c.count("error")) {
        EXPECT_TRUE(HasMessage(sink, std::stoi(c["error"]), true)) << Describe(sink);
    } else {
        EXPECT_FALSE(sink.HasError()) << Describe(sink);
    }
    if (c.count("message")) {
        EXPECT_TRUE(HasMessage(sink, std::stoi(c["message"]), false)) << Describe(sink);
    }
    if (c.count("resultsets")) {
        EXPECT_GE(sink.resultSets.size(), std::stoul(c["resultsets"]));
    }
    if (c.count("columns")) {
        ASSERT_FALSE(sink.resultSets.empty()) << Describe(sink);
        const ResultSet& r = sink.resultSets.front();
        const auto expected = Split(c["columns"], " | ");
        ASSERT_EQ(r.columns.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const size_t colon = expected[i].rfind(':');
            EXPECT_EQ(r.columns[i].name, expected[i].substr(0, colon)) << "column " << i;
            EXPECT_EQ(r.columns[i].typeName, expected[i].substr(colon + 1)) << r.columns[i].name;
        }
    }
    if (c.count("rows")) {
        ASSERT_FALSE(sink.resultSets.empty());
        EXPECT_GE(sink.resultSets.front().rows.size(), std::stoul(c["rows"]));
    }
    if (c.count("maxrows")) {
        EXPECT_LE(sink.resultSets.front().rows.size(), std::stoul(c["maxrows"]));
    }
    // "values <COLUMN>: a | b" lists that column's cells in the first result set, row by row.
    for (const auto& [key, expected] : c) {
        if (key.rfind("values ", 0) != 0)
            continue;
        ASSERT_FALSE(sink.resultSets.empty()) << Describe(sink);
        const ResultSet& r = sink.resultSets.front();
        const std::string column = key.substr(7);
        size_t at = 0;
        while (at < r.columns.size() && r.columns[at].name != column)
            ++at;
        ASSERT_LT(at, r.columns.size()) << "no column " << column;
        std::string cells;
        for (const Row& row : r.rows)
            cells += (cells.empty() ? "" : " | ") + row[at].ToText();
        EXPECT_EQ(cells, expected) << column;
    }
    if (c.count("contains")) {
        EXPECT_TRUE(ContainsCell(sink, c["contains"])) << "no cell holds: " << c["contains"];
    }
}

INSTANTIATE_TEST_SUITE_P(ProgramTexts, ConformanceTest, ::testing::ValuesIn(ListedTexts()),
                         [](const ::testing::TestParamInfo<ListedText>& info) { return info.param.name; });

} // namespace tw::server::test
