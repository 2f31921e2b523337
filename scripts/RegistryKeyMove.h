// Renames a registry key under HKEY_CURRENT_USER by copying its keys and
// values under the new name and then deleting the old key; no hive file and
// no privileges are needed. The snippet store and the script repository both
// rename their folders, pages and items this way.
#pragma once

#include "platform/mfc/CString.h"

namespace scripts {

// FALSE (the old key left as it was) when the old key cannot be read, the
// new name is taken by another key, or a copy step fails. A new path that
// differs from the old one only in letter case names the same key, so it goes
// through a temporary sibling name.
BOOL MoveRegistryKey(const CString& strOldPath, const CString& strNewPath);

// A snippet item's key renamed within its page, with the values named after
// the item ("<item>---Item---...") renamed along with it.
BOOL RenameSnippetItem(const CString& strPage, const CString& strOldName, const CString& strNewName);

}  // namespace scripts
