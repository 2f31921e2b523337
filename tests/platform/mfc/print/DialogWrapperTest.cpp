// The colour and print dialog wrappers driven by keys, and the shared-memory
// file that carries archives to and from the clipboard.
#include <cstring>

#include "platform/win32/gdi/PrinterDC.h"
#include "tests/platform/mfc/print/PrintTest.h"

namespace tw::mfc::print_test {
namespace {

class DialogWrapperTest : public PrintTest {};

TEST_F(DialogWrapperTest, TypedComponentsAreTheColourAndAddedCustomColoursAreShared)
{
    CColorDialog first(RGB(1, 2, 3), CC_FULLOPEN, frame);
    OnIdle([&](HWND idle, int count) {
        if (count == 1) {
            EXPECT_EQ(TextOf(GetDlgItem(idle, COLOR_RED)), "1") << "the initial colour is shown";
            SetFocus(GetDlgItem(idle, COLOR_RED));
            SendDlgItemMessage(idle, COLOR_RED, EM_SETSEL, 0, -1);
            Type("200");
        } else if (count == 2) {
            SendMessage(GetDlgItem(idle, COLOR_ADD), BM_CLICK, 0, 0);
            Key(VK_RETURN);
        }
    });
    ASSERT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.GetColor(), RGB(200, 2, 3));
    EXPECT_EQ(first.m_cc.lpCustColors, CColorDialog::GetSavedCustomColors());
    EXPECT_EQ(CColorDialog::GetSavedCustomColors()[0], RGB(200, 2, 3)) << "the added colour is the process's";

    CColorDialog cancelled(RGB(9, 9, 9), CC_FULLOPEN, frame);
    OnIdle([&](HWND idle, int count) {
        if (count == 1) {
            SendMessage(GetDlgItem(idle, COLOR_ADD), BM_CLICK, 0, 0);
            Key(VK_ESCAPE);
        }
    });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(CColorDialog::GetSavedCustomColors()[1], RGB(255, 255, 255)) << "a cancelled dialog changes none";
}

class PrintDialogWrapperTest : public PrintTest {};

TEST_F(PrintDialogWrapperTest, TheChosenRangeAndPrinterComeBackWithItsDc)
{
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION, frame);
    dialog.m_pd.nMinPage = 1;
    dialog.m_pd.nMaxPage = 9;
    dialog.m_pd.nFromPage = 1;
    dialog.m_pd.nToPage = 9;
    // Each step's keys are handled before the next idle.
    OnIdle([&](HWND idle, int count) {
        if (count == 1) {
            SetFocus(GetDlgItem(idle, edt1));
            SendDlgItemMessage(idle, edt1, EM_SETSEL, 0, -1);
            Type("2");
        } else if (count == 2) {
            SetFocus(GetDlgItem(idle, edt2));
            SendDlgItemMessage(idle, edt2, EM_SETSEL, 0, -1);
            Type("3");
            Key(VK_RETURN);
        } else {
            Key(VK_ESCAPE);  // a message box in the way
        }
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(dialog.PrintRange());
    EXPECT_EQ(dialog.GetFromPage(), 2);
    EXPECT_EQ(dialog.GetToPage(), 3);
    EXPECT_EQ(std::string(dialog.GetDeviceName()), tw::gdi::kPdfPrinterName);
    EXPECT_EQ(dialog.GetCopies(), 1);
    HDC printer = dialog.GetPrinterDC();
    ASSERT_NE(printer, nullptr);
    EXPECT_GT(GetDeviceCaps(printer, LOGPIXELSY), 96) << "a printer's resolution, not the screen's";
    DeleteDC(printer);
}

TEST_F(PrintDialogWrapperTest, DefaultsNeedNoDialogAndMakeAPrinterDc)
{
    CPrintDialog dialog(FALSE);
    ASSERT_TRUE(dialog.GetDefaults());
    EXPECT_FALSE(dialog.m_pd.Flags & PD_RETURNDEFAULT);
    EXPECT_FALSE(dialog.GetDeviceName().IsEmpty());
    HDC printer = dialog.CreatePrinterDC();
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(dialog.GetPrinterDC(), printer);
    DeleteDC(printer);
}

TEST_F(PrintDialogWrapperTest, CancelGivesNoDc)
{
    CPrintDialog dialog(FALSE);
    OnIdle([&](HWND, int count) {
        if (count == 1)
            Key(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPrinterDC(), nullptr);
    EXPECT_EQ(dialog.GetFromPage(), -1);
}

TEST_F(PrintDialogWrapperTest, PrintSetupChangesTheApplicationsPrinterOnlyWhenConfirmed)
{
    auto copiesOfAppPrinter = [] {
        CPrintDialog dialog(FALSE);
        if (!TheApp().GetPrinterDeviceDefaults(&dialog.m_pd))
            return -1;
        return dialog.GetCopies();
    };
    auto setup = [&](const char* copies, UINT endKey) {
        OnIdle([&, copies, endKey](HWND idle, int count) {
            if (count == 1) {
                SetFocus(GetDlgItem(idle, edt3));
                SendDlgItemMessage(idle, edt3, EM_SETSEL, 0, -1);
                Type(copies);
                Key(endKey);
            } else {
                Key(VK_ESCAPE);
            }
        });
        TheApp().OnFilePrintSetup();
    };
    ASSERT_EQ(copiesOfAppPrinter(), 1);
    setup("3", VK_RETURN);
    EXPECT_EQ(copiesOfAppPrinter(), 3);
    setup("5", VK_ESCAPE);
    EXPECT_EQ(copiesOfAppPrinter(), 3) << "a cancelled setup keeps the printer";

    CPrintDialog::SetAppPrinter(PRINTDLG{});  // back to the system's default
    EXPECT_EQ(copiesOfAppPrinter(), 1);
}

TEST(SharedFileTest, ADetachedBlockHoldsExactlyTheDataAndReadsBackThroughSetHandle)
{
    const char text[] = "archive bytes";
    HGLOBAL block;
    {
        CSharedFile file;
        file.Write(text, sizeof text);
        block = file.Detach();
        EXPECT_EQ(file.GetLength(), 0u) << "the file is empty once detached";
    }
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), sizeof text) << "a reader sizing the block sees only the data";

    {
        CSharedFile reader;
        reader.SetHandle(block, FALSE);
        char back[sizeof text] = {};
        EXPECT_EQ(reader.Read(back, sizeof back), sizeof text);
        EXPECT_STREQ(back, text);
    }
    // The reader left the block to its owner, unlocked.
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 0u);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(SharedFileTest, AFixedBlockRefusesToGrowAndAGrowableOneGrows)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    {
        CSharedFile fixed;
        fixed.SetHandle(block, FALSE);
        fixed.Seek(0, CFile::end);
        EXPECT_THROW(
            {
                try {
                    fixed.Write("more", 4);
                } catch (CException* e) {
                    e->Delete();
                    throw 1;
                }
            },
            int);
    }
    {
        CSharedFile growing;
        growing.SetHandle(block, TRUE);
        growing.Seek(0, CFile::end);
        growing.Write("more", 4);
        EXPECT_EQ(growing.GetLength(), 8u);
    }
    EXPECT_GE(GlobalSize(block), 8u);
    GlobalFree(block);
}

}  // namespace
}  // namespace tw::mfc::print_test
