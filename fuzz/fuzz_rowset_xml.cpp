// Persisted rowsets (the profile file and other saved recordsets), parsed and written back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ado/AdoFailure.h"
#include "platform/ado/PersistXml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const tw::ado::Rowset rowset = tw::ado::ParseRowsetXml(text);
        tw::ado::RowsetToXml(rowset);
    } catch (const tw::ado::AdoFailure&) {
    }
    return 0;
}
