// What the edit control's printing tests share: a machine whose only
// printer writes PDF files, a text of numbered rows, and a PDF's page count.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/gdi/PrinterSpooler.h"

namespace tw::test {

// A machine without a print system: the only printer writes PDF files.
class PdfOnlySpooler : public tw::gdi::PrinterSpooler {
public:
    std::vector<std::string> Printers() override { return {}; }
    std::string DefaultPrinter() override { return {}; }
    bool Submit(const std::vector<std::string>&) override { return false; }
};

// "row 0" .. "row n-1", one a line, with no line feed after the last.
inline std::string NumberedRows(int count)
{
    std::string text;
    for (int row = 0; row < count; ++row) {
        if (row > 0)
            text += '\n';
        text += "row " + std::to_string(row);
    }
    return text;
}

// Pages in a PDF file: its "/Type /Page" objects, not "/Type /Pages".
inline int PdfPageCount(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return -1;
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    static const std::regex page(R"(/Type\s*/Page(?![s\w]))");
    return static_cast<int>(std::distance(std::sregex_iterator(text.begin(), text.end(), page), std::sregex_iterator()));
}

}  // namespace tw::test
