// How a long registry export learns that the user wants it stopped. The
// window layer installs an implementation that looks for an Esc key press in
// the input without dispatching any other message; until one is installed
// nothing cancels an export.
#pragma once

#include "platform/win32/windef.h"

class CRegistryExportCancel {
public:
    virtual ~CRegistryExportCancel() = default;
    // Asked at the first key of an export and at every 50th after it.
    virtual BOOL IsCancelRequested() = 0;

    // Returns the previous one; NULL removes it. The caller keeps ownership.
    static CRegistryExportCancel* Install(CRegistryExportCancel* pCancel);
    static CRegistryExportCancel* Installed();
};
