// A record as the program hands one to a grid: a one-dimensional array
// (lower bound 0) of string VARIANTs.
#pragma once

#include <string>
#include <vector>

#include "platform/com/ComSupport.h"
#include "platform/com/SafeArray.h"

namespace tw::test {

inline _variant_t StringRecord(const std::vector<std::string>& texts)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, ULONG(texts.size()));
    for (LONG i = 0; i < LONG(texts.size()); ++i) {
        _variant_t text(texts[size_t(i)].c_str());
        SafeArrayPutElement(array, &i, &text);
    }
    _variant_t record;
    record.vt = VT_ARRAY | VT_VARIANT;
    record.parray = array;
    return record;
}

}  // namespace tw::test
