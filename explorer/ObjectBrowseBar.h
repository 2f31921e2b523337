// The Object pane: the docking pane that holds the server's object tree.
#pragma once

#include "ui/docking/KtvPDockingControlBar.h"

class CObjectBrowseBar : public CKtvPDockingControlBar {
    DECLARE_DYNAMIC(CObjectBrowseBar)
public:
    CObjectBrowseBar() = default;
};
