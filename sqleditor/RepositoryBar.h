// The Depot pane: the docking pane that holds the script repository.
#pragma once

#include "ui/docking/KtvPDockingControlBar.h"

class CRepositoryBar : public CKtvPDockingControlBar {
    DECLARE_DYNAMIC(CRepositoryBar)
public:
    CRepositoryBar() = default;
};
