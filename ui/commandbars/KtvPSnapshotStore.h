// Snapshots of customised menus: one temporary file per menu handle holding
// the content of the bar that shows it.
#pragma once

#include "platform/mfc/CMap.h"
#include "platform/mfc/CObject.h"

class CKtvPToolBar;

class CKtvPSnapshotStore {
public:
    CKtvPSnapshotStore();
    virtual ~CKtvPSnapshotStore();
    CKtvPSnapshotStore(const CKtvPSnapshotStore&) = delete;
    CKtvPSnapshotStore& operator=(const CKtvPSnapshotStore&) = delete;

    BOOL SaveMenuBar(HMENU hMenu, CKtvPToolBar* pBar);
    BOOL LoadMenuBar(HMENU hMenu, CKtvPToolBar* pBar);
    BOOL RemoveMenu(HMENU hMenu);
    void CleanUp();

    // What the two bar operations stand on: the object's own serialisation
    // kept as the menu's snapshot (replacing an earlier one; a failed save
    // leaves none), and read back into an object from the beginning.
    BOOL SaveSnapshot(HMENU hMenu, CObject& obj);
    BOOL LoadSnapshot(HMENU hMenu, CObject& obj);
    BOOL HasSnapshot(HMENU hMenu) const;

    CMap<HMENU, HMENU, HANDLE, HANDLE> m_Snapshots;   // menu -> its open temporary file
    BOOL m_bIsActive = FALSE;              // a bar is being written to or read from a snapshot
};

extern CKtvPSnapshotStore g_SnapshotStore;
