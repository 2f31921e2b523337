#include "ui/commandbars/KtvPSnapshotStore.h"

#include "ui/commandbars/KtvPToolBar.h"

#include <new>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CFile.h"
#include "platform/win32/kernel/Files.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPNotBuilt.h"

CKtvPSnapshotStore g_SnapshotStore;

namespace {

constexpr int kArchiveBufferSize = 4096;

// A temporary file that nobody else may open and that is deleted with its
// last handle; INVALID_HANDLE_VALUE when none can be made.
HANDLE CreateSnapshotFile()
{
    TCHAR szFolder[MAX_PATH] = {};
    TCHAR szName[MAX_PATH] = {};
    const DWORD nFolder = ::GetTempPath(MAX_PATH, szFolder);
    if (nFolder == 0 || nFolder >= MAX_PATH)
        return INVALID_HANDLE_VALUE;
    if (::GetTempFileName(szFolder, _T("Ktv"), 0, szName) == 0)
        return INVALID_HANDLE_VALUE;
    HANDLE hFile = ::CreateFile(szName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_FLAG_DELETE_ON_CLOSE | FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        ::DeleteFile(szName);  // the name the temporary-name call reserved
    return hFile;
}

// Runs obj's serialisation over the file from where its pointer stands;
// FALSE when the archive, memory or file fails.
BOOL SerializeOverFile(HANDLE hFile, CObject& obj, UINT nMode, BOOL& bActive)
{
    bActive = TRUE;
    BOOL bDone = FALSE;
    try {
        CFile file(hFile);
        // No flush from the destructor: a failure must not throw a second time.
        CArchive ar(&file, nMode | CArchive::bNoFlushOnDelete, kArchiveBufferSize);
        obj.Serialize(ar);
        ar.Close();
        bDone = TRUE;
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
    }
    bActive = FALSE;
    return bDone;
}

void CleanUpSnapshots()
{
    g_SnapshotStore.CleanUp();
}

}  // namespace

CKtvPSnapshotStore::CKtvPSnapshotStore() : m_Snapshots(10) {}

// The files have no name left on disk and go with the process; the library
// clean-up closes them earlier.
CKtvPSnapshotStore::~CKtvPSnapshotStore() = default;

// An empty bar leaves the menu's snapshot as it was.
BOOL CKtvPSnapshotStore::SaveMenuBar(HMENU hMenu, CKtvPToolBar* pBar)
{
    if (pBar == nullptr || pBar->m_Buttons.IsEmpty())
        return FALSE;
    return SaveSnapshot(hMenu, *pBar);
}

BOOL CKtvPSnapshotStore::LoadMenuBar(HMENU hMenu, CKtvPToolBar* pBar)
{
    return pBar != nullptr && LoadSnapshot(hMenu, *pBar);
}

BOOL CKtvPSnapshotStore::SaveSnapshot(HMENU hMenu, CObject& obj)
{
    RemoveMenu(hMenu);
    HANDLE hFile = CreateSnapshotFile();
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    if (!SerializeOverFile(hFile, obj, CArchive::store, m_bIsActive)) {
        ::CloseHandle(hFile);
        return FALSE;
    }
    m_Snapshots[hMenu] = hFile;
    KtvAddCleanUpStep(CleanUpSnapshots);
    return TRUE;
}

BOOL CKtvPSnapshotStore::LoadSnapshot(HMENU hMenu, CObject& obj)
{
    HANDLE hFile = nullptr;
    if (!m_Snapshots.Lookup(hMenu, hFile))
        return FALSE;
    if (::SetFilePointer(hFile, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    return SerializeOverFile(hFile, obj, CArchive::load, m_bIsActive);
}

BOOL CKtvPSnapshotStore::HasSnapshot(HMENU hMenu) const
{
    HANDLE hFile = nullptr;
    return m_Snapshots.Lookup(hMenu, hFile);
}

BOOL CKtvPSnapshotStore::RemoveMenu(HMENU hMenu)
{
    HANDLE hFile = nullptr;
    if (!m_Snapshots.Lookup(hMenu, hFile))
        return FALSE;
    ::CloseHandle(hFile);
    m_Snapshots.RemoveKey(hMenu);
    return TRUE;
}

void CKtvPSnapshotStore::CleanUp()
{
    for (POSITION pos = m_Snapshots.GetStartPosition(); pos != nullptr;) {
        HMENU hMenu = nullptr;
        HANDLE hFile = nullptr;
        m_Snapshots.GetNextAssoc(pos, hMenu, hFile);
        ::CloseHandle(hFile);
    }
    m_Snapshots.RemoveAll();
}
