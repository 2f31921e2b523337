// Find, replace and replace-all on the edit window, and its text stored to
// and loaded from a file.
#include "tests/editctrl/window/EditWindowFixture.h"

#include <cstdio>
#include <string>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CFile.h"

namespace ktvp_window_test {
namespace {

class EditFindTest : public EditWindowTest {
protected:
    void SetText(const char* text) { ::SendMessage(edit.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
    std::pair<int, int> Selection() const
    {
        int start = -1, end = -1;
        edit.GetSel(start, end);
        return {start, end};
    }
};

TEST_F(EditFindTest, FindSelectsTheOccurrenceAndRepeatedSearchesMoveOn)
{
    SetText("one two one two one");
    ASSERT_TRUE(edit.FindText("ONE", TRUE, FALSE, FALSE));
    EXPECT_EQ(Selection(), std::make_pair(0, 3));
    EXPECT_EQ(edit.GetCaretOffset(), 3);
    ASSERT_TRUE(edit.FindText("one", TRUE, FALSE, FALSE));
    EXPECT_EQ(Selection(), std::make_pair(8, 11));
    ASSERT_TRUE(edit.FindText("one", TRUE, FALSE, FALSE));
    ASSERT_TRUE(edit.FindText("one", TRUE, FALSE, FALSE));
    EXPECT_EQ(Selection(), std::make_pair(0, 3)) << "past the last one the search wraps";

    edit.SetCaret(19);
    ASSERT_TRUE(edit.FindText("one", FALSE, FALSE, FALSE));
    EXPECT_EQ(Selection(), std::make_pair(16, 19));
    ASSERT_TRUE(edit.FindText("one", FALSE, FALSE, FALSE));
    EXPECT_EQ(Selection(), std::make_pair(8, 11)) << "up twice: the selected one is not found again";

    EXPECT_FALSE(edit.FindText("One", TRUE, TRUE, FALSE));
    EXPECT_FALSE(edit.FindText("on", TRUE, FALSE, TRUE)) << "whole words only";
    EXPECT_EQ(Selection(), std::make_pair(8, 11)) << "a failed search changes nothing";
}

TEST_F(EditFindTest, ReplaceTakesTheFoundOccurrenceThenTheNextFromTheCaretAndUndoesInOneStep)
{
    SetText("a1 a2 a3");
    ASSERT_TRUE(edit.FindText("a", TRUE, FALSE, FALSE));
    ASSERT_TRUE(edit.ReplaceText("a", "bb", TRUE, FALSE, FALSE));
    EXPECT_EQ(Text(), "bb1 a2 a3") << "the occurrence the find selected is the one replaced";
    EXPECT_EQ(Selection(), std::make_pair(0, 2)) << "the inserted text is selected";
    EXPECT_TRUE(edit.IsModified());
    ASSERT_TRUE(edit.ReplaceText("a", "bb", TRUE, FALSE, FALSE));
    EXPECT_EQ(Text(), "bb1 bb2 a3") << "then the next one from the caret";
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "bb1 a2 a3");

    // A replacement that is itself an occurrence is not replaced again:
    // repeated Replace moves on.
    SetText("a b a");
    edit.SetCaret(0);
    ASSERT_TRUE(edit.FindText("a", TRUE, FALSE, FALSE));
    ASSERT_TRUE(edit.ReplaceText("a", "A", TRUE, FALSE, FALSE));
    EXPECT_EQ(Text(), "A b a");
    ASSERT_TRUE(edit.ReplaceText("a", "A", TRUE, FALSE, FALSE));
    EXPECT_EQ(Text(), "A b A");

    SetText("a1 a2 a3");
    edit.SetCaret(0);
    ASSERT_TRUE(edit.ReplaceText("a", "", TRUE, FALSE, FALSE));
    EXPECT_EQ(Text(), "1 a2 a3") << "an empty replace text deletes";
    EXPECT_FALSE(edit.ReplaceText("a", nullptr, TRUE, FALSE, FALSE)) << "no replace text at all";
    EXPECT_FALSE(edit.ReplaceText("zz", "y", TRUE, FALSE, FALSE));
}

TEST_F(EditFindTest, ReplaceAllMakesOnePassAndCounts)
{
    struct Case {
        const char* text;
        const char* find;
        const char* replace;
        int caret;
        BOOL wholeWord;
        const char* result;
        int count;
    };
    const Case cases[] = {
        {"aaa", "a", "b", 0, FALSE, "bbb", 3},
        {"aaa", "a", "ba", 0, FALSE, "bababa", 3},  // the replacement holds the find text
        {"aaa", "a", "a", 1, FALSE, "aaa", 3},      // replace text equals find text
        {"x.a a.x ab", "a", "A", 5, TRUE, "x.A A.x ab", 2},
        {"select SELECT", "select", "", 4, FALSE, " ", 2},
        {"abc", "z", "y", 0, FALSE, "abc", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + ": " + c.find + " -> " + c.replace);
        SetText(c.text);
        edit.SetCaret(c.caret);
        EXPECT_EQ(edit.ReplaceAll(c.find, c.replace, TRUE, FALSE, c.wholeWord), c.count);
        EXPECT_EQ(Text(), c.result);
    }
}

TEST_F(EditFindTest, ReplaceAllUndoesInOneStepAndLeavesTheLastReplacementSelected)
{
    SetText("cat dog cat dog cat");
    edit.SetCaret(5);
    ASSERT_EQ(edit.ReplaceAll("cat", "lion", TRUE, FALSE, FALSE), 3);
    EXPECT_EQ(Text(), "lion dog lion dog lion");
    EXPECT_EQ(Selection(), std::make_pair(0, 4)) << "the pass ended at the occurrence before the caret";
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "cat dog cat dog cat");
    ASSERT_TRUE(edit.Redo());
    EXPECT_EQ(Text(), "lion dog lion dog lion");
}

class EditFileTest : public EditFindTest {
protected:
    BOOL Store(const char* path)
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        const BOOL stored = edit.SerializeText(ar);
        ar.Close();
        return stored;
    }
    BOOL Load(const char* path)
    {
        CFile file(path, CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        return edit.SerializeText(ar);
    }
    static std::string FileBytes(const char* path)
    {
        std::string bytes;
        if (FILE* f = std::fopen(path, "rb")) {
            char buffer[256];
            size_t n = 0;
            while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
                bytes.append(buffer, n);
            std::fclose(f);
        }
        return bytes;
    }
    static void WriteFile(const char* path, const std::string& bytes)
    {
        FILE* f = std::fopen(path, "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
};

TEST_F(EditFileTest, StoresCrLfWithoutATerminatorAndIsSavedAfterwards)
{
    Type("select 1");
    Key(VK_RETURN);
    Type("go");
    ASSERT_TRUE(edit.IsModified());
    ASSERT_TRUE(Store("query.sql"));
    EXPECT_EQ(FileBytes("query.sql"), "select 1\r\ngo");
    EXPECT_FALSE(edit.IsModified());

    SetText("");
    WriteFile("empty.sql", "old text");
    ASSERT_TRUE(Store("empty.sql"));
    EXPECT_EQ(FileBytes("empty.sql"), "");
}

TEST_F(EditFileTest, LoadsByLengthKeepingTextAfterANulAndDroppingCarriageReturns)
{
    WriteFile("nul.sql", std::string("select 1\r\n\0tail\r\ngo", 19));
    ASSERT_TRUE(Load("nul.sql"));
    EXPECT_EQ(edit.GetTextLength(), 17);
    EXPECT_EQ(std::string(edit.GetBuffer().View()), std::string("select 1\n\0tail\ngo", 17));
    EXPECT_FALSE(edit.CanUndo()) << "loaded text is not an edit";
    EXPECT_FALSE(edit.IsModified());
    EXPECT_EQ(edit.GetLineFeedCount(), 2);

    ASSERT_TRUE(Store("again.sql"));
    EXPECT_EQ(FileBytes("again.sql"), std::string("select 1\r\n\0tail\r\ngo", 19)) << "nothing lost on the way back";
}

TEST_F(EditFileTest, AFailedWriteIsReportedAndTheTextStaysModified)
{
    static std::string reported;
    reported.clear();
    const tw::ErrorBoxFunction previous = tw::SetErrorBoxFunction([](LPCTSTR text, UINT, UINT) {
        reported = text != nullptr ? text : "<prompt>";
        return IDOK;
    });
    Type("select 1");
    WriteFile("readonly.sql", "old");
    {
        CFile file("readonly.sql", CFile::modeRead);
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        EXPECT_FALSE(edit.SerializeText(ar));
        ar.Abort();
    }
    tw::SetErrorBoxFunction(previous);
    EXPECT_FALSE(reported.empty()) << "the person is told";
    EXPECT_TRUE(edit.IsModified()) << "nothing was saved";
    EXPECT_EQ(FileBytes("readonly.sql"), "old");
}

}  // namespace
}  // namespace ktvp_window_test
