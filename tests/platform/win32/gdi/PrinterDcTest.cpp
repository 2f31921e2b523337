// Printer DCs: the page's device caps, documents written as PDF files with
// one page per StartPage/EndPage, and jobs handed to a system printer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/win32/gdi/PrinterDC.h"
#include "platform/win32/gdi/PrinterSpooler.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/winerror.h"

namespace tw::gdi {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int CountPdfPages(const std::string& pdf)
{
    int pages = 0;
    const std::string marker = "/Type /Page";
    for (size_t at = pdf.find(marker); at != std::string::npos; at = pdf.find(marker, at + 1)) {
        if (pdf.compare(at, marker.size() + 1, marker + "s") != 0)
            ++pages;
    }
    return pages;
}

class FakeSpooler : public PrinterSpooler {
public:
    std::vector<std::string> Printers() override { return printers; }
    std::string DefaultPrinter() override { return defaultPrinter; }
    bool Submit(const std::vector<std::string>& argv) override
    {
        submitted.push_back(argv);
        submittedPdf = ReadWhole(argv.back());
        return accept;
    }
    std::vector<std::string> printers;
    std::string defaultPrinter;
    std::vector<std::vector<std::string>> submitted;
    std::string submittedPdf;
    bool accept = true;
};

class PrinterDcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        spooler = std::make_shared<FakeSpooler>();
        SetPrinterSpooler(spooler);
    }
    void TearDown() override
    {
        if (dc)
            DeleteDC(dc);
        SetPrinterSpooler(nullptr);
    }

    // Prints `pages` pages, each with a filled square, and ends the document.
    int PrintPages(int pages, const char* output, const char* title = "KtvKeyMapDlg")
    {
        DOCINFO info{};
        info.cbSize = sizeof info;
        info.lpszDocName = title;
        info.lpszOutput = output;
        if (StartDoc(dc, &info) <= 0)
            return SP_ERROR;
        for (int page = 0; page < pages; ++page) {
            EXPECT_GT(StartPage(dc), 0);
            const RECT square{0, 0, 300, 300};
            FillRect(dc, &square, HBRUSH(GetStockObject(BLACK_BRUSH)));
            EXPECT_GT(EndPage(dc), 0);
        }
        return EndDoc(dc);
    }

    std::shared_ptr<FakeSpooler> spooler;
    HDC dc = nullptr;
};

TEST_F(PrinterDcTest, PageCapsFollowPaperAndOrientationAtThePrinterResolution)
{
    struct PaperCase {
        short paper;
        short orientation;
        int physicalWidth;
        int physicalHeight;
    } const cases[] = {
        {0, 0, 2480, 3508},  // no device mode: A4 portrait
        {DMPAPER_A4, DMORIENT_LANDSCAPE, 3508, 2480},
        {DMPAPER_LETTER, DMORIENT_PORTRAIT, 2550, 3300},
        {DMPAPER_LEGAL, DMORIENT_LANDSCAPE, 4200, 2550},
    };
    for (const auto& c : cases) {
        DEVMODE mode{};
        mode.dmSize = sizeof mode;
        mode.dmFields = DM_PAPERSIZE | DM_ORIENTATION;
        mode.dmPaperSize = c.paper;
        mode.dmOrientation = c.orientation;
        HDC printer = CreateDC(nullptr, "PDF", nullptr, c.paper ? &mode : nullptr);
        ASSERT_NE(printer, nullptr);
        EXPECT_EQ(GetDeviceCaps(printer, PHYSICALWIDTH), c.physicalWidth) << c.paper;
        EXPECT_EQ(GetDeviceCaps(printer, PHYSICALHEIGHT), c.physicalHeight) << c.paper;
        const int offset = GetDeviceCaps(printer, PHYSICALOFFSETX);
        EXPECT_GT(offset, 0);
        EXPECT_EQ(GetDeviceCaps(printer, HORZRES), c.physicalWidth - 2 * offset);
        EXPECT_EQ(GetDeviceCaps(printer, VERTRES), c.physicalHeight - 2 * GetDeviceCaps(printer, PHYSICALOFFSETY));
        EXPECT_EQ(GetDeviceCaps(printer, LOGPIXELSX), 300);
        EXPECT_EQ(GetDeviceCaps(printer, LOGPIXELSY), 300);
        EXPECT_EQ(GetDeviceCaps(printer, TECHNOLOGY), DT_RASPRINTER);
        DeleteDC(printer);
    }
}

TEST_F(PrinterDcTest, DrawingLandsOnTheColourPageInDeviceUnits)
{
    dc = CreateDC(nullptr, "PDF", nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    DOCINFO info{sizeof(DOCINFO), "page", "page.pdf", nullptr, 0};
    ASSERT_GT(StartDoc(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    const int right = GetDeviceCaps(dc, HORZRES) - 1;
    const int bottom = GetDeviceCaps(dc, VERTRES) - 1;
    EXPECT_EQ(GetPixel(dc, right, bottom), RGB(255, 255, 255));
    SetPixel(dc, right, bottom, RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(dc, right, bottom), RGB(200, 0, 0));
    EXPECT_GT(EndPage(dc), 0);
    ASSERT_GT(StartPage(dc), 0);
    EXPECT_EQ(GetPixel(dc, right, bottom), RGB(255, 255, 255)) << "every page starts blank";
    EXPECT_GT(EndDoc(dc), 0);
}

TEST_F(PrinterDcTest, ADocumentIsAPdfWithOnePagePerPrintedPage)
{
    dc = CreateDC(nullptr, "PDF", nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    ASSERT_GT(PrintPages(3, "three.pdf"), 0);
    const std::string pdf = ReadWhole("three.pdf");
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(CountPdfPages(pdf), 3);
    EXPECT_NE(pdf.find("/Subtype /Image"), std::string::npos) << "the drawn page is in the document";
    ASSERT_GT(PrintPages(1, "three.pdf"), 0) << "the same DC prints the next document";
    EXPECT_EQ(CountPdfPages(ReadWhole("three.pdf")), 1);
    for (const auto& entry : fs::directory_iterator("."))
        EXPECT_EQ(entry.path().filename().string().find(".tw-print"), std::string::npos) << "no work file left";
}

TEST_F(PrinterDcTest, CallsOutOfOrderFailAndAnAbortedDocumentLeavesTheOldFile)
{
    dc = CreateDC(nullptr, "PDF", nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(StartPage(dc), SP_ERROR) << "no document";
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    ASSERT_GT(PrintPages(2, "report.pdf"), 0);

    DOCINFO info{sizeof(DOCINFO), "again", "report.pdf", nullptr, 0};
    ASSERT_GT(StartDoc(dc, &info), 0);
    EXPECT_EQ(StartDoc(dc, &info), SP_ERROR) << "one document at a time";
    EXPECT_EQ(EndPage(dc), SP_ERROR) << "no page";
    ASSERT_GT(StartPage(dc), 0);
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    EXPECT_GT(AbortDoc(dc), 0);
    EXPECT_EQ(AbortDoc(dc), SP_ERROR);
    EXPECT_EQ(CountPdfPages(ReadWhole("report.pdf")), 2);

    DOCINFO nowhere{sizeof(DOCINFO), "x", "no/such/folder/x.pdf", nullptr, 0};
    EXPECT_EQ(StartDoc(dc, &nowhere), SP_ERROR);
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(StartDoc(memory, &info), SP_ERROR) << "not a printer";
    DeleteDC(memory);
}

TEST_F(PrinterDcTest, WithoutAnOutputFileTheTitleNamesItInTheDocumentsFolder)
{
    fs::create_directories("home/Documents");
    const std::string home = fs::absolute("home").string();
    const char* savedHome = std::getenv("HOME");
    const std::string restoreHome = savedHome ? savedHome : "";
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_DOCUMENTS_DIR");
    dc = CreateDC(nullptr, "PDF", nullptr, nullptr);
    const int done = PrintPages(1, nullptr, "Key map: all/commands");
    setenv("HOME", restoreHome.c_str(), 1);
    ASSERT_GT(done, 0);
    EXPECT_EQ(CountPdfPages(ReadWhole("home/Documents/Key map_ all_commands.pdf")), 1);
}

TEST_F(PrinterDcTest, ADefaultDeviceModeMakesTheSameDcAsNone)
{
    DEVMODE mode{};
    EXPECT_FALSE(DefaultDevMode("Office Laser", mode));
    ASSERT_TRUE(DefaultDevMode("PDF", mode));
    EXPECT_STREQ(reinterpret_cast<const char*>(mode.dmDeviceName), "PDF");
    EXPECT_EQ(mode.dmSize, sizeof(DEVMODE));
    HDC withMode = CreateDC(nullptr, "PDF", nullptr, &mode);
    HDC without = CreateDC(nullptr, "PDF", nullptr, nullptr);
    for (int caps : {HORZRES, VERTRES, PHYSICALWIDTH, PHYSICALHEIGHT})
        EXPECT_EQ(GetDeviceCaps(withMode, caps), GetDeviceCaps(without, caps)) << caps;
    DeleteDC(withMode);
    DeleteDC(without);
}

TEST_F(PrinterDcTest, UnknownPrintersAreRefused)
{
    SetLastError(0);
    EXPECT_EQ(CreateDC(nullptr, "Office Laser", nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PRINTER_NAME));
    EXPECT_EQ(CreateDC("DISPLAY", nullptr, nullptr, nullptr), nullptr);
}

TEST_F(PrinterDcTest, ASystemPrinterGetsThePdfThroughThePrintCommand)
{
    spooler->printers = {"Office Laser"};
    EXPECT_EQ(PrinterNames(), (std::vector<std::string>{"PDF", "Office Laser"}));
    DEVMODE mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_COPIES;
    mode.dmCopies = 2;
    dc = CreateDC(nullptr, "Office Laser", nullptr, &mode);
    ASSERT_NE(dc, nullptr);
    ASSERT_GT(PrintPages(2, nullptr), 0);
    ASSERT_EQ(spooler->submitted.size(), 1u);
    const auto& argv = spooler->submitted[0];
    ASSERT_EQ(argv.size(), 9u);
    EXPECT_EQ(std::vector<std::string>(argv.begin(), argv.end() - 1),
              (std::vector<std::string>{"lp", "-d", "Office Laser", "-n", "2", "-t", "KtvKeyMapDlg", "--"}));
    EXPECT_EQ(CountPdfPages(spooler->submittedPdf), 2);
    EXPECT_FALSE(fs::exists(argv.back())) << "the spooled copy is removed";

    spooler->accept = false;
    EXPECT_EQ(PrintPages(1, nullptr), SP_ERROR) << "a refused job is no success";
}

TEST_F(PrinterDcTest, TheDefaultPrinterIsTheSystemsOrElsePdf)
{
    char name[64];
    DWORD size = sizeof name;
    ASSERT_TRUE(GetDefaultPrinter(name, &size));
    EXPECT_STREQ(name, "PDF");
    EXPECT_EQ(size, 4u);

    spooler->defaultPrinter = "Office Laser";
    DWORD tooSmall = 3;
    EXPECT_FALSE(GetDefaultPrinter(name, &tooSmall));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(tooSmall, 13u);
    size = sizeof name;
    ASSERT_TRUE(GetDefaultPrinter(name, &size));
    EXPECT_STREQ(name, "Office Laser");
}

}  // namespace
}  // namespace tw::gdi
