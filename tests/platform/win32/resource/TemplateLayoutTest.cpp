// The template layouts read back what was written, refuse bytes that are cut
// short, and read what the compiler produced.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "platform/win32/resource/AcceleratorResource.h"
#include "platform/win32/resource/DialogTemplate.h"
#include "platform/win32/resource/DlgInitResource.h"
#include "platform/win32/resource/IconGroupResource.h"
#include "platform/win32/resource/MenuTemplate.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ToolbarResource.h"

const tw::ResourceTable& LoaderFixtureResources();

namespace tw::res {
namespace {

DialogTemplate SampleDialog(bool extended)
{
    DialogTemplate dialog;
    dialog.extended = extended;
    dialog.helpId = extended ? 42 : 0;
    dialog.style = 0x80C800C0;
    dialog.exStyle = 0x10000;
    dialog.x = -5;
    dialog.y = 7;
    dialog.cx = 316;
    dialog.cy = 169;
    dialog.menu = NameOrOrdinal::FromText("MAINMENU");
    dialog.windowClass = NameOrOrdinal::FromOrdinal(0x8002);
    dialog.title = "Fenster – Übersicht";
    dialog.pointSize = 8;
    if (extended) {
        dialog.weight = 700;
        dialog.italic = 1;
        dialog.charset = 1;
    }
    dialog.typeface = "MS Sans Serif";
    DialogItemTemplate text;
    text.style = 0x50020000;
    text.x = 7;
    text.y = 7;
    text.cx = 49;
    text.cy = 8;
    text.id = 0xFFFF;
    text.windowClass = NameOrOrdinal::FromOrdinal(kClassAtomStatic);
    text.title = NameOrOrdinal::FromText("Select &window:");
    DialogItemTemplate grid;
    grid.helpId = extended ? 9 : 0;
    grid.style = 0x50010000;
    grid.id = extended ? 70000 : 1250;
    grid.windowClass = NameOrOrdinal::FromText("{6262D3A0-531B-11CF-91F6-C2863C385E30}");
    grid.title = NameOrOrdinal::FromOrdinal(130);
    grid.creationData = {1, 2, 3};
    dialog.items = {text, grid};
    return dialog;
}

MenuTemplate SampleMenu(bool extended)
{
    MenuTemplate menu;
    menu.extended = extended;
    MenuItemTemplate open;
    open.id = 57601;
    open.text = "&Open...\tCtrl+O";
    MenuItemTemplate separator;
    if (extended)
        separator.type = 0x800;
    MenuItemTemplate recent;
    recent.popup = true;
    recent.text = "Recent &Files";
    MenuItemTemplate file1;
    file1.id = 57616;
    file1.text = "Recent File";
    if (extended) {
        file1.state = 3;
        recent.helpId = 77;
        recent.id = 300;
    } else {
        file1.flags = kMenuFlagGrayed;
    }
    recent.children = {file1};
    MenuItemTemplate file;
    file.popup = true;
    file.text = "&File";
    file.children = {open, separator, recent};
    MenuItemTemplate help;
    help.id = 57670;
    help.text = "&Help";
    if (!extended)
        help.flags = kMenuFlagHelp;
    menu.items = {file, help};
    return menu;
}

// Every proper prefix of valid bytes must be refused, never read past; a
// layout may allow one shorter form (a menu with only its header is empty).
void ExpectEveryPrefixRefused(const std::vector<BYTE>& bytes, const std::function<bool(const BYTE*, size_t)>& parses,
                              size_t validShortSize = SIZE_MAX)
{
    for (size_t size = 0; size < bytes.size(); ++size) {
        if (size == validShortSize)
            continue;
        std::vector<BYTE> prefix(bytes.begin(), bytes.begin() + size);
        EXPECT_FALSE(parses(prefix.data(), prefix.size())) << "accepted the first " << size << " bytes";
    }
}

TEST(TemplateLayout, DialogsRoundTripInBothLayouts)
{
    for (bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "DLGTEMPLATEEX" : "DLGTEMPLATE");
        const DialogTemplate dialog = SampleDialog(extended);
        const std::vector<BYTE> bytes = WriteDialogTemplate(dialog);
        const auto parsed = ParseDialogTemplate(bytes.data(), bytes.size());
        ASSERT_TRUE(parsed);
        EXPECT_EQ(*parsed, dialog);
        ExpectEveryPrefixRefused(bytes, [](const BYTE* d, size_t n) { return ParseDialogTemplate(d, n).has_value(); });
    }
}

TEST(TemplateLayout, DialogWithoutFontHasNoFontFields)
{
    DialogTemplate dialog = SampleDialog(false);
    dialog.style &= ~kDialogStyleSetFont;
    dialog.pointSize = 0;
    dialog.typeface.clear();
    dialog.items.clear();
    dialog.menu = {};
    dialog.windowClass = {};
    dialog.title.clear();
    EXPECT_EQ(WriteDialogTemplate(dialog).size(), 24u);
    const auto parsed = ParseDialogTemplate(WriteDialogTemplate(dialog).data(), 24);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, dialog);
}

TEST(TemplateLayout, MenusRoundTripInBothLayouts)
{
    for (bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "MENUEX" : "MENU");
        const MenuTemplate menu = SampleMenu(extended);
        const std::vector<BYTE> bytes = WriteMenuTemplate(menu);
        const auto parsed = ParseMenuTemplate(bytes.data(), bytes.size());
        ASSERT_TRUE(parsed);
        EXPECT_EQ(*parsed, menu);
        EXPECT_TRUE(parsed->items[0].children[1].IsSeparator(parsed->extended));
        EXPECT_FALSE(parsed->items[0].children[0].IsSeparator(parsed->extended));
        ExpectEveryPrefixRefused(
            bytes, [](const BYTE* d, size_t n) { return ParseMenuTemplate(d, n).has_value(); }, extended ? 8 : 4);
    }
}

TEST(TemplateLayout, EndlessPopupNestingIsRefused)
{
    // Popups that never end: each opens another one.
    std::vector<BYTE> bytes = {0, 0, 0, 0};
    for (int i = 0; i < 100; ++i)
        bytes.insert(bytes.end(), {0x10, 0x00, 'a', 0, 0, 0});
    EXPECT_FALSE(ParseMenuTemplate(bytes.data(), bytes.size()));
}

TEST(TemplateLayout, SmallLayoutsRoundTripAndRefuseShortData)
{
    const std::vector<AcceleratorEntry> accelerators = {{kAccelVirtKey | kAccelControl, 'A', 57642}, {kAccelVirtKey, 0x71, 37224}};
    const auto accelBytes = WriteAcceleratorTable(accelerators);
    EXPECT_EQ(accelBytes.size(), 16u);
    EXPECT_EQ(*ParseAcceleratorTable(accelBytes.data(), accelBytes.size()), accelerators);
    ExpectEveryPrefixRefused(accelBytes, [](const BYTE* d, size_t n) { return ParseAcceleratorTable(d, n).has_value(); });

    const ToolbarResource toolbar{1, 16, 15, {16902, 16901, 0, 16907}};
    const auto toolbarBytes = WriteToolbarResource(toolbar);
    EXPECT_EQ(*ParseToolbarResource(toolbarBytes.data(), toolbarBytes.size()), toolbar);
    ExpectEveryPrefixRefused(toolbarBytes, [](const BYTE* d, size_t n) { return ParseToolbarResource(d, n).has_value(); });

    const std::vector<DlgInitRecord> records = {{16625, kDlgInitComboAddString, {'N', 'o', 'n', 'e', 0}},
                                                {1250, kDlgInitControlState, {1, 2, 3}}};
    const auto dlgInitBytes = WriteDlgInit(records);
    EXPECT_EQ(*ParseDlgInit(dlgInitBytes.data(), dlgInitBytes.size()), records);
    EXPECT_EQ(records[0].Text(), "None");
    ExpectEveryPrefixRefused(dlgInitBytes, [](const BYTE* d, size_t n) { return ParseDlgInit(d, n).has_value(); });

    IconGroup group;
    group.entries = {{16, 16, 16, 1, 4, 296, 1}, {256, 256, 0, 1, 24, 1000, 2}};
    const auto groupBytes = WriteIconGroup(group);
    EXPECT_EQ(groupBytes.size(), 6u + 2 * 14u);
    EXPECT_EQ(*ParseIconGroup(groupBytes.data(), groupBytes.size()), group);
    ExpectEveryPrefixRefused(groupBytes, [](const BYTE* d, size_t n) { return ParseIconGroup(d, n).has_value(); });
}

TEST(TemplateLayout, LegacyListAndComboMessagesReadAsTheCurrentOnes)
{
    const std::vector<BYTE> bytes = {5, 0, 0x01, 0x04, 2, 0, 0, 0, 'a', 0,   // 16-bit LB_ADDSTRING
                                     6, 0, 0x03, 0x04, 2, 0, 0, 0, 'b', 0,   // 16-bit CB_ADDSTRING
                                     0, 0};
    const auto records = ParseDlgInit(bytes.data(), bytes.size());
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 2u);
    EXPECT_EQ((*records)[0].message, kDlgInitListAddString);
    EXPECT_EQ((*records)[1].message, kDlgInitComboAddString);
    EXPECT_TRUE((*records)[1].IsAddString());
    // A length beyond the data is refused rather than read.
    const std::vector<BYTE> lying = {5, 0, 0x80, 0x01, 0xFF, 0xFF, 0, 0, 'a', 0, 0, 0};
    EXPECT_FALSE(ParseDlgInit(lying.data(), lying.size()));
}

TEST(TemplateLayout, CompiledExtendedDialogReadsBack)
{
    const HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x5100));
    ASSERT_TRUE(RegisterResources(module, LoaderFixtureResources()));
    const BYTE* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(FindResourceBytes(module, MAKEINTRESOURCE(500), RT_DIALOG, &data, &size));
    const auto dialog = ParseDialogTemplate(data, size);
    UnregisterResources(module);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->extended);
    EXPECT_EQ(dialog->title, "Shared id");
    EXPECT_EQ(dialog->typeface, "MS Shell Dlg");
    EXPECT_EQ(dialog->weight, 400);
    EXPECT_EQ(dialog->charset, 1);
    ASSERT_EQ(dialog->items.size(), 2u);
    EXPECT_EQ(dialog->items[0].windowClass, NameOrOrdinal::FromOrdinal(kClassAtomEdit));
    EXPECT_EQ(dialog->items[0].style, 0x50810080u);  // WS_CHILD|WS_VISIBLE|WS_BORDER|WS_TABSTOP|ES_AUTOHSCROLL
    EXPECT_EQ(dialog->items[1].windowClass.text, "{6262D3A0-531B-11CF-91F6-C2863C385E30}");
    EXPECT_EQ(dialog->items[1].id, 1250u);
}

TEST(TemplateLayout, ClassAtomsAndNames)
{
    EXPECT_STREQ(ClassNameOfAtom(kClassAtomListBox), "ListBox");
    EXPECT_EQ(ClassNameOfAtom(0x86), nullptr);
    EXPECT_EQ(AtomOfClassName("COMBOBOX"), kClassAtomComboBox);
    EXPECT_EQ(AtomOfClassName("SysListView32"), 0);
}

}  // namespace
}  // namespace tw::res

namespace tw::res {
namespace {

TEST(TemplateLayout, HostedControlStateTravelsWithItsTemplate)
{
    const HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x5300));
    ASSERT_TRUE(RegisterResources(module, LoaderFixtureResources()));
    const auto state = LoadControlState(module, MAKEINTRESOURCE(500), 1250);
    const auto comboHasNoState = LoadControlState(module, MAKEINTRESOURCE(500), 1001);
    const auto noTemplate = LoadControlState(module, MAKEINTRESOURCE(501), 1250);
    UnregisterResources(module);
    ASSERT_TRUE(state);
    EXPECT_EQ(std::string(state->begin(), state->end()), "column ColumnName \"Column Name\" 120\r\n");
    EXPECT_FALSE(comboHasNoState);
    EXPECT_FALSE(noTemplate);
}

}  // namespace
}  // namespace tw::res
