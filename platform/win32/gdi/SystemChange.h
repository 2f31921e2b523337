// Changes to the system tables that windows must hear of. The drawing layer
// cannot call up into the window system, so the window system registers a
// listener here and is told at once, on the thread that made the change.
#pragma once

namespace tw::gdi {

enum class SystemChange {
    Colors,    // SetSysColors
    WorkArea,  // SPI_SETWORKAREA changed the work area
};

using SystemChangeListener = void (*)(SystemChange change);

// Returns the previous listener; NULL stops the announcements.
SystemChangeListener SetSystemChangeListener(SystemChangeListener listener);
// Called by the tables after the change, with no lock of theirs held.
void AnnounceSystemChange(SystemChange change);

}  // namespace tw::gdi
