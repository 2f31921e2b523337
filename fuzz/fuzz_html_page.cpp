// Help and tutorial pages: HTML parsed and laid out.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/controls/browser/HtmlPage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string html(reinterpret_cast<const char*>(data), size);
    tw::browser::HtmlPage page;
    page.Load(html, "");
    return 0;
}
