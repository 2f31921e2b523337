#include <gtest/gtest.h>

#include <string>

#include "platform/com/ComSupport.h"

namespace {

struct MessageCase {
    HRESULT hr;
    const char* message;
    WORD wCode;
};

class ComErrorMessage : public testing::TestWithParam<MessageCase> {};

TEST_P(ComErrorMessage, UsesTheSystemTextOrTheFallback)
{
    const MessageCase& c = GetParam();
    _com_error error(c.hr);
    EXPECT_STREQ(error.ErrorMessage(), c.message);
    EXPECT_EQ(error.WCode(), c.wCode);
    EXPECT_EQ(error.Error(), c.hr);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ComErrorMessage,
    testing::Values(MessageCase{E_FAIL, "Unspecified error", 0},
                    MessageCase{E_NOINTERFACE, "No such interface supported", 0},
                    MessageCase{E_INVALIDARG, "The parameter is incorrect.", 0},
                    MessageCase{DISP_E_TYPEMISMATCH, "Type mismatch.", 0},
                    MessageCase{REGDB_E_CLASSNOTREG, "Class not registered", 0},
                    MessageCase{static_cast<HRESULT>(0x80040200L), "Unknown error 0x80040200", 0},
                    MessageCase{static_cast<HRESULT>(0x80040201L), "IDispatch error #1", 1},
                    MessageCase{static_cast<HRESULT>(0x80040E14L), "IDispatch error #3092", 3092},
                    MessageCase{static_cast<HRESULT>(0x8004FFFFL), "IDispatch error #65023", 65023},
                    MessageCase{static_cast<HRESULT>(0x80050001L), "Unknown error 0x80050001", 0},
                    MessageCase{static_cast<HRESULT>(0x12345L), "Unknown error 0x12345", 0}));

TEST(ComError, WCodesMapBothWays)
{
    EXPECT_EQ(_com_error::WCodeToHRESULT(1), static_cast<HRESULT>(0x80040201L));
    EXPECT_EQ(_com_error::WCodeToHRESULT(0xFE00), static_cast<HRESULT>(0x8004FFFFL));
    EXPECT_EQ(_com_error::HRESULTToWCode(E_FAIL), 0);
}

TEST(ComError, WithoutErrorInformationTheTextsAreEmpty)
{
    _com_error error(E_FAIL);
    EXPECT_TRUE(!error.Description());
    EXPECT_TRUE(!error.Source());
    EXPECT_EQ(error.ErrorInfo(), nullptr);
    EXPECT_EQ(error.HelpContext(), 0u);
    EXPECT_TRUE(error.GUID() == GUID_NULL);
}

// An object that leaves rich error information, as ADO's objects do.
class FailingObject : public tw::ComObject<ISupportErrorInfo> {
public:
    HRESULT InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }
    HRESULT Fail()
    {
        return tw::com::ReportError(E_FAIL, "Microsoft OLE DB Provider", "Invalid object name 'x'.");
    }
};

TEST(ComError, IssueErrorExCarriesTheThreadsErrorObject)
{
    auto* object = new FailingObject;
    const HRESULT hr = object->Fail();
    bool caught = false;
    try {
        _com_issue_errorex(hr, object->GetUnknown(), IID_IUnknown);
    } catch (const _com_error& error) {
        caught = true;
        EXPECT_EQ(error.Error(), E_FAIL);
        EXPECT_TRUE(error.Description() == "Invalid object name 'x'.");
        EXPECT_TRUE(error.Source() == "Microsoft OLE DB Provider");
        _com_error copy = error;
        EXPECT_TRUE(copy.Description() == error.Description()) << "copies share the error object";
    }
    EXPECT_TRUE(caught);
    IErrorInfo* left = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &left), S_FALSE) << "the error object was taken from the thread";
    object->Release();
}

TEST(ComError, ErrorInfoIsPerThreadAndTakenOnce)
{
    tw::com::ReportError(E_FAIL, "src", "desc");
    IErrorInfo* first = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &first), S_OK);
    BSTR description = nullptr;
    first->GetDescription(&description);
    EXPECT_EQ(tw::BstrToUtf8(description), "desc");
    SysFreeString(description);
    first->Release();
    IErrorInfo* second = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &second), S_FALSE);
    EXPECT_EQ(second, nullptr);
}

} // namespace
