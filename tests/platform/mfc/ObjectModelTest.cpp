#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CObject.h"
#include "platform/win32/winerror.h"

class CModelBase : public CObject {
    DECLARE_DYNAMIC(CModelBase)
};
IMPLEMENT_DYNAMIC(CModelBase, CObject)

class CModelCreatable : public CModelBase {
    DECLARE_DYNCREATE(CModelCreatable)
};
IMPLEMENT_DYNCREATE(CModelCreatable, CModelBase)

class CModelSerial : public CModelCreatable {
    DECLARE_SERIAL(CModelSerial)
};
IMPLEMENT_SERIAL(CModelSerial, CModelCreatable, VERSIONABLE_SCHEMA | 2)

namespace object_model_test {

TEST(RuntimeClasses, KindOfFollowsTheBaseChain)
{
    CModelSerial serial;
    EXPECT_TRUE(serial.IsKindOf(RUNTIME_CLASS(CModelCreatable)));
    EXPECT_TRUE(serial.IsKindOf(RUNTIME_CLASS(CModelBase)));
    EXPECT_TRUE(serial.IsKindOf(RUNTIME_CLASS(CObject)));
    CModelCreatable creatable;
    EXPECT_FALSE(creatable.IsKindOf(RUNTIME_CLASS(CModelSerial)));
    EXPECT_EQ(creatable.GetRuntimeClass(), RUNTIME_CLASS(CModelCreatable));
    EXPECT_TRUE(RUNTIME_CLASS(CModelSerial)->IsDerivedFrom(RUNTIME_CLASS(CModelBase)));
    EXPECT_FALSE(RUNTIME_CLASS(CModelBase)->IsDerivedFrom(RUNTIME_CLASS(CModelSerial)));
}

TEST(RuntimeClasses, RecordsCarryNameSizeAndSchema)
{
    const CRuntimeClass* pClass = RUNTIME_CLASS(CModelSerial);
    EXPECT_STREQ(pClass->m_lpszClassName, "CModelSerial");
    EXPECT_EQ(pClass->m_nObjectSize, static_cast<int>(sizeof(CModelSerial)));
    EXPECT_EQ(pClass->m_wSchema, VERSIONABLE_SCHEMA | 2);
    EXPECT_EQ(RUNTIME_CLASS(CModelBase)->m_wSchema, 0xFFFFu);
    CModelSerial serial;
    CModelCreatable creatable;
    EXPECT_TRUE(serial.IsSerializable());
    EXPECT_FALSE(creatable.IsSerializable());
}

TEST(RuntimeClasses, CreatesObjectsByClassAndByName)
{
    std::unique_ptr<CObject> byClass(RUNTIME_CLASS(CModelCreatable)->CreateObject());
    ASSERT_NE(byClass, nullptr);
    EXPECT_EQ(byClass->GetRuntimeClass(), RUNTIME_CLASS(CModelCreatable));

    EXPECT_EQ(CRuntimeClass::FromName("CModelSerial"), RUNTIME_CLASS(CModelSerial));
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("cmodelserial"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    std::unique_ptr<CObject> byName(CRuntimeClass::CreateObject("CModelSerial"));
    ASSERT_NE(byName, nullptr);
    EXPECT_TRUE(byName->IsKindOf(RUNTIME_CLASS(CModelSerial)));

    // Dynamic-only classes are known by name but cannot be made.
    EXPECT_EQ(CRuntimeClass::FromName("CModelBase"), RUNTIME_CLASS(CModelBase));
    EXPECT_EQ(RUNTIME_CLASS(CModelBase)->CreateObject(), nullptr);
}

TEST(RuntimeClasses, TheLibrarysOwnClassesAreFoundByName)
{
    // Archives name these classes; lookup must not depend on which library
    // or translation unit registered them first.
    for (const char* name : {"CObList", "CStringList", "CObArray", "CByteArray", "CWordArray", "CDWordArray",
                             "CStringArray", "CMapStringToString", "CMapStringToOb", "CFileException"}) {
        const CRuntimeClass* pClass = CRuntimeClass::FromName(name);
        ASSERT_NE(pClass, nullptr) << name;
        EXPECT_STREQ(pClass->m_lpszClassName, name);
    }
    std::unique_ptr<CObject> list(CRuntimeClass::CreateObject("CObList"));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->IsSerializable());
}

TEST(RuntimeClasses, DynamicDowncastAnswersNullForOtherClasses)
{
    CModelCreatable creatable;
    CObject* pObject = &creatable;
    EXPECT_EQ(DYNAMIC_DOWNCAST(CModelBase, pObject), &creatable);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CModelSerial, pObject), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CModelSerial, static_cast<CObject*>(nullptr)), nullptr);
}

// --- exceptions --------------------------------------------------------------

TEST(Exceptions, AreCaughtAsPointersToTheBaseAndDeleted)
{
    std::string caught;
    try {
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, "out.dat");
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        char message[128];
        EXPECT_TRUE(e->GetErrorMessage(message, sizeof message));
        caught = message;
        e->Delete();
    }
    EXPECT_EQ(caught, "Disk full while accessing out.dat.");
}

TEST(Exceptions, TheStaticOutOfMemoryExceptionSurvivesDelete)
{
    for (int i = 0; i < 2; ++i) {
        try {
            AfxThrowMemoryException();
        } catch (CException* e) {
            EXPECT_FALSE(e->m_bAutoDelete);
            e->Delete();
        }
    }
}

struct MessageCase {
    std::function<CException*()> make;
    const char* text;
};

class ExceptionMessageTest : public testing::TestWithParam<MessageCase> {};

TEST_P(ExceptionMessageTest, GivesTheFrameworksText)
{
    std::unique_ptr<CException> e(GetParam().make());
    char message[256];
    UINT nHelp = 99;
    EXPECT_TRUE(e->GetErrorMessage(message, sizeof message, &nHelp));
    EXPECT_STREQ(message, GetParam().text);
    EXPECT_EQ(nHelp, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ExceptionMessageTest,
    testing::Values(
        MessageCase{[] { return new CFileException(CFileException::fileNotFound, 2, "a.txt"); }, "a.txt was not found."},
        MessageCase{[] { return new CFileException(CFileException::accessDenied, 5, "a.txt"); },
                    "Access to a.txt was denied."},
        MessageCase{[] { return new CFileException(CFileException::sharingViolation, 32); },
                    "A sharing violation occurred while accessing an unnamed file."},
        MessageCase{[] { return new CFileException(CFileException::genericException, 1, "a"); },
                    "An unknown error occurred while accessing a."},
        MessageCase{[] { return new CArchiveException(CArchiveException::badClass, "PosImg.dat"); },
                    "PosImg.dat contained an unexpected object."},
        MessageCase{[] { return new CArchiveException(CArchiveException::endOfFile); },
                    "An attempt was made to access an unnamed file past its end."},
        MessageCase{[] { return new CMemoryException; }, "Out of memory."},
        MessageCase{[] { return new CNotSupportedException; }, "An unsupported operation was attempted."}));

TEST(Exceptions, MessagesAreCutToTheBufferAndAlwaysTerminated)
{
    CFileException e(CFileException::fileNotFound, 2, "long-name.txt");
    char message[6];
    EXPECT_TRUE(e.GetErrorMessage(message, sizeof message));
    EXPECT_STREQ(message, "long-");
    CException plain;
    message[0] = 'x';
    EXPECT_FALSE(plain.GetErrorMessage(message, sizeof message));
    EXPECT_STREQ(message, "");
}

TEST(Exceptions, PlatformErrorsMapToCauses)
{
    const std::pair<LONG, int> cases[] = {
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
        {ERROR_SUCCESS, CFileException::none},
        {12345, CFileException::genericException},
    };
    for (const auto& [error, cause] : cases)
        EXPECT_EQ(CFileException::OsErrorToException(error), cause) << error;
    EXPECT_NO_THROW(CFileException::ThrowOsError(0));
}

// The error box goes through the function the window system installs.
class ErrorBoxTest : public testing::Test {
protected:
    static int Record(LPCTSTR text, UINT nType, UINT nIDPrompt)
    {
        s_text = text != nullptr ? text : "";
        s_type = nType;
        s_prompt = nIDPrompt;
        return 42;
    }
    void SetUp() override { m_previous = tw::SetErrorBoxFunction(&Record); }
    void TearDown() override { tw::SetErrorBoxFunction(m_previous); }

    static inline std::string s_text;
    static inline UINT s_type = 0;
    static inline UINT s_prompt = 0;
    tw::ErrorBoxFunction m_previous = nullptr;
};

TEST_F(ErrorBoxTest, ReportErrorShowsTheMessageAndReturnsTheButton)
{
    CFileException e(CFileException::badPath, 3, "x:/y");
    EXPECT_EQ(e.ReportError(0x30), 42);
    EXPECT_EQ(s_text, "x:/y contains an invalid path.");
    EXPECT_EQ(s_type, 0x30u);
}

TEST_F(ErrorBoxTest, WithoutATextThePromptOrTheFallbackIsShown)
{
    CException plain;
    plain.ReportError(0, 61700);
    EXPECT_EQ(s_prompt, 61700u);
    plain.ReportError();
    EXPECT_EQ(s_text, "No error message is available.");
}

TEST(ErrorBoxDefault, AnswersTheDefaultButtonOfTheStyle)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(tw::ShowErrorBox("ok box", 0x00, 0), 1);        // MB_OK: IDOK
    EXPECT_EQ(tw::ShowErrorBox("yes no", 0x04, 0), 6);        // MB_YESNO: IDYES
    EXPECT_EQ(tw::ShowErrorBox("second", 0x04 | 0x100, 0), 7);  // MB_DEFBUTTON2: IDNO
    EXPECT_EQ(tw::ShowErrorBox("retry", 0x05, 0), 4);         // MB_RETRYCANCEL: IDRETRY
    const std::string output = testing::internal::GetCapturedStderr();
    EXPECT_NE(output.find("ok box"), std::string::npos);
}

}  // namespace object_model_test
