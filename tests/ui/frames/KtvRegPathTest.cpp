#include <gtest/gtest.h>

#include "ui/frames/KtvRegPath.h"

namespace {

class KtvRegPathTest : public testing::Test {
protected:
    void TearDown() override { KtvSetRegistryNames(nullptr, nullptr); }
};

TEST_F(KtvRegPathTest, BuildsTheSectionPathFromTheApplicationNames)
{
    struct Case {
        const char* key;
        const char* profileName;
        const char* section;
        const char* profile;
        const char* expected;
    };
    const Case cases[] = {
        {"Corvane", "Tarnwick", "Settings", nullptr, "SOFTWARE\\Corvane\\Tarnwick\\Settings\\"},
        {"Corvane", "Tarnwick", "Settings", "", "SOFTWARE\\Corvane\\Tarnwick\\Settings\\"},
        {"", "Tarnwick", "KtvToolBars", nullptr, "SOFTWARE\\Tarnwick\\KtvToolBars\\"},
        {"Corvane", "Tarnwick", "Settings", "SOFTWARE\\Other\\Base\\", "SOFTWARE\\Other\\Base\\"},
        {"Corvane", "Tarnwick", "Anything", "not a path", "not a path"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        KtvSetRegistryNames(c.key, c.profileName);
        EXPECT_STREQ(KtvGetRegPath(c.section, c.profile), c.expected);
        CString strOut("old");
        KtvGetRegPath(strOut, c.section, c.profile);
        EXPECT_STREQ(strOut, c.expected);
    }
}

TEST_F(KtvRegPathTest, TwoArgumentCallsNeverWriteIntoTheirFirstArgument)
{
    KtvSetRegistryNames("Corvane", "Tarnwick");
    CString strSection("Settings");
    const CString strProfile;
    const CString strPath = KtvGetRegPath(strSection, strProfile);
    EXPECT_STREQ(strSection, "Settings");
    EXPECT_STREQ(strPath, "SOFTWARE\\Corvane\\Tarnwick\\Settings\\");
}

}  // namespace
