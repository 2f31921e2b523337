// Per-thread COM initialisation counts. The first CoInitialize(Ex) of a
// thread answers S_OK, later ones S_FALSE, and one asking for the other
// threading model RPC_E_CHANGED_MODE (not counted). Our objects need no
// apartment, so creating them does not check it.
#pragma once

#include "platform/com/OleTypes.h"

#define COINIT_MULTITHREADED 0x0
#define COINIT_APARTMENTTHREADED 0x2
#define COINIT_DISABLE_OLE1DDE 0x4
#define COINIT_SPEED_OVER_MEMORY 0x8

#ifndef RPC_E_CHANGED_MODE
#define RPC_E_CHANGED_MODE ((HRESULT)0x80010106L)
#endif

HRESULT CoInitialize(LPVOID pvReserved);
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
void CoUninitialize();
// OLE initialisation is an apartment-threaded COM initialisation with its
// own count on top.
HRESULT OleInitialize(LPVOID pvReserved);
void OleUninitialize();

namespace tw::com {

// The calling thread's current COM and OLE initialisation counts.
int ComInitCount();
int OleInitCount();

} // namespace tw::com
