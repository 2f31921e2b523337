// The system's printers: which exist, which is the default, and handing a
// finished PDF to one. Replaceable so tests never print.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tw::gdi {

class PrinterSpooler {
public:
    virtual ~PrinterSpooler() = default;
    // The system's printer names; empty when there are none or no print system.
    virtual std::vector<std::string> Printers() = 0;
    // The system's default printer; empty when none is set.
    virtual std::string DefaultPrinter() = 0;
    // Runs the print command (argv[0] searched in PATH) and waits; true when it succeeded.
    virtual bool Submit(const std::vector<std::string>& argv) = 0;
};

// The argument vector that prints `file` on `printer`.
std::vector<std::string> PrintCommand(const std::string& printer, const std::string& title, int copies,
                                      const std::string& file);

// Null restores the one that asks the system; returns the previous one.
std::shared_ptr<PrinterSpooler> SetPrinterSpooler(std::shared_ptr<PrinterSpooler> spooler);
std::shared_ptr<PrinterSpooler> CurrentPrinterSpooler();

}  // namespace tw::gdi
