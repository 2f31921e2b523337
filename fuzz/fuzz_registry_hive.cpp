// The registry hive's text file, read and written back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/win32/registry/RegistryKey.h"
#include "platform/win32/registry/RegistryText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tw::reg::RegKey top("");
    if (tw::reg::ReadRegistryText(text, top) >= 0) {
        tw::reg::RegKey again("");
        tw::reg::ReadRegistryText(tw::reg::WriteRegistryText(top, false), again);
    }
    return 0;
}
