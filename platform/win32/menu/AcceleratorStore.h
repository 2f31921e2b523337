// Accelerator tables. A table loaded from a resource is shared: loading the
// same resource again answers the same handle and counts one more holder,
// and DestroyAcceleratorTable only ends the table when its last holder lets
// go, so one holder's destroy never breaks the others' shortcuts. Handle
// values are never reused in a run, so a stale handle can never name a newer
// table.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win32/menu/winmenu.h"

namespace tw::menu {

class AcceleratorStore {
public:
    static AcceleratorStore& Instance();

    HACCEL Create(std::vector<ACCEL> entries);
    // The shared table of a resource, creating it on first use; null when
    // the resource is missing or malformed.
    HACCEL LoadShared(HINSTANCE instance, LPCSTR name);
    bool Release(HACCEL handle);
    // One more holder of an existing table, who lets go of it with
    // DestroyAcceleratorTable like the first; false for an unknown handle.
    bool Hold(HACCEL handle);
    std::optional<std::vector<ACCEL>> Entries(HACCEL handle);
    int Holders(HACCEL handle);

private:
    struct Table {
        std::vector<ACCEL> entries;
        int holders = 1;
        std::string resourceKey;  // empty for created tables
    };
    AcceleratorStore() = default;
    HACCEL AddLocked(Table table);

    std::mutex mutex_;
    std::unordered_map<HACCEL, Table> tables_;
    std::map<std::string, HACCEL> shared_;
    ULONG_PTR nextHandle_ = 0x20010;
};

}  // namespace tw::menu
