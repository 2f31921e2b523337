// Printer device contexts. The DC draws with the ordinary GDI on a page
// bitmap covering the printable area at the printer's resolution; each
// finished page goes onto a page of a PDF document, which is either the
// output file itself or what the system printer is given.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/gdi/wingdi.h"

namespace tw::gdi {

// The name of the printer that writes PDF files.
inline constexpr const char* kPdfPrinterName = "PDF";

// Paper and layout of a printer DC, from its device mode.
struct PrinterPageSetup {
    int paperSize = DMPAPER_A4;
    int orientation = DMORIENT_PORTRAIT;
    int copies = 1;
};

// Every printer name CreateDC accepts: "PDF" first, then the system's.
std::vector<std::string> PrinterNames();

// The device mode a printer starts with (A4 portrait, one copy), for the
// print dialog to hand out and take back. False for an unknown printer.
bool DefaultDevMode(const std::string& printer, DEVMODE& mode);

// The device caps of a printer DC; false for other DCs.
bool PrinterDeviceCaps(HDC hdc, int index, int& value);
// Drops a printer DC's job (an unfinished document is abandoned).
void ForgetPrinterDC(HDC hdc);

}  // namespace tw::gdi
