// The rebar: bands in rows, each with a header and a child window placed
// beside it, kept as the RB_ messages describe them. The bands' layout is
// stored by the program as 80-byte records, the band-information record of
// the platform's 32-bit form, whatever size the structure has here.
#pragma once

#include <cstddef>

#include "platform/comctl/commctrl.h"

namespace tw::comctl {

LRESULT CALLBACK RebarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

constexpr size_t kStoredBandInfoSize = 80;

// Writes a band record in the stored form: twenty little-endian 32-bit
// fields, with the text, child, background bitmap and lParam written as 0
// and their bits dropped from the mask, since handles do not outlive the run.
void StoreBandInfo(const REBARBANDINFO& info, BYTE (&record)[kStoredBandInfoSize]);

// Reads a stored record into a structure ready for RB_SETBANDINFO. A record
// of another size or with another cbSize is refused; the mask keeps no bit
// for a field that would carry a handle or pointer from the stored bytes.
bool LoadBandInfo(const BYTE* record, size_t size, REBARBANDINFO* info);

}  // namespace tw::comctl
