// The framework's docking bar. Bars are the UI library's; this class exists so that type tests can name it, and no window here is one.
#pragma once

#include "platform/mfc/CWnd.h"

class CDockBar : public CWnd {
    DECLARE_DYNAMIC(CDockBar)
};
