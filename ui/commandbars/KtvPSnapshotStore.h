// Snapshots of customised menus: one temporary file per menu handle holding
// the content of the bar that shows it.
#pragma once

#include "platform/mfc/CMap.h"

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

    CMap<HMENU, HMENU, HANDLE, HANDLE> m_Snapshots;   // menu -> its open temporary file
    BOOL m_bIsActive = FALSE;              // a bar is being written to or read from a snapshot
};

extern CKtvPSnapshotStore g_SnapshotStore;
