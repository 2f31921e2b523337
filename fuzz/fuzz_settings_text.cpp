// The settings file's text (PosImg.dat and its like), read into a tree and written back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/XmlSettingsNode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CXmlSettingsNode root;
    if (root.Parse(text)) {
        CString written;
        root.AppendText(written);
    }
    return 0;
}
