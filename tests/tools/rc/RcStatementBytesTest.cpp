// Each statement type compiles to the platform's layout, byte for byte.
#include <gtest/gtest.h>

#include "tests/tools/rc/RcTestSupport.h"

namespace tw::rc::test {
namespace {

TEST(RcStatementBytes, TwoControlDialogWithFontAndAlignment)
{
    const auto bytes = CompileOne(R"(
100 DIALOG 10, 20, 100, 50
STYLE WS_POPUP | WS_CAPTION
CAPTION "Hi"
FONT 8, "A"
BEGIN
    LTEXT "ab", 5, 1, 2, 30, 8
    PUSHBUTTON "OK", IDOK, 40, 30, 50, 14
END
)", 5, 100);
    const auto expected = Join({
        Bytes({0x40, 0x00, 0xC0, 0x80, 0, 0, 0, 0, 2, 0, 10, 0, 20, 0, 100, 0, 50, 0}),
        Bytes({0, 0, 0, 0}),  // no menu, no class
        Wide("Hi"),
        Bytes({8, 0}),
        Wide("A"),
        Bytes({0, 0}),  // to the DWORD boundary
        Bytes({0x00, 0x00, 0x02, 0x50, 0, 0, 0, 0, 1, 0, 2, 0, 30, 0, 8, 0, 5, 0, 0xFF, 0xFF, 0x82, 0x00}),
        Wide("ab"),
        Bytes({0, 0}),  // no creation data
        Bytes({0, 0}),  // to the DWORD boundary
        Bytes({0x00, 0x00, 0x01, 0x50, 0, 0, 0, 0, 40, 0, 30, 0, 50, 0, 14, 0, 1, 0, 0xFF, 0xFF, 0x80, 0x00}),
        Wide("OK"),
        Bytes({0, 0}),
    });
    EXPECT_EQ(bytes, expected);
}

TEST(RcStatementBytes, ExtendedDialogHeaderAndItem)
{
    const auto bytes = CompileOne(R"(
7 DIALOGEX 0, 0, 20, 10, 99
STYLE DS_SHELLFONT | WS_CHILD
EXSTYLE WS_EX_CONTROLPARENT
FONT 9, "B", 700, 1, 2
BEGIN
    CONTROL "", 70000, "button", BS_AUTOCHECKBOX | NOT WS_VISIBLE, 1, 2, 3, 4, WS_EX_CLIENTEDGE, 5
END
)", 5, 7);
    const auto expected = Join({
        Bytes({1, 0, 0xFF, 0xFF, 99, 0, 0, 0, 0x00, 0x00, 0x01, 0x00, 0x48, 0x00, 0x00, 0x40}),
        Bytes({1, 0, 0, 0, 0, 0, 20, 0, 10, 0}),
        Bytes({0, 0, 0, 0}),
        Wide(""),
        Bytes({9, 0, 0xBC, 0x02, 1, 2}),
        Wide("B"),
        Bytes({0, 0}),
        // help id, ex-style, style (WS_CHILD | BS_AUTOCHECKBOX, visibility removed)
        Bytes({5, 0, 0, 0, 0x00, 0x02, 0, 0, 0x03, 0x00, 0x00, 0x40}),
        Bytes({1, 0, 2, 0, 3, 0, 4, 0, 0x70, 0x11, 0x01, 0x00, 0xFF, 0xFF, 0x80, 0x00}),
        Wide(""),
        Bytes({0, 0}),
    });
    EXPECT_EQ(bytes, expected);
}

TEST(RcStatementBytes, MenuWithPopupSeparatorAndOptions)
{
    const auto bytes = CompileOne(R"(
200 MENU
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "&Open", 10
        MENUITEM SEPARATOR
        MENUITEM "E&xit", 11, GRAYED
    END
    MENUITEM "&Help", 12, HELP
END
)", 4, 200);
    const auto expected = Join({
        Bytes({0, 0, 0, 0}),
        Bytes({0x10, 0x00}), Wide("&File"),
        Bytes({0x00, 0x00, 10, 0}), Wide("&Open"),
        Bytes({0x00, 0x00, 0, 0}), Wide(""),
        Bytes({0x81, 0x00, 11, 0}), Wide("E&xit"),
        Bytes({0x80, 0x40, 12, 0}), Wide("&Help"),
    });
    EXPECT_EQ(bytes, expected);
}

TEST(RcStatementBytes, ExtendedMenuItemsAreDwordAligned)
{
    const auto bytes = CompileOne(R"(
201 MENUEX
BEGIN
    POPUP "&A", 5, 0, 0, 77
    BEGIN
        MENUITEM "B", 6, MFT_RADIOCHECK, MFS_CHECKED
        MENUITEM SEPARATOR
    END
END
)", 4, 201);
    const auto expected = Join({
        Bytes({1, 0, 4, 0, 0, 0, 0, 0}),
        Bytes({0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0x81, 0x00}), Wide("&A"),
        Bytes({77, 0, 0, 0}),
        Bytes({0x00, 0x02, 0, 0, 0x08, 0, 0, 0, 6, 0, 0, 0, 0x00, 0x00}), Wide("B"), Bytes({0, 0}),
        Bytes({0x00, 0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00}), Wide(""),
    });
    EXPECT_EQ(bytes, expected);
}

TEST(RcStatementBytes, AcceleratorRecordsWithEndFlag)
{
    const auto bytes = CompileOne(R"(
300 ACCELERATORS
BEGIN
    "^C", 1
    "a", 2, VIRTKEY, CONTROL, SHIFT
    VK_F5, 3, VIRTKEY, NOINVERT
    "x", 4, ASCII, ALT
END
)", 9, 300);
    EXPECT_EQ(bytes, Bytes({0x00, 0, 0x03, 0, 1, 0, 0, 0,     // Ctrl+C as the ASCII control character
                            0x0D, 0, 0x41, 0, 2, 0, 0, 0,     // a letter key is its capital
                            0x03, 0, 0x74, 0, 3, 0, 0, 0,
                            0x90, 0, 0x78, 0, 4, 0, 0, 0}));  // last record: 0x80
}

TEST(RcStatementBytes, StringBlocksSplitBetweenIds15And16)
{
    const auto resources = CompileScriptText("STRINGTABLE\nBEGIN\n  15 \"ab\"\n  16, \"c\"\nEND\n", "test.rc");
    ASSERT_EQ(resources.size(), 2u);
    const RcResource* first = FindCompiled(resources, 6, 1);
    const RcResource* second = FindCompiled(resources, 6, 2);
    ASSERT_TRUE(first && second);
    std::vector<BYTE> expectedFirst(30, 0);
    expectedFirst.insert(expectedFirst.end(), {2, 0, 'a', 0, 'b', 0});
    std::vector<BYTE> expectedSecond = {1, 0, 'c', 0};
    expectedSecond.resize(34, 0);
    EXPECT_EQ(first->data, expectedFirst);
    EXPECT_EQ(second->data, expectedSecond);
}

TEST(RcStatementBytes, StringsOfSeveralTablesMergeIntoOneBlockPerLanguage)
{
    const auto resources = CompileScriptText(R"(
STRINGTABLE BEGIN 1 "one" END
STRINGTABLE BEGIN 2 "two" END
LANGUAGE LANG_GERMAN, SUBLANG_NEUTRAL
STRINGTABLE BEGIN 1 "eins" END
)", "test.rc");
    ASSERT_EQ(resources.size(), 2u);
    const RcResource& english = resources[0].language == 0x0409 ? resources[0] : resources[1];
    const RcResource& german = resources[0].language == 0x0409 ? resources[1] : resources[0];
    EXPECT_EQ(german.language, 0x0007);
    EXPECT_EQ(english.data.size(), 2u + 8u + 8u + 13u * 2u);
    EXPECT_EQ(german.data.size(), 2u + 10u + 14u * 2u);
}

TEST(RcStatementBytes, ToolbarWithSeparator)
{
    const auto bytes = CompileOne("400 TOOLBAR 16, 15\nBEGIN\n BUTTON 100\n SEPARATOR\n BUTTON 101\nEND\n", 241, 400);
    EXPECT_EQ(bytes, Bytes({1, 0, 16, 0, 15, 0, 3, 0, 100, 0, 0, 0, 101, 0}));
}

TEST(RcStatementBytes, DataBlocksWordsDwordsAndStrings)
{
    const auto resources = CompileScriptText(R"(
5 RCDATA BEGIN 1, 0x10000L, "ab", L"c" END
settings Editor_Settings BEGIN 0x4241 END
)", "test.rc");
    ASSERT_EQ(resources.size(), 2u);
    EXPECT_EQ(resources[0].typeId, 10);
    EXPECT_EQ(resources[0].data, Bytes({1, 0, 0, 0, 1, 0, 'a', 'b', 'c', 0}));
    EXPECT_EQ(resources[1].typeName, "EDITOR_SETTINGS");
    EXPECT_EQ(resources[1].nameText, "SETTINGS");
    EXPECT_EQ(resources[1].data, Bytes({'A', 'B'}));
}

TEST(RcStatementBytes, DlgInitStringsRawRecordsAndControlState)
{
    std::FILE* file = std::fopen("state.bin", "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("COLS", file);
    std::fclose(file);
    const auto bytes = CompileOne(R"(
188 DLGINIT
BEGIN
    1001, CB_ADDSTRING, "One"
    1001, 0x403, 5, 0, 0x6f4e, 0x656e, "\000"
    1250, WM_OCC_LOADFROMSTREAM, FILE "state.bin"
    0
END
)", 240, 188);
    EXPECT_EQ(bytes, Join({
                         Bytes({0xE9, 0x03, 0x43, 0x01, 4, 0, 0, 0, 'O', 'n', 'e', 0}),
                         Bytes({0xE9, 0x03, 0x03, 0x04, 5, 0, 0, 0, 'N', 'o', 'n', 'e', 0}),
                         Bytes({0xE2, 0x04, 0x76, 0x03, 4, 0, 0, 0, 'C', 'O', 'L', 'S'}),
                         Bytes({0, 0}),
                     }));
}

TEST(RcStatementBytes, ControlKeywordsCarryTheirClassAndDefaultStyle)
{
    struct Case {
        const char* statement;
        WORD atom;
        DWORD style;
    };
    const Case cases[] = {
        {"LTEXT \"t\", 1, 0, 0, 1, 1", 0x82, 0x50020000},
        {"RTEXT \"t\", 1, 0, 0, 1, 1", 0x82, 0x50020002},
        {"CTEXT \"t\", 1, 0, 0, 1, 1", 0x82, 0x50020001},
        {"PUSHBUTTON \"t\", 1, 0, 0, 1, 1", 0x80, 0x50010000},
        {"DEFPUSHBUTTON \"t\", 1, 0, 0, 1, 1", 0x80, 0x50010001},
        {"CHECKBOX \"t\", 1, 0, 0, 1, 1", 0x80, 0x50010002},
        {"AUTOCHECKBOX \"t\", 1, 0, 0, 1, 1", 0x80, 0x50010003},
        {"RADIOBUTTON \"t\", 1, 0, 0, 1, 1", 0x80, 0x50010004},
        {"STATE3 \"t\", 1, 0, 0, 1, 1", 0x80, 0x50010005},
        {"AUTO3STATE \"t\", 1, 0, 0, 1, 1", 0x80, 0x50010006},
        {"GROUPBOX \"t\", 1, 0, 0, 1, 1", 0x80, 0x50000007},
        {"AUTORADIOBUTTON \"t\", 1, 0, 0, 1, 1", 0x80, 0x50010009},
        {"EDITTEXT 1, 0, 0, 1, 1", 0x81, 0x50810000},
        {"EDITTEXT 1, 0, 0, 1, 1, ES_MULTILINE | NOT WS_BORDER", 0x81, 0x50010004},
        {"COMBOBOX 1, 0, 0, 1, 1, CBS_DROPDOWNLIST", 0x85, 0x50010003},
        {"LISTBOX 1, 0, 0, 1, 1", 0x83, 0x50800001},
        {"SCROLLBAR 1, 0, 0, 1, 1, SBS_VERT", 0x84, 0x50000001},
        {"ICON 3, 1, 0, 0", 0x82, 0x50000003},
        {"CONTROL \"t\", 1, \"Static\", SS_ETCHEDHORZ, 0, 0, 1, 1", 0x82, 0x50000010},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        const auto bytes = CompileOne(std::string("1 DIALOG 0, 0, 9, 9\nBEGIN\n") + c.statement + "\nEND\n", 5, 1);
        // The single item follows the 24-byte header (no caption, no font).
        ASSERT_GE(bytes.size(), 46u);
        const DWORD style = bytes[24] | (bytes[25] << 8) | (bytes[26] << 16) | (DWORD(bytes[27]) << 24);
        EXPECT_EQ(style, c.style);
        EXPECT_EQ(bytes[42], 0xFF);
        EXPECT_EQ(bytes[43], 0xFF);
        EXPECT_EQ(bytes[44], c.atom);
    }
}

}  // namespace
}  // namespace tw::rc::test

namespace tw::rc::test {
namespace {

TEST(RcStatementBytes, VersionInfoTreeWithLengthsAndPadding)
{
    const auto bytes = CompileOne(R"(
1 VERSIONINFO
FILEVERSION 1,2,3,4
FILEFLAGSMASK VS_FFI_FILEFLAGSMASK
BEGIN
    BLOCK "S"
    BEGIN
        VALUE "K", "v"
        VALUE "T", 0x409, 1200
    END
END
)", 16, 1);
    std::vector<BYTE> fixed = Bytes({0xBD, 0x04, 0xEF, 0xFE, 0, 0, 1, 0, 2, 0, 1, 0, 4, 0, 3, 0});
    fixed.resize(fixed.size() + 8, 0);                     // product version
    fixed.insert(fixed.end(), {0x3F, 0, 0, 0});            // flags mask
    fixed.resize(fixed.size() + 24, 0);                    // flags, OS, type, subtype, date
    const auto expected = Join({
        Bytes({136, 0, 52, 0, 0, 0}), Wide("VS_VERSION_INFO"), Bytes({0, 0}), fixed,
        Bytes({44, 0, 0, 0, 1, 0}), Wide("S"), Bytes({0, 0}),
        Bytes({16, 0, 2, 0, 1, 0}), Wide("K"), Bytes({0, 0}), Wide("v"),
        Bytes({16, 0, 4, 0, 0, 0}), Wide("T"), Bytes({0, 0}), Bytes({0x09, 0x04, 0xB0, 0x04}),
    });
    EXPECT_EQ(bytes, expected);
}

}  // namespace
}  // namespace tw::rc::test
