#include "scripts/RegistryKeyMove.h"

#include <vector>

#include "platform/win32/registry/Registry.h"
#include "scripts/SnippetStore.h"
#include "ui/frames/KtvPRegistry.h"

namespace scripts {

namespace {

struct KeyMoveHandle {
    HKEY h = nullptr;
    ~KeyMoveHandle()
    {
        if (h != nullptr)
            RegCloseKey(h);
    }
};

bool KeyMoveExists(const CString& strPath)
{
    KeyMoveHandle key;
    return RegOpenKeyEx(HKEY_CURRENT_USER, strPath, 0, KEY_READ, &key.h) == ERROR_SUCCESS;
}

// Every value and sub-key of the source written into the destination.
bool KeyMoveCopyTree(HKEY hSource, HKEY hDest)
{
    for (DWORD i = 0;; i++) {
        char name[1024] = {};
        DWORD cchName = sizeof name;
        DWORD dwType = 0;
        DWORD cbData = 0;
        LSTATUS status = RegEnumValue(hSource, i, name, &cchName, nullptr, &dwType, nullptr, &cbData);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            return false;
        std::vector<BYTE> data(cbData + 1);
        cchName = sizeof name;
        status = RegEnumValue(hSource, i, name, &cchName, nullptr, &dwType, data.data(), &cbData);
        if (status != ERROR_SUCCESS || RegSetValueEx(hDest, name, 0, dwType, data.data(), cbData) != ERROR_SUCCESS)
            return false;
    }
    for (DWORD i = 0;; i++) {
        char name[1024] = {};
        DWORD cchName = sizeof name;
        const LSTATUS status = RegEnumKeyEx(hSource, i, name, &cchName, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        KeyMoveHandle child;
        KeyMoveHandle copy;
        if (status != ERROR_SUCCESS || RegOpenKeyEx(hSource, name, 0, KEY_READ, &child.h) != ERROR_SUCCESS ||
            RegCreateKey(hDest, name, &copy.h) != ERROR_SUCCESS || !KeyMoveCopyTree(child.h, copy.h))
            return false;
    }
    return true;
}

bool KeyMoveDelete(const CString& strPath) { return CKtvPRegistry(FALSE, FALSE).DeleteKey(strPath) != FALSE; }

// Copies, then deletes the source; a failed copy removes what it made.
bool KeyMoveCopyThenDelete(const CString& strOldPath, const CString& strNewPath)
{
    if (KeyMoveExists(strNewPath))
        return false;
    bool copied = false;
    {
        KeyMoveHandle source;
        KeyMoveHandle dest;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, strOldPath, 0, KEY_READ, &source.h) != ERROR_SUCCESS)
            return false;
        if (RegCreateKey(HKEY_CURRENT_USER, strNewPath, &dest.h) != ERROR_SUCCESS)
            return false;
        copied = KeyMoveCopyTree(source.h, dest.h);
    }
    if (!copied) {
        KeyMoveDelete(strNewPath);
        return false;
    }
    return KeyMoveDelete(strOldPath);
}

}  // namespace

BOOL MoveRegistryKey(const CString& strOldPath, const CString& strNewPath)
{
    if (strOldPath == strNewPath)
        return KeyMoveExists(strOldPath);
    if (strOldPath.CompareNoCase(strNewPath) != 0)
        return KeyMoveCopyThenDelete(strOldPath, strNewPath);
    // Only the letter case changes: the same key, so through a sibling.
    const CString temporary = strNewPath + "~renaming";
    if (!KeyMoveCopyThenDelete(strOldPath, temporary))
        return FALSE;
    if (!KeyMoveCopyThenDelete(temporary, strNewPath)) {
        KeyMoveCopyThenDelete(temporary, strOldPath);
        return FALSE;
    }
    return TRUE;
}

BOOL RenameSnippetItem(const CString& strPage, const CString& strOldName, const CString& strNewName)
{
    const CString newKey = snippets::ItemKey(strPage, strNewName);
    if (!MoveRegistryKey(snippets::ItemKey(strPage, strOldName), newKey))
        return FALSE;
    if (strOldName == strNewName)
        return TRUE;
    KeyMoveHandle key;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, newKey, 0, KEY_ALL_ACCESS, &key.h) != ERROR_SUCCESS)
        return FALSE;
    for (const char* suffix : {snippets::kOptSuffix, snippets::kContentSuffix, snippets::kFileSuffix,
                               snippets::kCommentSuffix}) {
        const CString oldValue = strOldName + suffix;
        DWORD dwType = 0;
        DWORD cbData = 0;
        if (RegQueryValueEx(key.h, oldValue, nullptr, &dwType, nullptr, &cbData) != ERROR_SUCCESS)
            continue;
        std::vector<BYTE> data(cbData + 1);
        // Value names ignore letter case too: the old value goes before the
        // new one is written, and comes back when that fails.
        if (RegQueryValueEx(key.h, oldValue, nullptr, &dwType, data.data(), &cbData) != ERROR_SUCCESS ||
            RegDeleteValue(key.h, oldValue) != ERROR_SUCCESS)
            return FALSE;
        if (RegSetValueEx(key.h, strNewName + suffix, 0, dwType, data.data(), cbData) != ERROR_SUCCESS) {
            RegSetValueEx(key.h, oldValue, 0, dwType, data.data(), cbData);
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace scripts
