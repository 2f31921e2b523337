// The print dialog: a printer from those the drawing layer can open, the
// page range, copies and collation, handed back as DEVMODE and DEVNAMES
// blocks and, when asked, the printer's DC.
#pragma once

#include <string>
#include <vector>

#include "platform/comctl/dialogs/commdlg.h"

namespace tw::comdlg {

class PrintDialog {
public:
    static BOOL Run(LPPRINTDLG request);

    // A DEVNAMES block naming `device`, and the device a block names ("" for none).
    static HGLOBAL MakeDevNames(const std::string& device, bool isDefault);
    static std::string DeviceOf(HGLOBAL devNames);

private:
    struct State {
        PRINTDLG* request = nullptr;
        std::vector<std::string> printers;
        std::string defaultPrinter;
        std::string chosen;
        int copies = 1;
    };

    static bool Validate(const PRINTDLG* request);
    static BOOL ReturnDefault(PRINTDLG& request);
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static void Initialise(HWND dialog, State& state);
    static void EnableRange(HWND dialog);
    static bool Accept(HWND dialog, State& state);
    static BOOL Deliver(PRINTDLG& request, const std::string& device, bool isDefault, int copies);
};

}  // namespace tw::comdlg
