// The program's own resources, compiled from resources/ by the build.
#include <gtest/gtest.h>

#include "platform/win32/resource/DialogTemplate.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "resources/resource.h"

namespace {

class ProgramResources : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tw::RegisterResources(m_module, TarnwickResources())); }
    void TearDown() override { tw::UnregisterResources(m_module); }

    const HINSTANCE m_module = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x5200));
};

struct ExpectedControl {
    DWORD id;
    WORD classAtom;
    const char* text;
    short x, y, cx, cy;
    DWORD style;
};

constexpr DWORD kChildVisible = 0x50000000;  // WS_CHILD | WS_VISIBLE
constexpr DWORD kTabStop = 0x00010000;

TEST_F(ProgramResources, WindowsDialogHasTheLayoutOfItsDesign)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(tw::FindResourceBytes(m_module, MAKEINTRESOURCE(16927), RT_DIALOG, &data, &size));
    const auto dialog = tw::res::ParseDialogTemplate(data, size);
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->extended);
    EXPECT_EQ(dialog->title, "Windows");
    EXPECT_EQ(dialog->cx, 316);
    EXPECT_EQ(dialog->cy, 169);
    // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, and DS_SETFONT for its font.
    EXPECT_EQ(dialog->style, 0x80000000u | 0x00C00000u | 0x00080000u | 0x80u | 0x40u);
    EXPECT_EQ(dialog->pointSize, 8);
    EXPECT_EQ(dialog->typeface, "MS Sans Serif");

    // LBS_NOTIFY, LBS_SORT, LBS_OWNERDRAWFIXED, LBS_HASSTRINGS, LBS_USETABSTOPS,
    // LBS_NOINTEGRALHEIGHT, LBS_EXTENDEDSEL, WS_VSCROLL, WS_BORDER, WS_TABSTOP.
    const DWORD listStyle = kChildVisible | 0x1 | 0x2 | 0x10 | 0x40 | 0x80 | 0x100 | 0x800 | 0x00200000 | 0x00800000 | kTabStop;
    const ExpectedControl expected[] = {
        {65535, 0x82, "Select &window:", 7, 7, 49, 8, kChildVisible | 0x00020000},
        {16923, 0x83, "", 7, 18, 230, 144, listStyle},
        {16920, 0x80, "&Activate", 243, 7, 66, 15, kChildVisible | kTabStop | 0x1},
        {1, 0x80, "&OK", 243, 25, 66, 15, kChildVisible | kTabStop},
        {16921, 0x80, "&Save", 243, 43, 66, 15, kChildVisible | kTabStop},
        {16922, 0x80, "&Close Window(s)", 243, 61, 66, 15, kChildVisible | kTabStop},
        {16926, 0x80, "Cascade", 243, 79, 66, 14, kChildVisible | kTabStop},
        {16924, 0x80, "Tile &Horizontally", 243, 96, 66, 14, kChildVisible | kTabStop},
        {16928, 0x80, "Tile &Vertically", 243, 113, 66, 14, kChildVisible | kTabStop},
        {16925, 0x80, "&Minimize", 243, 130, 66, 14, kChildVisible | kTabStop},
        {57670, 0x80, "&Help", 243, 148, 66, 14, kChildVisible | kTabStop},
    };
    ASSERT_EQ(dialog->items.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const ExpectedControl& want = expected[i];
        const tw::res::DialogItemTemplate& item = dialog->items[i];
        SCOPED_TRACE(want.id);
        EXPECT_EQ(item.id, want.id);
        EXPECT_EQ(item.windowClass, tw::res::NameOrOrdinal::FromOrdinal(want.classAtom));
        if (*want.text) {
            EXPECT_EQ(item.title, tw::res::NameOrOrdinal::FromText(want.text));
        }
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.style, want.style);
    }
}

TEST_F(ProgramResources, StringsAndTheDialogShareIdsWithoutClashing)
{
    // 16104 is both a string of the UI library and, later, a page template.
    char text[128];
    EXPECT_GT(LoadString(m_module, IDS_KTVP_UNTITLED, text, sizeof text), 0);
    EXPECT_STREQ(text, "<Untitled>");
    EXPECT_GT(LoadString(m_module, IDS_KTVP_TOO_MANY_TOOLBARS, text, sizeof text), 0);
    EXPECT_STREQ(text, "You can't create more than %d user-defined toolbars!");
    EXPECT_GT(LoadString(m_module, IDR_TARNWICK_DOCUMENT, text, sizeof text), 0);
    EXPECT_STREQ(text, "\nTrnWk\nTrnWk\nTarnw Files (*.sql)\n.sql\nTarnwick.Document\nTrnWk Document");
    EXPECT_EQ(LoadString(m_module, IDD_KTVP_WINDOWS, text, sizeof text), 0);
}

TEST_F(ProgramResources, EditorDefaultSettingsTextIsStoredWithItsOwnTypeName)
{
    const HRSRC found = FindResourceEx(m_module, "EDITOR_XML_SETTINGS", MAKEINTRESOURCE(IDR_EDITOR_XML_SETTINGS),
                                       MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(m_module, found)));
    const std::string text(bytes, SizeofResource(m_module, found));
    // Every line ends in CR LF and nested lines are indented with tabs.
    size_t lines = 0;
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        ++lines;
        ASSERT_GT(at, 0u);
        EXPECT_EQ(text[at - 1], '\r');
    }
    EXPECT_GT(lines, 173u);
    EXPECT_NE(text.find("\r\n\t\t<WordDelimeters>\" \\t\\n,./?;:\\\"'{[}]~`%^*()-+=!\"</WordDelimeters>\r\n"),
              std::string::npos);
    size_t keywords = 0;
    for (size_t at = text.find("<Keyword>"); at != std::string::npos; at = text.find("<Keyword>", at + 1))
        ++keywords;
    EXPECT_EQ(keywords, 173u);
    EXPECT_EQ(text.find("<OUTLINE_DATA>"), std::string::npos);
    EXPECT_EQ(text.find("<HYPERLINKS>"), std::string::npos);
}

}  // namespace
