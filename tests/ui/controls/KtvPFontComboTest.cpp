// The font lists: the one list the toolbar font buttons share and its life,
// what joins it and in which order, each button's type filter, a stored
// button loaded after the fonts changed, and the font box of the option
// pages filled, refilled and read.
#include "platform/win32/controls/stdctrl.h"
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"
#include "tests/support/ui/KtvControlTest.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarFontCombo.h"
#include "ui/controls/KtvPFontComboBox.h"

namespace {

using tw::test::KtvControlTest;

constexpr int kAllTypes = DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE;

ENUMLOGFONTEX Face(const char* name, BYTE charSet = ANSI_CHARSET, BYTE pitch = VARIABLE_PITCH | FF_SWISS)
{
    ENUMLOGFONTEX elf{};
    std::snprintf(elf.elfLogFont.lfFaceName, LF_FACESIZE, "%s", name);
    elf.elfLogFont.lfCharSet = charSet;
    elf.elfLogFont.lfPitchAndFamily = pitch;
    return elf;
}

std::vector<std::string> Names()
{
    std::vector<std::string> names;
    const CObList& fonts = CKtvPToolbarFontCombo::GetFontList();
    for (POSITION pos = fonts.GetHeadPosition(); pos != nullptr;)
        names.emplace_back((LPCTSTR)((CKtvPFontDesc*)fonts.GetNext(pos))->GetFullName());
    return names;
}

std::vector<std::string> Items(const CKtvPToolbarComboBoxButton& button)
{
    std::vector<std::string> items;
    for (int i = 0; i < button.GetCount(); i++)
        items.emplace_back(button.GetItem(i));
    return items;
}

bool Has(const std::vector<std::string>& list, const std::string& name)
{
    for (const auto& each : list) {
        if (each == name)
            return true;
    }
    return false;
}

TEST(ToolbarFontCombo, ButtonsShareOneListThatTheLastOneFrees)
{
    ASSERT_EQ(0, CKtvPToolbarFontCombo::GetInstanceCount());
    auto pFirst = std::make_unique<CKtvPToolbarFontCombo>(100, -1);
    const auto names = Names();
    ASSERT_FALSE(names.empty());
    EXPECT_TRUE(Has(names, "Arial (Western)")) << "Windows names that map to installed faces are listed";
    EXPECT_TRUE(Has(names, "Courier New (Western)"));

    auto pSecond = std::make_unique<CKtvPToolbarFontCombo>(101, -1);
    EXPECT_EQ(2, CKtvPToolbarFontCombo::GetInstanceCount());
    EXPECT_EQ(names, Names()) << "the second button reuses the list";
    ASSERT_GT(pSecond->GetCount(), 0);
    EXPECT_EQ(pFirst->GetItemData(0), pSecond->GetItemData(0)) << "both point into one list";

    pFirst.reset();
    auto* pDesc = (CKtvPFontDesc*)pSecond->GetItemData(0);
    EXPECT_STREQ(pSecond->GetItem(0), pDesc->m_strName) << "the survivor's items stay valid";
    EXPECT_EQ(names.size(), Names().size());

    pSecond.reset();
    EXPECT_EQ(0, CKtvPToolbarFontCombo::GetInstanceCount());
    EXPECT_TRUE(Names().empty()) << "freed with the last button";
}

TEST(ToolbarFontCombo, EachFaceJoinsOnceInOrderAndButtonsFilterByType)
{
    CKtvPToolbarFontCombo builder;  // builds nothing by itself
    ASSERT_TRUE(Names().empty());
    struct {
        ENUMLOGFONTEX face;
        int type;
        const char* script;
        bool joins;
    } reports[] = {
        {Face("Zeta"), TRUETYPE_FONTTYPE, "Western", true},
        {Face("Alpha"), TRUETYPE_FONTTYPE, "Western", true},
        {Face("Alpha"), TRUETYPE_FONTTYPE, "Greek", false},       // another script of a listed face
        {Face("Alpha"), DEVICE_FONTTYPE, "Western", false},       // the printer's copy
        {Face("Mac Face", MAC_CHARSET), TRUETYPE_FONTTYPE, "Western", false},
        {Face("Printer Face"), DEVICE_FONTTYPE, "", true},
        {Face("Bitmap Face"), RASTER_FONTTYPE, "Western", true},
    };
    for (const auto& r : reports)
        EXPECT_EQ(r.joins, builder.AddFont(&r.face, r.type, r.script) != FALSE) << r.face.elfLogFont.lfFaceName;
    EXPECT_EQ((std::vector<std::string>{"Alpha (Western)", "Bitmap Face (Western)", "Printer Face", "Zeta (Western)"}),
              Names());

    CKtvPToolbarFontCombo trueTypeOnly(7, -1, TRUETYPE_FONTTYPE);
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Zeta"}), Items(trueTypeOnly));
    CKtvPToolbarFontCombo all(8, -1, kAllTypes);
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Bitmap Face", "Printer Face", "Zeta"}), Items(all));

    // A pitch filter keeps only fonts with one of its bits.
    CKtvPToolbarFontCombo fixedOnly(9, -1, kAllTypes, DEFAULT_CHARSET, CBS_DROPDOWN, 0, FIXED_PITCH);
    EXPECT_FALSE(fixedOnly.AddFont(&reports[0].face, TRUETYPE_FONTTYPE, "Western") != FALSE);
    ENUMLOGFONTEX mono = Face("Mono Face", ANSI_CHARSET, FIXED_PITCH | FF_MODERN);
    EXPECT_TRUE(fixedOnly.AddFont(&mono, TRUETYPE_FONTTYPE, "Western") != FALSE);
}

// A stored font button comes back on a list where fonts came and went.
TEST(ToolbarFontCombo, ALoadedButtonSelectsItsFontByNameAndByIndexOnlyWhenItIsGone)
{
    CKtvPToolbarFontCombo keeper;
    ENUMLOGFONTEX faces[] = {Face("Beta"), Face("Delta"), Face("Gamma")};
    for (auto& f : faces)
        keeper.AddFont(&f, TRUETYPE_FONTTYPE, "");

    auto store = [](CKtvPToolbarFontCombo& button) {
        auto file = std::make_unique<CMemFile>();
        CArchive ar(file.get(), CArchive::store);
        button.Serialize(ar);
        ar.Close();
        return file;
    };
    auto load = [](CMemFile& file, CKtvPToolbarFontCombo& button) {
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        button.Serialize(ar);
    };

    CKtvPToolbarFontCombo saved(300, -1, kAllTypes, DEFAULT_CHARSET, CBS_DROPDOWN, 120);
    ASSERT_TRUE(saved.SelectItem(1));  // Delta
    saved.m_strEdit = "Delta";
    auto file = store(saved);

    ENUMLOGFONTEX alpha = Face("Alpha");  // installed since: every index moves on
    keeper.AddFont(&alpha, TRUETYPE_FONTTYPE, "");
    CKtvPToolbarFontCombo loaded;
    load(*file, loaded);
    EXPECT_EQ(300u, loaded.m_nID);
    EXPECT_EQ(120, loaded.m_nWidth);
    EXPECT_EQ(kAllTypes, loaded.m_nFontType);
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta", "Delta", "Gamma"}), Items(loaded));
    EXPECT_EQ(2, loaded.m_iSelIndex) << "the same font, at its new place";
    EXPECT_STREQ("Delta", loaded.m_strEdit);

    saved.m_strEdit = "Removed Face";
    saved.m_iSelIndex = 3;
    auto fileGone = store(saved);
    CKtvPToolbarFontCombo loadedGone;
    load(*fileGone, loadedGone);
    EXPECT_EQ(3, loadedGone.m_iSelIndex) << "a font that is gone falls back to the stored place";
    EXPECT_STREQ("Gamma", loadedGone.m_strEdit);
}

class FontComboBoxTest : public KtvControlTest {};

TEST_F(FontComboBoxTest, SetupFillsOnceRefillsAndGivesTheSelectedFont)
{
    CKtvPFontComboBox box;
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL,
                           CRect(10, 10, 200, 200), &host, 1001));
    const int nFilled = box.GetCount();
    ASSERT_GT(nFilled, 0) << "filled on creation";
    EXPECT_EQ(0, CKtvPToolbarFontCombo::GetInstanceCount()) << "the temporary button is gone";
    EXPECT_EQ(nullptr, box.GetSelFont()) << "nothing selected";

    EXPECT_TRUE(box.Setup());
    EXPECT_TRUE(box.Setup(7, DEFAULT_CHARSET, 0));
    EXPECT_EQ(nFilled, box.GetCount()) << "one entry per font after a second Setup";

    const int iArial = box.FindStringExact(-1, "Arial");
    ASSERT_GE(iArial, 0) << "stored faces are found";
    box.SetCurSel(iArial);
    CKtvPFontDesc* pFont = box.GetSelFont();
    ASSERT_NE(nullptr, pFont);
    EXPECT_STREQ("Arial", pFont->m_strName);
    EXPECT_EQ(ANSI_CHARSET, pFont->m_nCharSet);

    EXPECT_TRUE(box.Setup(TRUETYPE_FONTTYPE, DEFAULT_CHARSET, FIXED_PITCH));
    EXPECT_GE(box.FindStringExact(-1, "Courier New"), 0);
    EXPECT_LT(box.FindStringExact(-1, "Arial"), 0) << "a proportional face is filtered out";
    box.DestroyWindow();
}

TEST_F(FontComboBoxTest, AComboTakenOverFromADialogFillsItselfAndMarksFontTypes)
{
    // A dialog's template registers the standard classes before it makes its controls.
    tw::RegisterStandardControlClasses();
    HWND hwnd = ::CreateWindowEx(0, "COMBOBOX", "",
                                 WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                 10, 10, 200, 200, host.GetSafeHwnd(), (HMENU)1002, nullptr, nullptr);
    ASSERT_NE(nullptr, hwnd);
    CKtvPFontComboBox box;
    ASSERT_TRUE(box.SubclassWindow(hwnd));
    EXPECT_GT(box.GetCount(), 0) << "filled when taken over";

    // Drawn into a white 100 x 20 bitmap: a mark only for TrueType and device fonts.
    CKtvPFontDesc trueType("Arial", "Western", TRUETYPE_FONTTYPE, ANSI_CHARSET, 0);
    CKtvPFontDesc raster("Bitmap Face", "Western", RASTER_FONTTYPE, ANSI_CHARSET, 0);
    CClientDC screen(&box);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    HBITMAP hbm = ::CreateCompatibleBitmap(screen.GetSafeHdc(), 100, 20);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
    auto markPixels = [&](CKtvPFontDesc& desc) {
        dc.FillSolidRect(0, 0, 100, 20, RGB(255, 255, 255));
        dc.SetBkColor(RGB(255, 255, 255));
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_COMBOBOX;
        dis.itemID = 0;
        dis.itemState = 0;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = CRect(0, 0, 100, 20);
        dis.itemData = (ULONG_PTR)&desc;
        box.DrawItem(&dis);
        int n = 0;
        for (int y = 0; y < 20; y++) {
            for (int x = 0; x < 16; x++)
                n += dc.GetPixel(x, y) != RGB(255, 255, 255) ? 1 : 0;
        }
        return n;
    };
    EXPECT_GT(markPixels(trueType), 0) << "a TrueType font has its mark";
    EXPECT_EQ(0, markPixels(raster)) << "a raster font has none; its text starts where the others' does";
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(hbm);
    box.DestroyWindow();
}

TEST_F(FontComboBoxTest, OnAToolbarTheBoxStaysEmptyAndItsButtonFillsIt)
{
    CKtvPToolBar bar;
    ASSERT_TRUE(bar.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 600));
    CKtvPFontComboBox box;
    ASSERT_TRUE(box.Create(WS_CHILD | CBS_DROPDOWN | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, CRect(0, 0, 100, 100), &bar, 5));
    EXPECT_TRUE(box.IsOnToolbar());
    EXPECT_EQ(0, box.GetCount());
    EXPECT_FALSE(box.Setup());
    EXPECT_EQ(0, box.GetCount());
    box.DestroyWindow();

    const int i = bar.InsertButton(new CKtvPToolbarFontCombo(700, -1, TRUETYPE_FONTTYPE, DEFAULT_CHARSET,
                                                              CBS_DROPDOWN, 150));
    bar.AdjustLayout();
    auto* pButton = dynamic_cast<CKtvPToolbarFontCombo*>(bar.GetButton(i));
    ASSERT_NE(nullptr, pButton);
    ASSERT_NE(nullptr, pButton->m_pWndCombo);
    EXPECT_NE(nullptr, dynamic_cast<CKtvPFontComboBox*>(pButton->m_pWndCombo)) << "the button's box is a font box";
    EXPECT_EQ(pButton->GetCount(), pButton->m_pWndCombo->GetCount());
    EXPECT_TRUE(pButton->m_pWndCombo->GetStyle() & CBS_OWNERDRAWFIXED);
    bar.DestroyWindow();
}

}  // namespace
