// The script language around the statements: definitions and includes,
// conditionals, expressions, string escapes, comments and continuations.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/tools/rc/RcTestSupport.h"

namespace tw::rc::test {
namespace {

// Each expression compiled as a DWORD of an RCDATA block.
DWORD EvaluateInScript(const std::string& prelude, const std::string& expression)
{
    const auto bytes = CompileOne(prelude + "\n1 RCDATA BEGIN (" + expression + ") | 0L END\n", 10, 1);
    EXPECT_EQ(bytes.size(), 4u);
    if (bytes.size() != 4)
        return 0;
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (DWORD(bytes[3]) << 24);
}

TEST(RcScriptText, ExpressionsFollowPrecedenceAndParentheses)
{
    struct Case {
        const char* expression;
        DWORD value;
    };
    const Case cases[] = {
        {"1 + 2 | 8", 11},          {"(1 | 2) + 4", 7},          {"10 - 2 - 3", 5},
        {"-1", 0xFFFFFFFF},         {"~0x0F & 0xFF", 0xF0},      {"0x10 + 010 + 10", 16 + 8 + 10},
        {"2 * 3 + 4", 10},          {"NOT 1 & 7", 6},            {"A | B", 0x30},
        {"C - 1", 0x2F},            {"WS_CHILD | WS_VISIBLE", 0x50000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(EvaluateInScript("#define A 0x10\n#define B 0x20\n#define C (A | B)", c.expression), c.value);
    }
}

TEST(RcScriptText, StringEscapesAndJoinedLiterals)
{
    const auto resources = CompileScriptText(R"(STRINGTABLE
BEGIN
    1 "say ""hi""\n\tand \\ \x41\x00e9"
    2 "one " "two"
END
)", "test.rc");
    std::string one, two;
    ASSERT_EQ(resources.size(), 1u);
    const std::vector<BYTE>& block = resources[0].data;
    // Slot 0 is empty; slot 1 starts at byte 2.
    const WORD length = block[2] | (block[3] << 8);
    std::u16string units;
    for (WORD i = 0; i < length; ++i)
        units += static_cast<char16_t>(block[4 + 2 * i] | (block[5 + 2 * i] << 8));
    EXPECT_EQ(units, u"say \"hi\"\n\tand \\ A\u00e9");
    const size_t second = 4 + 2 * length;
    EXPECT_EQ(block[second], 7);
}

TEST(RcScriptText, CommentsAndContinuationsKeepLineNumbers)
{
    const auto resources = CompileScriptText(R"(/* a comment
   over lines */ 1 RCDATA // trailing
BEGIN 1, /* inside */ 2 END
#define LONG_VALUE 1 + \
    2
2 RCDATA BEGIN LONG_VALUE END
3 RCDATA BEGIN "// not a comment" END
)", "test.rc");
    ASSERT_EQ(resources.size(), 3u);
    EXPECT_EQ(resources[0].where.line, 2);
    EXPECT_EQ(resources[0].data, Bytes({1, 0, 2, 0}));
    EXPECT_EQ(resources[1].where.line, 6);
    EXPECT_EQ(resources[1].data, Bytes({3, 0}));
    EXPECT_EQ(std::string(resources[2].data.begin(), resources[2].data.end()), "// not a comment");
}

TEST(RcScriptText, ConditionalsChooseOneBranch)
{
    const auto resources = CompileScriptText(R"(
#define FEATURE 2
#if FEATURE > 1 && defined(FEATURE)
1 RCDATA BEGIN 1 END
#elif 1
1 RCDATA BEGIN 2 END
#else
1 RCDATA BEGIN 3 END
#endif
#ifndef FEATURE
2 RCDATA BEGIN 4 END
#else
#  ifdef MISSING
2 RCDATA BEGIN 5 END
#  endif
2 RCDATA BEGIN 6 END
#endif
#undef FEATURE
#ifdef FEATURE
3 RCDATA BEGIN 7 END
#endif
)", "test.rc");
    ASSERT_EQ(resources.size(), 2u);
    EXPECT_EQ(resources[0].data, Bytes({1, 0}));
    EXPECT_EQ(resources[1].data, Bytes({6, 0}));
}

TEST(RcScriptText, IdHeaderDefinesAndCodeInHeadersIsIgnored)
{
    std::filesystem::create_directories("inc");
    {
        std::ofstream header("inc/script_ids.h");
        header << "#pragma once\n#define IDD_MAIN 100\n#define IDS_NAME (IDD_MAIN + 1)\n"
                  "struct NotForScripts { int x; };\nint function(void);\n";
    }
    const auto resources = CompileScriptText(
        "#include \"script_ids.h\"\nIDD_MAIN RCDATA BEGIN IDS_NAME END\nnamed RCDATA BEGIN 0 END\n", "test.rc", {"inc"});
    ASSERT_EQ(resources.size(), 2u);
    EXPECT_EQ(resources[0].nameId, 100);
    EXPECT_EQ(resources[0].data, Bytes({101, 0}));
    // An undefined name is a named resource, in capitals.
    EXPECT_EQ(resources[1].nameText, "NAMED");
}

TEST(RcScriptText, KeywordsIgnoreLetterCaseAndBracesStandForBeginEnd)
{
    const auto resources = CompileScriptText("1 toolbar 16, 15 { button 5 separator }\n", "test.rc");
    ASSERT_EQ(resources.size(), 1u);
    EXPECT_EQ(resources[0].data, Bytes({1, 0, 16, 0, 15, 0, 2, 0, 5, 0, 0, 0}));
}

TEST(RcScriptText, DataFromAFileBesideTheScript)
{
    std::filesystem::create_directories("scripts/data");
    {
        std::ofstream data("scripts/data/settings.txt", std::ios::binary);
        data << "<OPTIONS>\r\n\t1\r\n";
    }
    {
        std::ofstream script("scripts/main.rc");
        script << "148 EDITOR_XML_SETTINGS \"data\\\\settings.txt\"\n";
    }
    std::vector<std::string> filesRead;
    const auto resources = CompileScriptFiles({"scripts/main.rc"}, {}, &filesRead);
    ASSERT_EQ(resources.size(), 1u);
    EXPECT_EQ(resources[0].typeName, "EDITOR_XML_SETTINGS");
    EXPECT_EQ(std::string(resources[0].data.begin(), resources[0].data.end()), "<OPTIONS>\r\n\t1\r\n");
    // The build re-runs the compiler when the data file changes.
    bool listed = false;
    for (const std::string& file : filesRead)
        listed = listed || file.find("settings.txt") != std::string::npos;
    EXPECT_TRUE(listed);
}

}  // namespace
}  // namespace tw::rc::test
