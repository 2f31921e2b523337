// The registry: one per-user hive kept in a text file ($TARNWICK_REGISTRY, or
// $XDG_CONFIG_HOME/tarnwick/registry.reg, ~/.config when unset), read on first
// use. Changes are written (atomically, the whole file) a moment after they
// stop (0.1 s after the last, at most 1 s after the first), on RegFlushKey and
// at exit.
// Key and value names compare without case and keep their first spelling.
// Sub-keys enumerate in the platform's sorted order (names compared in upper
// case); values in the order they were created.
#pragma once

#include <string>

#include "platform/win32/kernel/KernelObjects.h"

typedef LONG LSTATUS;
typedef DWORD REGSAM;

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)((LONG)0x80000005))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_RESOURCE_LIST 8
#define REG_FULL_RESOURCE_DESCRIPTOR 9
#define REG_RESOURCE_REQUIREMENTS_LIST 10
#define REG_QWORD 11
#define REG_QWORD_LITTLE_ENDIAN 11

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_EXECUTE 0x20019
#define KEY_ALL_ACCESS 0xF003F
#define MAXIMUM_ALLOWED 0x02000000L

#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_OPTION_VOLATILE 0x00000001L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

#define REG_WHOLE_HIVE_VOLATILE 0x00000001L
#define REG_REFRESH_HIVE 0x00000002L
#define REG_NO_LAZY_FLUSH 0x00000004L
#define REG_FORCE_RESTORE 0x00000008L

LSTATUS RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LSTATUS RegOpenKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
// Creates every missing key of the path.
LSTATUS RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                       REGSAM samDesired, const LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                       LPDWORD lpdwDisposition);
LSTATUS RegCreateKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
LSTATUS RegCloseKey(HKEY hKey);
LSTATUS RegFlushKey(HKEY hKey);

// A null or empty name is the key's unnamed default value. With data and too
// small a buffer: ERROR_MORE_DATA and *lpcbData = the size needed.
LSTATUS RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                        LPDWORD lpcbData);
LSTATUS RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                      DWORD cbData);
// The default value of a sub-key, as text.
LSTATUS RegQueryValue(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData);
LSTATUS RegSetValue(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD cbData);
LSTATUS RegDeleteValue(HKEY hKey, LPCSTR lpValueName);
// Refuses (ERROR_ACCESS_DENIED) a key that still has sub-keys.
LSTATUS RegDeleteKey(HKEY hKey, LPCSTR lpSubKey);

LSTATUS RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass,
                     LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);
LSTATUS RegEnumKey(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName);
LSTATUS RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                     LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
LSTATUS RegQueryInfoKey(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved, LPDWORD lpcSubKeys,
                        LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                        LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                        PFILETIME lpftLastWriteTime);

// Copies the key's values and sub-keys to a new file in the hive's text
// format (ERROR_ALREADY_EXISTS when the file exists).
LSTATUS RegSaveKey(HKEY hKey, LPCSTR lpFile, const LPSECURITY_ATTRIBUTES lpSecurityAttributes);
// Replaces the key's values and sub-keys with a saved copy. Without
// REG_FORCE_RESTORE it is refused (ERROR_ACCESS_DENIED) while a sub-key is
// open; with it, open sub-key handles answer ERROR_KEY_DELETED afterwards.
LSTATUS RegRestoreKey(HKEY hKey, LPCSTR lpFile, DWORD dwFlags);

namespace tw {

// Where the hive lives (from the environment, see above).
// Saving takes a lock on the file, reads it again and applies this process's
// own changes since its last save, so two instances sharing one file keep
// each other's values. A save that fails keeps the changes for the next.
std::string RegistryFilePath();
// Writes pending changes, drops the hive and every open key handle, and reads
// the file again on next use: for tests, and after another process changed it.
void ReloadRegistry();
// "settings could not be saved: <reason>" once after saving began to fail
// (again after a save worked); empty when there is nothing new to tell.
std::string TakeRegistrySaveFailure();

}  // namespace tw
