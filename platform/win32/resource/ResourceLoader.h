// The loader calls behind the program's resources. A module's table is
// registered explicitly at start-up (the program and each test call
// tw::RegisterResources): a static initialiser in a static library may be
// dropped by the linker, so nothing registers itself.
//
// NULL as a module handle means the program's instance, tw::ProgramInstance().
#pragma once

#include <string>

#include "platform/win32/resource/ResourceTable.h"
#include "platform/win32/resource/ResourceTypes.h"
#include "platform/win32/windef.h"

HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
HRSRC FindResourceEx(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
BOOL FreeResource(HGLOBAL hResData);

// UTF-8 into the caller's buffer, cut at a whole character; returns the bytes
// copied without the terminating zero, 0 for a missing or empty string.
int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
// UTF-16; with cchBufferMax 0 the buffer receives a read-only pointer to the
// text in the resource (not zero-terminated) and the length is returned.
int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

namespace tw {

// The program's instance handle: GetModuleHandle(NULL), which the framework's
// resource handle answers by default.
HINSTANCE ProgramInstance();

// Adds a table to a module; a module may hold several (the program's and a
// library's), searched in registration order. FALSE for a null module. The
// table is copied, so it may be a temporary; the entries it points to must
// live as long as the registration.
BOOL RegisterResources(HINSTANCE hInstance, const ResourceTable& table);
// Forgets every table of a module; FALSE when it had none.
BOOL UnregisterResources(HINSTANCE hInstance);

// Find, load and lock in one step: the bytes of a resource, or false with the
// last error set as FindResource sets it.
bool FindResourceBytes(HMODULE hModule, LPCSTR lpName, LPCSTR lpType, const BYTE** data, DWORD* size);

// A string resource as UTF-8; false when the id has no string.
bool LoadResourceString(HINSTANCE hInstance, UINT id, std::string& text);

}  // namespace tw
