#include <gtest/gtest.h>

#include <string>

#include "platform/ado/ConnectionString.h"

namespace {

struct ValueCase {
    const char* text;
    const char* password;
};

class AdoConnectionStringValue : public testing::TestWithParam<ValueCase> {};

TEST_P(AdoConnectionStringValue, QuotedAndBracedValuesKeepTheirSemicolonsAndBraces)
{
    std::string error;
    auto settings = tw::ado::ConnectionString::Parse(GetParam().text, &error);
    ASSERT_TRUE(settings) << error;
    EXPECT_EQ(settings->Get({"Password"}), GetParam().password);
    EXPECT_EQ(settings->Get({"User ID"}), "u");
    // Written out for a driver and read again, the value is the same.
    auto again = tw::ado::ConnectionString::Parse(settings->ToText({}), &error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(again->Get({"Password"}), GetParam().password);
}

INSTANTIATE_TEST_SUITE_P(Cases, AdoConnectionStringValue,
                         testing::Values(ValueCase{"Password=plain;User ID=u", "plain"},
                                         ValueCase{"Password=\"se;cret\";User ID=u", "se;cret"},
                                         ValueCase{"Password={se;cret};User ID=u", "se;cret"},
                                         ValueCase{"Password={a}}b;c} ;User ID=u", "a}b;c"},
                                         ValueCase{"Password={{x};User ID=u", "{x"},
                                         ValueCase{"Password={ padded };User ID=u", " padded "}));

TEST(AdoConnectionString, ABraceLeftOpenOrTextAfterItIsRefused)
{
    for (const char* text : {"Password={secret;User ID=u", "Password={a}b;User ID=u"}) {
        std::string error;
        EXPECT_FALSE(tw::ado::ConnectionString::Parse(text, &error)) << text;
        EXPECT_NE(error.find("Format of the initialization string is not valid"), std::string::npos) << text;
    }
}

}  // namespace
