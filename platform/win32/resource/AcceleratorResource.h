// Accelerator tables in their resource form: 8-byte records (flags, key,
// command, padding), the last one marked with 0x80 in its flags.
#pragma once

#include <optional>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::res {

// The flag values of FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL and FALT, and the
// end mark of the resource form.
enum : WORD {
    kAccelVirtKey = 0x01,
    kAccelNoInvert = 0x02,
    kAccelShift = 0x04,
    kAccelControl = 0x08,
    kAccelAlt = 0x10,
    kAccelLastEntry = 0x80,
};

struct AcceleratorEntry {
    WORD flags = 0;  // FVIRTKEY ... FALT, without the end mark
    WORD key = 0;
    WORD command = 0;
    bool operator==(const AcceleratorEntry&) const = default;
};

std::vector<BYTE> WriteAcceleratorTable(const std::vector<AcceleratorEntry>& entries);
// nullopt when the size is not whole records or the end mark is missing.
std::optional<std::vector<AcceleratorEntry>> ParseAcceleratorTable(const void* data, size_t size);

}  // namespace tw::res
