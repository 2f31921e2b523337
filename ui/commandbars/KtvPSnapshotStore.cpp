#include "ui/commandbars/KtvPSnapshotStore.h"

#include "ui/frames/KtvPNotBuilt.h"

CKtvPSnapshotStore g_SnapshotStore;

CKtvPSnapshotStore::CKtvPSnapshotStore() : m_Snapshots(10) {}

CKtvPSnapshotStore::~CKtvPSnapshotStore()
{
    // Closing the open snapshot files is the store's own step.
    if (!m_Snapshots.IsEmpty())
        KTVP_NOT_BUILT("CKtvPSnapshotStore::~CKtvPSnapshotStore");
}

BOOL CKtvPSnapshotStore::SaveMenuBar(HMENU, CKtvPToolBar*) { KTVP_NOT_BUILT("CKtvPSnapshotStore::SaveMenuBar"); }

BOOL CKtvPSnapshotStore::LoadMenuBar(HMENU, CKtvPToolBar*) { KTVP_NOT_BUILT("CKtvPSnapshotStore::LoadMenuBar"); }

BOOL CKtvPSnapshotStore::RemoveMenu(HMENU) { KTVP_NOT_BUILT("CKtvPSnapshotStore::RemoveMenu"); }

void CKtvPSnapshotStore::CleanUp() { KTVP_NOT_BUILT("CKtvPSnapshotStore::CleanUp"); }
