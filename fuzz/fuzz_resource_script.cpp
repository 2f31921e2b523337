// Resource scripts: the preprocessor, the parser and the table writer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/rc/RcError.h"
#include "tools/rc/RcOutput.h"
#include "tools/rc/RcParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const auto resources = tw::rc::CompileScriptText(text, "fuzz.rc");
        tw::rc::GenerateTableSource(resources, "FuzzTable");
    } catch (const tw::rc::RcError&) {
    }
    return 0;
}
