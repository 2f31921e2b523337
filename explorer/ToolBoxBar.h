// The tool box: a member of the main frame that is constructed and never
// given a window. Its construction switches on the slide animation of every
// outlook-style pane when its active page changes.
#pragma once

#include "ui/controls/KtvPToolBox.h"

class CToolBoxBar : public CKtvPToolBox {
    DECLARE_DYNAMIC(CToolBoxBar)
public:
    CToolBoxBar();
    ~CToolBoxBar() override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
