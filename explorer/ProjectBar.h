// The Project pane: the docking pane that holds the user's project tree.
#pragma once

#include "ui/docking/KtvPDockingControlBar.h"

class CProjectBar : public CKtvPDockingControlBar {
    DECLARE_DYNAMIC(CProjectBar)
public:
    CProjectBar() = default;
};
