#include <gtest/gtest.h>

#include "platform/mfc/CWinApp.h"
#include "tests/support/ScopedAppNames.h"
#include "ui/frames/KtvRegPath.h"

namespace {

TEST(KtvRegPathTest, BuildsTheSectionPathFromTheRunningApplication)
{
    struct Case {
        const char* appName;
        const char* registryKey;
        const char* section;
        const char* profile;
        const char* expected;
    };
    const Case cases[] = {
        {"Tarnwick", "Corvane", "Settings", nullptr, "SOFTWARE\\Corvane\\Tarnwick\\Settings\\"},
        {"Tarnwick", "Corvane", "Settings", "", "SOFTWARE\\Corvane\\Tarnwick\\Settings\\"},
        {"Other", "Maker", "KtvToolBars", nullptr, "SOFTWARE\\Maker\\Other\\KtvToolBars\\"},
        {"Tarnwick", "", "KtvToolBars", nullptr, "SOFTWARE\\Tarnwick\\KtvToolBars\\"},
        {"Tarnwick", "Corvane", "Settings", "SOFTWARE\\Other\\Base\\", "SOFTWARE\\Other\\Base\\"},
        {"Tarnwick", "Corvane", "Anything", "not a path", "not a path"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        tw::test::ScopedAppNames names(c.appName, c.registryKey);
        ASSERT_EQ(AfxGetApp(), &names.App());
        EXPECT_STREQ(KtvGetRegPath(c.section, c.profile), c.expected);
        CString strOut("old");
        KtvGetRegPath(strOut, c.section, c.profile);
        EXPECT_STREQ(strOut, c.expected);
    }
}

// The path follows the application object as it is now, not as it was when
// the library first asked.
TEST(KtvRegPathTest, FollowsALaterChangeOfTheRegistryKey)
{
    tw::test::ScopedAppNames names("Tarnwick", "Corvane");
    EXPECT_STREQ(KtvGetRegPath("Settings"), "SOFTWARE\\Corvane\\Tarnwick\\Settings\\");
    names.App().SetRegistryKey("Elsewhere");
    EXPECT_STREQ(KtvGetRegPath("Settings"), "SOFTWARE\\Elsewhere\\Tarnwick\\Settings\\");
}

TEST(KtvRegPathTest, TwoArgumentCallsNeverWriteIntoTheirFirstArgument)
{
    tw::test::ScopedAppNames names("Tarnwick", "Corvane");
    CString strSection("Settings");
    const CString strProfile;
    const CString strPath = KtvGetRegPath(strSection, strProfile);
    EXPECT_STREQ(strSection, "Settings");
    EXPECT_STREQ(strPath, "SOFTWARE\\Corvane\\Tarnwick\\Settings\\");
}

}  // namespace
