// The platform's constants that scripts use without including a header:
// styles, control classes, dialog ids, virtual keys, menu types, languages,
// version-info values and the dialog-init messages.
#pragma once

#include <cstdint>
#include <vector>

namespace tw::rc {

struct RcSymbol {
    const char* name;
    uint32_t value;
    const char* text;  // a string constant (a class name) when not null
};

const std::vector<RcSymbol>& PredefinedSymbols();

}  // namespace tw::rc
