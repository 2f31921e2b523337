#include "platform/win32/gdi/PrinterDC.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>

#include "platform/win32/gdi/DeviceContext.h"
#include "platform/win32/gdi/PrinterSpooler.h"
#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/winerror.h"

namespace tw::gdi {

namespace {

// Dots per inch of every printer DC: fine enough for text, small enough that
// a page bitmap stays in tens of megabytes.
constexpr int kPrinterDpi = 300;
// The margin printers cannot reach, on every side: a quarter inch.
constexpr int kUnprintableDots = kPrinterDpi / 4;
constexpr double kPointsPerInch = 72.0;
constexpr double kMmPerInch = 25.4;

struct PaperMm {
    int paper;
    double width;
    double height;
};

constexpr PaperMm kPapers[] = {
    {DMPAPER_LETTER, 215.9, 279.4}, {DMPAPER_LEGAL, 215.9, 355.6}, {DMPAPER_A3, 297.0, 420.0},
    {DMPAPER_A4, 210.0, 297.0},     {DMPAPER_A5, 148.0, 210.0},
};

const PaperMm* FindPaper(int paper)
{
    for (const auto& known : kPapers) {
        if (known.paper == paper)
            return &known;
    }
    return nullptr;
}

int MmToDots(double mm) { return int(mm / kMmPerInch * kPrinterDpi + 0.5); }

// One printer DC's job: the page geometry, the PDF being written and the
// bitmap of the page being drawn.
class PrinterJob {
public:
    PrinterJob(std::string printer, PrinterPageSetup setup) : printer_(std::move(printer)), setup_(setup)
    {
        const PaperMm& paper = *FindPaper(setup.paperSize);
        const bool landscape = setup.orientation == DMORIENT_LANDSCAPE;
        physicalWidth_ = MmToDots(landscape ? paper.height : paper.width);
        physicalHeight_ = MmToDots(landscape ? paper.width : paper.height);
    }
    ~PrinterJob() { Abandon(); }

    int PrintableWidth() const { return physicalWidth_ - 2 * kUnprintableDots; }
    int PrintableHeight() const { return physicalHeight_ - 2 * kUnprintableDots; }

    bool Caps(int index, int& value) const
    {
        switch (index) {
        case TECHNOLOGY: value = DT_RASPRINTER; return true;
        case HORZRES: value = PrintableWidth(); return true;
        case VERTRES: value = PrintableHeight(); return true;
        case HORZSIZE: value = int(PrintableWidth() * kMmPerInch / kPrinterDpi + 0.5); return true;
        case VERTSIZE: value = int(PrintableHeight() * kMmPerInch / kPrinterDpi + 0.5); return true;
        case LOGPIXELSX:
        case LOGPIXELSY: value = kPrinterDpi; return true;
        case PHYSICALWIDTH: value = physicalWidth_; return true;
        case PHYSICALHEIGHT: value = physicalHeight_; return true;
        case PHYSICALOFFSETX:
        case PHYSICALOFFSETY: value = kUnprintableDots; return true;
        case ASPECTX:
        case ASPECTY: value = 100; return true;
        case ASPECTXY: value = 141; return true;
        case DESKTOPHORZRES: value = PrintableWidth(); return true;
        case DESKTOPVERTRES: value = PrintableHeight(); return true;
        case VREFRESH: value = 0; return true;
        default: return false;
        }
    }

    int StartDoc(const DOCINFO& info)
    {
        if (pdf_)
            return SP_ERROR;
        title_ = info.lpszDocName && *info.lpszDocName ? info.lpszDocName : "Document";
        const bool toPrinter = printer_ != kPdfPrinterName && !(info.lpszOutput && *info.lpszOutput);
        finalPath_ = toPrinter ? std::string() : OutputPath(info.lpszOutput);
        sendToPrinter_ = toPrinter;
        if (!OpenDocument())
            return SP_ERROR;
        return ++jobIds_;
    }

    // The page is in the DC from its creation, so text is measured in colour
    // at the printer's size before the first page starts. The caller holds the GDI lock.
    void AttachPage(DeviceContext& dc)
    {
        if (!page_)
            page_ = MakeBitmap(PrintableWidth(), PrintableHeight(), 32);
        if (dc.state.bitmap == page_)
            return;
        if (dc.state.bitmap && dc.state.bitmap->selectedInto == &dc)
            dc.state.bitmap->selectedInto = nullptr;
        page_->selectedInto = &dc;
        dc.state.bitmap = page_;
    }

    bool StartPage(DeviceContext& dc)
    {
        if (!pdf_ || pageOpen_)
            return false;
        AttachPage(dc);
        std::fill(page_->pixels.begin(), page_->pixels.end(), 0x00FFFFFFu);
        pageOpen_ = true;
        return true;
    }

    bool EndPage()
    {
        if (!pdf_ || !pageOpen_)
            return false;
        pageOpen_ = false;
        return EmitPage();
    }

    // A finished document for a system printer comes back as the job to hand
    // over, so the print command runs outside the GDI lock.
    struct Submission {
        std::vector<std::string> command;
        std::string workFile;
    };

    bool EndDoc(Submission& submission)
    {
        if (!pdf_)
            return false;
        if (pageOpen_ && !EndPage())
            return false;
        cairo_surface_finish(pdf_);
        const bool written = cairo_surface_status(pdf_) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(pdf_);
        pdf_ = nullptr;
        if (!written) {
            RemoveWorkFile();
            return false;
        }
        if (!sendToPrinter_)
            return PublishWorkFile();
        submission.command = PrintCommand(printer_, title_, setup_.copies, workPath_);
        submission.workFile = workPath_;
        workPath_.clear();
        return true;
    }

    void Abandon()
    {
        pageOpen_ = false;
        if (pdf_) {
            cairo_surface_destroy(pdf_);
            pdf_ = nullptr;
        }
        RemoveWorkFile();
    }

    bool HasDocument() const { return pdf_ != nullptr; }

private:
    double PointsOf(int dots) const { return dots * kPointsPerInch / kPrinterDpi; }

    static std::string DefaultFolder()
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        if (const char* documents = std::getenv("XDG_DOCUMENTS_DIR"); documents && fs::is_directory(documents, ec))
            return documents;
        if (const char* home = std::getenv("HOME"); home && *home) {
            if (fs::is_directory(fs::path(home) / "Documents", ec))
                return (fs::path(home) / "Documents").string();
            if (fs::is_directory(home, ec))
                return home;
        }
        return fs::current_path(ec).string();
    }

    // Without a file named, the document's title names it, made safe as a file name.
    std::string OutputPath(const char* requested) const
    {
        if (requested && *requested) {
            std::string path(requested);
            std::replace(path.begin(), path.end(), '\\', '/');
            return path;
        }
        std::string name = title_;
        for (char& c : name) {
            if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20)
                c = '_';
        }
        if (name.empty() || name[0] == '.')
            name.insert(0, "Document");
        return (std::filesystem::path(DefaultFolder()) / (name + ".pdf")).string();
    }

    // The document is written beside its destination and renamed over it at
    // the end, so a failed or abandoned print leaves any earlier file intact.
    bool OpenDocument()
    {
        namespace fs = std::filesystem;
        const fs::path folder = sendToPrinter_ ? fs::temp_directory_path() : fs::path(finalPath_).parent_path();
        std::string pattern = ((folder.empty() ? fs::path(".") : folder) / ".tw-print-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            SetLastError(ERROR_PATH_NOT_FOUND);
            return false;
        }
        ::close(fd);
        workPath_ = pattern;
        pdf_ = cairo_pdf_surface_create(workPath_.c_str(), PointsOf(physicalWidth_), PointsOf(physicalHeight_));
        // PDF 1.4 keeps each page object readable without object streams.
        cairo_pdf_surface_restrict_to_version(pdf_, CAIRO_PDF_VERSION_1_4);
        cairo_pdf_surface_set_metadata(pdf_, CAIRO_PDF_METADATA_TITLE, title_.c_str());
        if (cairo_surface_status(pdf_) != CAIRO_STATUS_SUCCESS) {
            Abandon();
            return false;
        }
        return true;
    }

    bool EmitPage()
    {
        cairo_surface_t* image = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(page_->pixels.data()), CAIRO_FORMAT_RGB24, page_->width, page_->height,
            page_->width * 4);
        cairo_t* cr = cairo_create(pdf_);
        cairo_scale(cr, kPointsPerInch / kPrinterDpi, kPointsPerInch / kPrinterDpi);
        cairo_set_source_surface(cr, image, kUnprintableDots, kUnprintableDots);
        cairo_paint(cr);
        cairo_show_page(cr);
        const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
        cairo_destroy(cr);
        cairo_surface_destroy(image);
        return drawn;
    }

    bool PublishWorkFile()
    {
        std::error_code ec;
        std::filesystem::rename(workPath_, finalPath_, ec);
        if (ec) {
            RemoveWorkFile();
            SetLastError(ERROR_ACCESS_DENIED);
            return false;
        }
        workPath_.clear();
        return true;
    }

    void RemoveWorkFile()
    {
        if (workPath_.empty())
            return;
        std::error_code ec;
        std::filesystem::remove(workPath_, ec);
        workPath_.clear();
    }

    std::string printer_;
    PrinterPageSetup setup_;
    int physicalWidth_ = 0;
    int physicalHeight_ = 0;
    std::string title_;
    std::string finalPath_;
    std::string workPath_;
    bool sendToPrinter_ = false;
    cairo_surface_t* pdf_ = nullptr;
    std::shared_ptr<BitmapObject> page_;
    bool pageOpen_ = false;
    static inline int jobIds_ = 0;
};

std::map<HDC, std::unique_ptr<PrinterJob>>& PrinterJobs()
{
    static std::map<HDC, std::unique_ptr<PrinterJob>> jobs;
    return jobs;
}

// Both maps and jobs live under the GDI lock, as the DCs they belong to do.
PrinterJob* FindPrinterJob(HDC hdc)
{
    auto& jobs = PrinterJobs();
    const auto found = jobs.find(hdc);
    return found == jobs.end() ? nullptr : found->second.get();
}

bool IsKnownPrinter(const std::string& name)
{
    if (name == kPdfPrinterName)
        return true;
    for (const auto& listed : CurrentPrinterSpooler()->Printers()) {
        if (listed == name)
            return true;
    }
    return false;
}

PrinterPageSetup SetupFromDevMode(const DEVMODE* mode)
{
    PrinterPageSetup setup;
    if (!mode)
        return setup;
    if ((mode->dmFields & DM_PAPERSIZE) && FindPaper(mode->dmPaperSize))
        setup.paperSize = mode->dmPaperSize;
    if ((mode->dmFields & DM_ORIENTATION) && mode->dmOrientation == DMORIENT_LANDSCAPE)
        setup.orientation = DMORIENT_LANDSCAPE;
    if ((mode->dmFields & DM_COPIES) && mode->dmCopies > 1)
        setup.copies = mode->dmCopies;
    return setup;
}

}  // namespace

std::vector<std::string> PrinterNames()
{
    std::vector<std::string> names{kPdfPrinterName};
    for (auto& listed : CurrentPrinterSpooler()->Printers()) {
        if (listed != kPdfPrinterName)
            names.push_back(std::move(listed));
    }
    return names;
}

bool DefaultDevMode(const std::string& printer, DEVMODE& mode)
{
    if (!IsKnownPrinter(printer))
        return false;
    const PrinterPageSetup setup;
    mode = DEVMODE{};
    const size_t nameLength = std::min(printer.size(), size_t(CCHDEVICENAME - 1));
    std::memcpy(mode.dmDeviceName, printer.data(), nameLength);
    mode.dmSize = sizeof(DEVMODE);
    mode.dmSpecVersion = 0x0401;
    mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
    mode.dmOrientation = short(setup.orientation);
    mode.dmPaperSize = short(setup.paperSize);
    mode.dmCopies = short(setup.copies);
    mode.dmPrintQuality = kPrinterDpi;
    mode.dmYResolution = kPrinterDpi;
    return true;
}

bool PrinterDeviceCaps(HDC hdc, int index, int& value)
{
    std::lock_guard lock(GdiLock());
    PrinterJob* job = FindPrinterJob(hdc);
    return job && job->Caps(index, value);
}

void ForgetPrinterDC(HDC hdc)
{
    std::lock_guard lock(GdiLock());
    PrinterJobs().erase(hdc);
}

}  // namespace tw::gdi

using tw::gdi::FindPrinterJob;

HDC CreateDC(LPCSTR, LPCSTR pszDevice, LPCSTR, const DEVMODE* pdm)
{
    const std::string device = pszDevice ? pszDevice : "";
    if (device.empty() || !tw::gdi::IsKnownPrinter(device)) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return nullptr;
    }
    HDC hdc = CreateCompatibleDC(nullptr);
    if (!hdc)
        return nullptr;
    std::lock_guard lock(tw::gdi::GdiLock());
    auto job = std::make_unique<tw::gdi::PrinterJob>(device, tw::gdi::SetupFromDevMode(pdm));
    job->AttachPage(*tw::gdi::FindDC(hdc));
    tw::gdi::PrinterJobs()[hdc] = std::move(job);
    return hdc;
}

int StartDoc(HDC hdc, const DOCINFO* lpdi)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto* job = FindPrinterJob(hdc);
    if (!job || !lpdi) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return SP_ERROR;
    }
    return job->StartDoc(*lpdi);
}

int StartPage(HDC hdc)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto* job = FindPrinterJob(hdc);
    auto dc = tw::gdi::FindDC(hdc);
    if (!job || !dc || !job->StartPage(*dc))
        return SP_ERROR;
    return 1;
}

int EndPage(HDC hdc)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto* job = FindPrinterJob(hdc);
    return job && job->EndPage() ? 1 : SP_ERROR;
}

int EndDoc(HDC hdc)
{
    tw::gdi::PrinterJob::Submission submission;
    {
        std::lock_guard lock(tw::gdi::GdiLock());
        auto* job = FindPrinterJob(hdc);
        if (!job || !job->EndDoc(submission))
            return SP_ERROR;
    }
    if (submission.command.empty())
        return 1;
    const bool sent = tw::gdi::CurrentPrinterSpooler()->Submit(submission.command);
    std::error_code ec;
    std::filesystem::remove(submission.workFile, ec);
    return sent ? 1 : SP_ERROR;
}

int AbortDoc(HDC hdc)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto* job = FindPrinterJob(hdc);
    if (!job || !job->HasDocument())
        return SP_ERROR;
    job->Abandon();
    return 1;
}

BOOL GetDefaultPrinter(LPSTR pszBuffer, LPDWORD pcchBuffer)
{
    if (!pcchBuffer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string name = tw::gdi::CurrentPrinterSpooler()->DefaultPrinter();
    if (name.empty())
        name = tw::gdi::kPdfPrinterName;
    const DWORD needed = DWORD(name.size() + 1);
    if (!pszBuffer || *pcchBuffer < needed) {
        *pcchBuffer = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(pszBuffer, name.c_str(), needed);
    *pcchBuffer = needed;
    return TRUE;
}
