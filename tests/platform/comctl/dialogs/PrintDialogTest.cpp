// The print dialog: the printer, range and copies chosen by keys, the blocks
// and DC handed back, the default printer without a dialog, and Esc.
#include "platform/comctl/dialogs/PrintDialog.h"
#include "platform/win32/gdi/PrinterDC.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "tests/platform/comctl/dialogs/ComDlgTest.h"

namespace tw::comdlg::test {
namespace {

constexpr int kPrintBoxTextId = 0xFFFF;

class PrintDialogTest : public ComDlgTest {
protected:
    void SetUp() override
    {
        ComDlgTest::SetUp();
        pd.lStructSize = sizeof pd;
        pd.hwndOwner = owner;
        pd.nMinPage = 1;
        pd.nMaxPage = 9;
        pd.nFromPage = 1;
        pd.nToPage = 9;
        pd.nCopies = 1;
    }
    void TearDown() override
    {
        if (pd.hDC)
            DeleteDC(pd.hDC);
        GlobalFree(pd.hDevMode);
        GlobalFree(pd.hDevNames);
        ComDlgTest::TearDown();
    }
    short DevModeCopies() const
    {
        const auto* mode = static_cast<const DEVMODE*>(GlobalLock(pd.hDevMode));
        const short copies = mode ? mode->dmCopies : -1;
        GlobalUnlock(pd.hDevMode);
        return copies;
    }

    PRINTDLG pd{};
};

TEST_F(PrintDialogTest, EnterReturnsTheChosenPrintersDcAndBlocks)
{
    pd.Flags = PD_RETURNDC | PD_NOSELECTION;
    pd.hDevNames = PrintDialog::MakeDevNames(tw::gdi::kPdfPrinterName, false);
    OnIdle([&](HWND dialog, int count) {
        if (count != 1)
            return;
        EXPECT_EQ(TextOf(dialog), "Print");
        char first[64] = {};
        SendDlgItemMessage(dialog, cmb4, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
        EXPECT_STREQ(first, "PDF");
        EXPECT_EQ(SendDlgItemMessage(dialog, cmb4, CB_GETCURSEL, 0, 0), 0) << "the caller's printer";
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, rad2)));
        Key(VK_RETURN);
    });
    ASSERT_TRUE(PrintDlg(&pd));
    ASSERT_NE(pd.hDC, nullptr);
    EXPECT_GT(GetDeviceCaps(pd.hDC, HORZRES), 0);
    EXPECT_EQ(PrintDialog::DeviceOf(pd.hDevNames), "PDF");
    EXPECT_EQ(pd.Flags & (PD_PAGENUMS | PD_SELECTION), 0u) << "all pages";
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(PrintDialogTest, TypedPagesChooseThePageRange)
{
    OnIdle([&](HWND, int count) {
        if (count == 1) {
            Key('F', true);
        } else if (count == 2) {
            Type("2");
            Key('T', true);
        } else if (count == 3) {
            Type("3");
            Key(VK_RETURN);
        }
    });
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_TRUE(pd.Flags & PD_PAGENUMS);
    EXPECT_EQ(pd.nFromPage, 2);
    EXPECT_EQ(pd.nToPage, 3);
}

TEST_F(PrintDialogTest, ARangeOutsideTheDocumentIsRefusedWithAPrompt)
{
    std::string prompt;
    OnIdle([&](HWND window, int count) {
        if (count == 1) {
            Key('F', true);
        } else if (count == 2) {
            Type("12");
            Key(VK_RETURN);
        } else if (count == 3) {
            prompt = TextOf(GetDlgItem(window, kPrintBoxTextId));
            Key(VK_RETURN);
        } else if (count == 4) {
            Key(VK_ESCAPE);
        }
    });
    EXPECT_FALSE(PrintDlg(&pd));
    EXPECT_EQ(prompt, "Enter a page range between 1 and 9.");
    EXPECT_EQ(pd.nFromPage, 1) << "nothing changes on cancel";
}

struct CopiesCase {
    const char* name;
    DWORD flags;
    WORD nCopies;
    short devModeCopies;
};

class PrintCopies : public PrintDialogTest, public ::testing::WithParamInterface<CopiesCase> {};

TEST_P(PrintCopies, GoWhereTheFlagsSay)
{
    pd.Flags = GetParam().flags;
    OnIdle([&](HWND, int count) {
        if (count == 1) {
            Key('C', true);
        } else if (count == 2) {
            Type("3");
            Key('O', true);  // collate
            Key(VK_RETURN);
        }
    });
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(pd.nCopies, GetParam().nCopies);
    EXPECT_EQ(DevModeCopies(), GetParam().devModeCopies);
    EXPECT_TRUE(pd.Flags & PD_COLLATE);
}

INSTANTIATE_TEST_SUITE_P(Both, PrintCopies,
                         ::testing::Values(CopiesCase{"InTheStructure", 0, 3, 1},
                                           CopiesCase{"InTheDeviceMode", PD_USEDEVMODECOPIES, 1, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintDialogTest, EscapeCancelsAndKeepsTheCallersHandles)
{
    pd.hDevNames = PrintDialog::MakeDevNames("PDF", false);
    const HGLOBAL names = pd.hDevNames;
    OnIdle([&](HWND, int count) {
        if (count == 1)
            Key(VK_ESCAPE);
    });
    EXPECT_FALSE(PrintDlg(&pd));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(pd.hDevNames, names);
    EXPECT_EQ(pd.hDevMode, nullptr);
}

TEST_F(PrintDialogTest, ReturnDefaultGivesTheDefaultPrinterWithoutADialog)
{
    pd.Flags = PD_RETURNDEFAULT;
    ASSERT_TRUE(PrintDlg(&pd));
    char expected[256] = {};
    DWORD size = sizeof expected;
    ASSERT_TRUE(GetDefaultPrinter(expected, &size));
    EXPECT_EQ(PrintDialog::DeviceOf(pd.hDevNames), expected);
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(pd.hDevNames));
    EXPECT_EQ(names->wDefault, DN_DEFAULTPRN);
    GlobalUnlock(pd.hDevNames);
    EXPECT_GE(GlobalSize(pd.hDevMode), sizeof(DEVMODE));

    PRINTDLG again = pd;
    EXPECT_FALSE(PrintDlg(&again)) << "handles already given";
    EXPECT_EQ(CommDlgExtendedError(), DWORD(PDERR_RETDEFFAILURE));
}

TEST_F(PrintDialogTest, ADevNamesBlockPointingOutsideItselfNamesNoDevice)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + 4);
    auto* names = static_cast<DEVNAMES*>(GlobalLock(block));
    names->wDeviceOffset = 4000;
    GlobalUnlock(block);
    EXPECT_EQ(PrintDialog::DeviceOf(block), "");
    GlobalFree(block);
}

TEST_F(PrintDialogTest, BadRequestsFailWithTheirErrors)
{
    PRINTDLG bad = pd;
    bad.lStructSize = 10;
    EXPECT_FALSE(PrintDlg(&bad));
    EXPECT_EQ(CommDlgExtendedError(), DWORD(CDERR_STRUCTSIZE));
    bad = pd;
    bad.Flags = PD_ENABLEPRINTHOOK;
    EXPECT_FALSE(PrintDlg(&bad));
    EXPECT_EQ(CommDlgExtendedError(), DWORD(CDERR_NOHOOK));
}

}  // namespace
}  // namespace tw::comdlg::test
