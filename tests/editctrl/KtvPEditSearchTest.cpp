// The search under find and replace: direction, letter case, whole words,
// the wrap round the text, the up-search step past the found occurrence,
// and the one pass of replace-all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editctrl/KtvPEditSearch.h"

namespace {

constexpr const char* kDelimiters = " \t\n,./?<>;:\"'{[}]~`%^&*()-+=!";

struct FindCase {
    const char* name;
    const char* text;
    const char* what;
    int start;
    BOOL down;
    BOOL matchCase;
    BOOL wholeWord;
    BOOL skipAtStart;
    int expected;  // -1: not found
};

class SearchFindTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(SearchFindTest, FindsTheNextOccurrence)
{
    const FindCase& c = GetParam();
    const CKtvPEditSearch search(c.text, c.what, CKtvPEditSearch::Options{c.down, c.matchCase, c.wholeWord},
                                 kDelimiters);
    int offset = -2;
    EXPECT_EQ(search.FindFrom(c.start, c.skipAtStart, offset), c.expected >= 0);
    EXPECT_EQ(offset, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchFindTest,
    ::testing::Values(
        FindCase{"WholeWordRefusesAPrefix", "abc", "ab", 0, TRUE, FALSE, TRUE, FALSE, -1},
        FindCase{"WholeWordTakesAWordBetweenDelimiters", "abc ab.", "ab", 0, TRUE, FALSE, TRUE, FALSE, 4},
        FindCase{"WithoutCaseLettersFold", "x SELECT", "select", 0, TRUE, FALSE, FALSE, FALSE, 2},
        FindCase{"WithCaseLettersCount", "x SELECT", "select", 0, TRUE, TRUE, FALSE, FALSE, -1},
        FindCase{"DownFromTheStart", "ab ab ab", "ab", 1, TRUE, FALSE, FALSE, FALSE, 3},
        FindCase{"DownWrapsToTheFirst", "x ab y ab", "ab", 9, TRUE, FALSE, FALSE, FALSE, 2},
        FindCase{"DownAtTheEndWrapsEvenForOneCharacter", "aba", "a", 3, TRUE, FALSE, FALSE, FALSE, 0},
        FindCase{"WrapFindsAnOccurrenceAcrossTheStart", "hello", "ll", 3, TRUE, FALSE, FALSE, FALSE, 2},
        FindCase{"UpFindsTheOneBefore", "ab ab ab", "ab", 6, FALSE, FALSE, FALSE, FALSE, 3},
        FindCase{"UpPassesTheOneEndingAtTheCaret", "ab ab ab", "ab", 8, FALSE, FALSE, FALSE, TRUE, 3},
        FindCase{"UpTakesTheOneEndingAtTheCaretWithoutASelection", "ab ab ab", "ab", 8, FALSE, FALSE, FALSE,
                 FALSE, 6},
        FindCase{"UpWrapsToTheLast", "ab x ab y", "ab", 1, FALSE, FALSE, FALSE, FALSE, 5},
        FindCase{"UpWithWholeWord", "abab ab", "ab", 7, FALSE, FALSE, TRUE, TRUE, -1},
        FindCase{"MultibyteTextKeepsByteOffsets", "\xc3\xa9t\xc3\xa9 T\xc3\xa9", "t\xc3\xa9", 0, TRUE, FALSE,
                 FALSE, FALSE, 2},
        FindCase{"EmptyFindTextFindsNothing", "abc", "", 0, TRUE, FALSE, FALSE, FALSE, -1},
        FindCase{"LongerThanTheText", "ab", "abc", 0, TRUE, FALSE, FALSE, FALSE, -1}),
    [](const ::testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

TEST(SearchFindAllTest, OnePassRoundTheTextWithoutOverlaps)
{
    struct Case {
        const char* text;
        const char* what;
        int start;
        BOOL down;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"aaa", "a", 0, TRUE, {0, 1, 2}},
        {"aaaa", "aa", 1, TRUE, {1}},  // the one across the start would overlap the first taken
        {"ab ab ab", "ab", 4, TRUE, {6, 0, 3}},
        {"ab ab ab", "ab", 4, FALSE, {0, 6, 3}},  // the one across the start comes last
        {"xyz", "a", 1, TRUE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.what + " from " + std::to_string(c.start));
        const CKtvPEditSearch search(c.text, c.what, CKtvPEditSearch::Options{c.down, FALSE, FALSE}, kDelimiters);
        EXPECT_EQ(search.FindAllFrom(c.start), c.expected);
    }
}

}  // namespace
