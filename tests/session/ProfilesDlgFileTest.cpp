// The profiles dialog when a nickname is taken and when the profile file
// cannot be written: the file keeps what it had and the user is told.
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "platform/win32/kernel/Files.h"
#include "session/LogonIds.h"
#include "session/ProfilesDlg.h"
#include "tests/session/LogonTestSupport.h"

namespace {

using logontest::ListItems;
using logontest::LogonTest;
using logontest::MessageBoxes;
using logontest::Scripted;
using ProfilesFileScripted = Scripted<CLogonHistoryDlg>;

std::string ProfilesFileBytes()
{
    std::ifstream in(tw::MapPath(kProfileFile), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// While it lives, no regular file this process writes may grow past a few
// bytes. Unlike folder permissions this holds for root too, so every write of
// the profile file fails (with "File too large") while nothing else changes.
class FileSizeLimit {
public:
    FileSizeLimit()
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = saved_;
        tiny.rlim_cur = 16;
        applied_ = setrlimit(RLIMIT_FSIZE, &tiny) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Applied() const { return applied_; }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
    bool applied_ = false;
};

class ProfilesDlgFileTest : public LogonTest {
protected:
    static void Type(ProfilesFileScripted& d, int nID, const char* text) { ::SetWindowText(d.Item(nID), text); }
    static void SelectEntry(ProfilesFileScripted& d, int nItem)
    {
        LVITEM item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessage(d.Item(IDC_TW_PROFILE_LIST), LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item));
    }
    static void Run(std::vector<std::function<void(ProfilesFileScripted&)>> steps)
    {
        ProfilesFileScripted dlg;
        dlg.steps = std::move(steps);
        dlg.steps.push_back([](ProfilesFileScripted& d) { d.Press(IDCANCEL); });
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    static std::vector<std::string> Nicknames()
    {
        std::vector<std::string> names;
        for (const CProfileRow& row : ReadProfiles())
            names.emplace_back(static_cast<LPCTSTR>(row.m_NickName));
        return names;
    }
};

// A row's nickname may hold blanks (a nickname is appended as typed), while
// the lookup for an update uses the trimmed text: a new entry typed exactly
// like such a row finds no row to update and meets the taken nickname.
TEST_F(ProfilesDlgFileTest, TakenNicknameIsRefusedAfterTheSimilarQuestion)
{
    struct Case {
        const char* name;
        std::vector<CProfileRow> rows;
        std::deque<int> answers;
        std::vector<std::string> expected;
    };
    const CProfileRow similar = Row("near", "srv", "db", TRUE);
    const CProfileRow taken = Row(" dup ", "other", "elsewhere", TRUE);
    const std::vector<Case> cases = {
        {"taken row first: only the message", {taken, similar}, {}, {"This nickname has been existed!"}},
        {"similar row first: the question, then the message",
         {similar, taken},
         {IDYES},
         {"Similar connection has been existed,will you be sure of create other connect?",
          "This nickname has been existed!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteProfiles(c.rows);
        const std::string before = ProfilesFileBytes();
        MessageBoxes boxes(c.answers);
        Run({[&](ProfilesFileScripted& d) {
            d.Press(ID_TW_PROFILE_NEW);
            Type(d, IDC_TW_PROFILE_NICKNAME, " dup ");
            Type(d, IDC_TW_PROFILE_SERVER, "srv");
            Type(d, IDC_TW_PROFILE_DATABASE, "db");
            ::SendMessage(d.Item(IDC_TW_PROFILE_WINDOWS_AUTH), BM_CLICK, 0, 0);
            d.Press(ID_TW_PROFILE_SAVE);
        }});
        EXPECT_EQ(c.expected, boxes.texts);
        EXPECT_EQ(before, ProfilesFileBytes());
    }
}

TEST_F(ProfilesDlgFileTest, FailedWriteKeepsTheFileAndTellsTheUser)
{
    struct Case {
        const char* name;
        int command;
        const char* message;
        std::vector<std::string> listAfter;
    };
    const std::vector<Case> cases = {
        {"delete", ID_TW_PROFILE_DELETE, "The profile could not be deleted: ", {"a", "b"}},
        {"save", ID_TW_PROFILE_SAVE, "The profile could not be saved: ", {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteProfiles({Row("a", "s1", "d1", TRUE), Row("b", "s2", "d2", TRUE)});
        const std::string before = ProfilesFileBytes();
        MessageBoxes boxes;
        bool applied = false;
        Run({[&](ProfilesFileScripted& d) {
            SelectEntry(d, 1);
            Type(d, IDC_TW_PROFILE_SERVER, "changed");
            {
                FileSizeLimit limit;
                applied = limit.Applied();
                d.Press(c.command);
            }
            EXPECT_EQ(c.listAfter, ListItems(d.Item(IDC_TW_PROFILE_LIST)));
        }});
        ASSERT_TRUE(applied) << "the file size limit could not be set";
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_EQ(0u, boxes.texts[0].rfind(c.message, 0)) << boxes.texts[0];
        EXPECT_NE(std::string::npos, boxes.texts[0].find("ProData.dat")) << boxes.texts[0];
        EXPECT_EQ(before, ProfilesFileBytes());
    }
}

TEST_F(ProfilesDlgFileTest, AfterAFailedWriteTheNextOneSucceeds)
{
    WriteProfiles({Row("a", "s1", "d1", TRUE), Row("b", "s2", "d2", TRUE)});
    MessageBoxes boxes;
    Run({[&](ProfilesFileScripted& d) {
        SelectEntry(d, 1);
        {
            FileSizeLimit limit;
            d.Press(ID_TW_PROFILE_DELETE);
        }
        d.Press(ID_TW_PROFILE_DELETE);
        EXPECT_EQ((std::vector<std::string>{"a"}), ListItems(d.Item(IDC_TW_PROFILE_LIST)));
    }});
    EXPECT_EQ(1u, boxes.texts.size());
    EXPECT_EQ((std::vector<std::string>{"a"}), Nicknames());
}

}  // namespace
