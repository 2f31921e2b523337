// Scripts the compiler does not understand fail with the file and line of the
// fault and a message that names it.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/tools/rc/RcTestSupport.h"

namespace tw::rc::test {
namespace {

struct ErrorCase {
    const char* name;
    const char* script;
    int line;
    const char* message;  // a part of the message
};

class RcErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(RcErrors, ReportLineAndCause)
{
    const ErrorCase& c = GetParam();
    try {
        CompileScriptText(c.script, "bad.rc");
        FAIL() << "compiled without an error";
    } catch (const RcError& error) {
        EXPECT_EQ(error.Where().file, "bad.rc");
        EXPECT_EQ(error.Where().line, c.line) << error.what();
        EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        EXPECT_EQ(std::string(error.what()).rfind("bad.rc:" + std::to_string(c.line) + ": error: ", 0), 0u);
    }
}

const ErrorCase kErrorCases[] = {
    {"UnknownControl", "1 DIALOG 0,0,9,9\nBEGIN\n  FOO 1\nEND\n", 3, "unknown control statement 'FOO'"},
    {"MissingComma", "1 DIALOG 0,0,9,9\nBEGIN\n  EDITTEXT 1, 0 0, 1, 1\nEND\n", 3, "',' expected"},
    {"UnknownSymbol", "\n\n1 TOOLBAR 16, 15\nBEGIN\n  BUTTON ID_MISSING\nEND\n", 5, "unknown symbol 'ID_MISSING'"},
    {"UnclosedString", "STRINGTABLE\nBEGIN\n 1 \"abc\nEND\n", 3, "string not closed"},
    {"DuplicateString", "STRINGTABLE\nBEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n", 4, "defined twice"},
    {"DuplicateResource", "1 RCDATA BEGIN 1 END\n1 RCDATA BEGIN 2 END\n", 2, "defined twice"},
    {"EmptyPopup", "1 MENU\nBEGIN\n POPUP \"x\"\n BEGIN\n END\nEND\n", 3, "has no items"},
    {"ShiftWithoutVirtKey", "1 ACCELERATORS\nBEGIN\n \"a\", 1, SHIFT\nEND\n", 3, "VIRTKEY"},
    {"CaretWithVirtKey", "1 ACCELERATORS\nBEGIN\n \"^a\", 1, VIRTKEY\nEND\n", 3, "ASCII"},
    {"MissingInclude", "#include \"nowhere.h\"\n", 1, "cannot find include file"},
    {"IfWithoutEndif", "#ifdef X\n1 RCDATA BEGIN 1 END\n", 1, "#if without #endif"},
    {"ElseWithoutIf", "\n#else\n", 2, "without #if"},
    {"RawDlgInitLength", "1 DLGINIT\nBEGIN\n 5, 0x403, 3, 0, 0x4142, 0x4344\nEND\n", 3, "length says 3"},
    {"ControlIdTooLarge", "1 DIALOG 0,0,9,9\nBEGIN\n PUSHBUTTON \"x\", 70000, 0,0,1,1\nEND\n", 3, "DIALOGEX"},
    {"FontWeightInPlainDialog", "1 DIALOG 0,0,9,9\nFONT 8, \"A\", 700\nBEGIN\nEND\n", 2, "DIALOGEX"},
    {"FunctionMacroUsed", "#define F(x) x\n1 TOOLBAR 16, 15\nBEGIN\n BUTTON F\nEND\n", 4, "takes arguments"},
    {"MissingEnd", "1 MENU\nBEGIN\n MENUITEM \"a\", 1\n", 3, "END of the menu missing"},
    {"BadCharacter", "1 RCDATA BEGIN 1 @ END\n", 1, "unexpected character '@'"},
    {"BadNumber", "1 RCDATA BEGIN 0x END\n", 1, "bad number"},
    {"CoordinateOutOfRange", "1 DIALOG 0,0,40000,9\nBEGIN\nEND\n", 1, "out of range"},
    {"DivisionByZero", "1 RCDATA BEGIN (4/0) END\n", 1, "division by zero"},
    {"ToolbarZeroButton", "1 TOOLBAR 16,15\nBEGIN\n BUTTON 0\nEND\n", 3, "separator"},
    {"MissingBitmapFile", "1 BITMAP \"missing.pix\"\n", 1, "cannot find file"},
    {"ErrorDirective", "#error stop here\n", 1, "#error stop here"},
    {"UnknownDirective", "#frobnicate\n", 1, "unknown directive"},
    {"StatementAfterContinuation", "1 RCDATA \\\n BEGIN 1 END\n2 RCDATA BEGIN x END\n", 3, "unknown symbol 'x'"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, RcErrors, testing::ValuesIn(kErrorCases),
                         [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(RcErrorsInIncludes, NameTheIncludedFileAndItsLine)
{
    {
        std::ofstream header("ids.h");
        header << "#define GOOD 1\n\n#define BAD 1 @\n";
    }
    {
        std::ofstream script("main.rc");
        script << "#include \"ids.h\"\n1 TOOLBAR 16,15\nBEGIN\n BUTTON BAD\nEND\n";
    }
    try {
        CompileScriptFiles({"main.rc"}, {});
        FAIL() << "compiled without an error";
    } catch (const RcError& error) {
        // The use is reported where it happens, with what was wrong at the definition.
        EXPECT_EQ(error.Where().file, "main.rc");
        EXPECT_EQ(error.Where().line, 4);
        EXPECT_NE(std::string(error.what()).find("ids.h:3"), std::string::npos) << error.what();
    }
}

TEST(RcErrorsInIncludes, ImageFaultsReportTheImageFileLine)
{
    {
        std::ofstream image("broken.pix");
        image << "image 2 2\npalette\na #000000\npixels\naa\nab\n";
    }
    try {
        CompileScriptText("1 BITMAP \"broken.pix\"\n", "test.rc");
        FAIL() << "compiled without an error";
    } catch (const RcError& error) {
        EXPECT_NE(error.Where().file.find("broken.pix"), std::string::npos);
        EXPECT_EQ(error.Where().line, 6);
        EXPECT_NE(std::string(error.what()).find("'b' is not in the palette"), std::string::npos);
    }
}

}  // namespace
}  // namespace tw::rc::test
